#include "support/FaultyVfs.h"

#include <sqlite3.h>
#include <map>
#include <stdexcept>

namespace testing {

namespace {

struct State {
    FaultyVfs::Fault fault = FaultyVfs::Fault::None;
    int allowed = 0;
    int refused = 0;
} state;

// Counts one operation of the given kind; true when the armed fault refuses it.
bool refuses(FaultyVfs::Fault kind)
{
    if (state.fault != kind)
        return false;
    if (state.allowed > 0) {
        --state.allowed;
        return false;
    }
    ++state.refused;
    return true;
}

sqlite3_vfs* systemVfs()
{
    static sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs;
}

// A file's methods: the system's, but for the operations that can fail. The system has its own
// for each kind of file (a catalogue, its journal), which ours call.
struct Methods {
    sqlite3_io_methods faulty;  // first: a file's pMethods points at the whole
    const sqlite3_io_methods* system;
};

const sqlite3_io_methods& original(sqlite3_file* f)
{
    return *reinterpret_cast<const Methods*>(f->pMethods)->system;
}

sqlite3_io_methods faultyMethods(const sqlite3_io_methods& own)
{
    sqlite3_io_methods m = own;
    m.xRead = [](sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
        return refuses(FaultyVfs::Fault::ReadError) ? SQLITE_IOERR_READ
                                                    : original(f).xRead(f, buffer, amount, offset);
    };
    m.xWrite = [](sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
        if (refuses(FaultyVfs::Fault::DiskFull))
            return SQLITE_FULL;
        return refuses(FaultyVfs::Fault::WriteError) ? SQLITE_IOERR_WRITE
                                                     : original(f).xWrite(f, buffer, amount, offset);
    };
    m.xLock = [](sqlite3_file* f, int level) {
        return refuses(FaultyVfs::Fault::Locked) ? SQLITE_BUSY : original(f).xLock(f, level);
    };
    // Readers of a write-ahead catalogue take shared locks; only the writer's exclusive ones are
    // refused, as another program in the middle of a write would make them.
    m.xShmLock = [](sqlite3_file* f, int offset, int n, int flags) {
        const bool exclusive = (flags & SQLITE_SHM_LOCK) && (flags & SQLITE_SHM_EXCLUSIVE);
        return exclusive && refuses(FaultyVfs::Fault::Locked) ? SQLITE_BUSY
                                                              : original(f).xShmLock(f, offset, n, flags);
    };
    // Memory-mapped pages would bypass the read fault, so none are handed out.
    m.xFetch = [](sqlite3_file*, sqlite3_int64, int, void** pointer) {
        *pointer = nullptr;
        return SQLITE_OK;
    };
    return m;
}

// The system's file layer, whose files get our methods once opened.
sqlite3_vfs* faultyVfs()
{
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs v = *systemVfs();
        v.pNext = nullptr;
        v.zName = FaultyVfs::name;
        v.xOpen = [](sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
            static std::map<const sqlite3_io_methods*, Methods> wrapped;  // its nodes never move
            const int code = systemVfs()->xOpen(systemVfs(), name, file, flags, outFlags);
            if (file->pMethods) {
                auto [at, added] = wrapped.try_emplace(file->pMethods);
                if (added)
                    at->second = {faultyMethods(*file->pMethods), file->pMethods};
                file->pMethods = &at->second.faulty;
            }
            return code;
        };
        return v;
    }();
    return &vfs;
}

}  // namespace

// The engine's default file layer, which every connection the program opens goes through.
FaultyVfs::FaultyVfs()
{
    if (sqlite3_vfs_register(faultyVfs(), 1) != SQLITE_OK)
        throw std::runtime_error("the faulty file layer could not be registered");
    clear();
}

FaultyVfs::~FaultyVfs()
{
    clear();
    sqlite3_vfs_register(systemVfs(), 1);
}

void FaultyVfs::inject(Fault fault, int after) { state = {fault, after, 0}; }

void FaultyVfs::clear() { state.fault = Fault::None; }

int FaultyVfs::refused() const { return state.refused; }

WriteLockHolder::WriteLockHolder(const QString& cataloguePath)
{
    int code = sqlite3_open_v2(cataloguePath.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE,
                               systemVfs()->zName);
    if (code == SQLITE_OK)
        code = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db_);
        sqlite3_close_v2(db_);
        throw std::runtime_error("the write lock could not be taken: " + message);
    }
}

WriteLockHolder::~WriteLockHolder()
{
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
}

}  // namespace testing
