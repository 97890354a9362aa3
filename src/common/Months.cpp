#include "Months.h"

#include <algorithm>
#include <array>

namespace tarlok::months {

namespace {

const std::array<QString, 12>& nominatives() {
    static const std::array<QString, 12> list{
        QStringLiteral("Styczeń"),     QStringLiteral("Luty"),     QStringLiteral("Marzec"),
        QStringLiteral("Kwiecień"),    QStringLiteral("Maj"),      QStringLiteral("Czerwiec"),
        QStringLiteral("Lipiec"),      QStringLiteral("Sierpień"), QStringLiteral("Wrzesień"),
        QStringLiteral("Październik"), QStringLiteral("Listopad"), QStringLiteral("Grudzień")};
    return list;
}

const std::array<QString, 12>& genitives() {
    static const std::array<QString, 12> list{
        QStringLiteral("Stycznia"),     QStringLiteral("Lutego"),    QStringLiteral("Marca"),
        QStringLiteral("Kwietnia"),     QStringLiteral("Maja"),      QStringLiteral("Czerwca"),
        QStringLiteral("Lipca"),        QStringLiteral("Sierpnia"),  QStringLiteral("Września"),
        QStringLiteral("Października"), QStringLiteral("Listopada"), QStringLiteral("Grudnia")};
    return list;
}

bool valid(int month) {
    return month >= 1 && month <= 12;
}

} // namespace

QString name(int month) {
    return valid(month) ? nominatives()[month - 1] : QString();
}

QString genitive(int month) {
    return valid(month) ? genitives()[month - 1] : QString();
}

QStringList names() {
    return QStringList(nominatives().begin(), nominatives().end());
}

std::optional<int> number(const QString& name) {
    const auto& list = nominatives();
    for (int i = 0; i < 12; ++i) {
        if (list[i] == name)
            return i + 1;
    }
    return std::nullopt;
}

int daysInMonth(int year, int month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return QDate::isLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

QDate dayInMonth(int year, int month, int day) {
    const int last = daysInMonth(year, month);
    if (last == 0)
        return {};
    return QDate(year, month, std::clamp(day, 1, last));
}

} // namespace tarlok::months
