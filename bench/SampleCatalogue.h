#pragma once

#include <QString>

namespace bench {

// Fills an empty catalogue with count films: titles of varied lengths with accents and
// apostrophes, every genre of the default lists, every quality, a few hundred lent films.
void fillCatalogue(const QString& cataloguePath, int count);

// Makes folders × filesPerFolder empty .avi files (and a few other files) below root.
void makeVideoTree(const QString& root, int folders, int filesPerFolder);

}  // namespace bench
