#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// Month names of the register, their genitive forms and the days of a month.
namespace tarlok::months {

// The first entry of every month box: all months (index 0).
inline const QString kAll = QStringLiteral("Wszystko");

// 1 -> "Styczeń" ... 12 -> "Grudzień"; any other number gives an empty text.
QString name(int month);
// 1 -> "Stycznia", 2 -> "Lutego" ... 12 -> "Grudnia" (as in "Suma do Lutego"); otherwise empty.
QString genitive(int month);
// The twelve names in calendar order.
QStringList names();
// The number of a month name, comparing the exact text (case matters); none for any other text.
std::optional<int> number(const QString& name);
// 31 or 30 by month, February 29 in leap years, else 28; 0 for a month outside 1..12.
int daysInMonth(int year, int month);
// The given day of the month, or the month's last day when that day does not exist in it
// (the 31st carried into April gives 30 April); a day below 1 gives the 1st. Invalid for a month
// outside 1..12.
QDate dayInMonth(int year, int month, int day);

} // namespace tarlok::months
