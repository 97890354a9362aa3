// The drivers and owner windows: their tables open with the window and close with "Wyjście", a
// driver taken into the trip being entered, deletes asked first, a missing table reported.
#include "support/ModelTesting.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "reference/TKierowcy1.h"
#include "reference/TWlascicielPodatnik.h"
#include "store/Table.h"
#include "ui_TKierowcy1.h"
#include "ui_TWlascicielPodatnik.h"

#include <QFile>
#include <QTest>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

namespace {

using tarlok::test::typeText;

Table* driversTable(TestApp& app) {
    return app.forms().Parametry1->TableKierowcy;
}
Table* ownerTable(TestApp& app) {
    return app.forms().Parametry1->TableWlasciciel;
}

// Drivers stored before the window opens (start-up may have left the table open on the new file).
void seedDrivers(TestApp& app, const QList<QVariantMap>& rows) {
    driversTable(app)->close();
    for (const QVariantMap& row : rows)
        app.seed("Kierowcy.db", row);
}

} // namespace

class DriversTest : public QObject {
    Q_OBJECT

private slots:
    void driverGoesIntoTheTripBeingEntered() {
        auto app = TestApp::started();
        seedDrivers(*app, {{{"Imie", "Jan"}, {"Nazwisko", "Kowalski"}}, {{"Imie", "Anna"}}});
        app->openRegisterOnAVehicle();
        Table* trip = app->data().TablePrzejazdy;
        trip->append();
        trip->setValue("Imie", "Piotr");
        trip->setValue("Nazwisko", "Nowak");
        TKierowcy1* window = app->forms().Kierowcy1;
        Table* drivers = driversTable(*app);

        // a driver without a surname: only the first name is taken
        RegisterDriver(*app).press(Button::DriversList);
        QVERIFY(window->isVisible());
        QVERIFY(!window->ui()->WprowadzImieNazwisko->isHidden());
        drivers->last();
        window->ui()->WprowadzImieNazwisko->click();
        QCOMPARE(trip->asString("Imie"), QString("Anna"));
        QCOMPARE(trip->asString("Nazwisko"), QString("Nowak"));
        QVERIFY(!window->isVisible());
        QVERIFY(!drivers->isActive());

        // both names, by a double click
        RegisterDriver(*app).press(Button::DriversList);
        drivers->first();
        emit window->ui()->DBGridKierowcy->dblClick();
        QCOMPARE(trip->asString("Imie"), QString("Jan"));
        QCOMPARE(trip->asString("Nazwisko"), QString("Kowalski"));
        QCOMPARE(trip->state(), Table::State::Insert);
        QVERIFY(!drivers->isActive());
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void aTripNotBeingEnteredRefusesTheDriver() {
        auto app = TestApp::started();
        seedDrivers(*app, {{{"Imie", "Jan"}, {"Nazwisko", "Kowalski"}}});
        app->seed("Przejazdy.db",
                  {{"NrKol_Pojazdu", 1}, {"Rok", 2024}, {"Miesiac", 5}, {"Data", QDate(2024, 5, 10)}});
        app->openRegisterOnAVehicle();
        Table* trip = app->data().TablePrzejazdy;
        QCOMPARE(trip->state(), Table::State::Browse);

        app->forms().MeniProgramu->Kierowcy1Click();
        emit app->forms().Kierowcy1->ui()->DBGridKierowcy->dblClick();

        QCOMPARE(app->dialogs.messages().size(), 1); // the engine's refusal
        QCOMPARE(trip->state(), Table::State::Browse);
        QVERIFY(trip->isNull("Imie"));
        QVERIFY(app->forms().Kierowcy1->isVisible()); // the window and its table stay for another try
        QVERIFY(driversTable(*app)->isActive());
        QVERIFY(app->rows("Przejazdy.db")[0]["Imie"].isNull());
    }

    void windowsOpenTheirTablesAndExitClosesThem() {
        auto app = TestApp::started();
        seedDrivers(*app, {{{"Imie", "Jan"}, {"Nazwisko", "Kowalski"}}});
        ownerTable(*app)->close();
        app->seed("Wlasciciel.db", {{"Nazwisko", "Zieliński"}, {"Imie", "Adam"}, {"Nip", "123-456-78-90"}});

        TKierowcy1* drivers = app->forms().Kierowcy1;
        app->forms().MeniProgramu->Kierowcy1Click();
        QVERIFY(drivers->isVisible());
        QVERIFY(drivers->ui()->WprowadzImieNazwisko->isHidden());
        QVERIFY(driversTable(*app)->isActive());
        QCOMPARE(drivers->ui()->DBTextNazwisko->text(), QString("Kowalski"));
        drivers->ui()->Zamknij->click();
        QVERIFY(!drivers->isVisible());
        QVERIFY(!driversTable(*app)->isActive());

        // the close box leaves the table open, and the next opening works on it
        app->forms().MeniProgramu->Kierowcy1Click();
        drivers->close();
        QVERIFY(driversTable(*app)->isActive());
        app->forms().MeniProgramu->Kierowcy1Click();
        QVERIFY(drivers->isVisible());
        QCOMPARE(driversTable(*app)->recordCount(), 1);

        TWlascicielPodatnik* owner = app->forms().WlascicielPodatnik;
        app->forms().MeniProgramu->Waciciel1Click();
        QVERIFY(owner->isVisible());
        QVERIFY(ownerTable(*app)->isActive());
        QCOMPARE(owner->ui()->DBEditNip->text(), QString("123-456-78-90"));
        owner->ui()->Zamknij->click();
        QVERIFY(!owner->isVisible());
        QVERIFY(!ownerTable(*app)->isActive());
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void whatWasTypedIsKeptOnExit() {
        auto app = TestApp::started();
        TWlascicielPodatnik* owner = app->forms().WlascicielPodatnik;
        app->forms().MeniProgramu->Waciciel1Click();
        owner->ui()->DBNavigator1->click(DbNavigator::Button::Insert);
        typeText(owner->ui()->DBEditNazwisko, "Zieliński");
        typeText(owner->ui()->DBEditNazwaFirmy, "Transport Zieliński");
        owner->ui()->Zamknij->click();
        auto rows = app->rows("Wlasciciel.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Nazwisko"], QVariant("Zieliński"));
        QCOMPARE(rows[0]["NazwaFirmy"], QVariant("Transport Zieliński"));

        // "Anuluj" of the drivers window drops what was typed
        TKierowcy1* drivers = app->forms().Kierowcy1;
        app->forms().MeniProgramu->Kierowcy1Click();
        driversTable(*app)->insert();
        driversTable(*app)->setValue("Imie", "Marek");
        drivers->ui()->Anuluj->click();
        QCOMPARE(driversTable(*app)->state(), Table::State::Browse);
        driversTable(*app)->insert();
        driversTable(*app)->setValue("Imie", "Ewa");
        drivers->ui()->Zamknij->click();
        rows = app->rows("Kierowcy.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Imie"], QVariant("Ewa"));
    }

    void deletingADriverAsksFirst() {
        auto app = TestApp::started();
        seedDrivers(*app, {{{"Imie", "Jan"}, {"Nazwisko", "Kowalski"}},
                           {{"Imie", "Anna"}, {"Nazwisko", "Wiśniewska"}}});
        TKierowcy1* window = app->forms().Kierowcy1;
        app->forms().MeniProgramu->Kierowcy1Click();

        app->dialogs.answerNo();
        window->ui()->DBNavigator1->click(DbNavigator::Button::Delete);
        QCOMPARE(app->count("Kierowcy.db"), 2);
        app->dialogs.answerYes();
        window->ui()->DBNavigator1->click(DbNavigator::Button::Delete); // Jan, the first row
        app->dialogs.answerYes();
        QTest::keyClick(window->ui()->DBGridKierowcy, Qt::Key_Delete, Qt::ControlModifier);

        QCOMPARE(app->count("Kierowcy.db"), 0);
        const auto& m = app->dialogs.messages();
        QCOMPARE(m.size(), 3);
        for (const auto& record : m) {
            QCOMPARE(record.text, QString("Czy usunąć wybraną pozycję"));
            QCOMPARE(record.caption, QString("WYBIERZ"));
            QCOMPARE(record.buttons, Dialogs::Buttons::YesNo);
        }
    }

    void aMissingDriversTableIsReportedAndNothingOpens() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        driversTable(*app)->close();
        QVERIFY(QFile::remove(app->database.tablePath(app->dataFolder(), "Kierowcy.db")));

        app->forms().MeniProgramu->Kierowcy1Click();
        RegisterDriver(*app).press(Button::DriversList);
        QCOMPARE(app->dialogs.messages().size(), 2);
        QVERIFY(app->dialogs.texts()[0].contains("Kierowcy"));
        QVERIFY(!app->forms().Kierowcy1->isVisible());
        QVERIFY(!driversTable(*app)->isActive());
    }
};

TARLOK_TEST_MAIN(DriversTest)
#include "tst_drivers.moc"
