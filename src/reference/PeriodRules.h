#pragma once

#include <QDate>
#include <QString>

// The rules by which accounting periods are opened: the month after the newest period, the date of a
// first period, and the years a first period may have.
namespace tarlok::periods {

struct Period {
    int year = 0;
    int month = 0;
};

// The lowest and the highest year a first period may be opened in.
inline constexpr int kFirstYear = 1900;
inline constexpr int kLastYear = 2100;

// The month after (year, month): the next month of the same year, or January of the next year after
// December. A month below 1 gives January of the same year.
Period next(int year, int month);

// The date of a first period: today's day of the month in the chosen year and month, or the month's
// last day when that day does not exist there (the 31st chosen for April gives 30 April).
QDate firstPeriodDate(int year, int month, const QDate& today);

// The date of a period opened as the next one: the 15th of its month.
QDate nextPeriodDate(const Period& period);

// The number of a month name as picked or typed (exact text, case matters); `fallback` for any other
// text.
int monthOf(const QString& text, int fallback);

// "2005 Styczeń": the year, one blank and the month name.
QString label(const Period& period);

} // namespace tarlok::periods
