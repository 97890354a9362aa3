#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

// The lump sums for employees' private cars: a month's figures, the sums of a month and of a year, and
// the twelve lines of the year's summary sheet. Plain functions over the stored records; the window
// reads the records and shows the texts.
namespace tarlok::lumpsum {

// A month's lump sum is reduced by one twenty-second for each day of absence, whatever the month's length.
constexpr int kWorkingDays = 22;

// The lump sum before deductions: the monthly limit times the rate, not rounded.
double lumpSum(double limitKm, double rate);
// The deduction for `days` days of absence (0 or more): the lump sum x days / 22 rounded to the grosz,
// never more than the lump sum rounded to the grosz.
double deduction(double lumpSum, qint64 days);
// The amount due: the lump sum less the deduction rounded to the grosz, never below 0.
double amountDue(double lumpSum, double deduction);

struct Figures {
    double lumpSum = 0.0;
    double deduction = 0.0;
    double due = 0.0;
};
Figures figures(double limitKm, double rate, qint64 absenceDays);

// What makes a month's inputs unfit for a save: a negative limit, rate or day count, a figure beyond
// what a month can hold, or day counts that together exceed the month's days (a day is absent once).
// The message the user is shown; empty when the inputs may be saved.
struct Inputs {
    double limitKm = 0.0;
    double rate = 0.0;
    qint64 leave = 0;
    qint64 withoutCar = 0;
    qint64 other = 0;
};
QString refusal(const Inputs& inputs, int daysInMonth);

// The texts naming the three day counts in messages.
inline const QString kLeaveName = QStringLiteral("Ilość dni urlopu");
inline const QString kWithoutCarName = QStringLiteral("Ilość dni bez samochodu");
inline const QString kOtherName = QStringLiteral("Inne nieobecności");

// One stored record as the sums and the sheet read it (empty numbers read as 0).
struct Record {
    qint64 vehicle = 0;
    int year = 0;
    int month = 0;
    QDate declared; // invalid when empty
    double limitKm = 0.0;
    double rate = 0.0;
    double lumpSum = 0.0;
    qint64 leave = 0;
    qint64 withoutCar = 0;
    qint64 other = 0;
    double deduction = 0.0;
    double due = 0.0;
};

// The record that counts for each month of `year` (index 1..12; index 0 unused): the first one found
// among `records`, which are one car's records in stored order. Later records of the same month
// (stored twice) are ignored by every sum.
std::array<std::optional<Record>, 13> monthRecords(const std::vector<Record>& records, int year);

// The texts of the three month sum boxes for month `month` (1..12; 0 is the whole year): the sum up
// to the month, for the month and both together. January and the whole year fill only the middle
// box, in the general number format; February to December all three, grouped with two decimals.
// A box not filled shows "0".
struct MonthSums {
    QString toMonth = QStringLiteral("0");
    QString forMonth = QStringLiteral("0");
    QString total = QStringLiteral("0");
};
MonthSums monthSums(const std::vector<Record>& records, int year, int month);

// The amounts due of one car in `year`: the counting record of each month.
double yearSum(const std::vector<Record>& records, int year);
// The amounts due of every car in `year`, `records` holding every car's records in stored order: for
// each car and month the counting record, as yearSum takes it.
double allCarsYearSum(const std::vector<Record>& records, int year);

// The summary sheet of one car's year: for January to December, the texts of columns 1 to 10
// (declaration date, limit, rate, lump sum, three day counts, deduction, amount due, running total).
// A month without a record shows "0" in columns 2 to 10 and no date; the running total adds each
// month's amount due and is rounded to the grosz after every addition.
using SheetLine = std::array<QString, 10>;
std::array<SheetLine, 12> sheetLines(const std::vector<Record>& records, int year);
// The declaration date as the sheet shows it: only a date later than 30 December 1990.
QString declarationText(const QDate& date);

// The last day of a month: the declaration date a month proposes. Invalid for a month outside 1..12.
QDate lastDayOf(int year, int month);

} // namespace tarlok::lumpsum
