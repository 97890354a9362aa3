#pragma once

#include "WindowDriver.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QTableView;

namespace tarlok {
class Forms;
class ScriptedDialogs;
class TRyczaltEwidencja;
} // namespace tarlok

namespace tarlok::test {

class TestApp;

// The lump-sum window as its user meets it: opened by "RYCZAŁT" of the main window and left open (it is
// modal: the test acts while it is shown), driven through its real buttons, boxes, lists and grids. The
// one place in the tests that knows the window's controls.
class LumpSumDriver : public WindowDriver {
public:
    enum class Button { Create, Save, Cancel, Delete, Print, Preview, Help, YearSums, Close };
    enum class Box {
        Limit,
        Rate,
        LumpSum,
        Leave,
        WithoutCar,
        Other,
        Deduction,
        Due,
        SumBefore, // "Suma do ..."
        SumMonth,  // "Suma za ..."
        SumTotal,  // "Razem"
        YearCar,   // "Pojazdu:"
        YearCars,  // "Pojazdów:"
    };
    enum class Label { SumBefore, SumMonth, SumTotal };
    enum class Sheet { Records, Summary };
    enum class Answer { None, Yes, No };

    explicit LumpSumDriver(TestApp& app);

    // Presses "RYCZAŁT" in the main window; modal windows stay open from now on.
    void open();
    // isShown(), title(), pressEscape() and closeByTitleBar() as every window's driver.
    using WindowDriver::isShown;

    // --- buttons ---
    void press(Button button); // a disabled button fails the test
    bool isEnabled(Button button) const;
    bool isShown(Button button) const;
    QString caption(Button button) const;
    QString hint(Button button) const;
    void save() { press(Button::Save); }
    void cancel() { press(Button::Cancel); }
    void deleteRecord(Answer answer);
    void close() { press(Button::Close); }

    // --- the period ---
    void chooseYear(const QString& year);
    void chooseMonth(const QString& month);
    // Types into the year box and presses Enter.
    void typeYear(const QString& text);
    QString year() const;
    QString month() const;
    QStringList years() const;
    QStringList months() const;
    bool isPeriodShown() const;

    // --- sheets ---
    void chooseSheet(Sheet sheet);
    Sheet sheet() const;
    bool isSummarySheetEnabled() const;

    // --- boxes ---
    // Replaces the text of a box by typing it, key by key.
    void type(Box box, const QString& text);
    QString text(Box box) const;
    bool isShown(Box box) const;
    // The user can type into it: shown, enabled and not read-only (all its parents enabled).
    bool isOpenForTyping(Box box) const;
    QString label(Label label) const;
    bool isShown(Label label) const;
    // The declaration date.
    void pickDate(const QDate& date);
    QDate date() const;

    // --- grids ---
    void clickCar(int row);
    int carCount() const;
    QString carCell(int row, int column) const;
    QColor carTextColour(int row, bool selected) const;
    void clickRecord(int row);
    int recordCount() const;
    QString recordCell(int row, int column) const;
    bool isRecordGridShown() const;

    // --- the summary sheet ---
    QString sheetCell(int column, int row) const;
    // Columns 1 to 10 of a month's line (1 = January).
    QStringList sheetLine(int month) const;

    TRyczaltEwidencja& window() const;

protected:
    QWidget& driven() const override;

private:
    QAbstractButton* button(Button button) const;
    QLineEdit* box(Box box) const;

    TestApp& m_app;
};

} // namespace tarlok::test
