#include "SummaryTab.h"

#include "GridCells.h"
#include "SummaryPrintout.h"
#include "TEwidencja_przejazdow.h"
#include "calc/SummaryCalc.h"
#include "calc/YearSummary.h"
#include "common/Months.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "reports/engine/SaveAsPdf.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"
#include "widgets/DbGrid.h"

namespace tarlok {

namespace {

constexpr int kColumnWidths[15] = {69, 70, 73, 72, 68, 70, 71, 70, 50, 68, 64, 78, 64, 64, 64};

struct Heading {
    const char* rows[3];
};

const Heading kHeadings[15] = {
    {{"", "MIESIĄC", ""}},
    {{"Wartość", "przejazdów", "miesięcznie"}},
    {{"Wartość", "przejazdów", "narastająco"}},
    {{"Koszty", "miesięczne", ""}},
    {{"Koszty", "narastająco", ""}},
    {{"Koszty", "zaliczone", "miesięcznie"}},
    {{"Koszty", "zaliczone", "narastająco"}},
    {{"Kilometry", "miesięcznie", ""}},
    {{"Kilometry", "narastająco", ""}},
    {{"Wydatki na", "paliwo", "miesięcznie"}},
    {{"Wydatki na", "paliwo", "narastająco"}},
    {{"Zużyte", "paliwo [dm3]", "miesięcznie"}},
    {{"Zużyte", "paliwo [dm3]", "narastająco"}},
    {{"VAT", "[zł]", "miesięcznie"}},
    {{"Zużycie", "Paliwa", "100 km"}},
};

} // namespace

SummaryTab::SummaryTab(TEwidencja_przejazdow& window, Forms& forms)
    : QObject(nullptr), m_window(window), m_forms(forms), m_ui(window.ui()),
      TablePojazdy(forms.context.data().TablePojazdy), TablePrzejazdy(forms.context.data().TablePrzejazdy),
      TableKoszty(forms.context.data().TableKoszty) {
    connectAction(forms.context.dialogs, &forms.context.data(), &SharedData::vehicleChanged, this,
                  &SummaryTab::vehicleChanged);
}

SummaryTab::~SummaryTab() = default;

void SummaryTab::tabShown() {
    NaglowkiZestawienia();
    TablePrzejazdy->refresh();
    TableKoszty->refresh();
    if (!TablePojazdy->isEmpty()) {
        WyliczZestawienie();
        // The figures are read through tables of their own: the vehicles' rows are as they were, only
        // the grid is drawn again (reading the vehicles anew would read every trip and cost of the
        // vehicle again with them).
        m_ui->DBGridPojazdy->viewport()->update();
    }
}

void SummaryTab::NaglowkiZestawienia() {
    QTableWidget* grid = m_ui->StringGridZestawienie;
    // The headings fit the narrow columns in a small face.
    QFont small = grid->font();
    small.setPointSizeF(7.5);
    grid->setFont(small);
    grid->setTextElideMode(Qt::ElideNone);
    for (int c = 0; c < 15; ++c) {
        grid->setColumnWidth(c, kColumnWidths[c]);
        for (int r = 0; r < 3; ++r) {
            grids::setCell(grid, c, r, QString::fromUtf8(kHeadings[c].rows[r]));
            grid->item(r, c)->setTextAlignment(Qt::AlignCenter);
            grid->item(r, c)->setBackground(m_window.palette().button());
        }
    }
    for (int m = 1; m <= 12; ++m) {
        grids::setCell(grid, 0, m + 2, months::name(m));
        grid->item(m + 2, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid->item(m + 2, 0)->setBackground(m_window.palette().button());
    }
    // A column too narrow for a heading in this face is widened to it: the widths above are the least.
    fitColumnsToHeadings(grid, 3);
}

void SummaryTab::WyliczZestawienie() {
    if (!TablePojazdy->isActive() || TablePojazdy->isEmpty() || !TablePrzejazdy->isActive() ||
        !TableKoszty->isActive())
        return;
    const qint64 vehicle = TablePojazdy->asInteger(fields::pojazdy::NrKol_Pojazdu);
    m_shownVehicle = vehicle;
    const bool withConsumption = m_ui->CheckBoxSpalanie->isChecked();
    // The figures are read from the files, each column of the year shown: the VAT of every month is
    // that year's whatever the costs tab showed last.
    const auto totals =
        summary::yearTotals(m_forms.context.database, vehicle, m_window.selectedYear(), withConsumption);
    const auto lines = summary::lines(totals, withConsumption);
    QTableWidget* grid = m_ui->StringGridZestawienie;
    for (int m = 1; m <= 12; ++m)
        for (int c = 1; c <= 14; ++c)
            grids::setCell(grid, c, m + 2, lines[size_t(m)][size_t(c)]);
}

void SummaryTab::vehicleChanged() {
    if (!m_window.isVisible() || !m_window.onSummaryTab() || !TablePojazdy->isActive() ||
        TablePojazdy->isEmpty())
        return;
    // The same vehicle read again (a refresh, a row written) keeps the lines it has.
    if (TablePojazdy->asInteger(fields::pojazdy::NrKol_Pojazdu) == m_shownVehicle)
        return;
    WyliczZestawienie();
}

void SummaryTab::printSummary() {
    AppContext& ctx = m_forms.context;
    report::printDotPage(ctx.output, ctx.dialogs, summaryPage(), &m_window);
}

void SummaryTab::previewSummary() {
    AppContext& ctx = m_forms.context;
    report::previewDotPage(ctx.output, ctx.dialogs, summaryPage());
}

report::DotPage SummaryTab::summaryPage() const {
    return [sheet = sheet()](int dpi, const std::function<bool()>& aborted) {
        return summaryprint::document(sheet, dpi, aborted);
    };
}

summaryprint::Sheet SummaryTab::sheet() const {
    QTableWidget* grid = m_ui->StringGridZestawienie;
    summaryprint::Sheet sheet;
    if (TablePojazdy->isActive() && !TablePojazdy->isEmpty()) {
        sheet.owner = TablePojazdy->asString(fields::pojazdy::Wlasciciel);
        sheet.vehicle = TablePojazdy->asString(fields::pojazdy::Dane_Poj_Wszystko);
    }
    for (int m = 1; m <= 12; ++m)
        for (int c = 0; c < 15; ++c)
            sheet.months[size_t(m - 1)][size_t(c)] = grids::cell(grid, c, m + 2);
    return sheet;
}

} // namespace tarlok
