#include "support/CatalogueCheck.h"

#include "store/Catalogue.h"
#include "store/Database.h"
#include "store/Recordset.h"

namespace testing {

QList<QStringList> filmRows(store::Database& db)
{
    QList<QStringList> rows;
    store::Recordset rs;
    rs.open(QStringLiteral("SELECT * FROM film ORDER BY code_film"), db);
    const int columns = int(store::filmColumns().size());
    while (!rs.eof()) {
        QStringList row;
        for (int i = 0; i < columns; ++i)
            row.append(rs.isNull(i) ? QStringLiteral("<NULL>") : rs.text(i));
        rows.append(row);
        rs.moveNext();
    }
    return rows;
}

QString integrityCheck(store::Database& db)
{
    QStringList verdict;
    store::Recordset rs;
    rs.open(QStringLiteral("PRAGMA integrity_check"), db);
    while (!rs.eof()) {
        verdict.append(rs.text(0));
        rs.moveNext();
    }
    return verdict.join(u'\n');
}

}  // namespace testing
