#pragma once

#include "ui/Platform.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace ui {

// The platform for tests: answers come from queues, and every message is recorded.
class ScriptedPlatform : public Platform {
public:
    struct Message {
        QString prompt;
        int flags = 0;
        QString title;
    };

    ScriptedPlatform();  // installs itself
    ~ScriptedPlatform() override;  // puts the desktop platform back

    // The next answers of message boxes that ask (Yes/No). A box with OK only is answered OK.
    QList<int> answers;
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
        QString prompt;
        QString initialFolder;
    };
    QList<FolderRequest> folderRequests;
    // Questions that found no scripted answer (answered No) and folder requests likewise.
    QStringList unanswered;

    int messageBox(const QString& prompt, int flags, const QString& title) override;
    QString chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder) override;
    bool openDocument(const QString& path) override;
    QDateTime now() override;
    void processEvents() override;

    QString lastPrompt() const { return messages.isEmpty() ? QString() : messages.last().prompt; }
};

}  // namespace ui
