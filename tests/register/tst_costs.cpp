// The costs tab driven as a user does: new, edited, refused and deleted costs with their VAT split,
// the running values of every month and year they touch, the sums under the grid and the fuel
// consumption. Expected values are worked out by hand.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "reference/TJaki_Wydatek.h"
#include "store/Table.h"
#include "ui_TJaki_Wydatek.h"

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Answer = RegisterDriver::Answer;
using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;
using Label = RegisterDriver::Label;

const QString kUseNewCost = "Użyj najpierw przycisku \"Nowy koszt\"";
const QString kIncomplete =
    "Koszt musi posiadać datę, nazwę, nr dokumentu i wartość - Użyj przycisku \"Nowy koszt\"";
const QString kBadPercent = "Procent VAT zaliczonego w koszty musi być liczbą całkowitą od 0 do 100";

// Two vehicles, the rates, two kinds of fuel (with and without a VAT rate) and the periods January to
// May 2024.
std::unique_ptr<TestApp> firm(const QDateTime& now = QDateTime(QDate(2024, 5, 15), QTime(10, 0))) {
    auto app = TestApp::started(now);
    app->addVehicle(1, "WA 1111", 1400);
    app->addVehicle(2, "WA 2222", 800);
    app->setRates(0.5214, 0.8358);
    app->seed("Wydatki.db", {{"Wydatek", "Paliwo"}, {"CzyPaliwo", true}, {"Pom3", 23}});
    app->seed("Wydatki.db", {{"Wydatek", "Paliwo bez VAT"}, {"CzyPaliwo", true}});
    for (int m = 1; m <= 5; ++m)
        app->addPeriod(2024, m);
    return app;
}

void open(TestApp& app) {
    app.openRegister();
    app.dialogs.clear();
}

// The expense kind `name` taken into the cost through "Kartoteka wydatków" and its take button.
void takeKind(TestApp& app, RegisterDriver& reg, const QString& name) {
    app.dialogs.onModal("tarlok::TJaki_Wydatek", [&app, name](QWidget* w) {
        Table* kinds = app.data().TableWydatki;
        QVERIFY(kinds->locate("Wydatek", {name}));
        static_cast<TJaki_Wydatek*>(w)->ui()->Wprowadz->click();
    });
    reg.press(Button::ExpenseKindsList);
}

// "Nowy koszt" with the document number, name, value and date typed, and the kind's VAT rate set as
// the expense-kinds window sets it; a fuel cost takes its kind of fuel in that window.
void startCost(TestApp& app, RegisterDriver& reg, const QString& number, const QString& value,
               const QDate& date, std::optional<int> rate = 23, bool fuel = false) {
    reg.newCost();
    reg.type(Box::DocumentNumber, number);
    reg.type(Box::ExpenseName, fuel ? "Paliwo" : "Naprawa");
    reg.type(Box::CostValue, value);
    if (fuel) {
        QVERIFY(!rate || *rate == 23);
        takeKind(app, reg, rate ? "Paliwo" : "Paliwo bez VAT");
    } else if (rate) {
        app.data().TableKoszty->setValue("Pom3", *rate);
    }
    reg.pickCostDate(date);
}

void seedCost(TestApp& app, int vehicle, const QDate& date, const QString& number, double value,
              const QVariantMap& more = {}) {
    QVariantMap row{
        {"NrKol_Pojazdu", vehicle}, {"Rok", date.year()},      {"Miesiac", date.month()}, {"Data", date},
        {"Nr_Rachunku", number},    {"Rodzaj_Wyd", "Naprawa"}, {"Wartosc", value}};
    row.insert(more);
    app.seed("Koszty.db", row);
}

QVariantMap cost(TestApp& app, const QString& number) {
    for (const QVariantMap& row : app.rows("Koszty.db"))
        if (row["Nr_Rachunku"].toString() == number)
            return row;
    return {};
}

// Month running value, month total, year running value, fuel value and fuel litres of a cost.
QVariantList totals(TestApp& app, const QString& number) {
    const QVariantMap r = cost(app, number);
    return {r["Wartosc_Narastajaca"], r["WartoscSuma"], r["Wartosc_NarastajacaRok"], r["SumaWartPaliwo"],
            r["SumaIloscPaliwo"]};
}
QVariantList totals(double month, double monthTotal, double year, double fuelValue = 0, double litres = 0) {
    return {month, monthTotal, year, fuelValue, litres};
}

// Nothing holds "Nowy koszt" any more: a row begun by typing is refused as such and dropped.
void checkNoNewCost(TestApp& app, RegisterDriver& reg) {
    app.dialogs.clear();
    reg.type(Box::DocumentNumber, "X");
    reg.saveCost();
    QCOMPARE(app.dialogs.texts(), QStringList{kUseNewCost});
    QVERIFY(!app.data().TableKoszty->isEditing());
}

} // namespace

class CostsTest : public QObject {
    Q_OBJECT

private slots:
    // Net 100.00 at 23 % counted by each choice; a cost without a VAT rate keeps its value.
    void vatSplitOfEachChoice() {
        auto app = firm();
        open(*app);
        RegisterDriver reg(*app);
        startCost(*app, reg, "F/1", "100,00", QDate(2024, 5, 10));
        reg.saveCost();
        QCOMPARE(reg.label(Label::CostValue), QString("Wartość netto[zł]"));
        QCOMPARE(reg.text(Box::Counted), QString("111,5"));
        QCOMPARE(reg.text(Box::VatNotCounted), QString("11,5"));
        startCost(*app, reg, "F/2", "100", QDate(2024, 5, 11));
        reg.chooseVatCounted(2);
        reg.saveCost();
        QCOMPARE(reg.label(Label::CostValue), QString("Wartość[zł]"));
        startCost(*app, reg, "F/3", "100", QDate(2024, 5, 12));
        reg.chooseVatCounted(0);
        reg.saveCost();
        startCost(*app, reg, "F/4", "100", QDate(2024, 5, 13));
        reg.chooseVatMode(1);
        QVERIFY(reg.isShown(Box::VatPercent) && !reg.isVatCountedShown());
        reg.type(Box::VatPercent, "60");
        reg.saveCost();
        startCost(*app, reg, "R/5", "250,40", QDate(2024, 5, 14), std::nullopt);
        reg.saveCost();
        QCOMPARE(app->dialogs.texts(), QStringList());

        const QStringList fields{"Wartosc",    "VatZaliczony",        "VatNieZaliczony",
                                 "Pom2",       "VatZaliczonyProcent", "WartBrutto",
                                 "VatWartosc", "VatProcent"};
        auto figures = [&](const QString& number) {
            QVariantList out;
            for (const QString& f : fields)
                out.append(cost(*app, number)[f]);
            return out;
        };
        QCOMPARE(figures("F/1"), (QVariantList{111.50, 11.50, 11.50, 11.50, 50, 123.0, 23.0, 23}));
        QCOMPARE(figures("F/2"), (QVariantList{123.00, 23.00, 0.0, 23.00, 100, 123.0, 23.0, 23}));
        QCOMPARE(figures("F/3"), (QVariantList{100.00, 0.0, 23.00, 0.0, 0, 123.0, 23.0, 23}));
        QCOMPARE(figures("F/4"), (QVariantList{113.80, 13.80, 9.20, 13.80, 60, 123.0, 23.0, 23}));
        const QVariant none;
        QCOMPARE(figures("R/5"), (QVariantList{250.40, none, none, none, none, none, none, none}));
        // 111.50 + 123 + 100 + 113.80 + 250.40 = 698.70 on every cost of May; counted VAT 48.30.
        for (const QString n : {"F/1", "F/2", "F/3", "F/4", "R/5"})
            QCOMPARE(cost(*app, n)["WartoscSuma"], QVariant(698.70));
        QCOMPARE(totals(*app, "R/5"), totals(698.70, 698.70, 698.70));
        QCOMPARE(reg.costSums(), (QStringList{"0,00", "698,70", "698,70"}));
        QCOMPARE(reg.vatSums(), (QStringList{"0,00", "48,30", "48,30"}));
    }

    // A VAT cost edited and given a kind without a VAT rate keeps its net value and no VAT at all: the
    // VAT sums of the month count nothing for it.
    void aCostEditedToAKindWithoutVatLosesItsVat() {
        auto app = firm();
        app->seed("Wydatki.db", {{"Wydatek", "Opłata parkingowa"}, {"CzyPaliwo", false}});
        open(*app);
        RegisterDriver reg(*app);
        startCost(*app, reg, "F/1", "100", QDate(2024, 5, 10)); // 50 % of 23 %: 111,50
        reg.saveCost();
        QCOMPARE(reg.vatSums(), (QStringList{"0,00", "11,50", "11,50"}));

        reg.editCost();
        takeKind(*app, reg, "Opłata parkingowa");
        reg.saveCost();
        QCOMPARE(app->dialogs.texts(), QStringList());

        const QVariantMap row = cost(*app, "F/1");
        QCOMPARE(row["Rodzaj_Wyd"].toString(), QString("Opłata parkingowa"));
        QCOMPARE(row["Wartosc"].toDouble(), 100.0);
        for (const char* field : {"Pom3", "Pom2", "VatZaliczony", "VatNieZaliczony", "VatZaliczonyProcent",
                                  "WartBrutto", "VatWartosc", "VatProcent"})
            QVERIFY2(row[field].isNull(), field);
        QCOMPARE(totals(*app, "F/1"), totals(100, 100, 100));
        QCOMPARE(reg.costSums(), (QStringList{"0,00", "100,00", "100,00"}));
        QCOMPARE(reg.vatSums(), (QStringList{"0,00", "0,00", "0,00"}));
    }

    // A saved VAT cost is edited from its net value and its own VAT choice, so nothing is added twice.
    void editingASavedCost() {
        auto app = firm();
        open(*app);
        RegisterDriver reg(*app);
        startCost(*app, reg, "F/1", "100", QDate(2024, 5, 10));
        reg.saveCost();
        startCost(*app, reg, "F/4", "100", QDate(2024, 5, 13));
        reg.chooseVatMode(1);
        reg.type(Box::VatPercent, "60");
        reg.saveCost();
        const QList<QVariantMap> saved = app->rows("Koszty.db");

        // Only clicking a row with VAT and pressing "Zapisz" is refused and changes nothing.
        reg.clickCost(0);
        QCOMPARE(reg.text(Box::VatNotCounted), QString("11,5"));
        reg.saveCost();
        QCOMPARE(app->dialogs.lastText(), kUseNewCost);
        QVERIFY(!app->data().TableKoszty->isEditing());

        // Another choice on screen: the edit brings back the cost's own 50 %.
        reg.chooseVatMode(0);
        reg.chooseVatCounted(2);
        reg.clickCost(0);
        reg.editCost();
        QCOMPARE(reg.text(Box::CostValue), QString("100,00"));
        QCOMPARE(reg.vatCounted(), 1);
        reg.saveCost();
        reg.clickCost(1);
        reg.editCost();
        QCOMPARE(reg.vatMode(), 1);
        QCOMPARE(reg.text(Box::VatPercent), QString("60"));
        reg.saveCost();
        QCOMPARE(app->rows("Koszty.db"), saved);

        // A net value held by the edit never leaves the row through a move; a new net value is split.
        reg.clickCost(0);
        reg.editCost();
        reg.chooseMonth("Kwiecień");
        QCOMPARE(reg.month(), QString("Maj"));
        QCOMPARE(cost(*app, "F/1")["Wartosc"], QVariant(111.50));
        reg.type(Box::CostValue, "200");
        reg.saveCost();
        // 200 at 23 %: VAT 46, half 23.
        QCOMPARE(cost(*app, "F/1")["Wartosc"], QVariant(223.0));
        QCOMPARE(cost(*app, "F/1")["WartBrutto"], QVariant(246.0));
        QCOMPARE(cost(*app, "F/4")["WartoscSuma"], QVariant(336.80));
    }

    void fuelConsumption() {
        auto app = firm();
        open(*app);
        RegisterDriver reg(*app);
        // 40 l, 500 km to the final reading 10 500 ("ilość km").
        startCost(*app, reg, "P/1", "200", QDate(2024, 5, 3), 23, true);
        reg.chooseCostEntry(1);
        reg.type(Box::Litres, "40");
        reg.type(Box::CostKm, "500");
        reg.type(Box::CostFinalReading, "10500");
        reg.saveCost();
        QCOMPARE(reg.text(Box::Consumption), QString("8"));
        const QVariantMap p1 = cost(*app, "P/1");
        QCOMPARE((QVariantList{p1["StanLicznikaPrzed"], p1["StanLicznikaPo"], p1["IloscPrzejKilometrow"],
                               p1["Pom1"]}),
                 (QVariantList{10000, 10500, 500, "500"}));
        // 30 l without kilometres: the average stays 40 x 100 / 500.
        startCost(*app, reg, "P/2", "150", QDate(2024, 5, 10), 23, true);
        reg.type(Box::Litres, "30");
        reg.saveCost();
        QCOMPARE(reg.text(Box::AverageConsumption), QString("8"));
        QCOMPARE(reg.text(Box::Consumption), QString());
        // 36 l from 10 500 to 10 900 ("Stan licznika"): 9 now, (40 + 36) x 100 / 900 on average.
        startCost(*app, reg, "P/3", "100", QDate(2024, 5, 20), 23, true);
        reg.chooseCostEntry(0);
        reg.type(Box::Litres, "36");
        reg.type(Box::CostStartReading, "10500");
        reg.type(Box::CostFinalReading, "10900");
        reg.saveCost();
        QCOMPARE(cost(*app, "P/3")["Pom1"], QVariant("400"));
        QCOMPARE(cost(*app, "P/3")["IloscPrzejKilometrow"], QVariant(400));
        QCOMPARE(reg.text(Box::Consumption), QString("9"));
        QCOMPARE(reg.text(Box::AverageConsumption), QString("8,44"));
        // Fuel of May: 223 + 167.25 + 111.50 and 40 + 30 + 36 litres on every cost.
        for (const QString n : {"P/1", "P/2", "P/3"}) {
            QCOMPARE(cost(*app, n)["SumaWartPaliwo"], QVariant(501.75));
            QCOMPARE(cost(*app, n)["SumaIloscPaliwo"], QVariant(106.0));
        }
        reg.clickCost(0);
        QCOMPARE(reg.text(Box::Consumption), QString("8"));
        QVERIFY(reg.isShown(Box::Litres));
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    // Costs of January, March and May 2024 (and of December 2023 and another vehicle, left alone).
    void everyTouchedMonthAndTheYearStayRight() {
        auto app = firm();
        seedCost(*app, 1, QDate(2024, 1, 5), "S/1", 100, {{"Pom2", 10.5}});
        seedCost(*app, 1, QDate(2024, 1, 20), "S/2", 200);
        seedCost(*app, 1, QDate(2024, 3, 15), "S/3", 50,
                 {{"Pom2", 4.0}, {"CzyPaliwo", true}, {"IloscPaliwa", 10.0}});
        seedCost(*app, 1, QDate(2024, 5, 5), "S/4", 30, {{"Pom2", 2.25}});
        seedCost(*app, 1, QDate(2024, 7, 1), "S/5", 40); // after the selected month
        seedCost(*app, 1, QDate(2023, 12, 10), "S/0", 70);
        seedCost(*app, 2, QDate(2024, 5, 7), "V/2", 999);
        open(*app);
        RegisterDriver reg(*app);
        startCost(*app, reg, "N/1", "70", QDate(2024, 5, 20), std::nullopt);
        reg.saveCost();
        QCOMPARE(totals(*app, "S/1"), totals(100, 300, 100));
        QCOMPARE(totals(*app, "S/2"), totals(300, 300, 300));
        QCOMPARE(totals(*app, "S/3"), totals(50, 50, 350, 50, 10));
        QCOMPARE(totals(*app, "S/4"), totals(30, 100, 380));
        QCOMPARE(totals(*app, "N/1"), totals(100, 100, 450));
        QCOMPARE(totals(*app, "S/5"), totals(40, 40, 490));
        const QVariant none;
        QCOMPARE(totals(*app, "S/0"), (QVariantList{none, none, none, none, none}));
        QCOMPARE(totals(*app, "V/2"), (QVariantList{none, none, none, none, none}));
        QCOMPARE(reg.costSums(), (QStringList{"350,00", "100,00", "450,00"}));
        QCOMPARE(reg.vatSums(), (QStringList{"14,50", "2,25", "16,75"}));
        // the VAT of each month, as the VAT grid shows it for that month
        reg.chooseMonth("Styczeń");
        QCOMPARE(reg.vatSums()[1], QString("10,5"));
        reg.chooseMonth("Marzec");
        QCOMPARE(reg.vatSums()[1], QString("4,00"));
        reg.chooseMonth("Maj");
        QCOMPARE(reg.vatSums()[1], QString("2,25"));

        // N/1 is moved to 10 March: March and May are both made right.
        reg.clickCost(1);
        reg.editCost();
        reg.pickCostDate(QDate(2024, 3, 10));
        reg.saveCost();
        QCOMPARE(totals(*app, "N/1"), totals(70, 120, 370, 50, 10));
        QCOMPARE(totals(*app, "S/3"), totals(120, 120, 420, 50, 10));
        QCOMPARE(totals(*app, "S/4"), totals(30, 30, 450));
        QCOMPARE(totals(*app, "S/5"), totals(40, 40, 490));
        QCOMPARE(reg.costSums(), (QStringList{"420,00", "30,00", "450,00"}));

        // Deleting: No keeps the cost, Yes removes it and puts its month and year right.
        reg.deleteCost();
        QCOMPARE(app->dialogs.last().caption, QString("WYBIERZ"));
        QCOMPARE(app->count("Koszty.db"), 8);
        reg.deleteCost(Answer::Yes);
        QCOMPARE(app->count("Koszty.db"), 7);
        QCOMPARE(totals(*app, "S/5"), totals(40, 40, 460));
        QCOMPARE(reg.costSums(), (QStringList{"420,00", "0,00", "420,00"}));
        reg.deleteCost();
        QCOMPARE(app->dialogs.lastText(), QString("Brak Kosztu do USUNIĘCIA"));
        QCOMPARE(app->dialogs.last().caption, QString("Informacja"));
        reg.chooseMonth("Marzec");
        QCOMPARE(reg.label(Label::CostsBefore), QString("Suma do Marca"));
        reg.deleteCost(Answer::Yes); // N/1, the first cost of March
        QCOMPARE(totals(*app, "S/3"), totals(50, 50, 350, 50, 10));
        QCOMPARE(totals(*app, "S/2"), totals(300, 300, 300));
        QCOMPARE(totals(*app, "S/5"), totals(40, 40, 390));

        reg.chooseMonth("Wszystko");
        QVERIFY(!reg.isShown(Label::CostsBefore) && !reg.isShown(Label::CostsTotal));
        QCOMPARE(reg.label(Label::CostsMonth), QString("Suma za Rok"));
        QCOMPARE(reg.costSums()[1], QString("390"));
        QCOMPARE(reg.vatSums()[1], QString("14,5"));
        reg.chooseMonth("Styczeń");
        QVERIFY(!reg.isShown(Label::CostsBefore) && !reg.isShown(Label::CostsTotal));
        QCOMPARE(reg.label(Label::CostsMonth), QString("Suma za Styczeń"));
        QCOMPARE(reg.costSums(), (QStringList{"0", "300", "0"}));
        QCOMPARE(reg.vatSums(), (QStringList{"0", "10,5", "0"}));
    }

    // A cost moved to a year the register does not show: both years' running values are put right.
    void aCostMovedToAnotherYear() {
        auto app = firm();
        seedCost(*app, 1, QDate(2023, 12, 10), "S/0", 70);
        seedCost(*app, 1, QDate(2024, 5, 5), "S/1", 30);
        open(*app);
        RegisterDriver reg(*app);
        startCost(*app, reg, "N/1", "50", QDate(2024, 5, 20), std::nullopt);
        reg.saveCost();
        QCOMPARE(totals(*app, "S/1"), totals(30, 80, 30));
        QCOMPARE(totals(*app, "N/1"), totals(80, 80, 80));
        reg.clickCost(1);
        reg.editCost();
        reg.pickCostDate(QDate(2023, 12, 20));
        reg.saveCost();
        QCOMPARE(totals(*app, "S/0"), totals(70, 120, 70));
        QCOMPARE(totals(*app, "N/1"), totals(120, 120, 120));
        QCOMPARE(totals(*app, "S/1"), totals(30, 30, 30));
        QCOMPARE(reg.costSums(), (QStringList{"0,00", "30,00", "30,00"}));
        QCOMPARE(app->data().TableKoszty->recordCount(), 1);
    }

    void refusedAndCancelledCosts() {
        auto app = firm();
        open(*app);
        RegisterDriver reg(*app);
        reg.saveCost();
        QCOMPARE(
            app->dialogs.lastText(),
            QString("Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj koszt\", a jeżeli wprowadzasz "
                    "nowy zapis użyj przycisku \"Nowy koszt\" "));
        // Without a document number the cost is refused and dropped.
        startCost(*app, reg, "", "10", QDate(2024, 5, 2));
        reg.saveCost();
        QCOMPARE(app->dialogs.lastText(), kIncomplete);
        QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        QVERIFY(!app->data().TableKoszty->isEditing());
        checkNoNewCost(*app, reg);
        startCost(*app, reg, "A/1", "10", QDate(2024, 5, 2));
        reg.cancelCost();
        startCost(*app, reg, "A/2", "10", QDate(2024, 5, 2));
        reg.pressEscape();
        QVERIFY(!app->data().TableKoszty->isEditing());
        checkNoNewCost(*app, reg);
        QCOMPARE(app->count("Koszty.db"), 0);
    }

    // Letters in a number box: the cost is refused and kept, or the text replaced by "0" with a
    // message; no other cost changes.
    void badNumbersInTheBoxes() {
        auto app = firm();
        seedCost(*app, 1, QDate(2024, 5, 1), "S/1", 10,
                 {{"WartoscSuma", 10.0}, {"Wartosc_Narastajaca", 10.0}});
        open(*app);
        RegisterDriver reg(*app);
        // Refused: the cost stays pending with its flag and no stored row changes.
        auto saveRefused = [&](const QString& message) {
            const QList<QVariantMap> before = app->rows("Koszty.db");
            reg.saveCost();
            QCOMPARE(app->dialogs.lastText(), message);
            QCOMPARE(app->data().TableKoszty->state(), Table::State::Insert);
            QCOMPARE(app->rows("Koszty.db"), before);
            // still a new cost: pressed again, "Zapisz" refuses the same way
            reg.saveCost();
            QCOMPARE(app->dialogs.lastText(), message);
            QCOMPARE(app->data().TableKoszty->state(), Table::State::Insert);
            QCOMPARE(app->rows("Koszty.db"), before);
        };
        startCost(*app, reg, "B/1", "12a", QDate(2024, 5, 2), std::nullopt);
        saveRefused("\"12a\" nie jest poprawną liczbą");
        reg.type(Box::CostValue, "12");
        reg.saveCost();
        QCOMPARE(cost(*app, "B/1")["Wartosc"], QVariant(12.0));

        startCost(*app, reg, "B/2", "100", QDate(2024, 5, 3), 23, true);
        reg.chooseCostEntry(0);
        reg.type(Box::Litres, "4o");
        saveRefused("\"4o\" nie jest poprawną liczbą");
        reg.type(Box::Litres, "40");
        reg.type(Box::CostFinalReading, "10 5OO");
        saveRefused("\"10 5OO\" nie jest poprawną liczbą całkowitą");
        reg.type(Box::CostFinalReading, "10500");
        reg.saveCost();
        QCOMPARE(cost(*app, "B/2")["StanLicznikaPo"], QVariant(10500));
        QCOMPARE(cost(*app, "B/2")["Wartosc"], QVariant(111.50));

        // Without a VAT rate the readings are checked after the split: replaced by "0", saved.
        startCost(*app, reg, "B/3", "50", QDate(2024, 5, 4), std::nullopt, true);
        reg.type(Box::CostFinalReading, "abc");
        reg.chooseCostEntry(1);
        reg.type(Box::CostKm, "x5");
        reg.saveCost();
        QVERIFY(app->dialogs.contains("Stan licznika musi być liczbą całkowitą"));
        QVERIFY(app->dialogs.contains("Ilość km musi być liczbą całkowitą"));
        QCOMPARE(cost(*app, "B/3")["Uwagi"], QVariant("0"));
        QCOMPARE(cost(*app, "B/3")["Pom1"], QVariant("0"));

        startCost(*app, reg, "B/4", "100", QDate(2024, 5, 5));
        reg.chooseVatMode(1);
        for (const QString bad : {"150", "abc", ""}) {
            reg.type(Box::VatPercent, bad);
            saveRefused(kBadPercent);
            QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        }
        reg.type(Box::VatPercent, "60");
        reg.saveCost();
        QCOMPARE(cost(*app, "B/4")["Wartosc"], QVariant(113.80));
    }

    // "Nowy koszt" proposes today's day in the selected month, or the month's last day.
    void newCostDate() {
        auto app = firm(QDateTime(QDate(2024, 5, 31), QTime(9, 0)));
        open(*app);
        RegisterDriver reg(*app);
        reg.newCost();
        QCOMPARE(reg.costDate(), QDate(2024, 5, 31));
        reg.cancelCost();
        reg.chooseMonth("Kwiecień");
        reg.newCost();
        QCOMPARE(reg.costDate(), QDate(2024, 4, 30));
        reg.saveCost(); // a new cost, refused only for what it lacks
        QCOMPARE(app->dialogs.lastText(), kIncomplete);
    }
};

TARLOK_TEST_MAIN(CostsTest)
#include "tst_costs.moc"
