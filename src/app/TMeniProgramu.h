#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class TMeniProgramu;
}

namespace tarlok {

class Forms;

// The main window: a row of large buttons, a menu bar and a status bar with the hints; it prepares and
// opens every other window.
class TMeniProgramu : public QMainWindow {
    Q_OBJECT

public:
    explicit TMeniProgramu(Forms& forms);
    ~TMeniProgramu() override;

    Ui::TMeniProgramu* ui() const { return m_ui.get(); }

    static QString contactText();
    static QString webPage();
    static QString authorMail();

public slots:
    // Shows a hint in the status bar (the hint of whatever control or menu item is under the mouse).
    void WyswietlPodpowiedz(const QString& hint);

    void SpeedWyjscieClick();
    void SpeedEwidencjaClick();
    void Ewidencja1Click();
    void SpeedPojazdyClick();
    void SpeedTrasaClick();
    void SpeedWydatkiClick();
    void SpeedCeleClick();
    void SpeedStawkiClick();
    void SpeedOkresClick();
    void SpeedRyczaltClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Kopiadanych1Click();
    void Odtwarzaniedanych1Click();
    void SpeedButton3Click();
    void ParametryClick();
    void Waciciel1Click();
    void Kierowcy1Click();
    void Ustawieniedrukarki1Click();
    // the deadlines window: its main entry and its settings entry
    void SpeedButton4Click();
    void OpcjeiTerminy1Click();
    void Opcje1Click();
    // the deadline overview, and its menu item saying whether anything is due (read as the menu opens)
    void PrzegladTerminow1Click();
    void System1Click();
    void Napiszdoautora1Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void openRegister();
    void openLumpSums();

    Forms& m_forms;
    std::unique_ptr<Ui::TMeniProgramu> m_ui;
};

} // namespace tarlok
