// The sums under the costs grid: the values by the stored month totals and the VAT counted into costs,
// for a month, January and "Wszystko"; and the fields each pass of the cost recompute writes. Expected
// texts are worked out by hand.
#include "support/TestApp.h"

#include "calc/CostCalc.h"

using namespace tarlok;
using namespace tarlok::costs;

Q_DECLARE_METATYPE(tarlok::costs::SumColumn)

namespace {

// One vehicle's costs in date order: January 2024 (two costs, the month total 100,50 stored on
// both), March 2024 (12 345,50) and a March of 2023 that no sum of 2024 may count.
std::vector<CostRow> costsOfTwoYears() {
    std::vector<CostRow> rows(4);
    rows[0] = {2023, 3, 999.0, false, 0, 7.0, 999.0};
    rows[1] = {2024, 1, 60.5, false, 0, 10.5, 100.5};
    rows[2] = {2024, 1, 40.0, false, 0, 2.25, 100.5};
    rows[3] = {2024, 3, 12345.5, false, 0, 4.0, 12345.5};
    return rows;
}

QString grouped(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char(' '), QChar(0x00A0));
}

} // namespace

class SumGridsTest : public QObject {
    Q_OBJECT

private slots:
    void valueSums_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<SumColumn>("expected");
        // January alone and the whole year in the general format, one row only
        QTest::newRow("January") << 1 << SumColumn{"0", "100,5", "0"};
        QTest::newRow("Wszystko") << 0 << SumColumn{"0", "12446", "0"};
        // a later month: before it, the month, both together, with two decimals and grouped from five
        // integer digits, as Polish writes numbers
        QTest::newRow("March") << 3 << SumColumn{"100,50", grouped("12 345,50"), grouped("12 446,00")};
        QTest::newRow("a month without costs") << 2 << SumColumn{"100,50", "0,00", "100,50"};
        QTest::newRow("no such month") << 13 << SumColumn{"0", "0", "0"};
    }
    void valueSums() {
        QFETCH(int, month);
        QFETCH(SumColumn, expected);
        QCOMPARE(costSums(month, 2024, costsOfTwoYears()), expected);
    }

    void vatSums_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<SumColumn>("expected");
        QTest::addColumn<QList<double>>("monthly"); // months 1..12
        const QList<double> none(12, 0.0);
        QList<double> toFebruary = none;
        toFebruary[0] = 12.75;
        QList<double> all = toFebruary;
        all[2] = 4.0;
        QTest::newRow("January") << 1 << SumColumn{"0", "12,75", "0"} << toFebruary;
        // the months after the chosen one keep 0
        QTest::newRow("February") << 2 << SumColumn{"12,75", "0,00", "12,75"} << toFebruary;
        QTest::newRow("March") << 3 << SumColumn{"12,75", "4,00", "16,75"} << all;
        QTest::newRow("Wszystko") << 0 << SumColumn{"0", "16,75", "0"} << all;
    }
    void vatSums() {
        QFETCH(int, month);
        QFETCH(SumColumn, expected);
        QFETCH(QList<double>, monthly);
        const VatSums sums = costs::vatSums(month, 2024, costsOfTwoYears());
        QCOMPARE(sums.texts, expected);
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(sums.monthly[size_t(m)], monthly[m - 1]);
    }

    // Each pass writes its own fields: the month and fuel passes only within their months.
    void passesWriteTheirFieldsOnly_data() {
        QTest::addColumn<int>("passes");
        QTest::addColumn<bool>("inRange");
        QTest::addColumn<QStringList>("fields");
        const QStringList month{"Wartosc_Narastajaca", "WartoscSuma"};
        const QStringList fuel{"SumaWartPaliwo", "SumaIloscPaliwo"};
        const QStringList year{"Wartosc_NarastajacaRok"};
        QTest::newRow("month") << int(Pass::Month) << true << month;
        QTest::newRow("fuel") << int(Pass::Fuel) << true << fuel;
        QTest::newRow("every pass") << int(Pass::Month | Pass::Fuel | Pass::Year) << true
                                    << month + fuel + year;
        QTest::newRow("every pass, another month")
            << int(Pass::Month | Pass::Fuel | Pass::Year) << false << year;
        QTest::newRow("month, another month") << int(Pass::Month) << false << QStringList();
    }
    void passesWriteTheirFieldsOnly() {
        QFETCH(int, passes);
        QFETCH(bool, inRange);
        QFETCH(QStringList, fields);
        const CostTotals totals{1, 2, 3, 4, 5};
        QStringList written;
        for (const auto& [field, value] : passValues(totals, inRange, Passes::fromInt(passes)))
            written.append(field);
        QCOMPARE(written, fields);
    }
};

TARLOK_TEST_MAIN(SumGridsTest)
#include "tst_sumgrids.moc"
