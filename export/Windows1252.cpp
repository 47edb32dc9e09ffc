#include "export/Windows1252.h"

#include <QStringEncoder>

namespace exports {

QByteArray toWindows1252(QStringView text)
{
    // The encoder is stateless for a single-byte set, so one serves every call.
    static QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    // The engine marks what it cannot hold with SUB (0x1A); readers expect a visible "?".
    bytes.replace('\x1a', '?');
    return bytes;
}

}  // namespace exports
