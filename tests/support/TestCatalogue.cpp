#include "support/TestCatalogue.h"

#include "store/Catalogue.h"
#include "store/Dialect.h"
#include "store/Recordset.h"

#include <QDir>

namespace testing {

QList<QStringList> rowsOf(store::Database& db, const QString& statement)
{
    QList<QStringList> rows;
    store::Recordset rs;
    rs.open(statement, db);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.append(rs.isNull(i) ? QStringLiteral("<NULL>") : rs.text(i));
        rows.append(row);
    }
    return rows;
}

Film film(int code, const QString& nom, std::initializer_list<std::pair<QString Film::*, QString>> columns)
{
    Film result;
    result.code = code;
    result.nom = nom;
    for (const auto& [column, value] : columns)
        result.*column = value;
    return result;
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

TestCatalogue::TestCatalogue(bool withCatalogue)
{
    QDir(dir_.path()).mkpath(QStringLiteral("BD"));
    if (withCatalogue)
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

void TestCatalogue::insert(const Film& film)
{
    // Joined, not put in with arg(): a value may itself hold "%1".
    auto optional = [](const std::optional<QString>& v) {
        return v ? store::quotedText(*v) : QStringLiteral("NULL");
    };
    QStringList values {QString::number(film.code)};
    for (const QString& v :
         {film.nom, film.type, film.cd, film.qualite, film.format, film.obs, film.langue, film.codecVideo,
          film.codecSon, film.duree, film.realisateur, film.acteur, film.annee})
        values.append(store::quotedText(v));
    values << optional(film.pret) << optional(film.datePret);
    db().execute(QStringLiteral("INSERT INTO film VALUES (") + values.join(u',') + u')');
}

void TestCatalogue::fill(int count)
{
    db().execute(QStringLiteral("BEGIN"));
    for (int code = 1; code <= count; ++code) {
        Film one = film(code, QStringLiteral("Film n°%1").arg(code));
        one.obs = QString(200, QChar(u'a' + code % 26));
        if (code % 4 == 0) {
            one.pret = QStringLiteral("Paul");
            one.datePret = QStringLiteral("01/12/2026");
        }
        insert(one);
    }
    db().execute(QStringLiteral("COMMIT"));
}

int TestCatalogue::count(const QString& where)
{
    const QString filter = where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where;
    return rowsOf(db(), QStringLiteral("SELECT COUNT(*) FROM film ") + filter)[0][0].toInt();
}

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
