#pragma once

#include "ui/Platform.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <functional>

namespace testing {

// The platform for tests, installed while it lives: answers come from queues, and every message
// is recorded.
class ScriptedPlatform : public ui::Platform {
public:
    struct Message {
        QString prompt;
        int flags = 0;  // the buttons and the icon, summed as the program's numbers
        QString title;
    };

    ScriptedPlatform() { ui::setPlatform(this); }
    ~ScriptedPlatform() override { ui::setPlatform(nullptr); }  // puts the desktop platform back

    // The next answers of questions (Yes/No; No once none is left). A box with OK only is answered OK.
    QList<ui::Answer> answers;
    // The next answers of the folder chooser; "" stands for a cancelled dialog.
    QStringList folders;
    // What opening a document returns.
    bool documentsOpen = true;
    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(14, 30, 5));
    // Run at every processEvents call, after the pending events; lets a test act mid-loop.
    std::function<void()> onProcessEvents;

    QList<Message> messages;
    QStringList openedDocuments;
    struct FolderRequest {
        QWidget* owner;
        QString prompt;
        QString initialFolder;
    };
    QList<FolderRequest> folderRequests;

    ui::Answer messageBox(const QString& prompt, ui::Buttons buttons, ui::Icon icon,
                          const QString& title) override
    {
        messages.append({prompt, ui::flags(buttons, icon), title});
        if (buttons != ui::Buttons::YesNo)
            return ui::Answer::Ok;
        return answers.isEmpty() ? ui::Answer::No : answers.takeFirst();
    }
    QString chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder) override
    {
        folderRequests.append({owner, prompt, initialFolder});
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    bool openDocument(const QString& path) override
    {
        openedDocuments.append(path);
        return documentsOpen;
    }
    QDateTime now() override { return clock; }
    void processEvents() override
    {
        QCoreApplication::processEvents();
        if (onProcessEvents)
            onProcessEvents();
    }
};

}  // namespace testing
