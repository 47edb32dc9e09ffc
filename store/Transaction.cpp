#include "store/Transaction.h"

#include "store/Database.h"
#include "store/DbError.h"

#include <sqlite3.h>

namespace store {

namespace {

void run(Database& db, const char* sql) { db.execute(Statement {QString::fromLatin1(sql), {}}); }

}  // namespace

// Outside any transaction, the write lock is taken at once: a transaction that read first and then
// found another program's commit in between could only fail, where waiting for the lock succeeds.
Transaction::Transaction(Database& db) : db_(db), nested_(sqlite3_get_autocommit(db.handle()) == 0)
{
    run(db_, nested_ ? "SAVEPOINT ecriture" : "BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (finished_)
        return;
    try {
        if (nested_) {
            run(db_, "ROLLBACK TO ecriture");
            run(db_, "RELEASE ecriture");
        } else if (sqlite3_get_autocommit(db_.handle()) == 0) {
            // A full disk or a failed write may already have ended it.
            run(db_, "ROLLBACK");
        }
    } catch (const DbError&) {
        // Nothing more can be undone; the engine leaves the file as its last commit.
    }
}

void Transaction::commit()
{
    run(db_, nested_ ? "RELEASE ecriture" : "COMMIT");
    finished_ = true;
}

}  // namespace store
