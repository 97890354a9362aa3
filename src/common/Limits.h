#pragma once

#include <QString>
#include <QtGlobal>

#include <initializer_list>
#include <utility>

// The largest figures the registers accept: a number beyond them is a typing slip (a key held down, a
// pasted account number), never a rate, a distance or an odometer reading, and stored it would spoil
// every running total after it.
namespace tarlok::limits {

enum class Quantity {
    Rate,     // zloty per kilometre, 0 to 100
    Distance, // kilometres of a trip, a route, a service interval or a monthly limit, 0 to 99 999
    Odometer, // an odometer reading in kilometres, 0 to 9 999 999
};

// The message refusing `value` as that quantity; an empty text when it may be one.
QString refusal(Quantity quantity, double value);
// The refusal of the first figure out of its range; an empty text when every one may be what it is.
QString refusal(std::initializer_list<std::pair<Quantity, double>> figures);

} // namespace tarlok::limits
