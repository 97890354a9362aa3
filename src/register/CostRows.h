#pragma once

#include "calc/CostCalc.h"

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

namespace tarlok {

class Table;

// The costs as the passes and the sums read them from the rows of a table, and the passes' values
// written back into those rows.
namespace costrows {

// The field of the current row; nothing when it is empty.
std::optional<double> optionalFloat(const Table& t, const QString& field);
std::optional<qint64> optionalInteger(const Table& t, const QString& field);

// The current vehicle's costs of `year`, in date order, as stored: the rows of the costs table's range,
// read without touching its filter, its cursor or a pending cost.
std::vector<costs::CostRow> vehicleCosts(const Table& costTable, int year);

// The fuel figures of the costs in view (the grid's rows), a cost not yet saved left out.
std::vector<costs::FuelEntry> fuelEntriesInView(const Table& t);

// Rewrites the stored values of the costs of `year` in the range of `t`, which must be one vehicle's,
// by `passes`: the month and fuel passes over the months from..to, the year pass over the whole year.
void writePasses(Table& t, int year, int fromMonth, int toMonth, costs::Passes passes);

} // namespace costrows

} // namespace tarlok
