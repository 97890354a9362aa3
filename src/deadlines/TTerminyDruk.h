#pragma once

#include "reports/engine/Report.h"

#include <QObject>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <optional>

namespace tarlok {

class Forms;
class Table;

// What the deadlines window asks of its "&Drukuj": everything the two deadline statements need, so
// that they read the data through table objects of their own and never move a window's cursor.
struct DeadlinePrint {
    // NrKol_Pojazdu of the current vehicle (the vehicle of TTerminyDruk).
    qint64 vehicle = 0;
    // "Wszystkie pojazdy" ticked: every vehicle (TTerminyDruk1).
    bool allVehicles = false;
    // "Wszystkie lata" ticked: TTerminyDruk1 prints no summary band.
    bool allYears = false;
    // The year the rows must have while the deadlines window's view is filtered by year; empty when
    // the view lists every year.
    std::optional<int> year;
};

// The signature line at the foot of every page of the deadline and notes printouts.
extern const QString kDeadlineSignature;

// The deadline rows of one vehicle and year filter, read through a vehicles table and a deadlines
// table of their own: the deadlines held as a detail of the vehicles on NrKol_Pojazdu (index
// NrKol_PojRokInd, so by year), filtered by the request's year. Opened for one printout and closed
// after it.
class DeadlineRows {
public:
    DeadlineRows(Forms& forms, const DeadlinePrint& request);
    ~DeadlineRows();
    DeadlineRows(const DeadlineRows&) = delete;
    DeadlineRows& operator=(const DeadlineRows&) = delete;

    // The vehicles in their stored order; for a single vehicle standing on it.
    Table& vehicles() const { return *m_vehicles; }
    // False when the single vehicle asked for is carried by no vehicle row.
    bool hasVehicle() const { return m_found; }
    // The deadline rows of the vehicle under the vehicles' cursor; nullptr when there is nothing to read
    // (no such vehicle, or no deadlines table in the data folder).
    Table* deadlines() const { return m_deadlines.get(); }

private:
    std::unique_ptr<Table> m_vehicles;
    std::unique_ptr<Table> m_deadlines;
    bool m_found = false;
};

// "Zestwienie Terminów i Kosztów dla Pojazdu": the deadlines and costs of the current vehicle, one line
// a row, with the six cost sums. A4 portrait.
class TTerminyDruk : public QObject {
    Q_OBJECT

public:
    explicit TTerminyDruk(Forms& forms);
    ~TTerminyDruk() override;

    report::Report& report() { return m_report; }
    // The statement laid out for the request; one blank page when the vehicle has no row to print.
    report::Document document(const DeadlinePrint& request);
    // The statement in the preview (with "Zapisz jako PDF"); returns when the preview is closed.
    void preview(const DeadlinePrint& request);

private:
    Forms& m_forms;
    report::Report m_report;
};

// "Zestwienie Terminów i Kosztów dla Pojazdów": every vehicle of the register in its order with its
// description line, followed by its deadline rows (none for a vehicle without rows), and the summary
// band QRBand4 with the grand totals of every printed row while "Wszystkie lata" is unticked.
class TTerminyDruk1 : public QObject {
    Q_OBJECT

public:
    explicit TTerminyDruk1(Forms& forms);
    ~TTerminyDruk1() override;

    report::Report& report() { return m_report; }
    report::Document document(const DeadlinePrint& request);
    void preview(const DeadlinePrint& request);

private:
    Forms& m_forms;
    report::Report m_report;
};

// The deadlines window's "&Drukuj": the statement of the current vehicle, or of all vehicles when
// "Wszystkie pojazdy" is ticked. While the window holds a changed row not yet saved it prints nothing
// and says so (with the window's pending message), so that paper never shows other figures than the
// screen.
void printDeadlines(Forms& forms, const DeadlinePrint& request);

} // namespace tarlok
