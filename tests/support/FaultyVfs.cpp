#include "support/FaultyVfs.h"

#include "support/WrappedVfs.h"

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

// A file's methods: the system's, but for the operations that can fail.
sqlite3_io_methods faultyMethods(const sqlite3_io_methods& own)
{
    sqlite3_io_methods m = own;
    m.xRead = [](sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
        return refuses(FaultyVfs::Fault::ReadError) ? SQLITE_IOERR_READ
                                                    : systemMethods(f).xRead(f, buffer, amount, offset);
    };
    m.xWrite = [](sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
        if (refuses(FaultyVfs::Fault::DiskFull))
            return SQLITE_FULL;
        return refuses(FaultyVfs::Fault::WriteError) ? SQLITE_IOERR_WRITE
                                                     : systemMethods(f).xWrite(f, buffer, amount, offset);
    };
    m.xLock = [](sqlite3_file* f, int level) {
        return refuses(FaultyVfs::Fault::Locked) ? SQLITE_BUSY : systemMethods(f).xLock(f, level);
    };
    // Readers of a write-ahead catalogue take shared locks; only the writer's exclusive ones are
    // refused, as another program in the middle of a write would make them.
    m.xShmLock = [](sqlite3_file* f, int offset, int n, int flags) {
        const bool exclusive = (flags & SQLITE_SHM_LOCK) && (flags & SQLITE_SHM_EXCLUSIVE);
        return exclusive && refuses(FaultyVfs::Fault::Locked)
                ? SQLITE_BUSY
                : systemMethods(f).xShmLock(f, offset, n, flags);
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
    static sqlite3_vfs vfs = wrappingVfs(
            FaultyVfs::name,
            [](sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
                return openWrapped(faultyMethods, name, file, flags, outFlags);
            });
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
