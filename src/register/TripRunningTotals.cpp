#include "TripRunningTotals.h"

#include "store/Table.h"
#include "store/Tables.h"

#include <array>
#include <utility>
#include <vector>

namespace tarlok::triptotals {

namespace {

namespace J = fields::przejazdy;

// The figures of every trip in view, in view order, read without moving the cursor.
std::vector<trips::TripFigures> figuresInView(const Table& table) {
    const int year = table.fieldIndex(J::Rok);
    const int month = table.fieldIndex(J::Miesiac);
    const int km = table.fieldIndex(J::Kilometry);
    const int value = table.fieldIndex(J::Wartosc);
    std::vector<trips::TripFigures> out;
    out.reserve(size_t(table.recordCount()));
    for (int row = 0; row < table.recordCount(); ++row) {
        const Record r = table.displayRecord(row);
        out.push_back({int(r.value(year).toLongLong()), int(r.value(month).toLongLong()),
                       r.value(km).toLongLong(), r.value(value).toDouble()});
    }
    return out;
}

bool sameValue(const QVariant& stored, const QVariant& wanted) {
    if (stored.isNull() || wanted.isNull())
        return stored.isNull() == wanted.isNull();
    if (wanted.typeId() == QMetaType::Double)
        return stored.toDouble() == wanted.toDouble();
    return stored.toLongLong() == wanted.toLongLong();
}

// Writes the fields of one row of the view that hold other values than `wanted`; a row that holds them
// already is not touched.
void updateRow(Table& table, int row, const std::vector<std::pair<QString, QVariant>>& wanted) {
    const Record stored = table.displayRecord(row);
    std::vector<std::pair<int, QVariant>> changes;
    for (const auto& [field, value] : wanted) {
        const int index = table.fieldIndex(field);
        if (index >= 0 && !sameValue(stored.value(index), value))
            changes.emplace_back(index, value);
    }
    if (changes.empty())
        return;
    table.moveTo(row);
    table.edit();
    for (const auto& [index, value] : changes)
        table.setValue(index, value);
    table.post();
}

} // namespace

std::function<bool(Table&)> tripsOfYear(const Table& table, int year) {
    const int field = table.fieldIndex(J::Rok);
    return [field, year](Table& row) {
        const QVariant rowYear = row.value(field);
        return !rowYear.isNull() && rowYear.toLongLong() == year;
    };
}

trips::YearTotals totalsInView(const Table& table) {
    const int month = table.fieldIndex(J::Miesiac);
    const int km = table.fieldIndex(J::KilometrySuma);
    const int value = table.fieldIndex(J::WartoscSuma);
    trips::YearTotals totals{};
    std::array<bool, 13> seen{};
    for (int row = 0; row < table.recordCount(); ++row) {
        const Record r = table.displayRecord(row);
        const qint64 m = r.value(month).toLongLong();
        if (m < 1 || m > 12 || seen[size_t(m)])
            continue;
        seen[size_t(m)] = true;
        totals[size_t(m)] = {r.value(km).toLongLong(), r.value(value).toDouble()};
    }
    return totals;
}

void writeMonthPass(Table& t, bool monthKmField) {
    const std::vector<trips::MonthFigures> month = trips::monthPass(figuresInView(t));
    for (size_t i = 0; i < month.size(); ++i) {
        const trips::MonthFigures& m = month[i];
        std::vector<std::pair<QString, QVariant>> wanted{{J::Kilometry_Narastajaca, m.kmRunning},
                                                         {J::Wartosc_Narastajaco, m.valueRunning},
                                                         {J::KilometrySuma, m.kmTotal},
                                                         {J::WartoscSuma, m.valueTotal}};
        if (monthKmField)
            wanted.emplace_back(J::IloscPrzejKilometrow, m.lastOfMonth ? QVariant(m.kmTotal) : QVariant());
        updateRow(t, int(i), wanted);
    }
}

void writeYearPass(Table& t) {
    const std::vector<trips::RunningFigures> running = trips::yearPass(figuresInView(t));
    for (size_t i = 0; i < running.size(); ++i)
        updateRow(
            t, int(i),
            {{J::Kilometry_NarastajacaRok, running[i].km}, {J::Wartosc_NarastajacoRok, running[i].value}});
}

} // namespace tarlok::triptotals
