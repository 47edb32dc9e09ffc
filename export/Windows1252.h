#pragma once

#include <QByteArray>
#include <QStringView>

namespace exports {

// The text in Windows-1252, one byte per character; a character that it cannot hold becomes "?".
QByteArray toWindows1252(QStringView text);

}  // namespace exports
