#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TOpcjeDlaTerminow;
}

namespace tarlok {

class Forms;
class Table;

// The deadlines window. It owns the deadlines table and the action that creates it when the data
// folder has none.
class TOpcjeDlaTerminow : public QDialog {
    Q_OBJECT

public:
    explicit TOpcjeDlaTerminow(Forms& forms);
    ~TOpcjeDlaTerminow() override;

    Table* TableTerminy;
    Ui::TOpcjeDlaTerminow* ui() const { return m_ui.get(); }

    // The creation handler without the window around it (start-up runs it with the window hidden):
    // true when the table was made.
    bool createDeadlinesTable();

public slots:
    void TworzTabTerminyClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TOpcjeDlaTerminow> m_ui;
};

} // namespace tarlok
