#pragma once

#include "ReportForm.h"

namespace tarlok {

// The trip register of a vehicle for a month (report 0 of the print window).
class TWydruk_Ewidencja : public ReportForm {
    Q_OBJECT

public:
    TWydruk_Ewidencja(Database& database, Table& vehicles);

    Table* const TablePrzejazdy1;

    // The size of the detail band and its data fields: 8 points with "Zwiększ czcionkę wydruku
    // danych", 7 without.
    void setDataPointSize(double points);
};

} // namespace tarlok
