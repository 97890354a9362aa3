#pragma once

#include "calc/CostCalc.h"

#include <QDate>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace tarlok {

class Database;

// Trips or costs read from a CSV file in the form the export writes (its header names; semicolons,
// Polish numbers, UTF-8 with or without a byte-order mark), each line checked by the rules a typed trip
// or cost passes, then stored all together. The vehicle of a line is named by its registration in a
// column "Nr rejestracyjny"; a file without that column (as the export writes it) belongs to the
// register's current vehicle. The columns the register computes (running values, the VAT split's
// remaining amounts, fuel sums) are computed again, not read.
namespace registerimport {

enum class What { Trips, Costs };

// The column naming a line's vehicle, beside the export's columns.
inline constexpr QStringView kRegistrationColumn = u"Nr rejestracyjny";

// What a line is checked against.
struct Vehicle {
    qint64 number = 0; // NrKol_Pojazdu
    QString registration;
    QString name; // Nazwa_Poj, copied into the row as a typed save does
    bool inUse = false;
    qint64 capacity = 0;
};
struct Known {
    std::vector<Vehicle> vehicles;
    std::optional<qint64> current;         // the register's vehicle, for a file without registrations
    std::set<std::pair<int, int>> periods; // the opened periods (year, month)
    double rateUpTo900 = 0;                // the rates a new trip is given by the engine capacity
    double rateAbove900 = 0;
    QSet<QString> fuelKinds; // the expense kinds that are fuel, in lower case
};

enum class Verdict { Accepted, Duplicate, Refused };

struct Trip {
    QString route, purpose, firstName, lastName;
    qint64 start = 0, end = 0, km = 0;
    double rate = 0, value = 0;
};
struct Cost {
    QString document, kind;
    double value = 0; // as stored: the net value and the VAT counted into costs
    std::optional<qint64> vatRate;
    std::optional<costs::VatSplit> split;
    bool fuel = false;
    std::optional<double> litres;
};

struct Line {
    int number = 0; // of the file's line the row starts on
    Verdict verdict = Verdict::Refused;
    QString reason;    // why it is refused
    bool take = false; // stored by the import: every accepted line, a duplicate once ticked
    const Vehicle* vehicle = nullptr;
    QDate date;
    Trip trip;
    Cost cost;
};

struct Preview {
    What what = What::Trips;
    QString fileError; // the whole file cannot be read: no line is
    std::vector<Line> lines;
    int count(Verdict verdict) const;
    int taken() const;
};

// Reads the file's text (decoded) and checks every line against `known`. `known` must outlive the
// preview (the lines point at its vehicles).
Preview check(What what, const QString& text, const Known& known);

// A key of a line or a stored row for the duplicates: vehicle, date, route and kilometres of a trip,
// vehicle, date, document number and value of a cost.
QString tripKey(qint64 vehicle, const QDate& date, const QString& route, qint64 km);
QString costKey(qint64 vehicle, const QDate& date, const QString& document, double value);
// Marks the accepted lines whose key is among the stored rows' as duplicates, not taken.
void markDuplicates(Preview& preview, const QSet<QString>& stored);

// --- the data folder ---

// The vehicles, periods, rates and fuel kinds of the data folder (alias "dane_poj"), read through
// tables of their own.
Known readKnown(Database& database, std::optional<qint64> currentVehicle);
// The keys of the stored trips or costs of the vehicles the preview's lines name.
QSet<QString> storedKeys(Database& database, const Preview& preview);

// Stores the lines taken into the trips or the costs file in one transaction, and inside it runs
// `recompute(vehicle, year)` once for every vehicle and year they fall in (the register's passes,
// which rewrite the running values and totals of every month of that year). `stored` is told of each
// row written. A failure leaves the file as it was. Gives the vehicles and years written.
std::set<std::pair<qint64, int>> store(Database& database, const Preview& preview,
                                       const std::function<void(qint64, int)>& recompute,
                                       const std::function<void(int)>& stored = {});

// After the trips: the current odometer of each vehicle (the final reading of its latest trip), in one
// transaction on the vehicles file. A vehicle whose odometer already reads so is not written.
void updateOdometers(Database& database, const std::set<qint64>& vehicles);

} // namespace registerimport

} // namespace tarlok
