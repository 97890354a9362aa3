#pragma once

#include "calc/TripCalc.h"

#include <QVariant>
#include <QVector>

#include <vector>

namespace tarlok {

class Table;

// The running values and totals of the trips, as the month and year passes write them into stored
// trips and the sums under the grid read them back.
namespace triptotals {

// Trips as stored, each with its rowid, in the table's order (by date, then in the order of entry).
struct StoredTrips {
    std::vector<qint64> rowids;
    std::vector<QVector<QVariant>> records;
};

// The trips of `year` among every trip of the table's range (the vehicle's), read as stored without
// moving the cursor or touching the record filter or a pending trip.
StoredTrips tripsOfYearInRange(const Table& table, int year);
// The trips in view of a table (a pending trip as stored before it).
StoredTrips tripsInView(const Table& table);

// The month totals of a year from its trips: each month's totals are those stored on its first trip
// (every trip of a month carries them).
trips::YearTotals monthTotals(const Table& table, const StoredTrips& trips);

// The month pass over `trips`: the running values and totals within each month, and the month's
// kilometres on its last trip only (`monthKmField`: the trips file has that field).
void writeMonthPass(Table& t, const StoredTrips& trips, bool monthKmField);

// The year pass over `trips`, which must be the whole year.
void writeYearPass(Table& t, const StoredTrips& trips);

} // namespace triptotals

} // namespace tarlok
