#pragma once

#include <QObject>

namespace Ui {
class TRyczaltEwidencja;
}

namespace tarlok {

class TRyczaltEwidencja;

// The summary sheet of the lump-sum window (ZESTAWIENIE RYCZAŁTU): a line per month of the car's year
// shown, with the running amount due. Nothing is written to the table here.
class LumpSumSheetPanel : public QObject {
    Q_OBJECT

public:
    explicit LumpSumSheetPanel(TRyczaltEwidencja& window);
    ~LumpSumSheetPanel() override;

    // The column widths and the headings.
    void setupControls();
    // The two heading rows and the month names.
    void writeSheetHeadings();
    // The months' lines of the current car in the year shown.
    void fillSummarySheet();

private:
    TRyczaltEwidencja& m_window;
    Ui::TRyczaltEwidencja* const m_ui;
};

} // namespace tarlok
