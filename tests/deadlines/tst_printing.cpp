// The deadlines window's "&Drukuj" and "&Informacja": the statement of what the window lists (one
// vehicle or all, this year or every year), nothing printed while a changed row waits for its save,
// and the notes opened under the year box's text and stored by the window's own save.
// Today is 15 May 2024.
#include "support/DeadlinesDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "data/SharedData.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "platform/ScriptedDialogs.h"
#include "store/Table.h"
#include "ui_TInformacjeNotatki.h"
#include "ui_TOpcjeDlaTerminow.h"
#include "widgets/DbMemo.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

using namespace tarlok;
using tarlok::test::DeadlinesDriver;
using tarlok::test::TestApp;

namespace {

using Box = DeadlinesDriver::Box;
using Button = DeadlinesDriver::Button;

const QString kHeld =
    "Wprowadzany zapis terminów nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
    "anuluj przyciskiem \"Anuluj\".";

// Two cars with rows of 2023 and 2024 (the totals differ in every row, so each row is recognisable).
std::unique_ptr<TestApp> firm() {
    auto app = TestApp::started();
    app->addVehicle(1, "KR 1", 1400);
    app->addVehicle(2, "KR 2", 1200);
    app->addPeriod(2024, 5);
    const struct {
        int vehicle, year;
        double oc, repairs;
    } rows[] = {{1, 2023, 410.0, 0.0}, {1, 2024, 612.5, 150.25}, {2, 2024, 980.0, 0.0}};
    for (const auto& r : rows)
        app->seed("Terminy.db", {{"NrKol_Pojazdu", r.vehicle},
                                 {"Rok", r.year},
                                 {"SprawdzOC", true},
                                 {"TerminOC", QDate(r.year, 6, 1)},
                                 {"KosztOC", r.oc},
                                 {"KosztNapraw", r.repairs},
                                 {"KosztyCalkowite", r.oc + r.repairs}});
    return app;
}

QString allTexts(const report::Document& doc) {
    QStringList out;
    for (const report::Page& page : doc.pages)
        for (const report::TextItem& t : page.texts)
            out.append(t.text);
    return out.join('|');
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT

private slots:
    // One vehicle of this year, then every year (both rows, their sums), then every vehicle; the
    // printouts never move the window's vehicle or row.
    void printsWhatTheWindowLists() {
        auto app = firm();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(dl.isEnabled(Button::Print));
        QCOMPARE(dl.hint(Button::Print),
                 QString("Drukowanie na ekranie(drukarce) dolnego zestawienia terminów i kosztów."));

        dl.press(Button::Print);
        QCOMPARE(app->output.count(), 1);
        QVERIFY(!app->output.last().printed);
        QString texts = allTexts(app->output.last().document);
        QVERIFY(texts.contains("Zestwienie Terminów i Kosztów dla Pojazdu|"));
        QVERIFY(texts.contains("612,50"));
        QVERIFY(texts.contains("762,75")); // 612,50 + 150,25
        QVERIFY(!texts.contains("410,00"));
        QVERIFY(!texts.contains("980,00"));

        dl.tickAllYears();
        dl.press(Button::Print);
        texts = allTexts(app->output.last().document);
        QVERIFY(texts.contains("410,00"));
        QVERIFY(texts.contains("1022,50")); // the OC sum of both years: 410,00 + 612,50
        QVERIFY(texts.contains("1172,75")); // the total of both: 410,00 + 762,75

        dl.tickAllYears(); // this year again
        dl.clickRow(0);
        const qint64 row = dl.window().TableTerminy->value(QStringLiteral("NrKol")).toLongLong();
        dl.window().ui()->CheckBoxWszystkiePojazdy->click();
        dl.press(Button::Print);
        QCOMPARE(app->output.count(), 3);
        texts = allTexts(app->output.last().document);
        QVERIFY(texts.contains("Zestwienie Terminów i Kosztów dla Pojazdów"));
        QVERIFY(texts.contains("980,00"));
        QVERIFY(!texts.contains("410,00"));
        QVERIFY(texts.contains("1742,75")); // grand total of this year: 762,75 + 980,00
        QCOMPARE(app->data().TablePojazdy->recNo(), 0);
        QCOMPARE(dl.window().TableTerminy->value(QStringLiteral("NrKol")).toLongLong(), row);
        QVERIFY(app->dialogs.texts().isEmpty());
    }

    // A changed row not yet saved: the guard's message, nothing printed, the typed cost kept.
    void aChangedRowPrintsNothing() {
        auto app = firm();
        const auto before = app->rows("Terminy.db");
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.typeAndEnter(Box::CostOC, "700");
        app->dialogs.clear();
        dl.press(Button::Print);
        QCOMPARE(app->dialogs.texts(), QStringList{kHeld});
        QCOMPARE(app->output.count(), 0);
        QCOMPARE(app->rows("Terminy.db"), before);
        QVERIFY(dl.text(Box::CostOC).startsWith("700"));
        dl.save();
        dl.press(Button::Print);
        QCOMPARE(app->output.count(), 1);
        QVERIFY(allTexts(app->output.last().document).contains("700,00"));
    }

    // "&Informacja" names the year as typed in the year box (2023 typed after "&Edytuj"); text typed
    // into the notes stays pending when the notes window closes and the deadlines window's "&Zapisz"
    // stores it with the row.
    void notesUnderTheYearBoxAndSavedByTheWindow() {
        auto app = firm();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QString label;
        auto readLabel = [&] {
            app->dialogs.onModal("tarlok::TInformacjeNotatki", [&label](QWidget* window) {
                label = qobject_cast<TInformacjeNotatki*>(window)->ui()->LabelRokPodatkowy->text();
            });
        };
        readLabel();
        dl.press(Button::Notes);
        QCOMPARE(label, QString("Rok podatkowy 2024"));
        dl.edit();
        dl.type(Box::Year, "2023");
        readLabel();
        dl.press(Button::Notes);
        QCOMPARE(label, QString("Rok podatkowy 2023"));
        dl.cancel();
        QCOMPARE(app->rows("Terminy.db").at(1).value("Rok").toInt(), 2024);

        app->dialogs.onModal("tarlok::TInformacjeNotatki", [](QWidget* window) {
            auto* ui = qobject_cast<TInformacjeNotatki*>(window)->ui();
            ui->DBMemo1->setFocus();
            test::typeText(ui->DBMemo1, QStringLiteral("Wymiana opon - żółte"));
            QTest::mouseClick(ui->Zamknij, Qt::LeftButton);
        });
        dl.press(Button::Notes);
        QCOMPARE(app->rows("Terminy.db").at(1).value("Informacje").toString(), QString());
        dl.save();
        QCOMPARE(app->rows("Terminy.db").at(1).value("Informacje").toString(),
                 QString("Wymiana opon - żółte"));
        QCOMPARE(app->rows("Terminy.db").at(1).value("KosztOC").toDouble(), 612.5);
    }
};

QTEST_MAIN(PrintingTest)
#include "tst_printing.moc"
