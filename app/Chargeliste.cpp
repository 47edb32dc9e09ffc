#include "app/Connection.h"
#include "ui/ListView.h"
#include "ui/main/Frm_Accueil.h"

#include <QLabel>
#include <QRegularExpression>

namespace Connection {

namespace {

const QString kPlaceholder = QStringLiteral("Aucun film dans la base de donnée");

}  // namespace

QString placeholderRow() { return kPlaceholder; }

// The list shows six columns of the film: the engine is asked for those alone, which spares it
// reading and copying the ten others of every film.
QString listedColumnsOnly(const QString& requete)
{
    static const QRegularExpression allColumns(QStringLiteral(R"(^\s*select\s+\*\s+from\s)"),
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = allColumns.match(requete);
    if (!match.hasMatch())
        return requete;
    return QStringLiteral("select code_film, nom_film, type_film, duree, cd_film, format_film from ")
            + requete.mid(match.capturedEnd());
}

// The four counters from one statement answered from the indexes: the films without a quality,
// the DVDs and the lent films are looked up, every other film with a quality is a video file.
QString countersStatement()
{
    return QStringLiteral("select COUNT (*) as films, "
                          "(select COUNT (*) from film WHERE qualite_film IS NULL) as sans_qualite, "
                          "(select COUNT (*) from film WHERE qualite_film='dvd') as dvd, "
                          "(select COUNT (*) from film WHERE pret_film IS NOT NULL) as pret from film");
}

void chargeliste(const QString& requete)
{
    Frm_Accueil& accueil = Frm_Accueil::instance();
    const QString statement = listedColumnsOnly(requete);
    // The list already shows these rows when it was filled from the same statement and the
    // catalogue has not changed since: reading them again would only cost time.
    const QString source = statement + u'\n' + connection().contentStamp();
    if (accueil.type_liste == 1 && accueil.List()->filledFrom() == source) {
        accueil.List()->rewind();
        actualiser_compteurs();
        return;
    }
    rs = store::Recordset();
    rs.open(statement, connection());
    QList<ui::ListRow> rows;
    // A refill mostly brings as many rows as the list shows.
    rows.reserve(accueil.List()->rowCount());
    if (rs.eof()) {
        rows.append(ui::ListRow {kPlaceholder});
    } else {
        const int fields[] = {
                rs.fieldIndex(QStringLiteral("nom_film")),    rs.fieldIndex(QStringLiteral("type_film")),
                rs.fieldIndex(QStringLiteral("duree")),       rs.fieldIndex(QStringLiteral("cd_film")),
                rs.fieldIndex(QStringLiteral("format_film")), rs.fieldIndex(QStringLiteral("code_film"))};
        while (!rs.eof()) {
            ui::ListRow row;
            for (int field : fields)
                row.append(rs.text(field));
            rows.append(std::move(row));
            rs.moveNext();
        }
    }
    rs.close();
    // The rows are film rows: the list shows the film columns, so the key is read from its cell.
    // The layout changes only once the rows are read, so a failing statement leaves the list as it was.
    if (accueil.type_liste != 1)
        accueil.iniliste(1);
    accueil.List()->setRows(std::move(rows), source);
    actualiser_compteurs();
}

void actualiser_compteurs()
{
    rs = store::Recordset();
    rs.open(countersStatement(), connection());
    const qint64 films = rs.value(QStringLiteral("films")).toLongLong();
    const qint64 dvd = rs.value(QStringLiteral("dvd")).toLongLong();
    const qint64 divx = films - rs.value(QStringLiteral("sans_qualite")).toLongLong() - dvd;
    const qint64 lent = rs.value(QStringLiteral("pret")).toLongLong();
    const qint64 home = films - lent;
    rs.close();
    Frm_Accueil& accueil = Frm_Accueil::instance();
    accueil.control<QLabel>(QStringLiteral("lbl_stat_nbr"))->setText(QString::number(divx));
    accueil.control<QLabel>(QStringLiteral("lbl_stat_dvd"))->setText(QString::number(dvd));
    accueil.control<QLabel>(QStringLiteral("lbl_stat_pret"))->setText(QString::number(lent));
    accueil.control<QLabel>(QStringLiteral("lbl_dispo"))->setText(QString::number(home));
}

}  // namespace Connection
