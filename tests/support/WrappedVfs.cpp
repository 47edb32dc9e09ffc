#include "support/WrappedVfs.h"

#include <map>
#include <utility>

namespace testing {

namespace {

struct Methods {
    sqlite3_io_methods wrapping;  // first: a file's pMethods points at the whole
    const sqlite3_io_methods* system;
};

}  // namespace

sqlite3_vfs* systemVfs()
{
    static sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs;
}

int openWrapped(WrapMethods wrap, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags)
{
    // The system has its own methods for each kind of file; their nodes never move.
    static std::map<std::pair<WrapMethods, const sqlite3_io_methods*>, Methods> wrapped;
    const int code = systemVfs()->xOpen(systemVfs(), name, file, flags, outFlags);
    if (file->pMethods) {
        auto [at, added] = wrapped.try_emplace({wrap, file->pMethods});
        if (added)
            at->second = {wrap(*file->pMethods), file->pMethods};
        file->pMethods = &at->second.wrapping;
    }
    return code;
}

const sqlite3_io_methods& systemMethods(sqlite3_file* file)
{
    return *reinterpret_cast<const Methods*>(file->pMethods)->system;
}

sqlite3_vfs wrappingVfs(const char* name, decltype(sqlite3_vfs::xOpen) open)
{
    sqlite3_vfs vfs = *systemVfs();
    vfs.pNext = nullptr;
    vfs.zName = name;
    vfs.xOpen = open;
    return vfs;
}

}  // namespace testing
