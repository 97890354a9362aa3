#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>
#include <vector>

namespace tarlok {

class Database;
class Table;

// The rows one vehicle has in a table file of the data folder, in every period. The file is read on an
// index whose first field is NrKol_Pojazdu, narrowed by the engine to the vehicle's rows (the vehicle's
// row of Pojazdy.db is the master of the range), so only those rows are read. The table objects are
// the reader's own: no window's table moves, and the files close with the reader.
class VehicleRows {
public:
    // `tableFile` "Przejazdy.db", `index` "NrKol_Pojazdu_DataInd". A missing file, or a number that no
    // vehicle of Pojazdy.db carries, gives no rows. With `year` only the rows of that year (Rok) are read.
    VehicleRows(Database& database, const QString& tableFile, const QString& index, qint64 vehicleNumber,
                std::optional<int> year = std::nullopt);
    ~VehicleRows();
    VehicleRows(const VehicleRows&) = delete;
    VehicleRows& operator=(const VehicleRows&) = delete;

    bool isEmpty() const;
    // The open table, on its first row; nullptr when there are no rows to read.
    Table* table() const { return isEmpty() ? nullptr : m_rows.get(); }

private:
    std::unique_ptr<Table> m_vehicles;
    std::unique_ptr<Table> m_rows;
};

// A vehicle's trips or costs (`tableFile`) of one year, on the vehicle-and-date index.
VehicleRows vehicleRowsOfYear(Database& database, const QString& tableFile, qint64 vehicleNumber, int year);

// The places in the range of `table` (a vehicle's trips or costs) of the rows of `year` (Rok), in the
// range's order, read without moving the cursor or touching the record filter.
std::vector<int> placesOfYear(const Table& table, int year);

// True when any row of `tableFile` carries the vehicle's number (a missing file holds none).
bool vehicleHasRows(Database& database, const QString& tableFile, const QString& index, qint64 vehicleNumber);

// The vehicle's current odometer by its trips: the final reading (StanLicznikaPo) of its latest trip
// over all periods, the trips taken by date and, on one date, in the order they were entered (NrKol).
// A trip without a final reading is passed over. Empty when no trip of the vehicle has one (the current
// odometer is then left as it is).
std::optional<qint64> latestFinalReading(Database& database, qint64 vehicleNumber);

// Writes the vehicle's current odometer (StanAktLicznika) into its stored row through a table object of
// its own, leaving every window's tables as they are; nothing when no vehicle carries the number.
void setVehicleOdometer(Database& database, qint64 vehicleNumber, qint64 reading);

} // namespace tarlok
