#include "TripRunningTotals.h"

#include "calc/VehicleRows.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <array>
#include <utility>
#include <vector>

namespace tarlok::triptotals {

namespace {

namespace J = fields::przejazdy;

// The figures of the trips, in their order.
std::vector<trips::TripFigures> figuresOf(const Table& table, const StoredTrips& trips) {
    const int year = table.fieldIndex(J::Rok);
    const int month = table.fieldIndex(J::Miesiac);
    const int km = table.fieldIndex(J::Kilometry);
    const int value = table.fieldIndex(J::Wartosc);
    std::vector<trips::TripFigures> out;
    out.reserve(trips.records.size());
    for (const Record& r : trips.records)
        out.push_back({int(r.value(year).toLongLong()), int(r.value(month).toLongLong()),
                       r.value(km).toLongLong(), r.value(value).toDouble()});
    return out;
}

// Writes the fields of trip `k` (the table writes only those that hold other values).
void updateTrip(Table& table, const StoredTrips& trips, size_t k,
                const std::vector<std::pair<QString, QVariant>>& wanted) {
    std::vector<std::pair<int, QVariant>> values;
    for (const auto& [field, value] : wanted) {
        const int index = table.fieldIndex(field);
        if (index >= 0)
            values.emplace_back(index, value);
    }
    table.writeFields(trips.rowids[k], values);
}

} // namespace

StoredTrips tripsOfYearInRange(const Table& table, int year) {
    StoredTrips out;
    for (int place : placesOfYear(table, year)) {
        out.rowids.push_back(table.rangeRowid(place));
        out.records.push_back(table.rangeRecord(place));
    }
    return out;
}

StoredTrips tripsInView(const Table& table) {
    StoredTrips out;
    for (int row = 0; row < table.recordCount(); ++row) {
        out.rowids.push_back(table.rowidAt(row));
        out.records.push_back(table.displayRecord(row));
    }
    return out;
}

trips::YearTotals monthTotals(const Table& table, const StoredTrips& trips) {
    const int month = table.fieldIndex(J::Miesiac);
    const int km = table.fieldIndex(J::KilometrySuma);
    const int value = table.fieldIndex(J::WartoscSuma);
    trips::YearTotals totals{};
    std::array<bool, 13> seen{};
    for (const Record& r : trips.records) {
        const qint64 m = r.value(month).toLongLong();
        if (m < 1 || m > 12 || seen[size_t(m)])
            continue;
        seen[size_t(m)] = true;
        totals[size_t(m)] = {r.value(km).toLongLong(), r.value(value).toDouble()};
    }
    return totals;
}

void writeMonthPass(Table& t, const StoredTrips& trips, bool monthKmField) {
    const std::vector<trips::MonthFigures> month = trips::monthPass(figuresOf(t, trips));
    for (size_t i = 0; i < month.size(); ++i) {
        const trips::MonthFigures& m = month[i];
        std::vector<std::pair<QString, QVariant>> wanted{{J::Kilometry_Narastajaca, m.kmRunning},
                                                         {J::Wartosc_Narastajaco, m.valueRunning},
                                                         {J::KilometrySuma, m.kmTotal},
                                                         {J::WartoscSuma, m.valueTotal}};
        if (monthKmField)
            wanted.emplace_back(J::IloscPrzejKilometrow, m.lastOfMonth ? QVariant(m.kmTotal) : QVariant());
        updateTrip(t, trips, i, wanted);
    }
}

void writeYearPass(Table& t, const StoredTrips& trips) {
    const std::vector<trips::RunningFigures> running = trips::yearPass(figuresOf(t, trips));
    for (size_t i = 0; i < running.size(); ++i)
        updateTrip(
            t, trips, i,
            {{J::Kilometry_NarastajacaRok, running[i].km}, {J::Wartosc_NarastajacoRok, running[i].value}});
}

} // namespace tarlok::triptotals
