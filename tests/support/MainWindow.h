#pragma once

#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class ListView;
}

// Drives the main window the way a user does: mouse clicks on rows, headers and boxes.
namespace testing::accueil {

ui::ListView* list();
QLineEdit* textBox(const QString& name);
QLabel* label(const QString& name);
QCheckBox* checkBox(const QString& name);
QPushButton* button(const QString& name);
// Triggers the menu entry of the main window with that name.
void menu(const QString& name);

// The titles of the rows, in the order shown.
QStringList titles();
// The position of the first row with that title; fails the test when there is none.
int rowOf(const QString& title);
void clickRow(int row);
void doubleClickRow(int row);
void clickHeader(int column);
// Clicks the check box on its box, as the user ticks or unticks it.
void tick(QCheckBox* box);

}  // namespace testing::accueil
