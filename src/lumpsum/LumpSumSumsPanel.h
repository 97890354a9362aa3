#pragma once

#include <QObject>

namespace Ui {
class TRyczaltEwidencja;
}

namespace tarlok {

class Forms;
class TRyczaltEwidencja;

// The sums of the lump-sum window: under the records, the car's amounts due before the month shown,
// for it and together; in "Koszt roczny", on "Ryczałt roczny", the year's amount of the car and of every
// car. Nothing is written here.
class LumpSumSumsPanel : public QObject {
    Q_OBJECT

public:
    LumpSumSumsPanel(TRyczaltEwidencja& window, Forms& forms);
    ~LumpSumSumsPanel() override;

    // The captions and the three sums of the month shown (an empty year box takes the current year).
    void showMonthSums();
    // Every sum box emptied, as the window opens.
    void clear();
    // The year's two amounts emptied (another year or car is shown).
    void clearYear();

public slots:
    void PodsumowanieRoczneClick();

private:
    TRyczaltEwidencja& m_window;
    Forms& m_forms;
    Ui::TRyczaltEwidencja* const m_ui;
};

} // namespace tarlok
