#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace ui {

// The buttons, icon and answer of a message box. The numbers are those of the program's message
// boxes, whose flags are the sum of the buttons and the icon.
enum class Buttons { OkOnly = 0, YesNo = 4 };
enum class Icon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

inline int flags(Buttons buttons, Icon icon) { return int(buttons) + int(icon); }

// Everything that would wait on the user or touch the desktop. The program uses the desktop
// implementation; tests install one of their own.
class Platform {
public:
    virtual ~Platform() = default;

    // Shows a message box; returns the button pressed.
    virtual Answer messageBox(const QString& prompt, Buttons buttons, Icon icon, const QString& title) = 0;
    // Asks for a folder; returns its full path, or "" when the user cancels.
    virtual QString chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder) = 0;
    // Asks for an existing file to open, showing those the filter names ("Catalogues (*.csv *.xml)");
    // returns its full path, or "" when the user cancels.
    virtual QString chooseFile(QWidget* owner, const QString& prompt, const QString& initialFolder,
                               const QString& filter) = 0;
    // Opens a document with the desktop's usual program without waiting; false if none could.
    virtual bool openDocument(const QString& path) = 0;
    virtual QDateTime now() = 0;
    virtual void processEvents() = 0;
};

Platform& platform();
// Installs the platform in use (not owned); nullptr goes back to the desktop one.
void setPlatform(Platform* platform);

// Shorthand: a message box through the platform in use; an empty title shows the program's.
Answer msgBox(const QString& prompt, Icon icon = Icon::None, const QString& title = QString());
// A question answered Yes or No.
Answer askYesNo(const QString& prompt, Icon icon = Icon::None, const QString& title = QString());

// The program's title, shown by message boxes without one of their own.
QString programTitle();

}  // namespace ui
