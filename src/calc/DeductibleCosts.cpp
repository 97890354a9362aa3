#include "DeductibleCosts.h"

#include <cstddef>

namespace tarlok::deductible {

namespace {

// The smaller of the two; b when a is greater.
double smaller(double a, double b) {
    return a > b ? b : a;
}

} // namespace

Figures figures(const std::array<double, 13>& costs, const std::array<double, 13>& trips, int month) {
    Figures f;
    if (month < 1 || month > 12)
        return f;
    double tripsBefore = 0;
    for (int k = 1; k < month; ++k) {
        f.before += costs[std::size_t(k)];
        tripsBefore += trips[std::size_t(k)];
    }
    f.capBefore = month == 1 ? 0.0 : smaller(f.before, tripsBefore);
    f.costs = f.before + costs[std::size_t(month)];
    f.trips = tripsBefore + trips[std::size_t(month)];
    f.cap = smaller(f.costs, f.trips);
    f.deductible = f.cap - f.capBefore;
    return f;
}

} // namespace tarlok::deductible
