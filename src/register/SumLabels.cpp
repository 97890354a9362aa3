#include "SumLabels.h"

#include "common/Months.h"

#include <QLabel>

namespace tarlok::sums {

SumLabels sumLabels(int month) {
    SumLabels labels;
    if (month == 1) {
        labels.forMonth = QStringLiteral("Suma za ") + months::name(1);
    } else if (month >= 2 && month <= 12) {
        labels.toMonth = QStringLiteral("Suma do ") + months::genitive(month);
        labels.forMonth = QStringLiteral("Suma za ") + months::name(month);
        labels.total = QStringLiteral("Razem");
        labels.toMonthVisible = true;
        labels.totalVisible = true;
    } else {
        labels.forMonth = QStringLiteral("Suma za Rok");
    }
    return labels;
}

void applySumLabels(QLabel* toMonth, QLabel* forMonth, QLabel* total, int month) {
    const SumLabels labels = sumLabels(month);
    if (labels.toMonthVisible)
        toMonth->setText(labels.toMonth);
    toMonth->setVisible(labels.toMonthVisible);
    forMonth->setText(labels.forMonth);
    forMonth->setVisible(true);
    if (labels.totalVisible)
        total->setText(labels.total);
    total->setVisible(labels.totalVisible);
}

} // namespace tarlok::sums
