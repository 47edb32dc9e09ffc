#include "app/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace app {

namespace {

constexpr char kEncoding[] = "windows-1252";

}  // namespace

QByteArray toWindows1252(QStringView text)
{
    // Stateless, so a lone surrogate at the end of one text is not carried into the next.
    static QStringEncoder encoder(kEncoding, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    // The engine marks what it cannot hold with SUB (0x1A); readers expect a visible "?".
    bytes.replace('\x1a', '?');
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes)
{
    static QStringDecoder decoder(kEncoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

}  // namespace app
