#include "files/VideoFile.h"

#include <QDir>
#include <string>

// The library's header uses size_t without declaring it.
#include <cstddef>
// Its wide-character interface takes any file name, on every system.
#ifndef UNICODE
#define UNICODE
#endif
#include <MediaInfoDLL/MediaInfoDLL_Static.h>

namespace files {

namespace {

QString field(void* handle, MediaInfo_stream_C stream, const wchar_t* name)
{
    const wchar_t* value = MediaInfo_Get(handle, stream, 0, name, MediaInfo_Info_Text, MediaInfo_Info_Name);
    return value ? QString::fromWCharArray(value).trimmed() : QString();
}

}  // namespace

VideoFileReader::VideoFileReader() : handle_(MediaInfo_New())
{
    // The headers alone: the library reads no further into the file than they need.
    MediaInfo_Option(handle_, L"ParseSpeed", L"0");
}

VideoFileReader::~VideoFileReader() { MediaInfo_Delete(handle_); }

VideoFileFacts VideoFileReader::read(const QString& path)
{
    VideoFileFacts facts;
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    if (MediaInfo_Open(handle_, name.c_str()) == 0)
        return facts;
    bool known = false;
    // The library gives milliseconds, sometimes with decimals.
    const double duration = field(handle_, MediaInfo_Stream_General, L"Duration").toDouble(&known);
    if (known && duration >= 0)
        facts.durationMs = qint64(duration + 0.5);
    facts.videoFormat = field(handle_, MediaInfo_Stream_Video, L"Format");
    facts.videoVersion = field(handle_, MediaInfo_Stream_Video, L"Format_Version");
    facts.videoCodecId = field(handle_, MediaInfo_Stream_Video, L"CodecID");
    facts.videoCodecHint = field(handle_, MediaInfo_Stream_Video, L"CodecID/Hint");
    facts.audioFormat = field(handle_, MediaInfo_Stream_Audio, L"Format");
    facts.audioProfile = field(handle_, MediaInfo_Stream_Audio, L"Format_Profile");
    facts.audioCodecId = field(handle_, MediaInfo_Stream_Audio, L"CodecID");
    MediaInfo_Close(handle_);
    return facts;
}

}  // namespace files
