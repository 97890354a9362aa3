#include "SharedData.h"

#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"

namespace tarlok {

namespace {

const QString kTripPending = QStringLiteral("Wprowadzany przejazd nie został zapisany - zapisz go "
                                            "przyciskiem \"Zapisz\" albo anuluj przyciskiem \"Anuluj\".");
const QString kCostPending = QStringLiteral("Wprowadzany koszt nie został zapisany - zapisz go przyciskiem "
                                            "\"Zapisz\" albo anuluj przyciskiem \"Anulij\".");
const QString kVehiclePending =
    QStringLiteral("Wprowadzany pojazd nie został zapisany - zapisz go przyciskiem "
                   "\"Zapisz\" albo anuluj przyciskiem \"Anuluj\" w formatce POJAZDY.");
const QString kVehicleWithoutNumber =
    QStringLiteral("Każdy pojazd musi posiadać numer - musisz użyć wcześniej przycisku \"Dodaj\"");

Table* makeTable(Database& database, QObject* owner, const char* objectName, const TableDef& def,
                 bool underAlias = true) {
    auto* table = new Table(database, owner);
    table->setObjectName(QString::fromLatin1(objectName));
    if (underAlias) {
        table->setDatabaseName(QString::fromLatin1(Database::kAlias));
        table->setExpectedFields(def.fields);
    }
    table->setTableName(def.fileName());
    return table;
}

} // namespace

SharedData::SharedData(Database& database, QObject* parent)
    : QObject(parent), TablePojazdy(makeTable(database, this, "TablePojazdy", tables::pojazdy())),
      TablePrzejazdy(makeTable(database, this, "TablePrzejazdy", tables::przejazdy())),
      TableKoszty(makeTable(database, this, "TableKoszty", tables::koszty())),
      TableStawki(makeTable(database, this, "TableStawki", tables::stawki())),
      TableOkresy(makeTable(database, this, "TableOkresy", tables::okresy())),
      TableTrasy(makeTable(database, this, "TableTrasy", tables::trasy())),
      TableWydatki(makeTable(database, this, "TableWydatki", tables::wydatki())),
      TableCelWyjazdu(makeTable(database, this, "TableCelWyjazdu", tables::celWyj())),
      TableKierowcy(makeTable(database, this, "TableKierowcy", tables::kierowcy(), false)),
      TableWlasciciel(makeTable(database, this, "TableWlasciciel", tables::wlasciciel(), false)) {
    TablePojazdy->addCalculatedField(QStringLiteral("Inform_samochod"), FieldType::Alpha, 3);
    TablePojazdy->addCalculatedField(QStringLiteral("UzywanyString"), FieldType::Alpha, 3);
    TablePojazdy->onCalcFields = [](Table& t) {
        // "Poj. prac.": an employee's car; "Używany" as TAK or NIE.
        t.setValue(QStringLiteral("Inform_samochod"),
                   t.asBool(fields::pojazdy::Pojazd_Wlasc) ? QStringLiteral("Nie") : QStringLiteral("Tak"));
        t.setValue(QStringLiteral("UzywanyString"),
                   t.asBool(fields::pojazdy::Uzywany) ? QStringLiteral("TAK") : QStringLiteral("NIE"));
    };
    TablePojazdy->onFilterRecord = [this](Table& t) {
        return TablePojazdyFilterRecord(t);
    };
    // A vehicle row is stored only with its number: its trips and costs would otherwise belong to none.
    TablePojazdy->beforePost = [](Table& t) {
        if (t.state() == Table::State::Insert && t.isNull(fields::pojazdy::NrKol_Pojazdu))
            throw EngineError(kVehicleWithoutNumber);
    };
    TablePojazdy->setPendingGuard(kVehiclePending);
    for (auto signal : {&Table::scrolled, &Table::activeChanged})
        connect(TablePojazdy, signal, this, &SharedData::vehicleChanged);

    TablePrzejazdy->setIndexName(indexes::NrKol_Pojazdu_DataInd);
    TablePrzejazdy->setMasterSource(TablePojazdy, fields::pojazdy::NrKol_Pojazdu);
    TablePrzejazdy->onFilterRecord = [this](Table& t) {
        return TablePrzejazdyFilterRecord(t);
    };
    TablePrzejazdy->setFiltered(true);
    TablePrzejazdy->setPendingGuard(kTripPending);

    TableKoszty->setIndexName(indexes::NrKol_Pojazdu_DataInd);
    TableKoszty->setMasterSource(TablePojazdy, fields::pojazdy::NrKol_Pojazdu);
    // The gross value as the costs tab shows it; the tab computes it.
    TableKoszty->addCalculatedField(QStringLiteral("WartoscBrutto"), FieldType::Number);
    TableKoszty->onFilterRecord = [this](Table& t) {
        return TableKosztyFilterRecord(t);
    };
    TableKoszty->setFiltered(true);
    TableKoszty->setPendingGuard(kCostPending);
    readOnlyTheScope(TablePrzejazdy, m_tripsScope);
    readOnlyTheScope(TableKoszty, m_costsScope);
}

SharedData::~SharedData() = default;

void SharedData::openTables() {
    for (Table* table : {TableKoszty, TableOkresy, TablePrzejazdy, TableStawki, TableWydatki, TableTrasy,
                         TablePojazdy, TableCelWyjazdu})
        table->open();
}

void SharedData::closeTables() {
    for (Table* table : {TablePrzejazdy, TableKoszty, TablePojazdy, TableStawki, TableOkresy, TableTrasy,
                         TableWydatki, TableCelWyjazdu})
        table->close();
}

QList<Table*> SharedData::closeAll() {
    QList<Table*> open;
    for (Table* table : {TablePojazdy, TablePrzejazdy, TableKoszty, TableStawki, TableOkresy, TableTrasy,
                         TableWydatki, TableCelWyjazdu, TableKierowcy, TableWlasciciel})
        if (table->isActive())
            open.append(table);
    // Details before their master.
    for (Table* table : {TablePrzejazdy, TableKoszty, TablePojazdy, TableStawki, TableOkresy, TableTrasy,
                         TableWydatki, TableCelWyjazdu, TableKierowcy, TableWlasciciel})
        table->close();
    return open;
}

void SharedData::reopen(const QList<Table*>& tables) {
    for (Table* table : tables)
        table->open();
}

void SharedData::setPeriod(int year, int month) {
    const Period period{year, month};
    if (period == m_period)
        return;
    m_period = period;
    readOnlyTheScope(TablePrzejazdy, m_tripsScope);
    readOnlyTheScope(TableKoszty, m_costsScope);
    emit periodChanged();
}

void SharedData::setTripsScope(Scope scope) {
    m_tripsScope = scope;
    readOnlyTheScope(TablePrzejazdy, scope);
}

void SharedData::setCostsScope(Scope scope) {
    m_costsScope = scope;
    readOnlyTheScope(TableKoszty, scope);
}

void SharedData::readOnlyTheScope(Table* table, Scope scope) const {
    // Trips and costs name their period fields alike.
    if (scope == Scope::All)
        table->clearFieldRanges();
    else
        table->setFieldRange(fields::przejazdy::Rok, m_period.year, m_period.year);
    // The rows of another year are read at once, so that whoever reads the table next finds the year
    // chosen; a row being entered is left as it is, and the table is read at its next refresh.
    if (table->isActive() && !table->isEditing())
        table->keepRangeCurrent();
}

bool SharedData::admits(Table& t, Scope scope) const {
    switch (scope) {
    case Scope::Period: {
        const int from = m_period.month == 0 || NarastajacoOdStycznia ? 1 : m_period.month;
        const int to = m_period.month == 0 ? 12 : m_period.month;
        // Trips and costs name their period fields alike.
        const qint64 month = t.asInteger(fields::przejazdy::Miesiac);
        return from <= month && month <= to && t.asInteger(fields::przejazdy::Rok) == m_period.year;
    }
    case Scope::Year:
        return t.asInteger(fields::przejazdy::Rok) == m_period.year;
    case Scope::All:
        break;
    }
    return true;
}

bool SharedData::TablePrzejazdyFilterRecord(Table& table) const {
    return admits(table, m_tripsScope);
}

bool SharedData::TableKosztyFilterRecord(Table& table) const {
    return admits(table, m_costsScope);
}

bool SharedData::TablePojazdyFilterRecord(Table& table) const {
    return !table.asBool(fields::pojazdy::Pojazd_Wlasc);
}

void SharedData::setEmployeesOnly(bool on) {
    TablePojazdy->setFiltered(on);
}

QString SharedData::vehicleRefusal() const {
    const Table& cars = *TablePojazdy;
    if (!cars.isActive() || cars.isEmpty())
        return {};
    if (cars.state() == Table::State::Insert)
        return kVehiclePending;
    if (cars.isNull(fields::pojazdy::NrKol_Pojazdu))
        return kVehicleWithoutNumber;
    return {};
}

void SharedData::addPeriod(int year, int month, const QDate& date) {
    Table* periods = TableOkresy;
    periods->open();
    periods->append();
    periods->setValue(fields::okresy::Rok, year);
    periods->setValue(fields::okresy::Miesiac, month);
    periods->setValue(fields::okresy::Data, date);
    periods->post();
    periods->flushBuffers();
    emit periodAdded(year, month, date);
}

} // namespace tarlok
