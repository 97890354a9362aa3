#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TStawki_poj;
}

namespace tarlok {

class Forms;
class Table;

// The rates window: the single row of per-kilometre rates and the kilometre limit.
class TStawki_poj : public QDialog {
    Q_OBJECT

public:
    explicit TStawki_poj(Forms& forms);
    ~TStawki_poj() override;
    Ui::TStawki_poj* ui() const { return m_ui.get(); }

public slots:
    void ZapiszClick();
    void AnulujClick();
    void ZamknijClick();

protected:
    void done(int result) override;

private:
    // The rates table is opened (when closed) as the window is shown.
    void showEvent(QShowEvent* event) override;
    // Drops a change typed but not saved.
    void dropPending();
    Table* rates() const;

    Forms& m_forms;
    std::unique_ptr<Ui::TStawki_poj> m_ui;
};

} // namespace tarlok
