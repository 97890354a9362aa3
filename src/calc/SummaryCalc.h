#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <vector>

// The figures of the yearly summary of a vehicle, computed from the month totals.
namespace tarlok::summary {

struct MonthTotals {
    bool hasTrips = false;
    bool hasCosts = false;
    double tripValue = 0;  // WartoscSuma of the month's trips
    qint64 tripKm = 0;     // KilometrySuma
    double costValue = 0;  // WartoscSuma of the month's costs
    double fuelValue = 0;  // SumaWartPaliwo
    double fuelLitres = 0; // SumaIloscPaliwo
    double vat = 0;        // VAT counted into costs
    double consumption = 0;
};

// The texts of columns 1..14 for months 1..12 (index 0 unused). Cells of a month without trips or
// costs keep "0,00"; running values are written for every month. The counted costs never exceed,
// cumulatively, the value of the trips.
std::array<std::array<QString, 15>, 13> lines(const std::array<MonthTotals, 13>& months,
                                              bool withConsumption);

// The counted costs of each month and their running value: Z[m] = min(K[m], T[m]) of the running
// costs K and running trip values T; the month shows Z[m] - Z[m-1].
struct Counted {
    std::array<double, 13> month{};
    std::array<double, 13> running{};
};
Counted countedCosts(const std::array<MonthTotals, 13>& months);

// A fuel cost of a month: its litres and its kilometres as typed (text).
struct FuelRow {
    QVariant litres;
    QString km;
};
// Litres per 100 km: the litres of the rows that have both litres and km over the km of the rows that
// have km, rounded to the grosz; 0 without km.
double consumption(const std::vector<FuelRow>& rows);

} // namespace tarlok::summary
