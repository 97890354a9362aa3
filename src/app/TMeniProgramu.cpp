#include "TMeniProgramu.h"

#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "deadlines/TPrzegladTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Help.h"
#include "platform/Shell.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "reference/TWybor_okresu.h"
#include "register/TEwidencja_przejazdow.h"
#include "reports/engine/Output.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TMeniProgramu.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHelpEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QStatusTipEvent>
#include <QToolTip>

namespace tarlok {

namespace {

// Hints come up after 100 ms and stay 10 seconds.
class HintStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return 100;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

// The application's hint handler: the hint under the mouse, in any window, goes to the status bar too.
class HintHandler : public QObject {
public:
    explicit HintHandler(TMeniProgramu* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) {
            m_window->WyswietlPodpowiedz(static_cast<QStatusTipEvent*>(event)->tip());
        } else if (event->type() == QEvent::ToolTip) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && !widget->toolTip().isEmpty()) {
                auto* help = static_cast<QHelpEvent*>(event);
                m_window->WyswietlPodpowiedz(widget->toolTip());
                QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), 10000);
                return true;
            }
        }
        return false;
    }

private:
    TMeniProgramu* m_window;
};

} // namespace

TMeniProgramu::TMeniProgramu(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TMeniProgramu>()) {
    setObjectName(QStringLiteral("MeniProgramu"));
    m_ui->setupUi(this);
    setHelpTopic(this, 1);
    m_ui->LabelKontakt->setText(contactText());
    m_ui->System1->menuAction()->setStatusTip(
        QStringLiteral("Ewidencja, archiwizacja danych, ustawienie i wybór drukarki"));
    m_ui->Archiwizacja1->menuAction()->setStatusTip(
        QStringLiteral("Tworzenie kopii danych programu i ich idtwarzanie"));
    m_ui->Informacja->menuAction()->setStatusTip(QStringLiteral("Informacje o programie"));
    m_ui->SpeedButton3->setCursor(Qt::PointingHandCursor);

    // Enabled the first time the register is opened with a period.
    for (QWidget* b : {m_ui->SpeedPojazdy, m_ui->SpeedTrasa, m_ui->SpeedWydatki, m_ui->SpeedCele,
                       m_ui->SpeedStawki, m_ui->SpeedOkres})
        b->setEnabled(false);

    connectAction(m_forms.context.dialogs, m_ui->SpeedWyjscie, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedWyjscieClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedEwidencja, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedEwidencjaClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedPojazdy, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedPojazdyClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedTrasa, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedTrasaClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedWydatki, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedWydatkiClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedCele, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedCeleClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedStawki, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedStawkiClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedOkres, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedOkresClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedButton1, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedButton1Click);
    connectAction(m_forms.context.dialogs, m_ui->SpeedRyczalt, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedRyczaltClick);
    connectAction(m_forms.context.dialogs, m_ui->SpeedButton3, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedButton3Click);
    connectAction(m_forms.context.dialogs, m_ui->SpeedButton2, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedButton2Click);
    connectAction(m_forms.context.dialogs, m_ui->Kopiadanych1, &QAction::triggered, this,
                  &TMeniProgramu::Kopiadanych1Click);
    connectAction(m_forms.context.dialogs, m_ui->Odtwarzaniedanych1, &QAction::triggered, this,
                  &TMeniProgramu::Odtwarzaniedanych1Click);
    connectAction(m_forms.context.dialogs, m_ui->Ewidencja1, &QAction::triggered, this,
                  &TMeniProgramu::Ewidencja1Click);
    connectAction(m_forms.context.dialogs, m_ui->Parametry, &QAction::triggered, this,
                  &TMeniProgramu::ParametryClick);
    connectAction(m_forms.context.dialogs, m_ui->Waciciel1, &QAction::triggered, this,
                  &TMeniProgramu::Waciciel1Click);
    connectAction(m_forms.context.dialogs, m_ui->Kierowcy1, &QAction::triggered, this,
                  &TMeniProgramu::Kierowcy1Click);
    connectAction(m_forms.context.dialogs, m_ui->Ustawieniedrukarki1, &QAction::triggered, this,
                  &TMeniProgramu::Ustawieniedrukarki1Click);
    connectAction(m_forms.context.dialogs, m_ui->Wyjciezprogramu1, &QAction::triggered, this,
                  &TMeniProgramu::SpeedWyjscieClick);
    connectAction(m_forms.context.dialogs, m_ui->Napiszdoautora1, &QAction::triggered, this,
                  &TMeniProgramu::Napiszdoautora1Click);
    connectAction(m_forms.context.dialogs, m_ui->Pomoc1, &QAction::triggered, this,
                  &TMeniProgramu::SpeedButton1Click);
    connectAction(m_forms.context.dialogs, m_ui->SpeedButton4, &QPushButton::clicked, this,
                  &TMeniProgramu::SpeedButton4Click);
    connectAction(m_forms.context.dialogs, m_ui->OpcjeiTerminy1, &QAction::triggered, this,
                  &TMeniProgramu::OpcjeiTerminy1Click);
    connectAction(m_forms.context.dialogs, m_ui->Opcje1, &QAction::triggered, this,
                  &TMeniProgramu::Opcje1Click);
    connectAction(m_forms.context.dialogs, m_ui->PrzegladTerminow1, &QAction::triggered, this,
                  &TMeniProgramu::PrzegladTerminow1Click);
    connectAction(m_forms.context.dialogs, m_ui->System1, &QMenu::aboutToShow, this,
                  &TMeniProgramu::System1Click);
    FormCreate();
}

TMeniProgramu::~TMeniProgramu() = default;

QString TMeniProgramu::contactText() {
    return QStringLiteral("TARLOK - ewidencja przebiegu i kosztów pojazdów   •   tel. (12) 345 67 89   •   "
                          "biuro@tarlok.pl");
}
QString TMeniProgramu::webPage() {
    return QStringLiteral("http://www.tarlok.pl");
}
QString TMeniProgramu::authorMail() {
    return QStringLiteral("autor@tarlok.pl");
}

void TMeniProgramu::FormCreate() {
    auto* style = new HintStyle(QApplication::style()->name());
    style->setParent(this);
    QApplication::setStyle(style);
    QPalette hint = QToolTip::palette();
    hint.setColor(QPalette::ToolTipBase, Qt::yellow);
    hint.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(hint);
    qApp->installEventFilter(new HintHandler(this));
}

void TMeniProgramu::WyswietlPodpowiedz(const QString& hint) {
    m_ui->StatusBar1->showMessage(hint);
}

void TMeniProgramu::closeEvent(QCloseEvent* event) {
    // What is being typed somewhere is not lost without a word.
    if (!m_forms.pendingEdits.closeAnyway(m_forms.context.dialogs)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void TMeniProgramu::SpeedWyjscieClick() {
    close();
}

void TMeniProgramu::Ewidencja1Click() {
    SpeedEwidencjaClick();
}

void TMeniProgramu::SpeedEwidencjaClick() {
    runAction(m_forms.context.dialogs, [&] { openRegister(); });
}

void TMeniProgramu::openRegister() {
    AppContext& ctx = m_forms.context;
    TEwidencja_przejazdow& reg = *m_forms.Ewidencja_przejazdow;
    const QDate today = ctx.clock.today();
    // An open register holding a trip or a cost being entered is only brought up: opening it anew
    // would move it off that row.
    if (m_forms.refuseWhileTyping())
        return;
    Table* periods = ctx.data().TableOkresy;
    periods->open();
    if (periods->isNull(fields::okresy::Miesiac)) {
        // No period yet: the first one is chosen, and the register shows it.
        m_forms.Wybor_okresu->propose(today.year(), today.month());
        ctx.dialogs.showModal(m_forms.Wybor_okresu);
        if (!periods->isEmpty() && !periods->isNull(fields::okresy::Miesiac))
            reg.showFirstPeriod();
        return;
    }
    for (QWidget* b : {m_ui->SpeedPojazdy, m_ui->SpeedTrasa, m_ui->SpeedWydatki, m_ui->SpeedCele,
                       m_ui->SpeedStawki, m_ui->SpeedOkres})
        b->setEnabled(true);
    reg.openFromMainWindow();
}

void TMeniProgramu::SpeedRyczaltClick() {
    runAction(m_forms.context.dialogs, [&] { openLumpSums(); });
}

void TMeniProgramu::openLumpSums() {
    TEwidencja_przejazdow& reg = *m_forms.Ewidencja_przejazdow;
    // What is being typed is saved or cancelled first: the lump sums would hide the register and keep
    // its vehicle from moving.
    if (m_forms.refuseWhileTyping())
        return;
    openRegister();
    reg.hide();
    m_forms.RyczaltEwidencja->openWindow();
}

void TMeniProgramu::SpeedPojazdyClick() {
    if (m_forms.refuseWhileTyping())
        return;
    runAction(m_forms.context.dialogs, [&] { m_forms.Pojazdy_firmy->openWindow(); });
}

void TMeniProgramu::SpeedTrasaClick() {
    if (!m_forms.refuseWhileTyping())
        m_forms.Trasy->openWindow(false);
}

void TMeniProgramu::SpeedWydatkiClick() {
    if (!m_forms.refuseWhileTyping())
        m_forms.Jaki_Wydatek->openWindow(false);
}

void TMeniProgramu::SpeedCeleClick() {
    if (!m_forms.refuseWhileTyping())
        m_forms.Cel_Wyjazdu->openWindow(false);
}

void TMeniProgramu::SpeedStawkiClick() {
    if (!m_forms.refuseWhileTyping())
        m_forms.context.dialogs.showModal(m_forms.Stawki_poj);
}

void TMeniProgramu::SpeedOkresClick() {
    runAction(m_forms.context.dialogs, [&] {
        m_forms.Nowy_Okres->prepare();
        m_forms.context.dialogs.showModal(m_forms.Nowy_Okres);
    });
}

void TMeniProgramu::SpeedButton1Click() {
    m_forms.context.showHelp(1);
}

void TMeniProgramu::SpeedButton2Click() {
    m_forms.KopiujProgram->openWindow();
}

void TMeniProgramu::Kopiadanych1Click() {
    SpeedButton2Click();
}

void TMeniProgramu::Odtwarzaniedanych1Click() {
    m_forms.OdtwarzanieDanych->openWindow();
}

void TMeniProgramu::SpeedButton3Click() {
    m_forms.context.shell.openWebPage(webPage());
}

void TMeniProgramu::Napiszdoautora1Click() {
    m_forms.context.shell.writeMail(authorMail());
}

void TMeniProgramu::ParametryClick() {
    runAction(m_forms.context.dialogs, [&] {
        if (m_forms.refuseWhileTyping())
            return;
        m_forms.Parametry1->schemaCheck();
        m_forms.context.dialogs.showModal(m_forms.Parametry1);
    });
}

void TMeniProgramu::Waciciel1Click() {
    if (m_forms.refuseWhileTyping())
        return;
    runAction(m_forms.context.dialogs, [&] { m_forms.WlascicielPodatnik->openWindow(); });
}

void TMeniProgramu::Kierowcy1Click() {
    if (m_forms.refuseWhileTyping())
        return;
    runAction(m_forms.context.dialogs, [&] { m_forms.Kierowcy1->openWindow(false); });
}

void TMeniProgramu::SpeedButton4Click() {
    OpcjeiTerminy1Click();
}

void TMeniProgramu::OpcjeiTerminy1Click() {
    if (!m_forms.refuseWhileTyping())
        m_forms.OpcjeDlaTerminow->openMain();
}

void TMeniProgramu::Opcje1Click() {
    if (!m_forms.refuseWhileTyping())
        m_forms.OpcjeDlaTerminow->openSettings();
}

void TMeniProgramu::PrzegladTerminow1Click() {
    m_forms.PrzegladTerminow->openWindow();
}

void TMeniProgramu::System1Click() {
    const int due = m_forms.PrzegladTerminow->refresh();
    m_ui->PrzegladTerminow1->setText(due > 0 ? QStringLiteral("Przegląd &terminów (%1)").arg(due)
                                             : QStringLiteral("Przegląd &terminów - brak pilnych terminów"));
}

void TMeniProgramu::Ustawieniedrukarki1Click() {
    if (!m_forms.context.output)
        return;
    QPrintDialog dialog(&m_forms.context.output->printer(), this);
    dialog.setWindowTitle(QStringLiteral("Ustawienie drukarki"));
    m_forms.context.dialogs.showModal(&dialog);
}

} // namespace tarlok
