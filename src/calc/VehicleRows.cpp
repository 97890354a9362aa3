#include "VehicleRows.h"

#include "store/DataTable.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"

namespace tarlok {

VehicleRows::VehicleRows(Database& database, const QString& tableFile, const QString& index,
                         qint64 vehicleNumber, std::optional<int> year) {
    const QString alias = QString::fromLatin1(Database::kAlias);
    if (!database.tableExists(alias, tableFile) || !database.tableExists(alias, tables::pojazdy().fileName()))
        return;
    m_vehicles = dataFolderTable(database, tables::pojazdy().fileName());
    m_vehicles->open();
    if (!m_vehicles->locate(fields::pojazdy::NrKol_Pojazdu, {vehicleNumber})) {
        m_vehicles.reset();
        return;
    }
    m_rows = dataFolderTable(database, tableFile);
    m_rows->setIndexName(index);
    m_rows->setMasterSource(m_vehicles.get(), fields::pojazdy::NrKol_Pojazdu);
    if (year) // trips and costs name their year alike
        m_rows->setFieldRange(fields::przejazdy::Rok, *year, *year);
    m_rows->open();
}

VehicleRows::~VehicleRows() {
    // The rows first: they are a detail of the vehicles.
    m_rows.reset();
    m_vehicles.reset();
}

VehicleRows vehicleRowsOfYear(Database& database, const QString& tableFile, qint64 vehicleNumber, int year) {
    return VehicleRows(database, tableFile, indexes::NrKol_Pojazdu_DataInd, vehicleNumber, year);
}

bool VehicleRows::isEmpty() const {
    return !m_rows || !m_rows->isActive() || m_rows->isEmpty();
}

std::vector<int> placesOfYear(const Table& table, int year) {
    const int field = table.fieldIndex(fields::przejazdy::Rok); // the costs name it alike
    std::vector<int> places;
    for (int i = 0; i < table.rangeCount(); ++i) {
        const QVariant rowYear = table.rangeRecord(i).value(field);
        if (!rowYear.isNull() && rowYear.toLongLong() == year)
            places.push_back(i);
    }
    return places;
}

bool vehicleHasRows(Database& database, const QString& tableFile, const QString& index,
                    qint64 vehicleNumber) {
    return !VehicleRows(database, tableFile, index, vehicleNumber).isEmpty();
}

std::optional<qint64> latestFinalReading(Database& database, qint64 vehicleNumber) {
    VehicleRows trips(database, tables::przejazdy().fileName(), indexes::NrKol_Pojazdu_DataInd,
                      vehicleNumber);
    Table* t = trips.table();
    const QString reading = fields::przejazdy::StanLicznikaPo;
    if (!t || !t->hasField(reading))
        return std::nullopt;
    // The index orders by vehicle and date, then by row number: the order of entry on one date.
    const QVariant value = t->lastFilledValue(reading);
    if (value.isNull())
        return std::nullopt;
    return value.toLongLong();
}

void setVehicleOdometer(Database& database, qint64 vehicleNumber, qint64 reading) {
    const QString file = tables::pojazdy().fileName();
    if (!database.tableExists(QString::fromLatin1(Database::kAlias), file))
        return;
    const std::unique_ptr<Table> vehicles = dataFolderTable(database, file);
    vehicles->open();
    if (!vehicles->locate(fields::pojazdy::NrKol_Pojazdu, {vehicleNumber}))
        return;
    vehicles->edit();
    vehicles->setValue(fields::pojazdy::StanAktLicznika, reading);
    vehicles->post();
}

} // namespace tarlok
