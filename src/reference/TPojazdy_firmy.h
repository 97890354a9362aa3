#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TPojazdy_firmy;
}

namespace tarlok {

class Forms;
class Table;

// The vehicles window: keeps the vehicles table (the register's own table object, so the current
// vehicle is the same everywhere) and hands out the vehicle numbers.
class TPojazdy_firmy : public QWidget {
    Q_OBJECT

public:
    explicit TPojazdy_firmy(Forms& forms);
    ~TPojazdy_firmy() override;

    Ui::TPojazdy_firmy* ui() const { return m_ui.get(); }

    // The window's state for the run.
    int Licznik = 0;          // the next-number counter: NrKol of the last row when "Dodaj" was pressed
    bool NowyPojazd = false;  // between "Dodaj" and the next successful save

    // Prepares and shows the window as the main window's "POJAZDY" button and the register's
    // "Pojazdy" button do: the owner choice, the odometer controls by the schema state, the owner
    // defaults, the vehicle's current odometer, the service spin edits; shown not modally with the
    // focus on the registration box.
    void openWindow();
    // The owner choice follows a vehicle's Pojazd_Wlasc (true: "właściciela firmy").
    void showOwnerChoice(bool ownersVehicle);

public slots:
    void DodajClick();
    void ZapiszClick();
    void AnulujClick();
    void ZamknijClick();
    void UsunClick();
    void ZapiszStanPoczClick();
    void EdytujStanPoczClick();
    void SpinEditPrzedSerwisemChange();
    void SpinEditPoSerwisieChange();
    // Every grid event (cell click, key down and up, double click, key press, column exit).
    void DBGrid1CellClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TPojazdy_firmy> m_ui;
};

} // namespace tarlok
