#pragma once

#include <QCollatorSortKey>
#include <QStringView>

struct sqlite3;

namespace store {

// French ordering of titles and names, letter case ignored: "Eclipse" < "Éléphant" < "Fargo",
// "œil" with "oeil". The same order serves the engine's ORDER BY and the list's column sort.
int compareFrench(QStringView a, QStringView b);

// The key that sorts a text in the order of compareFrench, for sorting many texts at once.
QCollatorSortKey frenchSortKey(const QString& text);

// LIKE with "%" for any run and "_" for one character, letter case ignored for every letter.
bool likeFrench(QStringView pattern, QStringView text);

// Registers the collation "FRANCAIS" and the LIKE above on a connection.
void registerFrenchText(sqlite3* db);

}  // namespace store
