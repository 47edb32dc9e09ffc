#pragma once

class QMainWindow;
struct Frm_AccueilControls;

// The main window's menu bar: its menus and their entries, in order, each named and captioned.
void buildMainMenus(QMainWindow* window, Frm_AccueilControls& c);
