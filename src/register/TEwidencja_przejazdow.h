#pragma once

#include <QDate>
#include <QStringList>
#include <QWidget>
#include <array>
#include <memory>
#include <utility>

class QTableWidget;

namespace Ui {
class TEwidencja_przejazdow;
}

namespace tarlok {

class CostsTab;
class Forms;
class PeriodBoxes;
class SharedData;
class SummaryTab;
class Table;
class TripsTab;

// The register window: the vehicles, the chosen period (year and month) and, on three tabs, the costs
// and the trips of the current vehicle in that period and the summary of its year. It works on the
// shared tables of the data object and sets the chosen period there; each tab has a controller of its
// own, which the window tells when the vehicle, the period or the tab changes.
class TEwidencja_przejazdow : public QWidget {
    Q_OBJECT

public:
    explicit TEwidencja_przejazdow(Forms& forms);
    ~TEwidencja_przejazdow() override;

    Ui::TEwidencja_przejazdow* ui() const { return m_ui.get(); }
    TripsTab& trips() const { return *m_trips; }
    CostsTab& costs() const { return *m_costs; }
    SummaryTab& summary() const { return *m_summary; }

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
    // The year and month lists (the month list with "Wszystko" first) and the texts the two boxes show,
    // for a window that borrows them.
    struct PeriodLists {
        QStringList years;
        QStringList months;
        QString year;
        QString month;
    };
    PeriodLists periodLists() const;
    // Opens the shared tables that are closed: costs, periods, trips, rates, expense kinds, routes,
    // vehicles, purposes.
    void openTables();
    void closeTables();
    // Enables the tabs for a vehicle in use (or with "Aktywne dla poj. nieużywanych" ticked).
    void OdblokujZakladki();
    bool onTripsTab() const;
    bool onCostsTab() const;
    bool onSummaryTab() const;

    // --- for the tabs ---
    // Why the current vehicle can take no trip or cost: it is being entered in the vehicles window, or
    // it has no number; empty when it can (or there is no vehicle: the callers say so themselves).
    QString vehicleRefusal() const;
    // True, with the user told why, when the current vehicle can take no trip or cost.
    bool refuseVehicleWithoutNumber();
    // The busy button, shown while the summary is computed.
    void showBusy(bool shown);

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
    // the printouts
    void ZestawWydrukowClick();
    void DrukujPrzejazdyClick();
    void DrukujKosztyClick();
    void DrukujZestawienieClick();
    void PodgladZestawieniaClick();
    // the trips and costs of the period shown, to a file a spreadsheet opens
    void EksportPrzejazdowClick();
    void EksportKosztowClick();
    // the odometer chain of the vehicle in the period shown
    void SprawdzLicznikClick();
    void Pomoc_glownaClick();
    void Pomoc_kosztyClick();
    void PomocClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectHandlers();
    // The steps shared by every way of selecting a vehicle; `busy` shows the busy button while the
    // summary is computed.
    void selectVehicle(bool busy);
    void monthChanged();
    // The period now shown (and the tab): remembered, so that a refused move can put it back, and
    // "Wszystko" made browse-only.
    void periodShown();
    void restoreShownPeriod();
    // The year and month of the boxes become the chosen period of the shared data.
    void takePeriodFromBoxes();
    // What follows the tab shown, however it came to be shown: the rows the trips and costs filters
    // admit, and the month box (disabled on the summary, which shows the whole year).
    void followTab();
    // The rows of `table` in view (the trips, or the costs), written to a CSV file the user names; a
    // period without rows says `nothingText` instead.
    void exportRows(Table& table, const QString& what, const QString& nothingText, bool trips);
    // A new period was stored (here, in the main window or in the first-period window): the lists hold
    // it and the window shows it.
    void periodAdded(int year, int month, const QDate& date);

    // The shared tables, as the data object holds them (the register owns none of them).
    Table* const TablePojazdy;
    Table* const TablePrzejazdy;
    Table* const TableKoszty;
    Table* const TableStawki;
    Table* const TableOkresy;
    Table* const TableTrasy;
    Table* const TableWydatki;
    Table* const TableCelWyjazdu;

    Forms& m_forms;
    SharedData& m_data;
    std::unique_ptr<Ui::TEwidencja_przejazdow> m_ui;
    std::unique_ptr<TripsTab> m_trips;
    std::unique_ptr<CostsTab> m_costs;
    std::unique_ptr<SummaryTab> m_summary;
    PeriodBoxes* m_period = nullptr; // made with the form
    int m_shownTab = 0;
};

} // namespace tarlok
