// A deadlines row is stored only by its save: a row typed into holds every move until it is saved or
// cancelled, closing saves it, a change of vehicle shows the row the save writes, and what the window
// shows (service readings, totals, the year) is what it stores. Today is 15 May 2024.
#include "support/DeadlinesDriver.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "data/SharedData.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "store/Table.h"

using namespace tarlok;
using namespace tarlok::deadlines;
using tarlok::test::DeadlinesDriver;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Box = DeadlinesDriver::Box;

const QString kHeld =
    "Wprowadzany zapis terminów nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
    "anuluj przyciskiem \"Anuluj\".";
const QString kTripHeld = "Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anuluj\".";

std::unique_ptr<TestApp> firm() {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, "KR 1", 1400, true,
                    {{"StanAktLicznika", 19600},
                     {"StanLicznikaPo", 10000},
                     {"CoIleKmSerwis", 10000},
                     {"IloscKmDoInfPrzed", 500},
                     {"IloscKmDoInfPo", 300}});
    app->addVehicle(2, "KR 2", 1200);
    app->addPeriod(2024, 5);
    return app;
}

void deadline(TestApp& app, int vehicle, int year, QVariantMap more = {}) {
    more.insert("NrKol_Pojazdu", vehicle);
    more.insert("Rok", year);
    app.seed("Terminy.db", more);
}

QList<QVariantMap> storedRows(TestApp& app) {
    return app.rows("Terminy.db");
}

int currentVehicle(TestApp& app) {
    return app.data().TablePojazdy->recNo();
}

} // namespace

class PendingTest : public QObject {
    Q_OBJECT

private slots:
    void aChangedRowHoldsEveryMove() {
        auto app = firm();
        deadline(*app, 1, 2023, {{"KosztOC", 50.0}});
        deadline(*app, 1, 2024, {{"KosztOC", 100.0}});
        const auto before = storedRows(*app);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.typeAndEnter(Box::CostOC, "500");
        dl.type(Box::Year, "2025");
        app->dialogs.clear();

        dl.clickVehicle(1);
        QCOMPARE(app->dialogs.texts(), QStringList{kHeld});
        QCOMPARE(currentVehicle(*app), 0);
        dl.add();
        QCOMPARE(app->dialogs.texts(), QStringList({kHeld, kHeld}));
        dl.tickAllYears();
        QCOMPARE(app->dialogs.texts(), QStringList({kHeld, kHeld, kHeld}));
        QVERIFY(!dl.allYearsTicked());
        QCOMPARE(dl.rowCount(), 1);
        QCOMPARE(dl.text(Box::Year), QString("2025"));
        QCOMPARE(dl.text(Box::CostOC), QString("500,00"));
        QVERIFY(dl.window().TableTerminy->isEditing());
        QCOMPARE(storedRows(*app), before);
        QCOMPARE(app->forms().pendingEdits.typing()->message, kHeld);

        dl.save();
        const auto after = storedRows(*app);
        QCOMPARE(after[1]["KosztOC"], QVariant(500.0));
        QCOMPARE(after[1]["KosztyCalkowite"], QVariant(500.0));
        QCOMPARE(after[1]["Rok"], QVariant(qint64(2025)));
        QCOMPARE(after[0], before[0]);
        QVERIFY(!app->forms().pendingEdits.typing());
    }

    // A date picked during an edit, or a cost typed into a new row, holds the grid and the vehicle too.
    void datesAndNewRowsHoldTheGrid() {
        auto app = firm();
        deadline(*app, 1, 2023);
        deadline(*app, 1, 2024, {{"SprawdzOC", true}, {"TerminOC", QDate(2024, 6, 1)}});
        const auto before = storedRows(*app);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.tickAllYears();
        dl.clickRow(1);
        dl.edit();
        dl.pickDate(SlotOC, QDate(2024, 9, 1));
        app->dialogs.clear();
        dl.clickRow(0);
        QCOMPARE(app->dialogs.texts(), QStringList{kHeld});
        dl.clickVehicle(1);
        QCOMPARE(app->dialogs.texts(), QStringList({kHeld, kHeld}));
        QCOMPARE(dl.date(SlotOC), QDate(2024, 9, 1));
        QCOMPARE(storedRows(*app), before);

        dl.cancel();
        QCOMPARE(dl.date(SlotOC), QDate(2024, 6, 1));
        dl.add();
        dl.typeAndEnter(Box::CostAC, "100");
        dl.clickRow(0);
        QCOMPARE(app->dialogs.texts().size(), 3);
        QCOMPARE(storedRows(*app), before);

        // A new row nothing was put into is simply dropped by a move.
        dl.cancel();
        dl.add();
        dl.clickVehicle(1);
        QCOMPARE(currentVehicle(*app), 1);
        QCOMPARE(storedRows(*app), before);
    }

    void closingSavesAChangedRow() {
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztOC", 100.0}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.typeAndEnter(Box::CostAC, "700");
        dl.close();
        QVERIFY(!dl.isShown());
        QCOMPARE(storedRows(*app)[0]["KosztAC"], QVariant(700.0));
        QCOMPARE(storedRows(*app)[0]["KosztyCalkowite"], QVariant(800.0));

        dl.openFromMainWindow();
        dl.edit();
        dl.type(Box::CostTech, "80"); // still in the box: the close writes it
        dl.closeByTitleBar();
        QVERIFY(!dl.isShown());
        QCOMPARE(storedRows(*app)[0]["KosztPrzegTech"], QVariant(80.0));
        QCOMPARE(storedRows(*app)[0]["KosztyCalkowite"], QVariant(880.0));

        // A save refused keeps the window open with the row.
        dl.openFromMainWindow();
        dl.edit();
        dl.type(Box::Year, "abc");
        app->dialogs.clear();
        dl.close();
        QVERIFY(dl.isShown());
        QCOMPARE(app->dialogs.texts().size(), 1);
        QVERIFY(dl.window().TableTerminy->isEditing());
        dl.cancel();
        dl.close();
        QVERIFY(!dl.isShown());
        QCOMPARE(storedRows(*app)[0]["Rok"], QVariant(qint64(2024)));
    }

    // The row shown after a change of vehicle is the row the save writes: the vehicle's last.
    void aVehicleChangeShowsTheRowItSaves() {
        auto app = firm();
        deadline(*app, 2, 2023, {{"SprawdzOC", true}, {"TerminOC", QDate(2023, 3, 1)}});
        deadline(*app, 2, 2024, {{"SprawdzOC", true}, {"TerminOC", QDate(2024, 6, 1)}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.tickAllYears();
        dl.clickVehicle(1);
        QCOMPARE(dl.rowCount(), 2);
        QCOMPARE(dl.date(SlotOC), QDate(2024, 6, 1));
        QCOMPARE(dl.text(Box::Year), QString("2024"));
        dl.edit();
        dl.save();
        const auto rows = storedRows(*app);
        QCOMPARE(rows[0]["TerminOC"], QVariant(QDate(2023, 3, 1)));
        QCOMPARE(rows[1]["TerminOC"], QVariant(QDate(2024, 6, 1)));
        QCOMPARE(rows[1]["Rok"], QVariant(qint64(2024)));
    }

    void theRegistersPendingTripHoldsTheVehicle() {
        auto app = firm();
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Trips);
        reg.newTrip();
        reg.typeAndEnter(RegisterDriver::Box::Route, "Kraków - Tarnów");
        app->dialogs.clear();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow(); // "TERMINY" waits for the trip: its vehicle could be moved there
        QCOMPARE(app->dialogs.texts(), QStringList{kTripHeld});
        QVERIFY(!dl.isShown());
        QCOMPARE(currentVehicle(*app), 0);
        QVERIFY(app->data().TablePrzejazdy->isEditing());
    }

    // After the hand-over the panel shows the new readings, which a save and the close then store.
    void theHandOverShowsWhatIsStored() {
        auto app = firm();
        deadline(*app, 1, 2024);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.handOver(true);
        QCOMPARE(dl.text(Box::LastService), QString("19600"));
        QCOMPARE(dl.text(Box::NextService), QString("29600"));
        dl.edit();
        dl.save();
        dl.close();
        const QVariantMap row = storedRows(*app)[0];
        QCOMPARE(row["StanLicznikaPo"], QVariant(qint64(19600)));
        QCOMPARE(row["StanLicznikaSerwis"], QVariant(qint64(29600)));
        QCOMPARE(row["StanLicznika"], QVariant(qint64(19600)));
        QCOMPARE(row["CoIlecKmSerwis"], QVariant(qint64(10000)));
        QCOMPARE(row["IloscKmDoInfPrzed"], QVariant(qint64(500)));
    }

    // Without a deadlines row the hand-over records the service on the vehicle only: no row is made.
    void aHandOverWithoutARow() {
        auto app = firm();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.handOver(true);
        QCOMPARE(storedRows(*app).size(), 0);
        QCOMPARE(app->rows("Pojazdy.db")[0]["StanLicznikaPo"], QVariant(qint64(19600)));
        dl.close();
        QCOMPARE(storedRows(*app).size(), 0);
    }

    void totalsAreExact() {
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztOC", 10000.0}, {"Pom3", 2345.67}, {"KosztAC", 123456.78}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.text(Box::TotalOC), QString("12\u00a0345,67"));
        QCOMPARE(dl.text(Box::TotalAC), QString("123\u00a0456,78"));
    }

    void aYearTypedDuringAnEditStays() {
        auto app = firm();
        deadline(*app, 1, 2024);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.type(Box::Year, "2023");
        TOpcjeDlaTerminow& w = dl.window();
        QVERIFY(!w.TableTerminyFilterRecord(*w.TableTerminy)); // the row in the making is of 2023
        QCOMPARE(dl.text(Box::Year), QString("2023"));
        QCOMPARE(w.yearBoxText(), QString("2023"));
        dl.save();
        QCOMPARE(storedRows(*app)[0]["Rok"], QVariant(qint64(2023)));
    }
};

TARLOK_TEST_MAIN(PendingTest)
#include "tst_pending.moc"
