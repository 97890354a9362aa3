#pragma once

#include "LumpSum.h"
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
class LumpSumRecordPanel;
class LumpSumSheetPanel;
class LumpSumStatementPanel;
class LumpSumSumsPanel;
class PeriodBoxes;
class SharedData;
class Table;

// The lump sums for employees' private cars: the year, the month and the car chosen above; on the sheet
// "RYCZAŁT" the month's record with its inputs and sums, on "ZESTAWIENIE RYCZAŁTU" the car's year,
// which prints as a one-page statement. The window owns the lump-sum table, a detail of the shared
// vehicles table, and borrows the register's period lists. Modal; while it is shown the vehicles table
// lists only the employees' cars. The window keeps the table, the period and the sheets; the record,
// the sums, the summary sheet and the statement have panels of their own, each owning its handlers.
class TRyczaltEwidencja : public QDialog {
    Q_OBJECT

public:
    explicit TRyczaltEwidencja(Forms& forms);
    ~TRyczaltEwidencja() override;

    Ui::TRyczaltEwidencja* ui() const { return m_ui.get(); }
    Table* const TableRyczalt;

    LumpSumRecordPanel& record() const { return *m_record; }
    LumpSumSumsPanel& sums() const { return *m_sums; }
    LumpSumSheetPanel& sheet() const { return *m_sheet; }
    LumpSumStatementPanel& statement() const { return *m_statement; }

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

    // --- for the panels ---
    // The period the record filter admits, taken from the boxes: the year (0 for none), the month
    // (1..12, 0 for "Wszystko", none for any other text).
    int year() const { return m_year; }
    std::optional<int> month() const { return m_month; }
    PeriodBoxes& period() const { return *m_period; }
    // The period the boxes show becomes the one the filter and the sums use; "Wszystko" is browse-only.
    void periodShown();
    bool onRecordsSheet() const;
    QString dataFolder() const;
    // The car's records of the year shown as stored (the record filter not applied), in index order.
    std::vector<lumpsum::Record> carRecords() const;
    // Every record of `table`'s range.
    static std::vector<lumpsum::Record> recordsOf(const Table& table);

public slots:
    void TworzTabRyczaltClick();
    void ComboBoxRokChange();
    void ComboBoxMiesiacChange();
    void PageControl1Change();
    void PomocClick();
    void ZamknijClick();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void connectHandlers();
    // The year of the year box; none when it holds no year.
    std::optional<int> boxYear() const;

    bool tableFileExists() const;
    // Shows only the creation button (no table) or everything (the table open).
    void showTableControls(bool shown);
    // Opens the table on its file and shows the controls; throws the engine's errors.
    void openLumpSumTable();
    // The opening's steps once the table is open: the rates of a month without a record, the
    // declaration date, the sums.
    void fillForPeriod();
    // The record buttons and the period boxes on the sheet "RYCZAŁT", "Drukuj" on the summary sheet.
    void setSheetControls(bool onRecords);
    void closeWindowWork();

    Forms& m_forms;
    SharedData& m_data;
    std::unique_ptr<Ui::TRyczaltEwidencja> m_ui;
    Table* const TablePojazdy;
    Table* const TableStawki;
    Table* const TableOkresy;
    PeriodBoxes* m_period = nullptr; // made with the form
    std::unique_ptr<LumpSumRecordPanel> m_record;
    std::unique_ptr<LumpSumSumsPanel> m_sums;
    std::unique_ptr<LumpSumSheetPanel> m_sheet;
    std::unique_ptr<LumpSumStatementPanel> m_statement;

    // The period the record filter admits, taken from the boxes.
    int m_year = 0;
    std::optional<int> m_month;
    bool m_filtering = false;
    bool m_reopen = false;
};

} // namespace tarlok
