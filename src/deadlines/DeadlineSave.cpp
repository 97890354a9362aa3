#include "DeadlineSave.h"

#include "common/Error.h"
#include "common/Numbers.h"

namespace tarlok::deadlines {

SaveResult saveFigures(const SaveInput& input) {
    SaveResult result;
    const QString yearText = input.yearText.trimmed();
    const qint64 lowest = 1900;
    const qint64 highest = 2999;
    const qint64 year = numbers::isInteger(yearText) ? numbers::parseInteger(yearText) : 0;
    if (year < lowest || year > highest) {
        result.refused = SaveResult::Refused::Year;
        result.refusal = QStringLiteral("Rok podatkowy \"%1\" nie jest poprawnym rokiem - wpisz rok czterema "
                                        "cyframi, np. %2.")
                             .arg(yearText)
                             .arg(input.currentYear);
        return result;
    }
    const QString additionalText = input.additionalText.trimmed();
    double additional = 0;
    if (!additionalText.isEmpty()) {
        try {
            additional = numbers::parse(additionalText);
        } catch (const ConversionError& e) {
            result.refused = SaveResult::Refused::Additional;
            result.refusal = QStringLiteral("Koszt dodatkowy: %1").arg(e.text());
            return result;
        }
    }
    result.year = year;
    result.costs = savedCosts(input.typed, additional);
    result.total = totalCost(result.costs);
    result.additionalTaken = !additionalText.isEmpty();
    return result;
}

} // namespace tarlok::deadlines
