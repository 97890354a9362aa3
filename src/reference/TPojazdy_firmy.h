#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <memory>

class QSpinBox;

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
    int Licznik = 0;         // the next-number counter: NrKol of the last row when "Dodaj" was pressed
    bool NowyPojazd = false; // between "Dodaj" and the next successful save

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
    void setupControls();
    void connectHandlers();
    // The register's vehicles table; openVehicles() opens it first when it is closed.
    Table* vehiclesTable() const;
    Table* openVehicles();
    // Writes what was typed in the boxes into the row; a text of the wrong kind is refused with the
    // box's label and the box keeps it.
    void writeTypedTexts();
    void save();
    void remove();
    // The row synchronisation of every grid event.
    void synchronise();
    // The owner's name and address into a vehicle that has none, and its current odometer from its
    // trips; a pending vehicle is never touched.
    void fillOwnerDefaults();
    void fillOdometerFromTrips();
    void loadServiceSpinEdits();
    // The owner choice and the service spin edits of the current vehicle, after any move of the table.
    void followVehicle();
    void setSpinSilently(QSpinBox* spin, const QVariant& value);
    // A change of a service spin edit by the user: the vehicle goes into edit with the new value.
    void serviceSpinChanged(const QString& field, int value);
    void showOdometerControls(bool shown);
    void setOdometerEditsLocked(bool locked);
    void centreOnScreen();

    Forms& m_forms;
    std::unique_ptr<Ui::TPojazdy_firmy> m_ui;
    QHash<const QWidget*, QString> m_boxNames; // the label of each box, for messages
    bool m_placed = false;
};

} // namespace tarlok
