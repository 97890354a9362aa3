#pragma once

#include "ReportForm.h"

namespace tarlok {

// The statement of a vehicle's bills for a month with the amount that may be booked as costs
// (report 2 of the print window).
class TWydruk_Rachunkow : public ReportForm {
    Q_OBJECT

public:
    TWydruk_Rachunkow(Database& database, Table& vehicles);

    Table* const TableKoszty1;

    // The amount labels of the summary, in the order of its lines 2 to 7.
    static QStringList amountLabels();
};

} // namespace tarlok
