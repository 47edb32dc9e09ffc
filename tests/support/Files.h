#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace testing {

// The bytes of a file, or nothing when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Replaces a file with the given bytes; false when it cannot.
inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Makes count empty video files "<prefix> 001.avi"… in a folder; gives their titles in name
// order, or nothing when a file cannot be made.
inline QStringList makeVideoFiles(const QString& folder, const QString& prefix, int count, int digits)
{
    QStringList titles;
    for (int i = 1; i <= count; ++i) {
        titles << QStringLiteral("%1 %2").arg(prefix).arg(i, digits, 10, QChar(u'0'));
        QFile file(folder + u'/' + titles.last() + QStringLiteral(".avi"));
        if (!file.open(QIODevice::WriteOnly))
            return {};
    }
    return titles;
}

}  // namespace testing
