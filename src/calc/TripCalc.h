#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <vector>

// The figures of the mileage register: the amount of a trip, the running totals that every save
// rewrites over a month and a year, and the texts of the sums under the trips grid.
namespace tarlok::trips {

// The amount of a trip: the rate per kilometre times the kilometres, rounded to the grosz.
double amount(double rate, qint64 km);

// One trip as the running totals read it. Trips are given in the order of the register (by date,
// then in the order they were entered).
struct TripFigures {
    int year = 0;
    int month = 0;
    qint64 km = 0;
    double value = 0.0;
};

// What the month pass writes into one trip.
struct MonthFigures {
    qint64 kmRunning = 0;      // Kilometry_Narastajaca
    double valueRunning = 0.0; // Wartosc_Narastajaco
    qint64 kmTotal = 0;        // KilometrySuma
    double valueTotal = 0.0;   // WartoscSuma
    bool lastOfMonth = false;  // the month's last trip carries the month's kilometres
};

// The running totals within each month: they start again with every month (year and month) met in
// the list, and every trip of a month carries that month's totals. Amounts are kept to the grosz.
std::vector<MonthFigures> monthPass(const std::vector<TripFigures>& trips);

// What the year pass writes into one trip: Kilometry_NarastajacaRok, Wartosc_NarastajacoRok.
struct RunningFigures {
    qint64 km = 0;
    double value = 0.0;
};

// The running totals from January: they start again with every year met in the list.
std::vector<RunningFigures> yearPass(const std::vector<TripFigures>& trips);

// The totals of one month of a vehicle (a month without trips has zeros).
struct MonthTotal {
    qint64 km = 0;
    double value = 0.0;
};
// The month totals of one year by month number, [1..12]; [0] is not used.
using YearTotals = std::array<MonthTotal, 13>;

// The texts of the sum grid, [row][column]: column 0 the kilometres, column 1 the values; row 0 the
// months before the chosen one, row 1 the chosen month (or the whole year for month 0, "Wszystko"),
// row 2 both together. Cells that the chosen month leaves unused read "0".
using SumGrid = std::array<std::array<QString, 2>, 3>;
SumGrid sumGrid(int month, const YearTotals& totals);

} // namespace tarlok::trips
