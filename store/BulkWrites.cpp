#include "store/BulkWrites.h"

#include "store/Database.h"

#include <QByteArray>
#include <sqlite3.h>

namespace store {

namespace {

constexpr int kNormal = 1;

// The one value a pragma gives; empty when it fails.
QByteArray pragmaValue(sqlite3* db, const char* pragma)
{
    sqlite3_stmt* statement = nullptr;
    QByteArray value;
    if (sqlite3_prepare_v2(db, pragma, -1, &statement, nullptr) == SQLITE_OK
        && sqlite3_step(statement) == SQLITE_ROW)
        value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    sqlite3_finalize(statement);
    return value;
}

}  // namespace

// In the write-ahead journal, NORMAL syncs nothing at a commit, yet a commit that a power cut
// reaches is lost whole and takes every later one with it: the journal's frames are chained by
// their checksums. A rollback journal promises no such order, and keeps its sync per commit.
BulkWrites::BulkWrites(Database& db) : db_(db)
{
    sqlite3* handle = db.handle();
    if (pragmaValue(handle, "PRAGMA journal_mode") != "wal")
        return;
    const int level = pragmaValue(handle, "PRAGMA synchronous").toInt();
    // An enclosing scope already relaxed it, and makes the commits durable when it ends.
    if (level <= kNormal)
        return;
    if (sqlite3_exec(handle, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) == SQLITE_OK)
        restored_ = level;
}

// The journal holds every commit made since the scope began (a checkpoint meanwhile synced the
// catalogue and the journal's new start itself): one sync of it makes them all durable, which is
// what the engine's own sync after a commit does.
BulkWrites::~BulkWrites()
{
    if (restored_ < 0)
        return;
    sqlite3* handle = db_.handle();
    const QByteArray restore = "PRAGMA synchronous=" + QByteArray::number(restored_);
    sqlite3_exec(handle, restore.constData(), nullptr, nullptr, nullptr);
    sqlite3_file* journal = nullptr;
    // A disk that refuses the sync leaves the scope's commits as a crash would: the catalogue
    // sound, its last films maybe not on the disk; a destructor has nobody to tell it to.
    if (sqlite3_file_control(handle, "main", SQLITE_FCNTL_JOURNAL_POINTER, &journal) == SQLITE_OK && journal
        && journal->pMethods)
        journal->pMethods->xSync(journal, SQLITE_SYNC_NORMAL);
}

}  // namespace store
