// The trips tab of the register, driven as a user drives it: starting, typing, saving, the refusals
// in their order, the running totals of the month and the whole year, the sums under the grid,
// deleting, removing invalid trips and the vehicle's odometer. Expected values are worked out by
// hand; the rates are 0,5214 up to 900 cm3 and 0,8358 above.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "reference/TNowy_Okres.h"
#include "reference/TPojazdy_firmy.h"
#include "store/Table.h"
#include "ui_TNowy_Okres.h"
#include "ui_TPojazdy_firmy.h"

#include <QTest>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using State = Table::State;
using Answer = RegisterDriver::Answer;
using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;
using Label = RegisterDriver::Label;
using Tab = RegisterDriver::Tab;
using Running = QList<QPair<qint64, qint64>>; // year's running km and value in grosze

// The register as "EWIDENCJA" opens it (on the newest period), on the trips tab.
void openOnTrips(TestApp& app) {
    app.openRegister();
    RegisterDriver(app).chooseTab(Tab::Trips);
    app.dialogs.clear();
}

// A car of 1600 cm3 with the initial odometer 10 000 and the months January to May 2024; `more`
// seeds further rows before the register opens.
std::unique_ptr<TestApp> firm(const std::function<void(TestApp&)>& more = {}) {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, "KR 1", 1600, true, {{"StanPoczLIcznika", 10000}});
    for (int month = 1; month <= 5; ++month)
        app->addPeriod(2024, month);
    if (more)
        more(*app);
    openOnTrips(*app);
    return app;
}

// "Nowy przejazd"; the date (when given), route, purpose and final reading typed; "Zapisz".
void enterTrip(RegisterDriver& reg, const QDate& date, const QString& route, const QString& finalReading) {
    reg.newTrip();
    if (date.isValid())
        reg.pickTripDate(date);
    reg.type(Box::Route, route);
    reg.type(Box::Purpose, "Spotkanie z klientem");
    reg.type(Box::FinalReading, finalReading);
    reg.saveTrip();
}

QList<QVariantMap> trips(TestApp& app) {
    return app.rows("Przejazdy.db", "NrKol_Pojazdu_DataInd");
}

// A stored trip at 0,8358 zł/km with its month's totals; its year's running values deliberately wrong.
void seedTrip(TestApp& app, int vehicle, const QDate& date, qint64 km, double value, qint64 finalReading,
              qint64 monthKm, double monthValue) {
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", vehicle},
                              {"Rok", date.year()},
                              {"Miesiac", date.month()},
                              {"Data", date},
                              {"Trasa", "Trasa"},
                              {"Cel_Wyj", "Serwis"},
                              {"Kilometry", km},
                              {"Stawka", 0.8358},
                              {"Wartosc", value},
                              {"StanLicznikaPrzed", finalReading - km},
                              {"StanLicznikaPo", finalReading},
                              {"KilometrySuma", monthKm},
                              {"WartoscSuma", monthValue},
                              {"Kilometry_NarastajacaRok", 1},
                              {"Wartosc_NarastajacoRok", 1.0}});
}

// A year of trips of car 1, December included.
void seedYear(TestApp& app) {
    seedTrip(app, 1, QDate(2024, 1, 10), 100, 83.58, 10100, 151, 126.21);
    seedTrip(app, 1, QDate(2024, 1, 20), 51, 42.63, 10151, 151, 126.21);
    seedTrip(app, 1, QDate(2024, 2, 5), 200, 167.16, 10351, 200, 167.16);
    seedTrip(app, 1, QDate(2024, 3, 3), 300, 250.74, 10651, 300, 250.74);
    seedTrip(app, 1, QDate(2024, 4, 7), 49, 40.95, 10700, 49, 40.95);
    seedTrip(app, 1, QDate(2024, 12, 1), 10, 8.36, 10710, 10, 8.36);
}

Running yearRunning(TestApp& app) {
    Running out;
    for (const QVariantMap& row : trips(app))
        out.append({row["Kilometry_NarastajacaRok"].toLongLong(),
                    qRound64(row["Wartosc_NarastajacoRok"].toDouble() * 100)});
    return out;
}

// The vehicle's current odometer in the file and in the grid's "Licznik" column.
void checkOdometer(TestApp& app, qint64 reading) {
    QCOMPARE(app.rows("Pojazdy.db")[0]["StanAktLicznika"].toLongLong(), reading);
    QCOMPARE(RegisterDriver(app).vehicleCell(0, 4), QString::number(reading));
}

} // namespace

class TripsTest : public QObject {
    Q_OBJECT

private slots:
    void newTripProposesStartRateAndDate() {
        auto app = TestApp::started(QDateTime(QDate(2024, 5, 31), QTime(9, 0))); // April has no 31st
        app->setRates(0.5214, 0.8358);
        app->addVehicle(1, "KR 900", 900); // no initial odometer
        app->addVehicle(2, "KR 901", 901, true, {{"StanPoczLIcznika", 5000}});
        for (int month = 1; month <= 5; ++month)
            app->addPeriod(2024, month);
        openOnTrips(*app);
        RegisterDriver reg(*app);

        reg.chooseMonth("Kwiecień");
        reg.newTrip();
        QCOMPARE(app->data().TablePrzejazdy->state(), State::Insert);
        QCOMPARE(reg.text(Box::StartReading), QString("0"));
        QCOMPARE(reg.text(Box::Rate), QString("0,5214"));
        QCOMPARE(reg.tripDate(), QDate(2024, 4, 30));
        reg.cancelTrip();

        reg.clickVehicle(1);
        reg.chooseMonth("Maj");
        enterTrip(reg, QDate(), "Kraków - Wieliczka", "5020");
        reg.newTrip(); // the second trip of the month starts where the first ended
        QCOMPARE(reg.text(Box::StartReading), QString("5020"));
        QCOMPARE(reg.text(Box::Rate), QString("0,8358"));
        QCOMPARE(reg.tripDate(), QDate(2024, 5, 31));
        reg.cancelTrip();
        const QList<QVariantMap> rows = trips(*app);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["NrKol_Pojazdu"].toInt(), 2);
        QCOMPARE(rows[0]["StanLicznikaPrzed"].toInt(), 5000);
        QCOMPARE(rows[0]["Wartosc"].toDouble(), 16.72); // 20 km: 16,716
        QCOMPARE(app->dialogs.texts(), QStringList());

        app->data().TablePojazdy->edit();
        app->data().TablePojazdy->setValue("Uzywany", false);
        app->data().TablePojazdy->post();
        reg.newTrip();
        QCOMPARE(app->dialogs.lastText(),
                 QString("Pojazd nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów"));
        QCOMPARE(app->data().TablePrzejazdy->state(), State::Browse);
    }

    void savedTripsCarryKilometresAmountsAndMonthTotals() {
        auto app = firm();
        RegisterDriver reg(*app);

        enterTrip(reg, QDate(), "Kraków - Tarnów", "10151");
        QList<QVariantMap> rows = trips(*app);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0]["Data"].toDate(), QDate(2024, 5, 15));
        QCOMPARE(rows[0]["Rok"].toInt(), 2024);
        QCOMPARE(rows[0]["Miesiac"].toInt(), 5);
        QCOMPARE(rows[0]["Pojazd"].toString(), QString("Auto1"));
        QCOMPARE(rows[0]["Trasa"].toString(), QString("Kraków - Tarnów"));
        QCOMPARE(rows[0]["StanLicznikaPrzed"].toInt(), 10000);
        QCOMPARE(rows[0]["Kilometry"].toInt(), 151);
        QCOMPARE(rows[0]["Stawka"].toDouble(), 0.8358);
        QCOMPARE(rows[0]["Wartosc"].toDouble(), 126.21);

        // The second trip by its kilometres: 49 km at 0,8358 is 40,9542.
        reg.chooseTripEntry(1);
        reg.newTrip();
        reg.pickTripDate(QDate(2024, 5, 20));
        reg.type(Box::Route, "Tarnów - Kraków");
        reg.type(Box::Purpose, "Powrót");
        reg.type(Box::Km, "49");
        reg.saveTrip();
        QCOMPARE(app->dialogs.texts(), QStringList());
        rows = trips(*app);
        QCOMPARE(rows[1]["StanLicznikaPrzed"].toInt(), 10151);
        QCOMPARE(rows[1]["StanLicznikaPo"].toInt(), 10200);
        QCOMPARE(rows[1]["Wartosc"].toDouble(), 40.95);
        // Every trip carries the month's totals; the last one's running values equal them.
        for (const QVariantMap& row : rows) {
            QCOMPARE(row["KilometrySuma"].toInt(), 200);
            QCOMPARE(row["WartoscSuma"].toDouble(), 167.16);
        }
        QCOMPARE(rows[0]["Kilometry_Narastajaca"].toInt(), 151);
        QCOMPARE(rows[0]["Wartosc_Narastajaco"].toDouble(), 126.21);
        QCOMPARE(rows[1]["Kilometry_Narastajaca"].toInt(), 200);
        QCOMPARE(rows[1]["Wartosc_Narastajaco"].toDouble(), 167.16);
        QCOMPARE(yearRunning(*app), (Running{{151, 12621}, {200, 16716}}));
        QVERIFY(rows[0]["IloscPrzejKilometrow"].isNull()); // on the month's last trip only
        QCOMPARE(rows[1]["IloscPrzejKilometrow"].toInt(), 200);

        QCOMPARE(app->data().TablePrzejazdy->asString("Trasa"), QString("Tarnów - Kraków")); // stays selected
        QCOMPARE(reg.tripSums(), QStringList({"0", "0,00", "200", "167,16", "200", "167,16"}));
        QCOMPARE(reg.label(Label::TripsBefore), QString("Suma do Maja"));
        QCOMPARE(reg.label(Label::TripsMonth), QString("Suma za Maj"));
        checkOdometer(*app, 10200);
    }

    void yearTotalsFollowTheDatesAfterASaveInAnEarlierMonth() {
        auto app = firm(seedYear);
        RegisterDriver reg(*app);

        reg.chooseMonth("Luty");
        enterTrip(reg, QDate(), "Kraków - Bochnia", "10401"); // from 10 351: 50 km, 41,79
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(trips(*app)[3]["Data"].toDate(), QDate(2024, 2, 15));
        QCOMPARE(yearRunning(*app), (Running{{100, 8358},
                                             {151, 12621},
                                             {351, 29337},
                                             {401, 33516},
                                             {701, 58590},
                                             {750, 62685},
                                             {760, 63521}}));
        QCOMPARE(trips(*app)[2]["WartoscSuma"].toDouble(), 208.95);
        QCOMPARE(trips(*app)[3]["Kilometry_Narastajaca"].toInt(), 250);
        // December's trip is the latest: a save in February does not rewind the odometer.
        checkOdometer(*app, 10710);

        QCOMPARE(reg.tripSums(), QStringList({"151", "126,21", "250", "208,95", "401", "335,16"}));
        QCOMPARE(reg.label(Label::TripsBefore), QString("Suma do Lutego"));
        reg.chooseMonth("Styczeń");
        QCOMPARE(reg.tripSums(), QStringList({"0", "0", "151", "126,21", "0", "0"}));
        QCOMPARE(reg.label(Label::TripsMonth), QString("Suma za Styczeń"));
        QVERIFY(!reg.isShown(Label::TripsBefore) && !reg.isShown(Label::TripsTotal));
        reg.chooseMonth("Wszystko");
        QCOMPARE(reg.tripSums(), QStringList({"0", "0", "760", "635,21", "0", "0"}));
        QCOMPARE(reg.label(Label::TripsMonth), QString("Suma za Rok"));
        QCOMPARE(app->data().TablePrzejazdy->recordCount(), 7);
    }

    void refusalsComeInOrder() {
        auto app = firm();
        RegisterDriver reg(*app);
        Table* t = app->data().TablePrzejazdy;
        // The last message (with its caption for a message box), the trip's state, and nothing stored.
        auto refused = [&](const QString& text, const QString& caption, State state) {
            QCOMPARE(app->dialogs.last().text, text);
            if (!caption.isEmpty())
                QCOMPARE(app->dialogs.last().caption, caption);
            QCOMPARE(t->state(), state);
            QCOMPARE(trips(*app).size(), 0);
            app->dialogs.clear();
        };
        const QString plain; // a plain message: no caption of its own
        reg.saveTrip();
        refused(
            "Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj przejazd\", a jeżeli wprowadzasz nowy "
            "zapis użyj przycisku \"Nowy przejazd\" ",
            plain, State::Browse);

        reg.type(Box::Route, "Kraków - Tarnów"); // typing starts a row, but without a rate
        QCOMPARE(t->state(), State::Insert);
        reg.saveTrip();
        refused("Nie użyłeś przycisku \"Nowy przejazd\"", plain, State::Browse);

        const QString incomplete =
            "Przejazd musi posiadać datę, trasę, cel wyjazdu, stawkę za km i Stan licznika "
            "pocz. i kon. - Użyj przycisku \"Nowy przejazd\"";
        enterTrip(reg, QDate(), "", "10151");
        refused(incomplete, "Błąd", State::Browse);
        enterTrip(reg, QDate(), "   ", "10151");
        refused(incomplete, "Błąd", State::Browse);
        enterTrip(reg, QDate(), "Kraków - Tarnów", "");
        refused(incomplete, "Błąd", State::Browse);
        // the refused trip leaves no "Nowy przejazd" behind: a row begun by typing is refused as such
        reg.type(Box::Route, "Kraków - Tarnów");
        reg.saveTrip();
        refused("Nie użyłeś przycisku \"Nowy przejazd\"", plain, State::Browse);

        // Another month and another year: the month is named first.
        enterTrip(reg, QDate(2023, 4, 10), "Kraków - Tarnów", "10151");
        refused("Miesiąc daty nie zgadza się z miesiącem okresu", plain, State::Browse);
        enterTrip(reg, QDate(2023, 5, 10), "Kraków - Tarnów", "10151");
        refused("Rok daty nie zgadza się z rokiem okresu", plain, State::Browse);

        // A final reading below the starting one keeps the trip to be put right.
        enterTrip(reg, QDate(), "Kraków - Tarnów", "9990");
        refused("Stan licznika końcowy nie może być mniejszy od początkowego", "Błąd", State::Insert);
        QCOMPARE(reg.text(Box::Route), QString("Kraków - Tarnów"));
        reg.type(Box::FinalReading, "10100");
        reg.saveTrip();
        QCOMPARE(trips(*app).size(), 1);
        QCOMPARE(trips(*app)[0]["Kilometry"].toInt(), 100);

        // "Anuluj" and Escape drop a trip being entered.
        reg.newTrip();
        reg.type(Box::Route, "Tarnów - Kraków");
        reg.cancelTrip();
        QCOMPARE(t->state(), State::Browse);
        reg.newTrip();
        reg.type(Box::Route, "Tarnów - Kraków");
        reg.pressEscape();
        QCOMPARE(t->state(), State::Browse);
        QCOMPARE(trips(*app).size(), 1);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void unreadableNumbersStopTheSaveAndKeepTheTrip() {
        auto app = firm();
        RegisterDriver reg(*app);
        reg.newTrip();
        reg.type(Box::Route, "Kraków - Tarnów");
        reg.type(Box::Purpose, "Klient");
        reg.type(Box::FinalReading, "10151");
        reg.type(Box::Rate, "0,8a");
        reg.saveTrip();
        QVERIFY2(app->dialogs.lastText().contains("0,8a"), qPrintable(app->dialogs.lastText()));
        QCOMPARE(app->data().TablePrzejazdy->state(), State::Insert);
        QCOMPARE(trips(*app).size(), 0);
        reg.type(Box::Rate, "0.8358"); // the point reads as the decimal separator too
        reg.saveTrip();
        QCOMPARE(trips(*app)[0]["Wartosc"].toDouble(), 126.21);

        // By kilometres: whole numbers, not below zero.
        reg.chooseTripEntry(1);
        reg.newTrip();
        reg.type(Box::Route, "Tarnów - Kraków");
        reg.type(Box::Purpose, "Powrót");
        for (const QString& text : {QString("15,5"), QString("abc"), QString("-5")}) {
            app->dialogs.clear();
            reg.type(Box::Km, text);
            reg.saveTrip();
            QCOMPARE(app->dialogs.messages().size(), 1);
            QCOMPARE(app->data().TablePrzejazdy->state(), State::Insert);
            QCOMPARE(trips(*app).size(), 1);
        }
        QCOMPARE(app->dialogs.lastText(), QString("Ilość km nie może być mniejsza od zera"));
        reg.type(Box::Km, "15");
        reg.saveTrip();
        QCOMPARE(trips(*app)[1]["StanLicznikaPo"].toInt(), 10166);
        QCOMPARE(trips(*app)[1]["Wartosc"].toDouble(), 12.54);      // 12,537
        QCOMPARE(trips(*app)[1]["WartoscSuma"].toDouble(), 138.75); // 126,21 + 12,54
    }

    void editingThroughTheButtonThePickerAndTheKmBox() {
        auto app = firm();
        RegisterDriver reg(*app);
        Table* t = app->data().TablePrzejazdy;
        enterTrip(reg, QDate(2024, 5, 15), "Kraków - Tarnów", "10151");
        enterTrip(reg, QDate(2024, 5, 20), "Tarnów - Kraków", "10200");

        reg.clickTrip(0); // the grid gives the picker the trip's date
        QCOMPARE(reg.tripDate(), QDate(2024, 5, 15));
        reg.editTrip();
        QCOMPARE(t->state(), State::Edit);
        reg.type(Box::FinalReading, "10161"); // 161 km: 134,5638
        reg.saveTrip();
        QList<QVariantMap> rows = trips(*app);
        QCOMPARE(rows[0]["Wartosc"].toDouble(), 134.56);
        QCOMPARE(rows[1]["Wartosc_Narastajaco"].toDouble(), 175.51);
        QCOMPARE(rows[0]["WartoscSuma"].toDouble(), 175.51);

        // Picking another date puts the selected trip into edit; the save moves it.
        reg.clickTrip(1);
        reg.pickTripDate(QDate(2024, 5, 10));
        QCOMPARE(t->state(), State::Edit);
        reg.saveTrip();
        rows = trips(*app);
        QCOMPARE(rows[0]["Data"].toDate(), QDate(2024, 5, 10));
        QCOMPARE(rows[0]["Kilometry_Narastajaca"].toInt(), 49);
        QCOMPARE(rows[1]["Kilometry_Narastajaca"].toInt(), 210);
        checkOdometer(*app, 10161); // the final reading of the latest trip by date

        // "Co podajemy" decides which box is typed; clicking into the km box previews the amount.
        QVERIFY(reg.isOpenForTyping(Box::FinalReading));
        QVERIFY(reg.isClosedForTyping(Box::Km));
        reg.chooseTripEntry(1);
        QVERIFY(reg.isClosedForTyping(Box::FinalReading));
        QVERIFY(reg.isOpenForTyping(Box::Km));
        reg.newTrip();
        reg.pickTripDate(QDate(2024, 5, 22)); // a trip being entered only takes the date
        QCOMPARE(t->state(), State::Insert);
        reg.type(Box::Km, "151");
        reg.clickInto(Box::Km);
        QCOMPARE(reg.text(Box::TripAmount), QString("126,2058"));
        reg.cancelTrip();
    }

    void deleteAsksAndRecomputesTheYear() {
        auto app = firm(seedYear);
        RegisterDriver reg(*app);
        reg.deleteTrip(); // nothing in May
        QCOMPARE(app->dialogs.last().text, QString("Brak Przejazdu do USUNIĘCIA"));
        QCOMPARE(app->dialogs.last().caption, QString("Informacja"));

        reg.chooseMonth("Styczeń");
        reg.editTrip();
        reg.deleteTrip(Answer::No);
        QCOMPARE(app->dialogs.last().text, QString("Czy usunąć wybraną pozycję"));
        QCOMPARE(app->dialogs.last().caption, QString("WYBIERZ"));
        QCOMPARE(app->data().TablePrzejazdy->state(), State::Browse);
        QCOMPARE(trips(*app).size(), 6);

        reg.deleteTrip(Answer::Yes); // the trip of 10 January
        const QList<QVariantMap> rows = trips(*app);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0]["Kilometry_Narastajaca"].toInt(), 51);
        QCOMPARE(rows[0]["WartoscSuma"].toDouble(), 42.63);
        QCOMPARE(yearRunning(*app),
                 (Running{{51, 4263}, {251, 20979}, {551, 46053}, {600, 50148}, {610, 50984}}));
        QCOMPARE(reg.tripSums(), QStringList({"0", "0", "51", "42,63", "0", "0"}));
        checkOdometer(*app, 10710);
    }

    // The odometer follows the latest trip also when that trip goes; with no trip left it is the
    // vehicle's starting reading again.
    void deletingTheLatestTripsRewindsTheOdometer() {
        auto app = firm([](TestApp& a) {
            seedTrip(a, 1, QDate(2024, 4, 7), 49, 40.95, 10049, 49, 40.95);
            seedTrip(a, 1, QDate(2024, 5, 3), 100, 83.58, 10149, 100, 83.58);
        });
        RegisterDriver reg(*app);
        reg.deleteTrip(Answer::Yes); // May's trip, the latest
        checkOdometer(*app, 10049);
        reg.chooseMonth("Kwiecień");
        reg.deleteTrip(Answer::Yes); // the vehicle's only trip
        QCOMPARE(app->count("Przejazdy.db"), 0);
        checkOdometer(*app, 10000);
    }

    // The register reads only the year shown, but the odometer is the latest trip's of any year.
    void theOdometerIsTheLatestTripsOfAnyYear() {
        auto app = firm([](TestApp& a) {
            seedTrip(a, 1, QDate(2024, 4, 7), 49, 40.95, 10049, 49, 40.95);
            seedTrip(a, 1, QDate(2025, 1, 10), 100, 83.58, 10500, 100, 83.58);
        });
        RegisterDriver reg(*app);
        enterTrip(reg, QDate(2024, 5, 3), "Kraków", "10100");
        QCOMPARE(app->count("Przejazdy.db"), 3);
        checkOdometer(*app, 10500);
        // the first trip of a month starts at the initial reading (100 km); the next year is left alone
        QCOMPARE(yearRunning(*app), (Running{{49, 4095}, {149, 12453}, {1, 100}}));
        reg.deleteTrip(Answer::Yes);
        checkOdometer(*app, 10500);
    }

    // A trip saved while "POJAZDY" holds text typed but not yet written leaves that text alone; the
    // vehicle's save then stores it beside the new odometer.
    void aTripSaveKeepsWhatIsTypedInTheVehiclesWindow() {
        auto app = firm();
        RegisterDriver reg(*app);
        TPojazdy_firmy& w = *app->forms().Pojazdy_firmy;
        w.openWindow();
        QLineEdit* make = w.ui()->DBMarka_pojazdu;
        tarlok::test::retype(make, "Opel");
        QCOMPARE(app->data().TablePojazdy->state(), State::Edit);

        enterTrip(reg, QDate(), "Kraków - Tarnów", "10084");
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(trips(*app).size(), 1);
        QCOMPARE(make->text(), QString("Opel"));
        QCOMPARE(app->data().TablePojazdy->state(), State::Edit);
        QCOMPARE(app->rows("Pojazdy.db")[0]["StanAktLicznika"].toLongLong(), 10084);

        w.ZapiszClick();
        const QVariantMap vehicle = app->rows("Pojazdy.db")[0];
        QCOMPARE(vehicle["Marka_Poj"].toString(), QString("Opel"));
        QCOMPARE(vehicle["StanAktLicznika"].toLongLong(), 10084);
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    // The rate box shows four decimals; an edited trip keeps the rate it was stored with.
    void anEditedTripKeepsItsStoredRate() {
        auto app = firm([](TestApp& a) {
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                                    {"Rok", 2024},
                                    {"Miesiac", 5},
                                    {"Data", QDate(2024, 5, 3)},
                                    {"Trasa", "Kraków - Tarnów"},
                                    {"Cel_Wyj", "Dostawa"},
                                    {"Kilometry", 1000},
                                    {"Stawka", 0.83575},
                                    {"Wartosc", 835.75},
                                    {"StanLicznikaPrzed", 10000},
                                    {"StanLicznikaPo", 11000}});
        });
        RegisterDriver reg(*app);
        reg.editTrip();
        QCOMPARE(reg.text(Box::Rate), QString("0,8358"));
        reg.type(Box::Route, "Kraków - Tarnów - Kraków");
        reg.saveTrip();
        QCOMPARE(app->dialogs.texts(), QStringList());
        QVariantMap row = trips(*app)[0];
        QCOMPARE(row["Trasa"].toString(), QString("Kraków - Tarnów - Kraków"));
        QCOMPARE(row["Stawka"].toDouble(), 0.83575);
        QCOMPARE(row["Wartosc"].toDouble(), 835.75); // 1000 km at 0,8358 would be 835,80

        // a rate the user types is the trip's new rate: 1000 km at 0,5 is 500,00
        reg.editTrip();
        reg.type(Box::Rate, "0,5");
        reg.saveTrip();
        row = trips(*app)[0];
        QCOMPARE(row["Stawka"].toDouble(), 0.5);
        QCOMPARE(row["Wartosc"].toDouble(), 500.0);
    }

    // Removing invalid trips recomputes the months and years they were counted in, for every vehicle,
    // not only the month the register shows.
    void removingInvalidTripsRecomputesEveryVehicle() {
        auto app = firm([](TestApp& a) {
            a.addVehicle(2, "KR 2", 1200);
            seedTrip(a, 1, QDate(2024, 5, 3), 10, 8.36, 10010, 10, 8.36);
            // car 2: April 20 km and 30 km of a trip without its date, May 5 km; the stored totals
            // count the dateless trip
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 2},
                                    {"Rok", 2024},
                                    {"Miesiac", 4},
                                    {"Trasa", "Bez daty"},
                                    {"Kilometry", 30},
                                    {"Wartosc", 25.07},
                                    {"KilometrySuma", 50},
                                    {"WartoscSuma", 41.79},
                                    {"Kilometry_NarastajacaRok", 30},
                                    {"Wartosc_NarastajacoRok", 25.07}});
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 2},
                                    {"Rok", 2024},
                                    {"Miesiac", 4},
                                    {"Data", QDate(2024, 4, 3)},
                                    {"Trasa", "A"},
                                    {"Kilometry", 20},
                                    {"Wartosc", 16.72},
                                    {"Kilometry_Narastajaca", 50},
                                    {"Wartosc_Narastajaco", 41.79},
                                    {"KilometrySuma", 50},
                                    {"WartoscSuma", 41.79},
                                    {"Kilometry_NarastajacaRok", 50},
                                    {"Wartosc_NarastajacoRok", 41.79}});
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 2},
                                    {"Rok", 2024},
                                    {"Miesiac", 5},
                                    {"Data", QDate(2024, 5, 3)},
                                    {"Trasa", "B"},
                                    {"Kilometry", 5},
                                    {"Wartosc", 4.18},
                                    {"Kilometry_Narastajaca", 5},
                                    {"Wartosc_Narastajaco", 4.18},
                                    {"KilometrySuma", 5},
                                    {"WartoscSuma", 4.18},
                                    {"Kilometry_NarastajacaRok", 55},
                                    {"Wartosc_NarastajacoRok", 45.97}});
            // a trip of no vehicle at all
            a.seed("Przejazdy.db",
                   {{"Rok", 2024}, {"Miesiac", 5}, {"Data", QDate(2024, 5, 4)}, {"Trasa", "C"}});
        });
        RegisterDriver reg(*app);
        reg.removeInvalidTrips(Answer::Yes);
        QCOMPARE(app->dialogs.lastText(), QString("Liczba usunętych Zapisów 2"));
        const QList<QVariantMap> rows = trips(*app);
        QCOMPARE(rows.size(), 3);
        const QVariantMap april = rows[1];
        const QVariantMap may = rows[2];
        QCOMPARE(april["Trasa"].toString(), QString("A"));
        QCOMPARE(april["Kilometry_Narastajaca"].toInt(), 20);
        QCOMPARE(april["Wartosc_Narastajaco"].toDouble(), 16.72);
        QCOMPARE(april["KilometrySuma"].toInt(), 20);
        QCOMPARE(april["WartoscSuma"].toDouble(), 16.72);
        QCOMPARE(april["Kilometry_NarastajacaRok"].toInt(), 20);
        QCOMPARE(april["Wartosc_NarastajacoRok"].toDouble(), 16.72);
        QCOMPARE(may["Kilometry_NarastajacaRok"].toInt(), 25);
        QCOMPARE(may["Wartosc_NarastajacoRok"].toDouble(), 20.9);
        QCOMPARE(may["KilometrySuma"].toInt(), 5);
        QCOMPARE(rows[0]["KilometrySuma"].toInt(), 10); // car 1 had nothing to lose
    }

    void invalidTripsOfEveryVehicleAreRemovedWithTheirCount() {
        auto app = firm([](TestApp& a) {
            a.addVehicle(2, "KR 2", 1200);
            seedTrip(a, 1, QDate(2024, 5, 3), 10, 8.36, 10010, 10, 8.36);
            seedTrip(a, 2, QDate(2024, 4, 3), 10, 8.36, 20010, 10, 8.36);
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 1}, {"Miesiac", 5}, {"Data", QDate(2024, 5, 4)}});
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 2}, {"Rok", 2024}, {"Miesiac", 5}});
            a.seed("Przejazdy.db", {{"NrKol_Pojazdu", 2}, {"Rok", 2024}, {"Data", QDate(2024, 5, 6)}});
        });
        RegisterDriver reg(*app);
        reg.removeInvalidTrips(Answer::No);
        QCOMPARE(app->dialogs.messages()[0].text,
                 QString("Czy sprawdzamy i usuwamy niepoprawnie zapisane pozycje"));
        QCOMPARE(app->dialogs.messages()[0].caption, QString("WYBIERZ"));
        QCOMPARE(app->dialogs.lastText(), QString("Liczba usunętych Zapisów 0"));
        QCOMPARE(app->count("Przejazdy.db"), 5);

        reg.newTrip(); // a trip being entered is saved or cancelled first
        reg.removeInvalidTrips(Answer::Yes);
        QCOMPARE(app->dialogs.lastText(), app->data().TablePrzejazdy->pendingGuard());
        QCOMPARE(app->data().TablePrzejazdy->state(), State::Insert);
        reg.cancelTrip();

        reg.removeInvalidTrips(Answer::Yes);
        QCOMPARE(app->dialogs.lastText(), QString("Liczba usunętych Zapisów 3"));
        const QList<QVariantMap> rows = trips(*app);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0]["StanLicznikaPo"].toInt(), 10010);
        QCOMPARE(rows[1]["StanLicznikaPo"].toInt(), 20010);
        QCOMPARE(app->data().TablePrzejazdy->recordCount(), 1); // the vehicle's May again
        reg.removeInvalidTrips(Answer::Yes);
        QCOMPARE(app->dialogs.lastText(), QString("Liczba usunętych Zapisów 0"));
    }

    void sumsFollowTheVehicleAndTheNewPeriod() {
        auto app = firm([](TestApp& a) {
            a.addVehicle(2, "KR 2", 800);
            seedTrip(a, 1, QDate(2024, 5, 3), 10, 8.36, 10010, 10, 8.36);
            seedTrip(a, 2, QDate(2024, 4, 3), 20, 10.43, 20020, 20, 10.43);
            seedTrip(a, 2, QDate(2024, 5, 3), 30, 15.64, 20050, 30, 15.64);
        });
        RegisterDriver reg(*app);
        QCOMPARE(reg.tripSums(), QStringList({"0", "0,00", "10", "8,36", "10", "8,36"}));
        reg.clickVehicle(1);
        QCOMPARE(reg.tripSums(), QStringList({"20", "10,43", "30", "15,64", "50", "26,07"}));

        app->dialogs.onModal("tarlok::TNowy_Okres",
                             [](QWidget* w) { static_cast<TNowy_Okres*>(w)->ui()->Wprowadz->click(); });
        reg.press(Button::NewPeriod);
        QCOMPARE(reg.label(Label::TripsBefore), QString("Suma do Czerwca"));
        QCOMPARE(reg.label(Label::TripsMonth), QString("Suma za Czerwiec"));
        QCOMPARE(app->dialogs.texts(), QStringList());
    }
};

TARLOK_TEST_MAIN(TripsTest)
#include "tst_trips.moc"
