#include "store/Settings.h"

#include "store/Database.h"
#include "store/Recordset.h"

namespace store {

std::optional<QString> Settings::value(const QString& name)
{
    Recordset rs;
    rs.open(Statement {QStringLiteral("SELECT valeur FROM reglage WHERE nom = ?"), {name}}, db_);
    if (rs.eof())
        return std::nullopt;
    return rs.text(0);
}

void Settings::setValue(const QString& name, const QString& value)
{
    db_.execute(Statement {QStringLiteral("INSERT INTO reglage (nom, valeur) VALUES (?, ?) "
                                          "ON CONFLICT (nom) DO UPDATE SET valeur = excluded.valeur"),
                           {name, value}});
}

void Settings::remove(const QString& name)
{
    db_.execute(Statement {QStringLiteral("DELETE FROM reglage WHERE nom = ?"), {name}});
}

}  // namespace store
