#include "PeriodRules.h"

#include "common/Months.h"

namespace tarlok::periods {

Period next(int year, int month) {
    if (month >= 12)
        return {year + 1, 1};
    if (month < 1)
        return {year, 1};
    return {year, month + 1};
}

QDate firstPeriodDate(int year, int month, const QDate& today) {
    return months::dayInMonth(year, month, today.day());
}

QDate nextPeriodDate(const Period& period) {
    return QDate(period.year, period.month, 15);
}

int monthOf(const QString& text, int fallback) {
    return months::number(text).value_or(fallback);
}

QString label(const Period& period) {
    return QStringLiteral("%1 %2").arg(period.year).arg(months::name(period.month));
}

} // namespace tarlok::periods
