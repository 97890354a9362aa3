#pragma once

#include "TableDef.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tarlok {

class Database;

// The eight yes/no schema states of the run, cleared at the start of every schema check.
struct SchemaState {
    bool parametersPresent = false; // Parametry.db exists
    bool tripsUpgraded = false;     // RozszerzonoTabPrzejazdy
    bool costsUpgraded = false;     // RozszerzonoTabKoszty
    bool vehiclesUpgraded = false;  // RozszerzonoTabPojazdy
    bool driversPresent = false;    // JestTabKierowcy
    bool ownerPresent = false;      // JestTabWlasciciel
    bool deadlinesPresent = false;  // Terminy.db exists
    bool deadlinesUpgraded = false; // RozszerzonoTabTerminy
    void clear() { *this = SchemaState(); }
};

} // namespace tarlok

// Creation of a new data folder and the upgrades that add the later fields.
namespace tarlok::schema {

// Reads the eight schema states of `folder`: the flags of its parameters table and whether its deadlines
// file exists; stores JestTabTerminy when that file exists.
SchemaState readState(Database& database, const QString& folder);

enum class Upgrade { Trips, Costs, Vehicles, Deadlines };

// The upgrade statement of the local SQL dialect, sent exactly as it stands.
QString alterStatement(Upgrade upgrade);
// The table an upgrade extends.
const TableDef& upgradedTable(Upgrade upgrade);

// The schema actions, in the order start-up runs them.
enum class Action {
    CreateParameters,
    UpgradeTrips,
    UpgradeCosts,
    UpgradeVehicles,
    CreateDrivers,
    CreateOwner,
    CreateDeadlines,
    UpgradeDeadlines,
};

// The start-up actions by the schema states read at start: a data folder without the parameters
// table gets everything; with it, only the deadlines upgrade may still run.
std::vector<Action> startupActions(bool parametersPresent, bool deadlinesPresent, bool deadlinesUpgraded);

// The upgrades whose table file is in `folder` without the fields they add (a table brought back from
// an older archive), in the order of the actions.
std::vector<Upgrade> missingUpgrades(Database& database, const QString& folder);

// The installed tables (of the eight) whose files are missing from `folder`, by file name.
QStringList missingInstalledTables(const Database& database, const QString& folder);
// Creates the named installed tables empty with their base fields (the trips and costs tables with
// their date index). Throws EngineError; tables created before a failure stay.
void createInstalledTables(Database& database, const QString& folder, const QStringList& fileNames);

} // namespace tarlok::schema
