#include "store/Database.h"

#include "store/Catalogue.h"
#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/EngineMessage.h"
#include "store/FrenchText.h"
#include "store/Loans.h"
#include "store/Schema.h"
#include "store/SearchTexts.h"
#include "store/Statistics.h"

#include <QFileInfo>
#include <algorithm>
#include <sqlite3.h>

namespace store {

namespace {

constexpr std::size_t kCachedStatements = 48;

// The engine reads a leading U+FEFF or U+FFFE of UTF-16 text as a byte-order mark, and drops
// or obeys it; a mark of our own in front keeps such a value as it was typed.
QString withOwnByteOrderMark(const QString& text)
{
    if (text.startsWith(QChar(0xFEFF)) || text.startsWith(QChar(0xFFFE)))
        return QChar(0xFEFF) + text;
    return text;
}

}  // namespace

QString engineVersion() { return QString::fromLatin1(sqlite3_libversion()); }

PreparedStatement::PreparedStatement(Database* owner, QString key, sqlite3_stmt* statement)
    : owner_(owner), key_(std::move(key)), statement_(statement)
{ }

PreparedStatement::PreparedStatement(PreparedStatement&& other) noexcept
    : owner_(other.owner_), key_(std::move(other.key_)), statement_(other.statement_)
{
    other.statement_ = nullptr;
}

PreparedStatement& PreparedStatement::operator=(PreparedStatement&& other) noexcept
{
    if (this != &other) {
        release();
        owner_ = other.owner_;
        key_ = std::move(other.key_);
        statement_ = other.statement_;
        other.statement_ = nullptr;
    }
    return *this;
}

PreparedStatement::~PreparedStatement() { release(); }

bool PreparedStatement::step()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    owner_->fail(code, QStringLiteral("La base de donnée n'a pas pu exécuter l'instruction"));
}

void PreparedStatement::release()
{
    if (!statement_)
        return;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    owner_->giveBack(key_, statement_);
    statement_ = nullptr;
}

Database::Database(sqlite3* db, QString path) : db_(db), path_(std::move(path)) { }

Database::~Database()
{
    for (auto& [key, statement] : cache_)
        sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
}

std::unique_ptr<Database> Database::open(const QString& path, Access access)
{
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("Le fichier de la base de donnée est introuvable : %1").arg(path));
    sqlite3* raw = nullptr;
    // A connection serves the one thread of the windows: it needs no lock of its own.
    const int mode = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    const int code = sqlite3_open_v2(path.toUtf8().constData(), &raw, mode | SQLITE_OPEN_NOMUTEX, nullptr);
    std::unique_ptr<Database> db(new Database(raw, path));
    if (code != SQLITE_OK)
        db->fail(code, QStringLiteral("La base de donnée n'a pas pu être ouverte"));
    sqlite3_extended_result_codes(raw, 1);
    sqlite3_busy_timeout(raw, kLockWaitMs);
    registerFrenchText(raw);
    SearchTexts::registerFunctions(raw);
    registerStatisticsFunctions(raw);
    Loans::registerFunctions(raw);
    checkCatalogue(*db);
    if (access == Access::ReadOnly)
        return db;
    // Write-ahead journal: a crash never leaves a half-written catalogue. A read-only file keeps
    // its mode.
    sqlite3_exec(raw, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    // A commit returns once synced: a film the program calls saved survives a power cut the next
    // instant. In the write-ahead journal EXTRA is FULL, one sync of the journal per commit (NORMAL
    // syncs only at checkpoints, and a power cut could take the last commits back); were the
    // journal ever a rollback one, EXTRA also syncs the folder once the journal is deleted, without
    // which a power cut could bring the journal back and undo the commit. Bulk work relaxes it
    // under a BulkWrites scope.
    sqlite3_exec(raw, "PRAGMA synchronous=EXTRA", nullptr, nullptr, nullptr);
    // The journal is folded into the catalogue, with its disk flushes, every 40 MB rather than
    // every 4 MB: a quick add of thousands of films then waits on the disk a few times, not dozens.
    sqlite3_exec(raw, "PRAGMA wal_autocheckpoint=10000", nullptr, nullptr, nullptr);
    // The whole catalogue fits in memory: the list in title order reads the rows in index
    // order, which would otherwise go back to the disk for nearly every film.
    sqlite3_exec(raw, "PRAGMA cache_size=-65536", nullptr, nullptr, nullptr);
    sqlite3_exec(raw, "PRAGMA mmap_size=268435456", nullptr, nullptr, nullptr);
    completeSchema(*db);
    return db;
}

void Database::fail(int code, const QString& what) const { throwEngineError(db_, code, what); }

int Database::execute(const Statement& statement)
{
    PreparedStatement prepared = prepare(statement);
    while (prepared.step()) { }
    return sqlite3_changes(db_);
}

int Database::execute(const QString& statement) { return execute(translateStatement(statement)); }

QString Database::contentStamp()
{
    return QString::number(sqlite3_total_changes64(db_)) + u':' + outsideStamp();
}

QString Database::outsideStamp()
{
    PreparedStatement version = prepare(Statement {QStringLiteral("PRAGMA data_version"), {}});
    version.step();
    return QStringLiteral("%1:%2").arg(sqlite3_column_int64(version.get(), 0)).arg(replacements_);
}

PreparedStatement Database::prepare(const QString& statement)
{
    return prepare(translateStatement(statement));
}

PreparedStatement Database::prepare(const Statement& statement)
{
    sqlite3_stmt* raw = nullptr;
    auto cached = cache_.find(statement.sql);
    if (cached != cache_.end()) {
        raw = cached->second;
        cache_.erase(cached);
        cacheOrder_.erase(std::find(cacheOrder_.begin(), cacheOrder_.end(), statement.sql));
    } else {
        const int code = sqlite3_prepare16_v3(db_, statement.sql.utf16(), int(statement.sql.size() * 2),
                                              SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
        if (code != SQLITE_OK)
            fail(code, QStringLiteral("Instruction refusée par la base de donnée"));
        if (!raw)
            throw DbError(QStringLiteral("Instruction vide"));
    }
    PreparedStatement prepared(this, statement.sql, raw);
    if (sqlite3_bind_parameter_count(raw) != int(statement.values.size()))
        throw DbError(QStringLiteral("Instruction invalide : paramètres inattendus"));
    for (int i = 0; i < int(statement.values.size()); ++i) {
        const BoundValue& value = statement.values[std::size_t(i)];
        int code = SQLITE_OK;
        if (const QString* given = std::get_if<QString>(&value)) {
            const QString text = withOwnByteOrderMark(*given);
            // An empty text stays text: the engine would take a null pointer for NULL.
            const void* units = text.isNull() ? static_cast<const void*>(u"") : text.utf16();
            code = sqlite3_bind_text16(raw, i + 1, units, int(text.size() * 2), SQLITE_TRANSIENT);
        } else if (const qint64* number = std::get_if<qint64>(&value)) {
            code = sqlite3_bind_int64(raw, i + 1, *number);
        } else {
            code = sqlite3_bind_null(raw, i + 1);
        }
        if (code != SQLITE_OK)
            fail(code, QStringLiteral("Valeur refusée par la base de donnée"));
    }
    return prepared;
}

void Database::giveBack(const QString& key, sqlite3_stmt* statement)
{
    if (cache_.count(key)) {
        sqlite3_finalize(statement);
        return;
    }
    if (cacheOrder_.size() >= kCachedStatements) {
        sqlite3_finalize(cache_[cacheOrder_.front()]);
        cache_.erase(cacheOrder_.front());
        cacheOrder_.erase(cacheOrder_.begin());
    }
    cache_.emplace(key, statement);
    cacheOrder_.push_back(key);
}

}  // namespace store
