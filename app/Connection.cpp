#include "app/Connection.h"

#include "files/ProgramFolder.h"
#include "store/DbError.h"
#include "ui/Platform.h"
#include "ui/main/Frm_Accueil.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace Connection {

std::unique_ptr<store::Database> cnx;
bool nouveau_film = false;
qint16 code_selection = 0;
files::ReferenceList onglet_option = files::ReferenceList::Audio;

bool Main()
{
    try {
        cnx = store::Database::open(files::cataloguePath());
        Frm_Accueil::instance().show();
    } catch (const std::exception&) {
        // A main window that failed to load was not left loaded.
        cnx.reset();
        ui::msgBox(QStringLiteral("Probleme de connection à la base de donnée\r\n"
                                  "Vérifiez que la base de donnée se situe dans le repertoire BD"),
                   ui::Icon::Critical, QStringLiteral("Erreur de connection"));
        return false;
    }
    // Once the window is shown and filled, so a failure is told over it.
    sauvegarde_automatique(true);
    return true;
}

namespace {

store::Database& catalogue()
{
    if (!cnx)
        throw store::DbError(QStringLiteral("Aucune base de donnée n'est ouverte."));
    return *cnx;
}

}  // namespace

store::Films films() { return store::Films(catalogue()); }

store::Backups sauvegardes() { return store::Backups(catalogue()); }

void sauvegarde_automatique(bool au_demarrage)
{
    QString echec;
    try {
        store::Backups backups = sauvegardes();
        const QDateTime maintenant = ui::platform().now();
        if (!au_demarrage || backups.dueAtStartUp(maintenant))
            backups.backUp(maintenant);
        return;
    } catch (const store::DbError& error) {
        echec = error.message();
    } catch (const std::exception&) {
        // Any other error speaks the language of the library that raised it, not the user's.
        echec = QStringLiteral("La sauvegarde automatique du catalogue n'a pas pu être faite : "
                               "erreur interne du programme");
    }
    ui::msgBox(echec, ui::Icon::Critical);
}

void tiret_si_vide(QLineEdit* box)
{
    if (box->text().isEmpty())
        box->setText(QStringLiteral("-"));
}

void tiret_si_vide(QPlainTextEdit* box)
{
    if (box->toPlainText().isEmpty())
        box->setPlainText(QStringLiteral("-"));
}

void reset()
{
    cnx.reset();
    nouveau_film = false;
    code_selection = 0;
    onglet_option = files::ReferenceList::Audio;
}

}  // namespace Connection
