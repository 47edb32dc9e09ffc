#include "support/FaultyVfs.h"

#include "store/Database.h"

#include <sqlite3.h>
#include <stdexcept>

namespace testing {

namespace {

struct State {
    FaultyVfs::Fault fault = FaultyVfs::Fault::None;
    int allowed = 0;
    int refused = 0;
    int totalRefused = 0;
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
    ++s.totalRefused;
    return true;
}

bool refusesWrite() { return refuses(FaultyVfs::Fault::WriteError) || refuses(FaultyVfs::Fault::DiskFull); }

int writeFailure() { return state().fault == FaultyVfs::Fault::DiskFull ? SQLITE_FULL : SQLITE_IOERR_WRITE; }

sqlite3_vfs* systemVfs()
{
    static sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs;
}

// Our file: the system's file object lies right behind it.
struct File {
    sqlite3_file base;
    sqlite3_file* real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

sqlite3_file* real(sqlite3_file* file) { return reinterpret_cast<File*>(file)->real(); }

int fileClose(sqlite3_file* f) { return real(f)->pMethods->xClose(real(f)); }

int fileRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    if (refuses(FaultyVfs::Fault::ReadError))
        return SQLITE_IOERR_READ;
    return real(f)->pMethods->xRead(real(f), buffer, amount, offset);
}

int fileWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (refusesWrite())
        return writeFailure();
    return real(f)->pMethods->xWrite(real(f), buffer, amount, offset);
}

int fileTruncate(sqlite3_file* f, sqlite3_int64 size) { return real(f)->pMethods->xTruncate(real(f), size); }
int fileSync(sqlite3_file* f, int flags) { return real(f)->pMethods->xSync(real(f), flags); }
int fileSize(sqlite3_file* f, sqlite3_int64* size) { return real(f)->pMethods->xFileSize(real(f), size); }

int fileLock(sqlite3_file* f, int level)
{
    if (refuses(FaultyVfs::Fault::Locked))
        return SQLITE_BUSY;
    return real(f)->pMethods->xLock(real(f), level);
}

int fileUnlock(sqlite3_file* f, int level) { return real(f)->pMethods->xUnlock(real(f), level); }

int fileCheckReservedLock(sqlite3_file* f, int* result)
{
    return real(f)->pMethods->xCheckReservedLock(real(f), result);
}

int fileControl(sqlite3_file* f, int op, void* argument)
{
    return real(f)->pMethods->xFileControl(real(f), op, argument);
}

int fileSectorSize(sqlite3_file* f) { return real(f)->pMethods->xSectorSize(real(f)); }

int fileDeviceCharacteristics(sqlite3_file* f) { return real(f)->pMethods->xDeviceCharacteristics(real(f)); }

int fileShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** memory)
{
    return real(f)->pMethods->xShmMap(real(f), region, size, extend, memory);
}

// Readers of a write-ahead catalogue take shared locks; only the writer's exclusive ones are
// refused, as another program in the middle of a write would make them.
int fileShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    if ((flags & SQLITE_SHM_LOCK) && (flags & SQLITE_SHM_EXCLUSIVE) && refuses(FaultyVfs::Fault::Locked))
        return SQLITE_BUSY;
    return real(f)->pMethods->xShmLock(real(f), offset, n, flags);
}

void fileShmBarrier(sqlite3_file* f) { real(f)->pMethods->xShmBarrier(real(f)); }
int fileShmUnmap(sqlite3_file* f, int deleteFlag)
{
    return real(f)->pMethods->xShmUnmap(real(f), deleteFlag);
}

// Memory-mapped pages would bypass the read fault, so none are handed out.
int fileFetch(sqlite3_file*, sqlite3_int64, int, void** pointer)
{
    *pointer = nullptr;
    return SQLITE_OK;
}

int fileUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* pointer)
{
    return real(f)->pMethods->xUnfetch(real(f), offset, pointer);
}

const sqlite3_io_methods fileMethods = {
        3,
        fileClose,
        fileRead,
        fileWrite,
        fileTruncate,
        fileSync,
        fileSize,
        fileLock,
        fileUnlock,
        fileCheckReservedLock,
        fileControl,
        fileSectorSize,
        fileDeviceCharacteristics,
        fileShmMap,
        fileShmLock,
        fileShmBarrier,
        fileShmUnmap,
        fileFetch,
        fileUnfetch,
};

int vfsOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* ours = reinterpret_cast<File*>(file);
    ours->base.pMethods = nullptr;
    const int code = systemVfs()->xOpen(systemVfs(), name, ours->real(), flags, outFlags);
    if (ours->real()->pMethods)
        ours->base.pMethods = &fileMethods;
    return code;
}

int vfsDelete(sqlite3_vfs*, const char* name, int syncDir)
{
    return systemVfs()->xDelete(systemVfs(), name, syncDir);
}

int vfsAccess(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return systemVfs()->xAccess(systemVfs(), name, flags, result);
}

int vfsFullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return systemVfs()->xFullPathname(systemVfs(), name, size, out);
}

void* vfsDlOpen(sqlite3_vfs*, const char* name) { return systemVfs()->xDlOpen(systemVfs(), name); }
void vfsDlError(sqlite3_vfs*, int size, char* out) { systemVfs()->xDlError(systemVfs(), size, out); }

void (*vfsDlSym(sqlite3_vfs*, void* handle, const char* symbol))(void)
{
    return systemVfs()->xDlSym(systemVfs(), handle, symbol);
}

void vfsDlClose(sqlite3_vfs*, void* handle) { systemVfs()->xDlClose(systemVfs(), handle); }
int vfsRandomness(sqlite3_vfs*, int size, char* out)
{
    return systemVfs()->xRandomness(systemVfs(), size, out);
}
int vfsSleep(sqlite3_vfs*, int microseconds) { return systemVfs()->xSleep(systemVfs(), microseconds); }
int vfsCurrentTime(sqlite3_vfs*, double* now) { return systemVfs()->xCurrentTime(systemVfs(), now); }
int vfsGetLastError(sqlite3_vfs*, int size, char* out)
{
    return systemVfs()->xGetLastError(systemVfs(), size, out);
}

int vfsCurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now)
{
    return systemVfs()->xCurrentTimeInt64(systemVfs(), now);
}

sqlite3_vfs* faultyVfs()
{
    static sqlite3_vfs vfs = [] {
        sqlite3_vfs v {};
        v.iVersion = 2;
        v.szOsFile = int(sizeof(File)) + systemVfs()->szOsFile;
        v.mxPathname = systemVfs()->mxPathname;
        v.zName = FaultyVfs::name;
        v.xOpen = vfsOpen;
        v.xDelete = vfsDelete;
        v.xAccess = vfsAccess;
        v.xFullPathname = vfsFullPathname;
        v.xDlOpen = vfsDlOpen;
        v.xDlError = vfsDlError;
        v.xDlSym = vfsDlSym;
        v.xDlClose = vfsDlClose;
        v.xRandomness = vfsRandomness;
        v.xSleep = vfsSleep;
        v.xCurrentTime = vfsCurrentTime;
        v.xGetLastError = vfsGetLastError;
        v.xCurrentTimeInt64 = vfsCurrentTimeInt64;
        return v;
    }();
    return &vfs;
}

}  // namespace

// The engine's default file layer, which every connection the program opens goes through.
FaultyVfs::FaultyVfs()
{
    systemVfs();
    if (sqlite3_vfs_register(faultyVfs(), 1) != SQLITE_OK)
        throw std::runtime_error("the faulty file layer could not be registered");
    clear();
}

FaultyVfs::~FaultyVfs()
{
    clear();
    sqlite3_vfs_register(systemVfs(), 1);
}

void FaultyVfs::inject(Fault fault, int after)
{
    state().fault = fault;
    state().allowed = after;
    state().refused = 0;
}

void FaultyVfs::clear() { state().fault = Fault::None; }

FaultyVfs::Fault FaultyVfs::armed() const { return state().fault; }

int FaultyVfs::refused() const { return state().refused; }

int FaultyVfs::totalRefused() { return state().totalRefused; }

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
