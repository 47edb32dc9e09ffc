#include "ui/ScriptedPlatform.h"

#include <QCoreApplication>

namespace ui {

ScriptedPlatform::ScriptedPlatform() { setPlatform(this); }

ScriptedPlatform::~ScriptedPlatform() { setPlatform(nullptr); }

int ScriptedPlatform::messageBox(const QString& prompt, int flags, const QString& title)
{
    messages.append({prompt, flags, title.isEmpty() ? programTitle() : title});
    if ((flags & 0x0F) != mb::YesNo)
        return mb::Ok;
    if (answers.isEmpty()) {
        unanswered.append(prompt);
        return mb::No;
    }
    return answers.takeFirst();
}

QString ScriptedPlatform::chooseFolder(QWidget*, const QString& prompt, const QString& initialFolder)
{
    folderRequests.append({prompt, initialFolder});
    if (folders.isEmpty()) {
        unanswered.append(prompt);
        return QString();
    }
    return folders.takeFirst();
}

bool ScriptedPlatform::openDocument(const QString& path)
{
    openedDocuments.append(path);
    return documentsOpen;
}

QDateTime ScriptedPlatform::now() { return clock; }

void ScriptedPlatform::processEvents()
{
    QCoreApplication::processEvents();
    if (onProcessEvents)
        onProcessEvents();
}

}  // namespace ui
