#pragma once

#include "ui/Form.h"

#include <QMainWindow>
#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace ui {
class ListView;
}  // namespace ui

namespace testing {

// A control of a window by its name, the window loaded first; null when it has none.
template <typename T>
T* control(ui::Form& form, const QString& name)
{
    return form.window()->findChild<T*>(name);
}

// What each named control of a window shows: the text of a label, box, drop-down list or notes,
// "checked" or "" for an option button or check box.
QString shown(ui::Form& form, const QString& name);
QStringList shown(ui::Form& form, const QStringList& names);
// The entries of a drop-down list or list box.
QStringList entries(QWidget* list);

}  // namespace testing

// Drives the main window the way a user does: mouse clicks on rows, headers and boxes.
namespace testing::accueil {

ui::ListView* list();
QLineEdit* textBox(const QString& name);
QLabel* label(const QString& name);
QCheckBox* checkBox(const QString& name);
QPushButton* button(const QString& name);
// Triggers the menu entry of the main window with that name.
void menu(const QString& name);
// Clicks the named button of a window, the main window by default.
void press(const QString& name);
void press(ui::Form& form, const QString& name);
// Opens the film editor the way the user does: "Nouveau film" for 0, else "Modifier" on that film.
void openEditor(int code = 0);

// The titles of the rows, in the order shown.
QStringList titles();
// The texts of one cell (from 1) of every row.
QStringList cells(int cell);
// What the named controls of the main window show.
QStringList labels(const QStringList& names);
// The position of the first row with that title; fails the test when there is none.
int rowOf(const QString& title);
void clickRow(int row);
void doubleClickRow(int row);
void clickHeader(int column);
// Clicks the check box on its box, as the user ticks or unticks it.
void tick(QCheckBox* box);

}  // namespace testing::accueil
