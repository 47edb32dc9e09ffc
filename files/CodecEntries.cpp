#include "files/CodecEntries.h"

namespace files {

using namespace Qt::StringLiterals;

namespace {

bool isOneOf(const QString& id, std::initializer_list<QLatin1StringView> ids)
{
    for (QLatin1StringView candidate : ids)
        if (id.compare(candidate, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The names a video codec list may give the file's codec, the usual one first. Codecs without a
// usual name of their own go by the library's name, which a user may have put in the list.
QStringList videoNames(const VideoFileFacts& facts)
{
    const QString& format = facts.videoFormat;
    if (isOneOf(facts.videoCodecId, {"DIVX"_L1, "DX50"_L1, "DIV3"_L1, "DIV4"_L1, "DIV5"_L1, "DIV6"_L1})
        || facts.videoCodecHint.startsWith("DivX"_L1, Qt::CaseInsensitive))
        return {QStringLiteral("DivX")};
    if (isOneOf(facts.videoCodecId, {"XVID"_L1})
        || facts.videoCodecHint.startsWith("XviD"_L1, Qt::CaseInsensitive))
        return {QStringLiteral("XviD")};
    if (format == "MPEG-4 Visual"_L1)
        return {QStringLiteral("MPEG-4")};
    if (format == "MPEG Video"_L1 && facts.videoVersion == "Version 2"_L1)
        return {QStringLiteral("MPEG-2")};
    if (format == "MPEG Video"_L1 && facts.videoVersion == "Version 1"_L1)
        return {QStringLiteral("MPEG-1")};
    // Lists name these by their standard, their format or the encoder that made most of them.
    if (format == "AVC"_L1)
        return {QStringLiteral("H.264"), QStringLiteral("AVC"), QStringLiteral("x264")};
    if (format == "HEVC"_L1)
        return {QStringLiteral("H.265"), QStringLiteral("HEVC"), QStringLiteral("x265")};
    // "VP9", "AV1", "VC-1"… are the lists' names too.
    return format.isEmpty() ? QStringList() : QStringList {format};
}

QStringList audioNames(const VideoFileFacts& facts)
{
    const QString& format = facts.audioFormat;
    if (format == "MPEG Audio"_L1) {
        if (facts.audioProfile == "Layer 3"_L1 || facts.audioCodecId == "55"_L1)
            return {QStringLiteral("MP3")};
        if (facts.audioProfile == "Layer 2"_L1 || facts.audioCodecId == "50"_L1)
            return {QStringLiteral("MP2")};
    }
    if (format == "AC-3"_L1)
        return {QStringLiteral("AC3"), format};
    if (format == "E-AC-3"_L1)
        return {QStringLiteral("E-AC3"), QStringLiteral("EAC3"), format};
    if (format == "Vorbis"_L1)
        return {QStringLiteral("Ogg Vorbis"), format};
    // "AAC", "DTS", "PCM", "FLAC"… are the lists' names too.
    return format.isEmpty() ? QStringList() : QStringList {format};
}

QString firstHeld(const QStringList& names, const QStringList& list)
{
    for (const QString& name : names)
        if (list.contains(name))
            return name;
    return QString();
}

}  // namespace

QString videoCodecEntry(const VideoFileFacts& facts, const QStringList& videoList)
{
    return firstHeld(videoNames(facts), videoList);
}

QString audioCodecEntry(const VideoFileFacts& facts, const QStringList& audioList)
{
    return firstHeld(audioNames(facts), audioList);
}

QString durationText(qint64 ms)
{
    if (ms < 0)
        return QString();
    const qint64 minutes = (ms + 30'000) / 60'000;
    return QStringLiteral("%1h%2")
            .arg(minutes / 60, 2, 10, QChar(u'0'))
            .arg(minutes % 60, 2, 10, QChar(u'0'));
}

}  // namespace files
