#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <vector>

class QRandomGenerator;

namespace testing {

// One step that changes what the disk holds, as the catalogue engine's file layer or the program's
// disk steps took it. Paths are relative to the folder recorded.
struct DiskEvent {
    enum class Kind { Create, Write, Truncate, Sync, Remove, Rename, SyncFolder };
    Kind kind;
    QString path;  // SyncFolder: the folder
    QString to;  // Rename: the new name
    qint64 offset = 0;  // Write: where; Truncate: the new size
    QByteArray bytes;  // Write
    // Sync, Remove: the file's folder synced along, as the engine's layer does for its journals.
    bool folderToo = false;

    static DiskEvent create(const QString& path) { return {Kind::Create, path, {}, 0, {}, false}; }
    static DiskEvent write(const QString& path, qint64 offset, const QByteArray& bytes)
    {
        return {Kind::Write, path, {}, offset, bytes, false};
    }
    static DiskEvent truncate(const QString& path, qint64 size)
    {
        return {Kind::Truncate, path, {}, size, {}, false};
    }
    static DiskEvent sync(const QString& path, bool folderToo = false)
    {
        return {Kind::Sync, path, {}, 0, {}, folderToo};
    }
    static DiskEvent remove(const QString& path, bool folderToo = false)
    {
        return {Kind::Remove, path, {}, 0, {}, folderToo};
    }
    static DiskEvent rename(const QString& from, const QString& to)
    {
        return {Kind::Rename, from, to, 0, {}, false};
    }
    static DiskEvent syncFolder(const QString& folder)
    {
        return {Kind::SyncFolder, folder, {}, 0, {}, false};
    }
};

// Files by their relative path.
using FileSet = std::map<QString, QByteArray>;
// What a power cut leaves of some paths: each file's bytes, or nothing where no file is left.
using CutState = std::map<QString, std::optional<QByteArray>>;

// Replays recorded steps and tells what a power cut after them would leave, the way the catalogue
// engine's own crash tests see a disk. A file's bytes are on the disk for good once the file is
// synced; a name made, changed or removed, once its folder is. A cut may lose all the rest, or keep
// any part of it: each sector of each write, each truncation and each change of a name, kept or lost
// whatever the order in which they were made (never torn inside a sector, never garbage).
class SimulatedDisk {
public:
    static constexpr qint64 kSector = 512;
    // Up to this many sectors not yet synced, every choice of those kept is tried; past it, a sample.
    static constexpr int kEnumeratedSectors = 10;

    // The files as they are on the disk for good before the first step.
    explicit SimulatedDisk(FileSet onDisk);
    void apply(const DiskEvent& event);

    // The files as the program sees them: every step as taken.
    FileSet now() const;
    // Everything not synced lost.
    FileSet afterCut() const;
    // Some of what was not synced kept, chosen at random.
    FileSet afterCut(QRandomGenerator& random) const;
    // Every state of these paths that a cut now could leave: all the choices among the changes of their
    // names not yet synced, and among the sectors of their bytes not yet synced up to kEnumeratedSectors
    // (past it: none kept, all kept, and random choices).
    std::set<CutState> statesAfterCut(const QStringList& paths) const;

    // Writes files into a folder, the folders between made.
    static void lay(const FileSet& files, const QString& folder);

private:
    struct Change {
        qint64 offset;  // a truncation: the new size
        QByteArray bytes;
        bool truncation = false;
    };
    struct Inode {
        QByteArray durable;
        std::vector<Change> pending;
    };
    struct NameChange {
        enum class Kind { Link, Unlink, Rename } kind;
        QString path, to;
        int inode;
        bool touches(const QString& name) const { return path == name || to == name; }
        void applyTo(std::map<QString, int>& names) const;
    };
    // Whether a sector of a pending change (-1: the truncation) is kept.
    using Keep = std::function<bool(const Inode&, std::size_t change, qint64 sector)>;

    int inodeOf(const QString& path) const;
    QByteArray content(const Inode& inode, const Keep& keep) const;
    FileSet filesWith(const std::map<QString, int>& names, const Keep& keep) const;
    void syncFolder(const QString& folder);

    std::vector<Inode> inodes_;
    std::map<QString, int> names_;  // as the program sees them
    std::map<QString, int> durableNames_;
    std::vector<NameChange> pendingNames_;
};

}  // namespace testing
