#include "files/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace files {

namespace {
QString overriddenFolder;
}

QString programFolder()
{
    return overriddenFolder.isEmpty() ? QCoreApplication::applicationDirPath() : overriddenFolder;
}

void setProgramFolder(const QString& folder) { overriddenFolder = folder; }

QString cataloguePath() { return QDir(programFolder()).filePath(QStringLiteral("BD/Film.mdb")); }

QString referenceListsPath() { return QDir(programFolder()).filePath(QStringLiteral("BD/codec.cnb")); }

QString listingPath() { return QDir(programFolder()).filePath(QStringLiteral("Film.txt")); }

}  // namespace files
