#pragma once

#include "files/VideoFile.h"

#include <QString>
#include <QStringList>

namespace files {

// The entry of the video codec list that names the file's video codec: "DivX" for DX50, DIVX,
// DIV3… and their hints, "XviD", "MPEG-2", "MPEG-4", "H.264", "HEVC"…, else the library's own name
// of the format ("VP9", "AV1"). Entries are compared as the list tells its own entries apart,
// exactly; "" when the list holds none of the codec's names.
QString videoCodecEntry(const VideoFileFacts& facts, const QStringList& videoList);

// The same for the audio codec list: "MP3", "AC3", "E-AC3", "AAC", "DTS", "PCM", "Ogg Vorbis",
// "Opus", "FLAC"…
QString audioCodecEntry(const VideoFileFacts& facts, const QStringList& audioList);

// A running time in the editor's form, hours and minutes, "01h45", rounded to the nearest
// minute; "" when unknown (negative).
QString durationText(qint64 ms);

}  // namespace files
