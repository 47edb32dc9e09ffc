#include "support/TestCatalogue.h"

#include "store/Catalogue.h"
#include "store/Dialect.h"
#include "store/Recordset.h"

#include <QDir>

namespace testing {

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
    QList<QStringList> rows;
    store::Recordset rs;
    rs.open(QStringLiteral("SELECT * FROM film ORDER BY code_film"), db);
    for (; !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.append(rs.isNull(i) ? QStringLiteral("<NULL>") : rs.text(i));
        rows.append(row);
    }
    return rows;
}

QString integrityCheck(store::Database& db)
{
    QStringList verdict;
    store::Recordset rs;
    rs.open(QStringLiteral("PRAGMA integrity_check"), db);
    for (; !rs.eof(); rs.moveNext())
        verdict.append(rs.text(0));
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

QString TestCatalogue::value(const QString& statement)
{
    store::Recordset rs;
    rs.open(statement, db());
    return rs.eof() ? QString() : rs.text(0);
}

bool TestCatalogue::isNull(const QString& statement)
{
    store::Recordset rs;
    rs.open(statement, db());
    return rs.eof() || rs.isNull(0);
}

int TestCatalogue::count(const QString& where)
{
    return value(QStringLiteral("SELECT COUNT(*) FROM film ")
                 + (where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where))
            .toInt();
}

QString TestCatalogue::column(const QString& name, int code)
{
    const QString statement = QStringLiteral("SELECT %1 FROM film WHERE code_film=%2").arg(name).arg(code);
    return isNull(statement) ? QStringLiteral("NULL") : value(statement);
}

QStringList TestCatalogue::films()
{
    store::Recordset rs;
    rs.open(QStringLiteral("SELECT code_film, nom_film FROM film ORDER BY code_film"), db());
    QStringList result;
    for (; !rs.eof(); rs.moveNext())
        result.append(rs.text(0) + u' ' + rs.text(1));
    return result;
}

}  // namespace testing
