// The trip-purpose, expense-kind and route lists: what they store, what they refuse, and what their
// take buttons and double clicks write into the register's trip or cost.
#include "support/ModelTesting.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TTrasy.h"
#include "store/Table.h"
#include "ui_TCel_Wyjazdu.h"
#include "ui_TJaki_Wydatek.h"
#include "ui_TTrasy.h"

#include <QTest>

#include <functional>
#include <vector>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

namespace {

const QString kRouteWindow = QStringLiteral("tarlok::TTrasy");
const QString kPurposeWindow = QStringLiteral("tarlok::TCel_Wyjazdu");
const QString kKindWindow = QStringLiteral("tarlok::TJaki_Wydatek");

using tarlok::test::typeText;

// A trip of the vehicle as the register would have stored it.
void seedTrip(TestApp& app) {
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                              {"Rok", 2024},
                              {"Miesiac", 5},
                              {"Data", QDate(2024, 5, 10)},
                              {"Trasa", "Kraków - Kielce"},
                              {"Cel_Wyj", "Dostawa"},
                              {"Kilometry", 117},
                              {"Pom1", "Opis wpisany ręcznie"}});
}

template <class Window> Window* as(QWidget* w) {
    return static_cast<Window*>(w);
}

} // namespace

class PickListsTest : public QObject {
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- routes

    void routeIsCutToTheTripFieldAndOverwritesItsKilometres() {
        auto app = TestApp::started();
        app->seed("Trasy.db",
                  {{"Trasa", "Kraków - Wieliczka - Bochnia - Brzesko - Tarnów"}, {"Kilometry", 84}});
        app->openRegisterOnAVehicle();
        Table* trip = app->data().TablePrzejazdy;
        trip->append();
        trip->setValue("Kilometry", 12);

        bool closedByTaking = false;
        app->dialogs.onModal(kRouteWindow, [&](QWidget* w) {
            as<TTrasy>(w)->ui()->Wprowadz->click();
            closedByTaking = !w->isVisible();
        });
        RegisterDriver(*app).press(Button::RoutesList);

        QVERIFY(closedByTaking);
        QCOMPARE(trip->state(), Table::State::Insert); // a trip being entered stays a new trip
        QCOMPARE(trip->asString("Trasa"), QString("Kraków - Wieliczka - Bochnia - Brzesko -"));
        QCOMPARE(trip->asInteger("Kilometry"), 84);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void aStoredTripIsPutIntoEditAndTakesTheRouteAndThePurpose() {
        auto app = TestApp::started();
        app->seed("Trasy.db", {{"Trasa", "Kraków - Tarnów"}, {"Kilometry", 84}});
        app->seed("Cel_Wyj.db", {{"Cel_Wyjazdu", "Szkolenie BHP"}});
        seedTrip(*app);
        app->openRegisterOnAVehicle();
        Table* trip = app->data().TablePrzejazdy;
        QCOMPARE(trip->state(), Table::State::Browse);

        app->dialogs.onModal(kRouteWindow, [](QWidget* w) { emit as<TTrasy>(w)->ui()->DBGrid1->dblClick(); });
        RegisterDriver(*app).press(Button::RoutesList);
        QCOMPARE(trip->state(), Table::State::Edit);
        app->dialogs.onModal(kPurposeWindow,
                             [](QWidget* w) { as<TCel_Wyjazdu>(w)->ui()->Wprowadz->click(); });
        RegisterDriver(*app).press(Button::PurposesList);

        QCOMPARE(trip->state(), Table::State::Edit);
        QCOMPARE(trip->asString("Trasa"), QString("Kraków - Tarnów"));
        QCOMPARE(trip->asInteger("Kilometry"), 84);
        QCOMPARE(trip->asString("Cel_Wyj"), QString("Szkolenie BHP"));
        QVERIFY(trip->isNull("Pom1")); // the purpose has no description and the button copies it as it is
        trip->cancel();
        QCOMPARE(app->rows("Przejazdy.db")[0]["Kilometry"].toInt(), 117); // the copies store nothing
    }

    void routeNeedsANameAndALength() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        Table* routes = app->data().TableTrasy;
        QStringList edits;
        app->dialogs.onModal(kRouteWindow, [&](QWidget* w) {
            auto* ui = as<TTrasy>(w)->ui();
            // a length without a name
            ui->Dodaj->click();
            typeText(ui->DBKilometry, "15");
            ui->Zapisz->click();
            QCOMPARE(routes->state(), Table::State::Browse);
            // a name with 0 km: refused and the typed input is gone
            ui->Dodaj->click();
            typeText(ui->DBTrasa, "Kraków - Kielce");
            typeText(ui->DBKilometry, "0");
            ui->Zapisz->click();
            QCOMPARE(routes->state(), Table::State::Browse);
            edits << ui->DBTrasa->text() << ui->DBKilometry->text();
            // a name and a length
            ui->Dodaj->click();
            typeText(ui->DBTrasa, "Kraków - Kielce");
            typeText(ui->DBKilometry, "117");
            typeText(ui->DBUwagi, "przez Jędrzejów");
            ui->Zapisz->click();
        });
        RegisterDriver(*app).press(Button::Routes);

        QCOMPARE(edits, (QStringList{"", ""}));
        QCOMPARE(app->dialogs.texts(), (QStringList{"Trasa musi posiadać swoją nazwę i odległość",
                                                    "Trasa musi posiadać swoją nazwę i odległość"}));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        const auto rows = app->rows("Trasy.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Trasa"], QVariant("Kraków - Kielce"));
        QCOMPARE(rows[0]["Kilometry"].toInt(), 117);
        QCOMPARE(rows[0]["Uwagi"], QVariant("przez Jędrzejów"));
    }

    // A route typed half and then left by a click on another route, or by "&Wyjście" and a later
    // move, is refused as "&Zapisz" refuses it: no route without a name or a length is ever stored.
    void everyStoreOfARouteFollowsTheRouteRule() {
        auto app = TestApp::started();
        app->seed("Trasy.db", {{"Trasa", "Kraków - Bochnia"}, {"Kilometry", 40}});
        app->seed("Trasy.db", {{"Trasa", "Kraków - Tarnów"}, {"Kilometry", 84}});
        app->openRegisterOnAVehicle();
        Table* routes = app->data().TableTrasy;
        auto clickRow = [](QTableView* grid, int row) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualRect(grid->model()->index(row, 0)).center());
        };
        app->dialogs.onModal(kRouteWindow, [&](QWidget* w) {
            auto* ui = as<TTrasy>(w)->ui();
            ui->Dodaj->click();
            typeText(ui->DBTrasa, "Kraków - Kielce"); // no length
            clickRow(ui->DBGrid1, 2);                 // the new route is the first row
            QCOMPARE(routes->state(), Table::State::Browse);
            ui->Dodaj->click();
            typeText(ui->DBKilometry, "117"); // no name
            ui->Zamknij->click();
        });
        RegisterDriver(*app).press(Button::Routes);
        app->dialogs.onModal(kRouteWindow, [&](QWidget* w) { clickRow(as<TTrasy>(w)->ui()->DBGrid1, 2); });
        RegisterDriver(*app).press(Button::Routes);

        QCOMPARE(app->dialogs.texts(), QStringList(2, "Trasa musi posiadać swoją nazwę i odległość"));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QCOMPARE(routes->state(), Table::State::Browse);
        const auto rows = app->rows("Trasy.db");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0]["Trasa"], QVariant("Kraków - Bochnia"));
        QCOMPARE(rows[1]["Trasa"], QVariant("Kraków - Tarnów"));
    }

    void deletingARouteAsksFirst() {
        auto app = TestApp::started();
        app->seed("Trasy.db", {{"Trasa", "Kraków - Bochnia"}, {"Kilometry", 40}});
        app->seed("Trasy.db", {{"Trasa", "Kraków - Tarnów"}, {"Kilometry", 84}});
        app->openRegisterOnAVehicle();
        Table* routes = app->data().TableTrasy;
        app->dialogs.onModal(kRouteWindow, [&](QWidget* w) {
            auto* ui = as<TTrasy>(w)->ui();
            routes->last();
            typeText(ui->DBUwagi, "zmiana");
            app->dialogs.answerNo();
            ui->Usun->click(); // No: the change is dropped, the route stays
            QCOMPARE(routes->state(), Table::State::Browse);
            app->dialogs.answerYes();
            ui->Usun->click();
            app->dialogs.answerYes();
            ui->Usun->click();
            ui->Usun->click(); // nothing left
        });
        RegisterDriver(*app).press(Button::Routes);

        const auto& m = app->dialogs.messages();
        QCOMPARE(m.size(), 4);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(m[i].text, QString("USUWAMY wybraną pozycję(TRASĘ)"));
            QCOMPARE(m[i].caption, QString("WYBIERZ"));
            QCOMPARE(m[i].buttons, Dialogs::Buttons::YesNo);
        }
        QCOMPARE(m[3].text, QString("Brak Trasy do USUNIĘCIA"));
        QCOMPARE(m[3].caption, QString("Informacja"));
        QCOMPARE(app->count("Trasy.db"), 0);
    }

    // ---------------------------------------------------------------- trip purposes

    void purposeByDoubleClickLeavesTheDescriptionAndByTheButtonCopiesIt() {
        auto app = TestApp::started();
        app->seed("Cel_Wyj.db",
                  {{"Cel_Wyjazdu", "Spotkanie z klientem"}, {"Pom1", "Negocjacje umowy serwisowej"}});
        app->openRegisterOnAVehicle();
        Table* trip = app->data().TablePrzejazdy;
        trip->append();
        trip->setValue("Pom1", "Opis wpisany ręcznie");

        app->dialogs.onModal(kPurposeWindow,
                             [](QWidget* w) { emit as<TCel_Wyjazdu>(w)->ui()->DBGrid1->dblClick(); });
        RegisterDriver(*app).press(Button::PurposesList);
        QCOMPARE(trip->asString("Cel_Wyj"), QString("Spotkanie z klientem"));
        QCOMPARE(trip->asString("Pom1"), QString("Opis wpisany ręcznie"));

        app->dialogs.onModal(kPurposeWindow,
                             [](QWidget* w) { as<TCel_Wyjazdu>(w)->ui()->Wprowadz->click(); });
        RegisterDriver(*app).press(Button::PurposesList);
        QCOMPARE(trip->asString("Cel_Wyj"), QString("Spotkanie z klientem"));
        QCOMPARE(trip->asString("Pom1"), QString("Negocjacje umowy serwisowej"));
        QCOMPARE(trip->state(), Table::State::Insert);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void emptyPurposeIsRefusedAndNothingStored() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        Table* purposes = app->data().TableCelWyjazdu;
        app->dialogs.onModal(kPurposeWindow, [&](QWidget* w) {
            auto* ui = as<TCel_Wyjazdu>(w)->ui();
            ui->DBNavigator1->click(DbNavigator::Button::Insert);
            typeText(ui->DBOpisCeluWyjazdu, "sam opis");
            ui->DBNavigator1->click(DbNavigator::Button::Post);
            QCOMPARE(purposes->state(), Table::State::Browse);
            ui->DBNavigator1->click(DbNavigator::Button::Insert);
            typeText(ui->DBCelWyjazdu, "   ");
            ui->DBNavigator1->click(DbNavigator::Button::Post);
            ui->DBNavigator1->click(DbNavigator::Button::Insert);
            typeText(ui->DBCelWyjazdu, "Szkolenie");
            ui->DBNavigator1->click(DbNavigator::Button::Post);
        });
        app->forms().MeniProgramu->SpeedCeleClick();

        QCOMPARE(app->dialogs.texts(),
                 (QStringList{"Pozycja do zapisu jest pusta", "Pozycja do zapisu jest pusta"}));
        const auto rows = app->rows("Cel_Wyj.db");
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Cel_Wyjazdu"], QVariant("Szkolenie"));
    }

    void purposeWindowExitShowsTheCostsTab() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Trips);
        app->dialogs.onModal(kPurposeWindow, [](QWidget* w) { as<TCel_Wyjazdu>(w)->ui()->Zamknij->click(); });
        reg.press(Button::Purposes);
        QCOMPARE(reg.tab(), Tab::Costs);
    }

    // ---------------------------------------------------------------- expense kinds

    void kindIsStoredWithItsFlagRateAndThePickersDate() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        app->dialogs.onModal(kKindWindow, [&](QWidget* w) {
            auto* ui = as<TJaki_Wydatek>(w)->ui();
            // no name: refused
            ui->DBNavigator1->click(DbNavigator::Button::Insert);
            typeText(ui->DBComboBoxVat->lineEdit(), "8");
            ui->DBNavigator1->click(DbNavigator::Button::Post);
            // fuel at 23 %, on today's date
            ui->DBNavigator1->click(DbNavigator::Button::Insert);
            QCOMPARE(ui->DataWyd->date(), QDate(2024, 5, 15));
            typeText(ui->DBWydatek, "Olej napędowy");
            typeText(ui->DBComboBoxVat->lineEdit(), "23");
            ui->DBCzyPaliwo->click();
            ui->DBNavigator1->click(DbNavigator::Button::Post);
            // not fuel, on a date picked by the user
            ui->DBNavigator1->click(DbNavigator::Button::Insert);
            typeText(ui->DBWydatek, "Myjnia");
            typeText(ui->DBComboBoxVat->lineEdit(), "8");
            ui->DataWyd->setDate(QDate(2024, 3, 1));
            ui->DBNavigator1->click(DbNavigator::Button::Post);
        });
        app->forms().MeniProgramu->SpeedWydatkiClick();

        QCOMPARE(app->forms().Jaki_Wydatek->ui()->DBComboBoxVat->items(),
                 (QStringList{"23", "8", "22", "7", "5", "0"}));
        QCOMPARE(app->dialogs.texts(), QStringList{"Pozycja do zapisu jest pusta"});
        const auto rows = app->rows("Wydatki.db");
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0]["Wydatek"], QVariant("Olej napędowy"));
        QCOMPARE(rows[0]["CzyPaliwo"], QVariant(true));
        QCOMPARE(rows[0]["Pom3"].toInt(), 23);
        QCOMPARE(rows[0]["Data"].toDateTime().date(), QDate(2024, 5, 15));
        QCOMPARE(rows[1]["Wydatek"], QVariant("Myjnia"));
        QCOMPARE(rows[1]["CzyPaliwo"].toBool(), false);
        QCOMPARE(rows[1]["Pom3"].toInt(), 8);
        QCOMPARE(rows[1]["Data"].toDateTime().date(), QDate(2024, 3, 1));
    }

    void editingAKindKeepsItsOwnDate() {
        auto app = TestApp::started();
        app->seed("Wydatki.db", {{"Data", QDateTime(QDate(2023, 1, 9), QTime(0, 0))}, {"Wydatek", "Opłata"}});
        app->seed("Wydatki.db",
                  {{"Data", QDateTime(QDate(2023, 2, 1), QTime(0, 0))}, {"Wydatek", "Parking"}});
        app->openRegisterOnAVehicle();
        app->dialogs.onModal(kKindWindow, [&](QWidget* w) {
            auto* ui = as<TJaki_Wydatek>(w)->ui();
            ui->DBNavigator1->click(DbNavigator::Button::Last);
            typeText(ui->DBWydatek, " płatny");
            ui->DBNavigator1->click(DbNavigator::Button::Post);
        });
        app->forms().MeniProgramu->SpeedWydatkiClick();
        const auto rows = app->rows("Wydatki.db");
        QCOMPARE(rows[1]["Wydatek"], QVariant("Parking płatny"));
        QCOMPARE(rows[1]["Data"].toDateTime().date(), QDate(2023, 2, 1));
    }

    void takingAKindFillsTheCost() {
        auto app = TestApp::started();
        app->seed("Wydatki.db",
                  {{"Wydatek", "Paliwo do samochodu osobowego"}, {"CzyPaliwo", true}, {"Pom3", 23}});
        app->seed("Wydatki.db", {{"Wydatek", "Myjnia"}, {"CzyPaliwo", false}, {"Pom3", 8}});
        app->openRegisterOnAVehicle();
        RegisterDriver reg(*app);
        Table* cost = app->data().TableKoszty;
        cost->append();

        app->dialogs.onModal(kKindWindow, [](QWidget* w) { as<TJaki_Wydatek>(w)->ui()->Wprowadz->click(); });
        RegisterDriver(*app).press(Button::ExpenseKindsList);
        QCOMPARE(cost->state(), Table::State::Insert);
        QCOMPARE(cost->asString("Rodzaj_Wyd"), QString("Paliwo do samochodu osobo"));
        QCOMPARE(cost->value("CzyPaliwo"), QVariant(true));
        QCOMPARE(cost->asInteger("Pom3"), 23);
        QCOMPARE(cost->asInteger("VatProcent"), 23);
        QCOMPARE(reg.label(RegisterDriver::Label::CostValue), QString("Wartość[zł]"));
        QVERIFY(reg.isShown(RegisterDriver::Box::CostVat));

        app->dialogs.onModal(kKindWindow, [&](QWidget* w) {
            app->data().TableWydatki->last();
            emit as<TJaki_Wydatek>(w)->ui()->DBGrid1->dblClick();
        });
        RegisterDriver(*app).press(Button::ExpenseKindsList);
        QCOMPARE(cost->asString("Rodzaj_Wyd"), QString("Myjnia"));
        QCOMPARE(cost->value("CzyPaliwo"), QVariant(false));
        QCOMPARE(cost->asInteger("Pom3"), 8);
        QCOMPARE(cost->asInteger("VatProcent"), 8);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void withoutTheCostUpgradeTheRateGoesOnlyIntoPom3() {
        auto app = TestApp::started();
        app->seed("Wydatki.db", {{"Wydatek", "Myjnia"}, {"CzyPaliwo", false}, {"Pom3", 8}});
        app->openRegisterOnAVehicle();
        Table* params = app->forms().Parametry1->TableParametry;
        params->edit();
        params->setValue("RozszerzonoTabKoszty", false);
        params->post();
        Table* cost = app->data().TableKoszty;
        cost->append();

        app->dialogs.onModal(kKindWindow, [](QWidget* w) { as<TJaki_Wydatek>(w)->ui()->Wprowadz->click(); });
        RegisterDriver(*app).press(Button::ExpenseKindsList);
        QCOMPARE(cost->asInteger("Pom3"), 8);
        QVERIFY(cost->isNull("VatProcent"));
        QCOMPARE(cost->value("CzyPaliwo"), QVariant(false));
    }

    // ---------------------------------------------------------------- opening the lists

    void maintenanceHidesTheTakeButtonsAndPickingShowsThem() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        TMeniProgramu* main = app->forms().MeniProgramu;
        RegisterDriver reg(*app);
        struct Opening {
            const char* name;
            QString window;
            std::function<void()> open;
            bool takeShown;
        };
        const std::vector<Opening> openings = {
            {"main TRASY", kRouteWindow, [&] { main->SpeedTrasaClick(); }, false},
            {"main KOSZTY", kKindWindow, [&] { main->SpeedWydatkiClick(); }, false},
            {"main CELE", kPurposeWindow, [&] { main->SpeedCeleClick(); }, false},
            {"register Trasy", kRouteWindow, [&] { reg.press(Button::Routes); }, false},
            {"register Koszty", kKindWindow, [&] { reg.press(Button::ExpenseKinds); }, false},
            {"register Cel wyjazdu", kPurposeWindow, [&] { reg.press(Button::Purposes); }, false},
            {"Kartoteka tras", kRouteWindow, [&] { reg.press(Button::RoutesList); }, true},
            {"Kartoteka wydatków", kKindWindow, [&] { reg.press(Button::ExpenseKindsList); }, true},
            {"Kartoteka celów wyj.", kPurposeWindow, [&] { reg.press(Button::PurposesList); }, true},
        };
        for (const Opening& o : openings) {
            bool shown = !o.takeShown;
            app->dialogs.onModal(o.window, [&](QWidget* w) {
                if (auto* r = qobject_cast<TTrasy*>(w))
                    shown = !r->ui()->Wprowadz->isHidden();
                else if (auto* k = qobject_cast<TJaki_Wydatek*>(w))
                    shown = !k->ui()->Wprowadz->isHidden();
                else if (auto* p = qobject_cast<TCel_Wyjazdu*>(w))
                    shown = !p->ui()->Wprowadz->isHidden();
            });
            o.open();
            QVERIFY2(shown == o.takeShown, o.name);
        }
        QCOMPARE(app->dialogs.modalShows().size(), int(openings.size()));

        // the purposes grid is edited in place only while "Zapis bezpośrednio w tabeli" is ticked
        auto* purposes = app->forms().Cel_Wyjazdu->ui();
        main->SpeedCeleClick();
        QVERIFY(!purposes->DBGrid1->inPlaceEditing());
        purposes->CheckBoxZapisBezposrednioTabela->click();
        QVERIFY(purposes->DBGrid1->inPlaceEditing());
        reg.press(Button::PurposesList);
        QVERIFY(purposes->DBGrid1->inPlaceEditing());
    }

    void listsOpenTheirTableWhenTheRegisterHasClosedIt() {
        auto app = TestApp::started();
        app->seed("Trasy.db", {{"Trasa", "Kraków - Bochnia"}, {"Kilometry", 40}});
        app->openRegisterOnAVehicle();
        RegisterDriver(*app).press(Button::Close);
        QVERIFY(!app->data().TableTrasy->isActive());
        int rows = -1;
        app->dialogs.onModal(kRouteWindow, [&](QWidget*) { rows = app->data().TableTrasy->recordCount(); });
        app->forms().MeniProgramu->SpeedTrasaClick();
        QCOMPARE(rows, 1);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }
};

TARLOK_TEST_MAIN(PickListsTest)
#include "tst_picklists.moc"
