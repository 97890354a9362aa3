#include "common/Money.h"

#include <QLocale>
#include <QTest>

using tarlok::ZaokraglijDoGroszy;

class TestMoney : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void rounding() {
        const std::pair<double, double> rows[] = {
            {12.345, 12.35},  {34.195, 34.20}, {34.194999, 34.19},
            {2.675, 2.68},    {0.005, 0.01},   {-1.235, -1.23}, // a negative half rounds toward zero
            {-1.2351, -1.24}, {250.0, 250.0},  {0.0, 0.0},
        };
        for (const auto& [value, rounded] : rows)
            QCOMPARE(ZaokraglijDoGroszy(value), rounded);
    }

    // A trip of 151 km at 0,8358 zł/km; a lump sum of 300 km at that rate less 3 days of 22.
    void workedAmounts() {
        QCOMPARE(ZaokraglijDoGroszy(0.8358 * 151), 126.21);
        const double lumpSum = ZaokraglijDoGroszy(300 * 0.8358);
        QCOMPARE(lumpSum, 250.74);
        const double deduction = ZaokraglijDoGroszy(lumpSum * 3 * (1.0 / 22));
        QCOMPARE(deduction, 34.19);
        QCOMPARE(ZaokraglijDoGroszy(lumpSum - deduction), 216.55);
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
