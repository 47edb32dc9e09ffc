#include "ui/main/Main.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "store/DbError.h"
#include "ui/Platform.h"
#include "ui/main/Frm_Accueil.h"

namespace {

// The loans' history brought in step with the films, which an older version or another program may
// have lent or given back meanwhile.
void mettre_les_prets_en_accord(Connection& session)
{
    try {
        session.prets().bringInStep(ui::platform().now().date());
    } catch (const store::DbError&) {
        // A catalogue that cannot be written now (read only, held by another program) opens all
        // the same: the next opening brings them in step.
    }
}

}  // namespace

bool Main(Connection& session)
{
    try {
        session.open(files::cataloguePath());
        mettre_les_prets_en_accord(session);
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
