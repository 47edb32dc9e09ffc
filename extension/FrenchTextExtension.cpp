// The loadable SQLite extension libcinabrel_francais: the program's collation FRANCAIS and LIKE,
// so that SQLite's own tools can read and write a catalogue and keep its indexes in order.
#include "store/FrenchText.h"

#include <QtGlobal>
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

// The entry point SQLite derives from the file's name ("lib" and all but the letters dropped), so
// ".load libcinabrel_francais" needs no second argument.
extern "C" Q_DECL_EXPORT int sqlite3_cinabrelfrancais_init(sqlite3* db, char**,
                                                           const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    store::registerFrenchText(db);
    return SQLITE_OK;
}
