#pragma once

#include "data/SharedData.h"

#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;

namespace Ui {
class TFormularzWydrukow;
}

namespace tarlok {

class Forms;
class PeriodBoxes;
class ReportForm;
class Table;
class TWydruk_Ewidencja;
class TWydruk_Koszty;
class TWydruk_Rachunkow;
class TWydruk_EwidencjaPrzebieguDlaVat;

namespace report {
struct Document;
}

// The print selection window: the current vehicle, a year and month, and one of four monthly reports
// (the trip register, the cost statement, the statement of bills with the amount that may be booked,
// the trip register for VAT purposes), printed at once or shown in the preview. It holds the four
// reports, each with its own table and record filter. Modal; prepared and opened by the register.
class TFormularzWydrukow : public QDialog {
    Q_OBJECT

public:
    // The report choice of RadioGroupJakieZestawienie.
    enum Choice { Ewidencja = 0, Koszty = 1, Rachunkow = 2, EwidencjaDlaVat = 3 };

    explicit TFormularzWydrukow(Forms& forms);
    ~TFormularzWydrukow() override;

    Ui::TFormularzWydrukow* ui() const { return m_ui.get(); }

    TWydruk_Ewidencja& Wydruk_Ewidencja() const { return *m_ewidencja; }
    TWydruk_Koszty& Wydruk_Koszty() const { return *m_koszty; }
    TWydruk_Rachunkow& Wydruk_Rachunkow() const { return *m_rachunkow; }
    TWydruk_EwidencjaPrzebieguDlaVat& Wydruk_EwidencjaPrzebieguDlaVat() const { return *m_vat; }

    // --- called by the register ---
    // "Formularz Wydruków": the window prepared from the register's year and month boxes (lists item
    // by item and texts) and the current vehicle, and shown modally.
    void openFromRegister(const QComboBox& yearBox, const QComboBox& monthBox);
    // The same preparation without showing the window.
    void prepare(const QComboBox& yearBox, const QComboBox& monthBox);
    // The register's print buttons: the trip register (trips tab) and the cost statement (costs tab)
    // of the current vehicle for the register's period, printed at once when "Wydruk bez przeglądu" is
    // checked, else previewed. Refused while the register holds a changed pending row.
    void runTripRegister();
    void runCostStatement();

    // --- the record filters of the four reports ---
    bool TWydruk_Ewidencja_TablePrzejazdy1FilterRecord(Table& table);
    bool TWydruk_Koszty_TableKoszty1FilterRecord(Table& table);
    bool TWydruk_Rachunkow_TableKoszty1FilterRecord(Table& table);
    bool TWydruk_EwidencjaPrzebieguDlaVat_Table1PrzejazdyFilterRecord(Table& table);

    // The period the filters keep: this window's year and month while it is visible (an empty year box
    // takes the current year), otherwise the register's chosen period.
    SharedData::Period filterPeriod();

    // The message of an empty VAT report (caption "Informacja").
    static const QString kNoTripsForVat;
    // The question before the VAT report of a period whose odometer chain has `count` breaks.
    static QString chainBreaksQuestion(int count);

public slots:
    void ComboBoxRokChange();
    void CheckBoxZwiekszCzcionkeWydrukuClick();
    void DrukujClick();
    void ZamknijClick();

private:
    int chosen() const;
    // Whether a report keeps only the rows of filterPeriod(): always from the register's tab showing a
    // period, and from this window for the report chosen in it.
    bool periodInEffect(Choice report);
    bool admits(Table& table, Choice report);
    // The report's own table reads at its next open only the rows its filter keeps.
    void readOnlyWhatIsKept(ReportForm& form, Choice report);
    // Steps 1 to 3 of a run: the vehicles table open, TMP, the vehicle's identification shown or hidden.
    void prepareRun();
    // The heading labels of reports 0 and 1 from the vehicle and the period caption.
    void fillVehicleHeading(ReportForm& form, const QString& periodCaption, bool capacity, bool make);
    void runEwidencja(const QString& periodCaption);
    void runKoszty(const QString& periodCaption);
    void runRachunkow(const QString& periodCaption, const QString& monthText, const QString& yearText);
    void runEwidencjaDlaVat();
    // Prints at once or shows the preview, by "Wydruk bez przeglądu".
    void send(const report::Document& document, const ReportForm& form);

    Forms& m_forms;
    std::unique_ptr<Ui::TFormularzWydrukow> m_ui;
    std::unique_ptr<TWydruk_Ewidencja> m_ewidencja;
    std::unique_ptr<TWydruk_Koszty> m_koszty;
    std::unique_ptr<TWydruk_Rachunkow> m_rachunkow;
    std::unique_ptr<TWydruk_EwidencjaPrzebieguDlaVat> m_vat;
    PeriodBoxes* m_period = nullptr; // made with the form
    // The one month the VAT report's filter keeps while its log is laid out month by month; 0 otherwise.
    int m_vatMonth = 0;
};

} // namespace tarlok
