#include "store/Schema.h"

#include "store/Database.h"
#include "store/DbError.h"

#include <sqlite3.h>

namespace store {

namespace {

// The tables beside film, each made only when missing. Their text columns compare as film's do.
const char* const kTables[] = {
        // The catalogue's own settings: one value a name.
        "CREATE TABLE IF NOT EXISTS reglage (nom TEXT PRIMARY KEY NOT NULL COLLATE FRANCAIS, valeur TEXT)",
};

}  // namespace

void completeSchema(Database& db)
{
    try {
        for (const char* table : kTables)
            db.execute(Statement {QString::fromLatin1(table), {}});
    } catch (const DbError& error) {
        // A file the user may only read still opens, without what the program would add to it.
        if ((error.engineCode() & 0xff) != SQLITE_READONLY)
            throw;
    }
}

}  // namespace store
