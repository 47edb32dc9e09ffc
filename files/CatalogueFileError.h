#pragma once

#include "store/UserError.h"

#include <QString>

namespace files {

// A catalogue file to import that cannot be read; its message names the file, then what is wrong.
class CatalogueFileError : public UserError {
public:
    CatalogueFileError(const QString& path, const QString& reason);
};

}  // namespace files
