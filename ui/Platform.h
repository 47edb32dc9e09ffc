#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace ui {

// Message box flags and answers, with the program's own numbers.
namespace mb {
constexpr int OkOnly = 0;
constexpr int YesNo = 4;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Yes = 6;
constexpr int No = 7;
}  // namespace mb

// Everything that would wait on the user or touch the desktop. The program uses the desktop
// implementation; tests install a scripted one.
class Platform {
public:
    virtual ~Platform() = default;

    // Shows a message box; an empty title shows the program's title. Returns the button.
    virtual int messageBox(const QString& prompt, int flags, const QString& title) = 0;
    // Asks for a folder; returns its full path, or "" when the user cancels.
    virtual QString chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder) = 0;
    // Opens a document with the desktop's usual program without waiting; false if none could.
    virtual bool openDocument(const QString& path) = 0;
    virtual QDateTime now() = 0;
    virtual void processEvents() = 0;
};

Platform& platform();
// Installs the platform in use (not owned); nullptr goes back to the desktop one.
void setPlatform(Platform* platform);

// Shorthand: a message box through the platform in use.
int msgBox(const QString& prompt, int flags = mb::OkOnly, const QString& title = QString());

// The program's title, shown by message boxes without one of their own.
QString programTitle();

}  // namespace ui
