#pragma once

#include <QString>

class QLabel;

// The row labels at the left of the sum grids under the trips and costs grids, by month index
// (1..12 a month, 0 "Wszystko").
namespace tarlok::sums {

struct SumLabels {
    QString toMonth;  // row 0: "Suma do Marca"
    QString forMonth; // row 1: "Suma za Marzec", "Suma za Rok"
    QString total;    // row 2: "Razem"
    bool toMonthVisible = false;
    bool totalVisible = false;
};

// January: rows 0 and 2 hidden, row 1 "Suma za Styczeń". February to December: "Suma do " + the
// month's genitive, "Suma za " + its name, "Razem", all three shown. "Wszystko" (and any index
// outside 1..12): rows 0 and 2 hidden, row 1 "Suma za Rok". Hidden rows carry no text.
SumLabels sumLabels(int month);

// Sets the three labels by sumLabels(month): a hidden label keeps its text.
void applySumLabels(QLabel* toMonth, QLabel* forMonth, QLabel* total, int month);

} // namespace tarlok::sums
