#pragma once

#include <QString>

struct sqlite3;

namespace testing {

// A file layer for the catalogue engine that wraps the system's own and fails on demand, so
// tests can make the disk refuse a write, a read or a lock under the program. While an object
// of this class lives, every catalogue the store opens goes through it.
class FaultyVfs {
public:
    enum class Fault {
        None,
        WriteError,  // a write fails as an input/output error
        DiskFull,  // a write fails because the disk is full
        ReadError,  // a read fails as an input/output error
        Locked,  // every lock is refused, as when another program holds the file
    };

    static constexpr const char* name = "cinabrel-faulty";

    FaultyVfs();
    ~FaultyVfs();
    FaultyVfs(const FaultyVfs&) = delete;
    FaultyVfs& operator=(const FaultyVfs&) = delete;

    // Arms a fault: the first `after` operations of its kind succeed, then every one fails
    // until the fault is cleared (a persistent fault, as a dead disk gives).
    void inject(Fault fault, int after = 0);
    void clear();
    // Operations the fault refused since the last inject().
    int refused() const;
};

// Another program holding the write lock of a catalogue: a second connection in an open
// immediate transaction, released when the object goes.
class WriteLockHolder {
public:
    explicit WriteLockHolder(const QString& cataloguePath);
    ~WriteLockHolder();
    WriteLockHolder(const WriteLockHolder&) = delete;
    WriteLockHolder& operator=(const WriteLockHolder&) = delete;

private:
    sqlite3* db_ = nullptr;
};

}  // namespace testing
