#pragma once

#include "calc/SaveChecks.h"

#include <QObject>
#include <QtGlobal>

#include <optional>

namespace Ui {
class TEwidencja_przejazdow;
}

namespace tarlok {

class Forms;
class Table;
class TEwidencja_przejazdow;

// The trips tab of the register (PRZEJAZDY): starting, editing, saving, cancelling and deleting a
// trip, the running totals of the month and the year that every save rewrites, the sums under the
// grid and the vehicle's current odometer. It works on the register's form and the shared tables;
// the window tells it when the vehicle, the period or the tab changes.
class TripsTab : public QObject {
    Q_OBJECT

public:
    TripsTab(TEwidencja_przejazdow& window, Forms& forms);
    ~TripsTab() override;

    // Binds the trips grid and the trip's boxes to the trips table; connects the tab's handlers.
    void setupControls();

    // "Nowy przejazd" started the pending trip.
    const bool& newTripStarted() const { return NowyPrzejazd; }
    // The window was closed: a pending trip is dropped with it.
    void windowClosed() { NowyPrzejazd = false; }

    // --- what the window asks when the period or the tab changes ---
    // "Nowy przejazd", "Zapisz", "Anuluj" and "Usuń przejazd" can be used (not on "Wszystko").
    void setButtonsEnabled(bool enabled);
    // Another month (index 1..12, 0 "Wszystko") was chosen while the tab is shown.
    void monthShown(int month);
    // The tab was brought to the front with the month `month` chosen.
    void tabShown(int month);
    // The captions and the sums under the grid for `month`.
    void showSums(int month);
    // "Co podajemy" back on the final reading, as the register opens.
    void resetEntryMode();

    // --- the routines of the tab ---
    void UstawStawke();
    // The rate of the current vehicle by its engine capacity, from the current rates row.
    double rateOfVehicle() const;
    void PrzeliczPrzejazdyMiesiac();
    void PrzeliczPrzejazdyRok();
    void SumyPrzejazdow(int month);
    void OpisySumPrzejazdow(int month);
    // The final reading of the vehicle's latest trip over all periods becomes its current odometer.
    void updateVehicleOdometer();
    // The month and year passes over the trips of any vehicle in `year`, read through a table of
    // their own.
    void recomputeTripsOfYear(qint64 vehicle, int year);

public slots:
    void DodajPrzejazdClick();
    void EdytujPrzejazdClick();
    void ZapiszPrzejazdClick();
    void AnulujPrzejazdClick();
    void UsunPrzejazdClick();
    void UsunNiepoprwaneRekordyClick();
    void RadioGroup1CoPodajemyClick();
    void DBIloscKmClick();
    void DBIloscKmExit();
    void DataPrzejazduChange();
    void DBGridPrzejazdyCellClick();

private:
    void saveTrip();
    // Shows a refused save and cancels the pending trip where the refusal says so; false for none.
    bool refuse(const std::optional<trips::SaveRefusal>& refusal);
    // Deletes the trips of every vehicle and period that lack a year, a month or a date; the count.
    int deleteInvalidTrips();
    // Abandons the pending trip.
    void cancelTrip();
    // The running totals from January over the current vehicle's trips of the whole `year`.
    void tripYearPass(int year);
    // The pending trip's rate times its kilometres in the amount box (a preview, not stored).
    void showTripAmountPreview();

    TEwidencja_przejazdow& m_window;
    Forms& m_forms;
    Ui::TEwidencja_przejazdow* const m_ui;
    Table* const TablePojazdy;
    Table* const TablePrzejazdy;
    Table* const TableStawki;
    Table* const TableOkresy;

    bool NowyPrzejazd = false; // the pending trip was started with "Nowy przejazd"
};

} // namespace tarlok
