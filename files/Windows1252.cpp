#include "files/Windows1252.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

namespace files {

namespace {

constexpr char kEncoding[] = "windows-1252";

}  // namespace

QByteArray toWindows1252(QStringView text)
{
    // Below 0x80 and from 0xA0 on, Windows-1252 is Latin-1: most texts need no converter at all.
    const bool latin1 = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x80 || (c.unicode() >= 0xA0 && c.unicode() <= 0xFF);
    });
    // Stateless, so a lone surrogate at the end of one text is not carried into the next.
    static QStringEncoder encoder(kEncoding, QStringConverter::Flag::Stateless);
    QByteArray bytes = latin1 ? text.toLatin1() : QByteArray(encoder.encode(text));
    // The engine marks what it cannot hold with SUB (0x1A); readers expect a visible "?".
    bytes.replace('\x1a', '?');
    return bytes;
}

QString fromWindows1252(QByteArrayView bytes)
{
    static QStringDecoder decoder(kEncoding, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

}  // namespace files
