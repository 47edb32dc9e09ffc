#include "store/Catalogue.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/EngineMessage.h"
#include "store/FrenchText.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace store {

const QStringList& filmColumns()
{
    static const QStringList columns = {
            QStringLiteral("code_film"), QStringLiteral("nom_film"),     QStringLiteral("type_film"),
            QStringLiteral("cd_film"),   QStringLiteral("qualite_film"), QStringLiteral("format_film"),
            QStringLiteral("obs_Film"),  QStringLiteral("langue_Film"),  QStringLiteral("codec_Film"),
            QStringLiteral("codec_Son"), QStringLiteral("duree"),        QStringLiteral("realisateur"),
            QStringLiteral("acteur"),    QStringLiteral("annee"),        QStringLiteral("pret_film"),
            QStringLiteral("date_pret")};
    return columns;
}

void createCatalogue(const QString& path)
{
    if (QFileInfo::exists(path))
        throw DbError(QStringLiteral("Le catalogue existe déjà : %1").arg(path));
    QString ddl = QStringLiteral("PRAGMA encoding = 'UTF-16le';"
                                 "PRAGMA journal_mode = WAL;"
                                 "CREATE TABLE film (code_film INTEGER PRIMARY KEY NOT NULL "
                                 "CHECK (code_film BETWEEN -32768 AND 32767)");
    for (const QString& column : filmColumns().mid(1))
        ddl += QStringLiteral(", %1 TEXT COLLATE FRANCAIS").arg(column);
    // The columns of the list and of the text listing ride along with the title: both are read
    // from the index alone.
    ddl += QStringLiteral(
            ");CREATE INDEX film_par_titre ON film (nom_film, type_film, duree, cd_film, format_film, "
            "qualite_film);"
            "CREATE INDEX film_par_qualite ON film (qualite_film);"
            // Lent films are few: the counters and the loan list find them here.
            "CREATE INDEX film_pretes ON film (pret_film) WHERE pret_film IS NOT NULL;"
            // The engine plans every statement as for a large collection with few films
            // lent, whatever the catalogue holds today: the loan list then reads the lent
            // films alone rather than every film in title order.
            "ANALYZE;"
            "INSERT INTO sqlite_stat1 VALUES ('film', 'film_par_titre', '32767 2 2 2 2 1 1'),"
            "('film', 'film_par_qualite', '32767 5000'), ('film', 'film_pretes', '300 1');");

    sqlite3* db = nullptr;
    int code = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                               nullptr);
    if (code == SQLITE_OK) {
        registerFrenchText(db);
        code = sqlite3_exec(db, ddl.toUtf8().constData(), nullptr, nullptr, nullptr);
    }
    const QString message = code == SQLITE_OK ? QString() : engineMessage(db, code);
    sqlite3_close_v2(db);
    if (code != SQLITE_OK)
        throw DbError(QStringLiteral("Le catalogue n'a pas pu être créé : %1").arg(message), code);
}

void checkCatalogue(Database& db)
{
    sqlite3_stmt* statement = nullptr;
    const int code = sqlite3_prepare_v2(db.handle(), "SELECT * FROM film LIMIT 0", -1, &statement, nullptr);
    if (code != SQLITE_OK) {
        sqlite3_finalize(statement);
        const QString what = QStringLiteral("Le fichier n'est pas un catalogue de films");
        // A database without the table film is another program's; one the engine cannot read is
        // damaged, busy or out of reach, as its code tells.
        if ((code & 0xff) == SQLITE_ERROR)
            throw DbError(QStringLiteral("%1 : %2").arg(what, engineMessage(db.handle(), code)), code,
                          DbError::File::NotACatalogue);
        db.fail(code, what);
    }
    QStringList present;
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        present.append(QString::fromUtf8(sqlite3_column_name(statement, i)));
    sqlite3_finalize(statement);
    for (const QString& column : filmColumns()) {
        if (!present.contains(column, Qt::CaseInsensitive))
            throw DbError(QStringLiteral("Il manque la colonne %1 à la table film.").arg(column), 0,
                          DbError::File::NotACatalogue);
    }
}

}  // namespace store
