#pragma once

#include "WindowDriver.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

namespace tarlok {
class Forms;
class ScriptedDialogs;
class TEwidencja_przejazdow;
} // namespace tarlok

namespace tarlok::test {

class TestApp;

// The register window as its user meets it: it presses the real buttons, types into the real boxes key
// by key, picks years and months in the real lists, clicks grid rows and reads what the window shows.
// The one place in the tests that knows the window's controls.
class RegisterDriver : public WindowDriver {
public:
    enum class Tab { Costs, Trips, Summary };
    // What the user answers to the question a button asks.
    enum class Answer { None, Yes, No };

    enum class Button {
        // the bar above the tabs
        Close,
        Vehicles,
        Routes,
        Rates,
        NewPeriod,
        ExpenseKinds,
        Purposes,
        Drivers,
        Help,
        PrintForm, // "Formularz Wydruków": the print selection window, modal
        // the trips tab
        RoutesList,
        PurposesList,
        DriversList,
        NewTrip,
        EditTrip,
        SaveTrip,
        CancelTrip,
        DeleteTrip,
        RemoveInvalidTrips,
        TripsHelp,
        PrintTrips,    // "Drukuj": the trip register of the period shown
        ExportTrips,   // "Eksport do pliku CSV": the trips of the period shown
        CheckOdometer, // "Ciągłość licznika": the odometer chain window, modal
        // the costs tab
        ExpenseKindsList,
        NewCost,
        EditCost,
        SaveCost,
        CancelCost,
        DeleteCost,
        CostsHelp,
        PrintCosts,  // "Drukuj": the cost statement of the period shown
        ExportCosts, // "Eksport do pliku CSV": the costs of the period shown
        // the summary tab
        PrintSummary,   // "Drukuj zestawienie": straight on the printer
        PreviewSummary, // "Podgląd": the same page in the preview
    };

    enum class Box {
        // trips
        Route,
        Purpose,
        Km,
        Rate,
        StartReading,
        FinalReading,
        TripAmount,
        FirstName,
        Surname,
        // costs
        DocumentNumber,
        ExpenseName,
        CostValue,
        Litres,
        CostKm,
        CostStartReading,
        CostFinalReading,
        VatPercent,
        CostVat,
        CostGross,
        Counted,       // "Wartość zaliczona"
        VatNotCounted, // "VAT niezaliczony"
        Consumption,
        AverageConsumption,
    };

    enum class Label {
        TripsBefore, // "Suma do ..."
        TripsMonth,  // "Suma za ..."
        TripsTotal,  // "Razem"
        CostsBefore,
        CostsMonth,
        CostsTotal,
        CostValue, // the caption of the cost's value box
    };

    // The register of a test application; the three grids' models get a model tester.
    explicit RegisterDriver(TestApp& app);
    // The register of a program run outside a test (no model testers).
    RegisterDriver(Forms& forms, ScriptedDialogs& dialogs);

    // --- the window ---
    // isShown(), title(), pressEscape() and closeByTitleBar() as every window's driver.
    using WindowDriver::isShown;
    bool isEnabled() const;

    // --- buttons ---
    // Presses a button; pressing one that is disabled fails the test (the user cannot).
    void press(Button button);
    bool isEnabled(Button button) const;
    bool isShown(Button button) const;
    void newTrip() { press(Button::NewTrip); }
    void editTrip() { press(Button::EditTrip); }
    void saveTrip() { press(Button::SaveTrip); }
    void cancelTrip() { press(Button::CancelTrip); }
    void deleteTrip(Answer answer = Answer::None);
    void removeInvalidTrips(Answer answer);
    void newCost() { press(Button::NewCost); }
    void editCost() { press(Button::EditCost); }
    void saveCost() { press(Button::SaveCost); }
    void cancelCost() { press(Button::CancelCost); }
    void deleteCost(Answer answer = Answer::None);
    void close() { press(Button::Close); }
    // "Aktywne dla poj. nieużywanych".
    void tickUnlockTabs();

    // --- the period ---
    // Picks an item of the year or month list (an item not listed fails the test).
    void chooseYear(const QString& year);
    void chooseMonth(const QString& month);
    // Types into the year or month box and presses Enter.
    void typeYear(const QString& text);
    void typeMonth(const QString& text);
    QString year() const;
    QString month() const;
    QStringList years() const;
    QStringList months() const;
    bool isMonthBoxEnabled() const;

    // --- tabs ---
    void chooseTab(Tab tab);
    Tab tab() const;
    bool tabsEnabled() const;

    // --- boxes ---
    // Replaces the text of a box by typing it, key by key.
    void type(Box box, const QString& text);
    // The same, then Enter: the text goes into the row.
    void typeAndEnter(Box box, const QString& text);
    // Types more at the end of what the box holds.
    void typeMore(Box box, const QString& text);
    // A click into a box.
    void clickInto(Box box);
    QString text(Box box) const;
    bool isShown(Box box) const;
    // Enabled, writable and framed / disabled, read-only and flat.
    bool isOpenForTyping(Box box) const;
    bool isClosedForTyping(Box box) const;
    QString label(Label label) const;
    bool isShown(Label label) const;

    // --- the trips tab ---
    // "Co podajemy": 0 the final reading, 1 the kilometres.
    void chooseTripEntry(int index);
    // The user picks a date in the trip's date picker.
    void pickTripDate(const QDate& date);
    QDate tripDate() const;
    void clickTrip(int row);
    bool isTripCellEditable(int row, int column) const;
    // The sum grid under the trips: before the month, of the month and together, km and value each.
    QStringList tripSums() const;

    // --- the costs tab ---
    // "Przeliczanie VAT-u": 0 automatic, 1 by hand.
    void chooseVatMode(int index);
    int vatMode() const;
    // "Vat zaliczony w koszty": 0 %, 50 %, 100 %.
    void chooseVatCounted(int index);
    int vatCounted() const;
    bool isVatCountedShown() const;
    // "Co podajemy" of a fuel cost: 0 the reading, 1 the kilometres.
    void chooseCostEntry(int index);
    void pickCostDate(const QDate& date);
    QDate costDate() const;
    QString costDateText() const;
    void clickCost(int row);
    QString costCell(int row, int column) const;
    // The value sums and the VAT sums: before the month, of the month and together.
    QStringList costSums() const;
    QStringList vatSums() const;

    // --- the summary tab ---
    QString summaryCell(int column, int row) const;
    // Column `column` of the summary grid for the months January to December.
    QStringList summaryMonths(int column) const;
    // The fourteen texts of a month's line after the month's name (1 = January).
    QStringList summaryLine(int month) const;
    // "Drukuj zużycie paliwa".
    void tickConsumption();
    // How often the busy button "Proszę czekać! ..." was shown since the driver was made, and whether it
    // shows now.
    int busyShowings() const;
    bool isBusyShown() const;

    // --- the odometer chain ---
    // What the window "Sprawdzenie ciągłości licznika" shows: its vehicle and period lines, one line per
    // break (date, registration, the previous trip's date, the two readings, the difference, the kind)
    // and the sentence under them.
    struct OdometerCheck {
        bool shown = false;
        QString title;
        QString vehicle;
        QString period;
        QList<QStringList> lines;
        QString result;
    };
    // Presses "Ciągłość licznika" and reads the window while it is shown; the user then closes it with
    // "Wyjście".
    OdometerCheck checkOdometer();
    // Exports the trips or the costs of the period shown into `fileName`, answering the file dialog.
    void exportTo(Button button, const QString& fileName);

    // --- headings ---
    enum class Grid { Vehicles, Trips, Costs, TripTotals, CostTotals, Summary };
    // The heading lines a grid cuts: each line of a column's title (the summary: of its three heading
    // rows; the sums under the trips and costs: of their captions) that is wider, in the font it is
    // drawn in, than its column less the style's margins, or with its lines taller than the heading's
    // height; each as "column: line". Empty when every heading shows whole. The grid's tab must show.
    QStringList cutHeadings(Grid grid) const;

    // --- vehicles ---
    void clickVehicle(int row);
    QString vehicleCell(int row, int column) const;
    // The name of the current vehicle shown above the tabs.
    QString vehicleName() const;
    // The colour the grid draws a vehicle's text in.
    QColor vehicleTextColour(int row, bool selected) const;
    // The mouse wheel over the focused vehicles grid (120 is one step up).
    void wheelVehicles(int delta);

protected:
    QWidget& driven() const override;

private:
    TEwidencja_przejazdow& window() const;
    QAbstractButton* button(Button button) const;
    QLineEdit* box(Box box) const;
    QLabel* labelOf(Label label) const;
    void answer(Answer answer);

    Forms& m_forms;
    ScriptedDialogs& m_dialogs;
    int* m_busyShowings = nullptr; // kept by a watcher that lives with the busy button
};

} // namespace tarlok::test
