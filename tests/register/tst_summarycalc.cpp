// The yearly summary's figures: counted costs capped, cumulatively, by the value of the trips.
#include "support/TestApp.h"

#include "calc/SummaryCalc.h"

using namespace tarlok;
using namespace tarlok::summary;

class SummaryCalcTest : public QObject {
    Q_OBJECT

private slots:
    void countedCostsNeverExceedTheTrips() {
        std::array<MonthTotals, 13> months{};
        months[1] = {true, true, 400, 100, 500};
        months[2] = {true, true, 600, 150, 300};
        const Counted counted = countedCosts(months);
        QCOMPARE(counted.month[1], 400.0); // 500 of costs, 400 of trips
        QCOMPARE(counted.running[1], 400.0);
        QCOMPARE(counted.month[2], 400.0); // cumulative costs 800 within trips 1000
        QCOMPARE(counted.running[2], 800.0);
        QCOMPARE(counted.running[12], 800.0);
    }

    void costsAboveTheTripsAllYear() {
        std::array<MonthTotals, 13> months{};
        for (int m = 1; m <= 12; ++m)
            months[size_t(m)] = {true, true, 100.0 * m, 0, 1000.0};
        const Counted counted = countedCosts(months);
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(counted.month[size_t(m)], 100.0 * m);
    }

    void linesOfTheGrid() {
        std::array<MonthTotals, 13> months{};
        months[1] = {true, true, 1234.5, 120, 500, 200, 40, 11.5, 8};
        months[3] = {true, false, 100, 10, 0, 0, 0, 0, 0};
        const auto l = lines(months, false);
        QCOMPARE(l[1][1], QString("1234,50"));
        QCOMPARE(l[1][5], QString("500")); // January in the general format
        QCOMPARE(l[1][7], QString("120"));
        QCOMPARE(l[1][13], QString("11,50"));
        QCOMPARE(l[1][14], QString("0,00"));   // consumption not printed
        QCOMPARE(l[2][1], QString("0,00"));    // a month without trips keeps its cell
        QCOMPARE(l[2][2], QString("1234,50")); // and repeats the running trip value
        QCOMPARE(l[3][2], QString("1334,50"));
        QCOMPARE(l[3][8], QString("130"));
        QCOMPARE(l[3][3], QString("0,00"));
        QCOMPARE(l[3][4], QString("500,00"));
    }

    // A month without trips writes the running trip value with 12 significant digits, a month with trips
    // with 8: nine integer digits turn to an exponent only in the month that has trips.
    void runningTripValueOfAMonthWithoutTrips() {
        std::array<MonthTotals, 13> months{};
        months[1] = {true, false, 123456789.5, 10, 0};
        const auto l = lines(months, false);
        QCOMPARE(l[1][2], QString("1,2345679E8"));
        QCOMPARE(l[2][2], QString("123\u00A0456\u00A0789,50"));
        QCOMPARE(l[12][2], QString("123\u00A0456\u00A0789,50"));
        QCOMPARE(l[2][8], QString("10"));
    }

    // Six-digit values are grouped by thousands with the Polish no-break space.
    void sixDigitValuesGrouped() {
        std::array<MonthTotals, 13> months{};
        months[1] = {true, true, 123456.5, 100000, 250000, 0, 0, 0, 0};
        const auto l = lines(months, false);
        QCOMPARE(l[1][1], QString("123\u00A0456,50"));
        QCOMPARE(l[1][3], QString("250\u00A0000,00"));
        QCOMPARE(l[1][7], QString("100\u00A0000"));
        QCOMPARE(l[3][4], QString("250\u00A0000,00"));
    }

    void consumptionColumn_data() {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("shown");
        QTest::newRow("not printed") << false << QString("0,00");
        QTest::newRow("printed") << true << QString("8"); // 40 l over 500 km
    }
    // Column 14 is written only while "Drukuj zużycie paliwa" is ticked; the other months show 0.
    void consumptionColumn() {
        QFETCH(bool, ticked);
        QFETCH(QString, shown);
        std::array<MonthTotals, 13> months{};
        months[4] = {true, true, 100, 500, 300, 300, 40, 0, consumption({{40.0, "500"}})};
        const auto l = lines(months, ticked);
        QCOMPARE(l[4][14], shown);
        QCOMPARE(l[5][14], ticked ? QString("0") : QString("0,00"));
    }

    void consumptionOfAMonth() {
        QCOMPARE(consumption({{40.0, "500"}, {30.0, ""}}), 8.0);
        QCOMPARE(consumption({{30.0, ""}}), 0.0);
        QCOMPARE(consumption({{QVariant(), "100"}, {10.0, "100"}}), 5.0);
    }
};

TARLOK_TEST_MAIN(SummaryCalcTest)
#include "tst_summarycalc.moc"
