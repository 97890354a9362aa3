#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TKierowcy1;
}

namespace tarlok {

class Forms;
class Table;

// The drivers window (not modal); also used to pick a driver for the trip being entered.
class TKierowcy1 : public QWidget {
    Q_OBJECT

public:
    explicit TKierowcy1(Forms& forms);
    ~TKierowcy1() override;
    Ui::TKierowcy1* ui() const { return m_ui.get(); }

    // Opens the drivers table (the schema window's table object) and shows the window, with or
    // without its button that takes the driver into the trip.
    void openWindow(bool pickForTrip);

public slots:
    void WprowadzImieNazwiskoClick();
    void DBGridKierowcyDblClick();
    void AnulujClick();
    void ZamknijClick();

private:
    // Ctrl+Delete in the grid deletes the driver after the Yes/No question.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Copies the current driver into the register's trip, closes the drivers table and the window.
    void pickDriver();
    // Stores a changed pending driver (an unchanged one is dropped) and closes the drivers table.
    void closeDrivers();
    Table* drivers() const;

    Forms& m_forms;
    std::unique_ptr<Ui::TKierowcy1> m_ui;
};

} // namespace tarlok
