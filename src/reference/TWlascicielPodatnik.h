#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TWlascicielPodatnik;
}

namespace tarlok {

class Forms;
class Table;

// The owner and taxpayer window (not modal).
class TWlascicielPodatnik : public QWidget {
    Q_OBJECT

public:
    explicit TWlascicielPodatnik(Forms& forms);
    ~TWlascicielPodatnik() override;
    Ui::TWlascicielPodatnik* ui() const { return m_ui.get(); }

    // Opens the owner table (the schema window's table object) and shows the window.
    void openWindow();

public slots:
    void ZamknijClick();

private:
    Table* owner() const;

    Forms& m_forms;
    std::unique_ptr<Ui::TWlascicielPodatnik> m_ui;
};

} // namespace tarlok
