#include "store/SearchTexts.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/Fold.h"
#include "store/Recordset.h"
#include "store/Schema.h"
#include "store/Settings.h"

#include <QScopeGuard>
#include <sqlite3.h>
#include <string_view>
#include <vector>

namespace store {

namespace {

// The fold whose texts the table holds, in the catalogue's settings: a later fold that folds
// otherwise changes it, and the texts are made again.
const QString kFoldSetting = QStringLiteral("pli_recherche");
const QString kFoldVersion = QStringLiteral("1");

// The triggers, by name. They write only plain SQL, so that a program without the fold (an older
// Cinabrel, SQLite's tools with or without the extension) can still write film: a film added or
// changed gets a row to fold (NULL), a film deleted loses its row. A row is deleted before it is
// written, so no conflict can arise whatever the statement that fires them asks on conflict.
struct Trigger {
    const char* name;
    const char* sql;
};
const Trigger kTriggers[] = {
        {"film_recherche_ajout",
         "CREATE TRIGGER film_recherche_ajout AFTER INSERT ON film BEGIN "
         "DELETE FROM film_recherche WHERE code_film = new.code_film; "
         "INSERT INTO film_recherche (code_film, texte) VALUES (new.code_film, NULL); END"},
        {"film_recherche_modif",
         "CREATE TRIGGER film_recherche_modif AFTER UPDATE OF code_film, nom_film, type_film, realisateur, "
         "acteur, annee, obs_Film ON film BEGIN "
         "DELETE FROM film_recherche WHERE code_film IN (old.code_film, new.code_film); "
         "INSERT INTO film_recherche (code_film, texte) VALUES (new.code_film, NULL); END"},
        {"film_recherche_retrait",
         "CREATE TRIGGER film_recherche_retrait AFTER DELETE ON film BEGIN "
         "DELETE FROM film_recherche WHERE code_film = old.code_film; END"},
};

Statement fixed(const char* sql) { return {QString::fromLatin1(sql), {}}; }
Statement fixed(const QString& sql) { return {sql, {}}; }

qint64 firstNumber(Database& db, const Statement& statement)
{
    Recordset rs;
    rs.open(statement, db);
    return rs.eof() ? 0 : rs.value(0).toLongLong();
}

QString foldedColumns()
{
    return QStringLiteral("cinabrel_pli(%1)").arg(QLatin1String(SearchTexts::searchedColumns()));
}

// cinabrel_pli(text, …): the texts given folded as one, each a word apart from the next.
void foldFunction(sqlite3_context* context, int count, sqlite3_value** arguments)
{
    QString joined;
    for (int i = 0; i < count; ++i) {
        if (sqlite3_value_type(arguments[i]) == SQLITE_NULL)
            continue;
        const void* text = sqlite3_value_text16(arguments[i]);
        if (!text) {
            sqlite3_result_error_nomem(context);
            return;
        }
        joined += QStringView(static_cast<const char16_t*>(text), sqlite3_value_bytes16(arguments[i]) / 2);
        joined += u' ';
    }
    const QByteArray folded = fold(joined).toUtf8();
    // An empty text is a text all the same: NULL marks a film whose text is still to be made.
    if (folded.isEmpty())
        sqlite3_result_zeroblob(context, 0);
    else
        sqlite3_result_blob(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

using Words = std::vector<std::string>;

// cinabrel_contient(folded, words): whether each word of words, a folded text, is in folded. The
// words are split once for the whole statement.
void containsFunction(sqlite3_context* context, int, sqlite3_value** arguments)
{
    auto* words = static_cast<Words*>(sqlite3_get_auxdata(context, 1));
    if (!words) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(arguments[1]));
        auto split = std::make_unique<Words>();
        for (const QByteArray& word : QByteArray(text ? text : "").split(' '))
            if (!word.isEmpty())
                split->emplace_back(word.constData(), std::size_t(word.size()));
        sqlite3_set_auxdata(context, 1, split.release(),
                            [](void* held) { delete static_cast<Words*>(held); });
        words = static_cast<Words*>(sqlite3_get_auxdata(context, 1));
        if (!words) {
            sqlite3_result_error_nomem(context);
            return;
        }
    }
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    const auto* bytes = static_cast<const char*>(sqlite3_value_blob(arguments[0]));
    const std::string_view folded(bytes ? bytes : "", std::size_t(sqlite3_value_bytes(arguments[0])));
    for (const std::string& word : *words) {
        if (folded.find(word) == std::string_view::npos) {
            sqlite3_result_int(context, 0);
            return;
        }
    }
    sqlite3_result_int(context, 1);
}

}  // namespace

const char* SearchTexts::searchedColumns()
{
    return "nom_film, type_film, realisateur, acteur, annee, obs_Film";
}

void SearchTexts::registerFunctions(sqlite3* db)
{
    sqlite3_create_function(db, "cinabrel_pli", -1, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr,
                            foldFunction, nullptr, nullptr);
    sqlite3_create_function(db, "cinabrel_contient", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            containsFunction, nullptr, nullptr);
}

void SearchTexts::keepInStep()
{
    SearchMemo& memo = db_.searchMemo();
    memo.checkedAt = db_.outsideStamp();
    memo.inStep = false;
    // A catalogue read only, of an older version, has no table: the search folds as it reads.
    if (!tableMade())
        return;
    const bool triggers = triggersAsWritten();
    try {
        if (!triggers || !foldedByThisVersion() || !textsInStep())
            rebuild(!triggers);
        memo.inStep = true;
        // The films another program added or changed since the last opening are folded now.
        refold();
    } catch (const DbError& error) {
        refused(error);
    }
}

// After another program committed: while the table and its triggers stand and it holds as many rows
// as there are films, every change of film was marked; otherwise all is checked and made again.
void SearchTexts::recheck()
{
    SearchMemo& memo = db_.searchMemo();
    if (memo.inStep && tableMade() && triggersAsWritten() && foldedByThisVersion()
        && firstNumber(db_,
                       fixed("SELECT (SELECT count(*) FROM film) = (SELECT count(*) FROM film_recherche)")))
        memo.checkedAt = db_.outsideStamp();
    else
        completeSchema(db_);
}

void SearchTexts::beforeChange()
{
    if (db_.outsideStamp() != db_.searchMemo().checkedAt)
        recheck();
}

bool SearchTexts::bringUpToDate()
{
    // The search folds as it reads rather than keep the user waiting for another program's lock.
    sqlite3_busy_timeout(db_.handle(), 0);
    const auto wait = qScopeGuard([this] { sqlite3_busy_timeout(db_.handle(), Database::kLockWaitMs); });
    SearchMemo& memo = db_.searchMemo();
    try {
        if (db_.outsideStamp() != memo.checkedAt)
            recheck();
        else if (!memo.inStep && db_.contentStamp() != memo.failedAt)
            keepInStep();
    } catch (const DbError& error) {
        // The table could not be made again.
        refused(error);
        memo.checkedAt = db_.outsideStamp();
        memo.inStep = false;
    }
    const QString stamp = db_.contentStamp();
    if (stamp == memo.upToDateAt)
        return true;
    if (!memo.inStep || stamp == memo.failedAt)
        return false;
    try {
        refold();
        return true;
    } catch (const DbError& error) {
        refused(error);
        return false;
    }
}

// A write refused for a lock is tried again at the next search; one refused by the disk or the file,
// once the catalogue has changed.
void SearchTexts::refused(const DbError& error)
{
    if (!error.outsideTheProgram())
        throw;
    const int kind = error.engineCode() & 0xff;
    if (kind != SQLITE_BUSY && kind != SQLITE_LOCKED)
        db_.searchMemo().failedAt = db_.contentStamp();
}

void SearchTexts::refold()
{
    if (firstNumber(db_,
                    fixed("SELECT count(*) FROM (SELECT 1 FROM film_recherche WHERE texte IS NULL LIMIT 1)")))
        db_.execute(
                fixed(QStringLiteral("UPDATE film_recherche SET texte = coalesce((SELECT %1 FROM film WHERE "
                                     "film.code_film = film_recherche.code_film), x'') WHERE texte IS NULL")
                              .arg(foldedColumns())));
    db_.searchMemo().upToDateAt = db_.contentStamp();
}

bool SearchTexts::tableMade()
{
    return firstNumber(db_,
                       fixed("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                             "name = 'film_recherche'"))
            != 0;
}

bool SearchTexts::triggersAsWritten()
{
    for (const Trigger& trigger : kTriggers) {
        Recordset rs;
        rs.open(Statement {QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'trigger' AND name = ? "
                                          "AND tbl_name = 'film'"),
                           {QString::fromLatin1(trigger.name)}},
                db_);
        if (rs.eof() || rs.text(0) != QLatin1String(trigger.sql))
            return false;
    }
    return true;
}

bool SearchTexts::foldedByThisVersion()
{
    try {
        return Settings(db_).value(kFoldSetting) == kFoldVersion;
    } catch (const DbError&) {
        // No settings to tell which fold made the texts.
        return false;
    }
}

// Every film has its row and no row lacks its film.
bool SearchTexts::textsInStep()
{
    return firstNumber(db_,
                       fixed("SELECT (SELECT count(*) FROM film) = (SELECT count(*) FROM film_recherche) "
                             "AND NOT EXISTS (SELECT 1 FROM film_recherche WHERE code_film NOT IN "
                             "(SELECT code_film FROM film))"))
            != 0;
}

// In one transaction: a catalogue never holds half of the texts.
void SearchTexts::rebuild(bool withTriggers)
{
    db_.execute(fixed("BEGIN"));
    try {
        if (withTriggers) {
            for (const Trigger& trigger : kTriggers) {
                db_.execute(
                        fixed(QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QLatin1String(trigger.name))));
                db_.execute(fixed(trigger.sql));
            }
        }
        db_.execute(fixed("DELETE FROM film_recherche"));
        db_.execute(fixed(QStringLiteral("INSERT INTO film_recherche (code_film, texte) SELECT code_film, %1 "
                                         "FROM film")
                                  .arg(foldedColumns())));
        Settings(db_).setValue(kFoldSetting, kFoldVersion);
        db_.execute(fixed("COMMIT"));
    } catch (const DbError&) {
        try {
            db_.execute(fixed("ROLLBACK"));
        } catch (const DbError&) {
            // The engine already rolled back on its own.
        }
        throw;
    }
}

}  // namespace store
