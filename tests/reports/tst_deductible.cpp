// The deductible car costs of a month: costs counted from January never exceed the trip amounts
// counted from January. Expected figures worked by hand.
#include "calc/DeductibleCosts.h"

#include <QTest>

using namespace tarlok;

namespace {

using Months = std::array<double, 13>;

Months months(std::initializer_list<double> values) {
    Months m{};
    size_t k = 1;
    for (double v : values)
        m[k++] = v;
    return m;
}

} // namespace

class DeductibleTest : public QObject {
    Q_OBJECT

private slots:
    void figuresOfAMonth_data() {
        QTest::addColumn<Months>("costs");
        QTest::addColumn<Months>("trips");
        QTest::addColumn<int>("month");
        // before, costs, trips, cap, cap before, deductible
        QTest::addColumn<QList<double>>("expected");

        // before 400 + 300 = 700, trips before 700, cap before 700; costs 1200, trips 1050, cap 1050.
        QTest::newRow("March example") << months({400, 300, 500}) << months({350, 350, 350}) << 3
                                       << QList<double>{700, 1200, 1050, 1050, 700, 350};
        // January: the smaller of its costs and its trips.
        QTest::newRow("January, costs above trips")
            << months({500}) << months({400}) << 1 << QList<double>{0, 500, 400, 400, 0, 400};
        QTest::newRow("January, costs below trips")
            << months({300}) << months({400}) << 1 << QList<double>{0, 300, 400, 300, 0, 300};
        // The whole year: nothing is computed.
        QTest::newRow("Wszystko") << months({400, 300, 500}) << months({350, 350, 350}) << 0
                                  << QList<double>{0, 0, 0, 0, 0, 0};
        // Costs were capped in January and February (1000 against 600); March's trips let the earlier
        // costs in: cap before = min(1000, 600) = 600, cap = min(1100, 1400) = 1100, so 500.
        QTest::newRow("earlier costs let in later") << months({800, 200, 100}) << months({300, 300, 800}) << 3
                                                    << QList<double>{1000, 1100, 1400, 1100, 600, 500};
        // December of a year with no trips at all: nothing may be booked.
        QTest::newRow("no trips") << months({10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10}) << Months{}
                                  << 12 << QList<double>{110, 120, 0, 0, 0, 0};
    }
    void figuresOfAMonth() {
        QFETCH(Months, costs);
        QFETCH(Months, trips);
        QFETCH(int, month);
        QFETCH(QList<double>, expected);
        const deductible::Figures f = deductible::figures(costs, trips, month);
        const QList<double> got{f.before, f.costs, f.trips, f.cap, f.capBefore, f.deductible};
        QCOMPARE(got, expected);
    }

    // Costs below the trip amounts all year: each month deducts exactly its own costs.
    void costsBelowTripsAllYearDeductTheirOwnCosts_data() {
        QTest::addColumn<int>("month");
        for (int m = 1; m <= 12; ++m)
            QTest::addRow("month %d", m) << m;
    }
    void costsBelowTripsAllYearDeductTheirOwnCosts() {
        QFETCH(int, month);
        const Months costs = months({120, 80, 200, 50, 0, 310, 90, 45, 60, 75, 30, 150});
        const Months trips = months({400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400, 400});
        QCOMPARE(deductible::figures(costs, trips, month).deductible, costs[size_t(month)]);
    }
};

QTEST_APPLESS_MAIN(DeductibleTest)
#include "tst_deductible.moc"
