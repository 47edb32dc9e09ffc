#include "store/Films.h"

#include "store/Database.h"
#include "store/DbError.h"
#include "store/Dialect.h"
#include "store/Recordset.h"

#include <QRegularExpression>

namespace store {

const std::array<DetailColumn, 13> kDetailColumns = {{
        {"nom_film", &FilmDetails::nom_film},
        {"type_film", &FilmDetails::type_film},
        {"cd_film", &FilmDetails::cd_film},
        {"qualite_film", &FilmDetails::qualite_film},
        {"format_film", &FilmDetails::format_film},
        {"obs_Film", &FilmDetails::obs_Film},
        {"langue_Film", &FilmDetails::langue_Film},
        {"codec_Film", &FilmDetails::codec_Film},
        {"codec_Son", &FilmDetails::codec_Son},
        {"duree", &FilmDetails::duree},
        {"realisateur", &FilmDetails::realisateur},
        {"acteur", &FilmDetails::acteur},
        {"annee", &FilmDetails::annee},
}};

namespace {

QString q(const QString& value) { return quotedText(value); }

QString key(qint16 code) { return QString::number(code); }

}  // namespace

namespace {

// The statement each list has always run.
QString fullStatement(const FilmList& list)
{
    switch (list.kind) {
    case FilmList::Kind::Dvd:
        return QStringLiteral("SELECT * FROM Film WHERE format_film ='Dvd' ORDER BY nom_film");
    case FilmList::Kind::French:
        return QStringLiteral("SELECT * FROM Film WHERE langue_Film ='Français'");
    case FilmList::Kind::Foreign:
        return QStringLiteral("SELECT * FROM Film WHERE langue_Film <>'Français'");
    case FilmList::Kind::TitleSearch:
        // The typed text is one value of the filter: a quote in it is doubled.
        return QStringLiteral("select * from film WHERE nom_film LIKE ") + quotedText(list.text + u'%', u'\'')
                + QStringLiteral(" order by nom_film");
    case FilmList::Kind::All:
        break;
    }
    return QStringLiteral("select * from film order by nom_film");
}

}  // namespace

QString Films::statementOf(const FilmList& list) { return listedColumnsOnly(fullStatement(list)); }

// The list shows six columns of the film: the engine is asked for those alone, which spares it
// reading and copying the ten others of every film, and lets it read them from the title index.
QString Films::listedColumnsOnly(const QString& statement)
{
    static const QRegularExpression allColumns(QStringLiteral(R"(^\s*select\s+\*\s+from\s)"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = allColumns.match(statement);
    if (!match.hasMatch())
        return statement;
    return QStringLiteral("select code_film, nom_film, type_film, duree, cd_film, format_film from ")
            + statement.mid(match.capturedEnd());
}

// Answered from the indexes: the films without a quality, the DVDs and the lent films are looked
// up, every other film with a quality is a video file.
QString Films::countersStatement()
{
    return QStringLiteral("select COUNT (*) as films, "
                          "(select COUNT (*) from film WHERE qualite_film IS NULL) as sans_qualite, "
                          "(select COUNT (*) from film WHERE qualite_film='dvd') as dvd, "
                          "(select COUNT (*) from film WHERE pret_film IS NOT NULL) as pret from film");
}

QString Films::lentFilmsStatement()
{
    return QStringLiteral("SELECT code_film, nom_film, pret_film, date_pret FROM Film WHERE pret_film <>'' "
                          "ORDER BY nom_film");
}

QList<ListedRow> Films::listed(const FilmList& list)
{
    Recordset rs;
    rs.open(statementOf(list), db_);
    QList<ListedRow> rows;
    if (rs.eof())
        return rows;
    const int fields[] = {
            rs.fieldIndex(QStringLiteral("nom_film")),    rs.fieldIndex(QStringLiteral("type_film")),
            rs.fieldIndex(QStringLiteral("duree")),       rs.fieldIndex(QStringLiteral("cd_film")),
            rs.fieldIndex(QStringLiteral("format_film")), rs.fieldIndex(QStringLiteral("code_film"))};
    for (; !rs.eof(); rs.moveNext()) {
        ListedRow row;
        for (int field : fields)
            row.append(rs.text(field));
        rows.append(std::move(row));
    }
    return rows;
}

QList<ListedRow> Films::lentFilms()
{
    Recordset rs;
    rs.open(lentFilmsStatement(), db_);
    QList<ListedRow> rows;
    for (; !rs.eof(); rs.moveNext())
        rows.append(ListedRow {rs.text(QStringLiteral("nom_film")), rs.text(QStringLiteral("pret_film")),
                               rs.text(QStringLiteral("date_pret")), rs.text(QStringLiteral("code_film"))});
    return rows;
}

Counters Films::counters()
{
    Recordset rs;
    rs.open(countersStatement(), db_);
    Counters counters;
    const qint64 films = rs.value(QStringLiteral("films")).toLongLong();
    counters.dvd = rs.value(QStringLiteral("dvd")).toLongLong();
    counters.divx = films - rs.value(QStringLiteral("sans_qualite")).toLongLong() - counters.dvd;
    counters.lent = rs.value(QStringLiteral("pret")).toLongLong();
    counters.atHome = films - counters.lent;
    return counters;
}

QString Films::contentStamp() { return db_.contentStamp(); }

std::optional<Film> Films::find(qint16 code)
{
    Recordset rs;
    rs.open(QStringLiteral("select * from film where code_film=") + key(code), db_);
    if (rs.eof())
        return std::nullopt;
    Film film;
    film.code_film = code;
    for (const DetailColumn& column : kDetailColumns)
        film.*column.member = rs.text(QString::fromLatin1(column.name));
    if (!rs.isNull(QStringLiteral("pret_film")))
        film.pret_film = rs.text(QStringLiteral("pret_film"));
    film.date_pret = rs.text(QStringLiteral("date_pret"));
    return film;
}

bool Films::hasTitle(const QString& title)
{
    Recordset rs;
    rs.open(QStringLiteral("select code_film from film where nom_film=") + q(title)
                    + QStringLiteral(" limit 1"),
            db_);
    return !rs.eof();
}

int Films::nextKey()
{
    Recordset rs;
    rs.open(QStringLiteral("select max(code_film) as nouv from film"), db_);
    return rs.isNull(QStringLiteral("nouv")) ? 1 : rs.value(QStringLiteral("nouv")).toInt() + 1;
}

qint16 Films::add(const FilmDetails& film)
{
    const int code = nextKey();
    if (code > kLastKey)
        throw DbError(QStringLiteral("Le catalogue n'a plus de numéro libre pour un nouveau film."));
    insert(code, film);
    return qint16(code);
}

void Films::insert(int code, const FilmDetails& film) { db_.execute(insertStatement(code, film)); }

bool Films::modify(qint16 code, const FilmDetails& film)
{
    return db_.execute(updateStatement(code, film)) > 0;
}

void Films::lend(qint16 code, const QString& borrower, const QString& date)
{
    db_.execute(loanStatement(code, borrower, date));
}

void Films::giveBack(qint16 code)
{
    db_.execute(QStringLiteral("BEGIN"));
    try {
        db_.execute(QStringLiteral("UPDATE film SET pret_film=NULL WHERE code_film = ") + key(code));
        db_.execute(QStringLiteral("UPDATE film SET date_pret=NULL WHERE code_film = ") + key(code));
        db_.execute(QStringLiteral("COMMIT"));
    } catch (const DbError&) {
        try {
            db_.execute(QStringLiteral("ROLLBACK"));
        } catch (const DbError&) {
            // The engine already rolled back on its own.
        }
        throw;
    }
}

void Films::remove(qint16 code)
{
    db_.execute(QStringLiteral("Delete * from film where code_film=") + key(code));
}

void Films::forEachByTitle(const std::function<void(const QString&, const QString&, const QString&)>& visit)
{
    // The listing's three columns ride along in the title index: the films are read from it alone.
    Recordset rs;
    rs.open(QStringLiteral("select nom_film, duree, qualite_film from film ORDER BY nom_film"), db_);
    for (; !rs.eof(); rs.moveNext())
        visit(rs.text(0), rs.text(1), rs.text(2));
}

// The key is quoted like the other values: the catalogue stores the same whole number, and the
// statement keeps one text for every film, so the engine prepares it once for a whole quick add.
QString Films::insertStatement(int code, const FilmDetails& film)
{
    QString statement =
            QStringLiteral("INSERT INTO film (code_film,nom_film,type_film,cd_film,qualite_film, "
                           "format_film,obs_Film,langue_Film,codec_Film,codec_Son,duree,realisateur, "
                           "acteur,annee) VALUES (")
            + q(QString::number(code));
    for (const DetailColumn& column : kDetailColumns)
        statement += u',' + q(film.*column.member);
    return statement + u')';
}

QString Films::updateStatement(qint16 code, const FilmDetails& film)
{
    return QStringLiteral("UPDATE film SET nom_film=") + q(film.nom_film) + QStringLiteral(", type_film = ")
            + q(film.type_film) + QStringLiteral(",cd_film=") + q(film.cd_film)
            + QStringLiteral(", qualite_film=") + q(film.qualite_film) + QStringLiteral(",format_film=")
            + q(film.format_film) + QStringLiteral(", obs_Film=") + q(film.obs_Film)
            + QStringLiteral(",langue_Film=") + q(film.langue_Film) + QStringLiteral(", codec_Film=")
            + q(film.codec_Film) + QStringLiteral(",codec_Son=") + q(film.codec_Son)
            + QStringLiteral(", duree=") + q(film.duree) + QStringLiteral(",realisateur=")
            + q(film.realisateur) + QStringLiteral(", acteur=") + q(film.acteur) + QStringLiteral(",annee=")
            + q(film.annee) + QStringLiteral(" WHERE code_film=") + key(code);
}

QString Films::loanStatement(qint16 code, const QString& borrower, const QString& date)
{
    return QStringLiteral("UPDATE film SET pret_film=") + q(borrower) + QStringLiteral(", date_pret=")
            + q(date) + QStringLiteral("  WHERE code_film = ") + key(code);
}

FilmDetails Films::foundOnDisk(const QString& title)
{
    FilmDetails film;
    film.nom_film = title;
    film.type_film = QStringLiteral("----");
    film.cd_film = QStringLiteral("1");
    film.qualite_film = QStringLiteral("--");
    film.format_film = QStringLiteral("AVI");
    film.obs_Film = QStringLiteral("--");
    film.langue_Film = QStringLiteral("Autres");
    film.codec_Film = QStringLiteral("Autres");
    film.codec_Son = QStringLiteral("Autre");
    film.duree = QStringLiteral("--");
    film.realisateur = QStringLiteral("--");
    film.acteur = QStringLiteral("--");
    film.annee = QStringLiteral("0000");
    return film;
}

}  // namespace store
