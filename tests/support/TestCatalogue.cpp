#include "support/TestCatalogue.h"

#include "store/Catalogue.h"
#include "store/Dialect.h"
#include "store/Recordset.h"

#include <QDir>

namespace testing {

namespace {

QList<QStringList> allRows(store::Recordset& rs)
{
    QList<QStringList> rows;
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.append(rs.isNull(i) ? QStringLiteral("<NULL>") : rs.text(i));
        rows.append(row);
    }
    return rows;
}

}  // namespace

QList<QStringList> rowsOf(store::Database& db, const QString& statement)
{
    store::Recordset rs;
    rs.open(statement, db);
    return allRows(rs);
}

QList<QStringList> rowsOf(store::Database& db, const store::Statement& statement)
{
    store::Recordset rs;
    rs.open(statement, db);
    return allRows(rs);
}

QList<QStringList> filmRows(store::Database& db)
{
    return rowsOf(db, QStringLiteral("SELECT * FROM film ORDER BY code_film"));
}

QString integrityCheck(store::Database& db)
{
    QStringList verdict;
    for (const QStringList& row : rowsOf(db, QStringLiteral("PRAGMA integrity_check")))
        verdict.append(row[0]);
    return verdict.join(u'\n');
}

TestCatalogue::TestCatalogue()
{
    QDir(dir_.path()).mkpath(QStringLiteral("BD"));
    store::createCatalogue(cataloguePath());
}

TestCatalogue::~TestCatalogue() = default;

QString TestCatalogue::path(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }

store::Database& TestCatalogue::db()
{
    if (!db_)
        db_ = store::Database::open(cataloguePath());
    return *db_;
}

void TestCatalogue::insert(int code, const QString& title, const QMap<QString, QString>& columns)
{
    // The columns after the title, in the table's order, with a test film's value unless given.
    static const std::pair<const char*, const char*> kColumns[] = {
            {"type", "Action"},   {"cd", "1"},      {"qualite", "Bonne"},
            {"format", "Avi"},    {"obs", "-"},     {"langue", "Français"},
            {"video", "DivX"},    {"son", "MP3"},   {"duree", "01h30"},
            {"realisateur", "-"}, {"acteur", "-"},  {"annee", "2000"},
            {"pret", nullptr},    {"date", nullptr}};
    // Joined, not put in with arg(): a value may itself hold "%1".
    QStringList values {QString::number(code), store::quotedText(title)};
    for (const auto& [name, byDefault] : kColumns) {
        const auto given = columns.constFind(QLatin1String(name));
        values.append(given != columns.cend() ? store::quotedText(*given)
                              : byDefault     ? store::quotedText(QString::fromUtf8(byDefault))
                                              : QStringLiteral("NULL"));
    }
    db().execute(QStringLiteral("INSERT INTO film VALUES (") + values.join(u',') + u')');
}

void TestCatalogue::fill(int count)
{
    db().execute(QStringLiteral("BEGIN"));
    for (int code = 1; code <= count; ++code) {
        QMap<QString, QString> columns {{QStringLiteral("obs"), QString(200, QChar(u'a' + code % 26))}};
        if (code % 4 == 0) {
            columns[QStringLiteral("pret")] = QStringLiteral("Paul");
            columns[QStringLiteral("date")] = QStringLiteral("01/12/2026");
        }
        insert(code, QStringLiteral("Film n°%1").arg(code), columns);
    }
    db().execute(QStringLiteral("COMMIT"));
}

int TestCatalogue::count() { return rowsOf(db(), QStringLiteral("SELECT COUNT(*) FROM film"))[0][0].toInt(); }

QStringList TestCatalogue::films()
{
    const QString statement =
            QStringLiteral("SELECT code_film, ifnull(nom_film, '') FROM film ORDER BY code_film");
    QStringList result;
    for (const QStringList& row : rowsOf(db(), statement))
        result.append(row.join(u' '));
    return result;
}

}  // namespace testing
