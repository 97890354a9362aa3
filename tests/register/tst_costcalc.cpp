// The figures of the cost register without a window, where the costs tab does not reach them easily:
// rounding of the VAT split, the net value of older rows, the odometer and consumption edge cases and
// the running values over several months and years. Expected values are worked out by hand.
#include "support/TestApp.h"

#include "calc/CostCalc.h"
#include "common/Error.h"

#include <QTest>

using namespace tarlok;
using namespace tarlok::costs;

class CostCalcTest : public QObject {
    Q_OBJECT

private slots:
    // 19.99 at 8 %: VAT 1.5992; half of it 0.7996 -> 0.80; the rest 0.7992 -> 0.80; gross 21.5892.
    void vatSplitRoundsEachAmountToTheGrosz() {
        const VatSplit s = splitVat(19.99, 8, 50);
        QCOMPARE(s.fullVat, 1.5992);
        QCOMPARE(s.counted, 0.80);
        QCOMPARE(s.notCounted, 0.80);
        QCOMPARE(s.gross, 21.59);
        QCOMPARE(s.value, 20.79);
        QCOMPARE(manualCountedPercent(" 0 "), std::optional<int>(0));
        QCOMPARE(manualCountedPercent("100"), std::optional<int>(100));
        for (const char* bad : {"101", "-1", "12,5", "abc", ""})
            QVERIFY2(!manualCountedPercent(bad), bad);
    }

    void netValueAndNotCountedVatOfOlderRows() {
        QCOMPARE(netOfSaved(123.00, std::nullopt, 23.00), 100.00); // no VatZaliczony: Pom2
        QCOMPARE(netOfSaved(250.40, std::nullopt, std::nullopt), 250.40);
        QVERIFY(!shownNotCountedVat(100, 0, std::nullopt, std::nullopt, 1));
        // Without a stored VatNieZaliczony: the full VAT when nothing was counted, else by the choice.
        QCOMPARE(*shownNotCountedVat(100, 23, std::nullopt, std::nullopt, 1), 23.0);
        QCOMPARE(*shownNotCountedVat(123, 23, 23.0, std::nullopt, 2), 0.0);
        QCOMPARE(*shownNotCountedVat(111.5, 23, 11.5, std::nullopt, 1), 11.5);
    }

    void odometerEdgeCases() {
        // No final reading typed: the stored one counts.
        QCOMPARE(fromFinalReading({10000, 10350, std::nullopt, QString()}, "").km,
                 std::optional<qint64>(350));
        // Without a starting reading no kilometres are made up.
        const Odometer o = fromFinalReading({std::nullopt, std::nullopt, std::nullopt, "12"}, "10500");
        QCOMPARE(o.after, std::optional<qint64>(10500));
        QVERIFY(!o.km);
        QCOMPARE(o.kmText, QString("12"));
        QVERIFY(!fromKilometres({}, "500", "").before);
        QVERIFY_THROWS_EXCEPTION(ConversionError, fromFinalReading({}, "10 5OO"));
        QVERIFY_THROWS_EXCEPTION(ConversionError, fromKilometres({}, "5o0", "10500"));
    }

    void consumptionEdgeCases() {
        QCOMPARE(*consumption(50, 600), 8.33); // 8.333...
        QVERIFY(!consumption(30, 0));
        // Kilometres without litres still count; costs that are not fuel and unreadable km do not:
        // 40 x 100 / (300 + 500).
        QCOMPARE(*averageConsumption({{true, std::nullopt, "300"}, {true, 40, "500"}, {false, 99, "10"}}),
                 5.0);
        QCOMPARE(*averageConsumption({{true, 40, "500"}, {true, 20, "abc"}}), 8.0);
        QVERIFY(!averageConsumption({{false, 40, "500"}}));
    }

    void runningValuesOverMonthsAndYears() {
        // January: 100.00 (fuel, 40 l) and 50.50; February: 20.00 (fuel, 10 l); January of the next year.
        const std::vector<CostRow> rows{{2024, 1, 100.00, true, 40, 0, {}},
                                        {2024, 1, 50.50, false, 0, 0, {}},
                                        {2024, 2, 20.00, true, 10, 0, {}},
                                        {2025, 1, 10.00, false, 0, 0, {}}};
        const std::vector<CostTotals> t = runningTotals(rows);
        const double expected[4][5] = {// month running, month total, year running, fuel value, litres
                                       {100, 150.5, 100, 100, 40},
                                       {150.5, 150.5, 150.5, 100, 40},
                                       {20, 20, 170.5, 20, 10},
                                       {10, 10, 10, 0, 0}};
        QCOMPARE(t.size(), size_t(4));
        for (size_t i = 0; i < t.size(); ++i) {
            const double got[5] = {t[i].monthRunning, t[i].monthTotal, t[i].yearRunning, t[i].fuelValue,
                                   t[i].fuelLitres};
            for (int k = 0; k < 5; ++k)
                QCOMPARE(got[k], expected[i][k]);
        }
    }
};

TARLOK_TEST_MAIN(CostCalcTest)
#include "tst_costcalc.moc"
