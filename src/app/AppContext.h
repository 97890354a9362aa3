#pragma once

#include <QString>

namespace tarlok {

class Clock;
class Database;
class Dialogs;
class Help;
class Shell;

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

// What every window reaches besides the other windows: the platform, the table engine and the few
// values the program keeps for the run. A test builds its own.
struct AppContext {
    Clock& clock;
    Dialogs& dialogs;
    Help& help;
    Shell& shell;
    Database& database;
    // The drive prefix of the run (the folder that holds "tarlok/dane_pojazdy").
    QString drivePrefix;
    SchemaState schema;

    // The data folder: the prefix + "tarlok/dane_pojazdy", matched without regard to case.
    QString dataFolder() const;
    // Opens the program's help file at a topic, as every help button does.
    void showHelp(int topic) const;
};

} // namespace tarlok
