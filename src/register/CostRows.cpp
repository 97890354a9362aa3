#include "CostRows.h"

#include "calc/VehicleRows.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"

namespace tarlok::costrows {

namespace {

namespace K = fields::koszty;

// The fields of a cost row that the passes and the sums read, by their places in a record.
struct CostFields {
    explicit CostFields(const Table& t)
        : year(t.fieldIndex(K::Rok)), month(t.fieldIndex(K::Miesiac)), value(t.fieldIndex(K::Wartosc)),
          fuel(t.fieldIndex(K::CzyPaliwo)), litres(t.fieldIndex(K::IloscPaliwa)),
          counted(t.fieldIndex(K::Pom2)), monthTotal(t.fieldIndex(K::WartoscSuma)) {}

    // False for a row without a year: it belongs to no period.
    bool read(const Record& r, costs::CostRow& row) const {
        if (r.value(year).isNull())
            return false;
        row.year = int(r.value(year).toLongLong());
        row.month = int(r.value(month).toLongLong());
        row.value = r.value(value).toDouble();
        row.fuel = r.value(fuel).toBool();
        row.litres = r.value(litres).toDouble();
        row.counted = r.value(counted).toDouble();
        if (!r.value(monthTotal).isNull())
            row.monthTotal = r.value(monthTotal).toDouble();
        return true;
    }

    int year, month, value, fuel, litres, counted, monthTotal;
};

} // namespace

std::optional<double> optionalFloat(const Table& t, const QString& field) {
    const QVariant v = t.value(field);
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

std::optional<qint64> optionalInteger(const Table& t, const QString& field) {
    const QVariant v = t.value(field);
    if (v.isNull())
        return std::nullopt;
    return v.toLongLong();
}

std::vector<costs::CostRow> vehicleCosts(const Table& costTable, int year) {
    std::vector<costs::CostRow> rows;
    if (!costTable.isActive())
        return rows;
    const CostFields fields(costTable);
    for (int place : placesOfYear(costTable, year)) {
        costs::CostRow row;
        fields.read(costTable.rangeRecord(place), row);
        rows.push_back(row);
    }
    return rows;
}

std::vector<costs::FuelEntry> fuelEntriesInView(const Table& t) {
    const int fuel = t.fieldIndex(K::CzyPaliwo);
    const int litres = t.fieldIndex(K::IloscPaliwa);
    const int km = t.fieldIndex(K::Pom1);
    std::vector<costs::FuelEntry> entries;
    for (int i = 0; i < t.displayRowCount(); ++i) {
        if (t.state() == Table::State::Insert && t.isPendingRow(i))
            continue; // a cost not yet saved
        const Record r = t.displayRecord(i);
        costs::FuelEntry e;
        e.fuel = r.value(fuel).toBool();
        if (!r.value(litres).isNull())
            e.litres = r.value(litres).toDouble();
        e.kmText = r.value(km).toString();
        entries.push_back(e);
    }
    return entries;
}

void writePasses(Table& t, int year, int fromMonth, int toMonth, costs::Passes passes) {
    Transaction tx(t);
    t.checkBrowseMode(); // a pending cost is stored or dropped, as a move would, before the rows are read
    t.keepRangeCurrent();
    // The controls show the figures once, when all are written.
    const Table::QuietControls quiet(t);
    // The vehicle's costs of the year, read as stored from the range: the record filter (the period
    // shown) and the cursor stay as they are.
    const CostFields fields(t);
    std::vector<costs::CostRow> rows;
    std::vector<qint64> rowids;
    for (int place : placesOfYear(t, year)) {
        costs::CostRow row;
        fields.read(t.rangeRecord(place), row);
        rows.push_back(row);
        rowids.push_back(t.rangeRowid(place));
    }
    const std::vector<costs::CostTotals> totals = costs::runningTotals(rows);
    for (size_t k = 0; k < rows.size(); ++k) {
        const bool inRange = rows[k].month >= fromMonth && rows[k].month <= toMonth;
        std::vector<std::pair<int, QVariant>> values;
        for (const auto& [field, value] : costs::passValues(totals[k], inRange, passes))
            values.emplace_back(t.fieldIndex(field), value);
        t.writeFields(rowids[k], values); // writes only what changes
    }
    tx.commit();
}

} // namespace tarlok::costrows
