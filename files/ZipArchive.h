#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>

struct zip;

namespace files {

// A zip archive, read through libzip from a QFile: any path opens as Qt opens it, on every system,
// and only the entries asked for are read, so an archive full of pictures costs no memory.
class ZipArchive {
public:
    enum class Entry { Read, Missing, TooLarge, Damaged };

    // isOpen() tells whether the file is an archive whose directory could be read.
    explicit ZipArchive(const QString& path);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool isOpen() const { return archive_ != nullptr; }
    bool contains(const char* name) const;

    // Reads the entry whole into bytes, checking its length and checksum; an entry that would
    // unpack to more than maxSize bytes is not read.
    Entry read(const char* name, qint64 maxSize, QByteArray& bytes) const;

private:
    struct Source;
    std::unique_ptr<Source> source_;
    zip* archive_ = nullptr;
};

}  // namespace files
