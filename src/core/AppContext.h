#pragma once

#include "store/Schema.h"

#include <QString>

namespace tarlok {

class Clock;
class Database;
class Dialogs;
class Drives;
class Help;
class Shell;
class SharedData;
namespace report {
class Output;
}

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
    // The shared tables and the chosen period, owned by the application (set before any window exists).
    SharedData* shared = nullptr;

    // Where the reports go: the printer chosen in the printer set-up and the preview (set by main, or
    // by a test).
    report::Output* output = nullptr;

    // The drives the archive offers and the file operations of its copies (set by main, or by a test;
    // the application puts the real drives here when nothing was set).
    Drives* drives = nullptr;

    SharedData& data() const { return *shared; }

    // The data folder: the prefix + "tarlok/dane_pojazdy", matched without regard to case.
    QString dataFolder() const;
    // Opens the program's help file at a topic, as every help button does.
    void showHelp(int topic) const;
};

} // namespace tarlok
