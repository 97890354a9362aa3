#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

#include <array>
#include <optional>

// The warnings of the deadlines window and the figures of its save, as plain functions: which colour
// a date picker, a row of the deadlines grid or a vehicle row takes, whether the service alarm shows,
// and the costs a save stores.
namespace tarlok::deadlines {

// The eight kinds of deadline, in the order every check walks them.
enum Kind { OC, AC, PrzegTech, PrzegGwar, Naprawa, Wymiana, Dokument, Inny, KindCount };
// The ten date slots: OC and AC each with instalments I and II, then one for each other kind.
enum Slot {
    SlotOC,
    SlotOC2,
    SlotAC,
    SlotAC2,
    SlotTech,
    SlotGwar,
    SlotNaprawa,
    SlotWymiana,
    SlotDokument,
    SlotInny,
    SlotCount
};
// The kind a slot belongs to.
Kind kindOf(Slot slot);

// A text colour of a grid row; Normal is the grid's own colour.
enum class TextColour { Normal, White, Black, Red, Gray };

// --- date pickers ---

// How the picker of a watched deadline warns: due (red) from `daysAfter` days before today up to
// `daysBefore` days after it, both ends included; past (gray) before that, an empty date too; ahead
// (white) after it.
enum class PickerWarning { Due, Past, Ahead };
PickerWarning pickerWarning(const QDate& deadline, const QDate& today, int daysBefore, int daysAfter);

// --- rows of the deadlines grid ---

// What the grid colouring reads of one deadlines row.
struct DeadlineRow {
    std::array<bool, KindCount> watched{};
    std::array<QDate, SlotCount> dates{}; // an invalid date is an empty one
};

// The text colour of a row of the deadlines grid: white when selected; otherwise each watched kind in
// turn (the kinds after OC only while the row is not yet red) makes it red for a date from
// `endOfInforming` days before today up to daysBefore - daysAfter days after it, or gray for a date
// before that (an empty one too); the second instalment of OC and AC is looked at after the first,
// also when the first made the row red.
TextColour rowColour(const DeadlineRow& row, const QDate& today, int daysBefore, int daysAfter,
                     int endOfInforming, bool selected);

// The text colour of a vehicle row: white when selected, red for a vehicle not in use, black for one in
// use, the grid's own colour when "in use" is empty.
TextColour vehicleColour(const QVariant& used, bool selected);

// --- the service alarm ---

struct ServiceAlarm {
    enum class Level { None, Yellow, Red };
    Level level = Level::None;
    qint64 remaining = 0; // kilometres to the service; zero or less once it is due
};

// The alarm for the current odometer `reading` against the reading `dueAt` of the next service, warned
// `before` km ahead and `after` km past it: yellow from dueAt - before, red from dueAt up to
// dueAt + after, yellow again beyond that. Without a reading or a service reading it is silent.
ServiceAlarm serviceAlarm(std::optional<qint64> reading, std::optional<qint64> dueAt, qint64 before,
                          qint64 after);

// --- costs ---

// The total of a cost paid in two instalments: their sum when both are there, the one that is there,
// 0 when neither is.
double instalmentTotal(const QVariant& first, const QVariant& second);
// An amount as the window shows a total: exact, with two decimals and the locale's separators.
QString amountText(double amount);

// The costs of a row as its save stores them.
struct RowCosts {
    double ac = 0, oc = 0, acII = 0, ocII = 0;
    qint64 nw = 0; // in whole zloty
    double tech = 0, gwar = 0, napraw = 0;
};
// Each amount rounded to the grosz and `additional` added to the repairs.
RowCosts savedCosts(const RowCosts& typed, double additional);
// The total of the eight costs, rounded to the grosz.
double totalCost(const RowCosts& costs);

} // namespace tarlok::deadlines
