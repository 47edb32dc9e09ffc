#include "app/Connection.h"

#include "store/DbError.h"
#include "ui/Platform.h"

namespace {

Connection* current = nullptr;

}  // namespace

Connection::Connection()
{
    if (current)
        throw std::logic_error("one session at a time");
    current = this;
}

Connection::~Connection() { current = nullptr; }

Connection& Connection::instance()
{
    if (!current)
        throw std::logic_error("no session");
    return *current;
}

void Connection::open(const QString& cataloguePath) { cnx_ = store::Database::open(cataloguePath); }

store::Database& Connection::cnx()
{
    if (!cnx_)
        throw store::DbError(QStringLiteral("Aucune base de donnée n'est ouverte."));
    return *cnx_;
}

void Connection::sauvegarde_automatique(bool au_demarrage)
{
    try {
        store::Backups backups = sauvegardes();
        const QDateTime maintenant = ui::platform().now();
        if (!au_demarrage || backups.dueAtStartUp(maintenant))
            backups.backUp(maintenant);
    } catch (const UserError& error) {
        ui::msgBox(error.message(), ui::Icon::Critical);
    } catch (const std::exception&) {
        // Any other error speaks the language of the library that raised it, not the user's.
        ui::msgBox(QStringLiteral("La sauvegarde automatique du catalogue n'a pas pu être faite : "
                                  "erreur interne du programme"),
                   ui::Icon::Critical);
    }
}
