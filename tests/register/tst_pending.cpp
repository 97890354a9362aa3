// A pending trip, cost or vehicle is never stored half-done: a move while it is pending stores
// nothing, says so, and leaves the row, the vehicle, the period and the tab where they were.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "reference/TPojazdy_firmy.h"
#include "store/Table.h"
#include "ui_TPojazdy_firmy.h"

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::retypeAndEnter;
using tarlok::test::TestApp;

namespace {

using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

const QString kTripHeld = "Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anuluj\".";
const QString kCostHeld = "Wprowadzany koszt nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anulij\".";

std::unique_ptr<TestApp> firm() {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, "KR 1", 1200, true, {{"StanPoczLIcznika", 10000}});
    app->addVehicle(2, "KR 2", 800);
    app->addPeriod(2024, 4);
    app->addPeriod(2024, 5);
    app->openRegister();
    return app;
}

// Every move the user can make in the register while a row is pending; each must leave it pending.
void tryEveryMove(TestApp& app, Table* pending, const QString& message) {
    RegisterDriver reg(app);
    const RegisterDriver::Tab tab = reg.tab();
    const int vehicle = app.data().TablePojazdy->recNo();

    app.dialogs.clear();
    reg.clickVehicle(1);
    QCOMPARE(app.dialogs.texts().value(0), message);
    QCOMPARE(app.data().TablePojazdy->recNo(), vehicle);
    QVERIFY(pending->isEditing());

    app.dialogs.clear();
    reg.chooseMonth("Kwiecień");
    QCOMPARE(app.dialogs.texts(), QStringList{message});
    QCOMPARE(reg.month(), QString("Maj"));
    QVERIFY(pending->isEditing());

    app.dialogs.clear();
    reg.typeYear("2023");
    QCOMPARE(app.dialogs.texts(), QStringList{message});
    QCOMPARE(reg.year(), QString("2024"));

    app.dialogs.clear();
    reg.chooseTab(Tab::Summary);
    QCOMPARE(app.dialogs.texts(), QStringList{message});
    QCOMPARE(reg.tab(), tab);
    QVERIFY(pending->isEditing());
}

} // namespace

class PendingTest : public QObject {
    Q_OBJECT

private slots:
    void aTypedTripIsKeptUntilItIsSaved() {
        auto app = firm();
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Trips);
        reg.newTrip();
        reg.pickTripDate(QDate(2024, 5, 6));
        reg.typeAndEnter(Box::Route, "Kraków - Tarnów");
        reg.typeAndEnter(Box::Purpose, "Spotkanie");
        reg.typeAndEnter(Box::FinalReading, "10151");

        tryEveryMove(*app, app->data().TablePrzejazdy, kTripHeld);
        app->dialogs.clear();
        app->dialogs.onModal("tarlok::TTrasy", [](QWidget*) {});
        reg.press(Button::RoutesList);
        QCOMPARE(app->count("Przejazdy.db"), 0);
        QCOMPARE(app->data().TablePrzejazdy->asString("Trasa"), QString("Kraków - Tarnów"));

        reg.saveTrip();
        const auto trips = app->rows("Przejazdy.db");
        QCOMPARE(trips.size(), 1);
        QCOMPARE(trips[0]["Rok"], QVariant(qint64(2024)));
        QCOMPARE(trips[0]["Miesiac"], QVariant(qint64(5)));
        QCOMPARE(trips[0]["NrKol_Pojazdu"], QVariant(qint64(1)));
        QCOMPARE(trips[0]["Kilometry"], QVariant(qint64(151)));
        QCOMPARE(trips[0]["Wartosc"].toDouble(), 126.21); // 151 km x 0,8358
        QCOMPARE(trips[0]["WartoscSuma"].toDouble(), 126.21);
        QCOMPARE(trips[0]["KilometrySuma"], QVariant(qint64(151)));
        QCOMPARE(trips[0]["Wartosc_NarastajacoRok"].toDouble(), 126.21);
    }

    void aTypedCostIsKeptUntilItIsSaved() {
        auto app = firm();
        RegisterDriver reg(*app);
        reg.newCost();
        reg.pickCostDate(QDate(2024, 5, 6));
        reg.typeAndEnter(Box::DocumentNumber, "FV 1/2024");
        reg.typeAndEnter(Box::ExpenseName, "Serwis");
        reg.typeAndEnter(Box::CostValue, "100");
        app->data().TableKoszty->setValue("Pom3", 23); // as the expense kinds' take button does

        tryEveryMove(*app, app->data().TableKoszty, kCostHeld);
        QCOMPARE(app->count("Koszty.db"), 0);

        reg.chooseVatCounted(1); // "50 %"
        reg.saveCost();
        const auto costs = app->rows("Koszty.db");
        QCOMPARE(costs.size(), 1);
        QCOMPARE(costs[0]["Wartosc"].toDouble(), 111.5); // 100 net + half of 23 VAT
        QCOMPARE(costs[0]["VatZaliczony"].toDouble(), 11.5);
        QCOMPARE(costs[0]["WartBrutto"].toDouble(), 123.0);
        QCOMPARE(costs[0]["WartoscSuma"].toDouble(), 111.5);
        QCOMPARE(costs[0]["Miesiac"], QVariant(qint64(5)));
    }

    void aNewVehicleIsKeptUntilItIsSaved() {
        auto app = firm();
        RegisterDriver reg(*app);
        TPojazdy_firmy& w = *app->forms().Pojazdy_firmy;
        w.openWindow();
        w.DodajClick();
        retypeAndEnter(w.ui()->DBRejestracja, "kr 777");
        retypeAndEnter(w.ui()->DBPojemnosc_pojazdu, "1400");
        app->dialogs.clear();
        reg.clickVehicle(0);
        QVERIFY(!app->dialogs.texts().isEmpty());
        QCOMPARE(app->data().TablePojazdy->state(), Table::State::Insert);
        QCOMPARE(app->count("Pojazdy.db"), 2);
        // a post without the number assigned by "Zapisz" is refused and the row kept
        try {
            app->data().TablePojazdy->post();
            QFAIL("a vehicle was stored without its number");
        } catch (const EngineError& e) {
            QCOMPARE(e.text(),
                     QString("Każdy pojazd musi posiadać numer - musisz użyć wcześniej przycisku \"Dodaj\""));
        }
        QCOMPARE(app->data().TablePojazdy->state(), Table::State::Insert);
        w.ZapiszClick();
        const auto vehicles = app->rows("Pojazdy.db");
        QCOMPARE(vehicles.size(), 3);
        QCOMPARE(vehicles[2]["NrKol_Pojazdu"], QVariant(qint64(3)));
        QCOMPARE(vehicles[2]["Nr_rej"], QVariant(QString("KR 777")));
    }

    // While a vehicle is being added in "POJAZDY" no trip or cost can be begun or saved: it would carry
    // no vehicle's number and no window would ever show it.
    void noTripOrCostForAVehicleBeingAdded() {
        auto app = firm();
        RegisterDriver reg(*app);
        TPojazdy_firmy& w = *app->forms().Pojazdy_firmy;
        const QString held = app->data().TablePojazdy->pendingGuard();
        reg.chooseTab(Tab::Trips);
        w.openWindow();
        w.DodajClick();
        retypeAndEnter(w.ui()->DBRejestracja, "KR 777");
        app->dialogs.clear();

        reg.newTrip();
        QCOMPARE(app->dialogs.texts(), QStringList({held}));
        QCOMPARE(app->data().TablePrzejazdy->state(), Table::State::Browse);
        // typed straight into the boxes, rate included
        reg.typeAndEnter(Box::Route, "Kraków - Tarnów");
        reg.typeAndEnter(Box::Purpose, "Dostawa");
        reg.typeAndEnter(Box::Rate, "0,8358");
        reg.typeAndEnter(Box::FinalReading, "84");
        reg.saveTrip();
        QCOMPARE(app->dialogs.texts(), QStringList({held, held}));
        QCOMPARE(app->count("Przejazdy.db"), 0);
        reg.cancelTrip();

        w.AnulujClick();
        reg.chooseTab(Tab::Costs);
        w.DodajClick();
        retypeAndEnter(w.ui()->DBRejestracja, "KR 778");
        app->dialogs.clear();
        reg.newCost();
        QCOMPARE(app->dialogs.texts(), QStringList({held}));
        QCOMPARE(app->data().TableKoszty->state(), Table::State::Browse);
        QCOMPARE(app->count("Koszty.db"), 0);
        QCOMPARE(app->count("Pojazdy.db"), 2);
    }

    void closingTheRegisterDropsThePendingRow() {
        auto app = firm();
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Trips);
        reg.newTrip();
        reg.typeAndEnter(Box::Route, "Kraków - Bochnia");
        reg.close();
        QVERIFY(!reg.isShown());
        QCOMPARE(app->count("Przejazdy.db"), 0);
        app->openRegister();
        QVERIFY(app->data().TablePrzejazdy->isActive());
        QVERIFY(!app->data().TablePrzejazdy->isEditing());
    }
};

TARLOK_TEST_MAIN(PendingTest)
#include "tst_pending.moc"
