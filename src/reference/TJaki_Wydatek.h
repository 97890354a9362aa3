#pragma once

#include <QDialog>
#include <memory>
#include <optional>

namespace Ui {
class TJaki_Wydatek;
}

namespace tarlok {

class Forms;
class Table;

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
    // Prepares the window and shows it modally.
    // What the window that opened this one shows afterwards: whether a kind was taken into the cost,
    // and whether the kind last chosen (taken or only selected) is fuel, when one was chosen.
    struct Choice {
        bool taken = false;
        std::optional<bool> fuel;
    };
    Choice openWindow(bool pickForCost);

public slots:
    void WprowadzClick();
    void DBGrid1DblClick();
    void DBGrid1CellClick();
    void ZamknijClick();
    void PomocClick();

private:
    void TableWydatkiBeforeInsert(Table& table);
    void TableWydatkiAfterInsert(Table& table);
    void TableWydatkiBeforePost(Table& table);
    void TableWydatkiAfterDelete(Table& table);
    // Grid cell click, key down and key up: the date picker takes the row's date, the register's fuel
    // controls follow the kind's fuel flag, the VAT box is shown.
    void followCurrentKind();
    // The date picker shows the current row's date (nothing while the table shows no row).
    void takeDateFromRow();
    void showVatBox();
    // "&Wprowadź do kosztu": copies the current kind into the register's cost and closes.
    void takeKind();
    Table* kinds() const;

    Forms& m_forms;
    std::unique_ptr<Ui::TJaki_Wydatek> m_ui;
    Choice m_choice;
};

} // namespace tarlok
