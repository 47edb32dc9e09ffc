#include "support/SimulatedDisk.h"

#include "support/Files.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <tuple>

namespace testing {

namespace {

// "" for the recorded folder itself.
QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash);
}

void resizeWithZeros(QByteArray& data, qint64 size)
{
    const qint64 former = data.size();
    data.resize(size);
    if (size > former)
        std::memset(data.data() + former, 0, std::size_t(size - former));
}

}  // namespace

void SimulatedDisk::NameChange::applyTo(std::map<QString, int>& names) const
{
    switch (kind) {
    case Kind::Link:
        names[path] = inode;
        break;
    case Kind::Unlink:
        names.erase(path);
        break;
    case Kind::Rename:
        names.erase(path);
        names[to] = inode;
        break;
    }
}

SimulatedDisk::SimulatedDisk(FileSet onDisk)
{
    for (auto& [path, bytes] : onDisk) {
        durableNames_[path] = names_[path] = int(inodes_.size());
        inodes_.push_back({std::move(bytes), {}});
    }
}

int SimulatedDisk::inodeOf(const QString& path) const
{
    const auto found = names_.find(path);
    if (found == names_.end())
        throw std::logic_error("a step on a file the simulated disk does not hold: " + path.toStdString());
    return found->second;
}

void SimulatedDisk::apply(const DiskEvent& event)
{
    switch (event.kind) {
    case DiskEvent::Kind::Create: {
        const int inode = int(inodes_.size());
        inodes_.push_back({});
        names_[event.path] = inode;
        pendingNames_.push_back({NameChange::Kind::Link, event.path, {}, inode});
        break;
    }
    case DiskEvent::Kind::Write:
        inodes_[inodeOf(event.path)].pending.push_back({event.offset, event.bytes});
        break;
    case DiskEvent::Kind::Truncate:
        inodes_[inodeOf(event.path)].pending.push_back({event.offset, {}, true});
        break;
    case DiskEvent::Kind::Sync: {
        Inode& inode = inodes_[inodeOf(event.path)];
        inode.durable = content(inode, [](const Inode&, std::size_t, qint64) { return true; });
        inode.pending.clear();
        if (event.folderToo)
            syncFolder(folderOf(event.path));
        break;
    }
    case DiskEvent::Kind::Remove: {
        const int inode = inodeOf(event.path);
        names_.erase(event.path);
        pendingNames_.push_back({NameChange::Kind::Unlink, event.path, {}, inode});
        if (event.folderToo)
            syncFolder(folderOf(event.path));
        break;
    }
    case DiskEvent::Kind::Rename: {
        const int inode = inodeOf(event.path);
        names_.erase(event.path);
        names_[event.to] = inode;
        pendingNames_.push_back({NameChange::Kind::Rename, event.path, event.to, inode});
        break;
    }
    case DiskEvent::Kind::SyncFolder:
        syncFolder(event.path);
        break;
    }
}

void SimulatedDisk::syncFolder(const QString& folder)
{
    auto inFolder = [&folder](const NameChange& change) {
        return folderOf(change.path) == folder
                || (change.kind == NameChange::Kind::Rename && folderOf(change.to) == folder);
    };
    for (const NameChange& change : pendingNames_) {
        if (inFolder(change))
            change.applyTo(durableNames_);
    }
    std::erase_if(pendingNames_, inFolder);
}

QByteArray SimulatedDisk::content(const Inode& inode, const Keep& keep) const
{
    QByteArray data = inode.durable;
    for (std::size_t c = 0; c < inode.pending.size(); ++c) {
        const Change& change = inode.pending[c];
        if (change.truncation) {
            if (keep(inode, c, -1))
                resizeWithZeros(data, change.offset);
            continue;
        }
        const qint64 end = change.offset + change.bytes.size();
        for (qint64 sector = change.offset / kSector; sector * kSector < end; ++sector) {
            if (!keep(inode, c, sector))
                continue;
            const qint64 from = std::max(change.offset, sector * kSector);
            const qint64 until = std::min(end, (sector + 1) * kSector);
            if (data.size() < until)
                resizeWithZeros(data, until);
            std::memcpy(data.data() + from, change.bytes.constData() + (from - change.offset),
                        std::size_t(until - from));
        }
    }
    return data;
}

FileSet SimulatedDisk::filesWith(const std::map<QString, int>& names, const Keep& keep) const
{
    FileSet files;
    for (const auto& [path, inode] : names)
        files[path] = content(inodes_[inode], keep);
    return files;
}

FileSet SimulatedDisk::now() const
{
    return filesWith(names_, [](const Inode&, std::size_t, qint64) { return true; });
}

FileSet SimulatedDisk::afterCut() const
{
    return filesWith(durableNames_, [](const Inode&, std::size_t, qint64) { return false; });
}

FileSet SimulatedDisk::afterCut(QRandomGenerator& random) const
{
    std::map<QString, int> names = durableNames_;
    for (const NameChange& change : pendingNames_) {
        if (random.bounded(2) == 1)
            change.applyTo(names);
    }
    return filesWith(names, [&random](const Inode&, std::size_t, qint64) { return random.bounded(2) == 1; });
}

std::set<CutState> SimulatedDisk::statesAfterCut(const QStringList& paths) const
{
    std::vector<const NameChange*> changes;
    for (const NameChange& change : pendingNames_) {
        if (std::any_of(paths.begin(), paths.end(), [&](const QString& p) { return change.touches(p); }))
            changes.push_back(&change);
    }
    if (changes.size() > 16)
        throw std::logic_error("too many changes of names not yet synced to try them all");

    using Choice = std::tuple<const Inode*, std::size_t, qint64>;
    std::set<CutState> states;
    QRandomGenerator random(20261207);
    for (quint32 namesKept = 0; namesKept < (1u << changes.size()); ++namesKept) {
        std::map<QString, int> names = durableNames_;
        for (std::size_t j = 0; j < changes.size(); ++j) {
            if (namesKept & (1u << j))
                changes[j]->applyTo(names);
        }
        // Every sector or truncation not yet synced in the files these paths name.
        std::vector<Choice> choices;
        std::set<int> seen;
        for (const QString& path : paths) {
            const auto named = names.find(path);
            if (named == names.end() || !seen.insert(named->second).second)
                continue;
            const Inode& inode = inodes_[named->second];
            for (std::size_t c = 0; c < inode.pending.size(); ++c) {
                const Change& change = inode.pending[c];
                if (change.truncation) {
                    choices.emplace_back(&inode, c, -1);
                    continue;
                }
                for (qint64 s = change.offset / kSector; s * kSector < change.offset + change.bytes.size();
                     ++s)
                    choices.emplace_back(&inode, c, s);
            }
        }
        auto addState = [&](const std::set<Choice>& kept) {
            const Keep keep = [&kept](const Inode& inode, std::size_t c, qint64 s) {
                return kept.count({&inode, c, s}) > 0;
            };
            CutState state;
            for (const QString& path : paths) {
                const auto named = names.find(path);
                state[path] = named == names.end() ? std::nullopt
                                                   : std::optional(content(inodes_[named->second], keep));
            }
            states.insert(std::move(state));
        };
        if (choices.size() <= std::size_t(kEnumeratedSectors)) {
            for (quint32 mask = 0; mask < (1u << choices.size()); ++mask) {
                std::set<Choice> kept;
                for (std::size_t k = 0; k < choices.size(); ++k) {
                    if (mask & (1u << k))
                        kept.insert(choices[k]);
                }
                addState(kept);
            }
        } else {
            addState({});
            addState({choices.begin(), choices.end()});
            for (int sample = 0; sample < 30; ++sample) {
                std::set<Choice> kept;
                for (const Choice& choice : choices) {
                    if (random.bounded(2) == 1)
                        kept.insert(choice);
                }
                addState(kept);
            }
        }
    }
    return states;
}

void SimulatedDisk::lay(const FileSet& files, const QString& folder)
{
    const QDir root(folder);
    for (const auto& [path, bytes] : files) {
        const QString target = root.filePath(path);
        if (!QDir().mkpath(QFileInfo(target).path()) || !writeBytes(target, bytes))
            throw std::runtime_error("the files after a cut could not be laid: " + target.toStdString());
    }
}

}  // namespace testing
