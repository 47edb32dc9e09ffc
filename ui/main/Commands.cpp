#include "app/Connection.h"
#include "editor/Frm_New.h"
#include "files/ProgramFolder.h"
#include "files/Workbook.h"
#include "quickadd/Frm_ajoutquick.h"
#include "store/Films.h"
#include "store/Database.h"
#include "store/DbError.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/main/Chargeliste.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

using namespace ui;

namespace {

QString texte_a_propos()
{
    const QStringList lines = {
            QStringLiteral("Cinabrel, version %1").arg(QStringLiteral(CINABREL_VERSION)),
            QStringLiteral(
                    "Le catalogue de votre collection de films : fichiers vidéo et DVD, et les prêts."),
            QString(),
            QStringLiteral("Catalogue utilisé :"),
            QDir::toNativeSeparators(files::cataloguePath()),
            QString(),
            QStringLiteral("Qt %1 (licence LGPL 3)").arg(QString::fromLatin1(qVersion())),
            QStringLiteral("SQLite %1 (domaine public)").arg(store::engineVersion()),
            QStringLiteral("libxlsxwriter %1 (licence BSD à 2 clauses)")
                    .arg(files::Workbook::libraryVersion()),
            QStringLiteral("https://cinabrel.example.org"),
    };
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

}  // namespace

void Frm_Accueil::connectCommands()
{
    const Frm_AccueilControls& c = controls_;
    onEvent(c.cmd_new, &QPushButton::clicked, [this] { cmd_new_Click(); });
    onEvent(c.mnufilm, &QAction::triggered, [this] { cmd_new_Click(); });
    onEvent(c.mnuajoutquick, &QAction::triggered, [this] {
        hide();
        Frm_ajoutquick::instance().show();
    });
    onEvent(c.Bt_Modif, &QPushButton::clicked, [this] { Bt_Modif_Click(); });
    onEvent(c.Bt_Supp, &QPushButton::clicked, [this] { Bt_Supp_Click(); });
    onEvent(c.mnulistF, &QAction::triggered, [this] { afficher_liste(store::FilmList::all(), true); });
    onEvent(c.mnu_dvd, &QAction::triggered, [this] { afficher_liste(store::FilmList::of(store::FilmList::Kind::Dvd), true); });
    onEvent(c.mnu_liste_fr, &QAction::triggered,
            [this] { afficher_liste(store::FilmList::of(store::FilmList::Kind::French), true); });
    onEvent(c.mnu_liste_E, &QAction::triggered,
            [this] { afficher_liste(store::FilmList::of(store::FilmList::Kind::Foreign), false); });
    onEvent(c.mnupropos, &QAction::triggered,
            [] { msgBox(texte_a_propos(), Icon::Information, QStringLiteral("Cinabrel - A propos de")); });
    onEvent(c.mnuquit, &QAction::triggered, [this] { unload(); });
}

void Frm_Accueil::cmd_new_Click()
{
    Connection::nouveau_film = true;
    Frm_New::instance().show();
    unload();
}

void Frm_Accueil::Bt_Modif_Click()
{
    if (Connection::code_selection == 0) {
        msgBox(QStringLiteral("Selectionne un film !!"), Icon::Critical, QStringLiteral("Oublie"));
        return;
    }
    if (!Connection::films().find(Connection::code_selection)) {
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), Icon::Exclamation);
        oublier_selection();
        iniliste(ListLayout::Films);
        Connection::chargeliste(store::FilmList::all());
        return;
    }
    Connection::nouveau_film = false;
    Frm_New::instance().show();
    hide();
}

void Frm_Accueil::Bt_Supp_Click()
{
    if (Connection::code_selection == 0) {
        msgBox(QStringLiteral("Selectionne un film !!"), Icon::Critical);
        return;
    }
    if (askYesNo(QStringLiteral("Etes vous sur de vouloir supprimer ce film de votre base?"),
                 Icon::Exclamation, QStringLiteral("Suppression"))
        != Answer::Yes)
        return;
    try {
        Connection::films().remove(Connection::code_selection);
    } catch (const store::DbError&) {
        msgBox(QStringLiteral("Le film n'a pas pu être supprimé"), Icon::Critical);
        return;
    }
    // Nothing may act on the deleted film any more, and the reloaded rows are film rows.
    oublier_selection();
    iniliste(ListLayout::Films);
    Connection::chargeliste(store::FilmList::all());
}

void Frm_Accueil::oublier_selection()
{
    const Frm_AccueilControls& c = controls();
    Connection::code_selection = 0;
    for (QLabel* label :
         {c.lbl_langue, c.lbl_qual, c.lbl_codec, c.lbl_son, c.lbl_nbr, c.lbl_duree, c.lbl_annee, c.lbl_date})
        label->setText(QStringLiteral(" "));
    {
        // The box goes back to its state at load without starting a loan or a return.
        const QSignalBlocker quiet(c.chk_pret);
        c.chk_pret->setChecked(false);
    }
    loanBox_ = LoanBox::NoSelection;
    c.txt_nom->setText(QStringLiteral(" "));
    for (QWidget* widget : std::initializer_list<QWidget*> {c.chk_pret, c.lbl_nom, c.txt_nom, c.lbl_date1,
                                                            c.lbl_date, c.cmd_pret})
        widget->setVisible(false);
}

void Frm_Accueil::catalogue_remplace()
{
    oublier_selection();
    afficher_liste(store::FilmList::all(), true);
}

// The list entries show a film list from its first row; all but the foreign films empty the search box.
void Frm_Accueil::afficher_liste(const store::FilmList& requete, bool vider_recherche)
{
    iniliste(ListLayout::Films);
    if (vider_recherche)
        controls().txt_search->clear();
    Connection::chargeliste(requete);
}
