#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace Ui {
class TInformacjeNotatki;
}

namespace tarlok {

class Forms;

// The notes window: free text about parts, repairs and purchases, kept with the deadlines window's
// current row (Informacje). Typing starts an edit of that row, which the deadlines window's save stores;
// the window itself stores and drops nothing. Modal.
class TInformacjeNotatki : public QDialog {
    Q_OBJECT

public:
    explicit TInformacjeNotatki(Forms& forms);
    ~TInformacjeNotatki() override;
    Ui::TInformacjeNotatki* ui() const { return m_ui.get(); }

    // The deadlines window's "&Informacja": "Rok podatkowy " and the year box's text as it stands, and
    // the window shown modally; returns when it is closed.
    void showForYear(const QString& yearText);

public slots:
    void DrukujClick();
    void ZamknijClick();

private:
    Forms& m_forms;
    std::unique_ptr<Ui::TInformacjeNotatki> m_ui;
};

} // namespace tarlok
