#pragma once

#include "files/Workbook.h"
#include "store/Statistics.h"

namespace stats {

// The statistics as a workbook: a sheet of the totals, then one sheet per table of the window, its
// values, their number of films and their share, as numbers the spreadsheet can count with.
files::Workbook statisticsWorkbook(const store::Statistics& statistics);

}  // namespace stats
