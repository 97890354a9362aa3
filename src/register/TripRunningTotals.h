#pragma once

#include "calc/TripCalc.h"

#include <functional>

namespace tarlok {

class Table;

// The running values and totals of the trips, as the month and year passes write them into the trips
// in view of a table and the sums under the grid read them back.
namespace triptotals {

// A filter that admits the trips of `year`.
std::function<bool(Table&)> tripsOfYear(const Table& table, int year);

// The month totals of a year from the trips in view: each month's totals are those stored on its first
// trip (every trip of a month carries them).
trips::YearTotals totalsInView(const Table& table);

// The month pass over the trips in view: the running values and totals within each month, and the
// month's kilometres on its last trip only (`monthKmField`: the trips file has that field).
void writeMonthPass(Table& t, bool monthKmField);

// The year pass over the trips in view, which must be the whole year.
void writeYearPass(Table& t);

} // namespace triptotals

} // namespace tarlok
