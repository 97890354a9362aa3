#pragma once

#include "SummaryPrintout.h"
#include "reports/engine/SaveAsPdf.h"

#include <QObject>

namespace Ui {
class TEwidencja_przejazdow;
}

namespace tarlok {

class Forms;
class Table;
class TEwidencja_przejazdow;

// The summary tab of the register (ZESTAWIENIA): one line per month of the selected vehicle's year,
// read from the month totals that the trip and cost saves store on every row. Nothing is written to
// the tables here.
class SummaryTab : public QObject {
    Q_OBJECT

public:
    SummaryTab(TEwidencja_przejazdow& window, Forms& forms);
    ~SummaryTab() override;

    // The tab was brought to the front: the headings written and the figures computed while the busy
    // button shows.
    void tabShown();

    // Writes the headings and the month names.
    void NaglowkiZestawienia();
    // Fills the months' lines for the selected vehicle and the year of the year box.
    void WyliczZestawienie();
    // The shared vehicle moved, in the register or in another window (the deadlines window moves the
    // same vehicles table): while the tab shows, the lines follow it at once.
    void vehicleChanged();
    // "Drukuj zestawienie": the lines of the grid as shown, straight on the printer, the window disabled
    // meanwhile.
    void printSummary();
    // "Podgląd": the same page in the preview, from which it can be printed or saved as a PDF file.
    void previewSummary();

private:
    // The vehicle and the texts of the grid's month lines, as printed.
    summaryprint::Sheet sheet() const;
    // The summary page as the grid shows it, to be laid out at any resolution.
    report::DotPage summaryPage() const;

    TEwidencja_przejazdow& m_window;
    Forms& m_forms;
    Ui::TEwidencja_przejazdow* const m_ui;
    Table* const TablePojazdy;
    Table* const TablePrzejazdy;
    Table* const TableKoszty;
    // The vehicle whose figures the lines show; -1 before any.
    qint64 m_shownVehicle = -1;
};

} // namespace tarlok
