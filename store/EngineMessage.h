#pragma once

#include <QString>

struct sqlite3;

namespace store {

// What went wrong, in French, for a result code of the engine; the connection, when given, tells
// which table, column or word a statement it refused was about.
QString engineMessage(sqlite3* db, int code);

// Throws DbError: what failed, then why ("<what> : le disque est plein").
[[noreturn]] void throwEngineError(sqlite3* db, int code, const QString& what);

}  // namespace store
