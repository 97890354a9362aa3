// Every numeric box of the register, the vehicles, rates and routes windows fed letters, a lone "-",
// both separators, a number too large for its field, blanks and an empty text, then its save pressed:
// the program's normal outcome or a clear Polish message, no crash, and no other stored row changed.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "app/TMeniProgramu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "store/Table.h"
#include "ui_TJaki_Wydatek.h"
#include "ui_TPojazdy_firmy.h"
#include "ui_TStawki_poj.h"
#include "ui_TTrasy.h"

#include <QDir>
#include <functional>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::retype;
using tarlok::test::TestApp;

namespace {

using Box = RegisterDriver::Box;
using Tab = RegisterDriver::Tab;

// A scenario starts an entry in a window, fills every other box with good values, and types into the
// box under test, says whether that box is shown, and saves; `mayChange` says which stored rows the
// save may write.
struct Scenario {
    std::function<void(TestApp&)> start;
    std::function<void(TestApp&, const QString&)> type;
    std::function<bool(TestApp&)> shown;
    std::function<void(TestApp&)> save;
    std::function<bool(const QString& file, const QVariantMap& row)> mayChange;
};

using Snapshot = QMap<QString, QMap<qint64, QVariantMap>>;

Snapshot snapshot(TestApp& app) {
    Snapshot out;
    for (const QString& file : QDir(app.dataFolder()).entryList({"*.db"}, QDir::Files)) {
        const auto rows = app.rows(file);
        for (int i = 0; i < rows.size(); ++i)
            out[file].insert(rows[i].contains("NrKol") ? rows[i]["NrKol"].toLongLong() : i, rows[i]);
    }
    return out;
}

std::unique_ptr<TestApp> firm() {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, "KR 1", 1200, true, {{"StanPoczLIcznika", 10000}});
    app->addVehicle(2, "KR 2", 800);
    app->addPeriod(2024, 4);
    app->addPeriod(2024, 5);
    app->seed("Trasy.db", {{"Trasa", "Kraków - Bochnia"}, {"Kilometry", 40}});
    app->seed("Wydatki.db", {{"Wydatek", "Paliwo"}, {"CzyPaliwo", true}, {"Pom3", 23}});
    app->seed("Wydatki.db", {{"Wydatek", "Myjnia"}, {"CzyPaliwo", false}, {"Pom3", 23}});
    for (int vehicle = 1; vehicle <= 2; ++vehicle) {
        for (int month = 4; month <= 5; ++month) {
            app->seed("Przejazdy.db", {{"NrKol_Pojazdu", vehicle},
                                       {"Rok", 2024},
                                       {"Miesiac", month},
                                       {"Data", QDate(2024, month, 3)},
                                       {"Trasa", "A"},
                                       {"Cel_Wyj", "B"},
                                       {"Kilometry", 10},
                                       {"Wartosc", 8.36},
                                       {"WartoscSuma", 8.36},
                                       {"StanLicznikaPrzed", 10000},
                                       {"StanLicznikaPo", 10010}});
            app->seed("Koszty.db", {{"NrKol_Pojazdu", vehicle},
                                    {"Rok", 2024},
                                    {"Miesiac", month},
                                    {"Data", QDate(2024, month, 3)},
                                    {"Nr_Rachunku", "F"},
                                    {"Rodzaj_Wyd", "Serwis"},
                                    {"Wartosc", 50.0},
                                    {"WartoscSuma", 50.0}});
        }
    }
    app->openRegister();
    return app;
}

// Rows of vehicle 1 in May 2024 (and the vehicle itself, whose odometer a trip save sets).
// Rows of vehicle 1 in 2024 (a save rewrites the running values of the year) and the vehicle itself,
// whose odometer a trip save sets.
bool mayTrip(const QString& file, const QVariantMap& row) {
    if (file == "Pojazdy.db")
        return row["NrKol_Pojazdu"].toInt() == 1;
    return file == "Przejazdy.db" && row["NrKol_Pojazdu"].toInt() == 1 && row["Rok"].toInt() == 2024;
}
bool mayCost(const QString& file, const QVariantMap& row) {
    return file == "Koszty.db" && row["NrKol_Pojazdu"].toInt() == 1 && row["Rok"].toInt() == 2024;
}

// A box of the register's tabs.
std::function<void(TestApp&, const QString&)> typeInto(Box box) {
    return [box](TestApp& app, const QString& text) {
        RegisterDriver(app).type(box, text);
    };
}
std::function<bool(TestApp&)> shown(Box box) {
    return [box](TestApp& app) {
        return RegisterDriver(app).isShown(box);
    };
}

Scenario tripBox(Box box, int mode) {
    return {[mode](TestApp& app) {
                RegisterDriver reg(app);
                reg.chooseTab(Tab::Trips);
                reg.chooseTripEntry(mode);
                reg.newTrip();
                reg.pickTripDate(QDate(2024, 5, 10));
                reg.type(Box::Route, "Kraków");
                reg.type(Box::Purpose, "Serwis");
                reg.type(mode == 0 ? Box::FinalReading : Box::Km, "10100");
            },
            typeInto(box), shown(box), [](TestApp& app) { RegisterDriver(app).saveTrip(); }, mayTrip};
}

// A cost of the kind "Paliwo" (23 % VAT; a fuel kind when `fuel`), taken in the expense kinds window.
Scenario costBox(Box box, int coPodajemy, int vatMode, bool fuel) {
    return {[=](TestApp& app) {
                RegisterDriver reg(app);
                reg.chooseTab(Tab::Costs);
                reg.chooseVatMode(vatMode);
                reg.newCost();
                reg.pickCostDate(QDate(2024, 5, 10));
                reg.type(Box::DocumentNumber, "FV 9");
                reg.type(Box::ExpenseName, "Paliwo");
                reg.type(Box::CostValue, "100");
                app.dialogs.onModal("tarlok::TJaki_Wydatek", [&app, fuel](QWidget* w) {
                    QVERIFY(app.data().TableWydatki->locate("Wydatek", {fuel ? "Paliwo" : "Myjnia"}));
                    static_cast<TJaki_Wydatek*>(w)->ui()->Wprowadz->click();
                });
                reg.press(RegisterDriver::Button::ExpenseKindsList);
                reg.chooseCostEntry(coPodajemy);
                if (vatMode == 1)
                    reg.type(Box::VatPercent, "50");
            },
            typeInto(box), shown(box), [](TestApp& app) { RegisterDriver(app).saveCost(); }, mayCost};
}

// A box of another window, found by its name.
std::function<void(TestApp&, const QString&)> typeInto(QWidget* (*window)(TestApp&), const char* name) {
    return [window, name](TestApp& app, const QString& text) {
        DbEdit* box = window(app)->findChild<DbEdit*>(name);
        QVERIFY2(box, name);
        retype(box, text);
    };
}
std::function<bool(TestApp&)> shown(QWidget* (*window)(TestApp&), const char* name) {
    return [window, name](TestApp& app) {
        DbEdit* box = window(app)->findChild<DbEdit*>(name);
        return box && (box->isVisible() || box->window()->isVisible());
    };
}
QWidget* vehicles(TestApp& app) {
    return app.forms().Pojazdy_firmy;
}
QWidget* rates(TestApp& app) {
    return app.forms().Stawki_poj;
}
QWidget* routes(TestApp& app) {
    return app.forms().Trasy;
}

Scenario vehicleBox(const char* name) {
    return {[](TestApp& app) {
                TPojazdy_firmy& w = *app.forms().Pojazdy_firmy;
                w.openWindow();
                w.DodajClick();
                retype(w.ui()->DBRejestracja, "KR 9");
                retype(w.ui()->DBPojemnosc_pojazdu, "1400");
            },
            typeInto(vehicles, name), shown(vehicles, name),
            [](TestApp& app) { app.forms().Pojazdy_firmy->ZapiszClick(); },
            [](const QString& file, const QVariantMap& row) {
                return file == "Pojazdy.db" && row["NrKol_Pojazdu"].toInt() == 3;
            }};
}

Scenario ratesBox(const char* name) {
    return {[](TestApp& app) {
                app.dialogs.setCloseModalWindows(false);
                app.forms().MeniProgramu->SpeedStawkiClick();
            },
            typeInto(rates, name), shown(rates, name),
            [](TestApp& app) { app.forms().Stawki_poj->ZapiszClick(); },
            [](const QString& file, const QVariantMap&) {
                return file == "Stawki.db";
            }};
}

Scenario routesBox() {
    return {[](TestApp& app) {
                app.dialogs.setCloseModalWindows(false);
                app.forms().MeniProgramu->SpeedTrasaClick();
                app.forms().Trasy->DodajClick();
                retype(app.forms().Trasy->ui()->DBTrasa, "Kraków - Tarnów");
            },
            typeInto(routes, "DBKilometry"), shown(routes, "DBKilometry"),
            [](TestApp& app) { app.forms().Trasy->ZapiszClick(); },
            [](const QString& file, const QVariantMap& row) {
                return file == "Trasy.db" && row["Trasa"].toString() != "Kraków - Bochnia";
            }};
}

QMap<QString, Scenario> scenarios() {
    return {
        {"trip final odometer", tripBox(Box::FinalReading, 0)},
        {"trip starting odometer", tripBox(Box::StartReading, 0)},
        {"trip rate", tripBox(Box::Rate, 0)},
        {"trip km", tripBox(Box::Km, 1)},
        {"cost value", costBox(Box::CostValue, 0, 0, false)},
        {"cost litres", costBox(Box::Litres, 0, 0, true)},
        {"cost final odometer", costBox(Box::CostFinalReading, 0, 0, true)},
        {"cost starting odometer", costBox(Box::CostStartReading, 0, 0, true)},
        {"cost km", costBox(Box::CostKm, 1, 0, true)},
        {"cost manual percentage", costBox(Box::VatPercent, 0, 1, false)},
        {"vehicle capacity", vehicleBox("DBPojemnosc_pojazdu")},
        {"vehicle starting odometer", vehicleBox("DBEditPoczatkowyStanLicznika")},
        {"vehicle service interval", vehicleBox("DBEditCiIleKmSerwis")},
        {"vehicle odometer after service", vehicleBox("DBEditStanLicznikaOstSerwisu")},
        {"rate up to 900", ratesBox("DBStawka_do_900")},
        {"rate above 900", ratesBox("DBStawka_po_900")},
        {"rate other", ratesBox("DBStawka_inna")},
        {"kilometre limit", ratesBox("DBEditLimitKm")},
        {"route length", routesBox()},
    };
}

// The fields that hold a rate, a distance or an odometer reading, by file, with their largest value.
const QMap<QString, QList<QPair<QString, double>>>& limitedFields() {
    static const QMap<QString, QList<QPair<QString, double>>> fields{
        {"Przejazdy.db",
         {{"Stawka", 100},
          {"Kilometry", 99999},
          {"StanLicznikaPrzed", 9999999},
          {"StanLicznikaPo", 9999999}}},
        {"Koszty.db",
         {{"IloscPrzejKilometrow", 99999}, {"StanLicznikaPrzed", 9999999}, {"StanLicznikaPo", 9999999}}},
        {"Stawki.db",
         {{"Stawka_do_900", 100}, {"Stawka_po_900", 100}, {"Stawka_inna", 100}, {"Pom2", 99999}}},
        {"Trasy.db", {{"Kilometry", 99999}}},
        {"Pojazdy.db",
         {{"StanPoczLIcznika", 9999999},
          {"StanAktLicznika", 9999999},
          {"StanLicznikaPo", 9999999},
          {"CoIleKmSerwis", 99999}}},
    };
    return fields;
}

} // namespace

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void badTextInEveryNumericBox_data() {
        QTest::addColumn<QString>("scenario");
        QTest::addColumn<QString>("text");
        const QStringList texts{"abc", "-", "1,2.3", "99999999999999999999", "123456789", "   ", ""};
        for (const QString& name : scenarios().keys())
            for (const QString& text : texts)
                QTest::newRow(qPrintable(name + " [" + text + "]")) << name << text;
    }

    void badTextInEveryNumericBox() {
        QFETCH(QString, scenario);
        QFETCH(QString, text);
        const Scenario s = scenarios().value(scenario);
        auto app = firm();
        s.start(*app);
        const Snapshot before = snapshot(*app);
        QVERIFY2(s.shown(*app), qPrintable(scenario));
        app->dialogs.clear();
        s.type(*app, text);
        s.save(*app);
        const Snapshot after = snapshot(*app);

        // Rows the save had no business with are exactly as they were.
        for (auto file = before.begin(); file != before.end(); ++file) {
            for (auto row = file->begin(); row != file->end(); ++row) {
                if (s.mayChange(file.key(), row.value()))
                    continue;
                QVERIFY2(after.value(file.key()).contains(row.key()),
                         qPrintable(QStringLiteral("%1 row %2 lost").arg(file.key()).arg(row.key())));
                QCOMPARE(after.value(file.key()).value(row.key()), row.value());
            }
        }
        // No stored figure is beyond what a rate, a distance or an odometer can be.
        for (auto file = after.begin(); file != after.end(); ++file)
            for (const QVariantMap& row : file.value())
                for (const auto& [field, largest] : limitedFields().value(file.key()))
                    QVERIFY2(row.value(field).toDouble() <= largest && row.value(field).toDouble() >= 0,
                             qPrintable(QStringLiteral("%1 %2 = %3")
                                            .arg(file.key(), field, row.value(field).toString())));
        // Either the save went through or the user was told why, in Polish.
        bool stored = false;
        for (auto file = after.begin(); file != after.end(); ++file)
            for (auto row = file->begin(); row != file->end(); ++row)
                if (s.mayChange(file.key(), row.value()) &&
                    before.value(file.key()).value(row.key()) != row.value())
                    stored = true;
        const QStringList said = app->dialogs.texts();
        // (a blank in a box that may stay empty can leave the row as it was)
        QVERIFY2(stored || !said.isEmpty() || text.trimmed().isEmpty(), "nothing stored and nothing said");
        for (const QString& message : said) {
            QVERIFY2(!message.contains("error", Qt::CaseInsensitive) &&
                         !message.contains("invalid", Qt::CaseInsensitive),
                     qPrintable(message));
        }
    }
};

TARLOK_TEST_MAIN(InputTest)
#include "tst_robustness_input.moc"
