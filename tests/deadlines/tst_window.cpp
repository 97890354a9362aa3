// The deadlines window driven as its user drives it: opened from the main window, rows added, edited,
// saved and deleted through its buttons, the warnings it shows and the service hand-over. Today is
// 15 May 2024.
#include "support/DeadlinesDriver.h"
#include "support/TestApp.h"

#include "deadlines/TOpcjeDlaTerminow.h"
#include "store/Table.h"

#include <QFile>
#include <QLabel>

using namespace tarlok;
using namespace tarlok::deadlines;
using tarlok::test::DeadlinesDriver;
using tarlok::test::TestApp;

namespace {

using Box = DeadlinesDriver::Box;
using Button = DeadlinesDriver::Button;
using Spin = DeadlinesDriver::Spin;

const QDate kToday(2024, 5, 15);
const QColor kRed(255, 0, 0);
const QColor kGray(128, 128, 128);
const QColor kYellow(255, 255, 0);
const QColor kNormal(Qt::blue); // the grid's own colour, as the driver reports it

// Vehicle 1 in use, due for service at 20 000 km (warned 500 km before, 300 km after); vehicle 2 not in
// use, its odometer at its service reading; one period.
std::unique_ptr<TestApp> firm(int reading = 15000) {
    auto app = TestApp::started();
    app->addVehicle(1, "KR 1", 1400, true,
                    {{"StanAktLicznika", reading},
                     {"StanLicznikaPo", 10000},
                     {"CoIleKmSerwis", 10000},
                     {"IloscKmDoInfPrzed", 500},
                     {"IloscKmDoInfPo", 300}});
    app->addVehicle(2, "KR 2", 1200, false,
                    {{"StanAktLicznika", 20000}, {"StanLicznikaPo", 10000}, {"CoIleKmSerwis", 10000}});
    app->addPeriod(2024, 5);
    return app;
}

qint64 deadline(TestApp& app, int vehicle, int year, QVariantMap more = {}) {
    more.insert("NrKol_Pojazdu", vehicle);
    more.insert("Rok", year);
    return app.seed("Terminy.db", more);
}

QList<QVariantMap> storedRows(TestApp& app) {
    return app.rows("Terminy.db");
}

// Every panel and box shown in both states stands where it stood.
bool samePlaces(const QMap<QString, QRect>& now, const QMap<QString, QRect>& before) {
    bool same = true;
    for (auto it = now.begin(); it != now.end(); ++it) {
        if (before.contains(it.key()) && before[it.key()] != it.value()) {
            qWarning() << it.key() << "moved from" << before[it.key()] << "to" << it.value();
            same = false;
        }
    }
    return same;
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowNeedsAPeriod() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1400);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(!dl.isShown());
        QCOMPARE(app->dialogs.texts(),
                 QStringList{"Otwórz najpierw okres w formatce \"EWIDENCJA PRZEBIEGU POJAZDU\""});
        QCOMPARE(app->dialogs.last().caption, QString("TARLOK"));
    }

    void captionsAndHints() {
        auto app = firm();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.title(), QString("TERMINY I KOSZTY POJAZDÓW"));
        QCOMPARE(dl.hint(Button::Edit), QString("Dla istniejącego rekordu, przed zmianą Daty dla Terminów i "
                                                "Ilości dni należy najpierw użyć tego przycisku "));
        QCOMPARE(dl.hint(Button::Save), QString("Zapisanie wprowadzonych zmian lub nowego zapisu "));
        QCOMPARE(dl.hint(Button::Delete), QString("Usunięcie zaznaczonego zapisu "));
        QVERIFY(dl.isShown("LabelAktualnyStanLicznika"));
        QCOMPARE(dl.window().findChild<QLabel*>("LabelAktualnyStanLicznika")->text(),
                 QString("Aktualny stan liczmika:"));
        QVERIFY(dl.isEnabled(Button::Print));
        QVERIFY(dl.isEnabled(Button::Notes));
        dl.press(Button::Help);
        QCOMPARE(app->help.shown().last().topic, 9);
        QVERIFY(!dl.isShown("SpinEditKonczInformowanie"));
    }

    // A watched kind with no date shows a gray picker holding today; an unwatched kind has no picker,
    // no label and no columns.
    void watchedAndUnwatchedKinds() {
        auto app = firm();
        deadline(*app, 1, 2024,
                 {{"SprawdzOC", true},
                  {"Termin1", QDate(2024, 5, 20)},
                  {"SprawdzPrzegTechniczny", true},
                  {"TerminPrzegTechnicznego", QDate(2024, 7, 1)},
                  {"InformujPrzed", 14},
                  {"InformujPo", 7}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.date(SlotOC), kToday);
        QCOMPARE(dl.pickerColour(SlotOC), kGray);
        QCOMPARE(dl.pickerColour(SlotOC2), kRed);               // 20 May lies within 14 days
        QCOMPARE(dl.pickerColour(SlotTech), QColor(Qt::white)); // 1 July lies beyond them
        QVERIFY(!dl.isPickerShown(SlotAC));
        QVERIFY(!dl.isPickerShown(SlotAC2));
        QVERIFY(!dl.isShown("LabelUbezpieczenieAC"));
        QVERIFY(!dl.isShown("LabelTerminAC1"));
        QVERIFY(!dl.isShown("LabelTerminAC2"));
        QVERIFY(!dl.isPickerShown(SlotGwar));
        QVERIFY(!dl.isShown("LabelPrzegGwar"));
        QCOMPARE(dl.columnWidth(1), 64);
        QCOMPARE(dl.columnWidth(3), 64);
        QCOMPARE(dl.columnWidth(5), 64);
        for (int column : {2, 4, 6, 7, 8, 9, 10})
            QCOMPARE(dl.columnWidth(column), 0);

        // Ticked by the user: the kind's picker comes back on today (the row has no date this year),
        // in its own room: no panel moves.
        const auto places = dl.places();
        dl.tick(PrzegGwar);
        QVERIFY(samePlaces(dl.places(), places));
        QVERIFY(dl.isPickerShown(SlotGwar));
        QVERIFY(dl.isShown("LabelPrzegGwar"));
        QCOMPARE(dl.date(SlotGwar), kToday);
        QCOMPARE(dl.columnWidth(6), 64);
        // A date picked is checked at once.
        dl.pickDate(SlotGwar, QDate(2024, 5, 1));
        QCOMPARE(dl.pickerColour(SlotGwar), kGray);
    }

    void gridRowColours() {
        auto app = firm();
        deadline(*app, 1, 2024,
                 {{"SprawdzOC", true},
                  {"TerminOC", QDate(2024, 5, 18)},
                  {"Termin1", QDate(2024, 5, 22)},
                  {"InformujPrzed", 14},
                  {"InformujPo", 7},
                  {"KoniecInformacji", 10}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.rowColour(0, false), kRed);
        QCOMPARE(dl.rowColour(0, true), QColor(Qt::white));
        dl.setSpin(Spin::DaysAfter, 12); // red now up to D + 14 - 12 = 17 May: neither date is
        QCOMPARE(dl.rowColour(0, false), kNormal);
        dl.edit();
        QCOMPARE(dl.rowColour(0, false), kNormal); // drawn plain while edited
    }

    void aVehicleNotInUse() {
        auto app = firm(19800);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(dl.isAlarmShown()); // vehicle 1: 19 800 km, service at 20 000
        dl.clickVehicle(1);
        QCOMPARE(dl.vehicleColour(1, false), kRed);
        QCOMPARE(dl.vehicleColour(0, false), QColor(Qt::black));
        QVERIFY(!dl.panelsEnabled());
        QVERIFY(!dl.isEnabled(Button::Add));
        QVERIFY(!dl.isAlarmShown()); // its odometer stands at its service reading, yet nothing warns
        QVERIFY(dl.remaining().isEmpty());
        QVERIFY(dl.isEnabled(Button::Close));
        dl.clickVehicle(0);
        QVERIFY(dl.panelsEnabled());
        QVERIFY(dl.isAlarmShown());
        QCOMPARE(dl.remaining(), QString("200"));
    }

    void aNewRowSavedStoresZeroCosts() {
        auto app = firm();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.rowCount(), 0);
        dl.add();
        QCOMPARE(dl.text(Box::Year), QString("2024"));
        QVERIFY(dl.isClosedForTyping(Box::Year));
        dl.save();
        QVERIFY(app->dialogs.texts().isEmpty());
        const auto rows = storedRows(*app);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["NrKol_Pojazdu"], QVariant(qint64(1)));
        QCOMPARE(rows[0]["Rok"], QVariant(qint64(2024)));
        for (const char* cost :
             {"KosztAC", "KosztOC", "Pom7", "Pom3", "KosztPrzegTech", "KosztPrzegGwar", "KosztNapraw"})
            QCOMPARE(rows[0][cost], QVariant(0.0));
        QCOMPARE(rows[0]["Pom4"], QVariant(qint64(0)));
        QCOMPARE(rows[0]["KosztyCalkowite"], QVariant(0.0));
        QCOMPARE(rows[0]["TerminOC"], QVariant(kToday));
        QCOMPARE(rows[0]["KoniecInformacji"], QVariant(qint64(30))); // the hidden spin's own start
        QCOMPARE(dl.rowCount(), 1);
    }

    void anAdditionalCostGoesToTheRepairs() {
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztNapraw", 200.0}, {"KosztOC", 100.0}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(dl.isClosedForTyping(Box::Additional));
        dl.edit();
        QVERIFY(dl.isOpenForTyping(Box::Additional));
        QVERIFY(dl.isOpenForTyping(Box::Year));
        dl.type(Box::Additional, "150");
        dl.save();
        const auto rows = storedRows(*app);
        QCOMPARE(rows[0]["KosztNapraw"], QVariant(350.0));
        QCOMPARE(rows[0]["KosztyCalkowite"], QVariant(450.0));
        QCOMPARE(dl.text(Box::Additional), QString("0"));
        QVERIFY(!dl.isEnabled(Box::Additional));
        QCOMPARE(dl.text(Box::Total), QString("450,00"));
    }

    void allYearsOrThisYear() {
        auto app = firm();
        deadline(*app, 1, 2023, {{"KosztOC", 500.0}});
        deadline(*app, 1, 2024, {{"KosztOC", 600.0}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(!dl.allYearsTicked());
        QCOMPARE(dl.rowCount(), 1);
        QCOMPARE(dl.cell(0, 11), QString("2024"));
        dl.tickAllYears();
        QCOMPARE(dl.rowCount(), 2);
        dl.tickAllYears();
        QCOMPARE(dl.rowCount(), 1);

        // Saved with another year, the row leaves the list at once.
        dl.edit();
        dl.type(Box::Year, "2022");
        dl.save();
        QCOMPARE(dl.rowCount(), 0);
        QCOMPARE(storedRows(*app)[1]["Rok"], QVariant(qint64(2022)));
    }

    // The settings entry leaves the table unfiltered.
    void theSettingsEntryListsEveryYear() {
        auto app = firm();
        deadline(*app, 1, 2023);
        deadline(*app, 1, 2024);
        DeadlinesDriver dl(*app);
        dl.openSettings();
        QVERIFY(dl.isShown());
        QCOMPARE(dl.rowCount(), 2);
    }

    void deleting() {
        auto app = firm();
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.press(Button::Delete);
        QCOMPARE(app->dialogs.texts(), QStringList{"Brak Terminu do USUNIĘCIA"});
        QCOMPARE(app->dialogs.last().caption, QString("Informacja"));
        QCOMPARE(app->dialogs.unanswered(), 0); // nothing was asked
        dl.close();

        deadline(*app, 1, 2024, {{"KosztOC", 100.0}});
        dl.openFromMainWindow();
        dl.edit();
        dl.typeAndEnter(Box::CostOC, "300");
        dl.remove(false);
        QCOMPARE(app->dialogs.last().text, QString("Czy usunąć wybraną pozycję"));
        QCOMPARE(app->dialogs.last().caption, QString("WYBIERZ"));
        QCOMPARE(storedRows(*app).size(), 1);
        QCOMPARE(storedRows(*app)[0]["KosztOC"], QVariant(100.0));
        QCOMPARE(dl.text(Box::CostOC), QString("100,00")); // the change was dropped
        dl.remove(true);
        QCOMPARE(storedRows(*app).size(), 0);
        QCOMPARE(dl.rowCount(), 0);
    }

    void messagesOfTheSave() {
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztOC", 100.0}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.save();
        QCOMPARE(app->dialogs.texts(),
                 QStringList{"Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj\", a "
                             "jeżeli wprowadzasz nowy zapis użyj przycisku \"Dodaj\" "});
        QCOMPARE(app->dialogs.last().caption, QString("TARLOK"));

        // A click on a watch box begins the edit: a save right after it stores the flag.
        app->dialogs.clear();
        dl.tick(Naprawa);
        dl.save();
        QVERIFY(app->dialogs.texts().isEmpty());
        QCOMPARE(storedRows(*app)[0]["SprawdzTermNaprawy"], QVariant(true));
    }

    void typingTheAdditionalCost() {
        auto app = firm();
        deadline(*app, 1, 2024);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.type(Box::Additional, "12");
        QVERIFY(app->dialogs.texts().isEmpty());
        dl.typeMore(Box::Additional, "a");
        QCOMPARE(app->dialogs.texts(), QStringList{"Wpisana wartość nie jest liczbą"});
        QCOMPARE(dl.text(Box::Additional), QString("12a")); // left as typed
        app->dialogs.clear();
        dl.type(Box::Additional, "-");
        QVERIFY(app->dialogs.texts().isEmpty());

        // Saved as it stands, the lone "-" is refused and the row stays open.
        dl.save();
        QCOMPARE(app->dialogs.texts(), QStringList{"Koszt dodatkowy: \"-\" nie jest poprawną liczbą"});
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QVERIFY(dl.window().TableTerminy->isEditing());
    }

    // Letters in the year or a cost box, a fraction in the NW box: said clearly, the row left pending and
    // nothing stored.
    void badInputStoresNothing_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("year") << int(Box::Year) << "20x4"
                              << "Rok podatkowy \"20x4\" nie jest poprawnym rokiem - wpisz rok czterema "
                                 "cyframi, np. 2024.";
        QTest::newRow("short year") << int(Box::Year) << "24"
                                    << "Rok podatkowy \"24\" nie jest poprawnym rokiem - wpisz rok czterema "
                                       "cyframi, np. 2024.";
        QTest::newRow("OC") << int(Box::CostOC) << "12a"
                            << "Koszt całkowity OC, rata I: \"12a\" nie jest poprawną liczbą";
        QTest::newRow("NW") << int(Box::CostNW) << "1,5"
                            << "Koszt NW (w pełnych złotych): \"1,5\" nie jest poprawną liczbą całkowitą";
    }
    void badInputStoresNothing() {
        QFETCH(int, box);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztOC", 100.0}, {"KosztyCalkowite", 100.0}});
        const auto before = storedRows(*app);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.type(Box(box), typed);
        dl.save();
        QCOMPARE(app->dialogs.texts(), QStringList{message});
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QVERIFY(dl.window().TableTerminy->isEditing());
        QCOMPARE(dl.text(Box(box)), typed);
        QCOMPARE(storedRows(*app), before);
    }

    void theServiceHandOver() {
        auto app = firm(19600);
        deadline(*app, 1, 2024);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.text(Box::LastService), QString("10000"));
        QCOMPARE(dl.text(Box::Reading), QString("19600"));
        QCOMPARE(dl.text(Box::NextService), QString("20000"));
        QCOMPARE(dl.spin(Spin::KmBefore), 500); // from the vehicle: the row has none
        QVERIFY(dl.isAlarmShown());
        QCOMPARE(dl.colour(Box::Alarm), kYellow);
        QCOMPARE(dl.text(Box::Alarm), QString("AUTO NALEŻY SERWISOWAĆ"));
        QCOMPARE(dl.remaining(), QString("400"));

        dl.handOver(false);
        QCOMPARE(app->dialogs.last().text, QString("Czy przekazujemy POJAZD do serwisu"));
        QCOMPARE(app->dialogs.last().caption, QString("WYBIERZ"));
        QVERIFY(dl.isAlarmShown());
        QCOMPARE(app->rows("Pojazdy.db")[0]["StanLicznikaPo"], QVariant(qint64(10000)));

        // Warned 0 km before the service, 19 600 km is no warning yet.
        dl.setSpin(Spin::KmBefore, 0);
        QVERIFY(!dl.isAlarmShown());
        dl.setSpin(Spin::KmBefore, 500);

        const auto places = dl.places();
        dl.handOver(true);
        QVERIFY(samePlaces(dl.places(), places)); // the alarm gone, its room kept
        const QVariantMap car = app->rows("Pojazdy.db")[0];
        QCOMPARE(car["StanLicznikaPo"], QVariant(qint64(19600)));
        QCOMPARE(car["DataOstSerwisu"], QVariant(kToday));
        QVariantMap stored = storedRows(*app)[0];
        QCOMPARE(stored["StanLicznikaPo"], QVariant(qint64(19600)));
        QCOMPARE(stored["StanLicznikaSerwis"], QVariant(qint64(29600)));
        QVERIFY(!dl.isAlarmShown());
        QVERIFY(!dl.isShown(Button::HandOver));
    }

    void anOverdueServiceIsRed() {
        auto app = firm(20250);
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QCOMPARE(dl.colour(Box::Alarm), kRed);
        QCOMPARE(dl.colour(Box::Reading), kRed);
        QCOMPARE(dl.remaining(), QString("-250"));
    }

    void escapeCancels() {
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztOC", 100.0}});
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        dl.edit();
        dl.typeAndEnter(Box::CostOC, "250");
        dl.pressEscape();
        QVERIFY(dl.isShown());
        QVERIFY(!dl.window().TableTerminy->isEditing());
        QCOMPARE(dl.text(Box::CostOC), QString("100,00"));
        QVERIFY(dl.isClosedForTyping(Box::Additional));
    }

    // As a new user finds it: no deadlines table, made by the window's button, and a first row saved.
    void theTableMadeFromTheWindow() {
        auto app = firm();
        {
            Table parameters(app->database);
            parameters.setDatabaseName(app->dataFolder());
            parameters.setTableName("Parametry");
            parameters.open();
            parameters.edit();
            parameters.setValue("RozszerzonoTabTerminy", false);
            parameters.setValue("JestTabTerminy", false);
            parameters.post();
        }
        QVERIFY(QFile::remove(app->dataFolder() + "/Terminy.db"));
        app->context().schema.deadlinesUpgraded = false;

        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(dl.isShown());
        QVERIFY(dl.isShown(Button::Create));
        QVERIFY(!dl.isShown("Panel1"));
        QVERIFY(!dl.isShown("Panel5"));

        dl.press(Button::Create);
        QCOMPARE(app->dialogs.texts(), QStringList{"Tablica \"Terminy\" została utworzona"});
        QVERIFY(!dl.isShown(Button::Create));
        QVERIFY(dl.isShown("Panel2"));
        QVERIFY(dl.panelsEnabled());
        QVERIFY(dl.text(Box::Reading).isEmpty()); // the service panel waits for the upgrade

        dl.add();
        dl.tick(OC);
        dl.pickDate(SlotOC, QDate(2024, 6, 30));
        dl.typeAndEnter(Box::CostOC, "850,50");
        dl.save();
        dl.close();
        QVERIFY(!dl.isShown());
        const auto rows = storedRows(*app);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].size(), 50);
        QCOMPARE(rows[0]["TerminOC"], QVariant(QDate(2024, 6, 30)));
        QCOMPARE(rows[0]["KosztOC"], QVariant(850.5));
        QCOMPARE(rows[0]["KosztyCalkowite"], QVariant(850.5));
        QCOMPARE(rows[0]["SprawdzOC"], QVariant(true));
    }

    void tablesClosedAndOpenedAgainForTheArchive() {
        auto app = firm();
        deadline(*app, 1, 2024, {{"KosztOC", 100.0}});
        TOpcjeDlaTerminow& w = *app->forms().OpcjeDlaTerminow;
        QVERIFY(!w.closeTables()); // the window is closed: so is its table
        DeadlinesDriver dl(*app);
        dl.openFromMainWindow();
        QVERIFY(w.closeTables());
        QVERIFY(!w.TableTerminy->isActive());
        QVERIFY(QFile::exists(app->dataFolder() + "/Terminy.db"));
        w.reopenTables();
        QCOMPARE(dl.rowCount(), 1);
        QCOMPARE(dl.text(Box::CostOC), QString("100,00"));
        QCOMPARE(w.currentVehicleNumber(), QVariant(qint64(1)));
        QCOMPARE(w.currentVehicleDescription(), QString("KR 1 Marka1 Auto1 poj. 1400"));
        QCOMPARE(w.yearBoxText(), QString("2024"));
        QVERIFY(w.yearFiltered());
        QCOMPARE(w.filterYear(), 2024);
        dl.close();
        QVERIFY(!w.TableTerminy->isActive());
    }
};

TARLOK_TEST_MAIN(WindowTest)
#include "tst_window.moc"
