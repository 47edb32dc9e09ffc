#pragma once

#include <QString>
#include <stdexcept>

namespace files {

// A catalogue file to import that cannot be read; what() is the French message for the user: the
// file, then what is wrong with it.
class CatalogueFileError : public std::runtime_error {
public:
    CatalogueFileError(const QString& path, const QString& reason);
    QString message() const { return QString::fromUtf8(what()); }
};

}  // namespace files
