#pragma once

#include <array>

// The car costs that may be booked as costs in a month: from January on, the costs counted so far never
// exceed the amount of the trip register (kilometres x rate) so far.
namespace tarlok::deductible {

struct Figures {
    double before = 0;     // costs of the months before the month
    double costs = 0;      // costs from January to the month inclusive
    double trips = 0;      // trip amounts from January to the month inclusive
    double cap = 0;        // the smaller of costs and trips
    double capBefore = 0;  // the same for the months before the month
    double deductible = 0; // what the month may book: cap - capBefore
};

// `costs[k]` and `trips[k]` are the totals of month k = 1..12 (index 0 unused); `month` is 1..12, or 0
// for the whole year, which gives zero in every figure.
Figures figures(const std::array<double, 13>& costs, const std::array<double, 13>& trips, int month);

} // namespace tarlok::deductible
