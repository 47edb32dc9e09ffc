#include "support/FaultyVfs.h"

#include <sqlite3.h>
#include <stdexcept>

namespace testing {

namespace {

struct State {
    FaultyVfs::Fault fault = FaultyVfs::Fault::None;
    int allowed = 0;
    int refused = 0;
};

State& state()
{
    static State s;
    return s;
}

// Counts one operation of the given kind; true when the armed fault refuses it.
bool refuses(FaultyVfs::Fault kind)
{
    State& s = state();
    if (s.fault != kind)
        return false;
    if (s.allowed > 0) {
        --s.allowed;
        return false;
    }
    ++s.refused;
    return true;
}

sqlite3_vfs* systemVfs()
{
    static sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs;
}

// Our file: the system's file object lies right behind it.
sqlite3_file* real(sqlite3_file* file) { return file + 1; }

// Hands a call on to the system's file, unchanged.
template <auto Method>
struct Forward;
template <typename R, typename... A, R (*sqlite3_io_methods::*Method)(sqlite3_file*, A...)>
struct Forward<Method> {
    static R call(sqlite3_file* f, A... a) { return (real(f)->pMethods->*Method)(real(f), a...); }
};
template <auto Method>
constexpr auto forward = &Forward<Method>::call;

using M = sqlite3_io_methods;

const sqlite3_io_methods fileMethods = {
        3,
        forward<&M::xClose>,
        [](sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset) {
            return refuses(FaultyVfs::Fault::ReadError)
                    ? SQLITE_IOERR_READ
                    : real(f)->pMethods->xRead(real(f), buffer, amount, offset);
        },
        [](sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset) {
            if (refuses(FaultyVfs::Fault::DiskFull))
                return SQLITE_FULL;
            if (refuses(FaultyVfs::Fault::WriteError))
                return SQLITE_IOERR_WRITE;
            return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
        },
        forward<&M::xTruncate>,
        forward<&M::xSync>,
        forward<&M::xFileSize>,
        [](sqlite3_file* f, int level) {
            return refuses(FaultyVfs::Fault::Locked) ? SQLITE_BUSY : real(f)->pMethods->xLock(real(f), level);
        },
        forward<&M::xUnlock>,
        forward<&M::xCheckReservedLock>,
        forward<&M::xFileControl>,
        forward<&M::xSectorSize>,
        forward<&M::xDeviceCharacteristics>,
        forward<&M::xShmMap>,
        // Readers of a write-ahead catalogue take shared locks; only the writer's exclusive ones are
        // refused, as another program in the middle of a write would make them.
        [](sqlite3_file* f, int offset, int n, int flags) {
            const bool exclusive = (flags & SQLITE_SHM_LOCK) && (flags & SQLITE_SHM_EXCLUSIVE);
            return exclusive && refuses(FaultyVfs::Fault::Locked)
                    ? SQLITE_BUSY
                    : real(f)->pMethods->xShmLock(real(f), offset, n, flags);
        },
        forward<&M::xShmBarrier>,
        forward<&M::xShmUnmap>,
        // Memory-mapped pages would bypass the read fault, so none are handed out.
        [](sqlite3_file*, sqlite3_int64, int, void** pointer) {
            *pointer = nullptr;
            return SQLITE_OK;
        },
        forward<&M::xUnfetch>,
};

// The system's file layer but for opening, which wraps each file.
sqlite3_vfs* faultyVfs()
{
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs v = *systemVfs();
        v.pNext = nullptr;
        v.zName = FaultyVfs::name;
        v.szOsFile = int(sizeof(sqlite3_file)) + systemVfs()->szOsFile;
        v.xOpen = [](sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
            file->pMethods = nullptr;
            const int code = systemVfs()->xOpen(systemVfs(), name, real(file), flags, outFlags);
            if (real(file)->pMethods)
                file->pMethods = &fileMethods;
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

void FaultyVfs::inject(Fault fault, int after) { state() = {fault, after, 0}; }

void FaultyVfs::clear() { state().fault = Fault::None; }

int FaultyVfs::refused() const { return state().refused; }

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
