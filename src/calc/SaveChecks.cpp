#include "SaveChecks.h"

#include "common/Limits.h"

namespace tarlok::trips {

namespace {

const QString kError = QStringLiteral("Błąd");

SaveRefusal refusal(SaveCheck check, const QString& message, const QString& caption = QString()) {
    return {check, message, caption};
}

} // namespace

QString noVehicleText() {
    return QStringLiteral("Wprowadź najpierw jakiś pojazd");
}

std::optional<SaveRefusal> startRefusal(const SaveStart& start) {
    if (!start.editing)
        return refusal(SaveCheck::NothingStarted,
                       QStringLiteral("Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj przejazd\", a "
                                      "jeżeli wprowadzasz nowy zapis użyj przycisku \"Nowy przejazd\" "));
    if (!start.vehicleRefusal.isEmpty())
        return refusal(SaveCheck::Vehicle, start.vehicleRefusal);
    if (start.rateEmpty && !(start.inserting && start.newTripStarted))
        return refusal(SaveCheck::NoNewTrip, QStringLiteral("Nie użyłeś przycisku \"Nowy przejazd\""));
    return std::nullopt;
}

qint64 distance(const TripEntry& trip) {
    return trip.byFinalReading ? trip.finalReading - trip.start.value_or(0) : trip.km;
}

std::optional<SaveRefusal> entryRefusal(const TripEntry& trip) {
    const qint64 given = trip.byFinalReading ? trip.finalReading : trip.km;
    if (trip.route.trimmed().isEmpty() || trip.purpose.trimmed().isEmpty() || !trip.start || given == 0 ||
        !trip.date.isValid() || trip.rateEmpty)
        return refusal(SaveCheck::Incomplete,
                       QStringLiteral("Przejazd musi posiadać datę, trasę, cel wyjazdu, stawkę za km i Stan "
                                      "licznika pocz. i kon. - Użyj przycisku \"Nowy przejazd\""),
                       kError);
    if (!trip.hasVehicle)
        return refusal(SaveCheck::NoVehicle, noVehicleText());
    if (trip.date.month() != trip.periodMonth)
        return refusal(SaveCheck::WrongMonth,
                       QStringLiteral("Miesiąc daty nie zgadza się z miesiącem okresu"));
    if (trip.date.year() != trip.periodYear)
        return refusal(SaveCheck::WrongYear, QStringLiteral("Rok daty nie zgadza się z rokiem okresu"));
    const qint64 start = trip.start.value_or(0);
    const qint64 km = distance(trip);
    if (km < 0)
        return refusal(SaveCheck::Negative,
                       trip.byFinalReading
                           ? QStringLiteral("Stan licznika końcowy nie może być mniejszy od początkowego")
                           : QStringLiteral("Ilość km nie może być mniejsza od zera"),
                       kError);
    using limits::Quantity;
    const QString beyond = limits::refusal({{Quantity::Rate, trip.rate},
                                            {Quantity::Odometer, double(start)},
                                            {Quantity::Distance, double(km)},
                                            {Quantity::Odometer, double(start + km)}});
    if (!beyond.isEmpty())
        return refusal(SaveCheck::BeyondLimits, beyond, kError);
    return std::nullopt;
}

} // namespace tarlok::trips

namespace tarlok::costs {

namespace {

const QString kError = QStringLiteral("Błąd");

SaveRefusal refusal(SaveCheck check, const QString& message, const QString& caption = QString()) {
    return {check, message, caption};
}

} // namespace

std::optional<SaveRefusal> startRefusal(const SaveStart& start) {
    if (!start.editing)
        return refusal(SaveCheck::NothingStarted,
                       QStringLiteral("Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj koszt\", a "
                                      "jeżeli wprowadzasz nowy zapis użyj przycisku \"Nowy koszt\" "));
    if (!start.newCostStarted)
        return refusal(SaveCheck::NoNewCost, QStringLiteral("Użyj najpierw przycisku \"Nowy koszt\""));
    if (!start.vehicleRefusal.isEmpty())
        return refusal(SaveCheck::Vehicle, start.vehicleRefusal);
    return std::nullopt;
}

CostSave checkCost(const CostEntry& cost) {
    CostSave out;
    if (cost.rate && cost.net) {
        int percent = 0;
        if (cost.manual) {
            const auto typed = manualCountedPercent(cost.percentText);
            if (!typed) {
                out.refusal = refusal(
                    SaveCheck::BadPercent,
                    QStringLiteral("Procent VAT zaliczonego w koszty musi być liczbą całkowitą od 0 do 100"),
                    kError);
                return out;
            }
            percent = *typed;
        } else {
            percent = autoCountedPercent(cost.autoChoice);
        }
        out.split = splitVat(*cost.net, *cost.rate, percent);
        if (cost.fuel)
            out.odometer = cost.byKilometres
                               ? fromKilometres(cost.current, cost.current.kmText, cost.finalText)
                               : fromFinalReading(cost.current, cost.finalText);
    }
    if (out.odometer) {
        using limits::Quantity;
        const QString beyond =
            limits::refusal({{Quantity::Odometer, double(out.odometer->before.value_or(0))},
                             {Quantity::Odometer, double(out.odometer->after.value_or(0))},
                             {Quantity::Distance, double(out.odometer->km.value_or(0))}});
        if (!beyond.isEmpty()) {
            out.refusal = refusal(SaveCheck::BeyondLimits, beyond, kError);
            return out;
        }
    }
    out.value = out.split ? out.split->value : cost.net.value_or(0.0);
    if (cost.documentNumber.trimmed().isEmpty() || cost.kind.trimmed().isEmpty() || out.value == 0.0 ||
        !cost.date.isValid())
        out.refusal = refusal(SaveCheck::Incomplete,
                              QStringLiteral("Koszt musi posiadać datę, nazwę, nr dokumentu i wartość - Użyj "
                                             "przycisku \"Nowy koszt\""),
                              kError);
    return out;
}

} // namespace tarlok::costs
