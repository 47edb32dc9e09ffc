#pragma once

#include "ui/main/Frm_Accueil.h"

#include <QList>
#include <QStringList>

class QAbstractButton;
class QCheckBox;
class QWidget;

namespace ui {
class ListView;
}

// Drives the windows as a user does: mouse clicks on rows, headers, buttons and boxes.
namespace testing {

const Frm_AccueilControls& accueil();
// The texts of the main list's rows, in the order shown; the texts of one cell (from 1) of each.
QStringList titles();
QStringList cells(int cell);
// The same, of any list.
QStringList cellsOf(const ui::ListView& list, int cell);
// Clicks the first row with that title; fails the test when there is none.
void select(const QString& title);
void clickRow(int row);
void doubleClickRow(int row);
void clickHeader(int column);
void click(QAbstractButton* button);
// Clicks the check box on its box, as the user ticks or unticks it.
void tick(QCheckBox* box);
// What each control shows: the text of a label, box, drop-down list or notes; "checked" or ""
// for an option button or check box.
QStringList shown(const QList<QWidget*>& controls);

}  // namespace testing
