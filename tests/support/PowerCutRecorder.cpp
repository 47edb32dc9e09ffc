#include "support/PowerCutRecorder.h"

#include "store/DiskSteps.h"
#include "support/Files.h"
#include "support/WrappedVfs.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QSaveFile>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>

namespace testing {

namespace {

constexpr const char* kVfsName = "cinabrel-power-cut";

struct OpenFile {
    QString path;
    // The system's layer syncs a journal's folder at the journal's first sync, when it may have
    // made the journal.
    bool folderAtFirstSync = false;
};

struct Recording {
    QString root;  // canonical
    FileSet start;
    std::vector<DiskEvent> events;
    std::map<sqlite3_file*, OpenFile> files;  // the engine's files under the root
    std::set<const QFileDevice*> synced;  // saved files synced, whose steps are recorded at their commit
};

std::unique_ptr<Recording> recording;

void record(DiskEvent event) { recording->events.push_back(std::move(event)); }

// The path under the recorded folder ("" for the folder itself), or nothing outside it.
std::optional<QString> relative(const QString& absolute)
{
    const QFileInfo info(absolute);
    const QString folder = QFileInfo(info.path()).canonicalFilePath();
    if (folder.isEmpty())
        return std::nullopt;
    const QString path = folder + u'/' + info.fileName();
    if (path == recording->root)
        return QString();
    if (!path.startsWith(recording->root + u'/'))
        return std::nullopt;
    return path.mid(recording->root.size() + 1);
}

// Nothing once the recorder is gone: a connection it saw may outlive it.
OpenFile* recorded(sqlite3_file* f)
{
    if (!recording)
        return nullptr;
    const auto found = recording->files.find(f);
    return found == recording->files.end() ? nullptr : &found->second;
}

sqlite3_io_methods recordingMethods(const sqlite3_io_methods& own)
{
    sqlite3_io_methods m = own;
    m.xClose = [](sqlite3_file* f) {
        if (recording)
            recording->files.erase(f);
        return systemMethods(f).xClose(f);
    };
    m.xWrite = [](sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
        const int code = systemMethods(f).xWrite(f, buffer, amount, offset);
        if (const OpenFile* file = recorded(f); file && code == SQLITE_OK)
            record(DiskEvent::write(file->path, offset,
                                    QByteArray(static_cast<const char*>(buffer), amount)));
        return code;
    };
    m.xTruncate = [](sqlite3_file* f, sqlite3_int64 size) {
        const int code = systemMethods(f).xTruncate(f, size);
        if (const OpenFile* file = recorded(f); file && code == SQLITE_OK)
            record(DiskEvent::truncate(file->path, size));
        return code;
    };
    m.xSync = [](sqlite3_file* f, int flags) {
        OpenFile* file = recorded(f);
        if (!file)
            return systemMethods(f).xSync(f, flags);
        record(DiskEvent::sync(file->path, file->folderAtFirstSync));
        file->folderAtFirstSync = false;
        return SQLITE_OK;
    };
    return m;
}

sqlite3_vfs* recordingVfs()
{
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs v = wrappingVfs(
                kVfsName,
                [](sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
                    const std::optional<QString> path =
                            name && recording ? relative(QString::fromUtf8(name)) : std::optional<QString>();
                    const bool existed = path && QFileInfo::exists(QString::fromUtf8(name));
                    const int code = openWrapped(recordingMethods, name, file, flags, outFlags);
                    if (code == SQLITE_OK && path && !path->isEmpty()) {
                        const bool journal = flags
                                & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL | SQLITE_OPEN_SUPER_JOURNAL);
                        recording->files[file] = {*path, journal && (flags & SQLITE_OPEN_CREATE)};
                        if (!existed)
                            record(DiskEvent::create(*path));
                    }
                    return code;
                });
        v.xDelete = [](sqlite3_vfs*, const char* name, int syncFolder) {
            const int code = systemVfs()->xDelete(systemVfs(), name, syncFolder);
            if (!recording || code != SQLITE_OK)
                return code;
            if (const std::optional<QString> path = relative(QString::fromUtf8(name)); path)
                record(DiskEvent::remove(*path, syncFolder != 0));
            return code;
        };
        return v;
    }();
    return &vfs;
}

// The program's disk steps, taken and recorded. A saved file's bytes are known only once it is in
// place: its steps are recorded then, in the order they were taken.
class RecordedSteps : public store::DiskSteps {
public:
    bool syncFile(QFileDevice& file) override
    {
        const bool synced = DiskSteps::syncFile(file);
        if (synced)
            recording->synced.insert(&file);
        return synced;
    }

    bool commit(QSaveFile& file) override
    {
        const bool synced = recording->synced.erase(&file) > 0;
        if (!DiskSteps::commit(file))
            return false;
        if (const std::optional<QString> path = relative(file.fileName()); path) {
            const QString saving = *path + QStringLiteral(".saving");
            record(DiskEvent::create(saving));
            record(DiskEvent::write(saving, 0, fileBytes(file.fileName())));
            if (synced)
                record(DiskEvent::sync(saving));
            record(DiskEvent::rename(saving, *path));
        }
        return true;
    }

    bool rename(const QString& from, const QString& to) override
    {
        if (!DiskSteps::rename(from, to))
            return false;
        const std::optional<QString> source = relative(from);
        const std::optional<QString> target = relative(to);
        if (source && target)
            record(DiskEvent::rename(*source, *target));
        return true;
    }

    bool remove(const QString& path) override
    {
        if (!DiskSteps::remove(path))
            return false;
        if (const std::optional<QString> removed = relative(path); removed)
            record(DiskEvent::remove(*removed));
        return true;
    }

    void syncFolder(const QString& folder) override
    {
        DiskSteps::syncFolder(folder);
        if (const std::optional<QString> synced = relative(folder); synced)
            record(DiskEvent::syncFolder(*synced));
    }
};

RecordedSteps steps;

}  // namespace

PowerCutRecorder::PowerCutRecorder(const QString& folder)
{
    if (recording)
        throw std::logic_error("one power cut recorder at a time");
    recording = std::make_unique<Recording>();
    recording->root = QFileInfo(folder).canonicalFilePath();
    QDirIterator files(recording->root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        if (!path.endsWith(QStringLiteral("-shm")))
            recording->start[*relative(path)] = fileBytes(path);
    }
    if (sqlite3_vfs_register(recordingVfs(), 1) != SQLITE_OK)
        throw std::runtime_error("the recording file layer could not be registered");
    store::setDiskSteps(&steps);
}

PowerCutRecorder::~PowerCutRecorder()
{
    store::setDiskSteps(nullptr);
    sqlite3_vfs_register(systemVfs(), 1);
    recording.reset();
}

const FileSet& PowerCutRecorder::start() const { return recording->start; }

const std::vector<DiskEvent>& PowerCutRecorder::events() const { return recording->events; }

}  // namespace testing
