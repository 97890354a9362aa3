// The lump-sum window driven as its user drives it, from "RYCZAŁT" of the main window: the opening, the
// table made on demand, saving a month, the sums and the summary sheet, the period and car moves, the
// refusals, and the statement on the printer. Expected figures by hand.
#include "support/LumpSumDriver.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "lumpsum/LumpSumRecordPanel.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <map>

using namespace tarlok;
using tarlok::test::LumpSumDriver;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Box = LumpSumDriver::Box;
using Button = LumpSumDriver::Button;
using Label = LumpSumDriver::Label;
using Sheet = LumpSumDriver::Sheet;
using Answer = LumpSumDriver::Answer;

const QString kPending =
    "Wprowadzany ryczałt nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo anuluj "
    "przyciskiem \"Anuluj\".";
const QString kTripHeld = "Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                          "anuluj przyciskiem \"Anuluj\".";

// Three employees' cars (the third not in use) and the owner's car; the periods December 2023 and
// January to May 2024; the rates 0,5214 and 0,8358 zł with a limit of 300 km. Today is 15 May 2024.
std::unique_ptr<TestApp> firm(bool withTable = true) {
    auto app = TestApp::started();
    app->addVehicle(1, "KR 1111A", 1400, true, {{"Wlasciciel", "Nowak Jan"}});
    app->addVehicle(2, "KR 2222B", 850, true, {{"Wlasciciel", "Kowalska Anna"}});
    app->addVehicle(3, "KR 3333C", 1200, false, {{"Wlasciciel", "Wiśniewski Piotr"}});
    app->addVehicle(4, "KR 4444D", 2000, true, {{"Pojazd_Wlasc", true}});
    app->addPeriod(2023, 12);
    for (int m = 1; m <= 5; ++m)
        app->addPeriod(2024, m);
    app->seed(
        "Stawki.db",
        {{"Data", QDate(2024, 1, 2)}, {"Stawka_do_900", 0.5214}, {"Stawka_po_900", 0.8358}, {"Pom2", 300.0}});
    if (withTable)
        app->database.createTable(app->dataFolder(), tables::ryczalt());
    return app;
}

void seedRecord(TestApp& app, int vehicle, int year, int month, double due, const QVariantMap& more = {}) {
    QVariantMap row{{"NrKol_Pojazdu", vehicle}, {"Rok", year}, {"Miesiac", month}, {"Naleznosc_Mc", due}};
    for (auto it = more.begin(); it != more.end(); ++it)
        row.insert(it.key(), it.value());
    app.seed("Ryczalt.db", row);
}

QList<QVariantMap> records(TestApp& app) {
    return app.rows("Ryczalt.db");
}

Table& vehicles(TestApp& app) {
    return *app.data().TablePojazdy;
}

} // namespace

class LumpSumWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The register's lists newest first and its period; the employees' cars only; the month's limit
    // and the car's rate proposed; the 28th of the month as the declaration date.
    void opening() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        QVERIFY(w.isShown());
        QVERIFY(!app->reg().isVisible());
        QCOMPARE(w.title(), QString("RYCZAŁT - PRZEJAZDY LOKALNE SAMOCHODAMI PRACOWNIKÓW"));
        QCOMPARE(w.years(), (QStringList{"2024", "2023"}));
        QCOMPARE(w.months(), (QStringList{"Wszystko", "Maj", "Kwiecień", "Marzec", "Luty", "Styczeń"}));
        QCOMPARE(w.year(), QString("2024"));
        QCOMPARE(w.month(), QString("Maj"));
        QCOMPARE(w.sheet(), Sheet::Records);
        QCOMPARE(w.carCount(), 3);
        QCOMPARE(w.carCell(0, 1), QString("KR 1111A Marka1 Auto1 poj. 1400"));
        QCOMPARE(w.carCell(2, 2), QString("Wiśniewski Piotr"));
        QCOMPARE(w.carCell(2, 3), QString("NIE"));
        QCOMPARE(w.carTextColour(2, false), QColor(Qt::red));
        QCOMPARE(w.carTextColour(0, false), QColor(Qt::black));
        QCOMPARE(w.carTextColour(2, true), QColor(Qt::white));
        QCOMPARE(w.text(Box::Limit), QString("300"));
        QCOMPARE(w.text(Box::Rate), QString("0,8358"));
        QCOMPARE(w.date(), QDate(2024, 5, 28));
        QCOMPARE(w.label(Label::SumBefore), QString("Suma do Maja"));
        QCOMPARE(w.label(Label::SumMonth), QString("Suma za Maj"));
        QCOMPARE(w.label(Label::SumTotal), QString("Razem"));
        QCOMPARE(w.text(Box::SumTotal), QString("0,00"));
        QVERIFY(!w.isEnabled(Button::Print));
        QVERIFY(!w.isShown(Button::Create));
        QVERIFY(app->dialogs.messages().isEmpty());

        const std::tuple<Button, QString, QString> buttons[] = {
            {Button::Save, "&Zapisz", "Wyliczenie i zapisanie ryczałtu dla wybranego pojazdu"},
            {Button::Cancel, "&Anuluj", "Anulowanie wprowadzonych zmian(przed zapisaniem)"},
            {Button::Delete, "&Usuń", "Usunięcie zapisanego rekordu"},
            {Button::Print, "&Drukuj", "Drukowanie zestawienia ryczałtu dla wybranego pojazdu"},
            {Button::Help, "&Pomoc", "Pomoc dla tego formularza"},
            {Button::YearSums, "&Ryczałt roczny", "Obliczenie roczne kosztów ryczałtu"},
            {Button::Close, "&Wyjście", "Zamknięcie formatki dla ryczałtu"},
            {Button::Create, "Twórz Tablice Ryczałtu", "Utworzenie tablicy dla rozliczeń ryczałtowych"}};
        for (const auto& [button, caption, hint] : buttons) {
            QCOMPARE(w.caption(button), caption);
            QCOMPARE(w.hint(button), hint);
        }

        w.clickCar(1); // 850 cm³
        QCOMPARE(w.text(Box::Rate), QString("0,5214"));
        w.press(Button::Help);
        QCOMPARE(app->help.shown().size(), 1);
        QCOMPARE(app->help.shown()[0].file, QString("Tarlok.HLP"));
        QCOMPARE(app->help.shown()[0].topic, 8);
    }

    // Without the table only the creation button is there; it makes the table and the window shows
    // everything. A creation that fails leaves no table and the window as it was.
    void tableMadeOnDemand() {
        auto app = firm(false);
        LumpSumDriver w(*app);
        w.open();
        QVERIFY(w.isShown(Button::Create));
        QVERIFY(!w.isPeriodShown());
        QVERIFY(!w.isRecordGridShown());
        QVERIFY(!w.isShown(Box::Limit));
        QVERIFY(!w.isShown(Box::SumMonth));
        QVERIFY(!w.isShown(Box::YearCar));
        QVERIFY(!w.isShown(Label::SumMonth));
        QVERIFY(!w.isSummarySheetEnabled());
        QVERIFY(!w.isEnabled(Button::Save));

        // Something else holds the file's name: nothing can be made there.
        QDir(app->dataFolder()).mkdir("Ryczalt.db");
        w.press(Button::Create);
        QCOMPARE(app->dialogs.texts(), QStringList{"Błąd tworzenia tablicy dla Ryczałtu"});
        QVERIFY(w.isShown(Button::Create));
        QVERIFY(!w.isPeriodShown());
        QVERIFY(!w.window().TableRyczalt->isActive());
        QVERIFY(QFileInfo(app->dataFolder() + "/Ryczalt.db").isDir());

        QDir(app->dataFolder()).rmdir("Ryczalt.db");
        app->dialogs.clear();
        w.press(Button::Create);
        QCOMPARE(app->dialogs.texts(), QStringList{"Tablica \"Ryczałt\" została utworzona"});
        QVERIFY(QFileInfo(app->dataFolder() + "/Ryczalt.db").isFile());
        QVERIFY(!w.isShown(Button::Create));
        QVERIFY(w.isPeriodShown());
        QVERIFY(w.isRecordGridShown());
        QVERIFY(w.isSummarySheetEnabled());
        QCOMPARE(w.text(Box::Limit), QString("300"));
        w.type(Box::Leave, "1");
        w.save();
        QCOMPARE(records(*app).size(), 1);
    }

    // 300 km x 0,8358 with 2 days of leave and 1 other absence: 250,74, 34,19, 216,55.
    void savingAMonth() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        w.pickDate(QDate(2024, 5, 20));
        w.type(Box::Leave, "2");
        w.type(Box::Other, "1");
        w.save();
        QVERIFY(app->dialogs.messages().isEmpty());
        const QList<QVariantMap> rows = records(*app);
        QCOMPARE(rows.size(), 1);
        const QVariantMap& r = rows[0];
        QCOMPARE(r["NrKol_Pojazdu"].toInt(), 1);
        QCOMPARE(r["Rok"].toInt(), 2024);
        QCOMPARE(r["Miesiac"].toInt(), 5);
        QCOMPARE(r["DataOswiadczenia"].toDate(), QDate(2024, 5, 20));
        QCOMPARE(r["DataWprowadzenia"].toDate(), QDate(2024, 5, 15));
        QCOMPARE(r["Limit_km"].toDouble(), 300.0);
        QCOMPARE(r["Stawka_km"].toDouble(), 0.8358);
        QVERIFY(std::abs(r["Ryczalt_zl"].toDouble() - 250.74) < 1e-9);
        QCOMPARE(r["SumaPotracenia"].toDouble(), 34.19);
        QCOMPARE(r["Naleznosc_Mc"].toDouble(), 216.55);
        QVERIFY(r["Dni_Bez_Samochodu"].isNull());
        QCOMPARE(w.text(Box::LumpSum), QString("250,74"));
        QCOMPARE(w.text(Box::Deduction), QString("34,19"));
        QCOMPARE(w.text(Box::Due), QString("216,55"));
        QCOMPARE(w.recordCount(), 1);
        QCOMPARE(w.recordCell(0, 7), QString("216,55"));
        QCOMPARE(w.recordCell(0, 8), QString("20.05.2024"));
        QCOMPARE(w.text(Box::SumMonth), QString("216,55"));
        QCOMPARE(w.text(Box::SumTotal), QString("216,55"));

        // Back in the month, the boxes show the record's figures again.
        w.chooseMonth("Kwiecień");
        QCOMPARE(w.date(), QDate(2024, 4, 30));
        w.type(Box::Limit, "250");
        w.chooseMonth("Maj");
        QCOMPARE(w.text(Box::Limit), QString("300"));
        QCOMPARE(w.date(), QDate(2024, 5, 20));
        // And when the window opens on the month.
        w.close();
        w.open();
        QCOMPARE(w.date(), QDate(2024, 5, 20));
    }

    // A second "Zapisz" for the same month saves into the month's record: one record, the new figures.
    // Records stored twice before stay and are shown; the save goes into the first, which the sums take.
    void savingTwiceKeepsOneRecord() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        w.type(Box::Leave, "2");
        w.save();
        w.save();
        QCOMPARE(records(*app).size(), 1);
        w.type(Box::WithoutCar, "20");
        w.save();
        QCOMPARE(records(*app).size(), 1);
        // 22 days take the whole 250,74.
        QCOMPARE(records(*app)[0]["SumaPotracenia"].toDouble(), 250.74);
        QCOMPARE(records(*app)[0]["Naleznosc_Mc"].toDouble(), 0.0);
        QCOMPARE(w.text(Box::Due), QString("0,00"));

        w.chooseMonth("Kwiecień");
        seedRecord(*app, 1, 2024, 4, 10.0, {{"Limit_km", 300.0}, {"Stawka_km", 0.8358}});
        seedRecord(*app, 1, 2024, 4, 20.0, {{"Limit_km", 300.0}, {"Stawka_km", 0.8358}});
        w.chooseMonth("Maj");
        w.chooseMonth("Kwiecień");
        QCOMPARE(w.recordCount(), 2);
        QCOMPARE(w.text(Box::SumMonth), QString("10,00"));
        w.save();
        QCOMPARE(records(*app).size(), 3);
        QCOMPARE(records(*app)[1]["Naleznosc_Mc"].toDouble(), 250.74);
        QCOMPARE(records(*app)[2]["Naleznosc_Mc"].toDouble(), 20.0);
        QCOMPARE(w.text(Box::SumMonth), QString("250,74"));
    }

    // More than 22 days never make the amount due negative; negative counts, limits and rates are refused
    // with the record kept as it was typed.
    void absencesAndNegativeFigures() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        w.type(Box::Leave, "23");
        w.save();
        QCOMPARE(records(*app).size(), 1);
        QCOMPARE(records(*app)[0]["SumaPotracenia"].toDouble(), 250.74);
        QCOMPARE(records(*app)[0]["Naleznosc_Mc"].toDouble(), 0.0);
        QCOMPARE(w.text(Box::Due), QString("0,00"));

        w.chooseMonth("Kwiecień");
        const std::pair<Box, QString> refused[] = {
            {Box::Leave, "Ilość dni urlopu musi mieścić się w granicach od 0 do 30 dni"},
            {Box::WithoutCar, "Ilość dni bez samochodu musi mieścić się w granicach od 0 do 30 dni"},
            {Box::Other, "Inne nieobecności musi mieścić się w granicach od 0 do 30 dni"}};
        for (const auto& [box, message] : refused) {
            app->dialogs.clear();
            w.type(box, "-1");
            w.save();
            QCOMPARE(app->dialogs.texts(), QStringList{message});
            QVERIFY(w.window().TableRyczalt->isEditing());
            QCOMPARE(records(*app).size(), 1);
            w.cancel();
        }
        w.type(Box::Leave, "1");
        for (const auto& [box, text, message] :
             {std::tuple{Box::Limit, "-300",
                         "Limit kilometrów musi mieścić się w granicach od 0 do 99 999 km"},
              std::tuple{Box::Rate, "-0,8358",
                         "Stawka za kilometr musi mieścić się w granicach od 0 do 100 zł"}}) {
            app->dialogs.clear();
            const QString before = w.text(box);
            w.type(box, text);
            w.save();
            QCOMPARE(app->dialogs.texts(), QStringList{message});
            QVERIFY(w.window().TableRyczalt->isEditing());
            QCOMPARE(records(*app).size(), 1);
            w.type(box, before);
        }
        w.save();
        QCOMPARE(records(*app).size(), 2);
        QCOMPARE(records(*app)[1]["Naleznosc_Mc"].toDouble(), 239.34); // 250,74 - 11,40
    }

    // A day is absent once: the three counts of a month together fill its days at most (31 in May,
    // 29 in February 2024). A refused month stores nothing and keeps what was typed, pending.
    void absencesShareTheMonthsDays() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        const auto refused = [&](const QString& counts, int days) {
            return QString("Suma dni urlopu, dni bez samochodu i innych nieobecności (%1) musi mieścić się w "
                           "granicach od 0 do %2 dni")
                .arg(counts)
                .arg(days);
        };
        const auto typeCounts = [&](const QString& leave, const QString& withoutCar, const QString& other) {
            w.type(Box::Leave, leave);
            w.type(Box::WithoutCar, withoutCar);
            w.type(Box::Other, other);
        };
        for (const auto& [other, message] : {std::pair{"8", refused("15 + 10 + 8 = 33", 31)},
                                             std::pair{"7", refused("15 + 10 + 7 = 32", 31)}}) {
            app->dialogs.clear();
            typeCounts("15", "10", other);
            w.save();
            QCOMPARE(app->dialogs.texts(), QStringList{message});
            QCOMPARE(records(*app).size(), 0);
            QVERIFY(w.window().TableRyczalt->isEditing());
            QCOMPARE((QStringList{w.text(Box::Leave), w.text(Box::WithoutCar), w.text(Box::Other)}),
                     (QStringList{"15", "10", other}));
        }
        app->dialogs.clear();
        w.type(Box::Other, "6");
        w.save();
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(records(*app).size(), 1);
        QCOMPARE(records(*app)[0]["Inne_Nieobecnosci"].toInt(), 6);

        w.chooseMonth("Luty");
        typeCounts("10", "10", "10");
        w.save();
        QCOMPARE(app->dialogs.texts(), QStringList{refused("10 + 10 + 10 = 30", 29)});
        QCOMPARE(records(*app).size(), 1);
        app->dialogs.clear();
        w.type(Box::Other, "9");
        w.save();
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(records(*app).size(), 2);
        QCOMPARE(records(*app)[1]["Miesiac"].toInt(), 2);
        QCOMPARE(records(*app)[1]["Inne_Nieobecnosci"].toInt(), 9);
    }

    // Every box refuses what is not its kind of number with a message quoting the text; the record
    // stays as typed and nothing is stored until the text is put right. Both decimal separators read.
    void badInputInEveryBox_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const auto add = [](Box box, const char* name, const QString& text, const QString& message) {
            QTest::addRow("%s %s", name, qPrintable(text.isEmpty() ? "empty" : text))
                << int(box) << text << message;
        };
        for (const QString& text :
             {QString("abc"), QString("-"), QString(""), QString("  "), QString("3 x")}) {
            add(Box::Limit, "limit", text,
                QString("Limit kilometrów: \"%1\" nie jest poprawną liczbą").arg(text));
            add(Box::Rate, "rate", text,
                QString("Stawka/kilometr: \"%1\" nie jest poprawną liczbą").arg(text));
        }
        for (const QString& text :
             {QString("abc"), QString("-"), QString("1,5"), QString("1.5"), QString("2a")}) {
            add(Box::Leave, "leave", text,
                QString("Ilość dni urlopu: \"%1\" nie jest poprawną liczbą całkowitą").arg(text));
            add(Box::WithoutCar, "without car", text,
                QString("Ilość dni bez samochodu: \"%1\" nie jest poprawną liczbą całkowitą").arg(text));
            add(Box::Other, "other", text,
                QString("Inne nieobecności: \"%1\" nie jest poprawną liczbą całkowitą").arg(text));
        }
    }
    void badInputInEveryBox() {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        const Box which = Box(box);
        // A record being entered: one day of the other kind typed first.
        w.type(which == Box::Other ? Box::Leave : Box::Other, "1");
        const QString before = w.text(which);
        w.type(which, text);
        w.save();
        QCOMPARE(app->dialogs.texts(), QStringList{message});
        QVERIFY(w.window().TableRyczalt->isEditing());
        QCOMPARE(records(*app).size(), 0);
        w.type(which, before);
        w.save();
        QCOMPARE(records(*app).size(), 1);
        QCOMPARE(records(*app)[0]["Naleznosc_Mc"].toDouble(), 239.34);
    }

    void bothDecimalSeparators() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        w.type(Box::Limit, "300,5");
        w.type(Box::Rate, "0.8");
        w.type(Box::Leave, "");
        w.save();
        QVERIFY(app->dialogs.messages().isEmpty());
        QCOMPARE(records(*app)[0]["Limit_km"].toDouble(), 300.5);
        QCOMPARE(records(*app)[0]["Stawka_km"].toDouble(), 0.8);
        QCOMPARE(records(*app)[0]["Naleznosc_Mc"].toDouble(), 240.4);
        QVERIFY(records(*app)[0]["Dni_Urlopu"].isNull());
    }

    // "Wszystko" only shows the records of the year: "Zapisz", "Anuluj" and "Usuń" stay disabled whatever
    // is clicked (a car, a record, the other sheet and back), and a save or a delete that comes all the
    // same is refused, adding or deleting nothing. A month chosen again enables them.
    void wholeYear() {
        auto app = firm();
        seedRecord(*app, 1, 2024, 3, 216.55);
        LumpSumDriver w(*app);
        w.open();
        w.chooseMonth("Wszystko");
        const auto recordButtonsEnabled = [&] {
            return QList<bool>{w.isEnabled(Button::Save), w.isEnabled(Button::Cancel),
                               w.isEnabled(Button::Delete)};
        };
        const QList<bool> disabled{false, false, false};
        QCOMPARE(recordButtonsEnabled(), disabled);
        QCOMPARE(w.label(Label::SumMonth), QString("Suma za Rok"));
        QCOMPARE(w.recordCount(), 1);
        const QString browseOnly = "W widoku \"Wszystko\" zapisy można tylko przeglądać - "
                                   "wybierz miesiąc, aby dodać lub poprawić zapis.";
        w.type(Box::Leave, "3");
        QCOMPARE(app->dialogs.texts().value(0), browseOnly);
        QVERIFY(!w.window().TableRyczalt->isEditing());
        w.clickCar(1);
        QCOMPARE(recordButtonsEnabled(), disabled);
        w.clickCar(0);
        QCOMPARE(recordButtonsEnabled(), disabled);
        w.clickRecord(0);
        QCOMPARE(recordButtonsEnabled(), disabled);
        w.chooseSheet(Sheet::Summary);
        w.chooseSheet(Sheet::Records);
        QCOMPARE(recordButtonsEnabled(), disabled);

        app->dialogs.clear();
        w.window().record().UsunClick();
        QCOMPARE(app->dialogs.texts(), QStringList{browseOnly});
        QCOMPARE(records(*app).size(), 1);
        QCOMPARE(w.recordCount(), 1);
        app->dialogs.clear();
        w.window().record().ZapiszClick();
        QCOMPARE(app->dialogs.texts(), QStringList{"Niepełne dane do zapisu"});
        QCOMPARE(records(*app).size(), 1);

        w.chooseMonth("Marzec");
        QCOMPARE(recordButtonsEnabled(), (QList<bool>{true, true, true}));
    }

    // A car not in use takes no record; once it is chosen in the grid its record controls are disabled.
    void carNotInUse() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 3333C", 1200, false);
        app->addVehicle(2, "KR 1111A", 1400);
        app->addPeriod(2024, 5);
        app->setRates(0.5214, 0.8358);
        app->database.createTable(app->dataFolder(), tables::ryczalt());
        LumpSumDriver w(*app);
        w.open();
        w.type(Box::Limit, "300");
        w.save();
        QCOMPARE(app->dialogs.texts(),
                 QStringList{"Nie można tworzyć zapisów gdy brak pojazdu lub pojazd jest "
                             "nieużywany"});
        QCOMPARE(records(*app).size(), 0);
        w.clickCar(0);
        QVERIFY(!w.isEnabled(Button::Save));
        QVERIFY(!w.isEnabled(Button::Delete));
        QVERIFY(!w.isEnabled(Button::YearSums));
        QVERIFY(!w.isOpenForTyping(Box::Leave));
        QVERIFY(!w.isOpenForTyping(Box::Limit));
        QVERIFY(!w.isSummarySheetEnabled());
        w.clickCar(1);
        QVERIFY(w.isEnabled(Button::Save));
        QVERIFY(w.isOpenForTyping(Box::Leave));
    }

    // The month's last day becomes the declaration date; the year box takes only years.
    void periodChanges() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        w.chooseMonth("Luty");
        QCOMPARE(w.date(), QDate(2024, 2, 29));
        QCOMPARE(w.label(Label::SumBefore), QString("Suma do Lutego"));
        w.typeYear("2100");
        QCOMPARE(w.year(), QString("2100"));
        QCOMPARE(w.month(), QString("Luty"));
        QCOMPARE(w.date(), QDate(2100, 2, 28));
        QVERIFY(app->dialogs.messages().isEmpty());

        w.typeYear("20x4");
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().text, QString("TO NIE JEST POPRAWNY ROK - POPRAW"));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QCOMPARE(w.year(), QString("2024"));
        QCOMPARE(w.date(), QDate(2024, 2, 29));

        app->dialogs.clear();
        w.typeYear("0");
        QCOMPARE(app->dialogs.texts(), QStringList{"Nieprawidłowa wartość roku"});
        QCOMPARE(w.year(), QString("2024"));

        app->dialogs.clear();
        w.chooseMonth("Wszystko");
        w.chooseYear("2023");
        QCOMPARE(app->dialogs.texts(), QStringList{"Przy zmianie roku wybierz konkretny miesiąc"});
        QCOMPARE(w.months(), (QStringList{"Wszystko", "Grudzień"}));
    }

    void deleting() {
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        w.deleteRecord(Answer::None);
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().text, QString("Brak pozycji do USUNIĘCIA"));
        QCOMPARE(app->dialogs.last().caption, QString("Informacja"));

        w.type(Box::Leave, "2");
        w.save();
        app->dialogs.clear();
        w.deleteRecord(Answer::No);
        QCOMPARE(app->dialogs.last().text, QString("Czy usunąć wybraną pozycję"));
        QCOMPARE(app->dialogs.last().caption, QString("WYBIERZ"));
        QCOMPARE(records(*app).size(), 1);
        // 2 days: 250,74 x 2 / 22 = 22,79; 250,74 - 22,79 = 227,95.
        QCOMPARE(w.text(Box::SumMonth), QString("227,95"));

        w.deleteRecord(Answer::Yes);
        QCOMPARE(records(*app).size(), 0);
        QCOMPARE(w.recordCount(), 0);
        QCOMPARE(w.text(Box::SumMonth), QString("0,00"));
    }

    // Without any period the window does not open.
    void noPeriod() {
        auto app = TestApp::started();
        app->addVehicle(1, "KR 1111A", 1400);
        LumpSumDriver w(*app);
        w.open();
        QCOMPARE(app->dialogs.texts(),
                 QStringList{"Otwórz najpierw okres w formatce \"EWIDENCJA PRZEBIEGU POJAZDU\""});
        QVERIFY(!w.isShown());
        QVERIFY(!vehicles(*app).isFiltered());
    }

    // January 100 and March 216,55 of 2024 for the car; another year, a stored duplicate and other cars
    // do not count for it.
    void monthAndYearSums() {
        auto app = firm();
        seedRecord(*app, 1, 2024, 1, 100.0);
        seedRecord(*app, 1, 2023, 3, 999.0);
        seedRecord(*app, 1, 2024, 3, 216.55);
        seedRecord(*app, 2, 2024, 3, 555.0);
        seedRecord(*app, 1, 2024, 3, 50.0);
        seedRecord(*app, 4, 2025, 3, 7.0);
        LumpSumDriver w(*app);
        w.open();
        w.chooseMonth("Marzec");
        QCOMPARE(w.label(Label::SumBefore), QString("Suma do Marca"));
        QCOMPARE(w.label(Label::SumMonth), QString("Suma za Marzec"));
        QCOMPARE(w.label(Label::SumTotal), QString("Razem"));
        QCOMPARE((QStringList{w.text(Box::SumBefore), w.text(Box::SumMonth), w.text(Box::SumTotal)}),
                 (QStringList{"100,00", "216,55", "316,55"}));
        QCOMPARE(w.recordCount(), 2); // the duplicate is shown

        w.chooseMonth("Styczeń");
        QCOMPARE(w.label(Label::SumMonth), QString("Suma za Styczeń"));
        QCOMPARE(w.text(Box::SumMonth), QString("100"));
        QVERIFY(!w.isShown(Label::SumBefore));
        QVERIFY(!w.isShown(Label::SumTotal));

        w.chooseMonth("Wszystko");
        QCOMPARE(w.label(Label::SumMonth), QString("Suma za Rok"));
        QCOMPARE(w.text(Box::SumMonth), QString("316,55"));

        w.press(Button::YearSums);
        QCOMPARE(w.text(Box::YearCar), QString("316,55"));
        QCOMPARE(w.text(Box::YearCars), QString("871,55"));
        w.chooseYear("2023");
        QCOMPARE(w.text(Box::YearCar), QString());
        w.press(Button::YearSums);
        QCOMPARE(w.text(Box::YearCar), QString("999"));
        QCOMPARE(w.text(Box::YearCars), QString("999"));

        w.clickCar(1);
        w.chooseYear("2024");
        w.chooseMonth("Marzec");
        QCOMPARE(w.text(Box::SumMonth), QString("555,00"));
    }

    // The summary sheet of the car's year: a month without a record "0" everywhere, the running total
    // continuing after it; a declaration of 30 December 1990 not shown, of 31 December 1990 shown.
    void summarySheet() {
        auto app = firm();
        seedRecord(*app, 1, 2024, 1, 216.55,
                   {{"DataOswiadczenia", QDate(2024, 1, 31)},
                    {"Limit_km", 300.0},
                    {"Stawka_km", 0.8358},
                    {"Ryczalt_zl", 250.74},
                    {"Dni_Urlopu", 2},
                    {"Inne_Nieobecnosci", 1},
                    {"SumaPotracenia", 34.19}});
        seedRecord(*app, 1, 2024, 3, 100.0, {{"DataOswiadczenia", QDate(1990, 12, 30)}});
        seedRecord(*app, 1, 2024, 4, 0.5, {{"DataOswiadczenia", QDate(1990, 12, 31)}});
        seedRecord(*app, 2, 2024, 2, 77.0);
        LumpSumDriver w(*app);
        w.open();
        w.chooseSheet(Sheet::Summary);
        QVERIFY(w.isEnabled(Button::Print));
        QVERIFY(!w.isEnabled(Button::Save));
        QVERIFY(!w.isEnabled(Button::YearSums));
        QCOMPARE(w.sheetCell(0, 0), QString("MIESIĄC"));
        QCOMPARE(w.sheetCell(10, 1), QString("narastająco"));
        QCOMPARE(w.sheetCell(0, 13), QString("Grudzień"));
        QCOMPARE(w.sheetLine(1), (QStringList{"31.01.2024", "300,00", "0,8358", "250,74", "2", "0", "1",
                                              "34,19", "216,55", "216,55"}));
        QCOMPARE(w.sheetLine(2), (QStringList{"", "0", "0", "0", "0", "0", "0", "0", "0", "0"}));
        QCOMPARE(w.sheetLine(3).first(), QString());
        QCOMPARE(w.sheetLine(3).last(), QString("316,55"));
        QCOMPARE(w.sheetLine(4).first(), QString("31.12.1990"));
        QCOMPARE(w.sheetLine(4).last(), QString("317,05"));
        QCOMPARE(w.sheetLine(12).last(), QString("0"));

        w.clickCar(1);
        QCOMPARE(w.sheetLine(1).last(), QString("0"));
        QCOMPARE(w.sheetLine(2).last(), QString("77,00"));
    }

    // The statement prints the sheet as it stands, straight on the printer, with the register disabled
    // meanwhile and enabled again however printing ends.
    void statementOnThePrinter() {
        auto app = firm();
        seedRecord(*app, 1, 2024, 1, 216.55, {{"DataOswiadczenia", QDate(2024, 1, 31)}, {"Limit_km", 300.0}});
        LumpSumDriver w(*app);
        w.open();
        w.chooseSheet(Sheet::Summary);

        const report::Document doc = w.window().statementDocument(600);
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.orientation, QPageLayout::Landscape);
        const QStringList order = doc.pages.first().readingOrder();
        QVERIFY(order.contains("Właściciel: Nowak Jan     Dane pojazdu:KR 1111A Marka1 Auto1 poj. 1400   Rok "
                               "księgowania: 2024"));
        for (int m = 1; m <= 12; ++m) {
            const int at = order.indexOf(w.sheetCell(0, m + 1));
            QVERIFY(at > 0);
            QCOMPARE(order.mid(at + 1, 10), w.sheetLine(m));
        }

        bool disabledWhilePrinting = false;
        app->output.whilePrinting = [&] {
            disabledWhilePrinting = !app->reg().isEnabled();
        };
        w.press(Button::Print);
        QVERIFY(disabledWhilePrinting);
        QVERIFY(app->reg().isEnabled());
        QCOMPARE(app->output.count(), 1);
        QVERIFY(app->output.last().printed);
        QCOMPARE(app->output.last().document.pages.first().readingOrder().mid(0, 2),
                 doc.pages.first().readingOrder().mid(0, 2));

        app->output.failing = true;
        disabledWhilePrinting = false;
        w.press(Button::Print);
        QVERIFY(disabledWhilePrinting);
        QVERIFY(app->reg().isEnabled());
        QCOMPARE(app->dialogs.last().text, QString("Wydruk nie powiódł się - sprawdź drukarkę."));
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
    }

    // "Podgląd" beside "Drukuj": the same statement previewed (the printer untouched) and saved from the
    // preview as a PDF file, read back with pdftotext -layout: title, the month's figures, both signature
    // lines.
    void statementPreviewedAndSavedAsPdf() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        auto app = firm();
        seedRecord(*app, 1, 2024, 1, 216.55, {{"DataOswiadczenia", QDate(2024, 1, 31)}, {"Limit_km", 300.0}});
        LumpSumDriver w(*app);
        w.open();
        QVERIFY(!w.isEnabled(Button::Preview)); // on the records' sheet
        w.chooseSheet(Sheet::Summary);
        QCOMPARE(w.hint(Button::Preview),
                 QString("Podgląd zestawienia ryczałtu, z możliwością zapisania go w pliku PDF"));
        w.press(Button::Preview);
        QCOMPARE(app->output.count(), 1);
        QVERIFY(!app->output.last().printed);
        QCOMPARE(app->output.last().title, QString("ZESTAWIENIE DANYCH DLA RYCZAŁTU - PRZEJAZDY LOKALNE"));
        QCOMPARE(app->output.last().document.orientation, QPageLayout::Landscape);

        QTemporaryDir dir;
        const QString path = dir.filePath("ryczalt.pdf");
        app->dialogs.answerSaveFileName(path);
        QCOMPARE(app->output.saveLastAsPdf(), path);
        QProcess pdftotext;
        pdftotext.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", path, "-"});
        pdftotext.waitForFinished(-1);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        QVERIFY2(text.contains("ZESTAWIENIE DANYCH DLA RYCZAŁTU - PRZEJAZDY LOKALNE"), qPrintable(text));
        QVERIFY(text.contains("Rok księgowania: 2024"));
        QString january;
        for (const QString& line : text.split('\n'))
            if (line.trimmed().startsWith("Styczeń"))
                january = line;
        QVERIFY2(january.contains("31.01.2024") && january.contains("216,55"), qPrintable(january));
        const QRegularExpression signatures("-{16} +-{17}");
        QVERIFY(signatures.match(text).hasMatch());
        QVERIFY(QRegularExpression("Pracownik +Pracodawca").match(text).hasMatch());
    }

    // A record typed into is stored by nothing but "Zapisz": every move is refused with the same
    // message and the period, the car and the sheet stay; closing the window drops it.
    void recordBeingEnteredHoldsTheWindow() {
        auto app = firm();
        seedRecord(*app, 1, 2024, 5, 100.0, {{"Limit_km", 300.0}, {"Stawka_km", 0.8358}});
        LumpSumDriver w(*app);
        w.open();
        Table& t = *w.window().TableRyczalt;

        for (const auto& typeInto : std::vector<std::function<void()>>{[&] { w.type(Box::Leave, "5"); },
                                                                       [&] {
                                                                           w.pickDate(QDate(2024, 5, 20));
                                                                       }}) {
            typeInto();
            const auto held = [&](const char* move) {
                QVERIFY2(app->dialogs.texts() == QStringList{kPending},
                         qPrintable(move + (": " + app->dialogs.texts().join(" | "))));
                QVERIFY2(t.isEditing(), move);
                QCOMPARE(records(*app).size(), 1);
                QCOMPARE(records(*app)[0]["Naleznosc_Mc"].toDouble(), 100.0);
                QVERIFY(records(*app)[0]["Dni_Urlopu"].isNull());
                QVERIFY(records(*app)[0]["DataOswiadczenia"].isNull());
                app->dialogs.clear();
            };
            app->dialogs.clear();
            w.chooseMonth("Kwiecień");
            held("month");
            QCOMPARE(w.month(), QString("Maj"));
            w.typeYear("2023");
            held("year");
            QCOMPARE(w.year(), QString("2024"));
            w.clickCar(1);
            held("car");
            QCOMPARE(vehicles(*app).asInteger("NrKol_Pojazdu"), 1);
            w.chooseSheet(Sheet::Summary);
            held("sheet");
            QCOMPARE(w.sheet(), Sheet::Records);
            w.press(Button::YearSums);
            held("year sums");
            QVERIFY(w.text(Box::YearCars).isEmpty());
            w.cancel();
            QVERIFY(!t.isEditing());
        }

        // "Zapisz" stores the date picked into the month's record.
        w.pickDate(QDate(2024, 5, 20));
        w.save();
        QCOMPARE(records(*app).size(), 1);
        QCOMPARE(records(*app)[0]["DataOswiadczenia"].toDate(), QDate(2024, 5, 20));

        // Closed with a record being entered: nothing of it is stored.
        w.type(Box::Leave, "5");
        w.close();
        QVERIFY(!w.isShown());
        QVERIFY(records(*app)[0]["Dni_Urlopu"].isNull());
        QVERIFY(!t.isActive());
    }

    // A trip being entered in the register keeps the lump sums from opening over it.
    void tripBeingEnteredInTheRegister() {
        auto app = firm();
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Trips);
        reg.newTrip();
        app->dialogs.clear();
        LumpSumDriver w(*app);
        w.open();
        QCOMPARE(app->dialogs.texts(), QStringList{kTripHeld});
        QVERIFY(!w.isShown());
        QVERIFY(reg.isShown());
        QVERIFY(app->data().TablePrzejazdy->isEditing());
        QVERIFY(!vehicles(*app).isFiltered());
    }

    // However the window is closed, the vehicles table lists every vehicle again.
    void everyCloseListsEveryVehicle_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("Wyjście") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("title bar") << 2;
    }
    void everyCloseListsEveryVehicle() {
        QFETCH(int, how);
        auto app = firm();
        LumpSumDriver w(*app);
        w.open();
        QVERIFY(vehicles(*app).isFiltered());
        QCOMPARE(vehicles(*app).recordCount(), 3);
        w.chooseSheet(Sheet::Summary);
        if (how == 0)
            w.close();
        else if (how == 1)
            w.pressEscape();
        else
            w.closeByTitleBar();
        QVERIFY(!w.isShown());
        QVERIFY(!vehicles(*app).isFiltered());
        QCOMPARE(vehicles(*app).recordCount(), 4);
        QVERIFY(!w.window().TableRyczalt->isActive());

        // And it opens again as before, on the sheet "RYCZAŁT" with its period boxes and buttons.
        w.open();
        QVERIFY(w.isShown());
        QCOMPARE(vehicles(*app).recordCount(), 3);
        QCOMPARE(w.sheet(), Sheet::Records);
        QVERIFY(w.isEnabled(Button::Save));
        QVERIFY(!w.isEnabled(Button::Print));
        w.chooseMonth("Kwiecień");
        QCOMPARE(w.date(), QDate(2024, 4, 30));
    }

    // The archive closes the table around its copy and opens it again.
    void closedAndReopenedForTheArchive() {
        auto app = firm();
        seedRecord(*app, 1, 2024, 5, 100.0);
        LumpSumDriver w(*app);
        w.open();
        w.window().closeTables();
        QVERIFY(!w.window().TableRyczalt->isActive());
        QVERIFY(!app->database.isOpen(app->dataFolder() + "/Ryczalt.db"));
        w.window().reopenTables();
        QVERIFY(w.window().TableRyczalt->isActive());
        QCOMPARE(w.recordCount(), 1);
        w.close();
        // Closed with the window, it stays closed.
        w.window().closeTables();
        w.window().reopenTables();
        QVERIFY(!w.window().TableRyczalt->isActive());
    }
};

TARLOK_TEST_MAIN(LumpSumWindowTest)
#include "tst_window.moc"
