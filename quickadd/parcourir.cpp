#include "quickadd/parcourir.h"

#include "ui/Platform.h"

#include <QDir>

QString choisir_repertoire(QWidget* owner, const QString& prompt, const QString& initial)
{
    return ui::platform().chooseFolder(owner, prompt, initial);
}

QString repertoire_de_depart()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\");
#else
    return QDir::homePath();
#endif
}
