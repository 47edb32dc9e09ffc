#include "files/CatalogueFileError.h"

#include <QDir>

namespace files {

CatalogueFileError::CatalogueFileError(const QString& path, const QString& reason)
    : UserError(QStringLiteral("Impossible d'importer le fichier :\r\n") + QDir::toNativeSeparators(path)
                + QStringLiteral("\r\n") + reason)
{ }

}  // namespace files
