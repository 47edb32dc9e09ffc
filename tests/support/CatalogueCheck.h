#pragma once

#include <QList>
#include <QStringList>

namespace store {
class Database;
}

namespace testing {

// Every film of a catalogue, every column as text ("<NULL>" for NULL), in key order: two
// snapshots are equal exactly when no film was added, lost or changed.
QList<QStringList> filmRows(store::Database& db);

// The engine's own verdict on the whole file: "ok" when it is sound.
QString integrityCheck(store::Database& db);

}  // namespace testing
