#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TWybor_okresu;
}

namespace tarlok {

class Forms;

// The first-period window, shown when the register is opened and no period exists yet.
class TWybor_okresu : public QDialog {
    Q_OBJECT

public:
    explicit TWybor_okresu(Forms& forms);
    ~TWybor_okresu() override;
    Ui::TWybor_okresu* ui() const { return m_ui.get(); }

    // Enables the window's controls and proposes a year and a month (by name).
    void propose(int year, int month);

public slots:
    void Rok_ewidencjiChange();
    void Wprowadz_okresClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TWybor_okresu> m_ui;
};

} // namespace tarlok
