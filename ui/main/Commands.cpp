#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "editor/Frm_New.h"
#include "quickadd/Frm_ajoutquick.h"
#include "store/DbError.h"
#include "ui/Guard.h"
#include "ui/ListView.h"
#include "ui/Platform.h"
#include "ui/main/Frm_Accueil.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <sqlite3.h>
#include <xlsxwriter.h>

using namespace ui;

namespace {

const QString kTousLesFilms = QStringLiteral("select * from film order by nom_film");

QString texte_a_propos()
{
    const QStringList lines = {
            QStringLiteral("Cinabrel, version %1").arg(QStringLiteral(CINABREL_VERSION)),
            QStringLiteral(
                    "Le catalogue de votre collection de films : fichiers vidéo et DVD, et les prêts."),
            QString(),
            QStringLiteral("Catalogue utilisé :"),
            QDir::toNativeSeparators(app::cataloguePath()),
            QString(),
            QStringLiteral("Qt %1 (licence LGPL 3)").arg(QString::fromLatin1(qVersion())),
            QStringLiteral("SQLite %1 (domaine public)").arg(QString::fromLatin1(sqlite3_libversion())),
            QStringLiteral("libxlsxwriter %1 (licence BSD à 2 clauses)").arg(QStringLiteral(LXW_VERSION)),
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
    auto menu = [this](const char* name) { return window()->findChild<QAction*>(QString::fromLatin1(name)); };
    auto button = [this](const char* name) { return control<QPushButton>(QString::fromLatin1(name)); };
    onEvent(button("cmd_new"), &QPushButton::clicked, [this] { cmd_new_Click(); });
    onEvent(menu("mnufilm"), &QAction::triggered, [this] { cmd_new_Click(); });
    onEvent(menu("mnuajoutquick"), &QAction::triggered, [this] {
        hide();
        Frm_ajoutquick::instance().show();
    });
    onEvent(button("Bt_Modif"), &QPushButton::clicked, [this] { Bt_Modif_Click(); });
    onEvent(button("Bt_Supp"), &QPushButton::clicked, [this] { Bt_Supp_Click(); });
    onEvent(menu("mnulistF"), &QAction::triggered, [this] { mnulistF_Click(); });
    onEvent(menu("mnu_dvd"), &QAction::triggered, [this] { mnu_dvd_Click(); });
    onEvent(menu("mnu_liste_fr"), &QAction::triggered, [this] { mnu_liste_fr_Click(); });
    onEvent(menu("mnu_liste_E"), &QAction::triggered, [this] { mnu_liste_E_Click(); });
    onEvent(menu("mnupropos"), &QAction::triggered,
            [] { msgBox(texte_a_propos(), mb::Information, QStringLiteral("Cinabrel - A propos de")); });
    onEvent(menu("mnuquit"), &QAction::triggered, [this] { unload(); });
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
        msgBox(QStringLiteral("Selectionne un film !!"), mb::Critical, QStringLiteral("Oublie"));
        return;
    }
    store::Recordset& rs = Connection::rs;
    rs = store::Recordset();
    rs.open(QStringLiteral("select * from film where code_film=")
                    + QString::number(Connection::code_selection),
            Connection::connection());
    const bool gone = rs.eof();
    rs.close();
    if (gone) {
        msgBox(QStringLiteral("Ce film n'existe plus dans la base de donnée"), mb::Exclamation);
        oublier_selection();
        iniliste(1);
        Connection::chargeliste(kTousLesFilms);
        return;
    }
    Connection::nouveau_film = false;
    Frm_New::instance().show();
    hide();
}

void Frm_Accueil::Bt_Supp_Click()
{
    if (Connection::code_selection == 0) {
        msgBox(QStringLiteral("Selectionne un film !!"), mb::Critical);
        return;
    }
    if (msgBox(QStringLiteral("Etes vous sur de vouloir supprimer ce film de votre base?"),
               mb::YesNo | mb::Exclamation, QStringLiteral("Suppression"))
        != mb::Yes)
        return;
    try {
        Connection::rs = store::Recordset();
        Connection::rs.open(QStringLiteral("Delete * from film where code_film=")
                                    + QString::number(Connection::code_selection),
                            Connection::connection(), store::Recordset::Dynamic,
                            store::Recordset::Optimistic);
    } catch (const store::DbError&) {
        msgBox(QStringLiteral("Le film n'a pas pu être supprimé"), mb::Critical);
        return;
    }
    // Nothing may act on the deleted film any more, and the reloaded rows are film rows.
    oublier_selection();
    iniliste(1);
    Connection::chargeliste(kTousLesFilms);
}

void Frm_Accueil::oublier_selection()
{
    Connection::code_selection = 0;
    for (const char* name :
         {"lbl_langue", "lbl_qual", "lbl_codec", "lbl_son", "lbl_nbr", "lbl_duree", "lbl_annee", "lbl_date"})
        control<QLabel>(QString::fromLatin1(name))->setText(QStringLiteral(" "));
    auto* chk_pret = control<QCheckBox>(QStringLiteral("chk_pret"));
    {
        // The box goes back to its state at load without starting a loan or a return.
        const QSignalBlocker quiet(chk_pret);
        chk_pret->setChecked(false);
    }
    chk_pret->setProperty("Tag", QString());
    control<QLineEdit>(QStringLiteral("txt_nom"))->setText(QStringLiteral(" "));
    for (const char* name : {"chk_pret", "lbl_nom", "txt_nom", "lbl_date1", "lbl_date", "cmd_pret"})
        control<QWidget>(QString::fromLatin1(name))->setVisible(false);
}

void Frm_Accueil::mnulistF_Click()
{
    iniliste(1);
    control<QLineEdit>(QStringLiteral("txt_search"))->clear();
    Connection::chargeliste(kTousLesFilms);
}

void Frm_Accueil::mnu_dvd_Click()
{
    iniliste(1);
    control<QLineEdit>(QStringLiteral("txt_search"))->clear();
    Connection::requete = QStringLiteral("SELECT * FROM Film WHERE format_film ='Dvd' ORDER BY nom_film");
    Connection::chargeliste(Connection::requete);
}

void Frm_Accueil::mnu_liste_fr_Click()
{
    iniliste(1);
    control<QLineEdit>(QStringLiteral("txt_search"))->clear();
    Connection::requete = QStringLiteral("SELECT * FROM Film WHERE langue_Film ='Français'");
    Connection::chargeliste(Connection::requete);
}

void Frm_Accueil::mnu_liste_E_Click()
{
    iniliste(1);
    Connection::requete = QStringLiteral("SELECT * FROM Film WHERE langue_Film <>'Français'");
    Connection::chargeliste(Connection::requete);
}
