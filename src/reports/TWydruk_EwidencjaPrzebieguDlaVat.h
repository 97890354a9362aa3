#pragma once

#include "ReportForm.h"

namespace tarlok {

// The trip register of a vehicle for VAT purposes (report 3 of the print window): the taxpayer, the
// registration, the first and last day of the register with the odometer at both, every trip with
// its number, date, route, purpose, kilometres and driver, the total kilometres, and the taxpayer's
// confirmation of the entries with places for the date and the signature.
class TWydruk_EwidencjaPrzebieguDlaVat : public ReportForm {
    Q_OBJECT

public:
    TWydruk_EwidencjaPrzebieguDlaVat(Database& database, Table& vehicles);

    Table* const Table1Przejazdy;

    // What the taxpayer line shows when the owner data are not all filled.
    static const QString kTaxpayerLayoutText;
    // The taxpayer's confirmation of the entries; %1 is the period ("miesiąc Luty 2008 roku").
    static const QString kConfirmation;
    // The month as the confirmation names it ("miesiąc Luty 2008 roku"): the log is kept month by month.
    static QString confirmationPeriod(int year, int month);
};

} // namespace tarlok
