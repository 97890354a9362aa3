#include "OdometerChain.h"

#include "VehicleRows.h"

#include "store/Table.h"
#include "store/Tables.h"

#include <algorithm>

namespace tarlok::odometer {

namespace {

std::optional<qint64> reading(const Table& table, const QString& field) {
    if (!table.hasField(field) || table.isNull(field))
        return std::nullopt;
    return table.asInteger(field);
}

} // namespace

std::vector<Break> breaks(std::vector<Trip> trips) {
    std::stable_sort(trips.begin(), trips.end(), [](const Trip& a, const Trip& b) {
        // An empty date first, as the register orders its rows.
        if (a.date.isValid() != b.date.isValid())
            return !a.date.isValid();
        if (a.date != b.date)
            return a.date < b.date;
        return a.entry < b.entry;
    });
    std::vector<Break> found;
    const Trip* previous = nullptr;
    for (const Trip& trip : trips) {
        if (previous && previous->end && trip.start && *trip.start != *previous->end)
            found.push_back(Break{trip.date, previous->date, *previous->end, *trip.start});
        previous = &trip;
    }
    return found;
}

Trip tripOf(const Table& table) {
    Trip trip;
    trip.date = table.asDate(fields::przejazdy::Data);
    trip.entry = table.asInteger(fields::przejazdy::NrKol);
    trip.start = reading(table, fields::przejazdy::StanLicznikaPrzed);
    trip.end = reading(table, fields::przejazdy::StanLicznikaPo);
    return trip;
}

std::vector<Trip> vehicleTrips(Database& database, qint64 vehicleNumber, int year, int month) {
    std::vector<Trip> trips;
    VehicleRows rows(database, tables::przejazdy().fileName(), indexes::NrKol_Pojazdu_DataInd, vehicleNumber);
    Table* t = rows.table();
    if (!t)
        return trips;
    for (t->first(); !t->eof(); t->next()) {
        if (t->asInteger(fields::przejazdy::Rok) != year)
            continue;
        if (month != 0 && t->asInteger(fields::przejazdy::Miesiac) != month)
            continue;
        trips.push_back(tripOf(*t));
    }
    return trips;
}

} // namespace tarlok::odometer
