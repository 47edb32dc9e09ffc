#pragma once

#include "store/Statement.h"

#include <QString>
#include <memory>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Database;

// The version of the engine behind the catalogue, "3.40.1".
QString engineVersion();

// A prepared statement borrowed from the connection's cache; it goes back when released.
class PreparedStatement {
public:
    PreparedStatement() = default;
    PreparedStatement(Database* owner, QString key, sqlite3_stmt* statement);
    PreparedStatement(PreparedStatement&& other) noexcept;
    PreparedStatement& operator=(PreparedStatement&& other) noexcept;
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;
    ~PreparedStatement();

    sqlite3_stmt* get() const { return statement_; }
    explicit operator bool() const { return statement_ != nullptr; }
    // Steps once: true on a row, false when done; throws on a failure of the engine.
    bool step();
    void release();

private:
    Database* owner_ = nullptr;
    QString key_;
    sqlite3_stmt* statement_ = nullptr;
};

// The one connection to the catalogue file.
class Database {
public:
    enum class Access { ReadWrite, ReadOnly };

    // Opens an existing catalogue; never creates a file. Throws DbError when the file is
    // missing, is not a catalogue, or lacks the table film or one of its columns. Read only, the
    // file is left exactly as it is, journal mode included.
    static std::unique_ptr<Database> open(const QString& path, Access access = Access::ReadWrite);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs a statement that returns no rows; gives the number of rows it changed.
    int execute(const Statement& statement);
    // Prepares a statement and binds its values; throws when their number is not that of its
    // placeholders.
    PreparedStatement prepare(const Statement& statement);
    // The same for a statement given as text, in the program's dialect (translateStatement).
    int execute(const QString& statement);
    PreparedStatement prepare(const QString& statement);

    // Moves whenever the catalogue's content may have changed: a write through this connection,
    // a change committed by another one, or the whole content replaced.
    QString contentStamp();
    // Tells the stamp that the whole content was replaced under the connection (a restored backup),
    // which the engine counts as no change of its own.
    void contentReplaced() { ++replacements_; }

    QString path() const { return path_; }
    sqlite3* handle() const { return db_; }
    [[noreturn]] void fail(int code, const QString& what) const;

private:
    friend class PreparedStatement;
    Database(sqlite3* db, QString path);
    void giveBack(const QString& key, sqlite3_stmt* statement);

    sqlite3* db_;
    QString path_;
    std::unordered_map<QString, sqlite3_stmt*> cache_;
    std::vector<QString> cacheOrder_;
    qint64 replacements_ = 0;
};

}  // namespace store
