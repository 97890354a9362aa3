#pragma once

#include <QDate>
#include <QList>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace tarlok {

class Database;
class Table;

// The odometer chain of one vehicle: each trip should start at the reading on which the trip before it
// ended. A trip that starts elsewhere breaks the chain: above the previous final reading, kilometres were
// driven and never recorded (a gap); below it, kilometres are counted twice (an overlap).
namespace odometer {

struct Trip {
    QDate date;                  // an empty date counts as earlier than any date
    qint64 entry = 0;            // NrKol: the order of entry on one date
    std::optional<qint64> start; // StanLicznikaPrzed
    std::optional<qint64> end;   // StanLicznikaPo
};

struct Break {
    QDate date;         // of the trip that starts off the chain
    QDate previousDate; // of the trip before it
    qint64 previousEnd = 0;
    qint64 start = 0;

    // Kilometres between the two readings: above 0 a gap, below 0 an overlap.
    qint64 difference() const { return start - previousEnd; }
    bool isGap() const { return difference() > 0; }
};

// Every break among the trips taken by date, then in the order they were entered. A trip without a
// starting reading is not compared with the one before it, and one without a final reading leaves
// nothing to compare the next one with: only breaks both readings show are listed.
std::vector<Break> breaks(std::vector<Trip> trips);

// The trip of the current row of a table of Przejazdy.db.
Trip tripOf(const Table& table);

// The trips of a vehicle in a year's month (1..12) or in the whole year (0), read from Przejazdy.db
// through a table of their own.
std::vector<Trip> vehicleTrips(Database& database, qint64 vehicleNumber, int year, int month);

} // namespace odometer

} // namespace tarlok
