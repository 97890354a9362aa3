#pragma once

#include "calc/CostCalc.h"
#include "calc/SaveChecks.h"
#include "reference/TJaki_Wydatek.h"

#include <QObject>
#include <QtGlobal>

#include <array>
#include <optional>

namespace Ui {
class TEwidencja_przejazdow;
}

namespace tarlok {

class Forms;
class Table;
class TEwidencja_przejazdow;

// The costs tab of the register (KOSZTY): a cost is started, edited, saved, cancelled and deleted
// here, with its VAT split and fuel figures; every save and delete rewrites the running values and
// totals of the vehicle's costs, and the sums under the grid and the fuel consumption follow. It works
// on the register's form and the shared tables; the window tells it when the vehicle, the period or
// the tab changes.
class CostsTab : public QObject {
    Q_OBJECT

public:
    CostsTab(TEwidencja_przejazdow& window, Forms& forms);
    ~CostsTab() override;

    // Binds the costs grid and the cost's boxes to the costs table, with the gross value the grid
    // shows; connects the tab's handlers.
    void setupControls();

    // "Nowy koszt" or "Edytuj koszt" started the pending cost.
    const bool& newCostStarted() const { return NowyKoszt; }
    // The VAT counted into costs by month [1..12], as the last VAT sums filled it.
    const std::array<double, 13>& monthlyVat() const { return VatMiesiecznie; }
    // The window was closed: a pending cost is dropped with it.
    void windowClosed() { NowyKoszt = false; }

    // --- what the window asks when the period or the tab changes ---
    // "Nowy koszt", "Zapisz", "Anuluj" and "Usuń koszt" can be used (not on "Wszystko").
    void setButtonsEnabled(bool enabled);
    // Another month (index 1..12, 0 "Wszystko") was chosen while the tab is shown.
    void monthShown(int month);
    // The tab was brought to the front with the month `month` chosen.
    void tabShown(int month);
    // The captions and the sums of values and of VAT under the grid for `month`.
    void showSums(int month);
    // The entry choices as the register opens: the boxes the costs table has, "Co podajemy" applied,
    // the automatic VAT choice.
    void resetEntryModes();
    // The fuel consumption and the VAT fields of the first cost, when there is one.
    void showFirstCost();

    // --- the routines of the tab ---
    void PrzeliczKosztyMiesiac();
    void PrzeliczKosztyRok();
    void PrzeliczPaliwo();
    // Every pass over the costs of any vehicle in `year`, read through a table of their own.
    void recomputeCostsOfYear(qint64 vehicle, int year);
    // The current vehicle's stored costs of `year`: from the costs table when it holds that year,
    // else through a reader of their own.
    std::vector<costs::CostRow> costsOfYear(int year);
    void SumyKosztow(int month);
    void SumyVat(int month);
    void OpisySumKosztow(int month);
    void SpalanieAktualne();
    void SpalanieSrednie();
    void PokazPolaVat();
    void SprawdzStanLicznika();
    void SprawdzIloscKm();
    // Shows or hides the fuel fields by the current cost's fuel flag.
    void showFuelFields(bool fuel);
    // What the expense-kinds window leaves for the tab: the fuel fields follow the kind chosen last; a
    // kind taken into the cost shows the VAT fields.
    void expenseKindChosen(const TJaki_Wydatek::Choice& choice);
    // Applies "Co podajemy" of the costs tab to the km and starting odometer boxes.
    void applyCostEntryMode();
    // Empties the boxes of the value counted into costs and the VAT not counted.
    void clearVatShares();

public slots:
    void DodajKosztClick();
    void EdytujKosztClick();
    void ZapiszKosztClick();
    void AnulujKosztClick();
    void UsunKosztClick();
    void RadioGroupPrzeliczanieVatClick();
    void RadioGroupCoPodajemyClick();
    void DBGridKosztyCellClick();
    void DBGridKosztyKeyDown();

private:
    void TableKosztyCalcFields(Table& table);
    void saveCost();
    // Shows a refused save and cancels the pending cost where the refusal says so; false for none.
    bool refuse(const std::optional<costs::SaveRefusal>& refusal);
    void deleteCost();
    // After a save or a delete: the sums under the grid, the average consumption, and the others told.
    void costsWritten();
    // Puts the selected cost into edit with its net value and its VAT choice shown.
    void startCostEdit();
    // The steps shared by the click and the keys in the costs grid.
    void selectCostRow(bool keys);
    // Shows the "% Vat zal." box or the automatic choice by "Przeliczanie VAT-u".
    void applyVatMode();
    // Rewrites the stored values of the vehicle's costs of `year` by `passes`: the month and fuel
    // passes over the months from..to, the year pass over the whole year.
    void recomputeCosts(int year, int fromMonth, int toMonth, costs::Passes passes);

    TEwidencja_przejazdow& m_window;
    Forms& m_forms;
    Ui::TEwidencja_przejazdow* const m_ui;
    Table* const TablePojazdy;
    Table* const TableKoszty;

    bool NowyKoszt = false;                  // a cost was started with "Nowy koszt" or "Edytuj koszt"
    std::array<double, 13> VatMiesiecznie{}; // VAT counted into costs, by month [1..12]
};

} // namespace tarlok
