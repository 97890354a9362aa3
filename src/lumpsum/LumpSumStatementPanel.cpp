// The printed statement of the lump-sum window.
#include "LumpSumStatementPanel.h"

#include "Statement.h"
#include "TRyczaltEwidencja.h"

#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "register/GridCells.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TRyczaltEwidencja.h"

namespace tarlok {

LumpSumStatementPanel::LumpSumStatementPanel(TRyczaltEwidencja& window, Forms& forms)
    : QObject(nullptr), m_window(window), m_forms(forms), m_ui(window.ui()) {
    Dialogs& dialogs = forms.context.dialogs;
    connectAction(dialogs, m_ui->Drukuj, &QPushButton::clicked, this, &LumpSumStatementPanel::DrukujClick);
    connectAction(dialogs, m_ui->Podglad, &QPushButton::clicked, this, &LumpSumStatementPanel::PodgladClick);
}

LumpSumStatementPanel::~LumpSumStatementPanel() = default;

report::Document LumpSumStatementPanel::statementDocument(int dpi,
                                                          const std::function<bool()>& aborted) const {
    const Table* cars = m_forms.context.data().TablePojazdy;
    lumpsum::statement::Sheet sheet;
    if (cars->isActive() && !cars->isEmpty()) {
        sheet.owner = cars->asString(fields::pojazdy::Wlasciciel);
        sheet.vehicle = cars->asString(fields::pojazdy::Dane_Poj_Wszystko);
    }
    sheet.year = m_ui->ComboBoxRok->currentText();
    const QTableWidget* grid = m_ui->StringGridZestawienie;
    for (int m = 1; m <= 12; ++m)
        for (int c = 0; c < 11; ++c)
            sheet.months[size_t(m - 1)][size_t(c)] = grids::cell(grid, c, m + 1);
    return lumpsum::statement::document(sheet, dpi, aborted);
}

void LumpSumStatementPanel::DrukujClick() {
    if (!m_forms.refuseWhileTyping())
        print();
}

void LumpSumStatementPanel::print() {
    // The register is disabled while the statement prints and enabled again however printing ends.
    AppContext& ctx = m_forms.context;
    report::printDotPage(ctx.output, ctx.dialogs, statementPage(), m_forms.Ewidencja_przejazdow);
}

// "Podgląd": the same statement in the preview, with "Zapisz jako PDF"; the printer is not touched.
void LumpSumStatementPanel::PodgladClick() {
    if (m_forms.refuseWhileTyping())
        return;
    AppContext& ctx = m_forms.context;
    report::previewDotPage(ctx.output, ctx.dialogs, statementPage());
}

report::DotPage LumpSumStatementPanel::statementPage() const {
    return [this](int dpi, const std::function<bool()>& aborted) {
        return statementDocument(dpi, aborted);
    };
}

} // namespace tarlok
