#include "SummaryCalc.h"

#include "common/Money.h"
#include "common/Numbers.h"

namespace tarlok::summary {

Counted countedCosts(const std::array<MonthTotals, 13>& months) {
    Counted out;
    double trips = 0;
    double costs = 0;
    for (int m = 1; m <= 12; ++m) {
        trips += months[size_t(m)].tripValue;
        costs += months[size_t(m)].costValue;
        const double capped = costs <= trips ? costs : trips;
        out.running[size_t(m)] = capped;
        out.month[size_t(m)] = capped - (m > 1 ? out.running[size_t(m - 1)] : 0.0);
    }
    return out;
}

std::array<std::array<QString, 15>, 13> lines(const std::array<MonthTotals, 13>& months,
                                              bool withConsumption) {
    std::array<std::array<QString, 15>, 13> out;
    const QString zero = numbers::grouped(0, 12, 2);
    for (auto& line : out)
        line.fill(zero);
    const Counted counted = countedCosts(months);
    double trips = 0;
    double costs = 0;
    qint64 km = 0;
    double fuel = 0;
    double litres = 0;
    for (int m = 1; m <= 12; ++m) {
        const MonthTotals& t = months[size_t(m)];
        auto& line = out[size_t(m)];
        trips += t.tripValue;
        costs += t.costValue;
        km += t.tripKm;
        fuel += t.fuelValue;
        litres += t.fuelLitres;
        if (t.hasTrips) {
            line[1] = numbers::grouped(t.tripValue, 8, 2);
            line[7] = numbers::grouped(double(t.tripKm), 12, 0);
        }
        line[2] = numbers::grouped(trips, t.hasTrips ? 8 : 12, 2);
        if (t.hasCosts) {
            line[3] = numbers::grouped(t.costValue, 12, 2);
            line[9] = numbers::grouped(t.fuelValue, 12, 2);
            line[11] = numbers::grouped(t.fuelLitres, 12, 2);
        }
        line[4] = numbers::grouped(costs, 12, 2);
        if (m == 1) {
            line[5] = numbers::general(counted.running[1]);
            line[6] = numbers::general(counted.running[1]);
        } else {
            line[5] = numbers::grouped(counted.month[size_t(m)], 10, 2);
            line[6] = numbers::grouped(counted.running[size_t(m)], 10, 2);
        }
        line[8] = numbers::grouped(double(km), t.hasTrips ? 12 : 8, 0);
        line[10] = numbers::grouped(fuel, 12, 2);
        line[12] = numbers::grouped(litres, 12, 2);
        line[13] = numbers::grouped(t.vat, 12, 2);
        if (withConsumption)
            line[14] = numbers::general(t.consumption);
    }
    return out;
}

double consumption(const std::vector<FuelRow>& rows) {
    double litres = 0;
    qint64 km = 0;
    for (const FuelRow& row : rows) {
        const QString text = row.km.trimmed();
        if (text.isEmpty())
            continue;
        if (!row.litres.isNull())
            litres += row.litres.toDouble();
        if (numbers::isInteger(text))
            km += numbers::parseInteger(text);
    }
    if (km == 0)
        return 0.0;
    return ZaokraglijDoGroszy(litres * 100.0 / double(km));
}

std::array<MonthTotals, 13> monthTotals(const std::vector<TripRow>& trips, const std::vector<CostRow>& costs,
                                        int year, bool withConsumption) {
    std::array<MonthTotals, 13> months{};
    for (const TripRow& row : trips) {
        if (row.year != year || row.month < 1 || row.month > 12)
            continue;
        MonthTotals& t = months[size_t(row.month)];
        if (t.hasTrips)
            continue; // the month's first row carries its totals
        t.hasTrips = true;
        t.tripValue = row.valueTotal;
        t.tripKm = row.kmTotal;
    }
    std::array<std::vector<FuelRow>, 13> fuel;
    for (const CostRow& row : costs) {
        if (row.year != year || row.month < 1 || row.month > 12)
            continue;
        MonthTotals& t = months[size_t(row.month)];
        t.vat = ZaokraglijDoGroszy(t.vat + row.countedVat);
        if (row.fuel)
            fuel[size_t(row.month)].push_back(row.fuelRow);
        if (t.hasCosts)
            continue;
        t.hasCosts = true;
        t.costValue = row.valueTotal;
        t.fuelValue = row.fuelValueTotal;
        t.fuelLitres = row.fuelLitresTotal;
    }
    if (withConsumption) {
        for (int m = 1; m <= 12; ++m)
            months[size_t(m)].consumption = consumption(fuel[size_t(m)]);
    }
    return months;
}

} // namespace tarlok::summary
