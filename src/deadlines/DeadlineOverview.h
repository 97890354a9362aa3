#pragma once

#include "DeadlineWarnings.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace tarlok {
class Database;
}

// The deadline overview: for every vehicle in use, each watched deadline that needs the bookkeeper
// now and the service alarm, as lines of a list. The deadlines window's own rules decide (the picker
// warning and the service alarm of DeadlineWarnings), each deadlines row judged by its own stored
// settings rather than by the settings of the row the window happens to show.
namespace tarlok::deadlines {

// What the overview reads of a vehicle (Pojazdy.db).
struct OverviewVehicle {
    qint64 number = 0; // NrKol_Pojazdu
    QString registration;
    bool inUse = false;
    std::optional<qint64> reading;     // StanAktLicznika
    std::optional<qint64> lastService; // StanLicznikaPo
    std::optional<qint64> interval;    // CoIleKmSerwis
    std::optional<qint64> kmBefore;    // IloscKmDoInfPrzed
    std::optional<qint64> kmAfter;     // IloscKmDoInfPo
};

// A deadlines row (Terminy.db) with its own settings, read as the window loads them: empty days count
// as 0, an empty end of informing as 10.
struct OverviewRow {
    qint64 vehicle = 0;
    int year = 0;
    DeadlineRow deadlines;
    int daysBefore = 0;
    int daysAfter = 0;
    int endOfInforming = 10;
    std::optional<qint64> kmBefore; // IloscKmDoInfPrzed
    std::optional<qint64> kmAfter;  // IloscKmDoInfPo
};

enum class OverviewState {
    Due,           // the picker would be red: from daysAfter days before today to daysBefore after it
    Past,          // the picker would be gray, and the end of informing has not come yet
    ServiceYellow, // the service alarm is yellow
    ServiceRed,    // the service alarm is red
};

struct OverviewLine {
    qint64 vehicle = 0;
    QString registration;
    int year = 0; // of the deadlines row; the service alarm carries the year of the row it was read from
    OverviewState state = OverviewState::Due;
    std::optional<Slot> slot; // the deadline; none for the service alarm
    QDate date;               // the deadline
    qint64 serviceAt = 0;     // the reading at which the service is due
    qint64 left = 0;          // days to the deadline, or km to the service; below 0 when past it

    bool isService() const { return !slot; }
};

// The lines for `today`, vehicles in use only. A watched date is listed when the picker warning of its
// row's days before and after calls it due, or calls it past while it lies no more than the row's end
// of informing behind today (an empty date or one older than that is left out). The service alarm is
// listed when it is yellow or red, with the km spins the window would show: the vehicle's latest
// deadlines row's, else the vehicle's own, else 0. Deadlines come first, by date (the oldest first),
// then the service alarms by the km left; ties keep the order of the vehicles.
std::vector<OverviewLine> overviewLines(const std::vector<OverviewVehicle>& vehicles,
                                        const std::vector<OverviewRow>& rows, const QDate& today);

// The lines read from the data folder through tables of their own (no window's table moves). Without
// Terminy.db there are none: the deadlines window would show nothing either.
std::vector<OverviewLine> readOverview(Database& database, const QString& dataFolder, const QDate& today);

// The texts of a line's columns: the kind ("Ubezpieczenie OC - rata II", "Serwis"), the date or the
// reading ("14.06.2024", "120000 km") and what is left ("za 5 dni", "dziś", "1 dzień po terminie",
// "pozostało 300 km", "przekroczono o 200 km").
QString kindText(const OverviewLine& line);
QString whenText(const OverviewLine& line);
QString leftText(const OverviewLine& line);

} // namespace tarlok::deadlines
