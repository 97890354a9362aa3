#pragma once

#include "ReportForm.h"

namespace tarlok {

// The statement of a vehicle's costs for a month (report 1 of the print window).
class TWydruk_Koszty : public ReportForm {
    Q_OBJECT

public:
    TWydruk_Koszty(Database& database, Table& vehicles);

    Table* const TableKoszty1;
};

} // namespace tarlok
