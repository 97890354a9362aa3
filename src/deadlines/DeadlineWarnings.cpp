#include "DeadlineWarnings.h"

#include "common/Money.h"
#include "common/Numbers.h"

namespace tarlok::deadlines {

Kind kindOf(Slot slot) {
    switch (slot) {
    case SlotOC:
    case SlotOC2:
        return OC;
    case SlotAC:
    case SlotAC2:
        return AC;
    case SlotTech:
        return PrzegTech;
    case SlotGwar:
        return PrzegGwar;
    case SlotNaprawa:
        return Naprawa;
    case SlotWymiana:
        return Wymiana;
    case SlotDokument:
        return Dokument;
    case SlotInny:
    case SlotCount:
        break;
    }
    return Inny;
}

PickerWarning pickerWarning(const QDate& deadline, const QDate& today, int daysBefore, int daysAfter) {
    const QDate from = today.addDays(-qint64(daysAfter));
    if (!deadline.isValid() || deadline < from)
        return PickerWarning::Past;
    if (deadline > today.addDays(daysBefore))
        return PickerWarning::Ahead;
    return PickerWarning::Due;
}

TextColour rowColour(const DeadlineRow& row, const QDate& today, int daysBefore, int daysAfter,
                     int endOfInforming, bool selected) {
    if (selected)
        return TextColour::White;
    const QDate from = today.addDays(-qint64(endOfInforming));
    const QDate to = today.addDays(qint64(daysBefore) - daysAfter);
    TextColour colour = TextColour::Normal;
    auto look = [&](Slot slot) {
        const QDate& date = row.dates[size_t(slot)];
        if (date.isValid() && from <= date && date <= to)
            colour = TextColour::Red;
        else if (!date.isValid() || date < from)
            colour = TextColour::Gray;
    };
    if (row.watched[OC]) {
        look(SlotOC);
        look(SlotOC2);
    }
    for (int kind = AC; kind < KindCount; ++kind) {
        if (!row.watched[size_t(kind)] || colour == TextColour::Red)
            continue;
        if (kind == AC) {
            look(SlotAC);
            look(SlotAC2);
        } else {
            look(Slot(kind + 2)); // the single-date kinds follow the four instalment slots
        }
    }
    return colour;
}

TextColour vehicleColour(const QVariant& used, bool selected) {
    if (selected)
        return TextColour::White;
    if (used.isNull())
        return TextColour::Normal;
    return used.toBool() ? TextColour::Black : TextColour::Red;
}

ServiceAlarm serviceAlarm(std::optional<qint64> reading, std::optional<qint64> dueAt, qint64 before,
                          qint64 after) {
    ServiceAlarm alarm;
    if (!reading || !dueAt)
        return alarm;
    const qint64 r = *reading;
    const qint64 s = *dueAt;
    if (r + before >= s)
        alarm.level = ServiceAlarm::Level::Yellow;
    if (s <= r && r <= s + after)
        alarm.level = ServiceAlarm::Level::Red;
    alarm.remaining = s - r;
    return alarm;
}

double instalmentTotal(const QVariant& first, const QVariant& second) {
    const double a = first.isNull() ? 0.0 : first.toDouble();
    const double b = second.isNull() ? 0.0 : second.toDouble();
    return a + b;
}

QString amountText(double amount) {
    return numbers::grouped(amount, 15, 2);
}

RowCosts savedCosts(const RowCosts& typed, double additional) {
    RowCosts c = typed;
    for (double* amount : {&c.ac, &c.oc, &c.acII, &c.ocII, &c.tech, &c.gwar})
        *amount = ZaokraglijDoGroszy(*amount);
    c.napraw = ZaokraglijDoGroszy(ZaokraglijDoGroszy(typed.napraw) + ZaokraglijDoGroszy(additional));
    return c;
}

double totalCost(const RowCosts& c) {
    return ZaokraglijDoGroszy(c.ac + c.oc + c.acII + c.ocII + double(c.nw) + c.tech + c.gwar + c.napraw);
}

} // namespace tarlok::deadlines
