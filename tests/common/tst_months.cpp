#include "common/Months.h"

#include <QLocale>
#include <QTest>

using namespace tarlok;

class TestMonths : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void names() {
        const QStringList expected =
            QString::fromUtf8("Styczeń Luty Marzec Kwiecień Maj Czerwiec Lipiec Sierpień "
                              "Wrzesień Październik Listopad Grudzień")
                .split(QLatin1Char(' '));
        const QStringList genitives = QString::fromUtf8("Stycznia Lutego Marca Kwietnia Maja Czerwca Lipca "
                                                        "Sierpnia Września Października Listopada Grudnia")
                                          .split(QLatin1Char(' '));
        QCOMPARE(months::names(), expected);
        for (int m = 1; m <= 12; ++m) {
            QCOMPARE(months::name(m), expected[m - 1]);
            QCOMPARE(months::genitive(m), genitives[m - 1]);
            QCOMPARE(months::number(expected[m - 1]), std::optional<int>(m));
        }
        for (int m : {0, 13}) {
            QVERIFY(months::name(m).isEmpty() && months::genitive(m).isEmpty());
            QCOMPARE(months::daysInMonth(2024, m), 0);
            QVERIFY(!months::dayInMonth(2024, m, 1).isValid());
        }
        QCOMPARE(months::number(QString::fromUtf8("styczeń")), std::nullopt);
        QCOMPARE(months::number(months::kAll), std::nullopt);
    }

    // Year, month, the day asked for (maybe past the month's end), days in the month, the day given.
    void days() {
        const int rows[][5] = {{2024, 2, 31, 29, 29}, {2023, 2, 30, 28, 28}, {1900, 2, 29, 28, 28},
                               {2000, 2, 29, 29, 29}, {2024, 4, 31, 30, 30}, {2024, 11, 31, 30, 30},
                               {2024, 7, 31, 31, 31}, {2024, 8, 15, 31, 15}, {2023, 12, 31, 31, 31}};
        for (const auto& [year, month, asked, days, day] : rows) {
            QCOMPARE(months::daysInMonth(year, month), days);
            QCOMPARE(months::dayInMonth(year, month, asked), QDate(year, month, day));
        }
    }
};

QTEST_GUILESS_MAIN(TestMonths)
#include "tst_months.moc"
