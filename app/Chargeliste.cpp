#include "app/Connection.h"
#include "ui/ListView.h"
#include "ui/main/Frm_Accueil.h"

#include <QLabel>

namespace Connection {

namespace {

const QString kPlaceholder = QStringLiteral("Aucun film dans la base de donnée");

qint64 count(const QString& statement)
{
    rs = store::Recordset();
    rs.open(statement, connection());
    const qint64 value = rs.value(QStringLiteral("test")).toLongLong();
    rs.close();
    return value;
}

}  // namespace

QString placeholderRow() { return kPlaceholder; }

void chargeliste(const QString& requete)
{
    Frm_Accueil& accueil = Frm_Accueil::instance();
    rs = store::Recordset();
    rs.open(requete, connection());
    QList<ui::ListRow> rows;
    if (rs.eof()) {
        rows.append(ui::ListRow{kPlaceholder});
    } else {
        const int fields[] = {rs.fieldIndex(QStringLiteral("nom_film")), rs.fieldIndex(QStringLiteral("type_film")),
                              rs.fieldIndex(QStringLiteral("duree")), rs.fieldIndex(QStringLiteral("cd_film")),
                              rs.fieldIndex(QStringLiteral("format_film")), rs.fieldIndex(QStringLiteral("code_film"))};
        while (!rs.eof()) {
            ui::ListRow row;
            row.reserve(6);
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
    accueil.List()->setRows(std::move(rows));
    actualiser_compteurs();
}

void actualiser_compteurs()
{
    Frm_Accueil& accueil = Frm_Accueil::instance();
    const qint64 divx = count(QStringLiteral("select COUNT (*) as Test from film WHERE qualite_film <>'dvd'"));
    const qint64 dvd = count(QStringLiteral("select COUNT (*) as Test from film WHERE qualite_film='dvd'"));
    const qint64 lent = count(QStringLiteral("select COUNT (*) as Test from film WHERE pret_film IS NOT NULL"));
    const qint64 home = count(QStringLiteral("select COUNT (*) as Test from film WHERE pret_film IS NULL"));
    accueil.control<QLabel>(QStringLiteral("lbl_stat_nbr"))->setText(QString::number(divx));
    accueil.control<QLabel>(QStringLiteral("lbl_stat_dvd"))->setText(QString::number(dvd));
    accueil.control<QLabel>(QStringLiteral("lbl_stat_pret"))->setText(QString::number(lent));
    accueil.control<QLabel>(QStringLiteral("lbl_dispo"))->setText(QString::number(home));
}

}  // namespace Connection
