#pragma once

#include <QFlags>
#include <QString>
#include <QtGlobal>

#include <array>
#include <optional>
#include <utility>
#include <vector>

// The calculations of the costs tab: the VAT split of a cost, its odometer and kilometres, the fuel
// consumption and the running values and totals of a vehicle's costs. Plain functions, no tables.
namespace tarlok::costs {

// --- the VAT split ---

// The percentage of the VAT counted into costs for the automatic choices "0%", "50 %", "100%"
// (item 0, 1, 2); any other item counts as "50 %", the initial choice.
int autoCountedPercent(int choice);
// The item of the automatic choice for a stored percentage: 0 -> 0, 50 -> 1, 100 -> 2; none for any
// other percentage (it is shown in manual mode).
std::optional<int> autoChoiceOf(qint64 percent);
// A percentage typed in manual mode: a whole number from 0 to 100; none for anything else.
std::optional<int> manualCountedPercent(const QString& text);

// The amounts a save stores for a cost with a VAT rate.
struct VatSplit {
    double gross = 0;      // net + full VAT, rounded to the grosz
    double fullVat = 0;    // net x rate / 100, unrounded
    double counted = 0;    // the VAT counted into costs, rounded
    double notCounted = 0; // the VAT not counted into costs, rounded
    double value = 0;      // net + counted VAT, rounded: the cost's value
    int countedPercent = 0;
};
// Splits the VAT of a net value at `ratePercent` by the counted percentage.
VatSplit splitVat(double net, qint64 ratePercent, int countedPercent);

// The net value of a saved cost: its value less the counted VAT (VatZaliczony, or Pom2 where that is
// empty), rounded to the grosz.
double netOfSaved(double value, std::optional<double> counted, std::optional<double> pom2);

// What "VAT niezaliczony" shows for a selected cost: nothing without a VAT rate (or with rate 0); the
// stored VAT not counted when there is one; otherwise the full VAT when nothing was counted (Pom2
// empty or 0), 0 when the choice is "100%" (item 2), else Pom2.
std::optional<double> shownNotCountedVat(double value, std::optional<qint64> ratePercent,
                                         std::optional<double> pom2, std::optional<double> storedNotCounted,
                                         int choice);

// The calculated gross value of a row with a VAT rate and Pom2, by the VAT choice (item 0, 1, 2).
double calculatedGross(double value, qint64 ratePercent, double pom2, int choice);

// --- kilometres and fuel ---

// A kilometre or odometer text read as a whole number; none when empty or not a whole number.
std::optional<qint64> wholeNumber(const QString& text);

// The odometer fields of a fuel cost after a save.
struct Odometer {
    std::optional<qint64> before; // StanLicznikaPrzed
    std::optional<qint64> after;  // StanLicznikaPo
    std::optional<qint64> km;     // IloscPrzejKilometrow
    QString kmText;               // Pom1
};
// "Stan licznika": the final reading typed (empty: the stored one stays) gives the kilometres from the
// starting reading when both readings are known. Throws ConversionError for a final reading that is
// no whole number.
Odometer fromFinalReading(const Odometer& current, const QString& finalText);
// "ilość km": with both the kilometres and the final reading typed, the starting reading is the final
// one less the kilometres; otherwise nothing changes. Throws ConversionError for texts that are no
// whole numbers.
Odometer fromKilometres(const Odometer& current, const QString& kmText, const QString& finalText);

// Litres per 100 km, rounded to 0.01; none when `km` is 0.
std::optional<double> consumption(double litres, qint64 km);

struct FuelEntry {
    bool fuel = false;
    std::optional<double> litres;
    QString kmText; // Pom1
};
// The average consumption of the fuel costs: litres of the rows with both litres and kilometres,
// kilometres of every row with kilometres; none when the kilometres add up to 0. A kilometre text that
// is no whole number counts as none.
std::optional<double> averageConsumption(const std::vector<FuelEntry>& entries);

// --- running values and totals ---

struct CostRow {
    int year = 0;
    int month = 0;
    double value = 0; // Wartosc
    bool fuel = false;
    double litres = 0;                // IloscPaliwa
    double counted = 0;               // Pom2
    std::optional<double> monthTotal; // WartoscSuma as stored
};

struct CostTotals {
    double monthRunning = 0; // Wartosc_Narastajaca
    double monthTotal = 0;   // WartoscSuma
    double yearRunning = 0;  // Wartosc_NarastajacaRok
    double fuelValue = 0;    // SumaWartPaliwo
    double fuelLitres = 0;   // SumaIloscPaliwo
};

// The running values and totals of every row, the rows being one vehicle's costs in date order:
// within each month (year and month) the running value and the total; within each year the running
// value from January; within each month the value and litres of the fuel costs.
std::vector<CostTotals> runningTotals(const std::vector<CostRow>& rows);

// A month's stored total: the WartoscSuma of the first row of that year and month (0 when it has none
// or there is no such row).
double storedMonthTotal(const std::vector<CostRow>& rows, int year, int month);
// The VAT counted into costs (Pom2) of the rows of a year and month.
double countedVatOfMonth(const std::vector<CostRow>& rows, int year, int month);

// The passes that rewrite the stored values of a vehicle's costs: the month running values and month
// totals, the fuel totals of the month, and the running values of the whole year.
enum class Pass { Month = 1, Fuel = 2, Year = 4 };
Q_DECLARE_FLAGS(Passes, Pass)

// The fields the passes write into one cost and their values: the month and fuel passes only for a
// cost whose month lies in the months they cover (`inRange`), the year pass for every cost.
std::vector<std::pair<QString, double>> passValues(const CostTotals& totals, bool inRange, Passes passes);

// --- the sums under the costs grid ---

// The texts of the one column of a sum grid, by row: row 0 the months before the chosen one, row 1 the
// chosen month (or the whole year for month 0, "Wszystko"), row 2 both together. Cells that the
// chosen month leaves unused read "0".
using SumColumn = std::array<QString, 3>;

// The value sums of a year by the stored month totals (the first row of each month).
SumColumn costSums(int month, int year, const std::vector<CostRow>& rows);

// The sums of the VAT counted into costs: the months 1..month (all twelve for month 0) each with its
// own sum, the later months 0, and the texts of the grid (month 0 and 1 show the sum in row 1 alone).
struct VatSums {
    std::array<double, 13> monthly{}; // [1..12]
    SumColumn texts;
};
VatSums vatSums(int month, int year, const std::vector<CostRow>& rows);

} // namespace tarlok::costs

Q_DECLARE_OPERATORS_FOR_FLAGS(tarlok::costs::Passes)
