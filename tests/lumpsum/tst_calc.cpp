// The lump-sum computation without a window: a month's lump sum, deduction and amount due, the
// refusal of figures out of range, the month and year sums, the summary sheet's lines and the last day
// of a month. Expected values by hand.
#include "support/TestApp.h"

#include "common/Numbers.h"
#include "lumpsum/LumpSum.h"

#include <cmath>

using namespace tarlok;
using lumpsum::Record;

namespace {

Record record(qint64 vehicle, int year, int month, double due) {
    Record r;
    r.vehicle = vehicle;
    r.year = year;
    r.month = month;
    r.due = due;
    return r;
}

const QString nbsp = QString(QChar(0x00A0));

} // namespace

class LumpSumCalcTest : public QObject {
    Q_OBJECT

private slots:
    // 300 km x 0,8358 zł = 250,74 zł; 3 days: 250,74 x 3 / 22 = 34,1918... -> 34,19; due 216,55.
    // 22 days take the whole lump sum; 23 days take no more than that, and nothing is ever due below 0.
    void figuresOfAMonth_data() {
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("lumpSum");
        QTest::addColumn<QString>("deduction");
        QTest::addColumn<QString>("due");
        QTest::newRow("2 + 1 days") << 300.0 << 0.8358 << 3 << "250,74"
                                    << "34,19"
                                    << "216,55";
        QTest::newRow("no absence") << 300.0 << 0.8358 << 0 << "250,74"
                                    << "0,00"
                                    << "250,74";
        QTest::newRow("22 days") << 300.0 << 0.8358 << 22 << "250,74"
                                 << "250,74"
                                 << "0,00";
        QTest::newRow("23 days") << 300.0 << 0.8358 << 23 << "250,74"
                                 << "250,74"
                                 << "0,00";
        QTest::newRow("31 days") << 300.0 << 0.8358 << 31 << "250,74"
                                 << "250,74"
                                 << "0,00";
        // 333 x 0,5214 = 173,6262: the deduction of 22 days is 173,63, a grosz over the lump sum held.
        QTest::newRow("lump sum below its grosz") << 333.0 << 0.5214 << 22 << "173,63"
                                                  << "173,63"
                                                  << "0,00";
        // 1 day of 173,6262: 7,8921 -> 7,89; due 173,6262 - 7,89 = 165,7362 -> 165,74.
        QTest::newRow("1 day of 173,6262") << 333.0 << 0.5214 << 1 << "173,63"
                                           << "7,89"
                                           << "165,74";
    }
    void figuresOfAMonth() {
        QFETCH(double, limit);
        QFETCH(double, rate);
        QFETCH(int, days);
        QFETCH(QString, lumpSum);
        QFETCH(QString, deduction);
        QFETCH(QString, due);
        const lumpsum::Figures f = lumpsum::figures(limit, rate, days);
        QCOMPARE(numbers::pattern(f.lumpSum, "0.00"), lumpSum);
        QCOMPARE(numbers::pattern(f.deduction, "0.00"), deduction);
        QCOMPARE(numbers::pattern(f.due, "0.00"), due);
        QVERIFY(f.due >= 0.0);
        QVERIFY(!std::signbit(f.due)); // never stored as -0
    }

    // A negative figure or one beyond its range is refused with a message naming it; a day count, and
    // the three counts together, cannot exceed the days of the month.
    void figuresOutOfRange_data() {
        QTest::addColumn<double>("limit");
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("leave");
        QTest::addColumn<int>("withoutCar");
        QTest::addColumn<int>("other");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("message");
        QTest::newRow("fine") << 300.0 << 0.8358 << 2 << 0 << 1 << 31 << "";
        QTest::newRow("negative limit") << -300.0 << 0.8358 << 0 << 0 << 0 << 31
                                        << "Limit kilometrów musi mieścić się w granicach od 0 do 99 999 km";
        QTest::newRow("limit too high") << 100000.0 << 0.8358 << 0 << 0 << 0 << 31
                                        << "Limit kilometrów musi mieścić się w granicach od 0 do 99 999 km";
        QTest::newRow("negative rate") << 300.0 << -0.01 << 0 << 0 << 0 << 31
                                       << "Stawka za kilometr musi mieścić się w granicach od 0 do 100 zł";
        QTest::newRow("negative leave") << 300.0 << 0.8358 << -1 << 0 << 0 << 31
                                        << "Ilość dni urlopu musi mieścić się w granicach od 0 do 31 dni";
        QTest::newRow("29 days of February 2024") << 300.0 << 0.8358 << 29 << 0 << 0 << 29 << "";
        QTest::newRow("30 days of February 2024")
            << 300.0 << 0.8358 << 30 << 0 << 0 << 29
            << "Ilość dni urlopu musi mieścić się w granicach od 0 do 29 dni";
        // A day is absent once: the three counts together fill the month at most.
        QTest::newRow("15 + 10 + 6 of 31 days") << 300.0 << 0.8358 << 15 << 10 << 6 << 31 << "";
        QTest::newRow("15 + 10 + 7 of 31 days")
            << 300.0 << 0.8358 << 15 << 10 << 7 << 31
            << "Suma dni urlopu, dni bez samochodu i innych nieobecności (15 + 10 + 7 = 32) musi mieścić się "
               "w granicach od 0 do 31 dni";
        QTest::newRow("10 + 10 + 9 of February 2024") << 300.0 << 0.8358 << 10 << 10 << 9 << 29 << "";
        QTest::newRow("10 + 10 + 10 of February 2024") << 300.0 << 0.8358 << 10 << 10 << 10 << 29
                                                       << "Suma dni urlopu, dni bez samochodu i innych "
                                                          "nieobecności (10 + 10 + 10 = 30) musi mieścić się "
                                                          "w granicach od 0 do 29 dni";
    }
    void figuresOutOfRange() {
        QFETCH(double, limit);
        QFETCH(double, rate);
        QFETCH(int, leave);
        QFETCH(int, withoutCar);
        QFETCH(int, other);
        QFETCH(int, days);
        QFETCH(QString, message);
        QCOMPARE(lumpsum::refusal({limit, rate, leave, withoutCar, other}, days), message);
    }

    // January 100 and March 216,55 of 2024 stored for the car; a second March record, March of 2023 and
    // another car's March are there too and do not count for the car.
    void monthSums_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("January") << 1 << QStringList{"0", "100", "0"};
        QTest::newRow("February") << 2 << QStringList{"100,00", "0,00", "100,00"};
        QTest::newRow("March") << 3 << QStringList{"100,00", "216,55", "316,55"};
        QTest::newRow("December") << 12 << QStringList{"316,55", "0,00", "316,55"};
        QTest::newRow("Wszystko") << 0 << QStringList{"0", "316,55", "0"};
    }
    void monthSums() {
        QFETCH(int, month);
        QFETCH(QStringList, boxes);
        const std::vector<Record> car{record(1, 2023, 3, 999.0), record(1, 2024, 1, 100.0),
                                      record(1, 2024, 3, 216.55), record(1, 2024, 3, 50.0)};
        const lumpsum::MonthSums sums = lumpsum::monthSums(car, 2024, month);
        QCOMPARE((QStringList{sums.toMonth, sums.forMonth, sums.total}), boxes);
    }

    void monthSumsInThousands() {
        std::vector<Record> car;
        for (int m = 1; m <= 11; ++m)
            car.push_back(record(1, 2024, m, 1000.5));
        car.push_back(record(1, 2024, 12, 0.25));
        const lumpsum::MonthSums sums = lumpsum::monthSums(car, 2024, 12);
        QCOMPARE(sums.toMonth, "11" + nbsp + "005,50");
        QCOMPARE(sums.forMonth, QString("0,25"));
        QCOMPARE(sums.total, "11" + nbsp + "005,75");
        QCOMPARE(lumpsum::monthSums(car, 2024, 0).forMonth, QString("11005,75")); // general: no grouping
        QCOMPARE(lumpsum::monthSums({}, 2024, 5).total, QString("0,00"));
    }

    // The car's year counts its first record of each month of the year; every car's year adds each
    // car's year the same way.
    void yearSums() {
        const std::vector<Record> car{record(1, 2023, 3, 999.0), record(1, 2024, 1, 100.0),
                                      record(1, 2024, 3, 216.55), record(1, 2024, 3, 50.0)};
        QCOMPARE(numbers::general(lumpsum::yearSum(car, 2024)), QString("316,55"));
        QCOMPARE(numbers::general(lumpsum::yearSum(car, 2023)), QString("999"));
        QCOMPARE(lumpsum::yearSum(car, 2022), 0.0);

        // Every car's records in stored order: the second car's lines among the first one's.
        const std::vector<Record> all{record(1, 2024, 1, 100.0), record(2, 2024, 3, 555.0),
                                      record(1, 2023, 3, 999.0), record(1, 2024, 3, 216.55),
                                      record(2, 2025, 1, 7.0),   record(1, 2024, 3, 50.0),
                                      record(3, 2024, 12, 0.45)};
        QCOMPARE(numbers::general(lumpsum::allCarsYearSum(all, 2024)), QString("872"));
        QCOMPARE(numbers::general(lumpsum::allCarsYearSum(all, 2025)), QString("7"));
    }

    // January with all its figures, February without a record, March continuing the running total;
    // a declaration of 30 December 1990 or earlier is not shown, 31 December 1990 is.
    void sheetLines() {
        Record january = record(1, 2024, 1, 216.55);
        january.declared = QDate(2024, 1, 31);
        january.limitKm = 300;
        january.rate = 0.8358;
        january.lumpSum = 250.74;
        january.leave = 2;
        january.other = 1;
        january.deduction = 34.19;
        Record march = record(1, 2024, 3, 1250.005);
        march.declared = QDate(1990, 12, 30);
        march.limitKm = 1500;
        march.rate = 0.8358;
        march.lumpSum = 1253.7;
        march.withoutCar = 1;
        march.deduction = 3.695;
        Record april = record(1, 2024, 4, 0.0);
        april.declared = QDate(1990, 12, 31);
        Record secondMarch = record(1, 2024, 3, 9.0);
        Record otherYear = record(1, 2023, 2, 9.0);
        const auto lines = lumpsum::sheetLines({january, otherYear, march, secondMarch, april}, 2024);

        QCOMPARE(QStringList(lines[0].begin(), lines[0].end()),
                 (QStringList{"31.01.2024", "300,00", "0,8358", "250,74", "2", "0", "1", "34,19", "216,55",
                              "216,55"}));
        const QStringList empty{"", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
        QCOMPARE(QStringList(lines[1].begin(), lines[1].end()), empty);
        // 216,55 + 1250,005 = 1466,555 rounded to 1466,56 at once (four-digit figures are not grouped).
        QCOMPARE(
            QStringList(lines[2].begin(), lines[2].end()),
            (QStringList{"", "1500,00", "0,8358", "1253,70", "0", "1", "0", "3,70", "1250,01", "1466,56"}));
        QCOMPARE(lines[3][0], QString("31.12.1990"));
        QCOMPARE(lines[3][9], QString("1466,56"));
        for (int m = 5; m <= 12; ++m)
            QCOMPARE(QStringList(lines[size_t(m - 1)].begin(), lines[size_t(m - 1)].end()), empty);
        QCOMPARE(lumpsum::declarationText(QDate()), QString());
    }

    void lastDayOfAMonth() {
        QCOMPARE(lumpsum::lastDayOf(2024, 2), QDate(2024, 2, 29));
        QCOMPARE(lumpsum::lastDayOf(2100, 2), QDate(2100, 2, 28));
        QCOMPARE(lumpsum::lastDayOf(2000, 2), QDate(2000, 2, 29));
        QCOMPARE(lumpsum::lastDayOf(2023, 2), QDate(2023, 2, 28));
        QCOMPARE(lumpsum::lastDayOf(2024, 4), QDate(2024, 4, 30));
        QCOMPARE(lumpsum::lastDayOf(2024, 12), QDate(2024, 12, 31));
        QVERIFY(!lumpsum::lastDayOf(2024, 0).isValid());
        QVERIFY(!lumpsum::lastDayOf(2024, 13).isValid());
    }
};

TARLOK_TEST_MAIN(LumpSumCalcTest)
#include "tst_calc.moc"
