#pragma once

#include "SummaryCalc.h"

#include <QtGlobal>

#include <array>
#include <vector>

namespace tarlok {

class Database;

namespace summary {

// The month totals of a vehicle's year as the summary shows them, read from the trip and cost rows of
// the data folder through table objects of its own: whatever year or month a window shows, every
// column is that year's, the VAT of each month included. The summary tab and its printout share it.
std::array<MonthTotals, 13> yearTotals(Database& database, qint64 vehicleNumber, int year,
                                       bool withConsumption);

} // namespace summary
} // namespace tarlok
