#include "RegisterPeriods.h"

#include "common/Months.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <algorithm>

namespace tarlok {

namespace {

namespace O = fields::okresy;

} // namespace

QStringList monthNamesOf(Table& periods, int year) {
    QStringList names;
    for (periods.first(); !periods.eof(); periods.next()) {
        if (!periods.isNull(O::Rok) && periods.asInteger(O::Rok) == year)
            names.append(months::name(int(periods.asInteger(O::Miesiac))));
    }
    return names;
}

QList<int> periodYears(Table& periods, int today) {
    QList<int> years;
    for (periods.first(); !periods.eof(); periods.next()) {
        const int year = int(periods.asInteger(O::Rok));
        if (year >= today - 25 && year <= today + 24 && !periods.isNull(O::Rok) && !years.contains(year))
            years.append(year);
    }
    std::sort(years.begin(), years.end());
    return years;
}

} // namespace tarlok
