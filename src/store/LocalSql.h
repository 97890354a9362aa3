#pragma once

#include "TableDef.h"

#include <QString>
#include <vector>

namespace tarlok {

// The one statement form of the local SQL dialect:
//   Alter Table Przejazdy Add Imie Char(20), Add Nazwisko Char(35), Add StanLicznika Integer ...
// with the types Char(n), Integer, Numeric, Boolean and Date.
struct AlterStatement {
    QString table;
    std::vector<FieldDef> added;
};

// Throws EngineError with the offending text when the statement is not of that form.
AlterStatement parseAlterTable(const QString& sql);

} // namespace tarlok
