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

// A trip row as the summary reads it: its period and the month totals stored on it.
struct TripRow {
    int year = 0;
    int month = 0;
    double valueTotal = 0; // WartoscSuma
    qint64 kmTotal = 0;    // KilometrySuma
};

// A cost row as the summary reads it: its period, the month totals stored on it, the VAT it counted
// into costs and its fuel figures.
struct CostRow {
    int year = 0;
    int month = 0;
    double valueTotal = 0;      // WartoscSuma
    double fuelValueTotal = 0;  // SumaWartPaliwo
    double fuelLitresTotal = 0; // SumaIloscPaliwo
    double countedVat = 0;      // Pom2
    bool fuel = false;          // CzyPaliwo
    FuelRow fuelRow;            // IloscPaliwa and Pom1
};

// The month totals of one year from a vehicle's trip and cost rows (each in the register's order):
// a month's totals are those stored on its first row; its VAT is the counted VAT of all its costs;
// its consumption (only `withConsumption`) that of its fuel costs.
std::array<MonthTotals, 13> monthTotals(const std::vector<TripRow>& trips, const std::vector<CostRow>& costs,
                                        int year, bool withConsumption);

} // namespace tarlok::summary
