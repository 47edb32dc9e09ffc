#include "files/ZipArchive.h"

#include <limits>
#include <zip.h>

namespace files {

// The file as libzip reads a source: it asks for a seekable, read-only stream.
struct ZipArchive::Source {
    QFile file;
    zip_error_t error {};

    zip_int64_t fail(int code)
    {
        zip_error_set(&error, code, 0);
        return -1;
    }

    static zip_int64_t call(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        auto& source = *static_cast<Source*>(state);
        QFile& file = source.file;
        switch (command) {
        case ZIP_SOURCE_OPEN:
            return file.seek(0) ? 0 : source.fail(ZIP_ER_SEEK);
        case ZIP_SOURCE_READ: {
            const auto wanted = qint64(qMin<zip_uint64_t>(length, std::numeric_limits<int>::max()));
            const qint64 read = file.read(static_cast<char*>(data), wanted);
            return read < 0 ? source.fail(ZIP_ER_READ) : read;
        }
        case ZIP_SOURCE_CLOSE:
        case ZIP_SOURCE_FREE:
            return 0;
        case ZIP_SOURCE_STAT: {
            auto* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &source.error);
            if (stat == nullptr)
                return -1;
            zip_stat_init(stat);
            stat->size = zip_uint64_t(file.size());
            stat->valid |= ZIP_STAT_SIZE;
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&source.error, data, length);
        case ZIP_SOURCE_SEEK: {
            const zip_int64_t offset = zip_source_seek_compute_offset(
                    zip_uint64_t(file.pos()), zip_uint64_t(file.size()), data, length, &source.error);
            if (offset < 0)
                return -1;
            return file.seek(offset) ? 0 : source.fail(ZIP_ER_SEEK);
        }
        case ZIP_SOURCE_TELL:
            return file.pos();
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                                  ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                                  ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_SUPPORTS, -1);
        default:
            return source.fail(ZIP_ER_OPNOTSUPP);
        }
    }
};

ZipArchive::ZipArchive(const QString& path) : source_(std::make_unique<Source>())
{
    source_->file.setFileName(path);
    if (!source_->file.open(QIODevice::ReadOnly))
        return;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(&Source::call, source_.get(), &error);
    if (source != nullptr) {
        archive_ = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (archive_ == nullptr)
            zip_source_free(source);
    }
    zip_error_fini(&error);
}

ZipArchive::~ZipArchive()
{
    if (archive_ != nullptr)
        zip_discard(archive_);
}

bool ZipArchive::contains(const char* name) const
{
    return archive_ != nullptr && zip_name_locate(archive_, name, 0) >= 0;
}

ZipArchive::Entry ZipArchive::read(const char* name, qint64 maxSize, QByteArray& bytes) const
{
    const zip_int64_t index = archive_ != nullptr ? zip_name_locate(archive_, name, 0) : -1;
    if (index < 0)
        return Entry::Missing;
    zip_stat_t stat;
    if (zip_stat_index(archive_, zip_uint64_t(index), 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0)
        return Entry::Damaged;
    if (stat.size > zip_uint64_t(maxSize))
        return Entry::TooLarge;
    zip_file_t* entry = zip_fopen_index(archive_, zip_uint64_t(index), 0);
    if (entry == nullptr)
        return Entry::Damaged;
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_fread(entry, bytes.data(), stat.size);
    // The checksum is compared once the entry's end is reached: one more read must find it.
    char past = 0;
    const bool whole = read == zip_int64_t(stat.size) && zip_fread(entry, &past, 1) == 0;
    const bool closed = zip_fclose(entry) == 0;
    if (whole && closed)
        return Entry::Read;
    bytes.clear();
    return Entry::Damaged;
}

}  // namespace files
