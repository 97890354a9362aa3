// The deadline warnings and the figures of a save, computed without a window; every expected value is
// worked out by hand from the day 15 May 2024.
#include "deadlines/DeadlineWarnings.h"
#include "support/TestApp.h"

#include <QTest>

using namespace tarlok;
using namespace tarlok::deadlines;

namespace {

const QDate D(2024, 5, 15);

DeadlineRow watching(Kind kind, std::initializer_list<std::pair<Slot, QDate>> dates) {
    DeadlineRow row;
    row.watched[kind] = true;
    for (const auto& [slot, date] : dates)
        row.dates[slot] = date;
    return row;
}

} // namespace

class WarningsTest : public QObject {
    Q_OBJECT

private slots:
    void pickersWithoutAnyDaysWarnOnTheDayOnly() {
        QCOMPARE(pickerWarning(D, D, 0, 0), PickerWarning::Due);
        QCOMPARE(pickerWarning(QDate(2024, 5, 14), D, 0, 0), PickerWarning::Past);
        QCOMPARE(pickerWarning(QDate(2024, 5, 16), D, 0, 0), PickerWarning::Ahead);
        QCOMPARE(pickerWarning(QDate(), D, 0, 0), PickerWarning::Past); // an empty date
    }

    // K = 10, P = 14, A = 7: the grid row is red from D - 10 to D + 7, the pickers from D - 7 to D + 14.
    void gridRowAndPickersUseTheirOwnRanges() {
        const auto row = [](const QDate& date) {
            return rowColour(watching(PrzegTech, {{SlotTech, date}}), D, 14, 7, 10, false);
        };
        QCOMPARE(row(QDate(2024, 5, 4)), TextColour::Gray);
        QCOMPARE(row(QDate(2024, 5, 5)), TextColour::Red);
        QCOMPARE(row(QDate(2024, 5, 22)), TextColour::Red);
        QCOMPARE(row(QDate(2024, 5, 23)), TextColour::Normal);
        QCOMPARE(row(QDate()), TextColour::Gray);

        QCOMPARE(pickerWarning(QDate(2024, 5, 7), D, 14, 7), PickerWarning::Past);
        QCOMPARE(pickerWarning(QDate(2024, 5, 8), D, 14, 7), PickerWarning::Due);
        QCOMPARE(pickerWarning(QDate(2024, 5, 29), D, 14, 7), PickerWarning::Due);
        QCOMPARE(pickerWarning(QDate(2024, 5, 30), D, 14, 7), PickerWarning::Ahead);
    }

    void theKindsOfARowInTurn() {
        // OC instalment I due, instalment II before D - K: gray.
        QCOMPARE(rowColour(watching(OC, {{SlotOC, D}, {SlotOC2, QDate(2024, 5, 4)}}), D, 14, 7, 10, false),
                 TextColour::Gray);
        // Both instalments due: red, and a past AC after it changes nothing.
        DeadlineRow both = watching(OC, {{SlotOC, D}, {SlotOC2, QDate(2024, 5, 20)}});
        both.watched[AC] = true;
        both.dates[SlotAC] = QDate(2023, 1, 1);
        both.dates[SlotAC2] = QDate(2023, 1, 1);
        QCOMPARE(rowColour(both, D, 14, 7, 10, false), TextColour::Red);
        // A gray kind is made red by a due kind after it.
        DeadlineRow later = watching(PrzegTech, {{SlotTech, QDate(2023, 1, 1)}});
        later.watched[Inny] = true;
        later.dates[SlotInny] = QDate(2024, 5, 10);
        QCOMPARE(rowColour(later, D, 14, 7, 10, false), TextColour::Red);
        // Unwatched kinds are not looked at, whatever their dates.
        DeadlineRow unwatched;
        unwatched.dates[SlotOC] = D;
        QCOMPARE(rowColour(unwatched, D, 14, 7, 10, false), TextColour::Normal);
        // A selected row is white whatever its dates.
        QCOMPARE(rowColour(watching(OC, {{SlotOC, D}, {SlotOC2, D}}), D, 14, 7, 10, true), TextColour::White);
    }

    void vehicleRows() {
        QCOMPARE(vehicleColour(QVariant(false), false), TextColour::Red);
        QCOMPARE(vehicleColour(QVariant(true), false), TextColour::Black);
        QCOMPARE(vehicleColour(QVariant(), false), TextColour::Normal);
        QCOMPARE(vehicleColour(QVariant(false), true), TextColour::White);
    }

    // S = 20 000, B = 500, F = 300.
    void serviceAlarm_data() {
        QTest::addColumn<qint64>("reading");
        QTest::addColumn<int>("level");
        QTest::addColumn<qint64>("remaining");
        const int none = int(ServiceAlarm::Level::None);
        const int yellow = int(ServiceAlarm::Level::Yellow);
        const int red = int(ServiceAlarm::Level::Red);
        QTest::newRow("19 499") << qint64(19499) << none << qint64(501);
        QTest::newRow("19 500") << qint64(19500) << yellow << qint64(500);
        QTest::newRow("20 000") << qint64(20000) << red << qint64(0);
        QTest::newRow("20 300") << qint64(20300) << red << qint64(-300);
        QTest::newRow("20 301") << qint64(20301) << yellow << qint64(-301);
    }
    void serviceAlarm() {
        QFETCH(qint64, reading);
        QFETCH(int, level);
        QFETCH(qint64, remaining);
        const ServiceAlarm alarm = deadlines::serviceAlarm(reading, 20000, 500, 300);
        QCOMPARE(int(alarm.level), level);
        if (alarm.level != ServiceAlarm::Level::None)
            QCOMPARE(alarm.remaining, remaining);
    }

    void noAlarmWithoutTheReadings() {
        QCOMPARE(deadlines::serviceAlarm(std::nullopt, 20000, 500, 300).level, ServiceAlarm::Level::None);
        QCOMPARE(deadlines::serviceAlarm(25000, std::nullopt, 500, 300).level, ServiceAlarm::Level::None);
    }

    // Exact amounts, two decimals, the Polish separators (a non-breaking space between groups).
    void instalmentTotals() {
        QCOMPARE(amountText(instalmentTotal(10000.0, 2345.67)), QString("12\u00a0345,67"));
        QCOMPARE(amountText(instalmentTotal(1000000.0, 234567.89)), QString("1\u00a0234\u00a0567,89"));
        QCOMPARE(amountText(instalmentTotal(QVariant(), 150.5)), QString("150,50"));
        QCOMPARE(amountText(instalmentTotal(980.0, QVariant())), QString("980,00"));
        QCOMPARE(amountText(instalmentTotal(QVariant(), QVariant())), QString("0,00"));
    }

    void costsOfASave() {
        RowCosts typed;
        typed.ac = 1000;
        typed.oc = 800.104; // a third decimal typed is rounded away
        typed.ocII = 199.9;
        typed.nw = 50;
        typed.tech = 98;
        typed.napraw = 200;
        const RowCosts saved = savedCosts(typed, 150);
        QCOMPARE(saved.napraw, 350.0);
        QCOMPARE(saved.oc, 800.10);
        QCOMPARE(totalCost(saved), 2498.0); // 1000 + 800,10 + 199,90 + 50 + 98 + 350

        RowCosts small;
        small.tech = 0.1;
        small.gwar = 0.2;
        small.oc = 12.345;
        QCOMPARE(savedCosts(small, 0).oc, 12.35);
        QCOMPARE(totalCost(savedCosts(small, 0)), 12.65);
        QCOMPARE(totalCost(savedCosts(RowCosts{}, 0)), 0.0);
    }
};

TARLOK_TEST_MAIN(WarningsTest)
#include "tst_warnings.moc"
