// The summary sheet of the lump-sum window.
#include "LumpSumSheetPanel.h"

#include "LumpSum.h"
#include "TRyczaltEwidencja.h"

#include "common/Months.h"
#include "register/GridCells.h"
#include "ui_TRyczaltEwidencja.h"

namespace tarlok {

namespace {

const char* const kSheetHeadings[2][11] = {
    {"MIESIĄC", "Data", "Ryczałt", "Stawka", "Ryczałt", "Dni", "Dni bez", "Inne", "Suma", "Należność",
     "Należność"},
    {"", "oświadcz.", "w km", "za km", "pieniężny", "urlopu", "samoch.", "nieobec.", "potrąceń", "miesięczna",
     "narastająco"},
};
constexpr int kSheetWidths[11] = {86, 84, 72, 70, 78, 56, 74, 74, 78, 92, 96};

} // namespace

LumpSumSheetPanel::LumpSumSheetPanel(TRyczaltEwidencja& window)
    : QObject(nullptr), m_window(window), m_ui(window.ui()) {
}

LumpSumSheetPanel::~LumpSumSheetPanel() = default;

void LumpSumSheetPanel::setupControls() {
    QTableWidget* sheet = m_ui->StringGridZestawienie;
    sheet->setTextElideMode(Qt::ElideNone);
    for (int c = 0; c < 11; ++c)
        sheet->setColumnWidth(c, kSheetWidths[c]);
    writeSheetHeadings();
}

void LumpSumSheetPanel::writeSheetHeadings() {
    QTableWidget* sheet = m_ui->StringGridZestawienie;
    const QBrush button = m_window.palette().button();
    QFont bold = sheet->font();
    bold.setBold(true);
    for (int c = 0; c < 11; ++c) {
        for (int r = 0; r < 2; ++r) {
            grids::setCell(sheet, c, r, QString::fromUtf8(kSheetHeadings[r][c]));
            QTableWidgetItem* item = sheet->item(r, c);
            item->setTextAlignment(Qt::AlignCenter);
            item->setFont(bold);
            item->setBackground(button);
        }
    }
    for (int m = 1; m <= 12; ++m) {
        grids::setCell(sheet, 0, m + 1, months::name(m));
        QTableWidgetItem* item = sheet->item(m + 1, 0);
        item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        item->setBackground(button);
    }
}

void LumpSumSheetPanel::fillSummarySheet() {
    QTableWidget* sheet = m_ui->StringGridZestawienie;
    const auto lines = lumpsum::sheetLines(m_window.carRecords(), m_window.year());
    for (int m = 1; m <= 12; ++m)
        for (int c = 1; c <= 10; ++c)
            grids::setCell(sheet, c, m + 1, lines[size_t(m - 1)][size_t(c - 1)]);
}

} // namespace tarlok
