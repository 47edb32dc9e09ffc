#pragma once

#include <QString>

namespace files {

// What the headers of a video file tell of it, in the words of the media library; a text stays
// empty and the duration negative where the file does not say.
struct VideoFileFacts {
    qint64 durationMs = -1;
    QString videoFormat;  // "MPEG-4 Visual", "AVC", "MPEG Video"…
    QString videoVersion;  // "Version 2" for MPEG-2 video
    QString videoCodecId;  // the stream's tag: "DX50", "XVID"…
    QString videoCodecHint;  // "DivX 5", "XviD"…
    QString audioFormat;  // "MPEG Audio", "AC-3", "Vorbis"…
    QString audioProfile;  // "Layer 3"
    QString audioCodecId;  // "55", "2000"…
};

// Reads the headers of video files one after the other through one handle of the media library,
// which costs its set-up once rather than for every file.
class VideoFileReader {
public:
    VideoFileReader();
    ~VideoFileReader();
    VideoFileReader(const VideoFileReader&) = delete;
    VideoFileReader& operator=(const VideoFileReader&) = delete;

    // A missing, unreadable or non-video file tells nothing.
    VideoFileFacts read(const QString& path);

private:
    void* handle_;
};

}  // namespace files
