#pragma once

#include "reports/engine/SaveAsPdf.h"

#include <QObject>

#include <functional>

namespace Ui {
class TRyczaltEwidencja;
}

namespace tarlok {

class Forms;
class TRyczaltEwidencja;

// The statement of the lump-sum window: the summary sheet as shown, with the car and the year, printed
// on one page by "Drukuj" or shown by "Podgląd".
class LumpSumStatementPanel : public QObject {
    Q_OBJECT

public:
    LumpSumStatementPanel(TRyczaltEwidencja& window, Forms& forms);
    ~LumpSumStatementPanel() override;

    // The statement for a device of `dpi` dots per inch; nothing more is drawn once `aborted` answers
    // true.
    report::Document statementDocument(int dpi, const std::function<bool()>& aborted = {}) const;

public slots:
    void DrukujClick();
    void PodgladClick();

private:
    void print();
    // The statement of the sheet as shown, to be laid out at any resolution.
    report::DotPage statementPage() const;

    TRyczaltEwidencja& m_window;
    Forms& m_forms;
    Ui::TRyczaltEwidencja* const m_ui;
};

} // namespace tarlok
