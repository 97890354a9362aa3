#pragma once

#include <QList>
#include <QStringList>

namespace tarlok {

class Table;

// The periods the register's year and month lists offer, read from the periods table (its cursor is
// moved).

// The names of the months opened in `year`, in the order of the periods table.
QStringList monthNamesOf(Table& periods, int year);

// The years with periods within 25 years before `today`'s year and 24 after it, in order.
QList<int> periodYears(Table& periods, int today);

} // namespace tarlok
