// Nothing typed is lost without a word: whatever a window holds typed (a row changed and not saved, or
// a text in a box not yet confirmed), every whole-program action is refused with that window's
// message, the text stays in its box and no file changes; after the window's save the action runs.
#include "support/DeadlinesDriver.h"
#include "support/Files.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "app/TMeniProgramu.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QAbstractButton>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <functional>

using namespace tarlok;
using tarlok::test::DeadlinesDriver;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

QString navigatorMessage(const QString& what, const QString& window) {
    return what +
           QStringLiteral(" - zapisz go przyciskiem \"\u2714\" albo anuluj przyciskiem \"\u2716\" w "
                          "formatce ") +
           window + QLatin1Char('.');
}

const QString kTripHeld = "Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anuluj\".";
const QString kCostHeld = "Wprowadzany koszt nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anulij\".";

// A window that edits a table, as a test drives it: how it is opened and its row begun, the box typed
// into, and its save.
struct Editor {
    std::function<QWidget*(TestApp&)> open;
    QString box; // the object name of the box typed into
    QString text;
    std::function<void(TestApp&, QWidget*)> save;
    QString message; // the refusal
};

QAbstractButton* button(QWidget* window, const QString& name) {
    auto* b = window->findChild<QAbstractButton*>(name);
    if (!b)
        qFatal("no button %s", qPrintable(name));
    return b;
}

std::function<void(TestApp&, QWidget*)> pressing(const QString& name) {
    return [name](TestApp&, QWidget* window) {
        button(window, name)->click();
    };
}

const QMap<QString, Editor>& editors() {
    static const QMap<QString, Editor> map{
        {"pojazdy",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->SpeedPojazdyClick();
              return app.forms().Pojazdy_firmy;
          },
          "DBMarka_pojazdu", "Fiat", pressing("Zapisz"),
          "Wprowadzany pojazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo anuluj przyciskiem "
          "\"Anuluj\" w formatce POJAZDY."}},
        {"wlasciciel",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->Waciciel1Click();
              return app.forms().WlascicielPodatnik;
          },
          "DBEditNazwisko", "Kowalski", pressing("post"),
          "Wprowadzane dane właściciela nie zostały zapisane - zapisz je przyciskiem \"\u2714\" albo anuluj "
          "przyciskiem \"\u2716\" w formatce WŁAŚCICIEL."}},
        {"cele",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->SpeedCeleClick();
              return app.forms().Cel_Wyjazdu;
          },
          "DBCelWyjazdu", "Dostawa", pressing("post"),
          navigatorMessage("Wprowadzany cel wyjazdu nie został zapisany", "CEL WYJAZDU")}},
        {"wydatki",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->SpeedWydatkiClick();
              return app.forms().Jaki_Wydatek;
          },
          "DBWydatek", "Myjnia", pressing("post"),
          navigatorMessage("Wprowadzany rodzaj kosztu nie został zapisany", "KOSZTY (WYDATKI FIRMY)")}},
        {"trasy",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->SpeedTrasaClick();
              return app.forms().Trasy;
          },
          "DBUwagi", "przez Bochnię", pressing("Zapisz"),
          "Wprowadzana trasa nie została zapisana - zapisz ją przyciskiem \"Zapisz\" albo anuluj przyciskiem "
          "\"Anuluj\" w formatce TRASY."}},
        {"stawki",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->SpeedStawkiClick();
              return app.forms().Stawki_poj;
          },
          "DBUwagi", "od maja", pressing("Zapisz"),
          "Wprowadzane stawki nie zostały zapisane - zapisz je przyciskiem \"Zapisz\" albo anuluj "
          "przyciskiem "
          "\"Anuluj\" w formatce STAWKI POJAZDÓW."}},
        {"przejazdy",
         {[](TestApp& app) -> QWidget* {
              RegisterDriver reg(app);
              reg.chooseTab(RegisterDriver::Tab::Trips);
              reg.newTrip();
              reg.pickTripDate(QDate(2024, 5, 6));
              reg.typeAndEnter(RegisterDriver::Box::Route, "Kraków - Tarnów");
              reg.typeAndEnter(RegisterDriver::Box::Purpose, "Spotkanie");
              return &app.reg();
          },
          "DBEditStanLicznikaKoncowy", "10151",
          [](TestApp& app, QWidget*) { RegisterDriver(app).saveTrip(); }, kTripHeld}},
        {"koszty",
         {[](TestApp& app) -> QWidget* {
              RegisterDriver reg(app);
              reg.chooseTab(RegisterDriver::Tab::Costs);
              reg.newCost();
              reg.pickCostDate(QDate(2024, 5, 6));
              reg.typeAndEnter(RegisterDriver::Box::ExpenseName, "Serwis");
              reg.typeAndEnter(RegisterDriver::Box::CostValue, "100");
              app.data().TableKoszty->setValue("Pom3", 23); // as the expense kinds' take button does
              reg.chooseVatCounted(1);
              return &app.reg();
          },
          "DBNrDokKosztu", "FV 1/2024", [](TestApp& app, QWidget*) { RegisterDriver(app).saveCost(); },
          kCostHeld}},
        {"terminy",
         {[](TestApp& app) -> QWidget* {
              DeadlinesDriver dl(app);
              dl.openFromMainWindow();
              dl.edit();
              return &dl.window();
          },
          "DBEditKosztOC", "500", [](TestApp& app, QWidget*) { DeadlinesDriver(app).save(); },
          "Wprowadzany zapis terminów nie został zapisany"}},
        {"notatki",
         {[](TestApp& app) -> QWidget* {
              DeadlinesDriver dl(app);
              dl.openFromMainWindow();
              dl.edit();
              dl.press(DeadlinesDriver::Button::Notes);
              return app.forms().InformacjeNotatki;
          },
          "DBMemo1", "Opony zimowe w garażu",
          [](TestApp& app, QWidget* notes) {
              button(notes, "Zamknij")->click();
              DeadlinesDriver(app).save();
          },
          "Wprowadzany zapis terminów nie został zapisany"}},
        {"ryczalt",
         {[](TestApp& app) -> QWidget* {
              app.forms().MeniProgramu->SpeedRyczaltClick();
              QWidget* w = app.forms().RyczaltEwidencja;
              test::retype(w->findChild<QLineEdit*>("EditLimitKilometrow"), "300");
              return w;
          },
          "DBDniUrlopu", "3", pressing("Zapisz"), "Wprowadzany ryczałt nie został zapisany"}},
    };
    return map;
}

// The whole-program actions, and whether each ran (a refusal starts with `refused`).
struct Action {
    std::function<void(TestApp&)> run;
    std::function<bool(TestApp&, const QString& refused)> ran;
};

bool notRefused(TestApp& app, const QString& refused) {
    return !app.dialogs.lastText().startsWith(refused);
}

const QMap<QString, Action>& actions() {
    static const QMap<QString, Action> map{
        {"kopia",
         {[](TestApp& app) { app.forms().MeniProgramu->SpeedButton2Click(); },
          [](TestApp& app, const QString&) {
              return app.forms().KopiujProgram->isVisible();
          }}},
        {"odtwarzanie",
         {[](TestApp& app) { app.forms().MeniProgramu->Odtwarzaniedanych1Click(); },
          [](TestApp& app, const QString&) {
              return app.forms().OdtwarzanieDanych->isVisible();
          }}},
        {"wydruk",
         {[](TestApp& app) { app.reg().DrukujPrzejazdyClick(); },
          [](TestApp& app, const QString& refused) {
              return app.output.count() == 1 || (!app.dialogs.texts().isEmpty() && notRefused(app, refused));
          }}},
        {"ewidencja",
         {[](TestApp& app) { app.forms().MeniProgramu->SpeedEwidencjaClick(); },
          [](TestApp& app, const QString&) {
              return app.reg().isVisible() && app.dialogs.texts().isEmpty();
          }}},
        {"zamkniecie",
         {[](TestApp& app) {
              app.forms().MeniProgramu->show();
              app.forms().MeniProgramu->close();
          },
          [](TestApp& app, const QString&) {
              return !app.forms().MeniProgramu->isVisible();
          }}},
    };
    return map;
}

QString textOf(QWidget* box) {
    if (auto* edit = qobject_cast<QLineEdit*>(box))
        return edit->text();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(box))
        return memo->toPlainText();
    return {};
}

} // namespace

class TypingTest : public QObject {
    Q_OBJECT

private slots:
    void everyActionWaitsForWhatIsTyped_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("confirmed"); // Enter pressed: a changed row; otherwise text in a box only
        for (const QString& window : editors().keys()) {
            for (const QString& action : actions().keys()) {
                for (bool confirmed : {true, false}) {
                    const QString name = window + QLatin1Char(' ') + action +
                                         (confirmed ? QStringLiteral(" wiersz") : QStringLiteral(" tekst"));
                    QTest::newRow(qPrintable(name)) << window << action << confirmed;
                }
            }
        }
    }
    void everyActionWaitsForWhatIsTyped() {
        QFETCH(QString, window);
        QFETCH(QString, action);
        QFETCH(bool, confirmed);
        const Editor& editor = editors()[window];
        const Action& act = actions()[action];

        auto app = TestApp::started();
        app->setRates(0.5214, 0.8358);
        app->addVehicle(1, "KR 1234A", 1400, true, {{"StanPoczLIcznika", 10000}});
        app->addPeriod(2024, 5);
        app->seed("Trasy", {{"Trasa", "Kraków - Tarnów"}, {"Kilometry", 80}});
        app->seed("Terminy.db", {{"NrKol_Pojazdu", 1}, {"Rok", 2024}});
        app->database.createTable(app->dataFolder(), tables::ryczalt());
        app->openRegister();
        app->dialogs.setCloseModalWindows(false);

        QWidget* shown = editor.open(*app);
        QVERIFY(shown && shown->isVisible());
        QWidget* box = shown->findChild<QWidget*>(editor.box);
        QVERIFY2(box, qPrintable(editor.box));
        box->setFocus();
        test::typeText(box, editor.text);
        if (confirmed) { // the text goes into the row, which is now changed
            if (qobject_cast<QPlainTextEdit*>(box))
                box->nextInFocusChain()->setFocus(Qt::TabFocusReason);
            else
                QTest::keyClick(box, Qt::Key_Return);
        }
        const QString typed = textOf(box);
        QVERIFY(typed.contains(editor.text));
        app->dialogs.clear();
        app->output.clear();
        const auto files = test::folderBytes(app->dataFolder());

        act.run(*app);
        if (action == QLatin1String("zamkniecie")) {
            QCOMPARE(app->dialogs.last().caption, QString("WYBIERZ"));
            QVERIFY2(app->dialogs.last().text.contains(shown->windowTitle().trimmed()),
                     qPrintable(app->dialogs.lastText()));
        } else {
            QCOMPARE(app->dialogs.texts().size(), 1);
            QVERIFY2(app->dialogs.lastText().startsWith(editor.message), qPrintable(app->dialogs.lastText()));
        }
        QVERIFY2(!act.ran(*app, editor.message), "the action ran");
        QCOMPARE(textOf(box), typed);
        QCOMPARE(test::folderBytes(app->dataFolder()), files);

        // Saved (a text not yet confirmed goes into the row with the save): the action runs.
        editor.save(*app, shown);
        QVERIFY2(!app->forms().pendingEdits.typing(), qPrintable(app->dialogs.lastText()));
        app->dialogs.clear();
        act.run(*app);
        QVERIFY2(act.ran(*app, editor.message), qPrintable(app->dialogs.lastText()));
    }
};

TARLOK_TEST_MAIN(TypingTest)
#include "tst_typing.moc"
