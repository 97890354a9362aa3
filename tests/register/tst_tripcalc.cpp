// The figures of the mileage register without a window. Expected values are worked out by hand.
#include "support/TestApp.h"

#include "calc/TripCalc.h"

#include <QTest>

using namespace tarlok;
using namespace tarlok::trips;

class TripCalcTest : public QObject {
    Q_OBJECT

private slots:
    void amountIsRateTimesKilometresToTheGrosz() {
        QCOMPARE(amount(0.8358, 151), 126.21); // 126.2058
        QCOMPARE(amount(0.5214, 25), 13.04);   // 13.035: a third decimal of 5 goes up
    }

    void runningTotalsStartAgainEachMonthAndEachYear() {
        // Two trips in January, one in February, two in January of the next year.
        const std::vector<TripFigures> trips{{2024, 1, 100, 83.58},
                                             {2024, 1, 51, 42.63},
                                             {2024, 2, 10, 8.36},
                                             {2025, 1, 7, 5.85},
                                             {2025, 1, 3, 2.51}};
        const std::vector<MonthFigures> m = monthPass(trips);
        const qint64 kmRunning[] = {100, 151, 10, 7, 10};
        const double valueRunning[] = {83.58, 126.21, 8.36, 5.85, 8.36};
        const qint64 kmTotal[] = {151, 151, 10, 10, 10};
        const double valueTotal[] = {126.21, 126.21, 8.36, 8.36, 8.36};
        const bool last[] = {false, true, true, false, true};
        for (size_t i = 0; i < trips.size(); ++i) {
            QCOMPARE(m[i].kmRunning, kmRunning[i]);
            QCOMPARE(m[i].valueRunning, valueRunning[i]);
            QCOMPARE(m[i].kmTotal, kmTotal[i]);
            QCOMPARE(m[i].valueTotal, valueTotal[i]);
            QCOMPARE(m[i].lastOfMonth, last[i]);
        }
        const std::vector<RunningFigures> y = yearPass(trips);
        const qint64 kmYear[] = {100, 151, 161, 7, 10};
        const double valueYear[] = {83.58, 126.21, 134.57, 5.85, 8.36};
        for (size_t i = 0; i < trips.size(); ++i) {
            QCOMPARE(y[i].km, kmYear[i]);
            QCOMPARE(y[i].value, valueYear[i]);
        }
    }

    void sumGridOfJanuaryAMidYearMonthAndTheWholeYear() {
        YearTotals totals{};
        totals[1] = {151, 126.21};
        totals[3] = {15000, 12537.00}; // 15 000 km at 0,8358
        totals[4] = {50, 41.79};
        const QString g(QChar(0x00A0)); // the Polish group separator

        using Rows = QList<QStringList>;
        auto rows = [](const SumGrid& grid) {
            Rows out;
            for (const auto& row : grid)
                out.append({row[0], row[1]});
            return out;
        };
        QCOMPARE(rows(sumGrid(1, totals)), (Rows{{"0", "0"}, {"151", "126,21"}, {"0", "0"}}));
        // March: the months before it, March itself, both together; April stays out.
        QCOMPARE(rows(sumGrid(3, totals)),
                 (Rows{{"151", "126,21"}, {"15000", "12" + g + "537,00"}, {"15151", "12" + g + "663,21"}}));
        QCOMPARE(rows(sumGrid(2, totals)), (Rows{{"151", "126,21"}, {"0", "0,00"}, {"151", "126,21"}}));
        // "Wszystko": the twelve months in row 1, in the general format.
        QCOMPARE(rows(sumGrid(0, totals)), (Rows{{"0", "0"}, {"15201", "12705"}, {"0", "0"}}));
    }
};

TARLOK_TEST_MAIN(TripCalcTest)
#include "tst_tripcalc.moc"
