#pragma once

#include "files/Workbook.h"
#include "stats/StatisticsTables.h"

namespace stats {

// The statistics as a workbook: a sheet of the totals, one per table of the films, then a sheet of
// the loans' figures and one per table of the loans: each row's value, its number of films or loans
// and its share, as numbers the spreadsheet can count with.
files::Workbook statisticsWorkbook(const Figures& figures);

}  // namespace stats
