// The yearly summary's figures read from the stored rows: each month's totals from its first row, the
// VAT of every month of the year shown (never of the year the costs tab showed last), the fuel
// consumption; and the summary tab following a change of the year. Expected values by hand.
#include "support/DeadlinesDriver.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "calc/SummaryCalc.h"
#include "calc/YearSummary.h"

using namespace tarlok;
using tarlok::test::DeadlinesDriver;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

void seedTrip(TestApp& app, int vehicle, const QDate& date, double monthValue, int monthKm) {
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", vehicle},
                              {"Rok", date.year()},
                              {"Miesiac", date.month()},
                              {"Data", date},
                              {"Trasa", "Kraków"},
                              {"WartoscSuma", monthValue},
                              {"KilometrySuma", monthKm}});
}

void seedCost(TestApp& app, int vehicle, const QDate& date, double monthTotal, double countedVat,
              const QVariantMap& more = {}) {
    QVariantMap row{{"NrKol_Pojazdu", vehicle},  {"Rok", date.year()},
                    {"Miesiac", date.month()},   {"Data", date},
                    {"Nr_Rachunku", "F"},        {"Wartosc", monthTotal},
                    {"WartoscSuma", monthTotal}, {"Pom2", countedVat}};
    row.insert(more);
    app.seed("Koszty.db", row);
}

// Vehicle 1 with costs and trips in 2023 and 2024, each year with its own VAT; vehicle 2 with a cost
// in the same months that no summary of vehicle 1 may count.
void seedTwoYears(TestApp& app) {
    app.addVehicle(1, "KR 1", 1400);
    app.addVehicle(2, "KR 2", 1400);
    app.addPeriod(2023, 2);
    app.addPeriod(2024, 2);
    seedTrip(app, 1, QDate(2023, 2, 3), 400.0, 500);
    seedCost(app, 1, QDate(2023, 2, 5), 300.0, 11.5);
    seedCost(app, 1, QDate(2023, 2, 9), 300.0, 4.25);
    seedCost(app, 1, QDate(2023, 11, 9), 80.0, 8.0); // a month after the one shown
    seedTrip(app, 1, QDate(2024, 2, 3), 250.0, 300);
    seedCost(app, 1, QDate(2024, 2, 5), 200.0, 23.0);
    seedCost(app, 2, QDate(2024, 2, 6), 500.0, 50.0);
}

QStringList zerosBut(std::initializer_list<std::pair<int, const char*>> months) {
    QStringList out(12, "0,00");
    for (const auto& [m, text] : months)
        out[m - 1] = QString::fromUtf8(text);
    return out;
}

} // namespace

class YearSummaryTest : public QObject {
    Q_OBJECT

private slots:
    // Each month's totals are those of its first row; the VAT adds up all the month's costs.
    void monthTotalsFromTheRows() {
        using summary::CostRow;
        const std::vector<summary::TripRow> trips{
            {2023, 1, 999.0, 99}, {2024, 1, 100.0, 10}, {2024, 1, 100.0, 10}, {2024, 3, 50.0, 5}};
        std::vector<CostRow> costs(4);
        costs[0] = {2024, 1, 300.0, 200.0, 70.0, 10.5, true, {40.0, "500"}};
        costs[1] = {2024, 1, 300.0, 200.0, 70.0, 2.25, true, {30.0, ""}};
        costs[2] = {2024, 12, 80.0, 0.0, 0.0, 4.0, false, {QVariant(), ""}};
        costs[3] = {2023, 1, 999.0, 0.0, 0.0, 99.0, true, {10.0, "100"}};

        const auto months = summary::monthTotals(trips, costs, 2024, true);
        QVERIFY(months[1].hasTrips && months[1].hasCosts);
        QCOMPARE(months[1].tripValue, 100.0);
        QCOMPARE(months[1].tripKm, 10);
        QCOMPARE(months[1].costValue, 300.0);
        QCOMPARE(months[1].fuelValue, 200.0);
        QCOMPARE(months[1].fuelLitres, 70.0);
        QCOMPARE(months[1].vat, 12.75);
        QCOMPARE(months[1].consumption, 8.0); // 40 l over 500 km; 30 l without km count nothing
        QVERIFY(!months[2].hasTrips && !months[2].hasCosts);
        QVERIFY(months[3].hasTrips && !months[3].hasCosts);
        QCOMPARE(months[12].vat, 4.0);
        QCOMPARE(months[12].consumption, 0.0);

        QCOMPARE(summary::monthTotals(trips, costs, 2024, false)[1].consumption, 0.0);
    }

    // The figures read from the files are each year's own, VAT included, and only the vehicle's.
    void eachYearItsOwnVat() {
        auto app = TestApp::started();
        seedTwoYears(*app);
        const auto y2023 = summary::yearTotals(app->database, 1, 2023, false);
        QCOMPARE(y2023[2].vat, 15.75);
        QCOMPARE(y2023[11].vat, 8.0);
        QCOMPARE(y2023[2].tripValue, 400.0);
        QCOMPARE(y2023[2].costValue, 300.0);
        const auto y2024 = summary::yearTotals(app->database, 1, 2024, false);
        QCOMPARE(y2024[2].vat, 23.0);
        QCOMPARE(y2024[11].vat, 0.0);
        QCOMPARE(y2024[2].tripKm, 300);
        QCOMPARE(y2024[2].costValue, 200.0);
        // a number no vehicle carries has no rows
        QVERIFY(!summary::yearTotals(app->database, 7, 2024, false)[2].hasCosts);
        // The month's totals are on its first row by date, whatever the order of entry: a trip of
        // 1 February entered after the one of 3 February carries them.
        seedTrip(*app, 1, QDate(2024, 2, 1), 260.0, 310);
        const auto later = summary::yearTotals(app->database, 1, 2024, false);
        QCOMPARE(later[2].tripValue, 260.0);
        QCOMPARE(later[2].tripKm, 310);
    }

    // The summary tab shows the VAT of the year chosen on it, whatever the costs tab summed last.
    void theSummaryTabFollowsTheYear() {
        auto app = TestApp::started();
        seedTwoYears(*app);
        app->openRegister(); // February 2024 on the costs tab: its VAT sums are 2024's
        RegisterDriver reg(*app);
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.tab(), RegisterDriver::Tab::Costs);
        reg.chooseYear("2023");
        reg.chooseTab(RegisterDriver::Tab::Summary);
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "15,75"}, {11, "8,00"}}));
        QCOMPARE(reg.summaryMonths(1), zerosBut({{2, "400,00"}}));

        reg.chooseYear("2024");
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "23,00"}}));
        QCOMPARE(reg.summaryMonths(1), zerosBut({{2, "250,00"}}));
        QCOMPARE(reg.summaryMonths(3), zerosBut({{2, "200,00"}}));
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    // The VAT of every month of the year, while the costs tab last summed May: March and October too.
    void vatOfMonthsAfterTheOneSummed() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1400);
        app->addPeriod(2024, 5);
        seedCost(*app, 1, QDate(2024, 3, 5), 100.0, 10.5);
        seedCost(*app, 1, QDate(2024, 10, 7), 200.0, 20.0);
        app->openRegister();
        RegisterDriver reg(*app);
        QCOMPARE(reg.month(), QString("Maj"));
        reg.chooseTab(RegisterDriver::Tab::Summary);
        QCOMPARE(reg.summaryMonths(13), zerosBut({{3, "10,50"}, {10, "20,00"}}));
        QCOMPARE(reg.summaryMonths(4), zerosBut({{1, "0,00"},
                                                 {3, "100,00"},
                                                 {4, "100,00"},
                                                 {5, "100,00"},
                                                 {6, "100,00"},
                                                 {7, "100,00"},
                                                 {8, "100,00"},
                                                 {9, "100,00"},
                                                 {10, "300,00"},
                                                 {11, "300,00"},
                                                 {12, "300,00"}}));
    }

    // Entering the tab, another year and another vehicle each compute the figures again, the busy
    // button shown meanwhile; the month box is disabled on the tab only.
    void everyTriggerRecomputes() {
        auto app = TestApp::started();
        seedTwoYears(*app);
        app->openRegister();
        RegisterDriver reg(*app);
        QVERIFY(reg.isMonthBoxEnabled());
        reg.chooseTab(RegisterDriver::Tab::Summary);
        QCOMPARE(reg.busyShowings(), 1);
        QVERIFY(!reg.isBusyShown());
        QVERIFY(!reg.isMonthBoxEnabled());
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "23,00"}}));

        reg.chooseYear("2023");
        QCOMPARE(reg.busyShowings(), 2);
        QVERIFY(!reg.isBusyShown());
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "15,75"}, {11, "8,00"}}));

        reg.chooseYear("2024");
        reg.clickVehicle(1);
        QVERIFY2(reg.vehicleName().contains("Auto2"), qPrintable(reg.vehicleName()));
        QCOMPARE(reg.busyShowings(), 4);
        QVERIFY(!reg.isBusyShown());
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "50,00"}}));
        QCOMPARE(reg.summaryMonths(3), zerosBut({{2, "500,00"}}));
        QCOMPARE(reg.summaryMonths(1), zerosBut({}));

        reg.chooseTab(RegisterDriver::Tab::Costs);
        QVERIFY(reg.isMonthBoxEnabled());
        QCOMPARE(reg.busyShowings(), 4);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    // Another vehicle picked in the deadlines window while the register shows the summary: the lines
    // show that vehicle's figures at once, without a click into the register.
    void followsTheVehiclePickedElsewhere() {
        auto app = TestApp::started();
        seedTwoYears(*app);
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Summary);
        QCOMPARE(reg.summaryMonths(3), zerosBut({{2, "200,00"}}));
        DeadlinesDriver deadlines(*app);
        deadlines.openFromMainWindow();
        deadlines.clickVehicle(1);
        QVERIFY2(reg.vehicleName().contains("Auto2"), qPrintable(reg.vehicleName()));
        QCOMPARE(reg.summaryMonths(3), zerosBut({{2, "500,00"}}));
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "50,00"}}));
        QCOMPARE(reg.summaryMonths(1), zerosBut({}));
        deadlines.clickVehicle(0);
        QCOMPARE(reg.summaryMonths(3), zerosBut({{2, "200,00"}}));
        QCOMPARE(reg.summaryMonths(1), zerosBut({{2, "250,00"}}));
    }

    // "Drukuj zużycie paliwa", ticked when the window opens, writes the consumption, 40 l over 500 km;
    // unticked, the next computation leaves the column at 0,00.
    void consumptionWhileTicked() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1400);
        app->addPeriod(2024, 4);
        seedCost(*app, 1, QDate(2024, 4, 8), 250.0, 0.0,
                 {{"CzyPaliwo", true}, {"IloscPaliwa", 40.0}, {"Pom1", "500"}});
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Summary);
        QCOMPARE(reg.summaryMonths(14),
                 QStringList({"0", "0", "0", "8", "0", "0", "0", "0", "0", "0", "0", "0"}));
        reg.tickConsumption();
        reg.chooseYear("2024");
        QCOMPARE(reg.summaryMonths(14), zerosBut({}));
    }

    // Letters in the year box on the tab: the user told, and the summary of the current year shown.
    void lettersForTheYear() {
        auto app = TestApp::started(); // today is in 2024
        seedTwoYears(*app);
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseYear("2023");
        reg.chooseTab(RegisterDriver::Tab::Summary);
        const int rowsBefore = app->count("Koszty.db");
        reg.typeYear("dwa");
        QCOMPARE(app->dialogs.last().text, QString("TO NIE JEST POPRAWNY ROK - POPRAW"));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.summaryMonths(13), zerosBut({{2, "23,00"}}));
        QCOMPARE(app->count("Koszty.db"), rowsBefore);
    }
};

TARLOK_TEST_MAIN(YearSummaryTest)
#include "tst_yearsummary.moc"
