#pragma once

#include "store/ListedRow.h"
#include "store/Statement.h"

#include <QList>
#include <QString>
#include <memory>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

class Database;

// What the search of every field keeps with a connection from one search to the next.
struct SearchMemo {
    // The folded texts beside film (SearchTexts): the outside stamp at which they were last checked,
    // whether the table, its triggers and its rows were then as this version makes them, and the
    // content stamps at which no text was left to fold, or they could not be brought up to date.
    QString checkedAt;
    bool inStep = false;
    QString upToDateAt;
    QString failedAt;
    // Every film's row in title order, with its key, as read at the film stamp rowsAt (Films): the
    // rows a search shows are taken from them.
    QString rowsAt;
    QList<ListedRow> rows;
    std::vector<int> keys;
    // Changes of film made through this connection that may change its rows.
    qint64 filmChanges = 0;
};

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
    // How long a statement waits for the lock of another program before it fails.
    static constexpr int kLockWaitMs = 250;

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
    // Moves whenever another connection committed a change or the whole content was replaced: what
    // this connection did not write itself.
    QString outsideStamp();
    SearchMemo& searchMemo() { return searchMemo_; }

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
    SearchMemo searchMemo_;
};

}  // namespace store
