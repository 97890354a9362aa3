#pragma once

#include <QObject>

class QDate;

namespace Ui {
class TRyczaltEwidencja;
}

namespace tarlok {

class Forms;
class Table;
class TRyczaltEwidencja;

// The record panel of the lump-sum window: the employees' cars, the records of the car in the period
// shown, the month's inputs (limit, rate, days away, the declaration date) and "Zapisz", "Anuluj" and
// "Usuń". It works on the window's form and table; the window tells it when the period or the sheet
// changes.
class LumpSumRecordPanel : public QObject {
    Q_OBJECT

public:
    LumpSumRecordPanel(TRyczaltEwidencja& window, Forms& forms);
    ~LumpSumRecordPanel() override;

    // Binds the two grids and the record's boxes to their tables; connects the panel's handlers.
    void setupControls();

    // A record is being entered (typed into, or its date picked) and not yet saved or cancelled.
    bool isPending() const;
    // The car's record controls: enabled for a car whose records may be entered.
    void setRecordControlsEnabled(bool enabled);
    // The one place that decides "&Zapisz", "&Anuluj" and "&Usuń": enabled on the sheet "RYCZAŁT" with
    // the table open, the car's record controls enabled and a month chosen ("Wszystko" is only looked
    // at), disabled otherwise.
    void updateRecordButtons();
    // The rate per kilometre of the current car by its engine capacity, from the newest rates row.
    double rateOfCar() const;
    // For a month without a record: the limit and the rate of the newest rates row proposed.
    void proposeRates();
    // The boxes show the figures of the record in view.
    void recordRefresh();
    void setDeclarationDate(const QDate& date);

public slots:
    void DBGridPojazdyPracCellClick();
    void DBGridPojazdyPracDblClick();
    void DBGridPojazdyPracEnter();
    void DBGridPojazdyPracKeyDown();
    void DBGridPojazdyPracKeyUp();
    void DBGridPojazdyPracKeyPress();
    void DBGrid1CellClick();
    void DBGrid1ColExit();
    void DBGrid1DblClick();
    void DBGrid1KeyDown();
    void DBGrid1KeyPress();
    void DBGrid1KeyUp();
    void DateTimePickerDataOswiadczeniaChange();
    void ZapiszClick();
    void AnulujClick();
    void UsunClick();

private:
    bool carInUse() const;
    void carRefresh();
    void save();

    TRyczaltEwidencja& m_window;
    Forms& m_forms;
    Ui::TRyczaltEwidencja* const m_ui;
    Table* const TableRyczalt;
    Table* const TablePojazdy;
    Table* const TableStawki;
    // The car's record controls are enabled (the opening, and the car refresh on the sheet "RYCZAŁT").
    bool m_recordsOpen = false;
};

} // namespace tarlok
