#include "support/ScriptedPlatform.h"

#include <QCoreApplication>

namespace testing {

ScriptedPlatform::ScriptedPlatform() { ui::setPlatform(this); }

ScriptedPlatform::~ScriptedPlatform() { ui::setPlatform(nullptr); }

ui::Answer ScriptedPlatform::messageBox(const QString& prompt, ui::Buttons buttons, ui::Icon icon,
                                        const QString& title)
{
    messages.append({prompt, ui::flags(buttons, icon), title});
    if (buttons != ui::Buttons::YesNo)
        return ui::Answer::Ok;
    return answers.isEmpty() ? ui::Answer::No : answers.takeFirst();
}

QString ScriptedPlatform::chooseFolder(QWidget* owner, const QString& prompt, const QString& initialFolder)
{
    folderRequests.append({owner, prompt, initialFolder});
    return folders.isEmpty() ? QString() : folders.takeFirst();
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

}  // namespace testing
