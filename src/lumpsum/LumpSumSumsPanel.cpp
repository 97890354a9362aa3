// The month and year sums of the lump-sum window.
#include "LumpSumSumsPanel.h"

#include "LumpSum.h"
#include "TRyczaltEwidencja.h"

#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Clock.h"
#include "register/SumLabels.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TRyczaltEwidencja.h"
#include "widgets/PeriodBoxes.h"

namespace tarlok {

LumpSumSumsPanel::LumpSumSumsPanel(TRyczaltEwidencja& window, Forms& forms)
    : QObject(nullptr), m_window(window), m_forms(forms), m_ui(window.ui()) {
    connectAction(forms.context.dialogs, m_ui->PodsumowanieRoczne, &QPushButton::clicked, this,
                  &LumpSumSumsPanel::PodsumowanieRoczneClick);
}

LumpSumSumsPanel::~LumpSumSumsPanel() = default;

void LumpSumSumsPanel::showMonthSums() {
    auto* ui = m_ui;
    const int month = m_window.month().value_or(0);
    sums::applySumLabels(ui->LabelKosztyDoMiesiaca, ui->LabelKosztyZaMiesiac, ui->LabelKosztyRazem, month);
    if (ui->ComboBoxRok->currentText().trimmed().isEmpty()) {
        m_window.period().setYearText(QString::number(m_forms.context.clock.today().year()));
        m_window.periodShown();
    }
    const lumpsum::MonthSums sums = lumpsum::monthSums(m_window.carRecords(), m_window.year(), month);
    ui->EditKosztyDoMiesiaca->setText(sums.toMonth);
    ui->EditKosztyZaMiesiac->setText(sums.forMonth);
    ui->EditKosztyRazem->setText(sums.total);
}

void LumpSumSumsPanel::clear() {
    for (QLineEdit* box : {m_ui->EditKosztyDoMiesiaca, m_ui->EditKosztyZaMiesiac, m_ui->EditKosztyRazem})
        box->clear();
    clearYear();
}

void LumpSumSumsPanel::clearYear() {
    m_ui->EditRocznyPojazd->clear();
    m_ui->EditRocznyPojazdy->clear();
}

void LumpSumSumsPanel::PodsumowanieRoczneClick() {
    AppContext& ctx = m_forms.context;
    if (!m_window.TableRyczalt->isActive() || m_forms.refuseWhileTyping())
        return;
    const int year = m_window.year();
    m_ui->EditRocznyPojazd->setText(numbers::general(lumpsum::yearSum(m_window.carRecords(), year)));
    // Every car's records, read apart from the window's table.
    Table all(ctx.database);
    all.setDatabaseName(m_window.dataFolder());
    all.setTableName(tables::ryczalt().name);
    all.setFieldRange(fields::ryczalt::Rok, year, year);
    all.open();
    m_ui->EditRocznyPojazdy->setText(
        numbers::general(lumpsum::allCarsYearSum(TRyczaltEwidencja::recordsOf(all), year)));
}

} // namespace tarlok
