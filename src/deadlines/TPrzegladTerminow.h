#pragma once

#include "DeadlineOverview.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <vector>

namespace Ui {
class TPrzegladTerminow;
}

namespace tarlok {

class Forms;

// "Przegląd terminów": one line for each deadline of a vehicle in use that is due or past today and
// for each service alarm, read afresh whenever it is shown. A double click (or "Terminy pojazdu")
// opens the deadlines window on that vehicle and year. Modal; opened from the main menu, and once
// after start-up when something is due.
class TPrzegladTerminow : public QDialog {
    Q_OBJECT

public:
    explicit TPrzegladTerminow(Forms& forms);
    ~TPrzegladTerminow() override;

    Ui::TPrzegladTerminow* ui() const { return m_ui.get(); }

    // Reads the lines for today and shows them; their number.
    int refresh();
    const std::vector<deadlines::OverviewLine>& lines() const { return m_lines; }

    // The main menu's item: the window with today's lines, also when there are none.
    void openWindow();
    // After start-up: the window only when something is due or past, with `mainWindow` shown first
    // so that it stands over it.
    void showIfDue(QWidget* mainWindow);

    // What the window says above an empty list.
    static QString nothingDue(const QDate& today);

public slots:
    void StringGridTerminyDblClick();
    void OtworzTerminyClick();
    void ZamknijClick();

private:
    void openDeadlines(int row);

    Forms& m_forms;
    std::unique_ptr<Ui::TPrzegladTerminow> m_ui;
    std::vector<deadlines::OverviewLine> m_lines;
};

} // namespace tarlok
