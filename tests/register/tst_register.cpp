// The register window: vehicles and periods restricting what the tabs show, the period boxes, the
// browse-only "Wszystko", the tabs of a retired vehicle, and the wheel.
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "common/Months.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"

#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QWheelEvent>

using namespace tarlok;
using tarlok::test::TestApp;

namespace {

QStringList comboItems(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

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

// Selects the vehicle in the register's grid row as a click does.
void clickVehicle(TEwidencja_przejazdow& reg, int row) {
    DbGrid* grid = reg.ui()->DBGridPojazdy;
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
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
        auto& reg = app->reg();
        QVERIFY(reg.isVisible());
        QVERIFY(reg.ui()->PageControl1->currentWidget() == reg.ui()->Koszty);
        QCOMPARE(reg.ui()->ComboBoxRok->currentText(), QString("2024"));
        QCOMPARE(reg.ui()->ComboBoxMiesiac->currentText(), QString("Maj"));
        clickVehicle(reg, 0);
        QCOMPARE(reg.TablePojazdy->asInteger("NrKol_Pojazdu"), 1);
        QCOMPARE(column(reg.TableKoszty, "Nr_Rachunku"), QStringList({"F-a3", "F-a7"}));
        clickVehicle(reg, 1);
        QCOMPARE(column(reg.TableKoszty, "Nr_Rachunku"), QStringList({"F-b7"}));
        reg.ui()->PageControl1->setCurrentWidget(reg.ui()->Przejazdy);
        QCOMPARE(column(reg.TablePrzejazdy, "Trasa"), QStringList({"b1", "b7"}));
        clickVehicle(reg, 0);
        QCOMPARE(column(reg.TablePrzejazdy, "Trasa"), QStringList({"a2", "a7"})); // April stays out
        QCOMPARE(reg.ui()->DBNazwaPojazdu->text(), QString("Auto1"));
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
        auto& reg = app->reg();
        auto* ui = reg.ui();
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), QStringList({"Wszystko", "Kwiecień", "Maj"}));
        ui->ComboBoxMiesiac->setCurrentIndex(0);
        reg.ComboBoxMiesiacClick();
        QCOMPARE(column(reg.TableKoszty, "Nr_Rachunku"), QStringList({"K4", "K5"}));
        for (QWidget* b : {ui->DodajKoszt, ui->EdytujKoszt, ui->ZapiszKoszt, ui->AnulujKoszt, ui->UsunKoszt})
            QVERIFY(!b->isEnabled());
        // Nothing starts an edit here: neither the edit button nor typing into a box.
        const QString browseOnly = "W widoku \"Wszystko\" zapisy można tylko przeglądać - wybierz miesiąc, "
                                   "aby dodać lub poprawić zapis.";
        app->dialogs.clear();
        reg.EdytujKosztClick();
        QCOMPARE(app->dialogs.texts(), QStringList({browseOnly}));
        QCOMPARE(reg.TableKoszty->state(), Table::State::Browse);
        ui->DBNrDokKosztu->setFocus();
        QTest::keyClicks(ui->DBNrDokKosztu, "X");
        QCOMPARE(app->dialogs.texts(), QStringList({browseOnly, browseOnly}));
        QCOMPARE(reg.TableKoszty->state(), Table::State::Browse);
        QCOMPARE(ui->DBNrDokKosztu->text(), QString("K4"));

        ui->PageControl1->setCurrentWidget(ui->Przejazdy);
        QCOMPARE(column(reg.TablePrzejazdy, "Trasa"), QStringList({"kwiecien", "maj"}));
        for (QWidget* b : {ui->DodajPrzejazd, ui->EdytujPrzejazd, ui->ZapiszPrzejazd, ui->AnulujPrzejazd,
                           ui->UsunPrzejazd})
            QVERIFY(!b->isEnabled());
        app->dialogs.clear();
        reg.EdytujPrzejazdClick();
        QCOMPARE(app->dialogs.texts(), QStringList({browseOnly}));
        QVERIFY(!(ui->DBGridPrzejazdy->model()->flags(ui->DBGridPrzejazdy->model()->index(0, 1)) &
                  Qt::ItemIsEditable));
        ui->DataPrzejazdu->setDate(QDate(2024, 4, 20));
        emit ui->DataPrzejazdu->changed();
        QCOMPARE(reg.TablePrzejazdy->state(), Table::State::Browse);
        ui->DBTrasa->setFocus();
        QTest::keyClicks(ui->DBTrasa, "X");
        QCOMPARE(reg.TablePrzejazdy->state(), Table::State::Browse);
        QCOMPARE(app->dialogs.texts(), QStringList({browseOnly, browseOnly}));
        // a month again: the buttons come back and the view narrows
        ui->ComboBoxMiesiac->setCurrentIndex(2);
        reg.ComboBoxMiesiacClick();
        QCOMPARE(column(reg.TablePrzejazdy, "Trasa"), QStringList({"maj"}));
        for (QWidget* b : {ui->DodajPrzejazd, ui->EdytujPrzejazd, ui->ZapiszPrzejazd, ui->AnulujPrzejazd,
                           ui->UsunPrzejazd})
            QVERIFY(b->isEnabled());
        QVERIFY(ui->DBGridPrzejazdy->model()->flags(ui->DBGridPrzejazdy->model()->index(0, 1)) &
                Qt::ItemIsEditable);
        reg.EdytujPrzejazdClick();
        QCOMPARE(reg.TablePrzejazdy->state(), Table::State::Edit);
    }

    // What is typed into the year and month boxes is a choice, never a new entry of their lists.
    void typedYearsAndMonthsAreNeverListed() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200);
        app->addPeriod(2023, 12);
        app->addPeriod(2024, 4);
        app->addPeriod(2024, 5);
        app->openRegister();
        app->dialogs.clear();
        auto& reg = app->reg();
        auto* ui = reg.ui();
        const QStringList years = comboItems(ui->ComboBoxRok);
        const QStringList months = comboItems(ui->ComboBoxMiesiac);
        auto typeInto = [](QComboBox* box, const QString& text) {
            QLineEdit* edit = box->lineEdit();
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        };

        typeInto(ui->ComboBoxRok, "20a4");
        QCOMPARE(app->dialogs.texts().value(0), QString("TO NIE JEST POPRAWNY ROK - POPRAW"));
        QCOMPARE(ui->ComboBoxRok->currentText(), QString("2024"));
        QCOMPARE(comboItems(ui->ComboBoxRok), years);

        typeInto(ui->ComboBoxMiesiac, "13");
        QCOMPARE(ui->ComboBoxMiesiac->currentText(), QString("Maj"));
        QCOMPARE(reg.WybranyMiesiac(), 5);
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), months);

        // a typed year that has periods is taken like a pick from the list, and stays unlisted twice
        typeInto(ui->ComboBoxRok, "2023");
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), QStringList({"Wszystko", "Grudzień"}));
        QCOMPARE(comboItems(ui->ComboBoxRok), years);
    }

    // "EWIDENCJA" while the register holds a trip being entered asks the pending-row rule first: the
    // register is brought up as it is, and the trip can still be saved.
    void openingTheRegisterAgainKeepsATripBeingEntered() {
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        auto& reg = app->reg();
        auto* ui = reg.ui();
        ui->PageControl1->setCurrentWidget(ui->Przejazdy);
        reg.DodajPrzejazdClick();
        ui->DBTrasa->setFocus();
        QTest::keyClicks(ui->DBTrasa, "Krakow - Tarnow");
        ui->DBCelWyjazdu->setFocus();
        QTest::keyClicks(ui->DBCelWyjazdu, "Dostawa");
        ui->DBEditStanLicznikaKoncowy->setFocus();
        QTest::keyClicks(ui->DBEditStanLicznikaKoncowy, "84");
        app->dialogs.clear();

        app->forms().MeniProgramu->SpeedEwidencjaClick();
        QCOMPARE(app->dialogs.texts(), QStringList({reg.TablePrzejazdy->pendingGuard()}));
        QCOMPARE(ui->PageControl1->currentWidget(), ui->Przejazdy);
        QCOMPARE(reg.TablePrzejazdy->state(), Table::State::Insert);
        QVERIFY(ui->DodajPrzejazd->isEnabled());
        reg.ZapiszPrzejazdClick();
        QCOMPARE(app->dialogs.texts().size(), 1);
        QCOMPARE(app->count("Przejazdy.db"), 1);
        QCOMPARE(app->rows("Przejazdy.db")[0]["Trasa"].toString(), QString("Krakow - Tarnow"));

        // with nothing pending it opens anew, on the costs tab
        app->forms().MeniProgramu->SpeedEwidencjaClick();
        QCOMPARE(ui->PageControl1->currentWidget(), ui->Koszty);
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
        auto* ui = app.reg().ui();
        QCOMPARE(QLocale().language(), QLocale::Polish);
        QCOMPARE(ui->DataKosztu->text(), QString("15.05.2024")); // the period's date
        QCOMPARE(ui->DBGridKoszty->model()->index(0, 3).data().toString(), QString("1234,50"));
        QCOMPARE(TEwidencja_przejazdow::cell(ui->StringGridKoszty, 0, 1), QString("1234,50"));

        QCOMPARE(app.reg().windowTitle(), QString("EWIDENCJA PRZEBIEGU POJAZDU "));
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
        auto& reg = app->reg();
        auto* ui = reg.ui();
        QCOMPARE(ui->Edit1SrednieSpalanie->text(), QString("6"));
        QCOMPARE(comboItems(ui->ComboBoxRok), QStringList({"2023", "2024"}));
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), QStringList({"Wszystko", "Styczeń", "Luty"}));
        // "Wszystko" chosen: told to pick a month, the month list is still rebuilt
        ui->ComboBoxMiesiac->setCurrentIndex(0);
        reg.ComboBoxMiesiacClick();
        ui->ComboBoxRok->setCurrentIndex(0);
        reg.ComboBoxRokChange();
        QCOMPARE(app->dialogs.texts(), QStringList{"Przy zmianie roku wybierz konkretny miesiąc"});
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), QStringList({"Wszystko", "Listopad", "Grudzień"}));
        // a year without periods leaves "Wszystko" alone
        app->dialogs.clear();
        ui->ComboBoxMiesiac->setEditText("Grudzień");
        ui->ComboBoxRok->setEditText("2019");
        reg.ComboBoxRokChange();
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), QStringList({"Wszystko"}));
        QCOMPARE(ui->ComboBoxMiesiac->currentText(), QString("Grudzień"));
        QCOMPARE(ui->Edit1SrednieSpalanie->text(), QString()); // no fuel in 2019
        // a year with letters is refused and replaced by the current year
        ui->ComboBoxRok->setEditText("20a4");
        reg.ComboBoxRokChange();
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().text, QString("TO NIE JEST POPRAWNY ROK - POPRAW"));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QCOMPARE(ui->ComboBoxRok->currentText(), QString("2024"));
        QCOMPARE(comboItems(ui->ComboBoxMiesiac), QStringList({"Wszystko", "Styczeń", "Luty"}));
        // the date pickers go to the first day of the month shown
        ui->ComboBoxMiesiac->setEditText("Luty");
        ui->ComboBoxRok->setEditText("2024");
        reg.ComboBoxRokChange();
        QCOMPARE(ui->DataKosztu->date(), QDate(2024, 2, 1));
        QCOMPARE(ui->DataPrzejazdu->date(), QDate(2024, 2, 1));
    }

    void retiredVehicleLocksTheTabs() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1", 1200, true);
        app->addVehicle(2, "KR 2", 1200, false);
        app->addVehicle(3, "KR 3", 1200, true, {{"Uzywany", QVariant()}});
        app->addPeriod(2024, 5);
        app->openRegister();
        auto& reg = app->reg();
        auto* ui = reg.ui();
        clickVehicle(reg, 1);
        QVERIFY(!ui->PageControl1->isEnabled());
        clickVehicle(reg, 2); // an empty flag leaves the tabs as they are
        QVERIFY(!ui->PageControl1->isEnabled());
        clickVehicle(reg, 0);
        QVERIFY(ui->PageControl1->isEnabled());
        clickVehicle(reg, 1);
        QVERIFY(!ui->PageControl1->isEnabled());
        ui->CheckBoxOdblokuj->click();
        QVERIFY(ui->PageControl1->isEnabled());
        clickVehicle(reg, 0);
        clickVehicle(reg, 1);
        QVERIFY(ui->PageControl1->isEnabled());
        // the retired vehicle is drawn red, a vehicle in use black, an empty flag in the grid's colour
        const auto colour = [&](int row, bool selected) {
            QColor text(Qt::blue);
            QColor background(Qt::white);
            ui->DBGridPojazdy->cellColors()(row, 1, selected, text, background);
            return text;
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
        auto& reg = app->reg();
        DbGrid* grid = reg.ui()->DBGridPojazdy;
        grid->setFocus();
        reg.activateWindow();
        QApplication::setActiveWindow(&reg);
        QTRY_VERIFY(grid->hasFocus());
        auto wheel = [&](int delta) {
            QWheelEvent event(QPointF(10, 10), grid->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(grid->viewport(), &event);
        };
        QCOMPARE(reg.TablePojazdy->recNo(), 0);
        wheel(-120);
        QCOMPARE(reg.TablePojazdy->recNo(), 1);
        wheel(-120);
        wheel(-120);
        QCOMPARE(reg.TablePojazdy->recNo(), 3);
        wheel(120);
        QCOMPARE(reg.TablePojazdy->recNo(), 2);
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
        QVERIFY(!app.reg().TablePrzejazdy->isActive());
        app.openRegister();
        QVERIFY(app.reg().TablePrzejazdy->isActive());
        QVERIFY(app.reg().TableKoszty->isActive());
        QVERIFY(app.reg().isVisible());

        // An upgrade while the register is open closes its table first (an open file cannot be
        // altered); here the fields exist already, so the statement fails, and the next opening
        // reopens the table.
        app.dialogs.clear();
        params.RozszerzTablicePrzejazdyClick();
        QCOMPARE(app.dialogs.texts().size(), 1);
        QVERIFY(app.dialogs.lastText() != "TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE");
        QVERIFY(!app.reg().TablePrzejazdy->isActive());
        QVERIFY(app.reg().TableKoszty->isActive());
        QCOMPARE(app.count("Przejazdy.db"), 0);
        app.openRegister();
        QVERIFY(app.reg().TablePrzejazdy->isActive());
        app.reg().close();
    }
};

TARLOK_TEST_MAIN(RegisterTest)
#include "tst_register.moc"
