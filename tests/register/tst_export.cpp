// "Eksport do pliku CSV" of the trips and costs tabs: the file of the month shown, read back as bytes
// and through Python's csv module (as a spreadsheet reads it), and the refusals and the failed write
// that leave no file. Amounts worked out by hand at 0,8358 zł/km.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;
using Lines = QList<QStringList>;

const QString kTripHeader =
    QStringLiteral("Data;Trasa;Cel wyjazdu;Km;Km nar. mc;Wartość;Wart. nar. mc;Km nar. rok;"
                   "Wart. nar. rok;Licznik;Nazwisko kierowcy;Imię kierowcy;"
                   "Stan licznika pocz.;Stawka zł/km");

// A car of 1600 cm3 (KR 1234A) with the initial odometer 10 000, the months April and May 2024;
// `more` seeds rows before the register opens on May.
std::unique_ptr<TestApp> firm(const std::function<void(TestApp&)>& more = {}) {
    auto app = TestApp::started();
    app->setRates(0.5214, 0.8358);
    app->addVehicle(1, "KR 1234A", 1600, true, {{"StanPoczLIcznika", 10000}});
    app->addPeriod(2024, 4);
    app->addPeriod(2024, 5);
    if (more)
        more(*app);
    app->openRegister();
    app->dialogs.clear();
    return app;
}

// Three trips of May saved through the tab, the third dated between the first two:
//   6.05 10 000-10 151: 151 km, 126,21 zł (126,2058), driven by Paweł Wiśniewski
//   8.05 10 151-10 500: 349 km, 291,69 zł (291,6942)
//   7.05 10 500-10 520:  20 km,  16,72 zł (16,716)
// In the grid's order (by date) the running values are 151, 171, 520 km and 126,21, 142,93, 434,62 zł,
// the same for the year (nothing before May).
void enterMay(TestApp& app) {
    RegisterDriver reg(app);
    reg.chooseTab(RegisterDriver::Tab::Trips);
    const auto enter = [&](const QDate& date, const QString& route, const QString& finalReading,
                           bool driver) {
        reg.newTrip();
        reg.pickTripDate(date);
        reg.type(Box::Route, route);
        reg.type(Box::Purpose, QStringLiteral("Spotkanie z klientem"));
        reg.type(Box::FinalReading, finalReading);
        if (driver) {
            reg.type(Box::FirstName, QStringLiteral("Paweł"));
            reg.type(Box::Surname, QStringLiteral("Wiśniewski"));
        }
        reg.saveTrip();
    };
    enter(QDate(2024, 5, 6), QStringLiteral("Kraków - Łódź"), "10151", true);
    enter(QDate(2024, 5, 8), QStringLiteral("Łódź - Gdańsk"), "10500", false);
    enter(QDate(2024, 5, 7), QStringLiteral("Gdańsk; port \"Północny\""), "10520", false);
    QCOMPARE(app.dialogs.texts(), QStringList());
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file as Python's csv module reads it with the semicolon as delimiter.
Lines readByPython(const QString& path) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("python3")),
                  {"-c",
                   "import csv, json, sys\n"
                   "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                   "    sys.stdout.buffer.write(json.dumps(list(csv.reader(f, delimiter=';'))).encode())\n",
                   path});
    process.waitForFinished(-1);
    Lines lines;
    for (const QJsonValue& row : QJsonDocument::fromJson(process.readAllStandardOutput()).array()) {
        QStringList line;
        for (const QJsonValue& field : row.toArray())
            line.append(field.toString());
        lines.append(line);
    }
    return lines;
}

} // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    // The month's trips in the grid's order: the byte-order mark, one header line and a line per trip,
    // each ended by CR LF; a route with a semicolon and quotes enclosed in quotes; read back by Python
    // to the same values, Polish letters and "126,21" included.
    void theTripsOfTheMonth() {
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
        auto app = firm();
        enterMay(*app);
        QTemporaryDir dir;
        const QString path = dir.filePath("przejazdy.csv");
        RegisterDriver(*app).exportTo(Button::ExportTrips, path);
        QCOMPARE(app->dialogs.texts(), QStringList());
        const auto& asked = app->dialogs.saveRequests().last();
        QCOMPARE(asked.caption, QStringLiteral("Eksport do pliku CSV"));
        QCOMPARE(asked.filter, QStringLiteral("Pliki CSV (*.csv)"));
        QCOMPARE(QFileInfo(asked.suggestedName).fileName(), QStringLiteral("Przejazdy_KR_1234A_2024_05.csv"));

        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(bytes.mid(3)).split("\r\n");
        QCOMPARE(lines.size(), 5); // four lines, each ended by CR LF
        QCOMPARE(lines[0], kTripHeader);
        QCOMPARE(lines[1],
                 QStringLiteral("6.05.2024;Kraków - Łódź;Spotkanie z klientem;151;151;126,21;126,21;"
                                "151;126,21;10151;Wiśniewski;Paweł;10000;0,8358"));
        QVERIFY2(lines[2].startsWith(QStringLiteral("7.05.2024;\"Gdańsk; port \"\"Północny\"\"\";")),
                 qPrintable(lines[2]));

        const Lines expected{kTripHeader.split(';'),
                             {"6.05.2024", "Kraków - Łódź", "Spotkanie z klientem", "151", "151", "126,21",
                              "126,21", "151", "126,21", "10151", "Wiśniewski", "Paweł", "10000", "0,8358"},
                             {"7.05.2024", "Gdańsk; port \"Północny\"", "Spotkanie z klientem", "20", "171",
                              "16,72", "142,93", "171", "142,93", "10520", "", "", "10500", "0,8358"},
                             {"8.05.2024", "Łódź - Gdańsk", "Spotkanie z klientem", "349", "520", "291,69",
                              "434,62", "520", "434,62", "10500", "", "", "10151", "0,8358"}};
        QCOMPARE(readByPython(path), expected);
    }

    // The costs of the month: the grid's columns, then the VAT split of the document (net 100 with
    // 23 % VAT, half of it counted: 111,50 in costs, 11,50 counted and 11,50 not, 123,00 gross); a fuel
    // cost without VAT leaves those fields empty.
    void theCostsOfTheMonth() {
        auto app = firm([](TestApp& a) {
            a.seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                                 {"Rok", 2024},
                                 {"Miesiac", 5},
                                 {"Data", QDate(2024, 5, 9)},
                                 {"Nr_Rachunku", "FV 12/2024"},
                                 {"Rodzaj_Wyd", QStringLiteral("Naprawa sprzęgła")},
                                 {"Wartosc", 111.5},
                                 {"Pom2", 11.5},
                                 {"Pom3", 23},
                                 {"WartBrutto", 123.0},
                                 {"VatWartosc", 23.0},
                                 {"VatNieZaliczony", 11.5}});
            a.seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                                 {"Rok", 2024},
                                 {"Miesiac", 5},
                                 {"Data", QDate(2024, 5, 2)},
                                 {"Nr_Rachunku", "P 7"},
                                 {"Rodzaj_Wyd", QStringLiteral("Olej napędowy")},
                                 {"Wartosc", 250.0},
                                 {"CzyPaliwo", true},
                                 {"IloscPaliwa", 40.5}});
        });
        QTemporaryDir dir;
        RegisterDriver(*app).exportTo(Button::ExportCosts, dir.filePath("koszty.csv"));
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(QString::fromUtf8(readAll(dir.filePath("koszty.csv")).mid(3)).split("\r\n"),
                 (QStringList{"Data;Nr dokumentu;Rodzaj wydatku;Wartość;Vat zal.;Wart.nar.mc;Wart.nar.rok;"
                              "Paliwo il.;Paliwo sum.;Wartość brutto;VAT %;VAT;VAT niezaliczony",
                              "2.05.2024;P 7;Olej napędowy;250,00;;;;40,5;;;;;",
                              "9.05.2024;FV 12/2024;Naprawa sprzęgła;111,50;11,50;;;;;123,00;23;23,00;11,50",
                              ""}));
    }

    // A month without trips: the user is told and no file is asked for. A file that cannot be written
    // (its folder is an ordinary file, which stops every user, root too): a Polish message, and no
    // file nor any temporary one left behind.
    void nothingWrittenAndAFailedWrite() {
        auto app = firm();
        enterMay(*app);
        RegisterDriver reg(*app);
        reg.chooseMonth(QStringLiteral("Kwiecień"));
        reg.press(Button::ExportTrips);
        QCOMPARE(app->dialogs.saveRequests().size(), 0);
        QCOMPARE(app->dialogs.texts(),
                 QStringList{"Brak przejazdów pojazdu w wybranym okresie - nie ma czego zapisać."});
        QCOMPARE(app->dialogs.last().caption, QStringLiteral("Informacja"));

        reg.chooseMonth(QStringLiteral("Maj"));
        app->dialogs.clear();
        QTemporaryDir dir;
        QFile plain(dir.filePath("dokumenty"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("nie folder");
        plain.close();
        const QString path = dir.filePath("dokumenty/przejazdy.csv");
        reg.exportTo(Button::ExportTrips, path);
        QCOMPARE(
            app->dialogs.texts(),
            QStringList{QStringLiteral("Nie można zapisać pliku \"%1\" - sprawdź, czy folder istnieje i czy "
                                       "masz w nim prawo zapisu.")
                            .arg(QDir::toNativeSeparators(path))});
        QCOMPARE(app->dialogs.last().caption, QStringLiteral("Błąd"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"dokumenty"});
        QCOMPARE(readAll(plain.fileName()), QByteArray("nie folder"));

        // A trip being typed: neither the export nor the odometer check runs over it.
        app->dialogs.clear();
        reg.newTrip();
        reg.type(Box::Route, QStringLiteral("Kraków - Wieliczka"));
        const QString held =
            QStringLiteral("Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem "
                           "\"Zapisz\" albo anuluj przyciskiem \"Anuluj\".");
        reg.press(Button::ExportTrips);
        reg.press(Button::CheckOdometer);
        QCOMPARE(app->dialogs.texts(), (QStringList{held, held}));
        QCOMPARE(app->dialogs.saveRequests().size(), 1); // only the failed write's
    }
};

TARLOK_TEST_MAIN(ExportTest)
#include "tst_export.moc"
