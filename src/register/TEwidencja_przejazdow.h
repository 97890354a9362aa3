#pragma once

#include "reference/TJaki_Wydatek.h"

#include <QDate>
#include <QWidget>
#include <array>
#include <memory>
#include <utility>

class QTableWidget;

namespace Ui {
class TEwidencja_przejazdow;
}

namespace tarlok {

class Forms;
class SharedData;
class Table;

// The register window: the vehicles, the chosen period (year and month) and, on three tabs, the costs
// and the trips of the current vehicle in that period and the summary of its year. It works on the
// shared tables of the data object and sets the chosen period there.
class TEwidencja_przejazdow : public QWidget {
    Q_OBJECT

public:
    explicit TEwidencja_przejazdow(Forms& forms);
    ~TEwidencja_przejazdow() override;

    Ui::TEwidencja_przejazdow* ui() const { return m_ui.get(); }

    // The shared tables, as the data object holds them (the register owns none of them).
    Table* const TablePojazdy;
    Table* const TablePrzejazdy;
    Table* const TableKoszty;
    Table* const TableStawki;
    Table* const TableOkresy;
    Table* const TableTrasy;
    Table* const TableWydatki;
    Table* const TableCelWyjazdu;

    // --- state kept between actions ---
    bool NowyPrzejazd = false;               // a trip was started with "Nowy przejazd"
    bool NowyKoszt = false;                  // a cost was started with "Nowy koszt" or "Edytuj koszt"
    std::array<double, 13> VatMiesiecznie{}; // VAT counted into costs, by month [1..12]

    // "EWIDENCJA" of the main window: the tables opened, the newest period shown on the costs tab, the
    // entry modes of both tabs set back, and the window shown.
    void openFromMainWindow();
    // After the first period was opened: the window shown on the costs tab.
    void showFirstPeriod();

    // --- the selected period ---
    // The month index of the month box: 1..12 for a month name, 0 for "Wszystko"; any other text
    // leaves `month` as it was.
    void WybranyMiesiac(int& month) const;
    int WybranyMiesiac() const;
    // The year of the year box and the month of the month box.
    void WybranyOkres(int& year, int& month) const;
    // 0 gives 1..12, any other index k gives k..k.
    static std::pair<int, int> ZakresMiesiecy(int month);
    // The year of the year box; the current year when the box holds no whole number.
    int selectedYear() const;

    // Fills the year list (years with periods within 25 years back and 24 ahead) and the month list of
    // the newest period's year, and shows the newest period.
    void fillPeriodLists();
    // Opens the shared tables that are closed: costs, periods, trips, rates, expense kinds, routes,
    // vehicles, purposes.
    void openTables();
    void closeTables();
    // Enables the tabs for a vehicle in use (or with "Aktywne dla poj. nieużywanych" ticked).
    void OdblokujZakladki();
    bool onTripsTab() const;
    bool onCostsTab() const;
    bool onSummaryTab() const;

    // A pending trip, cost or vehicle that was changed holds the window where it is: the user is told
    // to save or cancel it first and true is returned. An unchanged pending row is dropped.
    bool holdPendingRow();

    // --- the trips tab ---
    void UstawStawke();
    // The rate of the current vehicle by its engine capacity, from the current rates row.
    double rateOfVehicle() const;
    void PrzeliczPrzejazdyMiesiac();
    void PrzeliczPrzejazdyRok();
    void SumyPrzejazdow(int month);
    void OpisySumPrzejazdow(int month);
    // The final reading of the vehicle's latest trip over all periods becomes its current odometer.
    void updateVehicleOdometer();

    // --- the costs tab ---
    void PrzeliczKosztyMiesiac();
    void PrzeliczKosztyRok();
    void PrzeliczPaliwo();
    void SumyKosztow(int month);
    void SumyVat(int month);
    double SumaVatMiesiaca(int year, int month);
    void OpisySumKosztow(int month);
    void SpalanieAktualne();
    void SpalanieSrednie();
    void PokazPolaVat();
    void SprawdzStanLicznika();
    void SprawdzIloscKm();
    // Shows or hides the fuel fields by the current cost's fuel flag.
    void showFuelFields(bool fuel);
    // Applies "Co podajemy" of the costs tab to the km and starting odometer boxes.
    void applyCostEntryMode();

    // --- the summary tab ---
    void NaglowkiZestawienia();
    void WyliczZestawienie();
    double SpalanieMiesiaca(int month);

    // A cell of a sum grid (column, row), as the grids are addressed.
    static void setCell(QTableWidget* grid, int column, int row, const QString& text);
    static QString cell(const QTableWidget* grid, int column, int row);

public slots:
    // period and vehicle
    void ComboBoxRokChange();
    void ComboBoxMiesiacChange();
    void ComboBoxMiesiacClick();
    void PageControl1Change();
    void DBGridPojazdyCellClick();
    void DBGridPojazdyDblClick();
    void DBGridPojazdyKeyDown();
    void DBGridPojazdyKeyUp();
    void DBGridPojazdyExit();
    void CheckBoxOdblokujClick();
    void zamknijClick();
    // windows opened from the register
    void DodajPojazdClick();
    void DodajTraseClick();
    void Kartoteka_TrasClick();
    void StawkiClick();
    void NowyOkresClick();
    void WydatkiClick();
    void Kart_WydatkiClick();
    void CelWyjClick();
    void Kartoteka_CelowClick();
    void KierowcyClick();
    void KartotekaKierowcowClick();
    void Pomoc_glownaClick();
    void Pomoc_kosztyClick();
    void PomocClick();

    // trips
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

    // costs
    void DodajKosztClick();
    void EdytujKosztClick();
    void ZapiszKosztClick();
    void AnulujKosztClick();
    void UsunKosztClick();
    void RadioGroupPrzeliczanieVatClick();
    void RadioGroupCoPodajemyClick();
    void DBGridKosztyCellClick();
    void DBGridKosztyKeyDown();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void setupTables();
    void setupGrids();
    void connectHandlers();
    void TableKosztyCalcFields(Table& table);
    // The steps shared by every way of selecting a vehicle; `busy` shows the busy button while the
    // summary is computed.
    void selectVehicle(bool busy);
    void monthChanged();
    void setTripButtonsEnabled(bool enabled);
    void setCostButtonsEnabled(bool enabled);
    void showBusy(bool shown);
    // The period now shown: remembered, so that a refused move can put it back, and "Wszystko" made
    // browse-only.
    void periodShown();
    // True, with the user told why, when `table` is browse-only.
    bool refuseBrowseOnly(const Table& table);
    // True, with the user told why, when the current vehicle can take no trip or cost: it is being
    // entered in the vehicles window, or it has no number.
    bool refuseVehicleWithoutNumber();
    void restoreShownPeriod();
    // trips tab (private helpers of the trips tab go here)
    void saveTrip();
    // Deletes the trips of every vehicle and period that lack a year, a month or a date; the count.
    int deleteInvalidTrips();
    // Abandons the pending trip.
    void cancelTrip();
    // The running totals from January over the current vehicle's trips of the whole `year`.
    void tripYearPass(int year);
    // The month and year passes over the trips of any vehicle in `year`, read through a table of
    // their own.
    void recomputeTripsOfYear(qint64 vehicle, int year);
    // The pending trip's rate times its kilometres in the amount box (a preview, not stored).
    void showTripAmountPreview();

    // costs tab (private helpers of the costs tab go here)
    void saveCost();
    void deleteCost();
    // Puts the selected cost into edit with its net value and its VAT choice shown.
    void startCostEdit();
    // The steps shared by the click and the keys in the costs grid.
    void selectCostRow(bool keys);
    // Shows the "% Vat zal." box or the automatic choice by "Przeliczanie VAT-u".
    void applyVatMode();
    // Rewrites the stored values of the vehicle's costs of `year`: with `monthPasses` the month running
    // values, month totals and fuel totals of the months from..to, with `yearPass` the running values
    // of the whole year.
    void recomputeCosts(int year, int fromMonth, int toMonth, bool monthPasses, bool fuelPass, bool yearPass);

    // What the expense-kinds window leaves for the costs tab.
    void showExpenseKindChoice(const TJaki_Wydatek::Choice& choice);
    // The year and month of the boxes become the chosen period of the shared data.
    void takePeriodFromBoxes();
    // The rows the trips and costs filters admit follow the tab shown.
    void applyScopes();
    // A new period was stored (here, in the main window or in the first-period window): the lists hold
    // it and the window shows it.
    void periodAdded(int year, int month, const QDate& date);

    Forms& m_forms;
    SharedData& m_data;
    std::unique_ptr<Ui::TEwidencja_przejazdow> m_ui;
    int m_shownTab = 0;
    QString m_shownYear;
    QString m_shownMonth;
};

} // namespace tarlok
