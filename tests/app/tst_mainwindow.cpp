// The main window: its buttons and menu items, their hints, which are enabled, and the simple actions.
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "ui_TMeniProgramu.h"

#include <QStatusBar>
#include <QStatusTipEvent>

using namespace tarlok;
using tarlok::test::TestApp;

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsCaptionsAndHints_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("SpeedWyjscie") << "SpeedWyjscie"
                                      << "&WYJŚCIE"
                                      << "Zakończenie pracy z programem " << true;
        QTest::newRow("SpeedEwidencja") << "SpeedEwidencja"
                                        << "EWIDENCJA"
                                        << "Główna formatka ewidencji  przebiegu i kosztów pojazdu" << true;
        QTest::newRow("SpeedPojazdy")
            << "SpeedPojazdy"
            << "POJAZDY"
            << "Wprowadzanie pojazdów firmowych, własciciela i pracowników, które nie są środkami trwałymi"
            << false;
        QTest::newRow("SpeedTrasa") << "SpeedTrasa"
                                    << "TRASY"
                                    << "Wprowadzanie tras i ich długości" << false;
        QTest::newRow("SpeedWydatki") << "SpeedWydatki"
                                      << "KOSZTY"
                                      << "Wprowadzanie kosztów i wydatków związanych z pojazdami" << false;
        QTest::newRow("SpeedCele") << "SpeedCele"
                                   << "CELE"
                                   << "Wprowadzanie celów wyjazdów" << false;
        QTest::newRow("SpeedStawki")
            << "SpeedStawki"
            << "STAWKI"
            << "Stawki za 1 km dla pojazdów o różnej pojemności  oraz limit kilometrów" << false;
        QTest::newRow("SpeedOkres") << "SpeedOkres"
                                    << "NOWY ROK."
                                    << "Wprowadzanie nowego okresu rozliczeniowego(miesiąc, rok)" << false;
        QTest::newRow("SpeedButton2") << "SpeedButton2"
                                      << "KOPIA"
                                      << "Tworzenie kopii danych programu TARLOK" << true;
        QTest::newRow("SpeedRyczalt") << "SpeedRyczalt"
                                      << "RYCZAŁT"
                                      << "Wprowadzanie i obsługa przejazdów lokalnych" << true;
        QTest::newRow("SpeedButton4")
            << "SpeedButton4"
            << "TERMINY"
            << "Wprowadzanie informacji o terminach przeglądów i opłatach za pojazdy" << true;
    }
    void buttonsCaptionsAndHints() {
        QFETCH(QString, button);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        auto app = TestApp::started();
        auto* b = app->forms().MeniProgramu->findChild<QPushButton*>(button);
        QVERIFY(b);
        QCOMPARE(b->text(), caption);
        QCOMPARE(b->toolTip(), hint);
        QCOMPARE(b->statusTip(), hint);
        QCOMPARE(b->isEnabled(), enabled);
    }

    void menuItems() {
        auto app = TestApp::started();
        auto* ui = app->forms().MeniProgramu->ui();
        QCOMPARE(app->forms().MeniProgramu->windowTitle(), QString("TARLOK WER.  6.22"));
        QCOMPARE(ui->Wyjciezprogramu1->shortcut(), QKeySequence("Ctrl+W"));
        QCOMPARE(ui->Waciciel1->text(), QString("Właścicie&l"));
        QCOMPARE(ui->Waciciel1->statusTip(), QString("Otwiera formatkę z danymi podatnika prowadzącego "
                                                     "działalność gospodarczą związaną z pojazdami"));
        QCOMPARE(ui->Archiwizacja1->title(), QString("&Archiwizacja"));
        QCOMPARE(ui->Ustawieniedrukarki1->statusTip(), QString("Wybór drukarek, ustawienie pwarmetrów"));
        QVERIFY(!ui->Ustawieniedrukarki1->isVisible());
        for (QAction* a : {ui->Kopiadanych1, ui->Odtwarzaniedanych1, ui->Opcje1, ui->OpcjeiTerminy1})
            QVERIFY(a->isEnabled());
        QVERIFY(ui->Ewidencja1->isEnabled());
        QVERIFY(!ui->LabelKontakt->text().isEmpty());
        QCOMPARE(app->forms().MeniProgramu->pos(), QPoint(0, 0));
    }

    void hintsGoToTheStatusBar() {
        auto app = TestApp::started();
        TMeniProgramu& w = *app->forms().MeniProgramu;
        QStatusTipEvent tip(QStringLiteral("Wprowadzanie tras i ich długości"));
        QApplication::sendEvent(w.ui()->SpeedTrasa, &tip);
        QCOMPARE(w.ui()->StatusBar1->currentMessage(), QString("Wprowadzanie tras i ich długości"));
    }

    void helpWebPageAndMail() {
        auto app = TestApp::started();
        TMeniProgramu& w = *app->forms().MeniProgramu;
        QCOMPARE(app->help.helpFile(), QString("c:\\tarlok\\tarlok.hlp")); // set at start
        w.ui()->SpeedButton1->click();
        w.ui()->Pomoc1->trigger();
        QCOMPARE(app->help.shown().size(), 2);
        QCOMPARE(app->help.shown()[0].file, QString("Tarlok.HLP"));
        QCOMPARE(app->help.shown()[0].topic, 1);
        w.ui()->SpeedButton3->click();
        w.ui()->Napiszdoautora1->trigger();
        QCOMPARE(app->shell.pages, QStringList{TMeniProgramu::webPage()});
        QCOMPARE(app->shell.mails, QStringList{TMeniProgramu::authorMail()});
    }

    void schemaWindowFromTheMenu() {
        auto app = TestApp::started();
        app->forms().MeniProgramu->ui()->Parametry->trigger();
        QCOMPARE(app->dialogs.modalShows(), QStringList{"tarlok::TParametry1"});
        QVERIFY(app->context().schema.parametersPresent);
        QVERIFY(app->context().schema.deadlinesUpgraded);
    }
};

TARLOK_TEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
