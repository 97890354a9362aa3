#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TTrasy;
}

namespace tarlok {

class Forms;
class Table;

// The routes window (modal), on the register's routes table.
class TTrasy : public QDialog {
    Q_OBJECT

public:
    explicit TTrasy(Forms& forms);
    ~TTrasy() override;
    Ui::TTrasy* ui() const { return m_ui.get(); }

    // Shows or hides "Wprowadź do przejazdów", the button that takes the route into the trip.
    void prepare(bool pickForTrip);
    // Prepares the window and shows it modally.
    void openWindow(bool pickForTrip);

public slots:
    void DodajClick();
    void ZapiszClick();
    void AnulujClick();
    void UsunClick();
    void ZamknijClick();
    void WprowadzClick();

private slots:
    void DBGrid1DblClick();

private:
    // Puts what the edits hold into the pending row.
    void writeEdits();
    // "&Zapisz": a route with a name and a length is stored; otherwise the refusal and the pending
    // input is dropped. False when refused.
    bool saveRoute();
    // Copies the current route into the register's trip and closes.
    void pickRoute();
    Table* routes() const;
    // Why the route in `table`'s record may not be stored; an empty text when it may.
    static QString routeRefusal(const Table& table);

    Forms& m_forms;
    std::unique_ptr<Ui::TTrasy> m_ui;
};

} // namespace tarlok
