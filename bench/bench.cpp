// The benchmark: times the user's actions on a large data folder, driving the real windows offscreen
// through their handlers, beside a baseline measured in the same run. Prints one line per action:
// the median of several runs, the baseline and their ratio. Never run by the tests.
//
//   tarlok_bench [folder]     (default: $TMPDIR/tarlok-bench; generated on first use)
#include "Generator.h"

#include "app/Application.h"
#include "app/TMeniProgramu.h"
#include "archive/FileCopy.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "common/Csv.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "common/Paths.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "lumpsum/TRyczaltEwidencja.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "register/CostsTab.h"
#include "register/RegisterImport.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TImportCsv.h"
#include "register/TripsTab.h"
#include "reports/engine/Output.h"
#include "reports/engine/Painter.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TImportCsv.h"
#include "ui_TKopiujProgram.h"
#include "ui_TOdtwarzanieDanych.h"
#include "ui_TRyczaltEwidencja.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QPrinter>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <sqlite3.h>
#include <unistd.h>
#include <vector>

using namespace tarlok;

namespace {

constexpr int kRuns = 7;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of one run of `action`, `setup` run before each (not timed).
double timeMs(const std::function<void()>& action, const std::function<void()>& setup = {}) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        if (setup)
            setup();
        QElapsedTimer timer;
        timer.start();
        action();
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(runs);
}

void printFigure(const char* action, double ms, double baseline) {
    QTextStream out(stdout);
    out << QStringLiteral("%1 %2 ms   baseline %3 ms   ratio %4\n")
               .arg(QString::fromLatin1(action), -34)
               .arg(ms, 8, 'f', 2)
               .arg(baseline, 8, 'f', 2)
               .arg(baseline > 0 ? ms / baseline : 0.0, 6, 'f', 1);
    out.flush();
}

// Plain SQLite on one table file: the baseline of the same reads and writes.
class Plain {
public:
    explicit Plain(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        exec("PRAGMA journal_mode=DELETE");
        exec("PRAGMA synchronous=FULL");
    }
    ~Plain() { sqlite3_close(m_db); }
    void exec(const char* sql) { sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }
    // Reads every column of every row the statement returns.
    int read(const QString& sql) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr);
        int rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                (void)sqlite3_column_text(st, c);
            ++rows;
        }
        sqlite3_finalize(st);
        return rows;
    }
    // Updates one column of each row by rowid, the way a pass writes.
    void update(const QString& table, const QString& field, const std::vector<qint64>& rowids) {
        sqlite3_stmt* st = nullptr;
        const QString sql = QStringLiteral("UPDATE \"%1\" SET \"%2\" = ? WHERE rowid = ?").arg(table, field);
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr);
        for (qint64 id : rowids) {
            sqlite3_bind_double(st, 1, double(id));
            sqlite3_bind_int64(st, 2, id);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
    }
    std::vector<qint64> rowids(const QString& sql) {
        std::vector<qint64> out;
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            out.push_back(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        return out;
    }

private:
    sqlite3* m_db = nullptr;
};

double processMs(const QString& program, const QStringList& arguments) {
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        QProcess process;
        QElapsedTimer timer;
        timer.start();
        process.start(program, arguments);
        process.waitForFinished(60000);
        runs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(runs);
}

// The preview as the user sees it: every page of the report painted on a screen-sized image.
class PaintingOutput final : public report::Output {
public:
    QPrinter& printer() override {
        if (!m_printer)
            m_printer = std::make_unique<QPrinter>();
        return *m_printer;
    }
    bool print(const report::Document& document) override {
        paintPages(document);
        return true;
    }
    void preview(const report::Document& document, const report::PreviewOptions&) override {
        paintPages(document);
    }
    int pages = 0;
    // Set from TARLOK_BENCH_PAGES: every page is also written as an image (and timed with it).
    QString dumpFolder;
    QString dumpPrefix;

private:
    static QImage blankSheet() {
        QImage sheet(794, 1123, QImage::Format_RGB32); // A4 at 96 dpi
        sheet.setDotsPerMeterX(3780);
        sheet.setDotsPerMeterY(3780);
        sheet.fill(Qt::white);
        return sheet;
    }
    void paintPages(const report::Document& document) {
        QImage sheet = blankSheet();
        report::paint(document, sheet);
        pages = document.pageCount();
        if (!dumpFolder.isEmpty())
            dump(document);
    }
    // Each page on a sheet of its own, as "<prefix>-<page>.png" (pages compared between two builds).
    void dump(const report::Document& document) const {
        QDir().mkpath(dumpFolder);
        for (qsizetype i = 0; i < document.pages.size(); ++i) {
            report::Document one = document;
            one.pages = {document.pages[i]};
            QImage sheet = blankSheet();
            report::paint(one, sheet);
            sheet.save(QStringLiteral("%1/%2-%3.png")
                           .arg(dumpFolder, dumpPrefix)
                           .arg(i + 1, 2, 10, QLatin1Char('0')));
        }
    }

    std::unique_ptr<QPrinter> m_printer;
};

// A plain copy of every file of a folder, made durable as the backup makes its copies: each file
// forced onto the disk (fsync) and closed, then the target folder's entries.
void plainDurableCopy(const QString& from, const QString& to) {
    QDir().mkpath(to);
    std::vector<char> buffer(1024 * 1024);
    for (const QFileInfo& file : QDir(from).entryInfoList(QDir::Files)) {
        const int in = ::open(QFile::encodeName(file.filePath()).constData(), O_RDONLY);
        const int out = ::open(QFile::encodeName(to + QLatin1Char('/') + file.fileName()).constData(),
                               O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (ssize_t n; (n = ::read(in, buffer.data(), buffer.size())) > 0;)
            (void)!::write(out, buffer.data(), size_t(n));
        ::fsync(out);
        ::close(out);
        ::close(in);
    }
    const int dir = ::open(QFile::encodeName(to).constData(), O_RDONLY | O_DIRECTORY);
    ::fsync(dir);
    ::close(dir);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    const QString drive =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath() + QStringLiteral("/tarlok-bench");
    bench::GeneratorOptions options;
    const QString marker = drive + QStringLiteral("/generated");
    if (!QFile::exists(marker)) {
        QDir(drive).removeRecursively();
        QDir().mkpath(drive);
        QTextStream(stdout) << "Generating the data folder in " << drive << " ...\n";
        QElapsedTimer timer;
        timer.start();
        bench::generate(drive, options);
        QFile(marker).open(QIODevice::WriteOnly);
        QTextStream(stdout) << "  done in " << timer.elapsed() / 1000.0 << " s\n";
    }
    const QString folder = paths::resolve(drive, QString::fromLatin1(paths::kDataFolder));
    const QString dir = QCoreApplication::applicationDirPath();
    QTextStream(stdout) << "Medians of " << kRuns << " runs; " << options.vehicles << " vehicles, "
                        << options.years << " years, " << options.tripsPerMonth << " trips and "
                        << options.costsPerMonth << " costs a vehicle a month.\n";

    // Start-up to the main window shown, against a bare Qt window shown by a program beside it.
    const double bareWindow = processMs(dir + QStringLiteral("/bench_bare_window"), {});
    printFigure("start-up to the main window", processMs(dir + QStringLiteral("/bench_startup"), {drive}),
                bareWindow);
    // What any window with a caption adds to the bare one: the fonts loaded for its first text.
    printFigure("  a bare window with one text",
                processMs(dir + QStringLiteral("/bench_bare_window"), {"text"}), bareWindow);

    FixedClock clock(QDateTime(bench::benchDay(options), QTime(10, 0)));
    ScriptedDialogs dialogs;
    RecordingHelp help;
    RecordingShell shell;
    Database database;
    AppContext context{clock, dialogs, help, shell, database, drive, {}};
    PaintingOutput output;
    context.output = &output;
    Application program(context);
    program.start();
    Forms& forms = program.forms();
    TEwidencja_przejazdow& reg = *forms.Ewidencja_przejazdow;
    auto* ui = reg.ui();
    Plain trips(folder + QStringLiteral("/Przejazdy.db"));
    Plain costs(folder + QStringLiteral("/Koszty.db"));
    Plain others(folder + QStringLiteral("/Pojazdy.db"));
    // The register shows one year of the vehicle: the baseline reads that year's trips and costs.
    const QString tripRows = QStringLiteral(
        "SELECT * FROM Przejazdy WHERE NrKol_Pojazdu = %1 AND Rok = %2 ORDER BY NrKol_Pojazdu, Data");
    const QString costRows = QStringLiteral(
        "SELECT * FROM Koszty WHERE NrKol_Pojazdu = %1 AND Rok = %2 ORDER BY NrKol_Pojazdu, Data");
    auto readVehicle = [&](int v) {
        trips.read(tripRows.arg(v).arg(options.lastYear));
        costs.read(costRows.arg(v).arg(options.lastYear));
    };

    // Opening the register on the newest period.
    const double open = timeMs([&] { forms.MeniProgramu->SpeedEwidencjaClick(); }, [&] { reg.close(); });
    const double openBase = timeMs([&] {
        others.read(QStringLiteral("SELECT * FROM Pojazdy"));
        readVehicle(1);
    });
    printFigure("opening the register", open, openBase);

    // Switching the vehicle: a click on another row of the vehicle grid.
    int row = 0;
    const double vehicle = timeMs([&] {
        row = (row + 1) % 2;
        forms.context.data().TablePojazdy->moveTo(row);
        reg.DBGridPojazdyCellClick();
    });
    printFigure("switching vehicle", vehicle, timeMs([&] { readVehicle(2); }));

    // Switching the month on the trips tab.
    ui->PageControl1->setCurrentWidget(ui->Przejazdy);
    int month = 12;
    const double monthSwitch = timeMs([&] {
        month = month == 12 ? 11 : 12;
        ui->ComboBoxMiesiac->setEditText(months::name(month));
        reg.ComboBoxMiesiacClick();
    });
    printFigure("switching month", monthSwitch, timeMs([&] { readVehicle(1); }));
    ui->ComboBoxMiesiac->setEditText(months::name(12));
    reg.ComboBoxMiesiacClick();
    forms.context.data().TablePojazdy->moveTo(0);
    reg.DBGridPojazdyCellClick();
    const int vehicleNumber =
        int(forms.context.data().TablePojazdy->asInteger(QStringLiteral("NrKol_Pojazdu")));

    // The same row writes by plain SQLite in one transaction: the new row, the month pass, the year
    // pass and the vehicle's odometer.
    const std::vector<qint64> monthTrips = trips.rowids(
        QStringLiteral("SELECT rowid FROM Przejazdy WHERE NrKol_Pojazdu = %1 AND Rok = %2 AND Miesiac = 12")
            .arg(vehicleNumber)
            .arg(options.lastYear));
    const std::vector<qint64> yearTrips =
        trips.rowids(QStringLiteral("SELECT rowid FROM Przejazdy WHERE NrKol_Pojazdu = %1 AND Rok = %2")
                         .arg(vehicleNumber)
                         .arg(options.lastYear));
    auto tripWrites = [&](bool insert) {
        trips.exec("BEGIN IMMEDIATE");
        if (insert)
            trips.exec("INSERT INTO Przejazdy (NrKol_Pojazdu, Rok, Miesiac, Data, Trasa) VALUES (1, 2024, "
                       "12, '2024-12-20', 'x')");
        else
            trips.exec("DELETE FROM Przejazdy WHERE rowid = (SELECT max(rowid) FROM Przejazdy)");
        trips.update("Przejazdy", "Wartosc_Narastajaco", monthTrips);
        trips.update("Przejazdy", "WartoscSuma", monthTrips);
        trips.update("Przejazdy", "Wartosc_NarastajacoRok", yearTrips);
        trips.exec("COMMIT");
        // The odometer moves by the trip, as the save moves it: an update that changes nothing would be
        // skipped by SQLite and cost no durable commit.
        others.exec(
            insert ? "UPDATE Pojazdy SET StanAktLicznika = StanAktLicznika + 150 WHERE NrKol_Pojazdu = 1"
                   : "UPDATE Pojazdy SET StanAktLicznika = StanAktLicznika - 150 WHERE NrKol_Pojazdu = 1");
    };

    // Saving a trip in a full month.
    qint64 odometer = 900000;
    const double tripSave =
        timeMs([&] { reg.trips().ZapiszPrzejazdClick(); },
               [&] {
                   reg.trips().DodajPrzejazdClick();
                   ui->DataPrzejazdu->setDate(QDate(options.lastYear, 12, 20));
                   ui->DBTrasa->setTextSilently(QStringLiteral("Kraków - Tarnów"));
                   ui->DBTrasa->updateRecord();
                   ui->DBCelWyjazdu->setTextSilently(QStringLiteral("Spotkanie"));
                   ui->DBCelWyjazdu->updateRecord();
                   ui->DBEditStanLIcznikaPoczatkowy->setTextSilently(QString::number(odometer));
                   ui->DBEditStanLIcznikaPoczatkowy->updateRecord();
                   odometer += 150;
                   ui->DBEditStanLicznikaKoncowy->setTextSilently(QString::number(odometer));
                   ui->DBEditStanLicznikaKoncowy->updateRecord();
               });
    printFigure("saving a trip in a full month", tripSave, timeMs([&] { tripWrites(true); }));

    // Deleting a trip of a full month.
    const double tripDelete = timeMs([&] {
        dialogs.answerYes();
        reg.trips().UsunPrzejazdClick();
    });
    printFigure("deleting a trip", tripDelete, timeMs([&] { tripWrites(false); }));

    // Importing 500 trips of three vehicles over four months from a CSV file: read, checked, previewed
    // and stored with the passes of their year and the odometers ("Import z pliku CSV", "Importuj"),
    // beside plain SQLite writing the same rows, rewriting those vehicles' year and their odometers in
    // one transaction. The rows are deleted again before each run and at the end (not timed).
    {
        const QString file = drive + QStringLiteral("/import-500.csv");
        QList<QStringList> lines{{QStringLiteral("Nr rejestracyjny"), QStringLiteral("Data"),
                                  QStringLiteral("Trasa"), QStringLiteral("Cel wyjazdu"),
                                  QStringLiteral("Km"), QStringLiteral("Stan licznika pocz.")}};
        QStringList inserts;
        qint64 reading[4] = {0, 5100000, 5200000, 5300000};
        int count[4] = {0, 0, 0, 0};
        for (int i = 0; i < 500; ++i) {
            const int v = 1 + i % 3;
            const QDate date = QDate(options.lastYear, 1, 1).addDays(count[v]++ * 120 / 167);
            const qint64 km = 10 + (i * 37) % 290;
            lines.append({QStringLiteral("KR %1").arg(10000 + v), numbers::shortDate(date),
                          QStringLiteral("Import %1").arg(i), QStringLiteral("Dostawa"), QString::number(km),
                          QString::number(reading[v])});
            inserts.append(
                QStringLiteral("INSERT INTO Przejazdy (NrKol_Pojazdu, Rok, Miesiac, Data, Trasa, "
                               "Cel_Wyj, Kilometry, StanLicznikaPrzed, StanLicznikaPo, Stawka, Wartosc) "
                               "VALUES (%1, %2, %3, '%4', 'Import %5', 'Dostawa', %6, %7, %8, 0.8358, %9)")
                    .arg(v)
                    .arg(date.year())
                    .arg(date.month())
                    .arg(date.toString(Qt::ISODate))
                    .arg(i)
                    .arg(km)
                    .arg(reading[v])
                    .arg(reading[v] + km)
                    .arg(0.8358 * double(km), 0, 'f', 2));
            reading[v] += km;
        }
        csv::write(file, csv::document(lines));
        const auto removeImported = [&] {
            trips.exec("DELETE FROM Przejazdy WHERE Trasa LIKE 'Import %'");
        };
        const double import500 =
            timeMs([&] { ui->ImportPrzejazdow->click(); },
                   [&] {
                       removeImported();
                       dialogs.answerOpenFileName(file);
                       dialogs.onModal(QStringLiteral("tarlok::TImportCsv"),
                                       [&](QWidget*) { forms.ImportCsv->ui()->Importuj->click(); });
                   });
        const QString imported = dialogs.lastText();
        std::vector<qint64> yearRows;
        for (int v = 1; v <= 3; ++v) {
            const auto ids = trips.rowids(
                QStringLiteral("SELECT rowid FROM Przejazdy WHERE NrKol_Pojazdu = %1 AND Rok = %2")
                    .arg(v)
                    .arg(options.lastYear));
            yearRows.insert(yearRows.end(), ids.begin(), ids.end());
        }
        const double import500Base = timeMs(
            [&] {
                trips.exec("BEGIN IMMEDIATE");
                for (const QString& insert : inserts)
                    trips.exec(insert.toUtf8().constData());
                for (const char* field :
                     {"Kilometry_Narastajaca", "Wartosc_Narastajaco", "KilometrySuma", "WartoscSuma",
                      "Kilometry_NarastajacaRok", "Wartosc_NarastajacoRok"})
                    trips.update(QStringLiteral("Przejazdy"), QString::fromLatin1(field), yearRows);
                trips.exec("COMMIT");
                others.exec("BEGIN IMMEDIATE");
                others.exec("UPDATE Pojazdy SET StanAktLicznika = StanAktLicznika + 1 WHERE NrKol_Pojazdu IN "
                            "(1, 2, 3)");
                others.exec("COMMIT");
            },
            removeImported);
        printFigure("importing 500 trips from CSV", import500, import500Base);
        QTextStream(stdout) << "  (" << imported << ")\n";
        // The folder as before: the rows gone, the year's totals and the odometers of the three vehicles
        // computed again.
        removeImported();
        Table writer(database);
        writer.setDatabaseName(folder);
        writer.setTableName(tables::przejazdy().fileName());
        writer.open();
        {
            Transaction tx(writer);
            for (int v = 1; v <= 3; ++v)
                reg.trips().recomputeTripsOfYear(v, options.lastYear);
            tx.commit();
        }
        registerimport::updateOdometers(database, {1, 2, 3});
        dialogs.clear();
    }

    // Saving a cost in a full month.
    ui->PageControl1->setCurrentWidget(ui->Koszty);
    const std::vector<qint64> monthCosts = costs.rowids(
        QStringLiteral("SELECT rowid FROM Koszty WHERE NrKol_Pojazdu = %1 AND Rok = %2 AND Miesiac = 12")
            .arg(vehicleNumber)
            .arg(options.lastYear));
    const std::vector<qint64> yearCosts =
        costs.rowids(QStringLiteral("SELECT rowid FROM Koszty WHERE NrKol_Pojazdu = %1 AND Rok = %2")
                         .arg(vehicleNumber)
                         .arg(options.lastYear));
    int document = 0;
    const double costSave =
        timeMs([&] { reg.costs().ZapiszKosztClick(); },
               [&] {
                   reg.costs().DodajKosztClick();
                   ui->DataKosztu->setDate(QDate(options.lastYear, 12, 20));
                   ui->DBNrDokKosztu->setTextSilently(QStringLiteral("BENCH %1").arg(++document));
                   ui->DBNrDokKosztu->updateRecord();
                   ui->DBNazwaWydatku->setTextSilently(QStringLiteral("Serwis"));
                   ui->DBNazwaWydatku->updateRecord();
                   ui->DBWartoscKosztu->setTextSilently(QStringLiteral("123,45"));
                   ui->DBWartoscKosztu->updateRecord();
                   forms.context.data().TableKoszty->setValue(QStringLiteral("Pom3"), 23);
               });
    printFigure(
        "saving a cost in a full month", costSave, timeMs([&] {
            costs.exec("BEGIN IMMEDIATE");
            costs.exec(
                "INSERT INTO Koszty (NrKol_Pojazdu, Rok, Miesiac, Data) VALUES (1, 2024, 12, '2024-12-20')");
            costs.update("Koszty", "Wartosc_Narastajaca", monthCosts);
            costs.update("Koszty", "WartoscSuma", monthCosts);
            costs.update("Koszty", "SumaWartPaliwo", monthCosts);
            costs.update("Koszty", "Wartosc_NarastajacaRok", yearCosts);
            costs.exec("COMMIT");
        }));
    // The costs saved above deleted again through the register (not timed), their year computed again:
    // every run starts from the same month.
    Table& costTable = *forms.context.data().TableKoszty;
    for (int d = 1; d <= document; ++d) {
        if (costTable.locate(fields::koszty::Nr_Rachunku, {QStringLiteral("BENCH %1").arg(d)})) {
            dialogs.answerYes();
            reg.costs().UsunKosztClick();
        }
    }

    // Entering the summary tab: the twelve months of the vehicle's newest year, beside plain SQLite
    // reading the same month rows.
    const double summaryTab = timeMs([&] { ui->PageControl1->setCurrentWidget(ui->Zestawienia); },
                                     [&] { ui->PageControl1->setCurrentWidget(ui->Koszty); });
    ui->PageControl1->setCurrentWidget(ui->Koszty);
    printFigure(
        "entering the summary tab", summaryTab, timeMs([&] {
            const QString yearRows = QStringLiteral("SELECT * FROM %1 WHERE NrKol_Pojazdu = %2 AND Rok = "
                                                    "%3 ORDER BY Miesiac, Data");
            trips.read(yearRows.arg(QStringLiteral("Przejazdy")).arg(vehicleNumber).arg(options.lastYear));
            costs.read(yearRows.arg(QStringLiteral("Koszty")).arg(vehicleNumber).arg(options.lastYear));
        }));

    // The trip register printed from the trips tab to its preview painted: a month of 200 trips, and
    // the whole year ("Wszystko"), beside plain SQLite reading the same rows.
    const int year = bench::benchDay(options).year();
    // November gets trips up to 200 (once: the data folder keeps them for the next run).
    const int november = trips.read(
        QStringLiteral("SELECT * FROM Przejazdy WHERE NrKol_Pojazdu = 1 AND Rok = %1 AND Miesiac = 11")
            .arg(year));
    trips.exec("BEGIN IMMEDIATE");
    for (int i = november; i < 200; ++i)
        trips.exec(
            QStringLiteral("INSERT INTO Przejazdy (NrKol_Pojazdu, Rok, Miesiac, Data, Trasa, Cel_Wyj, "
                           "Kilometry, Stawka, Wartosc) VALUES (1, %1, 11, '%1-11-%2', 'Kraków - Tarnów', "
                           "'Dostawa', 84, 0.8358, 70.21)")
                .arg(year)
                .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                .toUtf8()
                .constData());
    trips.exec("COMMIT");
    reg.close(); // opened again, the register reads the rows written beside it
    forms.MeniProgramu->SpeedEwidencjaClick();
    ui->PageControl1->setCurrentWidget(ui->Przejazdy);
    forms.context.data().TablePojazdy->moveTo(0);
    reg.DBGridPojazdyCellClick();
    auto printTrips = [&](int printed) {
        ui->ComboBoxMiesiac->setEditText(printed == 0 ? months::kAll : months::name(printed));
        reg.ComboBoxMiesiacClick();
        return timeMs([&] { reg.DrukujPrzejazdyClick(); });
    };
    output.dumpFolder = qEnvironmentVariable("TARLOK_BENCH_PAGES");
    output.dumpPrefix = QStringLiteral("month");
    const double monthReport = printTrips(11);
    const int monthPages = output.pages;
    printFigure("trip register, 200-trip month", monthReport, timeMs([&] {
                    trips.read(QStringLiteral("SELECT * FROM Przejazdy WHERE NrKol_Pojazdu = 1 AND Rok = %1 "
                                              "AND Miesiac = 11 ORDER BY Data")
                                   .arg(year));
                }));
    output.dumpPrefix = QStringLiteral("year");
    const double yearReport = printTrips(0);
    output.dumpFolder.clear();
    printFigure("trip register, whole year", yearReport, timeMs([&] {
                    trips.read(QStringLiteral("SELECT * FROM Przejazdy WHERE NrKol_Pojazdu = 1 AND Rok = %1 "
                                              "ORDER BY Data")
                                   .arg(year));
                }));
    QTextStream(stdout) << "  (" << monthPages << " pages for the month, " << output.pages
                        << " for the year)\n";

    // The deadlines window ("TERMINY"): opened on a vehicle with ten years of rows, and a vehicle chosen
    // in it, each painted once; beside plain SQLite reading the vehicles and that vehicle's deadlines.
    {
        Plain deadlines(folder + QStringLiteral("/Terminy.db"));
        if (deadlines.read(QStringLiteral("SELECT NrKol FROM Terminy")) == 0)
            bench::generateDeadlines(drive, options); // a folder generated before it had them
        reg.close(); // the register's trips and costs would otherwise follow every vehicle chosen
        TOpcjeDlaTerminow& terminy = *forms.OpcjeDlaTerminow;
        dialogs.setCloseModalWindows(false);
        const QString vehicleRows =
            QStringLiteral("SELECT * FROM Terminy WHERE NrKol_Pojazdu = %1 ORDER BY NrKol_Pojazdu, Rok");
        const double openDeadlines = timeMs(
            [&] {
                terminy.openMain();
                QApplication::processEvents();
            },
            [&] { terminy.close(); });
        printFigure("opening the deadlines window", openDeadlines, timeMs([&] {
                        others.read(QStringLiteral("SELECT * FROM Pojazdy"));
                        deadlines.read(vehicleRows.arg(1));
                    }));
        int car = 0; // the window is left open by the last run above
        const double switchDeadlines = timeMs([&] {
            car = (car + 1) % 2;
            forms.context.data().TablePojazdy->moveTo(car);
            QApplication::processEvents();
        });
        printFigure("deadlines: switching vehicle", switchDeadlines,
                    timeMs([&] { deadlines.read(vehicleRows.arg(2)); }));
        terminy.close();
    }
    // The lump sums: every employee's car has a record for each month of the ten years (made once,
    // in one transaction). Opening the window from the main window (the register opened and hidden
    // first), saving a month into the car's record, and entering the summary sheet, beside plain
    // SQLite reading the same rows and writing the record.
    const QString lumpSumFile = folder + QStringLiteral("/Ryczalt.db");
    if (!QFile::exists(lumpSumFile)) {
        database.createTable(folder, tables::ryczalt());
        Plain seed(lumpSumFile);
        seed.exec("BEGIN IMMEDIATE");
        for (int v = 1; v <= options.vehicles; ++v)
            for (int y = options.lastYear - options.years + 1; y <= options.lastYear; ++y)
                for (int m = 1; m <= 12; ++m)
                    if (v % 4 != 0)
                        seed.exec(
                            QStringLiteral("INSERT INTO Ryczalt (NrKol_Pojazdu, Rok, Miesiac, Limit_km, "
                                           "Stawka_km, Ryczalt_zl, Dni_Urlopu, SumaPotracenia, "
                                           "Naleznosc_Mc) VALUES (%1, %2, %3, 300, 0.8358, 250.74, 2, "
                                           "22.79, 227.95)")
                                .arg(v)
                                .arg(y)
                                .arg(m)
                                .toUtf8()
                                .constData());
        seed.exec("COMMIT");
    }
    TRyczaltEwidencja& lumpSums = *forms.RyczaltEwidencja;
    auto* lumpUi = lumpSums.ui();
    dialogs.setCloseModalWindows(false);
    // Opened with the register closed before, so that its tables are read as when the register opens.
    const double lumpOpen = timeMs([&] { forms.MeniProgramu->SpeedRyczaltClick(); },
                                   [&] {
                                       lumpSums.close();
                                       reg.close();
                                   });
    const double lumpSave = timeMs([&] { lumpUi->Zapisz->click(); });
    const double lumpSheet =
        timeMs([&] { lumpUi->PageControl1->setCurrentWidget(lumpUi->TabSheetZestawienie); },
               [&] { lumpUi->PageControl1->setCurrentWidget(lumpUi->TabSheetRyczalt); });
    lumpSums.close();
    dialogs.setCloseModalWindows(true);
    // The baselines once the window has let the file go.
    Plain lumpRows(lumpSumFile);
    const QString carLumpSums = QStringLiteral("SELECT * FROM Ryczalt WHERE NrKol_Pojazdu = 1 AND Rok = %1 "
                                               "ORDER BY NrKol_Pojazdu, Rok, Miesiac")
                                    .arg(options.lastYear);
    printFigure("opening the lump sums", lumpOpen, timeMs([&] {
                    others.read(QStringLiteral("SELECT * FROM Pojazdy"));
                    readVehicle(1);
                    lumpRows.read(carLumpSums);
                }));
    // The record written with a new value each time (SQLite skips a row written as it is).
    int written = 0;
    printFigure("saving a month's lump sum", lumpSave, timeMs([&] {
                    lumpRows.exec(QStringLiteral("UPDATE Ryczalt SET Pom3 = %1 WHERE NrKol_Pojazdu = 1 AND "
                                                 "Rok = %2 AND Miesiac = 12")
                                      .arg(++written)
                                      .arg(options.lastYear)
                                      .toUtf8()
                                      .constData());
                }));
    printFigure("entering the lump-sum summary", lumpSheet, timeMs([&] { lumpRows.read(carLumpSums); }));
    // The backup of the whole data folder to the program's drive, and the restore of that copy, beside
    // a plain copy of the same files made durable the same way, on the same disk.
    reg.close();
    dialogs.clear();
    qint64 dataBytes = 0;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files))
        dataBytes += file.size();
    const double plainCopy =
        timeMs([&] { plainDurableCopy(folder, drive + QStringLiteral("/kopia-zwykla")); });
    const double backup = timeMs([&] { forms.MeniProgramu->SpeedButton2Click(); },
                                 [&] {
                                     dialogs.onModal(QStringLiteral("tarlok::TKopiujProgram"), [&](QWidget*) {
                                         forms.KopiujProgram->ui()->Kopiuj->click();
                                     });
                                 });
    const QString dated =
        paths::resolve(drive, QStringLiteral("Tarlok/Archiwum.Poj/") +
                                  bench::benchDay(options).toString(QStringLiteral("dd_MM_yyyy")));
    // The restore window's folder list, opened down to the dated folder as double clicks do.
    auto openDated = [&] {
        QListWidget* list = forms.OdtwarzanieDanych->ui()->KatalogDlaArchiwum;
        for (const char* part : {"Archiwum.Poj", "dated"}) {
            const QString name =
                qstrcmp(part, "dated") == 0 ? QFileInfo(dated).fileName() : QString::fromLatin1(part);
            for (int i = 0; i < list->count(); ++i) {
                if (list->item(i)
                        ->data(Qt::UserRole)
                        .toString()
                        .endsWith(QLatin1Char('/') + name, Qt::CaseInsensitive)) {
                    emit list->itemActivated(list->item(i));
                    break;
                }
            }
        }
    };
    const double restore =
        timeMs([&] { forms.MeniProgramu->Odtwarzaniedanych1Click(); },
               [&] {
                   dialogs.onModal(QStringLiteral("tarlok::TOdtwarzanieDanych"), [&](QWidget*) {
                       openDated();
                       // "Tak" to the question that names the archive folder before the data are replaced.
                       dialogs.answerYes();
                       forms.OdtwarzanieDanych->ui()->Odtworz->click();
                   });
               });
    QTextStream(stdout) << QStringLiteral("  (%1 MB in %2 files)\n")
                               .arg(double(dataBytes) / (1024 * 1024), 0, 'f', 1)
                               .arg(QDir(folder).entryList(QDir::Files).size());
    // What the verification costs on its own: the checksum of every byte twice (what is read, what is
    // read back), from memory.
    std::vector<QByteArray> contents;
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
        QFile in(file.filePath());
        in.open(QIODevice::ReadOnly);
        contents.push_back(in.readAll());
    }
    const double checksums = timeMs([&] {
        for (const QByteArray& bytes : contents) {
            for (int twice = 0; twice < 2; ++twice) {
                archive::Checksum checksum;
                checksum.add(bytes.constData(), bytes.size());
                (void)checksum.result();
            }
        }
    });
    printFigure("backup of the data folder", backup, plainCopy);
    printFigure("restore of that backup", restore, plainCopy);
    printFigure("  of which checksums alone (twice)", checksums, plainCopy);
    QTextStream(stdout) << QStringLiteral("  backup at %1x the speed of the plain durable copy\n")
                               .arg(plainCopy / backup, 0, 'f', 2);
    const QStringList archiveMessages = dialogs.texts();
    // Each restore asks first which archive replaces the data (answered "Tak" above).
    const qsizetype questions =
        std::count_if(archiveMessages.begin(), archiveMessages.end(), [](const QString& m) {
            return m.startsWith(QStringLiteral("Dane programu zostaną zastąpione danymi z archiwum"));
        });
    const bool allGood =
        archiveMessages.count(QStringLiteral("KOPIA PROGRAMU WYKONANA PRAWIDŁOWO")) == kRuns &&
        archiveMessages.count(QStringLiteral("ODTWARZANIE DANYCH ZAKOŃCZONE SUKCESEM ")) == kRuns &&
        questions == kRuns && archiveMessages.size() == 3 * kRuns;
    if (allGood)
        dialogs.clear();
    QDir(drive + QStringLiteral("/kopia-zwykla")).removeRecursively();

    const QStringList messages = dialogs.texts();
    if (!messages.isEmpty())
        QTextStream(stdout) << "Messages shown during the run: " << messages.join(QStringLiteral(" | "))
                            << "\n";
    return 0;
}
