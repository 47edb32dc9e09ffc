#pragma once

#include <QString>

namespace files {

// The program's folder: the executable's, unless a test points it elsewhere.
QString programFolder();
void setProgramFolder(const QString& folder);

QString cataloguePath();  // BD/Film.mdb
QString referenceListsPath();  // BD/codec.cnb
QString listingPath();  // Film.txt

}  // namespace files
