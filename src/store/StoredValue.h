#pragma once

#include "TableDef.h"

#include <QVariant>

namespace tarlok {

namespace sqlite {
class Statement;
}

// The value of a result column as the tables give it for a field of `type`: whole numbers for integer
// fields (a real rounded to one), reals for amounts, booleans for logical fields, dates and times
// parsed, texts as they stand. A null, an empty text or an unreadable date gives a null value.
QVariant storedValue(const sqlite::Statement& st, int column, FieldType type);

} // namespace tarlok
