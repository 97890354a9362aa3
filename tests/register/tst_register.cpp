// The register window: vehicles and periods restricting what the tabs show, the period boxes, the
// browse-only "Wszystko", the tabs of a retired vehicle, and the wheel.
#include "support/ArchiveDriver.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "common/Months.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>

using namespace tarlok;
using tarlok::test::ArchiveDriver;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

QStringList column(Table* table, const QString& field) {
    QStringList out;
    table->disableControls();
    for (table->first(); !table->eof(); table->next())
        out.append(table->asString(field));
    table->enableControls();
    table->first();
    return out;
}

void seedTrip(TestApp& app, int vehicle, const QDate& date, const QString& route) {
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", vehicle},
                              {"Rok", date.year()},
                              {"Miesiac", date.month()},
                              {"Data", date},
                              {"Trasa", route},
                              {"Kilometry", 10}});
}

void seedCost(TestApp& app, int vehicle, const QDate& date, const QString& number) {
    app.seed("Koszty.db", {{"NrKol_Pojazdu", vehicle},
                           {"Rok", date.year()},
                           {"Miesiac", date.month()},
                           {"Data", date},
                           {"Nr_Rachunku", number},
                           {"Rodzaj_Wyd", "Paliwo"},
                           {"Wartosc", 10.0}});
}

} // namespace

class RegisterTest : public QObject {
    Q_OBJECT

private slots:
    void vehiclesOnTheSameDateStayApartInDateOrder() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200);
        app->addVehicle(2, "KR 2", 800);
        app->addPeriod(2024, 5);
        seedTrip(*app, 2, QDate(2024, 5, 7), "b7");
        seedTrip(*app, 1, QDate(2024, 5, 7), "a7");
        seedTrip(*app, 1, QDate(2024, 5, 2), "a2");
        seedTrip(*app, 2, QDate(2024, 5, 1), "b1");
        seedTrip(*app, 1, QDate(2024, 4, 30), "a-kwiecien");
        seedCost(*app, 2, QDate(2024, 5, 7), "F-b7");
        seedCost(*app, 1, QDate(2024, 5, 7), "F-a7");
        seedCost(*app, 1, QDate(2024, 5, 3), "F-a3");
        app->openRegister();
        RegisterDriver reg(*app);
        QVERIFY(reg.isShown());
        QVERIFY(reg.tab() == Tab::Costs);
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.month(), QString("Maj"));
        reg.clickVehicle(0);
        QCOMPARE(app->data().TablePojazdy->asInteger("NrKol_Pojazdu"), 1);
        QCOMPARE(column(app->data().TableKoszty, "Nr_Rachunku"), QStringList({"F-a3", "F-a7"}));
        reg.clickVehicle(1);
        QCOMPARE(column(app->data().TableKoszty, "Nr_Rachunku"), QStringList({"F-b7"}));
        reg.chooseTab(Tab::Trips);
        QCOMPARE(column(app->data().TablePrzejazdy, "Trasa"), QStringList({"b1", "b7"}));
        reg.clickVehicle(0);
        QCOMPARE(column(app->data().TablePrzejazdy, "Trasa"), QStringList({"a2", "a7"})); // April stays out
        QCOMPARE(reg.vehicleName(), QString("Auto1"));
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void allMonthsIsBrowseOnly() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200);
        app->addPeriod(2024, 4);
        app->addPeriod(2024, 5);
        seedTrip(*app, 1, QDate(2024, 4, 3), "kwiecien");
        seedTrip(*app, 1, QDate(2024, 5, 3), "maj");
        seedTrip(*app, 1, QDate(2023, 12, 3), "grudzien");
        seedCost(*app, 1, QDate(2024, 4, 3), "K4");
        seedCost(*app, 1, QDate(2024, 5, 3), "K5");
        app->openRegister();
        RegisterDriver reg(*app);
        QCOMPARE(reg.months(), QStringList({"Wszystko", "Kwiecień", "Maj"}));
        reg.chooseMonth("Wszystko");
        QCOMPARE(column(app->data().TableKoszty, "Nr_Rachunku"), QStringList({"K4", "K5"}));
        for (Button b :
             {Button::NewCost, Button::EditCost, Button::SaveCost, Button::CancelCost, Button::DeleteCost})
            QVERIFY(!reg.isEnabled(b));
        // Nothing starts an edit here: the edit button cannot be pressed, and typing into a box is
        // refused with the reason.
        const QString browseOnly = "W widoku \"Wszystko\" zapisy można tylko przeglądać - wybierz miesiąc, "
                                   "aby dodać lub poprawić zapis.";
        app->dialogs.clear();
        QCOMPARE(app->data().TableKoszty->state(), Table::State::Browse);
        reg.typeMore(Box::DocumentNumber, "X");
        QCOMPARE(app->dialogs.texts(), QStringList({browseOnly}));
        QCOMPARE(app->data().TableKoszty->state(), Table::State::Browse);
        QCOMPARE(reg.text(Box::DocumentNumber), QString("K4"));

        reg.chooseTab(Tab::Trips);
        QCOMPARE(column(app->data().TablePrzejazdy, "Trasa"), QStringList({"kwiecien", "maj"}));
        const QList<Button> tripButtons{Button::NewTrip, Button::EditTrip, Button::SaveTrip,
                                        Button::CancelTrip, Button::DeleteTrip};
        for (Button b : tripButtons)
            QVERIFY(!reg.isEnabled(b));
        app->dialogs.clear();
        QVERIFY(!reg.isTripCellEditable(0, 1));
        reg.pickTripDate(QDate(2024, 4, 20));
        QCOMPARE(app->data().TablePrzejazdy->state(), Table::State::Browse);
        reg.typeMore(Box::Route, "X");
        QCOMPARE(app->data().TablePrzejazdy->state(), Table::State::Browse);
        QCOMPARE(app->dialogs.texts(), QStringList({browseOnly}));
        // a month again: the buttons come back and the view narrows
        reg.chooseMonth("Maj");
        QCOMPARE(column(app->data().TablePrzejazdy, "Trasa"), QStringList({"maj"}));
        for (Button b : tripButtons)
            QVERIFY(reg.isEnabled(b));
        QVERIFY(reg.isTripCellEditable(0, 1));
        reg.editTrip();
        QCOMPARE(app->data().TablePrzejazdy->state(), Table::State::Edit);
    }

    // What is typed into the year and month boxes is a choice, never a new entry of their lists.
    // The month box is disabled on ZESTAWIENIA only, however the tab was reached: the register left on
    // it ("Wyjście", or a backup, which closes it) opens again on KOSZTY with the box enabled.
    void monthBoxFollowsTheTab_data() {
        QTest::addColumn<bool>("byBackup");
        QTest::newRow("Wyjście") << false;
        QTest::newRow("backup") << true;
    }
    void monthBoxFollowsTheTab() {
        QFETCH(bool, byBackup);
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Summary);
        QVERIFY(!reg.isMonthBoxEnabled());
        if (byBackup)
            ArchiveDriver(*app).backupTo("C:");
        else
            reg.close();
        QVERIFY(!reg.isShown());
        app->openRegister();
        QCOMPARE(reg.tab(), Tab::Costs);
        QVERIFY(reg.isMonthBoxEnabled());
        reg.chooseTab(Tab::Trips);
        QVERIFY(reg.isMonthBoxEnabled());
    }

    // Every heading of the register's grids shows whole: each line of a title fits its column and the
    // heading's height in the font it is drawn in (the summary's "narastająco" of the kilometres and
    // "paliwo [dm3]" were cut).
    void everyHeadingShowsWhole_data() {
        using Grid = RegisterDriver::Grid;
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("tab");
        const auto add = [](const char* name, Grid grid, Tab tab) {
            QTest::newRow(name) << int(grid) << int(tab);
        };
        add("vehicles", Grid::Vehicles, Tab::Costs);
        add("costs", Grid::Costs, Tab::Costs);
        add("sums of the costs", Grid::CostTotals, Tab::Costs);
        add("trips", Grid::Trips, Tab::Trips);
        add("sums of the trips", Grid::TripTotals, Tab::Trips);
        add("summary", Grid::Summary, Tab::Summary);
    }
    void everyHeadingShowsWhole() {
        QFETCH(int, grid);
        QFETCH(int, tab);
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        RegisterDriver reg(*app);
        reg.chooseTab(Tab(tab));
        const QStringList cut = reg.cutHeadings(RegisterDriver::Grid(grid));
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
    }

    void typedYearsAndMonthsAreNeverListed() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200);
        app->addPeriod(2023, 12);
        app->addPeriod(2024, 4);
        app->addPeriod(2024, 5);
        app->openRegister();
        app->dialogs.clear();
        RegisterDriver reg(*app);
        const QStringList years = reg.years();
        const QStringList months = reg.months();

        reg.typeYear("20a4");
        QCOMPARE(app->dialogs.texts().value(0), QString("TO NIE JEST POPRAWNY ROK - POPRAW"));
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.years(), years);

        reg.typeMonth("13");
        QCOMPARE(reg.month(), QString("Maj"));
        QCOMPARE(app->data().period().month, 5); // the chosen month stays May
        QCOMPARE(reg.months(), months);

        // a typed year that has periods is taken like a pick from the list, and stays unlisted twice
        reg.typeYear("2023");
        QCOMPARE(reg.months(), QStringList({"Wszystko", "Grudzień"}));
        QCOMPARE(reg.years(), years);
    }

    // "EWIDENCJA" while the register holds a trip being entered asks the pending-row rule first: the
    // register is brought up as it is, and the trip can still be saved.
    void openingTheRegisterAgainKeepsATripBeingEntered() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Trips);
        reg.newTrip();
        reg.type(Box::Route, "Krakow - Tarnow");
        reg.type(Box::Purpose, "Dostawa");
        reg.type(Box::FinalReading, "84");
        app->dialogs.clear();

        app->forms().MeniProgramu->SpeedEwidencjaClick();
        QCOMPARE(app->dialogs.texts(), QStringList({app->data().TablePrzejazdy->pendingGuard()}));
        QCOMPARE(reg.tab(), Tab::Trips);
        QCOMPARE(app->data().TablePrzejazdy->state(), Table::State::Insert);
        QVERIFY(reg.isEnabled(Button::NewTrip));
        reg.saveTrip();
        QCOMPARE(app->dialogs.texts().size(), 1);
        QCOMPARE(app->count("Przejazdy.db"), 1);
        QCOMPARE(app->rows("Przejazdy.db")[0]["Trasa"].toString(), QString("Krakow - Tarnow"));

        // with nothing pending it opens anew, on the costs tab
        app->forms().MeniProgramu->SpeedEwidencjaClick();
        QCOMPARE(reg.tab(), Tab::Costs);
    }

    // The program is Polish whatever the system's locale; window titles are the captions as given.
    void polishWhateverTheSystemLocale() {
        TestApp app;
        QLocale::setDefault(QLocale::c()); // a server, or a fresh machine, with LANG=C
        QVERIFY(app.start());
        app.addVehicle(1, "KR 1", 1200);
        app.addPeriod(2024, 5);
        seedTrip(app, 1, QDate(2024, 5, 3), "Kraków");
        app.seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                               {"Rok", 2024},
                               {"Miesiac", 5},
                               {"Data", QDate(2024, 5, 3)},
                               {"Nr_Rachunku", "F"},
                               {"Wartosc", 1234.5},
                               {"WartoscSuma", 1234.5}});
        app.openRegister();
        RegisterDriver reg(app);
        QCOMPARE(QLocale().language(), QLocale::Polish);
        QCOMPARE(reg.costDateText(), QString("15.05.2024")); // the period's date
        QCOMPARE(reg.costCell(0, 3), QString("1234,50"));
        QCOMPARE(reg.costSums()[1], QString("1234,50"));

        QCOMPARE(reg.title(), QString("EWIDENCJA PRZEBIEGU POJAZDU "));
        // Qt appends a display name to every window title once one is set; none may be
        const QString name = QCoreApplication::applicationName();
        QCoreApplication::setApplicationName("probe");
        QCOMPARE(QGuiApplication::applicationDisplayName(), QString("probe"));
        QCoreApplication::setApplicationName(name);
    }

    void changingTheYear() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200);
        app->addPeriod(2023, 11);
        app->addPeriod(2023, 12);
        app->addPeriod(2024, 1);
        app->addPeriod(2024, 2);
        // a fuel cost of February 2024: 30 l for 500 km is 6 l/100 km
        app->seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                                {"Rok", 2024},
                                {"Miesiac", 2},
                                {"Data", QDate(2024, 2, 5)},
                                {"Nr_Rachunku", "P1"},
                                {"Wartosc", 200.0},
                                {"CzyPaliwo", true},
                                {"IloscPaliwa", 30.0},
                                {"Pom1", "500"}});
        app->openRegister();
        RegisterDriver reg(*app);
        QCOMPARE(reg.text(Box::AverageConsumption), QString("6"));
        QCOMPARE(reg.years(), QStringList({"2023", "2024"}));
        QCOMPARE(reg.months(), QStringList({"Wszystko", "Styczeń", "Luty"}));
        // "Wszystko" chosen: told to pick a month, the month list is still rebuilt
        reg.chooseMonth("Wszystko");
        reg.chooseYear("2023");
        QCOMPARE(app->dialogs.texts(), QStringList{"Przy zmianie roku wybierz konkretny miesiąc"});
        QCOMPARE(reg.months(), QStringList({"Wszystko", "Listopad", "Grudzień"}));
        // a year without periods leaves "Wszystko" alone
        app->dialogs.clear();
        reg.chooseMonth("Grudzień");
        reg.typeYear("2019");
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(reg.months(), QStringList({"Wszystko"}));
        QCOMPARE(reg.month(), QString("Grudzień"));
        QCOMPARE(reg.text(Box::AverageConsumption), QString()); // no fuel in 2019
        // a year with letters is refused and replaced by the current year
        reg.typeYear("20a4");
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().text, QString("TO NIE JEST POPRAWNY ROK - POPRAW"));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QCOMPARE(reg.year(), QString("2024"));
        QCOMPARE(reg.months(), QStringList({"Wszystko", "Styczeń", "Luty"}));
        // the date pickers go to the first day of the month shown
        reg.chooseMonth("Luty");
        reg.chooseYear("2024");
        QCOMPARE(reg.costDate(), QDate(2024, 2, 1));
        QCOMPARE(reg.tripDate(), QDate(2024, 2, 1));
    }

    void retiredVehicleLocksTheTabs() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200, true);
        app->addVehicle(2, "KR 2", 1200, false);
        app->addVehicle(3, "KR 3", 1200, true, {{"Uzywany", QVariant()}});
        app->addPeriod(2024, 5);
        app->openRegister();
        RegisterDriver reg(*app);
        reg.clickVehicle(1);
        QVERIFY(!reg.tabsEnabled());
        reg.clickVehicle(2); // an empty flag leaves the tabs as they are
        QVERIFY(!reg.tabsEnabled());
        reg.clickVehicle(0);
        QVERIFY(reg.tabsEnabled());
        reg.clickVehicle(1);
        QVERIFY(!reg.tabsEnabled());
        reg.tickUnlockTabs();
        QVERIFY(reg.tabsEnabled());
        reg.clickVehicle(0);
        reg.clickVehicle(1);
        QVERIFY(reg.tabsEnabled());
        // the retired vehicle is drawn red, a vehicle in use black, an empty flag in the grid's colour
        const auto colour = [&](int row, bool selected) {
            return reg.vehicleTextColour(row, selected);
        };
        QCOMPARE(colour(0, false), QColor(Qt::black));
        QCOMPARE(colour(1, false), QColor(Qt::red));
        QCOMPARE(colour(2, false), QColor(Qt::blue));
        QCOMPARE(colour(1, true), QColor(Qt::white));
    }

    void theWheelMovesTheGridOneRowPerStep() {
        auto app = TestApp::started();
        for (int i = 1; i <= 5; ++i)
            app->addVehicle(i, QStringLiteral("KR %1").arg(i), 1200);
        app->addPeriod(2024, 5);
        app->openRegister();
        RegisterDriver reg(*app);
        auto wheel = [&](int delta) {
            reg.wheelVehicles(delta);
        };
        QCOMPARE(app->data().TablePojazdy->recNo(), 0);
        wheel(-120);
        QCOMPARE(app->data().TablePojazdy->recNo(), 1);
        wheel(-120);
        wheel(-120);
        QCOMPARE(app->data().TablePojazdy->recNo(), 3);
        wheel(120);
        QCOMPARE(app->data().TablePojazdy->recNo(), 2);
    }

    void upgradedTablesReopenWithTheRegister() {
        TestApp app;
        QDir().mkpath(app.dataFolder());
        schema::createInstalledTables(app.database, app.dataFolder(),
                                      schema::missingInstalledTables(app.database, app.dataFolder()));
        app.database.createTable(app.dataFolder(), tables::parametry());
        app.seed("Parametry", {{"JestTabParametry", true}});
        QVERIFY(app.start());
        app.addPeriod(2024, 5);
        app.openRegister();
        QVERIFY(app.dialogs.lastText().contains("brak pola")); // the register needs the added fields
        app.dialogs.clear();
        auto& params = *app.forms().Parametry1;
        params.RozszerzTablicePrzejazdyClick();
        params.RozszerzTabliceKosztyClick();
        params.RozszerzTablicePojazdyClick();
        QCOMPARE(app.dialogs.messages().size(), 3);
        QVERIFY(!app.data().TablePrzejazdy->isActive());
        app.openRegister();
        QVERIFY(app.data().TablePrzejazdy->isActive());
        QVERIFY(app.data().TableKoszty->isActive());
        QVERIFY(RegisterDriver(app).isShown());

        // An upgrade while the register is open closes its table first (an open file cannot be
        // altered); here the fields exist already, so the statement fails, and the next opening
        // reopens the table.
        app.dialogs.clear();
        params.RozszerzTablicePrzejazdyClick();
        QCOMPARE(app.dialogs.texts().size(), 1);
        QVERIFY(app.dialogs.lastText() != "TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE");
        QVERIFY(!app.data().TablePrzejazdy->isActive());
        QVERIFY(app.data().TableKoszty->isActive());
        QCOMPARE(app.count("Przejazdy.db"), 0);
        app.openRegister();
        QVERIFY(app.data().TablePrzejazdy->isActive());
        RegisterDriver(app).close();
    }
};

TARLOK_TEST_MAIN(RegisterTest)
#include "tst_register.moc"
