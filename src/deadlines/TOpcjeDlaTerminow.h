#pragma once

#include "DeadlinesForm.h"

#include <QColor>
#include <QDialog>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace Ui {
class TOpcjeDlaTerminow;
}

namespace tarlok {

class EditingPanel;
class Forms;
class ServicePanel;
class SlotsPanel;
class Table;

// The deadlines window: for each vehicle of the shared vehicles table and each tax year, the deadline
// dates and which of them are watched, how many days before and after a deadline it warns, the costs
// paid, and the odometer-based service alarm. Its table is open while the window is shown, as a detail
// of the current vehicle; a row typed into is held there until it is saved or cancelled. The window
// opens and closes, follows the current vehicle and draws its grids; its panels (the service alarm,
// the date slots, the editing buttons) work on the form context it hands them.
class TOpcjeDlaTerminow : public QDialog, public DeadlinesEntry {
    Q_OBJECT

public:
    explicit TOpcjeDlaTerminow(Forms& forms);
    ~TOpcjeDlaTerminow() override;

    Table* TableTerminy;
    Ui::TOpcjeDlaTerminow* ui() const { return m_ui.get(); }
    DeadlinesForm& form() const { return *m_form; }
    ServicePanel& service() const { return *m_service; }
    SlotsPanel& slotPanel() const { return *m_slots; }
    EditingPanel& editing() const { return *m_editing; }

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
    void openOn(qint64 vehicle, int year) override;

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
    QColor windowColour() const;

public slots:
    void TworzTabTerminyClick();
    void DrukujClick();
    void InformacjaClick();
    void PomocClick();
    void ZamknijClick();
    void CheckBoxWszystkieLataClick();
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
    void centreOnScreen();
    bool leaveWindow();

    // Whenever the current vehicle changes (by any window): the view on its last row, then the row
    // shown and checked.
    void vehicleChanged();
    void showVehicle(bool toLastRow);
    void applyVehicleState();
    void setPanelsEnabled(bool enabled);

    Forms& m_forms;
    std::unique_ptr<Ui::TOpcjeDlaTerminow> m_ui;
    std::unique_ptr<DeadlinesForm> m_form;
    std::unique_ptr<ServicePanel> m_service;
    std::unique_ptr<SlotsPanel> m_slots;
    std::unique_ptr<EditingPanel> m_editing;
    bool m_reopen = false;
    bool m_leaving = false;
    std::optional<int> m_openYear; // the year openOn() shows
};

} // namespace tarlok
