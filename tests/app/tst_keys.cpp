// The program at the keyboard alone: Tab goes round every window and never stays in a grid or a box,
// the register's tabs follow the way a trip and a cost are typed, and a month's routine (a vehicle, the
// rates, a driver, a purpose, a route, five trips, three costs, another month, the printout and the
// backup) is done with key presses only.
#include "support/KeyboardUser.h"
#include "support/TestApp.h"
#include "support/WindowOpeners.h"

#include "app/TMeniProgramu.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "common/Paths.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "reference/TCel_Wyjazdu.h"
#include "reference/TJaki_Wydatek.h"
#include "reference/TKierowcy1.h"
#include "reference/TPojazdy_firmy.h"
#include "reference/TStawki_poj.h"
#include "reference/TTrasy.h"
#include "reference/TWlascicielPodatnik.h"
#include "register/TEwidencja_przejazdow.h"
#include "reports/TFormularzWydrukow.h"
#include "reports/engine/Document.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QPushButton>
#include <QTabWidget>

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSet>

#include <algorithm>
#include <functional>

using namespace tarlok;
using tarlok::test::KeyboardUser;
using tarlok::test::TestApp;

namespace {

// The windows Tab must go round.
const QStringList kWindows{"ewidencja", "pojazdy",     "kierowcy", "wlasciciel", "cele",
                           "trasy",     "wydatki",     "stawki",   "terminy",    "ryczalt",
                           "kopia",     "odtwarzanie", "wydruki"};

// Runs `keys` while the modal window of class `className` is shown, as its user would.
void whileShown(TestApp& app, const char* className, std::function<void()> keys) {
    app.dialogs.onModal(QString::fromLatin1(className), [keys](QWidget* w) {
        if (!KeyboardUser::enter(w))
            QFAIL(qPrintable(QStringLiteral("%1 takes no focus").arg(w->objectName())));
        keys();
    });
}

// Presses Tab until `name` has the focus, failing the test when Tab never comes there.
#define TAB_TO(name)                                                                                         \
    do {                                                                                                     \
        QStringList seen;                                                                                    \
        QVERIFY2(KeyboardUser::tabTo(name, &seen),                                                           \
                 qPrintable(QString(name) + QStringLiteral(" not reached: ") + seen.join(' ')));             \
    } while (false)

const QStringList kTop{"ComboBoxRok", "ComboBoxMiesiac", "DBGridPojazdy", "CheckBoxOdblokuj", "PageControl1"};
const QStringList kWindowButtons{"ZestawWydrukow", "Pomoc_glowna", "zamknij",         "DodajPojazd",
                                 "DodajTrase",     "Stawki",       "NowyOkres",       "Wydatki",
                                 "CelWyj",         "Kierowcy",     "CheckBoxSpalanie"};

} // namespace

class KeysTest : public QObject {
    Q_OBJECT

private slots:
    // Tab goes round every window, stopping once at each control, and Shift+Tab goes the same way
    // back: no grid, list or box keeps it. Every window fits the screen.
    void tabGoesRound_data() {
        QTest::addColumn<QString>("window");
        for (const QString& name : kWindows)
            QTest::newRow(qPrintable(name)) << name;
    }
    void tabGoesRound() {
        QFETCH(QString, window);
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        app->dialogs.setCloseModalWindows(false);
        app->seed(QStringLiteral("Trasy"), {{"Trasa", "Kraków - Tarnów"}, {"Kilometry", 80}});
        app->seed(QStringLiteral("Kierowcy"), {{"Imie", "Jan"}, {"Nazwisko", "Nowak"}});
        app->database.createTable(app->dataFolder(), tables::ryczalt());
        QWidget* shown = test::windowOpeners()[window](*app);
        QVERIFY(KeyboardUser::enter(shown));
        const QStringList forth = KeyboardUser::tabRound();
        QStringList back = KeyboardUser::backtabRound();
        QVERIFY2(!forth.contains("(no way back)"), qPrintable(forth.join(' ')));
        QCOMPARE(QSet<QString>(forth.begin(), forth.end()).size(), forth.size());
        std::reverse(back.begin() + 1, back.end());
        QCOMPARE(back, forth);
        // The window fits a 1366 × 768 screen less a title bar (34 px) and borders: what it cannot be
        // made smaller than, by its layout or its fixed size, fits (it scrolls inside otherwise).
        const QSize least = shown->layout() ? shown->minimumSizeHint().expandedTo(shown->minimumSize())
                                            : shown->minimumSize();
        QVERIFY2(least.width() <= 1366 - 8 && least.height() <= 768 - 34,
                 qPrintable(QStringLiteral("%1 × %2").arg(least.width()).arg(least.height())));
        // A box that cannot be typed into is no stop.
        for (const QString& stop : forth) {
            const auto* box = shown->findChild<QLineEdit*>(stop);
            QVERIFY2(!box || !box->isReadOnly(), qPrintable(stop));
        }
    }

    // The register's tabs are filled in reading order, with the VAT share and "Co podajemy" after the
    // box they decide; the sums under the grids and the read-only amounts are no stops. Ctrl+Tab
    // switches the tab from the vehicle grid.
    void registerTabOrder_data() {
        QTest::addColumn<int>("ctrlTabs");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("KOSZTY") << 0
                                << kTop +
                                       QStringList{"DataKosztu",
                                                   "DBNrDokKosztu",
                                                   "DBNazwaWydatku",
                                                   "DBWartoscKosztu",
                                                   "RadioGroupPrzeliczanieVat",
                                                   "RadioGroupVatZaliczony",
                                                   "DBIloscPaliwa",
                                                   "RadioGroupCoPodajemy",
                                                   "DBEditStanLicznikaPrzed",
                                                   "DBEditStanLicznika",
                                                   "DodajKoszt",
                                                   "ZapiszKoszt",
                                                   "AnulujKoszt",
                                                   "EdytujKoszt",
                                                   "UsunKoszt",
                                                   "DrukujKoszty",
                                                   "Pomoc_koszty",
                                                   "EksportKosztow",
                                                   "Kart_Wydatki",
                                                   "DBGridKoszty",
                                                   "ImportKosztow"} +
                                       kWindowButtons;
        QTest::newRow("PRZEJAZDY") << 1
                                   << kTop +
                                          QStringList{"DataPrzejazdu",
                                                      "DBTrasa",
                                                      "DBCelWyjazdu",
                                                      "RadioGroup1CoPodajemy",
                                                      "DBStawka_km",
                                                      "DBEditStanLIcznikaPoczatkowy",
                                                      "DBEditStanLicznikaKoncowy",
                                                      "DBEditImie",
                                                      "DBEditNazwisko",
                                                      "DodajPrzejazd",
                                                      "EdytujPrzejazd",
                                                      "ZapiszPrzejazd",
                                                      "AnulujPrzejazd",
                                                      "UsunPrzejazd",
                                                      "UsunNiepoprwaneRekordy",
                                                      "DrukujPrzejazdy",
                                                      "Pomoc",
                                                      "Kartoteka_Tras",
                                                      "Kartoteka_Celow",
                                                      "KartotekaKierowcow",
                                                      "DBGridPrzejazdy",
                                                      "EksportPrzejazdow",
                                                      "ImportPrzejazdow",
                                                      "SprawdzLicznik"} +
                                          kWindowButtons;
        QTest::newRow("ZESTAWIENIA") << 2
                                     << kTop +
                                            QStringList{"StringGridZestawienie", "DrukujZestawienie",
                                                        "PodgladZestawienia"} +
                                            kWindowButtons;
    }
    void registerTabOrder() {
        QFETCH(int, ctrlTabs);
        QFETCH(QStringList, expected);
        auto app = TestApp::started();
        app->openRegisterOnAVehicle();
        QVERIFY(KeyboardUser::enter(&app->reg()));
        TAB_TO("DBGridPojazdy");
        for (int i = 0; i < ctrlTabs; ++i)
            KeyboardUser::press(Qt::CTRL | Qt::Key_Tab);
        TAB_TO("ComboBoxRok");
        if (ctrlTabs == 2)
            expected.removeOne("ComboBoxMiesiac"); // the month box rests on the summary
        QCOMPARE(KeyboardUser::tabRound(), expected);
    }

    // A month's routine of a new firm at the keyboard alone. Each row stored is checked in its file;
    // the figures are worked by hand below.
    void monthAtTheKeyboard() {
        using K = KeyboardUser;
        auto app = TestApp::started(); // 15 May 2024, a new data folder
        Forms& forms = app->forms();
        QWidget* menu = forms.MeniProgramu;
        QWidget* reg = &app->reg();
        menu->show(); // as the program's start shows it
        QVERIFY(K::enter(menu));

        // The first period: "EWIDENCJA" proposes May 2024, "_Wprowadź" takes it and the register opens.
        whileShown(*app, "tarlok::TWybor_okresu", [] {
            TAB_TO("Wprowadz_okres");
            K::press(Qt::Key_Space);
        });
        TAB_TO("SpeedEwidencja");
        K::press(Qt::Key_Space);
        QVERIFY(reg->isVisible());
        QVERIFY(K::enter(reg));

        // A vehicle: "Pojazdy", Insert, its boxes in Tab order, Alt+Z, Escape.
        TAB_TO("DodajPojazd");
        K::press(Qt::Key_Space);
        QVERIFY(K::enter(forms.Pojazdy_firmy));
        K::press(Qt::Key_Insert);
        QCOMPARE(K::focused(), QString("DBRejestracja"));
        K::type("KR 1234A");
        K::press(Qt::Key_Tab);
        K::type("Skoda");
        K::press(Qt::Key_Tab);
        K::type("Octavia");
        K::press(Qt::Key_Tab);
        K::type("1400");
        TAB_TO("DBCheckBoxUzywany");
        K::press(Qt::Key_Space);
        TAB_TO("DBEditPoczatkowyStanLicznika");
        K::retype("10000");
        K::press(Qt::ALT | Qt::Key_Z);
        K::press(Qt::Key_Escape);
        QVERIFY(!forms.Pojazdy_firmy->isVisible());
        const QList<QVariantMap> cars = app->rows("Pojazdy.db");
        QCOMPARE(cars.size(), 1);
        QCOMPARE(cars[0]["Nr_rej"].toString(), QString("KR 1234A"));
        QCOMPARE(cars[0]["Pojemnosc"].toInt(), 1400);
        QCOMPARE(cars[0]["Uzywany"].toBool(), true);
        QCOMPARE(cars[0]["StanPoczLIcznika"].toInt(), 10000);

        // The rates: "Stawki", the two rates, Alt+Z, Alt+W.
        QVERIFY(K::enter(reg));
        whileShown(*app, "tarlok::TStawki_poj", [] {
            TAB_TO("DBStawka_do_900");
            K::retype("0,5214");
            K::press(Qt::Key_Tab);
            K::retype("0,8358");
            K::press(Qt::ALT | Qt::Key_Z);
            K::press(Qt::ALT | Qt::Key_W);
        });
        TAB_TO("Stawki");
        K::press(Qt::Key_Space);
        QCOMPARE(app->rows("Stawki.db").size(), 1);

        // Trips: Ctrl+Tab to PRZEJAZDY.
        QVERIFY(K::enter(reg));
        TAB_TO("DBGridPojazdy");
        K::press(Qt::CTRL | Qt::Key_Tab);
        QCOMPARE(app->reg().findChild<QTabWidget*>("PageControl1")->currentIndex(), 1);

        // The first trip sets up the route, the purpose and the driver from the lists.
        const int beforeFirst = K::count();
        K::press(Qt::CTRL | Qt::Key_N);
        QCOMPARE(K::focused(), QString("DataPrzejazdu"));
        K::type("02");
        whileShown(*app, "tarlok::TTrasy", [] {
            K::press(Qt::Key_Insert);
            QCOMPARE(K::focused(), QString("DBTrasa"));
            K::type("Kraków - Tarnów");
            K::press(Qt::Key_Tab);
            K::type("80");
            K::press(Qt::ALT | Qt::Key_Z);
            K::press(Qt::ALT | Qt::Key_R);
        });
        K::press(Qt::ALT | Qt::Key_T);
        QVERIFY(K::enter(reg));
        whileShown(*app, "tarlok::TCel_Wyjazdu", [] {
            K::press(Qt::Key_Insert);
            TAB_TO("DBCelWyjazdu");
            K::type("Dostawa");
            K::press(Qt::CTRL | Qt::Key_S);
            K::press(Qt::ALT | Qt::Key_R);
        });
        K::press(Qt::ALT | Qt::Key_C);
        QVERIFY(K::enter(reg));
        K::press(Qt::ALT | Qt::Key_K);
        QVERIFY(K::enter(forms.Kierowcy1));
        TAB_TO("DBGridKierowcy");
        K::press(Qt::Key_Insert);
        K::press(Qt::Key_Right);
        K::type("Jan");
        K::press(Qt::Key_Tab);
        K::type("Kowalski");
        K::press(Qt::Key_Return);
        K::press(Qt::Key_Return);
        QVERIFY(!forms.Kierowcy1->isVisible());
        QVERIFY(K::enter(reg));
        TAB_TO("DBEditStanLicznikaKoncowy");
        K::retype("10080");
        K::press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(K::focused(), QString("DodajPrzejazd"));
        const int fromLists = K::count() - beforeFirst;
        QCOMPARE(app->dialogs.texts(), QStringList());

        // Two more trips from the lists, each row taken with Enter.
        const auto pickRow = [] {
            TAB_TO("DBGrid1");
            K::press(Qt::Key_Return);
        };
        const auto tripFromLists = [&](const QString& day, const QString& reading) {
            K::press(Qt::CTRL | Qt::Key_N);
            K::type(day);
            whileShown(*app, "tarlok::TTrasy", pickRow);
            K::press(Qt::ALT | Qt::Key_T);
            QVERIFY(K::enter(reg));
            whileShown(*app, "tarlok::TCel_Wyjazdu", pickRow);
            K::press(Qt::ALT | Qt::Key_C);
            QVERIFY(K::enter(reg));
            K::press(Qt::ALT | Qt::Key_K);
            QVERIFY(K::enter(forms.Kierowcy1));
            TAB_TO("DBGridKierowcy");
            K::press(Qt::Key_Return);
            QVERIFY(K::enter(reg));
            TAB_TO("DBEditStanLicznikaKoncowy");
            K::retype(reading);
            K::press(Qt::CTRL | Qt::Key_S);
        };
        int before = K::count();
        tripFromLists("06", "10160");
        const int fromListsAgain = K::count() - before;
        tripFromLists("09", "10240");

        // Two trips typed: the date's day, route, purpose, then Tab past "Co podajemy", the rate and
        // the starting reading to the final reading, the driver's names, Ctrl+S.
        const auto typedTrip = [&](const QString& day, const QString& route, const QString& purpose,
                                   const QString& reading) {
            K::press(Qt::CTRL | Qt::Key_N);
            K::type(day);
            K::press(Qt::Key_Tab);
            K::type(route);
            K::press(Qt::Key_Tab);
            K::type(purpose);
            K::press(Qt::Key_Tab, 4);
            QCOMPARE(K::focused(), QString("DBEditStanLicznikaKoncowy"));
            K::type(reading);
            K::press(Qt::Key_Tab);
            K::type("Anna");
            K::press(Qt::Key_Tab);
            K::type("Nowak");
            K::press(Qt::CTRL | Qt::Key_S);
            QCOMPARE(K::focused(), QString("DodajPrzejazd"));
        };
        before = K::count();
        typedTrip("13", "Tarnów - Rzeszów", "Serwis", "10330");
        const int typed = K::count() - before;
        typedTrip("20", "Rzeszów - Kraków", "Powrót", "10490");
        QCOMPARE(app->dialogs.texts(), QStringList());
        qDebug("keys: a trip setting up its lists %d, a trip from the lists %d, a typed trip %d", fromLists,
               fromListsAgain, typed);

        // The trips of May, by hand: the rate above 900 cm³ is 0,8358 zł; each trip runs from where the
        // last one ended, from 10 000.
        struct Trip {
            int day;
            const char* route;
            const char* purpose;
            int start, end;
            double value;
            const char* surname;
        };
        const Trip trips[] = {
            {2, "Kraków - Tarnów", "Dostawa", 10000, 10080, 66.86, "Kowalski"}, // 80 × 0,8358 = 66,864
            {6, "Kraków - Tarnów", "Dostawa", 10080, 10160, 66.86, "Kowalski"},
            {9, "Kraków - Tarnów", "Dostawa", 10160, 10240, 66.86, "Kowalski"},
            {13, "Tarnów - Rzeszów", "Serwis", 10240, 10330, 75.22, "Nowak"},  // 90 × 0,8358 = 75,222
            {20, "Rzeszów - Kraków", "Powrót", 10330, 10490, 133.73, "Nowak"}, // 160 × 0,8358 = 133,728
        };
        const QList<QVariantMap> stored = app->rows("Przejazdy.db");
        QCOMPARE(stored.size(), 5);
        for (int i = 0; i < 5; ++i) {
            const QVariantMap& row = stored[i];
            const Trip& trip = trips[i];
            QCOMPARE(row["Data"].toDate(), QDate(2024, 5, trip.day));
            QCOMPARE(row["Trasa"].toString(), QString::fromUtf8(trip.route));
            QCOMPARE(row["Cel_Wyj"].toString(), QString::fromUtf8(trip.purpose));
            QCOMPARE(row["StanLicznikaPrzed"].toInt(), trip.start);
            QCOMPARE(row["StanLicznikaPo"].toInt(), trip.end);
            QCOMPARE(row["Kilometry"].toInt(), trip.end - trip.start);
            QCOMPARE(row["Wartosc"].toDouble(), trip.value);
            QCOMPARE(row["Nazwisko"].toString(), QString::fromUtf8(trip.surname));
        }

        // Costs: Ctrl+Shift+Tab back to KOSZTY. The kinds come from their list, each set up there with
        // Insert, its name, its VAT rate and (fuel) its box, Ctrl+S, then taken with Alt+R.
        auto* tabs = reg->findChild<QTabWidget*>("PageControl1");
        K::press(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab);
        QCOMPARE(tabs->currentIndex(), 0);
        const auto newKind = [](const QString& name, bool fuel) {
            return [name, fuel] {
                K::press(Qt::Key_Insert);
                TAB_TO("DBWydatek");
                K::type(name);
                TAB_TO("DBComboBoxVat");
                K::type("23");
                if (fuel) {
                    TAB_TO("DBCzyPaliwo");
                    K::press(Qt::Key_Space);
                }
                K::press(Qt::CTRL | Qt::Key_S);
                K::press(Qt::ALT | Qt::Key_R);
            };
        };
        const auto startCost = [&](const QString& day, const QString& document) {
            K::press(Qt::CTRL | Qt::Key_N);
            QCOMPARE(K::focused(), QString("DataKosztu"));
            K::type(day);
            K::press(Qt::Key_Tab);
            K::type(document);
            K::press(Qt::Key_Tab);
        };
        // A car wash with all of its VAT counted: the share chosen with the arrow after the value.
        startCost("03", "FV 12/05");
        whileShown(*app, "tarlok::TJaki_Wydatek", newKind("Myjnia", false));
        K::press(Qt::ALT | Qt::Key_D);
        QVERIFY(K::enter(reg));
        TAB_TO("DBWartoscKosztu");
        K::type("50");
        K::press(Qt::Key_Tab, 2);
        QCOMPARE(K::focused(), QString("RadioGroupVatZaliczony"));
        K::press(Qt::Key_Right);
        K::press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(K::focused(), QString("DodajKoszt"));
        // Fuel with the usual half of its VAT: a new cost starts from "50 %" again.
        startCost("10", "FV 15/05");
        whileShown(*app, "tarlok::TJaki_Wydatek", newKind("Paliwo", true));
        K::press(Qt::ALT | Qt::Key_D);
        QVERIFY(K::enter(reg));
        TAB_TO("DBWartoscKosztu");
        K::type("200");
        TAB_TO("DBIloscPaliwa");
        K::type("40");
        TAB_TO("DBEditStanLicznikaPrzed");
        K::retype("10000");
        K::press(Qt::Key_Tab);
        K::retype("10500");
        K::press(Qt::CTRL | Qt::Key_S);
        // A parking ticket without VAT, its name typed.
        startCost("12", "P/7");
        QCOMPARE(K::focused(), QString("DBNazwaWydatku"));
        K::type("Parking");
        K::press(Qt::Key_Tab);
        K::type("15,50");
        K::press(Qt::CTRL | Qt::Key_S);
        QCOMPARE(app->dialogs.texts(), QStringList());

        // By hand, rate 23 %: the wash 50,00 → VAT 11,50 counted whole: 61,50; the fuel 200,00 → VAT
        // 46,00, half counted: 23,00 + 200,00 = 223,00 with 23,00 not counted, 40 l over 500 km; the
        // parking 15,50 as typed.
        const QList<QVariantMap> stored2 = app->rows("Koszty.db");
        QCOMPARE(stored2.size(), 3);
        QCOMPARE(stored2[0]["Rodzaj_Wyd"].toString(), QString("Myjnia"));
        QCOMPARE(stored2[0]["Data"].toDate(), QDate(2024, 5, 3));
        QCOMPARE(stored2[0]["Nr_Rachunku"].toString(), QString("FV 12/05"));
        QCOMPARE(stored2[0]["VatZaliczonyProcent"].toInt(), 100);
        QCOMPARE(stored2[0]["VatZaliczony"].toDouble(), 11.5);
        QCOMPARE(stored2[0]["VatNieZaliczony"].toDouble(), 0.0);
        QCOMPARE(stored2[0]["Wartosc"].toDouble(), 61.5);
        QCOMPARE(stored2[1]["Rodzaj_Wyd"].toString(), QString("Paliwo"));
        QCOMPARE(stored2[1]["Data"].toDate(), QDate(2024, 5, 10));
        QCOMPARE(stored2[1]["VatZaliczonyProcent"].toInt(), 50);
        QCOMPARE(stored2[1]["VatZaliczony"].toDouble(), 23.0);
        QCOMPARE(stored2[1]["VatNieZaliczony"].toDouble(), 23.0);
        QCOMPARE(stored2[1]["Wartosc"].toDouble(), 223.0);
        QCOMPARE(stored2[1]["WartBrutto"].toDouble(), 246.0);
        QCOMPARE(stored2[1]["IloscPaliwa"].toDouble(), 40.0);
        QCOMPARE(stored2[1]["StanLicznikaPrzed"].toInt(), 10000);
        QCOMPARE(stored2[1]["StanLicznikaPo"].toInt(), 10500);
        QCOMPARE(stored2[2]["Rodzaj_Wyd"].toString(), QString("Parking"));
        QCOMPARE(stored2[2]["Wartosc"].toDouble(), 15.5);
        QVERIFY(stored2[2]["VatZaliczony"].isNull());

        // Another month: "Dodaj nowy okres" adds June, Alt+M and Down show it, Up brings May back.
        whileShown(*app, "tarlok::TNowy_Okres", [] { K::press(Qt::ALT | Qt::Key_W); });
        TAB_TO("NowyOkres");
        K::press(Qt::Key_Space);
        QVERIFY(K::enter(reg));
        K::press(Qt::ALT | Qt::Key_M);
        QCOMPARE(K::focused(), QString("ComboBoxMiesiac"));
        auto* month = reg->findChild<QComboBox*>("ComboBoxMiesiac");
        // The list's place may lag behind the month shown (its text is set apart from it): the arrows
        // until the month shows, as the user does.
        const auto arrowTo = [month](const QString& name) {
            for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up})
                for (int i = 0; i < 3 && month->currentText() != name; ++i)
                    K::press(key);
        };
        arrowTo("Czerwiec");
        QCOMPARE(month->currentText(), QString("Czerwiec"));
        QCOMPARE(reg->findChild<QAbstractItemView*>("DBGridKoszty")->model()->rowCount(), 0);
        QCOMPARE(K::focused(), QString("ComboBoxMiesiac"));
        arrowTo("Maj");
        QCOMPARE(month->currentText(), QString("Maj"));
        QCOMPARE(reg->findChild<QAbstractItemView*>("DBGridKoszty")->model()->rowCount(), 3);

        // The trip register of May to the preview: PRZEJAZDY, "Drukuj".
        TAB_TO("DBGridPojazdy");
        K::press(Qt::CTRL | Qt::Key_Tab);
        TAB_TO("DrukujPrzejazdy");
        K::press(Qt::Key_Space);
        QCOMPARE(app->output.count(), 1);
        QVERIFY(!app->output.last().printed);
        QStringList printed;
        for (const auto& page : app->output.last().document.pages)
            printed += page.readingOrder();
        QCOMPARE(printed.count("Kraków - Tarnów"), 3);
        QCOMPARE(printed.count("Rzeszów - Kraków"), 1);

        // The backup: the main window's "KOPIA", Alt+K, Alt+W.
        QVERIFY(K::enter(menu));
        whileShown(*app, "tarlok::TKopiujProgram", [] {
            K::press(Qt::ALT | Qt::Key_K);
            K::press(Qt::ALT | Qt::Key_W);
        });
        TAB_TO("SpeedButton2");
        K::press(Qt::Key_Space);
        QCOMPARE(app->dialogs.lastText(), QString("KOPIA PROGRAMU WYKONANA PRAWIDŁOWO"));
        const QString copy = paths::resolve(app->drive(), "Tarlok/Archiwum.Poj/15_05_2024");
        QVERIFY(QFileInfo::exists(copy + "/Przejazdy.db"));
        QCOMPARE(QFileInfo(copy + "/Koszty.db").size(), QFileInfo(app->dataFolder() + "/Koszty.db").size());
    }
};

TARLOK_TEST_MAIN(KeysTest)
#include "tst_keys.moc"
