#include "app/Connection.h"
#include "editor/Frm_Visu.h"
#include "store/DbError.h"
#include "store/Dialect.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/main/Frm_Accueil.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <stdexcept>

using namespace ui;

void Frm_Accueil::connectSelection()
{
    ListView* list = List();
    onEvent(list, &ListView::click, [this] { List_Click(); });
    onEvent(list, &ListView::dblClick, [this] { List_DblClick(); });
    onEvent(list, &ListView::columnClick, [this](int column) { List_ColumnClick(column); });
    onEvent(control<QLineEdit>(QStringLiteral("txt_search")), &QLineEdit::textChanged,
            [this] { txt_search_Change(); });
}

void Frm_Accueil::lire_selection()
{
    ListView* list = List();
    const int row = list->selectedRow();
    if (list->rowCount() == 0 || row < 0)
        return;
    try {
        bool isNumber = false;
        const qint16 key = list->cellText(row, type_liste == 1 ? 5 : 3).trimmed().toShort(&isNumber);
        if (isNumber)
            Connection::code_selection = key;
    } catch (const std::out_of_range&) {
        // A row without a key cell (the placeholder) selects nothing.
    }
}

void Frm_Accueil::List_Click()
{
    ListView* list = List();
    const int row = list->selectedRow();
    // Nothing selected (a click beside the rows) or the placeholder row: nothing to show.
    if (row < 0 || list->rowText(row) == Connection::placeholderRow())
        return;
    lire_selection();
    auto* chk_pret = control<QCheckBox>(QStringLiteral("chk_pret"));
    chk_pret->setChecked(false);

    store::Recordset& rs = Connection::rs;
    rs = store::Recordset();
    rs.open(QStringLiteral("select * from film where code_film=")
                    + QString::number(Connection::code_selection),
            Connection::connection());
    // The film may have left the catalogue since the list was filled.
    if (rs.eof()) {
        rs.close();
        return;
    }
    const struct {
        const char* label;
        const char* column;
    } summary[] = {
            {"lbl_qual", "qualite_film"}, {"lbl_langue", "langue_Film"}, {"lbl_nbr", "cd_film"},
            {"lbl_codec", "codec_Film"},  {"lbl_son", "codec_Son"},      {"lbl_duree", "duree"},
            {"lbl_annee", "annee"},
    };
    for (const auto& line : summary)
        control<QLabel>(QString::fromLatin1(line.label))->setText(rs.text(QString::fromLatin1(line.column)));

    chk_pret->setVisible(true);
    if (rs.isNull(QStringLiteral("pret_film"))) {
        chk_pret->setText(QStringLiteral("Emprunt"));
        chk_pret->setProperty("Tag", QStringLiteral("0"));
        showLoanFields(false);
    } else {
        chk_pret->setText(QStringLiteral("Retour"));
        chk_pret->setProperty("Tag", QStringLiteral("1"));
        showLoanFields(true);
        auto* txt_nom = control<QLineEdit>(QStringLiteral("txt_nom"));
        txt_nom->setReadOnly(true);
        control<QLabel>(QStringLiteral("lbl_date"))->setText(rs.text(QStringLiteral("date_pret")));
        txt_nom->setText(rs.text(QStringLiteral("pret_film")));
    }
    rs.close();
}

void Frm_Accueil::List_DblClick()
{
    ListView* list = List();
    const int row = list->selectedRow();
    if (row < 0 || list->rowText(row) == Connection::placeholderRow())
        return;
    lire_selection();
    Frm_Visu::instance().montrer();
}

void Frm_Accueil::List_ColumnClick(int column) { List()->sortRows(column, Qt::AscendingOrder); }

void Frm_Accueil::txt_search_Change()
{
    // The typed text is one value of the filter: a quote in it is doubled, "%" and "_" stay wildcards.
    const QString text = control<QLineEdit>(QStringLiteral("txt_search"))->text();
    Connection::requete = QStringLiteral("select * from film WHERE nom_film LIKE ")
            + store::quotedText(text + u'%', u'\'') + QStringLiteral(" order by nom_film");
    try {
        Connection::chargeliste(Connection::requete);
    } catch (const store::DbError& error) {
        msgBox(QStringLiteral("La recherche n'a pas pu être faite :\r\n") + error.message(), mb::Exclamation);
    }
}
