#pragma once

#include <QString>

namespace bench {

// Loans returned, in the history of the sample catalogue.
constexpr int kPastLoans = 20'000;

// Fills an empty catalogue with count films: titles of varied lengths with accents and
// apostrophes, every genre of the default lists, every quality, a few hundred lent films; and the
// loans' history: their open loans, a third of them late on 06/12/2026, and kPastLoans returned.
void fillCatalogue(const QString& cataloguePath, int count);

// Makes folders × filesPerFolder .avi files (and a few other files) below root: empty, or copies
// of the file copyOf; beside each, a copy of nfoOf under the film's name with ".nfo" when given.
void makeVideoTree(const QString& root, int folders, int filesPerFolder, const QString& copyOf = QString(),
                   const QString& nfoOf = QString());

}  // namespace bench
