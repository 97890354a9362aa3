#pragma once

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

namespace tarlok {

class Database;
class Table;

// The tables that several windows share, with their indexes, master/detail links and pending guards,
// and the chosen period. There is one current vehicle in the whole program: the row under the cursor
// of the vehicles table; the trips and costs tables hold that vehicle's rows (on NrKol_Pojazdu_DataInd)
// and their filters narrow them to the chosen period. Created by the application before any window and
// reached through the application context; windows show it and listen to its signals.
class SharedData : public QObject {
    Q_OBJECT

public:
    explicit SharedData(Database& database, QObject* parent = nullptr);
    ~SharedData() override;

    Table* const TablePojazdy;    // vehicles; not filtered unless employeesOnly is switched on
    Table* const TablePrzejazdy;  // trips of the current vehicle, by date, within the trips scope
    Table* const TableKoszty;     // costs of the current vehicle, by date, within the costs scope
    Table* const TableStawki;     // the one row of per-kilometre rates
    Table* const TableOkresy;     // the opened periods, newest last
    Table* const TableTrasy;      // routes
    Table* const TableWydatki;    // expense kinds
    Table* const TableCelWyjazdu; // trip purposes
    Table* const TableKierowcy;   // drivers, opened by the drivers and schema windows
    Table* const TableWlasciciel; // the owner and taxpayer, likewise

    // Opens the register's eight tables that are closed (costs, periods, trips, rates, expense kinds,
    // routes, vehicles, purposes); closes them again.
    void openTables();
    void closeTables();
    // Closes every table (the archive copies closed files) and gives back those that were open, in the
    // order to open them again.
    QList<Table*> closeAll();
    static void reopen(const QList<Table*>& tables);

    // --- the chosen period ---
    struct Period {
        int year = 0;
        int month = 0; // 1..12, or 0 for the whole year ("Wszystko")
        bool operator==(const Period&) const = default;
    };
    Period period() const { return m_period; }
    void setPeriod(int year, int month);

    // Which of the vehicle's rows the trips and costs filters admit: those of the chosen period (the
    // chosen month, January to December for the whole year), of the chosen year, or all of them.
    // The tables read from the file only the chosen year's rows for the first two (the running totals
    // of a month need the rest of its year), every year's for the last; the filter judges the rows read.
    // A change of the year or the scope reads the rows again at once (the filter is applied again at
    // the next refresh, as before).
    enum class Scope { Period, Year, All };
    void setTripsScope(Scope scope);
    void setCostsScope(Scope scope);
    Scope tripsScope() const { return m_tripsScope; }
    Scope costsScope() const { return m_costsScope; }
    // While set, the period scope admits January to the chosen month.
    bool NarastajacoOdStycznia = false;

    bool TablePrzejazdyFilterRecord(Table& table) const;
    bool TableKosztyFilterRecord(Table& table) const;
    // Employees' cars only (the lump sums); every vehicle otherwise.
    bool TablePojazdyFilterRecord(Table& table) const;
    void setEmployeesOnly(bool on);

    // Why the current vehicle can take no trip or cost: it is being entered in the vehicles window, or
    // it has no number. Empty when it can, or when there is no vehicle (the callers say so themselves).
    QString vehicleRefusal() const;

    // Stores a new period (year, month and its date) and tells the windows.
    void addPeriod(int year, int month, const QDate& date);
    // The register tells the others that it saved or deleted trips or costs of the current vehicle.
    void tripsWritten() { emit tripsChanged(); }
    void costsWritten() { emit costsChanged(); }

signals:
    // The vehicles table moved to another row, or opened or closed.
    void vehicleChanged();
    void periodChanged();
    void periodAdded(int year, int month, const QDate& date);
    void tripsChanged();
    void costsChanged();

private:
    bool admits(Table& table, Scope scope) const;
    void readOnlyTheScope(Table* table, Scope scope) const;

    Period m_period;
    Scope m_tripsScope = Scope::All;
    Scope m_costsScope = Scope::Period;
};

} // namespace tarlok
