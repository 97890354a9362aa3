// "Import z pliku CSV" of the trips and costs tabs: the file read back (quotes, line ends, the byte-order
// mark), 500 trips of three vehicles over four months with their totals and odometers, a file of bad
// lines refused line by line with nothing stored, duplicates of stored rows, the rules each line passes,
// and an export of a month read back into an empty folder. Sums are worked out in the test from the
// lines it writes, at 0,50 and 0,80 zł/km (exact amounts).
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "common/Csv.h"
#include "register/RegisterImport.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TImportCsv.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TImportCsv.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tarlok;
using namespace tarlok::registerimport;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;

// KR 1 of 1200 cm3 (0,80 zł/km) from 10 000 km, KR 2 of 800 cm3 (0,50 zł/km) from 50 000 km, KR 3 of
// 1600 cm3 from 90 000 km, and KR 9 not in use; January to April 2024 opened; the register on KR 1.
std::unique_ptr<TestApp> firm() {
    auto app = TestApp::started(QDateTime(QDate(2024, 4, 20), QTime(10, 0)));
    app->setRates(0.5, 0.8);
    app->addVehicle(1, "KR 1", 1200, true, {{"StanPoczLIcznika", 10000}});
    app->addVehicle(2, "KR 2", 800, true, {{"StanPoczLIcznika", 50000}});
    app->addVehicle(3, "KR 3", 1600, true, {{"StanPoczLIcznika", 90000}});
    app->addVehicle(9, "KR 9", 1600, false);
    for (int month = 1; month <= 4; ++month)
        app->addPeriod(2024, month);
    app->openRegister();
    app->dialogs.clear();
    return app;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test file");
    return path;
}

// "Import z pliku CSV" of the trips or costs tab on `path`. In the preview `choose` may tick lines,
// then "Importuj" or "Anuluj" is pressed. Gives the preview's lines: number, tick ("x", "-" or ""),
// result.
QList<QStringList> importFile(TestApp& app, bool trips, const QString& path, bool import = true,
                              const std::function<void(TImportCsv&)>& choose = {}) {
    QList<QStringList> shown;
    app.dialogs.answerOpenFileName(path);
    app.dialogs.onModal("tarlok::TImportCsv", [&](QWidget* w) {
        auto& preview = *static_cast<TImportCsv*>(w);
        QTableWidget* grid = preview.ui()->StringGridWiersze;
        for (int r = 0; r < grid->rowCount(); ++r) {
            const QTableWidgetItem* tick = grid->item(r, 1);
            const bool checkable = tick->flags() & Qt::ItemIsUserCheckable;
            const QString mark = tick->data(Qt::CheckStateRole).isNull() ? QString()
                                 : tick->checkState() == Qt::Checked     ? QStringLiteral("x")
                                 : checkable                             ? QStringLiteral("-")
                                                                         : QStringLiteral("?");
            shown.append({grid->item(r, 0)->text(), mark, grid->item(r, 6)->text()});
        }
        if (choose)
            choose(preview);
        QTest::mouseClick(import ? preview.ui()->Importuj : preview.ui()->Anuluj, Qt::LeftButton);
    });
    QPushButton* button = trips ? app.reg().ui()->ImportPrzejazdow : app.reg().ui()->ImportKosztow;
    RegisterDriver(app).chooseTab(trips ? RegisterDriver::Tab::Trips : RegisterDriver::Tab::Costs);
    QTest::mouseClick(button, Qt::LeftButton);
    return shown;
}

// The records as "line:field|field" or "line!error".
QStringList records(const QString& text) {
    QStringList out;
    for (const csv::Record& r : csv::parse(text))
        out.append(r.error.isEmpty() ? QStringLiteral("%1:%2").arg(r.line).arg(r.fields.join('|'))
                                     : QStringLiteral("%1!%2").arg(r.line).arg(r.error));
    return out;
}

struct Generated {
    QByteArray file;
    QMap<QString, qint64> km;      // "vehicle/month" -> kilometres
    QMap<QString, qint64> grosze;  // "vehicle/month" -> value in grosze
    QMap<int, qint64> lastReading; // vehicle -> final reading of its last trip
};

// 500 trips: line i belongs to vehicle KR 1 + i % 3, each vehicle's trips in date order from 1 January
// to 30 April 2024 and on the odometer chain; every fifth line gives the kilometres without the final
// reading, the others both.
Generated fiveHundredTrips() {
    Generated g;
    QList<QStringList> rows{
        {"Nr rejestracyjny", "Data", "Trasa", "Cel wyjazdu", "Km", "Licznik", "Stan licznika pocz."}};
    QMap<int, qint64> reading{{1, 10000}, {2, 50000}, {3, 90000}};
    QMap<int, int> count;
    const QMap<int, qint64> groszePerKm{{1, 80}, {2, 50}, {3, 80}};
    for (int i = 0; i < 500; ++i) {
        const int vehicle = 1 + i % 3;
        const int j = count[vehicle]++;
        const QDate date = QDate(2024, 1, 1).addDays(j * 121 / 167);
        const qint64 km = 10 + (i * 37) % 290;
        const qint64 start = reading[vehicle];
        reading[vehicle] = start + km;
        const QString key = QStringLiteral("%1/%2").arg(vehicle).arg(date.month());
        g.km[key] += km;
        g.grosze[key] += km * groszePerKm[vehicle];
        rows.append({QStringLiteral("KR %1").arg(vehicle), date.toString("d.MM.yyyy"),
                     QStringLiteral("Trasa %1").arg(i), QStringLiteral("Dostawa"), QString::number(km),
                     i % 5 == 4 ? QString() : QString::number(start + km), QString::number(start)});
    }
    g.lastReading = reading;
    g.file = csv::document(rows);
    return g;
}

} // namespace

class ImportTest : public QObject {
    Q_OBJECT

private slots:
    void fileReadBack_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("CR LF") << "a;b\r\nc;d\r\n" << QStringList{"1:a|b", "2:c|d"};
        QTest::newRow("LF, blank lines, empty fields") << "a;;b\n\n;\n" << QStringList{"1:a||b", "3:|"};
        QTest::newRow("quotes") << "\"x;y\";\"he said \"\"hi\"\"\"\n" << QStringList{"1:x;y|he said \"hi\""};
        QTest::newRow("line break in quotes") << "\"a\nb\";c\nd;e" << QStringList{"1:a\nb|c", "3:d|e"};
        QTest::newRow("quote never closed")
            << "a;\"b\nc;d\n"
            << QStringList{"1!cudzysłów otwierający pole nie został zamknięty", "2:c|d"};
        QTest::newRow("text after a closing quote")
            << "\"a\"x;b\nc\n"
            << QStringList{"1!po cudzysłowie zamykającym pole stoi \"x\"", "2:c"};
        QTest::newRow("quote inside a plain field")
            << "a\"b;c\nd\n"
            << QStringList{"1!cudzysłów wewnątrz pola, które nie jest ujęte w cudzysłów", "2:d"};
    }
    void fileReadBack() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(records(text), expected);
    }

    void byteOrderMarkAndEncoding() {
        QCOMPARE(csv::decode("\xEF\xBB\xBF"
                             "Data;Trasa"),
                 std::optional<QString>("Data;Trasa"));
        QCOMPARE(csv::decode("Kraków"), std::optional<QString>(QStringLiteral("Kraków")));
        QCOMPARE(csv::decode("Krak\xF3w"), std::nullopt); // Latin-2, not UTF-8
    }

    // Every month of every vehicle has the totals of its lines, each year its running values, each
    // vehicle the odometer of its last trip; the same file again gives 500 duplicates, one of them
    // stored once ticked.
    void fiveHundredTripsOfThreeVehicles() {
        auto app = firm();
        const Generated g = fiveHundredTrips();
        QTemporaryDir dir;
        const QString path = writeFile(dir, "przejazdy.csv", g.file);
        const QList<QStringList> shown = importFile(*app, true, path);
        QCOMPARE(shown.size(), 500);
        QCOMPARE(shown[0], (QStringList{"2", "x", "poprawny"}));
        QCOMPARE(app->dialogs.texts(), QStringList{"Zaimportowano przejazdów: 500."});

        const QList<QVariantMap> rows = app->rows("Przejazdy.db", "NrKol_Pojazdu_DataInd");
        QCOMPARE(rows.size(), 500);
        QMap<int, qint64> yearKm;
        QMap<int, qint64> yearGrosze;
        for (const QVariantMap& r : rows) {
            const int vehicle = r["NrKol_Pojazdu"].toInt();
            const QString key = QStringLiteral("%1/%2").arg(vehicle).arg(r["Miesiac"].toInt());
            QCOMPARE(r["KilometrySuma"].toLongLong(), g.km[key]);
            QCOMPARE(qRound64(r["WartoscSuma"].toDouble() * 100), g.grosze[key]);
            yearKm[vehicle] += r["Kilometry"].toLongLong();
            yearGrosze[vehicle] += qRound64(r["Wartosc"].toDouble() * 100);
            QCOMPARE(r["Kilometry_NarastajacaRok"].toLongLong(), yearKm[vehicle]);
            QCOMPARE(qRound64(r["Wartosc_NarastajacoRok"].toDouble() * 100), yearGrosze[vehicle]);
            QCOMPARE(r["StanLicznikaPo"].toLongLong() - r["StanLicznikaPrzed"].toLongLong(),
                     r["Kilometry"].toLongLong());
        }
        for (int vehicle = 1; vehicle <= 3; ++vehicle) {
            qint64 km = 0;
            qint64 grosze = 0;
            for (int month = 1; month <= 4; ++month) {
                km += g.km[QStringLiteral("%1/%2").arg(vehicle).arg(month)];
                grosze += g.grosze[QStringLiteral("%1/%2").arg(vehicle).arg(month)];
            }
            QCOMPARE(yearKm[vehicle], km);
            QCOMPARE(yearGrosze[vehicle], grosze);
        }
        for (const QVariantMap& car : app->rows("Pojazdy.db")) {
            const int vehicle = car["NrKol_Pojazdu"].toInt();
            if (vehicle <= 3)
                QCOMPARE(car["StanAktLicznika"].toLongLong(), g.lastReading[vehicle]);
        }

        app->dialogs.clear();
        const QList<QStringList> again = importFile(*app, true, path, true, [](TImportCsv& preview) {
            preview.ui()->StringGridWiersze->item(3, 1)->setCheckState(Qt::Checked);
        });
        QCOMPARE(again[3],
                 (QStringList{"5", "-", "taki przejazd jest już zapisany - zaznacz, aby go dodać"}));
        QCOMPARE(app->dialogs.texts(), QStringList{"Zaimportowano przejazdów: 1."});
        QCOMPARE(app->count("Przejazdy.db"), 501);
    }

    // Each bad line with its number and its reason; a broken quote spoils its line only; "Importuj"
    // then finds nothing to store.
    void badLinesRefusedAndNothingStored() {
        auto app = firm();
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, "zle.csv",
                      "Nr rejestracyjny;Data;Trasa;Cel wyjazdu;Km;Licznik;Stan licznika pocz.\n"
                      "KR 0000X;5.02.2024;Kraków - Tarnów;Dostawa;80;10080;10000\n"
                      "KR 1;6.05.2024;Kraków - Tarnów;Dostawa;80;10080;10000\n"
                      "KR 1;7.02.2024;Kraków - Tarnów;Dostawa;12a;;10000\n"
                      "KR 1;8.02.2024;\"Kraków - Tarnów;Dostawa;80;10080;10000\n"
                      "KR 1;9.02.2024;Kraków - Tarnów;Dostawa;-15;;10000\n"
                      "KR 9;9.02.2024;Kraków - Tarnów;Dostawa;15;;10000\n");
        const QList<QStringList> shown = importFile(*app, true, path);
        const QList<QStringList> expected{
            {"2", "", "Nieznany pojazd \"KR 0000X\" - wprowadź go najpierw w formatce POJAZDY"},
            {"3", "", "Okres Maj 2024 nie jest otwarty - dodaj go przyciskiem \"Dodaj nowy okres\""},
            {"4", "", "Km: \"12a\" nie jest poprawną liczbą całkowitą"},
            {"5", "", "Błąd zapisu pliku: cudzysłów otwierający pole nie został zamknięty"},
            {"6", "", "Ilość km nie może być mniejsza od zera"},
            {"7", "", "Pojazd KR 9 nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów"}};
        QCOMPARE(shown, expected);
        QCOMPARE(app->dialogs.texts(), QStringList{"Brak wierszy do zaimportowania."});
        QCOMPARE(app->count("Przejazdy.db"), 0);
    }

    // The rules a typed trip or cost passes, line by line, without a window.
    void linesCheckedByTheRulesOfATypedRow_data() {
        QTest::addColumn<bool>("trips");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("reason");
        const QString ok;
        QTest::newRow("trip") << true << "KR 1;5.02.2024;A - B;Dostawa;80;10080;10000" << ok;
        QTest::newRow("km from the readings only")
            << true << "KR 1;5.02.2024;A - B;Dostawa;;10080;10000" << ok;
        QTest::newRow("start from the final reading")
            << true << "KR 1;5.02.2024;A - B;Dostawa;80;10080;" << ok;
        QTest::newRow("km beside other readings")
            << true << "KR 1;5.02.2024;A - B;Dostawa;81;10080;10000"
            << "Km (81) nie zgadzają się ze stanami licznika (10000 - 10080)";
        QTest::newRow("final below start") << true << "KR 1;5.02.2024;A - B;Dostawa;;9980;10000"
                                           << "Stan licznika końcowy nie może być mniejszy od początkowego";
        QTest::newRow("no starting reading") << true << "KR 1;5.02.2024;A - B;Dostawa;80;;"
                                             << "Brak stanu licznika w kolumnie \"Stan licznika pocz.\"";
        QTest::newRow("distance beyond limits") << true << "KR 1;5.02.2024;A - B;Dostawa;100000;;10000"
                                                << "Ilość km musi mieścić się w granicach od 0 do 99 999 km";
        QTest::newRow("no purpose") << true << "KR 1;5.02.2024;A - B;;80;;10000"
                                    << "Brak wartości w kolumnie \"Cel wyjazdu\"";
        QTest::newRow("route too long") << true << "KR 1;5.02.2024;" + QString(41, 'x') + ";Dostawa;80;;10000"
                                        << "Trasa: tekst dłuższy niż 40 znaków";
        QTest::newRow("date") << true << "KR 1;31.02.2024;A - B;Dostawa;80;;10000"
                              << "Data: \"31.02.2024\" nie jest poprawną datą";
        // Costs: 100,00 net at 23 %: 23,00 VAT, half of it 11,50 counted, 111,50 in costs.
        QTest::newRow("cost with half the VAT")
            << false << "KR 1;5.02.2024;FV 1;Naprawa;111,50;11,50;23" << ok;
        QTest::newRow("cost without VAT") << false << "KR 1;5.02.2024;FV 1;Parking;-20;;" << ok;
        QTest::newRow("VAT share not a whole percent")
            << false << "KR 1;5.02.2024;FV 1;Naprawa;111,60;11,60;23"
            << "VAT zaliczony 11,60 nie jest całkowitym procentem (od 0 do 100) VAT-u 23% od kwoty netto "
               "100,00";
        QTest::newRow("VAT share above 100")
            << false << "KR 1;5.02.2024;FV 1;Naprawa;130,00;30,00;23"
            << "Procent VAT zaliczonego w koszty musi być liczbą całkowitą od 0 do 100";
        QTest::newRow("counted VAT without a rate") << false << "KR 1;5.02.2024;FV 1;Naprawa;111,50;11,50;"
                                                    << "VAT zaliczony bez stawki VAT w kolumnie \"VAT %\"";
        QTest::newRow("rate without counted VAT") << false << "KR 1;5.02.2024;FV 1;Naprawa;111,50;;23"
                                                  << "Brak VAT-u zaliczonego w kolumnie \"Vat zal.\"";
        QTest::newRow("value zero") << false << "KR 1;5.02.2024;FV 1;Naprawa;0;;"
                                    << "Brak wartości kosztu";
        QTest::newRow("value not a number") << false << "KR 1;5.02.2024;FV 1;Naprawa;12,3,4;;"
                                            << "Wartość: \"12,3,4\" nie jest poprawną liczbą";
    }
    void linesCheckedByTheRulesOfATypedRow() {
        QFETCH(bool, trips);
        QFETCH(QString, line);
        QFETCH(QString, reason);
        Known known;
        known.vehicles = {{1, "KR 1", "Auto1", true, 1200}};
        known.periods = {{2024, 2}};
        known.rateUpTo900 = 0.5;
        known.rateAbove900 = 0.8;
        const QString header =
            trips ? "Nr rejestracyjny;Data;Trasa;Cel wyjazdu;Km;Licznik;Stan licznika pocz."
                  : "Nr rejestracyjny;Data;Nr dokumentu;Rodzaj wydatku;Wartość;Vat zal.;VAT %";
        const Preview preview = check(trips ? What::Trips : What::Costs, header + "\n" + line + "\n", known);
        QCOMPARE(preview.fileError, QString());
        QCOMPARE(int(preview.lines.size()), 1);
        QCOMPARE(preview.lines[0].reason, reason);
        QCOMPARE(preview.lines[0].verdict, reason.isEmpty() ? Verdict::Accepted : Verdict::Refused);
    }

    // A month typed into the register and exported, read back by the import into a new data folder on
    // the register's vehicle: the export of that folder is the same file, so are the sums under the
    // grids.
    void exportedMonthReadBackIntoAnEmptyFolder() {
        auto typed = firm();
        {
            RegisterDriver reg(*typed);
            reg.chooseMonth(QStringLiteral("Marzec"));
            reg.chooseTab(RegisterDriver::Tab::Trips);
            const auto trip = [&](int day, const QString& route, const QString& finalReading) {
                reg.newTrip();
                reg.pickTripDate(QDate(2024, 3, day));
                reg.type(Box::Route, route);
                reg.type(Box::Purpose, QStringLiteral("Spotkanie"));
                reg.type(Box::FinalReading, finalReading);
                reg.type(Box::Surname, QStringLiteral("Wiśniewski"));
                reg.saveTrip();
            };
            trip(4, "Kraków - Łódź", "10151");
            trip(12, "Łódź; \"Manufaktura\"", "10500");
            trip(8, "Łódź - Kraków", "10777");
            reg.chooseTab(RegisterDriver::Tab::Costs);
            const auto cost = [&](int day, const QString& document, const QString& value,
                                  std::optional<int> rate, int counted, bool fuel) {
                reg.newCost();
                reg.pickCostDate(QDate(2024, 3, day));
                reg.type(Box::DocumentNumber, document);
                reg.type(Box::ExpenseName, fuel ? QStringLiteral("Paliwo") : QStringLiteral("Serwis"));
                reg.type(Box::CostValue, value);
                if (rate)
                    typed->data().TableKoszty->setValue("Pom3", *rate);
                if (fuel) {
                    typed->data().TableKoszty->setValue("CzyPaliwo", true);
                    typed->data().TableKoszty->setValue("IloscPaliwa", 41.5);
                }
                reg.chooseVatCounted(counted);
                reg.saveCost();
            };
            cost(3, "FV 1/03", "100", 23, 1, false);
            cost(9, "P 7", "250,40", 23, 2, true);
            cost(21, "KP 3", "35", std::nullopt, 1, false);
            QCOMPARE(typed->dialogs.texts(), QStringList());
        }
        QTemporaryDir dir;
        RegisterDriver(*typed).exportTo(Button::ExportTrips, dir.filePath("p.csv"));
        RegisterDriver(*typed).exportTo(Button::ExportCosts, dir.filePath("k.csv"));
        const QStringList sums = RegisterDriver(*typed).tripSums() + RegisterDriver(*typed).costSums() +
                                 RegisterDriver(*typed).vatSums();

        auto empty = firm();
        RegisterDriver reg(*empty);
        reg.chooseMonth(QStringLiteral("Marzec"));
        importFile(*empty, true, dir.filePath("p.csv"));
        importFile(*empty, false, dir.filePath("k.csv"));
        QCOMPARE(empty->dialogs.texts(),
                 (QStringList{"Zaimportowano przejazdów: 3.", "Zaimportowano kosztów: 3."}));
        reg.exportTo(Button::ExportTrips, dir.filePath("p2.csv"));
        reg.exportTo(Button::ExportCosts, dir.filePath("k2.csv"));
        const auto bytes = [&](const QString& name) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        QCOMPARE(QString::fromUtf8(bytes("p2.csv")), QString::fromUtf8(bytes("p.csv")));
        QCOMPARE(QString::fromUtf8(bytes("k2.csv")), QString::fromUtf8(bytes("k.csv")));
        QCOMPARE(reg.tripSums() + reg.costSums() + reg.vatSums(), sums);
    }
};

TARLOK_TEST_MAIN(ImportTest)

#include "tst_import.moc"
