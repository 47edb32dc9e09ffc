#pragma once

class Frm_New;

namespace editor {

// The click of Bt_Enreg: checks the title, writes the film, closes the editor and reloads the
// main list; any failure shows one message and leaves the editor open.
void enregistrer(Frm_New& editor);

}  // namespace editor
