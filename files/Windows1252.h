#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The one-byte character set of the listing and of the reference lists file.
namespace files {

// The text in Windows-1252, one byte per character; a character that it cannot hold becomes "?".
QByteArray toWindows1252(QStringView text);

// Every byte read as its Windows-1252 character.
QString fromWindows1252(QByteArrayView bytes);

}  // namespace files
