#pragma once

#include <QColor>
#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace ui {

// The windows' blue background.
inline QColor formBlue() { return QColor(116, 152, 207); }

void fillBackground(QWidget* widget, const QColor& colour);
// Fills the widget with the window colour of the style in use, so nothing behind it shows through.
void makeOpaque(QWidget* widget);

// Controls made at their design place (twips, relative to their container) with their names.
QLabel* makeLabel(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                  int height);
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height);
QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                     int width, int height);
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& text, int left, int top,
                       int width, int height);
QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height);
QRadioButton* makeOptionButton(QWidget* parent, const QString& name, const QString& caption, int left,
                               int top, int width, int height);
// A box of several lines of notes, in Arial on white; Tab moves on to the next control.
QPlainTextEdit* makeNotesBox(QWidget* parent, const QString& name, int left, int top, int width, int height);
QComboBox* makeDropDownList(QWidget* parent, const QString& name, int left, int top, int width, int height);

// Refuses typing that makes the box's text longer than the limit. A longer text that the program
// puts in the box (a stored value) is shown whole and kept; the user may still shorten it.
void limitTyping(QLineEdit* box, int characters);

// Shows a stored note in a notes box. notesText() gives it back unchanged, line ends included, as
// long as the box shows it as it was put there; otherwise the box's text, lines ending in "\n".
void showNotes(QPlainTextEdit* box, const QString& text);
QString notesText(const QPlainTextEdit* box);

// Names a box or list after the caption beside it, for the tools that read the screen aloud: the
// caption labels it (QLabel::setBuddy), and gives it its name when it stands in another container.
// A label made here is named by the text it shows, blank while it shows nothing, never by its frame.
void nameAfter(QWidget* control, QLabel* caption);

}  // namespace ui
