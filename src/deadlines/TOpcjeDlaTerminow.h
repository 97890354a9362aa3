#pragma once

#include "DeadlineWarnings.h"

#include <QColor>
#include <QDialog>
#include <QHash>
#include <QString>
#include <QVariant>

#include <array>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QSpinBox;

namespace Ui {
class TOpcjeDlaTerminow;
}

namespace tarlok {

struct AppContext;
class DbCheckBox;
class DbDateEdit;
class DbEdit;
class Forms;
class SharedData;
class Table;

// The deadlines window: for each vehicle of the shared vehicles table and each tax year, the deadline
// dates and which of them are watched, how many days before and after a deadline it warns, the costs
// paid, and the odometer-based service alarm. Its table is open while the window is shown, as a detail
// of the current vehicle; a row typed into is held there until it is saved or cancelled.
class TOpcjeDlaTerminow : public QDialog {
    Q_OBJECT

public:
    explicit TOpcjeDlaTerminow(Forms& forms);
    ~TOpcjeDlaTerminow() override;

    Table* TableTerminy;
    Ui::TOpcjeDlaTerminow* ui() const { return m_ui.get(); }

    // The creation handler without the window around it (start-up runs it with the window hidden):
    // true when the table was made.
    bool createDeadlinesTable();

    // --- the main window's entries ---
    // "&Terminy" and "TERMINY": the table opened on the current vehicle, the year filter of "Wszystkie
    // lata" applied, the service panel filled; shown modally.
    void openMain();
    // "&Ustawienie terminów": the same without the year filter and the second-instalment pickers.
    void openSettings();
    // "TERMINY" on a vehicle (its NrKol_Pojazdu) and on its row of a year (the deadline overview's
    // double click): every year listed when that year is not the current one.
    void openOn(qint64 vehicle, int year);

    // --- what the printouts and the notes window read ---
    // The current vehicle's number (NrKol_Pojazdu) and description (Dane_Poj_Wszystko); empty without
    // a vehicle.
    QVariant currentVehicleNumber() const;
    QString currentVehicleDescription() const;
    bool allVehicles() const; // "Wszystkie pojazdy" ticked
    bool allYears() const;    // "Wszystkie lata" ticked
    // Whether the table lists one year only, and which (the current calendar year).
    bool yearFiltered() const;
    int filterYear() const;
    // The text of "Rok podatkowy", as typed during an edit.
    QString yearBoxText() const;

    // --- for the archive ---
    // Closes the deadlines table (a pending row is dropped); true when it was open.
    bool closeTables();
    // Opens it again after closeTables() had closed it, and shows the current vehicle's rows anew.
    void reopenTables();

    // The window colour of the edit boxes, from which the warnings stand out.
    QColor windowColour() const { return m_windowColour; }

public slots:
    void TworzTabTerminyClick();
    void DodajClick();
    void DrukujClick();
    void InformacjaClick();
    void EdytujClick();
    void ZapiszClick();
    void AnulujClick();
    void UsunClick();
    void PomocClick();
    void ZamknijClick();
    void EditKosztDodatkowyChange();
    void CheckBoxWszystkieLataClick();
    void DBCheckBoxTerminOCClick();
    void DBCheckBoxTerminACClick();
    void DBCheckBoxTerminPrzegTechClick();
    void DBCheckBoxTerminPrzegGwarClick();
    void DBCheckBoxTerminNaprawyClick();
    void DBCheckBoxTerminWymianyClick();
    void DBCheckBoxTerminWazDokumClick();
    void DBCheckBoxTerminyInneClick();
    void DateTimePickerOCChange();
    void DateTimePickerOC2Change();
    void DateTimePickerACChange();
    void DateTimePickerAC2Change();
    void DateTimePickerTechChange();
    void DateTimePickerGwarChange();
    void DateTimePickerPojChange();
    void DateTimePickerOlejChange();
    void DateTimePickerDokChange();
    void DateTimePickerInneChange();
    void SpinEditDniPrzedTerminemChange();
    void SpinEditDniPoTerminieChange();
    void SpinEditKonczInformowanieChange();
    void SpinEditPrzedSerwisemChange();
    void SpinEditPoSerwisieChange();
    void PrzekazAutoSerwisClick();
    // A click, double click or key in the deadlines grid.
    void DBGridTerminyCellClick();

    // Closing by any way (a changed pending row is saved first; a refused save keeps the window open).
    void reject() override;

public:
    // The year filter: the row's year is the current calendar year.
    bool TableTerminyFilterRecord(Table& table);
    // The text colours of the two grids.
    void DBGridTerminyDrawColumnCell(int row, bool selected, QColor& text) const;
    void DBGridPojazdyDrawColumnCell(int row, bool selected, QColor& text) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setupControls();
    void setupGrids();
    void connectHandlers();
    Table* vehicles() const;
    AppContext& context() const;

    // opening and closing
    void openWindow(bool mainEntry);
    void openDeadlines();
    void showPanels(bool shown);
    void centreOnScreen();
    bool leaveWindow();
    void writeBackServiceFields();

    // the steps the handlers share
    // Whenever the current vehicle changes (by any window): the view on its last row, then the row
    // shown and checked.
    void vehicleChanged();
    void showVehicle(bool toLastRow);
    void applyVehicleState();
    void setPanelsEnabled(bool enabled);
    bool vehicleInUse() const;
    void loadCurrentRow();
    // The current row loaded, its kinds shown or hidden, its dates checked, its totals shown.
    void showCurrentRow();
    void dateCheck();
    void editedDateCheck();
    void checkSlots(bool fromPickers);
    void showTotals();
    void applyKindToggles();
    void kindToggled(deadlines::Kind kind);
    void showKind(deadlines::Kind kind, bool shown);
    void serviceReadings();
    void serviceCheck();
    bool serviceAvailable() const;
    void showAlarm(bool shown, const QColor& colour);

    // editing
    bool hasRow() const;
    void yearTyped();
    void pickerChanged(deadlines::Slot slot);
    void daySpinChanged(const QString& field, int value);
    void kmSpinChanged(const QString& field, int value);
    void writeTypedTexts();
    bool save();
    void closeEditBoxes();
    void writeServiceFields();

    void setColour(QWidget* widget, const QColor& colour);
    void setSpinSilently(QSpinBox* spin, int value);
    void setPickerSilently(DbDateEdit* picker, const QDate& date);
    void setYearBox(const QString& text);

    Forms& m_forms;
    SharedData& m_data;
    std::unique_ptr<Ui::TOpcjeDlaTerminow> m_ui;
    std::array<DbDateEdit*, deadlines::SlotCount> m_pickers{};
    std::array<QLabel*, deadlines::SlotCount> m_slotLabels{}; // the label a date check hides
    std::array<DbCheckBox*, deadlines::KindCount> m_watchBoxes{};
    QHash<const QWidget*, QString> m_boxNames; // the caption of each cost box, for messages
    QColor m_windowColour;
    qint64 m_shownVehicle = -1; // the vehicle row shown (its rowid), -1 for none yet
    bool m_reopen = false;
    bool m_leaving = false;
    std::optional<int> m_openYear; // the year openOn() shows
};

} // namespace tarlok
