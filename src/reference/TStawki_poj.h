#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TStawki_poj;
}

namespace tarlok {

class Forms;

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
    Forms& m_forms;
    std::unique_ptr<Ui::TStawki_poj> m_ui;
};

} // namespace tarlok
