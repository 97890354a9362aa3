#include "LumpSum.h"

#include "common/Limits.h"
#include "common/Money.h"
#include "common/Months.h"
#include "common/Numbers.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tarlok::lumpsum {

double lumpSum(double limitKm, double rate) {
    return limitKm * rate;
}

double deduction(double lump, qint64 days) {
    const double share = ZaokraglijDoGroszy(lump * double(days) * (1.0 / kWorkingDays));
    return std::min(share, ZaokraglijDoGroszy(lump));
}

double amountDue(double lump, double deducted) {
    const double due = ZaokraglijDoGroszy(lump - deducted);
    // Nothing below zero, and no "-0,00" from a lump sum that is all deducted.
    return due > 0.0 ? due : 0.0;
}

Figures figures(double limitKm, double rate, qint64 absenceDays) {
    Figures f;
    f.lumpSum = lumpSum(limitKm, rate);
    f.deduction = deduction(f.lumpSum, absenceDays);
    f.due = amountDue(f.lumpSum, f.deduction);
    return f;
}

QString refusal(const Inputs& inputs, int daysInMonth) {
    using limits::Quantity;
    if (!limits::refusal(Quantity::Distance, inputs.limitKm).isEmpty())
        return QStringLiteral("Limit kilometrów musi mieścić się w granicach od 0 do 99 999 km");
    if (!limits::refusal(Quantity::Rate, inputs.rate).isEmpty())
        return QStringLiteral("Stawka za kilometr musi mieścić się w granicach od 0 do 100 zł");
    for (const auto& [name, days] :
         {std::pair{kLeaveName, inputs.leave}, std::pair{kWithoutCarName, inputs.withoutCar},
          std::pair{kOtherName, inputs.other}}) {
        if (days < 0 || days > daysInMonth)
            return QStringLiteral("%1 musi mieścić się w granicach od 0 do %2 dni")
                .arg(name)
                .arg(daysInMonth);
    }
    // A day of the month is absent once, whatever the reason: the three counts share the month's days.
    const qint64 total = inputs.leave + inputs.withoutCar + inputs.other;
    if (total > daysInMonth)
        return QStringLiteral("Suma dni urlopu, dni bez samochodu i innych nieobecności (%1 + %2 + %3 = %4) "
                              "musi mieścić się w granicach od 0 do %5 dni")
            .arg(inputs.leave)
            .arg(inputs.withoutCar)
            .arg(inputs.other)
            .arg(total)
            .arg(daysInMonth);
    return {};
}

std::array<std::optional<Record>, 13> monthRecords(const std::vector<Record>& records, int year) {
    std::array<std::optional<Record>, 13> out;
    for (const Record& r : records) {
        if (r.year != year || r.month < 1 || r.month > 12 || out[size_t(r.month)])
            continue;
        out[size_t(r.month)] = r;
    }
    return out;
}

MonthSums monthSums(const std::vector<Record>& records, int year, int month) {
    const auto counted = monthRecords(records, year);
    const auto due = [&counted](int which) {
        return counted[size_t(which)] ? counted[size_t(which)]->due : 0.0;
    };
    MonthSums sums;
    if (month == 1) {
        sums.forMonth = numbers::general(due(1));
    } else if (month >= 2 && month <= 12) {
        double before = 0.0;
        for (int m = 1; m < month; ++m)
            before += due(m);
        sums.toMonth = numbers::grouped(before, 12, 2);
        sums.forMonth = numbers::grouped(due(month), 12, 2);
        sums.total = numbers::grouped(before + due(month), 12, 2);
    } else if (month == 0) {
        double whole = 0.0;
        for (int m = 1; m <= 12; ++m)
            whole += due(m);
        sums.forMonth = numbers::general(whole);
    }
    return sums;
}

double yearSum(const std::vector<Record>& records, int year) {
    double sum = 0.0;
    for (const auto& r : monthRecords(records, year))
        if (r)
            sum += r->due;
    return sum;
}

double allCarsYearSum(const std::vector<Record>& records, int year) {
    std::map<qint64, std::vector<Record>> byCar;
    for (const Record& r : records)
        if (r.year == year)
            byCar[r.vehicle].push_back(r);
    double sum = 0.0;
    for (const auto& [car, own] : byCar)
        sum += yearSum(own, year);
    return sum;
}

QString declarationText(const QDate& date) {
    if (!date.isValid() || date <= QDate(1990, 12, 30))
        return {};
    return numbers::shortDate(date);
}

std::array<SheetLine, 12> sheetLines(const std::vector<Record>& records, int year) {
    const auto counted = monthRecords(records, year);
    const auto amount = [](double value, int decimals) {
        return numbers::grouped(value, 8, decimals);
    };
    std::array<SheetLine, 12> lines;
    double running = 0.0;
    for (int m = 1; m <= 12; ++m) {
        SheetLine& line = lines[size_t(m - 1)];
        line.fill(QStringLiteral("0"));
        line[0].clear();
        const auto& r = counted[size_t(m)];
        if (!r)
            continue;
        running = ZaokraglijDoGroszy(running + r->due);
        line = {declarationText(r->declared),
                amount(r->limitKm, 2),
                amount(r->rate, 4),
                amount(r->lumpSum, 2),
                numbers::integer(r->leave),
                numbers::integer(r->withoutCar),
                numbers::integer(r->other),
                amount(r->deduction, 2),
                amount(r->due, 2),
                amount(running, 2)};
    }
    return lines;
}

QDate lastDayOf(int year, int month) {
    const int days = months::daysInMonth(year, month);
    if (days == 0 || year < 1 || year > 9999)
        return {};
    return QDate(year, month, days);
}

} // namespace tarlok::lumpsum
