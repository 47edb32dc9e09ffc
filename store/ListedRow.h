#pragma once

#include <QString>
#include <QVarLengthArray>

namespace store {

// One row of a list: its text (a film's title), then its cells. A film row fits in place, so a list
// of the whole catalogue costs no allocation beyond the texts themselves.
using ListedRow = QVarLengthArray<QString, 6>;

}  // namespace store
