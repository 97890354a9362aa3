#include "YearSummary.h"

#include "store/Database.h"
#include "store/Sqlite.h"
#include "store/StoredValue.h"
#include "store/Tables.h"

#include <algorithm>
#include <memory>

namespace tarlok::summary {

namespace {

namespace J = fields::przejazdy;
namespace K = fields::koszty;

// The columns `names` of one vehicle's rows of one year, in the order the register keeps them (by date,
// then in the order of entry), read with plain SQL: only the year's rows and only the columns the
// totals use, instead of every column of every year of the vehicle. A column the file lacks reads as
// empty; a missing file gives no rows. Values come as the tables give them.
std::vector<std::vector<QVariant>> yearRows(Database& database, const TableDef& def, qint64 vehicle, int year,
                                            std::initializer_list<QString> names) {
    std::vector<std::vector<QVariant>> rows;
    const QString alias = QString::fromLatin1(Database::kAlias);
    if (!database.tableExists(alias, def.fileName()))
        return rows;
    const std::shared_ptr<Connection> connection =
        database.connect(database.tablePath(alias, def.fileName()));
    const std::vector<FieldDef> stored = connection->fields();
    const auto find = [&](const QString& name) {
        return std::find_if(stored.begin(), stored.end(), [&](const FieldDef& f) {
            return f.name.compare(name, Qt::CaseInsensitive) == 0;
        });
    };
    if (find(fields::przejazdy::NrKol_Pojazdu) == stored.end() ||
        find(fields::przejazdy::Rok) == stored.end())
        return rows;
    QStringList select;
    std::vector<FieldType> types;
    for (const QString& name : names) {
        const auto field = find(name);
        select.append(field == stored.end() ? QStringLiteral("NULL") : sqlite::quoted(field->name));
        types.push_back(field == stored.end() ? FieldType::Alpha : field->type);
    }
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? AND %4 = ? ORDER BY %5, rowid")
            .arg(select.join(QStringLiteral(", ")), sqlite::quoted(connection->sqlTable()),
                 sqlite::quoted(fields::przejazdy::NrKol_Pojazdu), sqlite::quoted(fields::przejazdy::Rok),
                 sqlite::quoted(fields::przejazdy::Data));
    sqlite::Statement& st = connection->handle().cached(sql);
    st.bindInt(1, vehicle);
    st.bindInt(2, year);
    while (st.step()) {
        std::vector<QVariant>& row = rows.emplace_back(types.size());
        for (int c = 0; c < int(types.size()); ++c)
            row[size_t(c)] = storedValue(st, c, types[size_t(c)]);
    }
    st.reset();
    return rows;
}

std::vector<TripRow> tripRows(Database& database, qint64 vehicle, int year) {
    std::vector<TripRow> rows;
    for (const auto& r : yearRows(database, tables::przejazdy(), vehicle, year,
                                  {J::Rok, J::Miesiac, J::WartoscSuma, J::KilometrySuma}))
        rows.push_back({int(r[0].toLongLong()), int(r[1].toLongLong()), r[2].toDouble(), r[3].toLongLong()});
    return rows;
}

std::vector<CostRow> costRows(Database& database, qint64 vehicle, int year) {
    std::vector<CostRow> rows;
    for (const auto& r : yearRows(database, tables::koszty(), vehicle, year,
                                  {K::Rok, K::Miesiac, K::WartoscSuma, K::SumaWartPaliwo, K::SumaIloscPaliwo,
                                   K::Pom2, K::CzyPaliwo, K::IloscPaliwa, K::Pom1})) {
        CostRow row;
        row.year = int(r[0].toLongLong());
        row.month = int(r[1].toLongLong());
        row.valueTotal = r[2].toDouble();
        row.fuelValueTotal = r[3].toDouble();
        row.fuelLitresTotal = r[4].toDouble();
        row.countedVat = r[5].toDouble();
        row.fuel = r[6].toBool();
        row.fuelRow = {r[7], r[8].toString()};
        rows.push_back(row);
    }
    return rows;
}

} // namespace

std::array<MonthTotals, 13> yearTotals(Database& database, qint64 vehicleNumber, int year,
                                       bool withConsumption) {
    return monthTotals(tripRows(database, vehicleNumber, year), costRows(database, vehicleNumber, year), year,
                       withConsumption);
}

} // namespace tarlok::summary
