#include "app/Connection.h"
#include "editor/Frm_Visu.h"
#include "store/DbError.h"
#include "store/Films.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/main/Chargeliste.h"
#include "ui/main/Frm_Accueil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

using namespace ui;

void Frm_Accueil::connectSelection()
{
    const Frm_AccueilControls& c = controls_;
    onEvent(c.List, &ListView::click, [this] { List_Click(); });
    onEvent(c.List, &ListView::dblClick, [this] { List_DblClick(); });
    onEvent(c.List, &ListView::columnClick, [this](int column) { List_ColumnClick(column); });
    onEvent(c.txt_search, &QLineEdit::textChanged, [this] { txt_search_Change(); });
}

void Frm_Accueil::lire_selection()
{
    ListView* list = controls().List;
    const int row = list->selectedRow();
    if (list->rowCount() == 0 || row < 0)
        return;
    try {
        bool isNumber = false;
        const qint16 key =
                list->cellText(row, type_liste == ListLayout::Films ? 5 : 3).trimmed().toShort(&isNumber);
        if (isNumber)
            Connection::code_selection = key;
    } catch (const std::out_of_range&) {
        // A row without a key cell (the placeholder) selects nothing.
    }
}

void Frm_Accueil::List_Click()
{
    const Frm_AccueilControls& c = controls();
    const int row = c.List->selectedRow();
    // Nothing selected (a click beside the rows) or the placeholder row: nothing to show.
    if (row < 0 || c.List->rowText(row) == Connection::placeholderRow())
        return;
    lire_selection();
    c.chk_pret->setChecked(false);

    // The film may have left the catalogue since the list was filled.
    const std::optional<store::Film> film = Connection::films().find(Connection::code_selection);
    if (!film)
        return;
    c.lbl_qual->setText(film->qualite_film);
    c.lbl_langue->setText(film->langue_Film);
    c.lbl_nbr->setText(film->cd_film);
    c.lbl_codec->setText(film->codec_Film);
    c.lbl_son->setText(film->codec_Son);
    c.lbl_duree->setText(film->duree);
    c.lbl_annee->setText(film->annee);

    c.chk_pret->setVisible(true);
    if (!film->pret_film) {
        showLoanBox(LoanBox::AtHome);
        showLoanFields(false);
    } else {
        showLoanBox(LoanBox::Lent);
        showLoanFields(true);
        c.txt_nom->setReadOnly(true);
        c.lbl_date->setText(film->date_pret);
        c.txt_nom->setText(*film->pret_film);
    }
}

void Frm_Accueil::List_DblClick()
{
    ListView* list = controls().List;
    const int row = list->selectedRow();
    if (row < 0 || list->rowText(row) == Connection::placeholderRow())
        return;
    lire_selection();
    Frm_Visu::instance().montrer();
}

void Frm_Accueil::List_ColumnClick(int column) { controls().List->sortRows(column, Qt::AscendingOrder); }

void Frm_Accueil::txt_search_Change()
{
    try {
        Connection::chargeliste(store::FilmList::titleSearch(controls().txt_search->text()));
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La recherche n'a pas pu être faite :\r\n") + error.message(),
               Icon::Exclamation);
    }
}
