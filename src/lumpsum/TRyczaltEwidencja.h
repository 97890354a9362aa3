#pragma once

#include "LumpSum.h"
#include "Statement.h"
#include "reports/engine/SaveAsPdf.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class TRyczaltEwidencja;
}

namespace tarlok {

class Forms;
class SharedData;
class Table;

// The lump sums for employees' private cars: the year, the month and the car chosen above; on the sheet
// "RYCZAŁT" the month's record with its inputs and sums, on "ZESTAWIENIE RYCZAŁTU" the car's year,
// which prints as a one-page statement. The window owns the lump-sum table, a detail of the shared
// vehicles table, and borrows the register's period lists. Modal; while it is shown the vehicles table
// lists only the employees' cars.
class TRyczaltEwidencja : public QDialog {
    Q_OBJECT

public:
    explicit TRyczaltEwidencja(Forms& forms);
    ~TRyczaltEwidencja() override;

    Ui::TRyczaltEwidencja* ui() const { return m_ui.get(); }
    Table* const TableRyczalt;

    // The opening from the main window, once the register was opened and hidden again: the lists filled,
    // the table opened (or only the creation button shown when its file is missing), and the window
    // shown modally. Without any period the user is told to open one first and the window stays closed.
    void openWindow();

    // For the archive: closes the lump-sum table (a record being entered is dropped) and opens it again
    // afterwards if it was open and its file is there.
    void closeTables();
    void reopenTables();

    // The statement of the car's year as the summary sheet shows it, for a device of `dpi` dots per
    // inch (what "Drukuj" prints); nothing more is drawn once `aborted` answers true.
    report::Document statementDocument(int dpi, const std::function<bool()>& aborted = {}) const;

    // The record filter: the records of the chosen year and month ("Wszystko": the whole year) while
    // the window works on the table; every record otherwise.
    bool TableRyczaltFilterRecord(Table& table) const;

public slots:
    void TworzTabRyczaltClick();
    void ComboBoxRokChange();
    void ComboBoxMiesiacChange();
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
    void PageControl1Change();
    void ZapiszClick();
    void AnulujClick();
    void UsunClick();
    void PodsumowanieRoczneClick();
    void DrukujClick();
    void PodgladClick();
    void PomocClick();
    void ZamknijClick();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void setupControls();
    void connectHandlers();

    // --- the period ---
    // The year of the year box; none when it holds no year.
    std::optional<int> boxYear() const;
    // The month of the month box: 1..12, 0 for "Wszystko", none for any other text.
    std::optional<int> boxMonth() const;
    // The period the filter and the sums use is taken from the boxes; what they show is remembered,
    // so that a refused change can put it back.
    void periodShown();
    void restoreShownPeriod();
    void yearTyped();
    void monthTyped();
    void setDeclarationDate(const QDate& date);

    // --- the table ---
    QString dataFolder() const;
    bool tableFileExists() const;
    // Shows only the creation button (no table) or everything (the table open).
    void showTableControls(bool shown);
    // Opens the table on its file and shows the controls; throws the engine's errors.
    void openLumpSumTable();
    // The opening's steps once the table is open: the rates of a month without a record, the
    // declaration date, the sums.
    void fillForPeriod();
    bool isPending() const;

    // --- the car and the record ---
    bool carInUse() const;
    double rateOfCar() const;
    void carRefresh();
    void recordRefresh();
    // The car's record controls: enabled for a car whose records may be entered.
    void setRecordControlsEnabled(bool enabled);
    // The one place that decides "&Zapisz", "&Anuluj" and "&Usuń": enabled on the sheet "RYCZAŁT" with
    // the table open, the car's record controls enabled and a month chosen ("Wszystko" is only looked
    // at), disabled otherwise.
    void updateRecordButtons();
    // The record buttons and the period boxes on the sheet "RYCZAŁT", "Drukuj" on the summary sheet.
    void setSheetControls(bool onRecords);
    // The car's records as stored (the record filter not applied), in index order.
    std::vector<lumpsum::Record> carRecords() const;
    void showMonthSums();
    void fillSummarySheet();
    void writeSheetHeadings();
    void save();
    void print();
    // The statement of the sheet as shown, to be laid out at any resolution.
    report::DotPage statementPage() const;
    void closeWindowWork();

    Forms& m_forms;
    SharedData& m_data;
    std::unique_ptr<Ui::TRyczaltEwidencja> m_ui;
    Table* const TablePojazdy;
    Table* const TableStawki;
    Table* const TableOkresy;

    // The period the record filter admits, taken from the boxes.
    int m_year = 0;
    std::optional<int> m_month;
    bool m_filtering = false;
    // The car's record controls are enabled (the opening, and the car refresh on the sheet "RYCZAŁT").
    bool m_recordsOpen = false;
    QString m_shownYear;
    QString m_shownMonth;
    bool m_reopen = false;
};

} // namespace tarlok
