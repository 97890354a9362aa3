#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TTrasy;
}

namespace tarlok {

class Forms;

// The routes window (modal), on the register's routes table.
class TTrasy : public QDialog {
    Q_OBJECT

public:
    explicit TTrasy(Forms& forms);
    ~TTrasy() override;
    Ui::TTrasy* ui() const { return m_ui.get(); }

    // Shows or hides "Wprowadź do przejazdów", the button that takes the route into the trip.
    void prepare(bool pickForTrip);

public slots:
    void DodajClick();
    void ZapiszClick();
    void AnulujClick();
    void UsunClick();
    void ZamknijClick();
    void WprowadzClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TTrasy> m_ui;
};

} // namespace tarlok
