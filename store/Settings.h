#pragma once

#include <QString>
#include <optional>

namespace store {

class Database;

// The catalogue's own settings, in the table reglage beside film: they go with the catalogue, its
// copies and its backups, and SQLite's tools read them.
class Settings {
public:
    explicit Settings(Database& db) : db_(db) { }

    // The value of a setting; nothing when it was never set.
    std::optional<QString> value(const QString& name);
    void setValue(const QString& name, const QString& value);
    void remove(const QString& name);

private:
    Database& db_;
};

}  // namespace store
