#pragma once

#include <QString>
#include <QStringList>

namespace store {

class Database;

// The table film: its sixteen columns in file order.
const QStringList& filmColumns();

// Creates an empty catalogue at path (the table, no rows); refuses to touch an existing file.
void createCatalogue(const QString& path);

// Throws DbError unless the connection holds the table film with all its columns.
void checkCatalogue(Database& db);

}  // namespace store
