#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TJaki_Wydatek;
}

namespace tarlok {

class Forms;

// The expense-kinds window (modal), on the register's expense-kinds table.
class TJaki_Wydatek : public QDialog {
    Q_OBJECT

public:
    explicit TJaki_Wydatek(Forms& forms);
    ~TJaki_Wydatek() override;
    Ui::TJaki_Wydatek* ui() const { return m_ui.get(); }

    // Prepares the window for maintenance (take button hidden, the VAT box shown) or for taking a
    // kind into the cost being entered (take button shown).
    void prepare(bool pickForCost);

public slots:
    void WprowadzClick();
    void DBGrid1DblClick();
    void DBGrid1CellClick();
    void ZamknijClick();
    void PomocClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TJaki_Wydatek> m_ui;
};

} // namespace tarlok
