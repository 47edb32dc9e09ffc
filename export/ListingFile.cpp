#include "export/ListingFile.h"

#include "app/Connection.h"
#include "files/ProgramFolder.h"
#include "files/TextListing.h"
#include "files/WholeSave.h"
#include "store/Films.h"
#include "ui/Platform.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace exports {

namespace {

void tellNotWritten(const QString& path)
{
    ui::msgBox(QStringLiteral("Impossible d'écrire le fichier :\r\n") + QDir::toNativeSeparators(path),
               ui::Icon::Critical);
}

}  // namespace

bool writeListingFile()
{
    const QString path = files::listingPath();
    // Written aside and put in place at the end: a failure leaves the former listing whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        tellNotWritten(path);
        return false;
    }
    files::TextListing listing(file);
    listing.writeHeader();
    Connection::instance().films().forEachByTitle(
            [&listing](const QString& title, const QString& duration, const QString& quality) {
                listing.writeFilm(title, duration, quality);
            });
    listing.writeFooter(ui::platform().now());
    if (!files::commitWhole(file)) {
        tellNotWritten(path);
        return false;
    }
    return true;
}

void openListingFile()
{
    // Asking the desktop to open a missing file can make it show an error of its own.
    const QString path = files::listingPath();
    if (QFile::exists(path))
        ui::platform().openDocument(path);
}

}  // namespace exports
