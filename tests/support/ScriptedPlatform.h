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
    ScriptedPlatform() { ui::setPlatform(this); }
    ~ScriptedPlatform() override { ui::setPlatform(nullptr); }  // puts the desktop platform back

    // The next answers of questions (Yes/No; No once none is left). A box with OK only is answered OK.
    QList<ui::Answer> answers;
    // The next answers of the folder chooser; "" stands for a cancelled dialog.
    QStringList folders;
    // The next answers of the file chooser; "" stands for a cancelled dialog.
    QStringList files;
    // What opening a document returns.
    bool documentsOpen = true;
    QDateTime clock = QDateTime(QDate(2026, 12, 6), QTime(14, 30, 5));
    // Run at every processEvents call, after the pending events; lets a test act mid-loop.
    std::function<void()> onProcessEvents;

    // Every message shown, "flags|title|prompt" (the flags: the buttons and the icon, summed as the
    // program's numbers); every folder asked for, "owner|prompt|initial folder"; every file asked for,
    // "owner|prompt|initial folder|filter"; every document opened.
    QStringList messages, folderRequests, fileRequests, openedDocuments;

    ui::Answer messageBox(const QString& prompt, ui::Buttons buttons, ui::Icon icon,
                          const QString& title) override
    {
        messages.append(QStringLiteral("%1|%2|%3").arg(ui::flags(buttons, icon)).arg(title, prompt));
        if (buttons != ui::Buttons::YesNo)
            return ui::Answer::Ok;
        return answers.isEmpty() ? ui::Answer::No : answers.takeFirst();
    }
    QString chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder) override
    {
        folderRequests.append(QStringList {owner->objectName(), prompt, initialFolder}.join(u'|'));
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    QString chooseFile(QWidget* owner, const QString& prompt, const QString& initialFolder,
                       const QString& filter) override
    {
        fileRequests.append(QStringList {owner->objectName(), prompt, initialFolder, filter}.join(u'|'));
        return files.isEmpty() ? QString() : files.takeFirst();
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
