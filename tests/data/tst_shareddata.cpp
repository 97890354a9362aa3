// The shared data: the period the trips and costs filters keep by scope, the employees' cars only, the
// pending row that holds the program, a new period told to the windows, closing and reopening every
// table, and the signals the windows listen to.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "data/SharedData.h"
#include "store/Table.h"

#include <QSignalSpy>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Scope = SharedData::Scope;

void seedTrip(TestApp& app, int vehicle, const QDate& date, const QString& route) {
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", vehicle},
                              {"Rok", date.year()},
                              {"Miesiac", date.month()},
                              {"Data", date},
                              {"Trasa", route},
                              {"Kilometry", 10}});
}

QStringList routes(Table* trips) {
    QStringList out;
    for (int row = 0; row < trips->recordCount(); ++row)
        out.append(trips->displayRecord(row).value(trips->fieldIndex("Trasa")).toString());
    return out;
}

} // namespace

class SharedDataTest : public QObject {
    Q_OBJECT

private slots:
    void periodAndScopeNarrowTheTrips_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("scope");
        QTest::addColumn<QStringList>("shown");
        const int period = int(Scope::Period);
        QTest::newRow("May") << 2024 << 5 << period << QStringList{"maj"};
        QTest::newRow("whole year") << 2024 << 0 << period << QStringList{"styczen", "maj", "grudzien"};
        QTest::newRow("year scope") << 2024 << 5 << int(Scope::Year)
                                    << QStringList{"styczen", "maj", "grudzien"};
        QTest::newRow("every trip") << 2024 << 5 << int(Scope::All)
                                    << QStringList{"2023", "styczen", "maj", "grudzien"};
        QTest::newRow("a month without trips") << 2024 << 7 << period << QStringList{};
    }

    void periodAndScopeNarrowTheTrips() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, scope);
        QFETCH(QStringList, shown);
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200);
        app->addVehicle(2, "KR 2", 1200);
        seedTrip(*app, 1, QDate(2023, 12, 20), "2023");
        seedTrip(*app, 1, QDate(2024, 1, 3), "styczen");
        seedTrip(*app, 1, QDate(2024, 5, 3), "maj");
        seedTrip(*app, 1, QDate(2024, 12, 3), "grudzien");
        seedTrip(*app, 2, QDate(2024, 5, 4), "inny pojazd");
        SharedData& data = app->data();
        data.setPeriod(year, month);
        data.setTripsScope(Scope(scope));
        data.openTables();
        QCOMPARE(routes(data.TablePrzejazdy), shown);
    }

    void employeesCarsOnlyWhenAsked() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200, true, {{"Pojazd_Wlasc", true}});
        app->addVehicle(2, "KR 2", 1200, true, {{"Pojazd_Wlasc", false}});
        app->addVehicle(3, "KR 3", 1200); // empty: an employee's car
        SharedData& data = app->data();
        data.openTables();
        QCOMPARE(data.TablePojazdy->recordCount(), 3);
        data.setEmployeesOnly(true);
        QCOMPARE(data.TablePojazdy->recordCount(), 2);
        QCOMPARE(data.TablePojazdy->asInteger("NrKol_Pojazdu"), 2);
        data.setEmployeesOnly(false);
        QCOMPARE(data.TablePojazdy->recordCount(), 3);
    }

    // A trip typed into holds everything; one merely begun is dropped.
    void aChangedPendingRowHolds() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        SharedData& data = app->data();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Trips);
        reg.newTrip();
        QVERIFY(data.TablePrzejazdy->isEditing());
        reg.type(RegisterDriver::Box::Route, "Kraków - Tarnów");
        PendingEdits& pending = app->forms().pendingEdits;
        QCOMPARE(pending.typing()->message, data.TablePrzejazdy->pendingGuard());
        QVERIFY(app->forms().refuseWhileTyping());
        QVERIFY(data.TablePrzejazdy->isEditing());
        reg.cancelTrip();
        data.TablePrzejazdy->append(); // begun, nothing typed
        QVERIFY(!pending.typing());
        QVERIFY(!app->forms().refuseWhileTyping());
        QVERIFY(!data.TablePrzejazdy->isEditing());
    }

    void theWindowsAreToldOfChanges() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        SharedData& data = app->data();
        QSignalSpy trips(&data, &SharedData::tripsChanged);
        QSignalSpy period(&data, &SharedData::periodChanged);
        QSignalSpy added(&data, &SharedData::periodAdded);
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Trips);
        reg.newTrip();
        reg.type(RegisterDriver::Box::Route, "Kraków - Tarnów");
        reg.type(RegisterDriver::Box::Purpose, "Dostawa");
        reg.type(RegisterDriver::Box::FinalReading, "84");
        reg.saveTrip();
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(trips.count(), 1);

        data.addPeriod(2024, 6, QDate(2024, 6, 15));
        QCOMPARE(added.count(), 1);
        QCOMPARE(added.at(0).at(0).toInt(), 2024);
        QCOMPARE(added.at(0).at(1).toInt(), 6);
        // the register follows: it shows the new period, which is now the chosen one
        QCOMPARE(reg.month(), QString("Czerwiec"));
        QCOMPARE(data.period(), (SharedData::Period{2024, 6}));
        QVERIFY(period.count() >= 1);
        QCOMPARE(app->count("Okresy.db"), 2);
    }

    void everyTableClosesAndOpensAgain() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        SharedData& data = app->data();
        const QList<Table*> open = data.closeAll();
        QVERIFY(open.contains(data.TablePojazdy) && open.contains(data.TablePrzejazdy));
        QVERIFY(!open.contains(data.TableKierowcy)); // opened by its window only
        for (Table* table : open)
            QVERIFY(!table->isActive());
        SharedData::reopen(open);
        for (Table* table : open)
            QVERIFY(table->isActive());
        QCOMPARE(data.TablePojazdy->asInteger("NrKol_Pojazdu"), 1);
    }
};

TARLOK_TEST_MAIN(SharedDataTest)
#include "tst_shareddata.moc"
