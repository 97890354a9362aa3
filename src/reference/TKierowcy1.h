#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TKierowcy1;
}

namespace tarlok {

class Forms;

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
    Forms& m_forms;
    std::unique_ptr<Ui::TKierowcy1> m_ui;
};

} // namespace tarlok
