#pragma once

#include "CostCalc.h"

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <optional>

// The checks a trip save and a cost save make, in the order they make them. Each takes what was
// entered and gives the refusal to show, if any; the window shows it and decides, by the check that
// refused, whether the pending row stays or is cancelled.
namespace tarlok::checks {

// A refused save: the message, its caption (empty for a plain message) and the check that refused.
template <class Check> struct Refusal {
    Check check;
    QString message;
    QString caption;
};

} // namespace tarlok::checks

namespace tarlok::trips {

enum class SaveCheck {
    NothingStarted, // no trip pending
    Vehicle,        // the current vehicle can take no trip (being entered, or without a number)
    NoNewTrip,      // no rate and no "Nowy przejazd"
    Incomplete,     // date, route, purpose, rate, starting reading or distance missing
    NoVehicle,      // no vehicle at all
    WrongMonth,     // the date is not in the month of the period
    WrongYear,      // the date is not in the year of the period
    Negative,       // the final reading below the starting one, or negative kilometres
    BeyondLimits,   // a rate, reading or distance out of its range
};
using SaveRefusal = checks::Refusal<SaveCheck>;

// "Wprowadź najpierw jakiś pojazd": no vehicle to take a trip.
QString noVehicleText();

// What the save knows before the typed texts go into the trip.
struct SaveStart {
    bool editing = false;   // a trip is pending: inserted or edited
    QString vehicleRefusal; // why the current vehicle can take no trip; empty when it can
    bool inserting = false;
    bool newTripStarted = false; // "Nowy przejazd" started the pending trip
    bool rateEmpty = false;      // the rate box is empty
};
std::optional<SaveRefusal> startRefusal(const SaveStart& start);

// The trip as entered, once what was typed is in the record. Empty numbers read as 0.
struct TripEntry {
    QString route;
    QString purpose;
    std::optional<qint64> start; // the starting reading
    qint64 finalReading = 0;
    qint64 km = 0;
    bool byFinalReading = true; // "Co podajemy": the final reading is given, else the kilometres
    QDate date;                 // the picker's date
    bool rateEmpty = false;     // the rate box is empty
    double rate = 0;            // the rate the trip is saved with
    bool hasVehicle = false;    // there is a current vehicle
    int periodYear = 0;
    int periodMonth = 0;
};
// The kilometres of the trip: the final reading less the starting one, or the kilometres typed.
qint64 distance(const TripEntry& trip);
std::optional<SaveRefusal> entryRefusal(const TripEntry& trip);

} // namespace tarlok::trips

namespace tarlok::costs {

enum class SaveCheck {
    NothingStarted, // no cost pending
    NoNewCost,      // neither "Nowy koszt" nor "Edytuj koszt" started the pending cost
    Vehicle,        // the current vehicle can take no cost (being entered, or without a number)
    BadPercent,     // the typed percentage of counted VAT is no whole number from 0 to 100
    BeyondLimits,   // a reading or distance out of its range
    Incomplete,     // date, kind, document number or value missing
};
using SaveRefusal = checks::Refusal<SaveCheck>;

// What the save knows before the typed texts go into the cost.
struct SaveStart {
    bool editing = false;        // a cost is pending: inserted or edited
    bool newCostStarted = false; // "Nowy koszt" or "Edytuj koszt" started it
    QString vehicleRefusal;      // why the current vehicle can take no cost; empty when it can
};
std::optional<SaveRefusal> startRefusal(const SaveStart& start);

// The cost as entered, once what was typed is in the record.
struct CostEntry {
    std::optional<qint64> rate; // the VAT rate of the kind (Pom3)
    std::optional<double> net;  // the value typed (Wartosc)
    bool manual = false;        // "Przeliczanie VAT-u" is manual: the percentage is typed
    QString percentText;        // the typed percentage of counted VAT
    int autoChoice = 1;         // the automatic choice "0%", "50 %", "100%" (item 0, 1, 2)
    bool fuel = false;          // CzyPaliwo
    bool byKilometres = false;  // "Co podajemy": the kilometres are given, else the final reading
    Odometer current;           // the odometer fields as stored in the record (kmText = Pom1)
    QString finalText;          // the final reading typed (Uwagi)
    QString documentNumber;
    QString kind; // the expense kind's box
    QDate date;   // the picker's date
};

// What the save goes on with, or why it stops.
struct CostSave {
    std::optional<SaveRefusal> refusal;
    std::optional<VatSplit> split;    // for a cost with a VAT rate and a value
    std::optional<Odometer> odometer; // for such a cost that is fuel
    double value = 0;                 // the value the cost is saved with
};
// Throws ConversionError for a kilometre or final reading text that is no whole number.
CostSave checkCost(const CostEntry& cost);

} // namespace tarlok::costs
