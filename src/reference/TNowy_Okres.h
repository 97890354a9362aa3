#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TNowy_Okres;
}

namespace tarlok {

class Forms;

// The new-period window: opens the month after the newest period.
class TNowy_Okres : public QDialog {
    Q_OBJECT

public:
    explicit TNowy_Okres(Forms& forms);
    ~TNowy_Okres() override;
    Ui::TNowy_Okres* ui() const { return m_ui.get(); }

    // The new period, held from the main window's "NOWY ROK." (or the register's "Dodaj nowy okres")
    // to "Wprowadź": the month after the last row of the periods table, January of the next year after
    // December. Shows it as the year, a blank and the month name.
    void prepare();
    int newYear() const { return m_year; }
    int newMonth() const { return m_month; }

public slots:
    void WprowadzClick();
    void AnulujClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TNowy_Okres> m_ui;
    int m_year = 0;
    int m_month = 0;
};

} // namespace tarlok
