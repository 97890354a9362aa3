#include "CostCalc.h"

#include "common/Money.h"
#include "common/Numbers.h"
#include "store/Tables.h"

#include <algorithm>
#include <map>
#include <utility>

namespace tarlok::costs {

int autoCountedPercent(int choice) {
    switch (choice) {
    case 0:
        return 0;
    case 2:
        return 100;
    default:
        return 50;
    }
}

std::optional<int> autoChoiceOf(qint64 percent) {
    switch (percent) {
    case 0:
        return 0;
    case 50:
        return 1;
    case 100:
        return 2;
    default:
        return std::nullopt;
    }
}

std::optional<int> manualCountedPercent(const QString& text) {
    const auto percent = wholeNumber(text);
    if (!percent || *percent < 0 || *percent > 100)
        return std::nullopt;
    return int(*percent);
}

VatSplit splitVat(double net, qint64 ratePercent, int countedPercent) {
    VatSplit split;
    const double share = countedPercent * 0.01;
    split.countedPercent = countedPercent;
    split.fullVat = net * double(ratePercent) / 100.0;
    split.gross = ZaokraglijDoGroszy(net + split.fullVat);
    split.counted = ZaokraglijDoGroszy(split.fullVat * share);
    split.notCounted = ZaokraglijDoGroszy(split.fullVat - split.counted);
    split.value = ZaokraglijDoGroszy(net + split.counted);
    return split;
}

double netOfSaved(double value, std::optional<double> counted, std::optional<double> pom2) {
    const double vat = counted ? *counted : pom2.value_or(0.0);
    return ZaokraglijDoGroszy(value - vat);
}

std::optional<double> shownNotCountedVat(double value, std::optional<qint64> ratePercent,
                                         std::optional<double> pom2, std::optional<double> storedNotCounted,
                                         int choice) {
    if (!ratePercent || *ratePercent == 0)
        return std::nullopt;
    if (storedNotCounted)
        return *storedNotCounted;
    if (!pom2 || *pom2 == 0.0)
        return value * double(*ratePercent) / 100.0;
    if (choice == 2)
        return 0.0;
    return *pom2;
}

double calculatedGross(double value, qint64 ratePercent, double pom2, int choice) {
    switch (choice) {
    case 0:
        return ZaokraglijDoGroszy(value * (1.0 + double(ratePercent) / 100.0));
    case 2:
        return value;
    default:
        return value + pom2;
    }
}

std::optional<qint64> wholeNumber(const QString& text) {
    if (text.trimmed().isEmpty() || !numbers::isInteger(text))
        return std::nullopt;
    return numbers::parseInteger(text);
}

Odometer fromFinalReading(const Odometer& current, const QString& finalText) {
    Odometer out = current;
    if (!finalText.trimmed().isEmpty())
        out.after = numbers::parseInteger(finalText);
    if (out.after && out.before) {
        out.km = *out.after - *out.before;
        out.kmText = numbers::integer(*out.km);
    }
    return out;
}

Odometer fromKilometres(const Odometer& current, const QString& kmText, const QString& finalText) {
    Odometer out = current;
    if (kmText.trimmed().isEmpty() || finalText.trimmed().isEmpty())
        return out;
    out.km = numbers::parseInteger(kmText);
    out.after = numbers::parseInteger(finalText);
    out.before = *out.after - *out.km;
    return out;
}

std::optional<double> consumption(double litres, qint64 km) {
    if (km == 0)
        return std::nullopt;
    return ZaokraglijDoGroszy(litres * 100.0 / double(km));
}

std::optional<double> averageConsumption(const std::vector<FuelEntry>& entries) {
    double litres = 0;
    qint64 km = 0;
    for (const FuelEntry& e : entries) {
        if (!e.fuel)
            continue;
        const auto rowKm = wholeNumber(e.kmText);
        if (!rowKm)
            continue;
        km += *rowKm;
        if (e.litres)
            litres += *e.litres;
    }
    return consumption(litres, km);
}

std::vector<CostTotals> runningTotals(const std::vector<CostRow>& rows) {
    struct Month {
        double running = 0;
        double fuelValue = 0;
        double fuelLitres = 0;
    };
    std::map<std::pair<int, int>, Month> months;
    std::map<int, double> years;
    std::vector<CostTotals> out(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const CostRow& r = rows[i];
        Month& m = months[{r.year, r.month}];
        m.running = ZaokraglijDoGroszy(m.running + r.value);
        if (r.fuel) {
            m.fuelValue = ZaokraglijDoGroszy(m.fuelValue + r.value);
            m.fuelLitres += r.litres;
        }
        double& y = years[r.year];
        y = ZaokraglijDoGroszy(y + r.value);
        out[i].monthRunning = m.running;
        out[i].yearRunning = y;
    }
    for (size_t i = 0; i < rows.size(); ++i) {
        const Month& m = months[{rows[i].year, rows[i].month}];
        out[i].monthTotal = m.running;
        out[i].fuelValue = m.fuelValue;
        out[i].fuelLitres = m.fuelLitres;
    }
    return out;
}

double storedMonthTotal(const std::vector<CostRow>& rows, int year, int month) {
    for (const CostRow& r : rows) {
        if (r.year == year && r.month == month)
            return r.monthTotal.value_or(0.0);
    }
    return 0.0;
}

double countedVatOfMonth(const std::vector<CostRow>& rows, int year, int month) {
    double sum = 0;
    for (const CostRow& r : rows) {
        if (r.year == year && r.month == month)
            sum = ZaokraglijDoGroszy(sum + r.counted);
    }
    return sum;
}

std::vector<std::pair<QString, double>> passValues(const CostTotals& totals, bool inRange, Passes passes) {
    std::vector<std::pair<QString, double>> values;
    if (passes.testFlag(Pass::Month) && inRange) {
        values.emplace_back(fields::koszty::Wartosc_Narastajaca, totals.monthRunning);
        values.emplace_back(fields::koszty::WartoscSuma, totals.monthTotal);
    }
    if (passes.testFlag(Pass::Fuel) && inRange) {
        values.emplace_back(fields::koszty::SumaWartPaliwo, totals.fuelValue);
        values.emplace_back(fields::koszty::SumaIloscPaliwo, totals.fuelLitres);
    }
    if (passes.testFlag(Pass::Year))
        values.emplace_back(fields::koszty::Wartosc_NarastajacaRok, totals.yearRunning);
    return values;
}

namespace {

QString money(double value) {
    return numbers::grouped(value, 15, 2);
}

SumColumn zeros() {
    SumColumn column;
    column.fill(QStringLiteral("0"));
    return column;
}

} // namespace

SumColumn costSums(int month, int year, const std::vector<CostRow>& rows) {
    SumColumn texts = zeros();
    auto total = [&](int from, int to) {
        double sum = 0;
        for (int k = from; k <= to; ++k)
            sum = ZaokraglijDoGroszy(sum + storedMonthTotal(rows, year, k));
        return sum;
    };
    if (month == 1) {
        texts[1] = numbers::general(total(1, 1));
    } else if (month >= 2 && month <= 12) {
        const double before = total(1, month - 1);
        const double current = total(month, month);
        texts[0] = money(before);
        texts[1] = money(current);
        texts[2] = money(ZaokraglijDoGroszy(before + current));
    } else if (month == 0) {
        texts[1] = numbers::general(total(1, 12));
    }
    return texts;
}

VatSums vatSums(int month, int year, const std::vector<CostRow>& rows) {
    VatSums out;
    out.texts = zeros();
    const int last = month == 0 ? 12 : std::clamp(month, 0, 12);
    double sum = 0;
    for (int k = 1; k <= last; ++k) {
        out.monthly[size_t(k)] = countedVatOfMonth(rows, year, k);
        sum = ZaokraglijDoGroszy(sum + out.monthly[size_t(k)]);
    }
    if (month == 1 || month == 0) {
        out.texts[1] = numbers::general(sum);
    } else if (month >= 2 && month <= 12) {
        const double current = out.monthly[size_t(month)];
        out.texts[0] = money(ZaokraglijDoGroszy(sum - current));
        out.texts[1] = money(current);
        out.texts[2] = money(sum);
    }
    return out;
}

} // namespace tarlok::costs
