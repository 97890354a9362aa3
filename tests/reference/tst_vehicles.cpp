// The vehicles window: the numbers it hands out, saving and its refusals, the owner choice, removal and
// the rows that block it, the grid's colours, the current odometer taken from the trips, the owner
// defaults, and a pending vehicle that holds the grid and is dropped on closing.
#include "support/ModelTesting.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"
#include "support/Typing.h"

#include "reference/TPojazdy_firmy.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TPojazdy_firmy.h"

#include <QImage>
#include <QRadioButton>
#include <QTest>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

namespace {

const QString kNoNumbers = QStringLiteral("Pojazd musi posiadać rejestrację i pojemność");
const QString kHasTrips =
    QStringLiteral("Nie można usunąć pojazdu - usuń najpierw wszystkie koszty i przejazdy pojazdu");
const QString kHasDeadlines =
    QStringLiteral("Nie można usunąć pojazdu - usuń najpierw terminy i ryczałty pojazdu");
const QString kAskRemove =
    QStringLiteral("Zamiast usuwać lepiej odznaczyć pozycje \"pojazd używany \" - USUWAMY");

using tarlok::test::retype;

void clickRow(QTableView* grid, int row) {
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// The started program with the vehicles window at hand.
struct Fixture {
    std::unique_ptr<TestApp> app = TestApp::started();

    TPojazdy_firmy& w() { return *app->forms().Pojazdy_firmy; }
    Ui::TPojazdy_firmy* ui() { return w().ui(); }
    Table* table() { return app->data().TablePojazdy; }
    QVariantMap stored(int row) { return app->rows("Pojazdy.db").value(row); }
    QList<qint64> numbers() {
        QList<qint64> out;
        for (const QVariantMap& r : app->rows("Pojazdy.db"))
            out.append(r.value("NrKol_Pojazdu").toLongLong());
        return out;
    }

    // A vehicle entered with "Dodaj", the boxes and "Zapisz".
    void enter(const QString& registration, const QString& make, const QString& name,
               const QString& capacity) {
        w().DodajClick();
        retype(ui()->DBRejestracja, registration);
        retype(ui()->DBMarka_pojazdu, make);
        retype(ui()->DBNazwa_pojazdu, name);
        retype(ui()->DBPojemnosc_pojazdu, capacity);
        w().ZapiszClick();
    }

    void seedTrip(int vehicle, const QDate& date, const QVariant& before, const QVariant& after) {
        app->seed("Przejazdy.db", {{"NrKol_Pojazdu", vehicle},
                                   {"Rok", date.year()},
                                   {"Miesiac", date.month()},
                                   {"Data", date},
                                   {"StanLicznikaPrzed", before},
                                   {"StanLicznikaPo", after}});
    }
};

// The colour of the text in a grid cell: the pixel farthest from the cell's background.
QColor inkOf(const QImage& image, const QRect& cell) {
    const QColor background = image.pixelColor(cell.left() + 1, cell.top() + 1);
    QColor ink = background;
    int farthest = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
        for (int x = cell.left(); x <= cell.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int d = std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                          std::abs(c.blue() - background.blue());
            if (d > farthest) {
                farthest = d;
                ink = c;
            }
        }
    return ink;
}

bool isRed(const QColor& c) {
    return c.red() > 150 && c.green() < 90 && c.blue() < 90;
}
bool isBlue(const QColor& c) {
    return c.blue() > 150 && c.red() < 90 && c.green() < 90;
}
bool isBlack(const QColor& c) {
    return c.red() < 90 && c.green() < 90 && c.blue() < 90;
}
bool isWhite(const QColor& c) {
    return c.red() > 200 && c.green() > 200 && c.blue() > 200;
}

} // namespace

class VehiclesTest : public QObject {
    Q_OBJECT

private slots:
    void numbersFollowTheLastRow() {
        Fixture f;
        f.w().openWindow();
        QVERIFY(f.w().isVisible());
        QCOMPARE(f.w().windowTitle(), QString("POJAZDY"));

        f.enter("abc 1", "M", "N", "1200");
        QCOMPARE(f.app->dialogs.texts(), QStringList());
        QVariantMap first = f.stored(0);
        QCOMPARE(first["NrKol_Pojazdu"].toLongLong(), 1);
        QCOMPARE(first["Nr_rej"].toString(), QString("ABC 1")); // typed letters become capitals
        QCOMPARE(first["Dane_Poj_Wszystko"].toString(), QString("ABC 1 M N poj. 1200"));
        QCOMPARE(first["Data"].toDate(), QDate(2024, 5, 15));
        QCOMPARE(f.ui()->DBNrKol->text(), QString("1"));

        f.enter("KR 2", "Fiat", "Panda", "1100");
        QCOMPARE(f.numbers(), QList<qint64>({1, 2}));

        // The last vehicle goes; its number passes to the next one.
        QCOMPARE(f.table()->asInteger("NrKol_Pojazdu"), 2);
        f.app->dialogs.answerYes();
        f.w().UsunClick();
        QCOMPARE(f.app->dialogs.last().text, kAskRemove);
        QCOMPARE(f.app->dialogs.last().caption, QString("WYBIERZ"));
        QCOMPARE(f.numbers(), QList<qint64>({1}));
        f.enter("KR 3", "Opel", "Corsa", "1000");
        QCOMPARE(f.numbers(), QList<qint64>({1, 2}));
        // A vehicle after it counts from its own row (the third row written).
        f.enter("KR 4", "Opel", "Astra", "1400");
        QCOMPARE(f.numbers(), QList<qint64>({1, 2, 4}));
        QCOMPARE(f.app->dialogs.texts(), QStringList({kAskRemove}));
    }

    void saveRefusedWithoutRegistrationOrCapacity() {
        Fixture f;
        f.w().openWindow();
        for (const auto& [registration, capacity] : {std::pair{"KR 5", "0"}, std::pair{"KR 5", ""},
                                                     std::pair{"", "1200"}, std::pair{"KR 5", "-5"}}) {
            f.app->dialogs.clear();
            f.w().DodajClick();
            retype(f.ui()->DBRejestracja, registration);
            retype(f.ui()->DBPojemnosc_pojazdu, capacity);
            f.w().ZapiszClick();
            QCOMPARE(f.app->dialogs.texts(), QStringList({kNoNumbers}));
            QCOMPARE(f.app->dialogs.last().caption, QString("Błąd"));
            QCOMPARE(f.app->count("Pojazdy.db"), 0);
            QCOMPARE(f.table()->state(), Table::State::Browse);
            QVERIFY(!f.w().NowyPojazd);
            QCOMPARE(f.ui()->DBRejestracja->text(), QString()); // the typed values went with the row
        }
        // Nothing to save in an empty list without "Dodaj".
        f.app->dialogs.clear();
        f.w().ZapiszClick();
        QCOMPARE(f.app->dialogs.texts(),
                 QStringList({"Przed wprowadzeniem danych pojazdu używaj przycisku \"Dodaj\""}));
    }

    void typedTextOfTheWrongKindKeepsTheRow() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200, true, {{"Data", QDate(2024, 1, 2)}});
        f.w().openWindow();

        retype(f.ui()->DBPojemnosc_pojazdu, "abc");
        f.w().ZapiszClick();
        QCOMPARE(f.app->dialogs.messages().size(), 1);
        QVERIFY2(f.app->dialogs.lastText().startsWith("Pojemność: \"abc\""),
                 qPrintable(f.app->dialogs.lastText()));
        QCOMPARE(f.stored(0)["Pojemnosc"].toLongLong(), 1200);
        QCOMPARE(f.stored(0)["Data"].toDate(), QDate(2024, 1, 2));
        QCOMPARE(f.table()->state(), Table::State::Edit); // what was typed stays to be put right
        QCOMPARE(f.ui()->DBPojemnosc_pojazdu->text(), QString("abc"));

        f.app->dialogs.clear();
        retype(f.ui()->DBPojemnosc_pojazdu, "");
        f.w().ZapiszClick();
        QCOMPARE(f.app->dialogs.texts(), QStringList({kNoNumbers}));
        QCOMPARE(f.stored(0)["Pojemnosc"].toLongLong(), 1200);
        QCOMPARE(f.stored(0)["Data"].toDate(), QDate(2024, 1, 2));
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(f.ui()->DBPojemnosc_pojazdu->text(), QString("1200"));
    }

    void ownerChoiceAloneIsSaved() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200, true, {{"Pojazd_Wlasc", true}, {"Data", QDate(2024, 1, 2)}});
        f.w().openWindow();
        RadioGroup* choice = f.ui()->RadioGroupCzyjPojazd;
        QCOMPARE(choice->itemIndex(), 0);

        choice->button(1)->click(); // "pracownika"
        f.w().ZapiszClick();
        QCOMPARE(f.stored(0)["Pojazd_Wlasc"], QVariant(false));
        QCOMPARE(f.stored(0)["Data"].toDate(), QDate(2024, 5, 15));
        QCOMPARE(f.ui()->DBGrid1->model()->index(0, 5).data().toString(), QString("Tak"));

        choice->button(0)->click();
        f.w().ZapiszClick();
        QCOMPARE(f.stored(0)["Pojazd_Wlasc"], QVariant(true));
        QCOMPARE(choice->itemIndex(), 0);
        QCOMPARE(f.app->dialogs.texts(), QStringList());
    }

    void removalRefusedWhileAnyRowCarriesTheNumber() {
        Fixture f;
        for (int n = 1; n <= 5; ++n)
            f.app->addVehicle(n, QStringLiteral("KR %1").arg(n), 1200);
        f.app->addPeriod(2024, 5);
        f.seedTrip(1, QDate(2023, 3, 8), 100, 150); // a year the register does not show
        f.app->seed("Koszty.db",
                    {{"NrKol_Pojazdu", 2}, {"Rok", 2024}, {"Miesiac", 2}, {"Data", QDate(2024, 2, 1)}});
        f.app->seed("Terminy.db", {{"NrKol_Pojazdu", 3}, {"Rok", 2024}});
        f.app->openRegister();
        f.w().openWindow();
        DbGrid* grid = f.ui()->DBGrid1;

        for (const auto& [row, refusal] :
             {std::pair{0, kHasTrips}, std::pair{1, kHasTrips}, std::pair{2, kHasDeadlines}}) {
            f.app->dialogs.clear();
            clickRow(grid, row);
            f.w().UsunClick();
            QCOMPARE(f.app->dialogs.texts(), QStringList({refusal}));
            QCOMPARE(f.app->count("Pojazdy.db"), 5);
        }
        QCOMPARE(f.app->dialogs.unanswered(), 0); // never asked

        // No lump-sum file yet: it holds nothing. The answer No keeps the vehicle.
        clickRow(grid, 4);
        f.app->dialogs.answerNo();
        f.w().UsunClick();
        QCOMPARE(f.app->count("Pojazdy.db"), 5);
        f.app->dialogs.answerYes();
        f.w().UsunClick();
        QCOMPARE(f.numbers(), QList<qint64>({1, 2, 3, 4}));

        f.app->database.createTable(f.app->dataFolder(), tables::ryczalt());
        f.app->seed("Ryczalt.db", {{"NrKol_Pojazdu", 4}, {"Rok", 2024}, {"Miesiac", 3}});
        f.app->dialogs.clear();
        clickRow(grid, 3);
        QCOMPARE(f.table()->asInteger("NrKol_Pojazdu"), 4);
        f.w().UsunClick();
        QCOMPARE(f.app->dialogs.texts(), QStringList({kHasDeadlines}));
        QCOMPARE(f.app->count("Pojazdy.db"), 4);
    }

    void removingFromAnEmptyList() {
        Fixture f;
        f.w().openWindow();
        f.w().UsunClick();
        QCOMPARE(f.app->dialogs.texts(), QStringList({"Brak POJAZDU do USUNIĘCIA"}));
        QCOMPARE(f.app->dialogs.last().caption, QString("Informacja"));
    }

    void retiredVehiclesAreRed() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200, true);
        f.app->addVehicle(2, "KR 2", 1200, false);
        f.app->addVehicle(3, "KR 3", 1200, true, {{"Uzywany", QVariant()}});
        f.app->addVehicle(4, "KR 4", 1200, true);
        f.w().openWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&f.w()));
        DbGrid* grid = f.ui()->DBGrid1;
        QPalette palette = grid->palette();
        palette.setColor(QPalette::Text, Qt::blue); // the grid's own colour, told apart from black
        grid->setPalette(palette);

        const QImage image = grid->viewport()->grab().toImage();
        auto ink = [&](int row) {
            return inkOf(image, grid->visualRect(grid->model()->index(row, 1)));
        };
        QVERIFY(isWhite(ink(0))); // the selected row
        QVERIFY(isRed(ink(1)));
        QVERIFY(isBlue(ink(2)));
        QVERIFY(isBlack(ink(3)));
    }

    void currentOdometerFromTheLatestTripOfAllPeriods() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200, true, {{"StanAktLicznika", 500}});
        f.app->addVehicle(2, "KR 2", 1200, true, {{"StanAktLicznika", 700}});
        f.app->addVehicle(3, "KR 3", 1200, true, {{"StanAktLicznika", 9000}});
        f.app->addPeriod(2024, 5);
        f.seedTrip(1, QDate(2024, 3, 10), 1400, 1500);
        f.seedTrip(1, QDate(2024, 4, 2), 1700, 1800);
        f.seedTrip(1, QDate(2024, 4, 2), 1800, 1850); // entered later on the same day: the latest
        f.seedTrip(1, QDate(2024, 1, 5), 1000, 1100); // entered last, but the earliest
        f.seedTrip(1, QDate(2024, 4, 20), QVariant(), QVariant()); // no reading: passed over
        f.seedTrip(3, QDate(2024, 5, 1), 9000, 9999);              // another vehicle
        f.app->openRegister(); // shows May 2024, where vehicle 1 has no trip
        f.w().openWindow();
        QCOMPARE(f.table()->asInteger("NrKol_Pojazdu"), 1);
        QCOMPARE(f.stored(0)["StanAktLicznika"].toLongLong(), 1850);
        QCOMPARE(f.ui()->DBTextAktualnyStanLicznika->text(), QString("1850"));

        // Without trips the odometer stays as it was.
        f.w().close();
        RegisterDriver(*f.app).clickVehicle(1);
        f.w().openWindow();
        QCOMPARE(f.table()->asInteger("NrKol_Pojazdu"), 2);
        QCOMPARE(f.stored(1)["StanAktLicznika"].toLongLong(), 700);
        QCOMPARE(f.stored(2)["StanAktLicznika"].toLongLong(), 9000); // only the current vehicle is read
        QCOMPARE(f.app->dialogs.texts(), QStringList());
    }

    void ownerDefaultsFillAVehicleWithoutOwner() {
        Fixture f;
        f.app->seed("Wlasciciel.db",
                    {{"Nazwisko", "Kowalski"}, {"Imie", "Jan"}, {"AdresFirmy", "Kraków, ul. Długa 1"}});
        f.app->addVehicle(1, "KR 1", 1200, true, {{"StanAktLicznika", 100}});
        f.app->addVehicle(2, "KR 2", 1200, true,
                          {{"Wlasciciel", "Nowak Anna"}, {"Adr_Wlasciciela", "Gdańsk"}});
        f.app->addVehicle(3, "KR 3", 1200, true, {{"Wlasciciel", "Wiśniewski Piotr"}});
        f.seedTrip(1, QDate(2023, 11, 3), 2400, 2500);
        f.w().openWindow();
        QCOMPARE(f.stored(0)["Wlasciciel"].toString(), QString("Kowalski Jan"));
        QCOMPARE(f.stored(0)["Adr_Wlasciciela"].toString(), QString("Kraków, ul. Długa 1"));
        QCOMPARE(f.stored(0)["StanAktLicznika"].toLongLong(), 2500);
        QCOMPARE(f.ui()->DBWlasciciel_pojazdu->text(), QString("Kowalski Jan"));

        clickRow(f.ui()->DBGrid1, 1);
        QCOMPARE(f.stored(1)["Wlasciciel"].toString(), QString("Nowak Anna"));
        QCOMPARE(f.stored(1)["Adr_Wlasciciela"].toString(), QString("Gdańsk"));
        clickRow(f.ui()->DBGrid1, 2);
        QCOMPARE(f.stored(2)["Wlasciciel"].toString(), QString("Wiśniewski Piotr"));
        QCOMPARE(f.stored(2)["Adr_Wlasciciela"].toString(), QString("Kraków, ul. Długa 1"));
        QCOMPARE(f.table()->state(), Table::State::Browse);
        QCOMPARE(f.app->dialogs.texts(), QStringList());
    }

    void odometerAndServiceSettings() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200, true, {{"IloscKmDoInfPrzed", 300}, {"StanAktLicznika", 15000}});
        f.w().openWindow();
        auto* ui = f.ui();
        QCOMPARE(ui->SpinEditPrzedSerwisem->value(), 300);
        QCOMPARE(f.table()->state(), Table::State::Browse); // loading is not a change

        retype(ui->DBEditPoczatkowyStanLicznika, "12000");
        f.w().ZapiszStanPoczClick();
        for (DbEdit* box : {ui->DBEditPoczatkowyStanLicznika, ui->DBEditStanLicznikaOstSerwisu}) {
            QVERIFY(box->isReadOnly());
            QVERIFY(!box->isEnabled());
            QVERIFY(box->isFlat());
        }
        QVERIFY(ui->ZapiszStanPocz->isHidden());
        QVERIFY(f.stored(0)["StanPoczLIcznika"].isNull()); // locking is not saving

        f.w().EdytujStanPoczClick();
        for (DbEdit* box : {ui->DBEditPoczatkowyStanLicznika, ui->DBEditStanLicznikaOstSerwisu}) {
            QVERIFY(!box->isReadOnly());
            QVERIFY(box->isEnabled());
            QVERIFY(!box->isFlat());
        }
        QVERIFY(!ui->ZapiszStanPocz->isHidden());

        ui->SpinEditPoSerwisie->setValue(150);
        QCOMPARE(f.table()->state(), Table::State::Edit);
        f.w().ZapiszClick();
        const QVariantMap row = f.stored(0);
        QCOMPARE(row["StanPoczLIcznika"].toLongLong(), 12000);
        QCOMPARE(row["IloscKmDoInfPrzed"].toLongLong(), 300);
        QCOMPARE(row["IloscKmDoInfPo"].toLongLong(), 150);
        // The current odometer of a vehicle already in the list is not reset to the starting one.
        QCOMPARE(row["StanAktLicznika"].toLongLong(), 15000);
        QCOMPARE(f.app->dialogs.texts(), QStringList());
    }

    // The owner choice and the service spin edits are not bound: they follow the current vehicle also
    // when the register's grid moves it, so "Zapisz" never gives one car another car's settings.
    void unboundControlsFollowTheVehicleChosenInTheRegister() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200, true,
                          {{"Pojazd_Wlasc", true}, {"IloscKmDoInfPrzed", 500}, {"IloscKmDoInfPo", 100}});
        f.app->addVehicle(2, "KR 2", 1400, true,
                          {{"Pojazd_Wlasc", false}, {"IloscKmDoInfPrzed", 300}, {"IloscKmDoInfPo", 50}});
        f.app->addVehicle(3, "KR 3", 1600, true, {{"Pojazd_Wlasc", true}});
        f.app->addPeriod(2024, 5);
        f.app->openRegister();
        f.w().openWindow();
        auto* ui = f.ui();
        QCOMPARE(ui->RadioGroupCzyjPojazd->itemIndex(), 0);
        QCOMPARE(ui->SpinEditPrzedSerwisem->value(), 500);

        RegisterDriver(*f.app).clickVehicle(1);
        QCOMPARE(ui->RadioGroupCzyjPojazd->itemIndex(), 1);
        QCOMPARE(ui->SpinEditPrzedSerwisem->value(), 300);
        QCOMPARE(ui->SpinEditPoSerwisie->value(), 50);
        f.w().ZapiszClick();
        QCOMPARE(f.stored(1)["Pojazd_Wlasc"], QVariant(false));
        QCOMPARE(f.stored(1)["IloscKmDoInfPrzed"].toLongLong(), 300);
        QCOMPARE(f.stored(1)["IloscKmDoInfPo"].toLongLong(), 50);

        // A vehicle without service kilometres shows none, not those of the car shown before.
        RegisterDriver(*f.app).clickVehicle(2);
        QCOMPARE(ui->RadioGroupCzyjPojazd->itemIndex(), 0);
        QCOMPARE(ui->SpinEditPrzedSerwisem->value(), 0);
        QCOMPARE(ui->SpinEditPoSerwisie->value(), 0);
        QCOMPARE(f.stored(0)["IloscKmDoInfPrzed"].toLongLong(), 500);
        QCOMPARE(f.app->dialogs.texts(), QStringList());
    }

    void pendingVehicleHoldsTheGrid() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200);
        f.app->addVehicle(2, "KR 2", 1200);
        f.w().openWindow();
        DbGrid* grid = f.ui()->DBGrid1;

        retype(f.ui()->DBMarka_pojazdu, "Opel");
        clickRow(grid, 1);
        QCOMPARE(f.app->dialogs.texts(), QStringList({f.table()->pendingGuard()})); // told once
        QCOMPARE(f.table()->recNo(), 0);
        QCOMPARE(grid->currentIndex().row(), 0);
        QCOMPARE(f.table()->state(), Table::State::Edit);
        QCOMPARE(f.stored(0)["Marka_Poj"].toString(), QString("Marka1"));

        // The keys hold it as well, and the owner choice made meanwhile stays as the user set it.
        f.ui()->RadioGroupCzyjPojazd->button(0)->click();
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(f.app->dialogs.texts(), QStringList(2, f.table()->pendingGuard()));
        QCOMPARE(f.table()->recNo(), 0);
        QCOMPARE(f.ui()->RadioGroupCzyjPojazd->itemIndex(), 0);

        f.w().AnulujClick();
        QCOMPARE(f.ui()->DBMarka_pojazdu->text(), QString("Marka1"));
        QCOMPARE(f.ui()->RadioGroupCzyjPojazd->itemIndex(), 1);
        clickRow(grid, 1);
        QCOMPARE(f.table()->recNo(), 1);

        // A new vehicle is never stored without its number by a move.
        f.app->dialogs.clear();
        f.w().DodajClick();
        retype(f.ui()->DBRejestracja, "KR 9");
        clickRow(grid, 0);
        QCOMPARE(f.app->dialogs.texts(), QStringList({f.table()->pendingGuard()}));
        QCOMPARE(f.table()->state(), Table::State::Insert);
        QCOMPARE(f.app->count("Pojazdy.db"), 2);
    }

    void closingDropsAPendingVehicle() {
        Fixture f;
        f.app->addVehicle(1, "KR 1", 1200);
        f.app->addVehicle(2, "KR 2", 1200);
        f.w().openWindow();

        f.w().DodajClick();
        f.w().ZamknijClick();
        QCOMPARE(f.app->dialogs.texts(),
                 QStringList({"Tabela jest w trakcie wprowadzanie, najpierw wciśnij przycisk \"Anuluj\""}));
        QVERIFY(f.w().isVisible());
        QCOMPARE(f.table()->state(), Table::State::Insert);
        f.w().AnulujClick();

        retype(f.ui()->DBMarka_pojazdu, "Opel");
        f.w().ZamknijClick();
        QVERIFY(!f.w().isVisible());
        QCOMPARE(f.table()->state(), Table::State::Browse);
        f.table()->last(); // a later move stores nothing
        QCOMPARE(f.stored(0)["Marka_Poj"].toString(), QString("Marka1"));

        // The close box drops even a new vehicle.
        f.w().openWindow();
        f.w().DodajClick();
        retype(f.ui()->DBRejestracja, "KR 9");
        f.w().close();
        QCOMPARE(f.table()->state(), Table::State::Browse);
        f.table()->first();
        QCOMPARE(f.app->count("Pojazdy.db"), 2);
        QVERIFY(!f.w().NowyPojazd);
        QCOMPARE(f.app->dialogs.messages().size(), 1);
    }
};

TARLOK_TEST_MAIN(VehiclesTest)
#include "tst_vehicles.moc"
