#include "DeadlineOverview.h"

#include "common/Numbers.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <algorithm>
#include <array>
#include <map>

namespace tarlok::deadlines {

namespace {

namespace P = fields::pojazdy;
namespace T = fields::terminy;

// The row field of each date slot and the watch flag of each kind, in the order of the window.
const std::array<const QString*, SlotCount> kSlotFields = {&T::TerminOC,
                                                           &T::Termin1,
                                                           &T::TerminAC,
                                                           &T::Termin2,
                                                           &T::TerminPrzegTechnicznego,
                                                           &T::TerminPrzegGwarancyjnego,
                                                           &T::TerminNaprawy,
                                                           &T::TerminWymianyWyposazenia,
                                                           &T::TerminWaznosciDokumentu,
                                                           &T::TerminWaznosciInny};
const std::array<const QString*, KindCount> kWatchFields = {
    &T::SprawdzOC,          &T::SprawdzAC,          &T::SprawdzPrzegTechniczny,  &T::SprawdzPrzegGwarancyjny,
    &T::SprawdzTermNaprawy, &T::SprawdzTermWymiany, &T::SprawdzTermWazDokumentu, &T::SprawdzTermWazInny};

std::optional<qint64> optionalInteger(const Table& table, const QString& field) {
    if (!table.hasField(field) || table.isNull(field))
        return std::nullopt;
    return table.asInteger(field);
}

std::optional<OverviewLine> deadlineLine(const OverviewRow& row, Slot slot, const QDate& today) {
    const QDate& date = row.deadlines.dates[size_t(slot)];
    OverviewLine line;
    switch (pickerWarning(date, today, row.daysBefore, row.daysAfter)) {
    case PickerWarning::Due:
        line.state = OverviewState::Due;
        break;
    case PickerWarning::Past:
        // Gray in the window; past the end of informing it is no longer announced.
        if (!date.isValid() || date < today.addDays(-qint64(row.endOfInforming)))
            return std::nullopt;
        line.state = OverviewState::Past;
        break;
    case PickerWarning::Ahead:
        return std::nullopt;
    }
    line.vehicle = row.vehicle;
    line.year = row.year;
    line.slot = slot;
    line.date = date;
    line.left = today.daysTo(date);
    return line;
}

QString days(qint64 count) {
    return count == 1 ? QStringLiteral("1 dzień") : QStringLiteral("%1 dni").arg(count);
}

} // namespace

std::vector<OverviewLine> overviewLines(const std::vector<OverviewVehicle>& vehicles,
                                        const std::vector<OverviewRow>& rows, const QDate& today) {
    std::vector<OverviewLine> deadlines;
    std::vector<OverviewLine> services;
    for (const OverviewVehicle& vehicle : vehicles) {
        if (!vehicle.inUse)
            continue;
        const OverviewRow* latest = nullptr;
        for (const OverviewRow& row : rows) {
            if (row.vehicle != vehicle.number)
                continue;
            if (!latest || row.year >= latest->year)
                latest = &row;
            for (int slot = 0; slot < SlotCount; ++slot) {
                if (!row.deadlines.watched[size_t(kindOf(Slot(slot)))])
                    continue;
                if (auto line = deadlineLine(row, Slot(slot), today)) {
                    line->registration = vehicle.registration;
                    deadlines.push_back(*line);
                }
            }
        }
        if (!vehicle.lastService || !vehicle.interval)
            continue;
        const qint64 dueAt = *vehicle.lastService + *vehicle.interval;
        const auto setting = [&](std::optional<qint64> OverviewRow::*ofRow, std::optional<qint64> ofVehicle) {
            if (latest && latest->*ofRow)
                return *(latest->*ofRow);
            return ofVehicle.value_or(0);
        };
        const ServiceAlarm alarm =
            serviceAlarm(vehicle.reading, dueAt, setting(&OverviewRow::kmBefore, vehicle.kmBefore),
                         setting(&OverviewRow::kmAfter, vehicle.kmAfter));
        if (alarm.level == ServiceAlarm::Level::None)
            continue;
        OverviewLine line;
        line.vehicle = vehicle.number;
        line.registration = vehicle.registration;
        line.year = latest ? latest->year : today.year();
        line.state = alarm.level == ServiceAlarm::Level::Red ? OverviewState::ServiceRed
                                                             : OverviewState::ServiceYellow;
        line.serviceAt = dueAt;
        line.left = alarm.remaining;
        services.push_back(line);
    }
    std::stable_sort(deadlines.begin(), deadlines.end(),
                     [](const OverviewLine& a, const OverviewLine& b) { return a.date < b.date; });
    std::stable_sort(services.begin(), services.end(),
                     [](const OverviewLine& a, const OverviewLine& b) { return a.left < b.left; });
    deadlines.insert(deadlines.end(), services.begin(), services.end());
    return deadlines;
}

std::vector<OverviewLine> readOverview(Database& database, const QString& dataFolder, const QDate& today) {
    if (!database.tableExists(dataFolder, tables::pojazdy().fileName()) ||
        !database.tableExists(dataFolder, tables::terminy().fileName()))
        return {};
    std::vector<OverviewVehicle> vehicles;
    {
        Table cars(database);
        cars.setDatabaseName(dataFolder);
        cars.setTableName(tables::pojazdy().fileName());
        cars.setReadFields({P::NrKol_Pojazdu, P::Nr_rej, P::Uzywany, P::StanAktLicznika, P::StanLicznikaPo,
                            P::CoIleKmSerwis, P::IloscKmDoInfPrzed, P::IloscKmDoInfPo});
        cars.open();
        for (cars.first(); !cars.eof(); cars.next()) {
            if (cars.isNull(P::NrKol_Pojazdu))
                continue; // a vehicle without a number owns no deadlines
            OverviewVehicle v;
            v.number = cars.asInteger(P::NrKol_Pojazdu);
            v.registration = cars.asString(P::Nr_rej).trimmed();
            v.inUse = cars.asBool(P::Uzywany);
            v.reading = optionalInteger(cars, P::StanAktLicznika);
            v.lastService = optionalInteger(cars, P::StanLicznikaPo);
            v.interval = optionalInteger(cars, P::CoIleKmSerwis);
            v.kmBefore = optionalInteger(cars, P::IloscKmDoInfPrzed);
            v.kmAfter = optionalInteger(cars, P::IloscKmDoInfPo);
            vehicles.push_back(v);
        }
    }
    std::vector<OverviewRow> rows;
    bool serviceFields = false;
    {
        Table t(database);
        t.setDatabaseName(dataFolder);
        t.setTableName(tables::terminy().fileName());
        t.setIndexName(QStringLiteral("NrKol_PojRokInd"));
        // Only what the overview reads: the deadlines table has many more fields.
        QStringList read{
            T::NrKol_Pojazdu,     T::Rok,           T::InformujPrzed, T::InformujPo, T::KoniecInformacji,
            T::IloscKmDoInfPrzed, T::IloscKmDoInfPo};
        for (const QString* field : kWatchFields)
            read.append(*field);
        for (const QString* field : kSlotFields)
            read.append(*field);
        t.setReadFields(read);
        t.open();
        // The service alarm shows in the window only on an upgraded deadlines table.
        serviceFields = t.hasField(T::IloscKmDoInfPrzed);
        for (t.first(); !t.eof(); t.next()) {
            if (t.isNull(T::NrKol_Pojazdu))
                continue;
            OverviewRow row;
            row.vehicle = t.asInteger(T::NrKol_Pojazdu);
            row.year = int(t.asInteger(T::Rok));
            for (int kind = 0; kind < KindCount; ++kind)
                row.deadlines.watched[size_t(kind)] = t.asBool(*kWatchFields[size_t(kind)]);
            for (int slot = 0; slot < SlotCount; ++slot)
                row.deadlines.dates[size_t(slot)] = t.asDate(*kSlotFields[size_t(slot)]);
            row.daysBefore = int(t.asInteger(T::InformujPrzed));
            row.daysAfter = int(t.asInteger(T::InformujPo));
            row.endOfInforming = t.isNull(T::KoniecInformacji) ? 10 : int(t.asInteger(T::KoniecInformacji));
            row.kmBefore = optionalInteger(t, T::IloscKmDoInfPrzed);
            row.kmAfter = optionalInteger(t, T::IloscKmDoInfPo);
            rows.push_back(row);
        }
    }
    if (!serviceFields) {
        for (OverviewVehicle& v : vehicles)
            v.lastService.reset();
    }
    return overviewLines(vehicles, rows, today);
}

QString kindText(const OverviewLine& line) {
    if (!line.slot)
        return QStringLiteral("Serwis");
    switch (*line.slot) {
    case SlotOC:
        return QStringLiteral("Ubezpieczenie OC");
    case SlotOC2:
        return QStringLiteral("Ubezpieczenie OC - rata II");
    case SlotAC:
        return QStringLiteral("Ubezpieczenie AC");
    case SlotAC2:
        return QStringLiteral("Ubezpieczenie AC - rata II");
    case SlotTech:
        return QStringLiteral("Przegląd techniczny");
    case SlotGwar:
        return QStringLiteral("Przegląd gwarancyjny");
    case SlotNaprawa:
        return QStringLiteral("Naprawa pojazdu");
    case SlotWymiana:
        return QStringLiteral("Wymiana oleju-wyposażenia");
    case SlotDokument:
        return QStringLiteral("Ważność dokumentu");
    case SlotInny:
    case SlotCount:
        break;
    }
    return QStringLiteral("Inny termin");
}

QString whenText(const OverviewLine& line) {
    if (line.isService())
        return QStringLiteral("%1 km").arg(line.serviceAt);
    return numbers::shortDate(line.date);
}

QString leftText(const OverviewLine& line) {
    if (line.isService()) {
        if (line.left >= 0)
            return QStringLiteral("pozostało %1 km").arg(line.left);
        return QStringLiteral("przekroczono o %1 km").arg(-line.left);
    }
    if (line.left > 0)
        return QStringLiteral("za ") + days(line.left);
    if (line.left == 0)
        return QStringLiteral("dziś");
    return days(-line.left) + QStringLiteral(" po terminie");
}

} // namespace tarlok::deadlines
