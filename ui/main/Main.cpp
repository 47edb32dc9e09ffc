#include "ui/main/Main.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "store/Backups.h"
#include "store/DbError.h"
#include "ui/Platform.h"
#include "ui/main/Frm_Accueil.h"

#include <QFileInfo>
#include <optional>

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

// Opens the catalogue and shows the main window; false when either fails, with the failure of a
// catalogue that is damaged or another program's database kept in damage.
bool opened(Connection& session, std::optional<store::DbError>& damage)
{
    try {
        session.open(files::cataloguePath());
        mettre_les_prets_en_accord(session);
        Frm_Accueil::instance().show();
        return true;
    } catch (const store::DbError& error) {
        if (error.notACatalogue())
            damage = error;
    } catch (const std::exception&) {
        // A main window that failed to load was not left loaded; the message tells all the same.
    }
    session.close();
    ui::msgBox(QStringLiteral("Probleme de connection à la base de donnée\r\n"
                              "Vérifiez que la base de donnée se situe dans le repertoire BD"),
               ui::Icon::Critical, QStringLiteral("Erreur de connection"));
    return false;
}

// "1 234": thousands apart, as a French reader writes a count.
QString count(qint64 n)
{
    return QLocale(QLocale::French).toString(n).replace(QChar(0x202F), u' ').replace(QChar(0xA0), u' ');
}

// Offers the newest backup that passes its check in place of a damaged catalogue; true once it is
// in place.
bool restoredFromBackup()
{
    const QString path = files::cataloguePath();
    if (!QFileInfo(path).isFile())
        return false;
    for (const store::Backup& backup : store::Backups::besideCatalogue(path)) {
        if (!backup.restorable())
            continue;
        const QString question =
                QStringLiteral("Restaurer la sauvegarde du %1 à %2 (%3 films) ?")
                        .arg(backup.taken.toString(QStringLiteral("dd/MM/yyyy")),
                             backup.taken.toString(QStringLiteral("HH:mm")), count(backup.films));
        if (ui::askYesNo(question, ui::Icon::Exclamation, QStringLiteral("Restaurer une sauvegarde"))
            != ui::Answer::Yes)
            return false;
        try {
            store::Backups::replaceDamaged(path, backup.path, ui::platform().now());
        } catch (const store::DbError& error) {
            ui::msgBox(error.message(), ui::Icon::Critical);
            return false;
        }
        return true;
    }
    return false;
}

}  // namespace

bool Main(Connection& session)
{
    std::optional<store::DbError> damage;
    if (!opened(session, damage) && !(damage && restoredFromBackup() && opened(session, damage)))
        return false;
    // Once the window is shown and filled, so a failure is told over it.
    session.sauvegarde_automatique(true);
    return true;
}
