#pragma once

#include "DeadlineWarnings.h"

#include <QString>
#include <QtGlobal>

// What the deadlines window's "Zapisz" computes, without a window: the year checked, the additional
// cost read, the eight costs as stored and their total.
namespace tarlok::deadlines {

// What the save reads of the window: the two boxes as typed and the costs the row holds.
struct SaveInput {
    QString yearText;       // "Rok podatkowy"
    QString additionalText; // "Koszt dodatkowy:"; empty for none
    RowCosts typed;         // the eight costs of the row, as typed
    int currentYear = 0;    // the example the year's refusal gives
};

// What the save writes, or why it writes nothing.
struct SaveResult {
    // The box the refusal is about; None when the save goes ahead.
    enum class Refused { None, Year, Additional };
    Refused refused = Refused::None;
    QString refusal; // the text shown under "Błąd"
    qint64 year = 0;
    RowCosts costs;
    double total = 0;
    bool additionalTaken = false; // an additional cost was typed: its box shows 0 after the save
};

// The year must be a whole number from 1900 to 2999 and the additional cost a number (or nothing); the
// additional cost goes to the repairs, each cost is rounded to the grosz and the total is their sum.
SaveResult saveFigures(const SaveInput& input);

} // namespace tarlok::deadlines
