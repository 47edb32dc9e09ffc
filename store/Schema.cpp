#include "store/Schema.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/SearchTexts.h"

#include <sqlite3.h>

namespace store {

namespace {

// The tables beside film, each made only when missing. Their text columns compare as film's do.
const char* const kTables[] = {
        // The films' folded texts for the search of every field, kept by SearchTexts; a NULL text is
        // one to fold again.
        "CREATE TABLE IF NOT EXISTS film_recherche (code_film INTEGER PRIMARY KEY NOT NULL, texte BLOB)",
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
    SearchTexts(db).keepInStep();
}

}  // namespace store
