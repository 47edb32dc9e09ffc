#include "export/ListingFile.h"

#include "app/Connection.h"
#include "app/ProgramFolder.h"
#include "export/TextListing.h"
#include "ui/Platform.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace exports {

namespace {

void tellNotWritten(const QString& path)
{
    ui::msgBox(QStringLiteral("Impossible d'écrire le fichier :\r\n") + QDir::toNativeSeparators(path),
               ui::mb::Critical);
}

}  // namespace

bool writeListingFile()
{
    using namespace Connection;
    const QString path = app::listingPath();
    // Written aside and put in place at the end: a failure leaves the former listing whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        tellNotWritten(path);
        return false;
    }
    TextListing listing(file);
    listing.writeHeader();

    requete = QStringLiteral("select * from film ORDER BY nom_film");
    if (rs.isOpen())
        rs.close();
    // The same films in the same order, but only the listing's three columns, which the title
    // index holds: the films are read from the index alone.
    rs.open(QStringLiteral("select nom_film, duree, qualite_film from film ORDER BY nom_film"), connection(),
            store::Recordset::Unspecified, store::Recordset::Unspecified, store::Recordset::Unspecified);
    const int title = rs.fieldIndex(QStringLiteral("nom_film"));
    const int duration = rs.fieldIndex(QStringLiteral("duree"));
    const int quality = rs.fieldIndex(QStringLiteral("qualite_film"));
    while (!rs.eof()) {
        listing.writeFilm(rs.text(title), rs.text(duration), rs.text(quality));
        rs.moveNext();
    }
    listing.writeFooter(ui::platform().now());
    rs.close();

    if (!file.commit()) {
        tellNotWritten(path);
        return false;
    }
    return true;
}

void openListingFile()
{
    // Asking the desktop to open a missing file can make it show an error of its own.
    const QString path = app::listingPath();
    if (QFile::exists(path))
        ui::platform().openDocument(path);
}

}  // namespace exports
