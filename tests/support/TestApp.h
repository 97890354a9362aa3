#pragma once

#include "RecordingOutput.h"
#include "app/Application.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "platform/SimulatedDrives.h"
#include "store/Database.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <memory>

namespace tarlok {
class TEwidencja_przejazdow;
}

namespace tarlok::test {

// The Polish locale for numbers and dates, as a Polish user has it.
void usePolishLocale();

// A whole application on a temporary drive folder: a fixed clock, scripted dialogs that record every
// message and answer questions from a queue, recording help and shell, and helpers to seed and read
// rows directly in the table files.
class TestApp {
public:
    explicit TestApp(const QDateTime& now = QDateTime(QDate(2024, 5, 15), QTime(10, 0)));
    ~TestApp();

    // The drive prefix (a temporary folder) and the data folder below it.
    QString drive() const { return m_dir.path(); }
    QString dataFolder() const { return m_context.dataFolder(); }

    // Runs the program's start-up; false when the program would end.
    bool start();
    // A started program on a new data folder, with the start-up messages cleared.
    static std::unique_ptr<TestApp> started(const QDateTime& now = QDateTime(QDate(2024, 5, 15),
                                                                             QTime(10, 0)));

    Forms& forms() { return m_app->forms(); }
    AppContext& context() { return m_context; }
    // The shared tables and the chosen period.
    SharedData& data() { return m_context.data(); }

    FixedClock clock;
    ScriptedDialogs dialogs;
    RecordingHelp help;
    RecordingShell shell;
    Database database;
    RecordingOutput output; // every report printed or previewed
    SimulatedDrives drives; // the drive prefix is drive "C:"; more drives and floppies can be added

    // --- rows in the files, through a table object of their own ---
    // Appends one row to a table of the data folder ("Pojazdy.db" or "Pojazdy"); returns its rowid.
    qint64 seed(const QString& table, const QVariantMap& values);
    // Every row of a table in stored order (or on an index), as field -> value.
    QList<QVariantMap> rows(const QString& table, const QString& index = QString());
    int count(const QString& table);

    // --- data of a typical firm, seeded before the windows open them ---
    // A vehicle with its number (NrKol_Pojazdu), registration and capacity, in use unless said.
    void addVehicle(int number, const QString& registration, int capacity, bool used = true,
                    const QVariantMap& more = {});
    void addPeriod(int year, int month, int day = 15);
    void setRates(double upTo900, double above900, double other = 0.0);
    // Opens the register as the main window's "EWIDENCJA" does.
    void openRegister();
    // One vehicle in use (number 1, "KR 1234A", 1400 cm³), one period (May 2024) and the rates; the
    // register opened on it and the start-up's messages cleared. Reference rows are seeded before.
    void openRegisterOnAVehicle();
    // The register window itself, for tools outside the tests; tests drive it through RegisterDriver.
    TEwidencja_przejazdow& reg();

private:
    QTemporaryDir m_dir;
    AppContext m_context;
    std::unique_ptr<Application> m_app;
};

} // namespace tarlok::test

// A Qt Test main with a QApplication and the Polish locale.
#define TARLOK_TEST_MAIN(TestClass)                                                                          \
    int main(int argc, char** argv) {                                                                        \
        QApplication app(argc, argv);                                                                        \
        tarlok::test::usePolishLocale();                                                                     \
        TestClass test;                                                                                      \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
