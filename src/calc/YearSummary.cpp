#include "YearSummary.h"

#include "VehicleRows.h"
#include "store/Table.h"
#include "store/Tables.h"

namespace tarlok::summary {

namespace {

namespace J = fields::przejazdy;
namespace K = fields::koszty;

const QString kByVehicleAndDate = QStringLiteral("NrKol_Pojazdu_DataInd");

// The fields of a row by their places in a record; a field the file lacks reads as empty.
struct Places {
    Places(const Table& t, std::initializer_list<QString> names) {
        for (const QString& name : names)
            at.push_back(t.fieldIndex(name));
    }
    QVariant of(const Record& r, size_t field) const {
        return at[field] < 0 ? QVariant() : r.value(at[field]);
    }
    std::vector<int> at;
};

std::vector<TripRow> tripRows(Database& database, qint64 vehicle) {
    std::vector<TripRow> rows;
    VehicleRows reader(database, tables::przejazdy().fileName(), kByVehicleAndDate, vehicle);
    const Table* t = reader.table();
    if (!t)
        return rows;
    const Places f(*t, {J::Rok, J::Miesiac, J::WartoscSuma, J::KilometrySuma});
    for (int i = 0; i < t->rangeCount(); ++i) {
        const Record r = t->rangeRecord(i);
        if (f.of(r, 0).isNull())
            continue; // a row of no period
        rows.push_back({int(f.of(r, 0).toLongLong()), int(f.of(r, 1).toLongLong()), f.of(r, 2).toDouble(),
                        f.of(r, 3).toLongLong()});
    }
    return rows;
}

std::vector<CostRow> costRows(Database& database, qint64 vehicle) {
    std::vector<CostRow> rows;
    VehicleRows reader(database, tables::koszty().fileName(), kByVehicleAndDate, vehicle);
    const Table* t = reader.table();
    if (!t)
        return rows;
    const Places f(*t, {K::Rok, K::Miesiac, K::WartoscSuma, K::SumaWartPaliwo, K::SumaIloscPaliwo, K::Pom2,
                        K::CzyPaliwo, K::IloscPaliwa, K::Pom1});
    for (int i = 0; i < t->rangeCount(); ++i) {
        const Record r = t->rangeRecord(i);
        if (f.of(r, 0).isNull())
            continue;
        CostRow row;
        row.year = int(f.of(r, 0).toLongLong());
        row.month = int(f.of(r, 1).toLongLong());
        row.valueTotal = f.of(r, 2).toDouble();
        row.fuelValueTotal = f.of(r, 3).toDouble();
        row.fuelLitresTotal = f.of(r, 4).toDouble();
        row.countedVat = f.of(r, 5).toDouble();
        row.fuel = f.of(r, 6).toBool();
        row.fuelRow = {f.of(r, 7), f.of(r, 8).toString()};
        rows.push_back(row);
    }
    return rows;
}

} // namespace

std::array<MonthTotals, 13> yearTotals(Database& database, qint64 vehicleNumber, int year,
                                       bool withConsumption) {
    return monthTotals(tripRows(database, vehicleNumber), costRows(database, vehicleNumber), year,
                       withConsumption);
}

} // namespace tarlok::summary
