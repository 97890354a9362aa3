// Every numeric box of the register, the vehicles, rates and routes windows fed letters, a lone "-",
// both separators, a number too large for its field, blanks and an empty text, then its save pressed:
// the program's normal outcome or a clear Polish message, no crash, and no other stored row changed.
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Table.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TPojazdy_firmy.h"
#include "ui_TStawki_poj.h"
#include "ui_TTrasy.h"

#include <QDir>
#include <functional>

using namespace tarlok;
using tarlok::test::TestApp;

namespace {

void type(DbEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// A scenario starts an entry in a window, fills every other box with good values, and names the box
// under test and the save; `mayChange` says which stored rows the save may write.
struct Scenario {
    std::function<void(TestApp&)> start;
    std::function<DbEdit*(TestApp&)> box;
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

Scenario tripBox(const char* name, int mode) {
    return {[mode](TestApp& app) {
                auto& reg = app.reg();
                auto* ui = reg.ui();
                ui->PageControl1->setCurrentWidget(ui->Przejazdy);
                ui->RadioGroup1CoPodajemy->setItemIndex(mode);
                reg.RadioGroup1CoPodajemyClick();
                reg.DodajPrzejazdClick();
                ui->DataPrzejazdu->setDate(QDate(2024, 5, 10));
                type(ui->DBTrasa, "Kraków");
                type(ui->DBCelWyjazdu, "Serwis");
                type(mode == 0 ? ui->DBEditStanLicznikaKoncowy : ui->DBIloscKm, "10100");
            },
            [name](TestApp& app) { return app.reg().findChild<DbEdit*>(name); },
            [](TestApp& app) { app.reg().ZapiszPrzejazdClick(); }, mayTrip};
}

Scenario costBox(const char* name, int coPodajemy, int vatMode, bool fuel) {
    return {[=](TestApp& app) {
                auto& reg = app.reg();
                auto* ui = reg.ui();
                ui->PageControl1->setCurrentWidget(ui->Koszty);
                ui->RadioGroupPrzeliczanieVat->setItemIndex(vatMode);
                reg.RadioGroupPrzeliczanieVatClick();
                reg.DodajKosztClick();
                ui->DataKosztu->setDate(QDate(2024, 5, 10));
                type(ui->DBNrDokKosztu, "FV 9");
                type(ui->DBNazwaWydatku, "Paliwo");
                type(ui->DBWartoscKosztu, "100");
                reg.TableKoszty->setValue("Pom3", 23);
                if (fuel) {
                    reg.TableKoszty->setValue("CzyPaliwo", true);
                    reg.showFuelFields(true);
                }
                ui->RadioGroupCoPodajemy->setItemIndex(coPodajemy);
                reg.RadioGroupCoPodajemyClick();
                if (vatMode == 1)
                    type(ui->DBEditVatZalProcent, "50");
            },
            [name](TestApp& app) { return app.reg().findChild<DbEdit*>(name); },
            [](TestApp& app) { app.reg().ZapiszKosztClick(); }, mayCost};
}

Scenario vehicleBox(const char* name) {
    return {[](TestApp& app) {
                TPojazdy_firmy& w = *app.forms().Pojazdy_firmy;
                w.openWindow();
                w.DodajClick();
                type(w.ui()->DBRejestracja, "KR 9");
                type(w.ui()->DBPojemnosc_pojazdu, "1400");
            },
            [name](TestApp& app) { return app.forms().Pojazdy_firmy->findChild<DbEdit*>(name); },
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
            [name](TestApp& app) { return app.forms().Stawki_poj->findChild<DbEdit*>(name); },
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
                type(app.forms().Trasy->ui()->DBTrasa, "Kraków - Tarnów");
            },
            [](TestApp& app) { return app.forms().Trasy->ui()->DBKilometry; },
            [](TestApp& app) { app.forms().Trasy->ZapiszClick(); },
            [](const QString& file, const QVariantMap& row) {
                return file == "Trasy.db" && row["Trasa"].toString() != "Kraków - Bochnia";
            }};
}

QMap<QString, Scenario> scenarios() {
    return {
        {"trip final odometer", tripBox("DBEditStanLicznikaKoncowy", 0)},
        {"trip starting odometer", tripBox("DBEditStanLIcznikaPoczatkowy", 0)},
        {"trip rate", tripBox("DBStawka_km", 0)},
        {"trip km", tripBox("DBIloscKm", 1)},
        {"cost value", costBox("DBWartoscKosztu", 0, 0, false)},
        {"cost litres", costBox("DBIloscPaliwa", 0, 0, true)},
        {"cost final odometer", costBox("DBEditStanLicznika", 0, 0, true)},
        {"cost starting odometer", costBox("DBEditStanLicznikaPrzed", 0, 0, true)},
        {"cost km", costBox("DBIloscPrzejechanychKm", 1, 0, true)},
        {"cost manual percentage", costBox("DBEditVatZalProcent", 0, 1, false)},
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
        DbEdit* box = s.box(*app);
        QVERIFY2(box, qPrintable(scenario));
        QVERIFY(box->isVisible() || box->window()->isVisible());
        app->dialogs.clear();
        type(box, text);
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
