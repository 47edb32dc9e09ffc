#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

// The pattern of a fuzzer's temporary folder: in memory where the system has such a folder
// (/dev/shm), so that the syncs of the catalogue's commits and of the saved files, each a wait on
// the disk, cost nothing; the fuzzers look at what the program keeps, not at what survives a
// power cut.
inline QString inMemory(const QString& name)
{
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString parent = memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return parent + u'/' + name + QStringLiteral("-XXXXXX");
}
