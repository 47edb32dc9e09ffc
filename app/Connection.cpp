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
        return true;
    } catch (const std::exception&) {
        // A main window that failed to load was not left loaded.
        cnx.reset();
        ui::msgBox(QStringLiteral("Probleme de connection à la base de donnée\r\n"
                                  "Vérifiez que la base de donnée se situe dans le repertoire BD"),
                   ui::Icon::Critical, QStringLiteral("Erreur de connection"));
        return false;
    }
}

store::Films films()
{
    if (!cnx)
        throw store::DbError(QStringLiteral("Aucune base de donnée n'est ouverte."));
    return store::Films(*cnx);
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
