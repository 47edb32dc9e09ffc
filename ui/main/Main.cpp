#include "ui/main/Main.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "ui/Platform.h"
#include "ui/main/Frm_Accueil.h"

bool Main(Connection& session)
{
    try {
        session.open(files::cataloguePath());
        Frm_Accueil::instance().show();
    } catch (const std::exception&) {
        // A main window that failed to load was not left loaded.
        session.close();
        ui::msgBox(QStringLiteral("Probleme de connection à la base de donnée\r\n"
                                  "Vérifiez que la base de donnée se situe dans le repertoire BD"),
                   ui::Icon::Critical, QStringLiteral("Erreur de connection"));
        return false;
    }
    // Once the window is shown and filled, so a failure is told over it.
    session.sauvegarde_automatique(true);
    return true;
}
