#include "Limits.h"

namespace tarlok::limits {

QString refusal(Quantity quantity, double value) {
    switch (quantity) {
    case Quantity::Rate:
        if (value >= 0 && value <= 100)
            return {};
        return QStringLiteral("Stawka za km musi mieścić się w granicach od 0 do 100 zł");
    case Quantity::Distance:
        if (value >= 0 && value <= 99'999)
            return {};
        return QStringLiteral("Ilość km musi mieścić się w granicach od 0 do 99 999 km");
    case Quantity::Odometer:
        if (value >= 0 && value <= 9'999'999)
            return {};
        return QStringLiteral("Stan licznika musi mieścić się w granicach od 0 do 9 999 999 km");
    }
    return {};
}

QString refusal(std::initializer_list<std::pair<Quantity, double>> figures) {
    for (const auto& [quantity, value] : figures) {
        QString text = refusal(quantity, value);
        if (!text.isEmpty())
            return text;
    }
    return {};
}

} // namespace tarlok::limits
