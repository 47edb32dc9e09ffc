// Arbitrary bytes become text values put into the statements the program writes (a new film,
// a modified film, a loan and its history, the title search, the search of every field) and run on
// a real catalogue: whatever the value, the store must neither crash nor fail, and it must give
// back exactly what was put in.
#include "fuzz/MemoryFolder.h"
#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "store/Dialect.h"
#include "store/Loans.h"
#include "store/Recordset.h"

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

constexpr int kFilm = 1;
constexpr int kWitness = 2;
constexpr int kTexts = 15;

// The catalogue lives for the whole run; the witness film must never change.
struct Catalogue {
    QTemporaryDir dir {inMemory(QStringLiteral("statement_fuzzer"))};
    std::unique_ptr<store::Database> db;

    Catalogue()
    {
        const QString path = dir.filePath(QStringLiteral("Film.mdb"));
        store::createCatalogue(path);
        db = store::Database::open(path);
        db->execute(QStringLiteral(
                            "INSERT INTO film VALUES (%1,\"Témoin\",\"Drame\",\"1\",\"Bonne\",\"Avi\",\"-\","
                            "\"Français\",\"DivX\",\"MP3\",\"01h30\",\"-\",\"-\",\"2000\",NULL,NULL)")
                            .arg(kWitness));
    }
};

Catalogue& catalogue()
{
    static Catalogue c;
    return c;
}

[[noreturn]] void fail(const char* what, const QString& detail = QString())
{
    std::fprintf(stderr, "statement_fuzzer: %s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void check(bool condition, const char* what, const QString& detail = QString())
{
    if (!condition)
        fail(what, detail);
}

// Either UTF-8 (invalid sequences become replacement characters) or raw UTF-16 units, which
// also give lone surrogates.
QString consumeText(FuzzedDataProvider& input)
{
    const bool raw = input.ConsumeBool();
    const std::string bytes = input.ConsumeRandomLengthString(4096);
    if (!raw)
        return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    QString text(qsizetype(bytes.size() / 2), Qt::Uninitialized);
    std::memcpy(text.data(), bytes.data(), std::size_t(text.size()) * 2);
    return text;
}

// Every UTF-16 unit in hexadecimal, so that a report shows what differs.
QString units(const QString& text)
{
    QString shown;
    for (QChar c : text)
        shown += QString::number(c.unicode(), 16) + u' ';
    return shown;
}

void checkRow(const QStringList& actual, const QStringList& expected, const char* what)
{
    for (qsizetype i = 0; i < expected.size(); ++i) {
        if (actual.value(i) != expected[i])
            fail(what,
                 QStringLiteral("column %1: put [%2] got [%3]")
                         .arg(i)
                         .arg(units(expected[i]), units(actual.value(i))));
    }
}

// Thirteen texts as the details of a film, in the order of the columns.
store::FilmDetails details(const QStringList& v)
{
    store::FilmDetails film;
    for (std::size_t i = 0; i < store::kDetailColumns.size(); ++i)
        film.*store::kDetailColumns[i].member = v[qsizetype(i)];
    return film;
}

QStringList filmRow(int code)
{
    store::Recordset rs;
    rs.open(QStringLiteral("select * from film where code_film=%1").arg(code), *catalogue().db);
    check(!rs.eof(), "film missing", QString::number(code));
    QStringList row;
    for (int i = 0; i < store::filmColumns().size(); ++i)
        row.append(rs.isNull(i) ? QStringLiteral("<NULL>") : rs.text(i));
    rs.moveNext();
    check(rs.eof(), "two films with one key");
    return row;
}

// The builder and the translation agree: the value comes back as the one bound text.
void checkLiteral(const QString& value, QChar quote)
{
    const QString statement =
            QStringLiteral("select ") + store::quotedText(value, quote) + QStringLiteral(" as x");
    const store::Statement translated = store::translateStatement(statement);
    check(translated.sql == QStringLiteral("select ? as x"), "literal left in the statement", translated.sql);
    check(translated.values.size() == 1 && std::holds_alternative<QString>(translated.values[0]),
          "literal not bound as one text", statement);
    checkRow(QStringList {std::get<QString>(translated.values[0])}, QStringList {value},
             "literal changed by the translation");
    store::Recordset rs;
    rs.open(statement, *catalogue().db);
    checkRow(QStringList {rs.text(QStringLiteral("x"))}, QStringList {value},
             "literal changed by the engine");
}

void run(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    QStringList v;
    for (int i = 0; i < kTexts; ++i)
        v.append(consumeText(input));
    store::Database& db = *catalogue().db;
    static const QStringList witness = filmRow(kWitness);

    // Any text handed to the translation as a whole statement: a result or a refusal, no crash.
    try {
        store::translateStatement(v[0] + v[1]);
    } catch (const store::DbError&) { }
    checkLiteral(v[0], u'"');
    checkLiteral(v[1], u'\'');

    // Through the catalogue's own statements, as the windows write them.
    store::Films films(db);
    films.remove(kFilm);
    films.insert(kFilm, details(v.mid(0, 13)));
    QStringList expected = QStringList {QString::number(kFilm)} + v.mid(0, 13)
            + QStringList {QStringLiteral("<NULL>"), QStringLiteral("<NULL>")};
    checkRow(filmRow(kFilm), expected, "new film not stored exactly");

    check(films.modify(kFilm, details(v.mid(1, 13))), "modified film not found");
    expected = QStringList {QString::number(kFilm)} + v.mid(1, 13)
            + QStringList {QStringLiteral("<NULL>"), QStringLiteral("<NULL>")};
    checkRow(filmRow(kFilm), expected, "modified film not stored exactly");

    films.lend(kFilm, v[13], v[14]);
    expected[14] = v[13];
    expected[15] = v[14];
    checkRow(filmRow(kFilm), expected, "loan not stored exactly");
    // The loan's history holds the borrower as given, in the film's one open loan.
    int open = 0;
    for (const store::Loan& loan : store::Loans(db).history()) {
        if (loan.code_film == kFilm && loan.isOut()) {
            ++open;
            check(loan.borrower == v[13], "loan's history not stored exactly", v[13]);
        }
    }
    check(open == 1, "not one open loan in the history");

    // The title search: the film is found by its own title, whatever the title holds.
    bool found = false;
    for (const store::ListedRow& row : films.listed(store::FilmList::titleSearch(v[1])))
        found = found || row.at(5) == QString::number(kFilm);
    check(found, "film not found by its title", v[1]);

    // The search of every field: the film is found by its own notes, the words of any text it holds.
    found = false;
    for (const store::ListedRow& row : films.listed(store::FilmList::allFieldsSearch(v[6])))
        found = found || row.at(5) == QString::number(kFilm);
    check(found, "film not found by its notes", v[6]);

    checkRow(filmRow(kWitness), witness, "another film changed");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        run(data, size);
    } catch (const store::DbError& error) {
        fail("the store refused", error.message());
    }
    return 0;
}
