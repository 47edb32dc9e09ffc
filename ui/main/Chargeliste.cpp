#include "ui/main/Chargeliste.h"

#include "app/Connection.h"
#include "store/Films.h"
#include "ui/ListView.h"
#include "ui/main/Frm_Accueil.h"

#include <QLabel>

namespace Connection {

QString placeholderRow() { return QStringLiteral("Aucun film dans la base de donnée"); }

void chargeliste(const store::FilmList& requete)
{
    Frm_Accueil& accueil = Frm_Accueil::instance();
    ui::ListView* list = accueil.controls().List;
    store::Films catalogue = films();
    // The list already shows these rows when it was filled with the same list and the catalogue
    // has not changed since: reading them again would only cost time.
    const QString source =
            QString::number(int(requete.kind)) + u'\n' + requete.text + u'\n' + catalogue.contentStamp();
    if (list->filledFrom() == source) {
        list->rewind();
        actualiser_compteurs();
        return;
    }
    QList<ui::ListRow> rows = catalogue.listed(requete);
    if (rows.isEmpty())
        rows.append(ui::ListRow {placeholderRow()});
    // The rows are film rows: the list shows the film columns, so the key is read from its cell.
    // The layout changes only once the rows are read, so a failing statement leaves the list as it was.
    if (accueil.type_liste != ListLayout::Films)
        accueil.iniliste(ListLayout::Films);
    list->setRows(std::move(rows), source);
    actualiser_compteurs();
}

void actualiser_compteurs()
{
    const store::Counters counters = films().counters();
    const Frm_AccueilControls& c = Frm_Accueil::instance().controls();
    c.lbl_stat_nbr->setText(QString::number(counters.divx));
    c.lbl_stat_dvd->setText(QString::number(counters.dvd));
    c.lbl_stat_pret->setText(QString::number(counters.lent));
    c.lbl_dispo->setText(QString::number(counters.atHome));
}

}  // namespace Connection
