#pragma once

#include "TableDef.h"

#include <vector>

// The definitions of the program's thirteen tables: fields in physical order with type and width,
// indexes with names and options. Creation, the windows' field checks and the tests all use these.
namespace tarlok::tables {

const TableDef& pojazdy();    // vehicles
const TableDef& przejazdy();  // trips
const TableDef& koszty();     // costs
const TableDef& wydatki();    // expense kinds
const TableDef& celWyj();     // trip purposes
const TableDef& trasy();      // routes
const TableDef& stawki();     // per-kilometre rates
const TableDef& okresy();     // accounting periods
const TableDef& kierowcy();   // drivers
const TableDef& wlasciciel(); // owner and taxpayer
const TableDef& parametry();  // schema flags
const TableDef& terminy();    // deadlines
const TableDef& ryczalt();    // lump sums

// The eight tables of an installed data folder, created empty with their base fields on a new
// installation.
const std::vector<const TableDef*>& installed();
// All thirteen.
const std::vector<const TableDef*>& all();

} // namespace tarlok::tables
