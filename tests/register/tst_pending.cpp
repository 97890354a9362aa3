// A pending trip, cost or vehicle is never stored half-done: a move while it is pending stores
// nothing, says so, and leaves the row, the vehicle, the period and the tab where they were.
#include "support/TestApp.h"

#include "reference/TPojazdy_firmy.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Table.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TPojazdy_firmy.h"

using namespace tarlok;
using tarlok::test::TestApp;

namespace {

const QString kTripHeld = "Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anuluj\".";
const QString kCostHeld = "Wprowadzany koszt nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anulij\".";

void type(DbEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    for (const QChar ch : text) // key by key, Polish letters included
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    box->updateRecord();
}

void clickVehicle(TEwidencja_przejazdow& reg, int row) {
    DbGrid* grid = reg.ui()->DBGridPojazdy;
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(row, 1)).center());
}

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
    auto& reg = app.reg();
    auto* ui = reg.ui();
    QWidget* tab = ui->PageControl1->currentWidget();
    const int vehicle = reg.TablePojazdy->recNo();

    app.dialogs.clear();
    clickVehicle(reg, 1);
    QCOMPARE(app.dialogs.texts().value(0), message);
    QCOMPARE(reg.TablePojazdy->recNo(), vehicle);
    QVERIFY(pending->isEditing());

    app.dialogs.clear();
    ui->ComboBoxMiesiac->setEditText("Kwiecień");
    reg.ComboBoxMiesiacClick();
    QCOMPARE(app.dialogs.texts(), QStringList{message});
    QCOMPARE(ui->ComboBoxMiesiac->currentText(), QString("Maj"));
    QVERIFY(pending->isEditing());

    app.dialogs.clear();
    ui->ComboBoxRok->setEditText("2023");
    reg.ComboBoxRokChange();
    QCOMPARE(app.dialogs.texts(), QStringList{message});
    QCOMPARE(ui->ComboBoxRok->currentText(), QString("2024"));

    app.dialogs.clear();
    ui->PageControl1->setCurrentWidget(ui->Zestawienia);
    QCOMPARE(app.dialogs.texts(), QStringList{message});
    QCOMPARE(ui->PageControl1->currentWidget(), tab);
    QVERIFY(pending->isEditing());
}

} // namespace

class PendingTest : public QObject {
    Q_OBJECT

private slots:
    void aTypedTripIsKeptUntilItIsSaved() {
        auto app = firm();
        auto& reg = app->reg();
        auto* ui = reg.ui();
        ui->PageControl1->setCurrentWidget(ui->Przejazdy);
        reg.DodajPrzejazdClick();
        ui->DataPrzejazdu->setDate(QDate(2024, 5, 6));
        type(ui->DBTrasa, "Kraków - Tarnów");
        type(ui->DBCelWyjazdu, "Spotkanie");
        type(ui->DBEditStanLicznikaKoncowy, "10151");

        tryEveryMove(*app, reg.TablePrzejazdy, kTripHeld);
        app->dialogs.clear();
        app->dialogs.onModal("tarlok::TTrasy", [](QWidget*) {});
        reg.Kartoteka_TrasClick();
        QCOMPARE(app->count("Przejazdy.db"), 0);
        QCOMPARE(reg.TablePrzejazdy->asString("Trasa"), QString("Kraków - Tarnów"));

        reg.ZapiszPrzejazdClick();
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
        auto& reg = app->reg();
        auto* ui = reg.ui();
        reg.DodajKosztClick();
        ui->DataKosztu->setDate(QDate(2024, 5, 6));
        type(ui->DBNrDokKosztu, "FV 1/2024");
        type(ui->DBNazwaWydatku, "Serwis");
        type(ui->DBWartoscKosztu, "100");
        reg.TableKoszty->setValue("Pom3", 23); // as the expense kinds' take button does

        tryEveryMove(*app, reg.TableKoszty, kCostHeld);
        QCOMPARE(app->count("Koszty.db"), 0);

        ui->RadioGroupVatZaliczony->setItemIndex(1); // "50 %"
        reg.ZapiszKosztClick();
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
        auto& reg = app->reg();
        TPojazdy_firmy& w = *app->forms().Pojazdy_firmy;
        w.openWindow();
        w.DodajClick();
        type(w.ui()->DBRejestracja, "kr 777");
        type(w.ui()->DBPojemnosc_pojazdu, "1400");
        app->dialogs.clear();
        clickVehicle(reg, 0);
        QVERIFY(!app->dialogs.texts().isEmpty());
        QCOMPARE(reg.TablePojazdy->state(), Table::State::Insert);
        QCOMPARE(app->count("Pojazdy.db"), 2);
        // a post without the number assigned by "Zapisz" is refused and the row kept
        try {
            reg.TablePojazdy->post();
            QFAIL("a vehicle was stored without its number");
        } catch (const EngineError& e) {
            QCOMPARE(e.text(),
                     QString("Każdy pojazd musi posiadać numer - musisz użyć wcześniej przycisku \"Dodaj\""));
        }
        QCOMPARE(reg.TablePojazdy->state(), Table::State::Insert);
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
        auto& reg = app->reg();
        auto* ui = reg.ui();
        TPojazdy_firmy& w = *app->forms().Pojazdy_firmy;
        const QString held = reg.TablePojazdy->pendingGuard();
        ui->PageControl1->setCurrentWidget(ui->Przejazdy);
        w.openWindow();
        w.DodajClick();
        type(w.ui()->DBRejestracja, "KR 777");
        app->dialogs.clear();

        reg.DodajPrzejazdClick();
        QCOMPARE(app->dialogs.texts(), QStringList({held}));
        QCOMPARE(reg.TablePrzejazdy->state(), Table::State::Browse);
        // typed straight into the boxes, rate included
        type(ui->DBTrasa, "Kraków - Tarnów");
        type(ui->DBCelWyjazdu, "Dostawa");
        type(ui->DBStawka_km, "0,8358");
        type(ui->DBEditStanLicznikaKoncowy, "84");
        reg.ZapiszPrzejazdClick();
        QCOMPARE(app->dialogs.texts(), QStringList({held, held}));
        QCOMPARE(app->count("Przejazdy.db"), 0);
        reg.AnulujPrzejazdClick();

        w.AnulujClick();
        ui->PageControl1->setCurrentWidget(ui->Koszty);
        w.DodajClick();
        type(w.ui()->DBRejestracja, "KR 778");
        app->dialogs.clear();
        reg.DodajKosztClick();
        QCOMPARE(app->dialogs.texts(), QStringList({held}));
        QCOMPARE(reg.TableKoszty->state(), Table::State::Browse);
        QCOMPARE(app->count("Koszty.db"), 0);
        QCOMPARE(app->count("Pojazdy.db"), 2);
    }

    void closingTheRegisterDropsThePendingRow() {
        auto app = firm();
        auto& reg = app->reg();
        auto* ui = reg.ui();
        ui->PageControl1->setCurrentWidget(ui->Przejazdy);
        reg.DodajPrzejazdClick();
        type(ui->DBTrasa, "Kraków - Bochnia");
        reg.zamknijClick();
        QVERIFY(!reg.isVisible());
        QCOMPARE(app->count("Przejazdy.db"), 0);
        app->openRegister();
        QVERIFY(reg.TablePrzejazdy->isActive());
        QVERIFY(!reg.TablePrzejazdy->isEditing());
    }
};

TARLOK_TEST_MAIN(PendingTest)
#include "tst_pending.moc"
