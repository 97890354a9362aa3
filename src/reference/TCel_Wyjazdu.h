#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TCel_Wyjazdu;
}

namespace tarlok {

class Forms;
class Table;

// The trip-purposes window (modal), on the register's purposes table.
class TCel_Wyjazdu : public QDialog {
    Q_OBJECT

public:
    explicit TCel_Wyjazdu(Forms& forms);
    ~TCel_Wyjazdu() override;
    Ui::TCel_Wyjazdu* ui() const { return m_ui.get(); }

    // Prepares the window for maintenance (take button hidden) or for picking a purpose into the trip
    // (take button shown); the grid is editable only while "Zapis bezpośrednio w tabeli" is ticked.
    void prepare(bool pickForTrip);
    // Prepares the window and shows it modally.
    // Returns true when the user left it by "Wyjście" (the register then shows its costs tab).
    bool openWindow(bool pickForTrip);

public slots:
    void WprowadzClick();
    void DBGrid1DblClick();
    void ZamknijClick();
    void CheckBoxZapisBezposrednioTabelaClick();

private:
    void TableCelWyjazduBeforeInsert(Table& table);
    void TableCelWyjazduBeforePost(Table& table);
    // Copies the current purpose into the register's trip (with its description or without) and closes.
    void pickPurpose(bool withDescription);
    Table* purposes() const;

    Forms& m_forms;
    std::unique_ptr<Ui::TCel_Wyjazdu> m_ui;
    bool m_leftByExit = false;
};

} // namespace tarlok
