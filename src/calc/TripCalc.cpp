#include "TripCalc.h"

#include "common/Money.h"
#include "common/Numbers.h"

namespace tarlok::trips {

double amount(double rate, qint64 km) {
    return ZaokraglijDoGroszy(rate * double(km));
}

std::vector<MonthFigures> monthPass(const std::vector<TripFigures>& trips) {
    std::vector<MonthFigures> out(trips.size());
    size_t start = 0; // the first trip of the month being summed
    for (size_t i = 0; i < trips.size(); ++i) {
        const bool newMonth =
            i == 0 || trips[i].year != trips[i - 1].year || trips[i].month != trips[i - 1].month;
        if (newMonth)
            start = i;
        const qint64 km = newMonth ? 0 : out[i - 1].kmRunning;
        const double value = newMonth ? 0.0 : out[i - 1].valueRunning;
        out[i].kmRunning = km + trips[i].km;
        out[i].valueRunning = ZaokraglijDoGroszy(value + trips[i].value);
        const bool monthEnds = i + 1 == trips.size() || trips[i + 1].year != trips[i].year ||
                               trips[i + 1].month != trips[i].month;
        if (monthEnds) {
            out[i].lastOfMonth = true;
            for (size_t j = start; j <= i; ++j) {
                out[j].kmTotal = out[i].kmRunning;
                out[j].valueTotal = out[i].valueRunning;
            }
        }
    }
    return out;
}

std::vector<RunningFigures> yearPass(const std::vector<TripFigures>& trips) {
    std::vector<RunningFigures> out(trips.size());
    for (size_t i = 0; i < trips.size(); ++i) {
        const bool newYear = i == 0 || trips[i].year != trips[i - 1].year;
        const RunningFigures before = newYear ? RunningFigures{} : out[i - 1];
        out[i].km = before.km + trips[i].km;
        out[i].value = ZaokraglijDoGroszy(before.value + trips[i].value);
    }
    return out;
}

SumGrid sumGrid(int month, const YearTotals& totals) {
    SumGrid grid;
    for (auto& row : grid)
        row.fill(QStringLiteral("0"));
    auto sum = [&](int from, int to) {
        MonthTotal s;
        for (int m = from; m <= to; ++m) {
            s.km += totals[size_t(m)].km;
            s.value += totals[size_t(m)].value;
        }
        s.value = ZaokraglijDoGroszy(s.value);
        return s;
    };
    if (month == 0 || month == 1) {
        // The whole year, or January alone: no months before it.
        const MonthTotal s = month == 0 ? sum(1, 12) : sum(1, 1);
        grid[1] = {numbers::integer(s.km), numbers::general(s.value)};
    } else if (month >= 2 && month <= 12) {
        const MonthTotal before = sum(1, month - 1);
        const MonthTotal chosen = sum(month, month);
        const MonthTotal both{before.km + chosen.km, ZaokraglijDoGroszy(before.value + chosen.value)};
        const MonthTotal rows[3] = {before, chosen, both};
        for (size_t r = 0; r < 3; ++r)
            grid[r] = {numbers::integer(rows[r].km), numbers::grouped(rows[r].value, 15, 2)};
    }
    return grid;
}

} // namespace tarlok::trips
