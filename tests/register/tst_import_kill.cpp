// An import of 500 trips killed (SIGKILL) while it stores them, at chosen rows and at random moments:
// the data folder holds the trips as before (none) or all 500 with every month's totals and every
// year's running values right, every table passes PRAGMA integrity_check, and a vehicle's odometer is
// its old reading or the final reading of its last trip (the old one only while the trips file may be
// either: the odometers are written after the trips are committed).
#include "support/TestApp.h"

#include "app/Application.h"
#include "app/TMeniProgramu.h"
#include "common/Csv.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "register/TEwidencja_przejazdow.h"
#include "register/TImportCsv.h"
#include "store/Sqlite.h"
#include "ui_TEwidencja_przejazdow.h"
#include "ui_TImportCsv.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <cmath>
#include <csignal>
#include <cstdio>

using namespace tarlok;

namespace {

constexpr int kRandomKills = 6;
const QDateTime kNow(QDate(2024, 4, 20), QTime(10, 0));
using Files = QMap<QString, QByteArray>;

// The child: the program on the drive imports the file; with a row number it kills itself when that
// row has been written (before the commit).
int runChild(const QString& drive, const QString& file, int killAtRow) {
    FixedClock clock(kNow);
    ScriptedDialogs dialogs;
    RecordingHelp help;
    RecordingShell shell;
    Database database;
    AppContext context{clock, dialogs, help, shell, database, drive, {}};
    Application program(context);
    if (!program.start())
        return 2;
    program.forms().MeniProgramu->SpeedEwidencjaClick();
    TImportCsv& import = *program.forms().ImportCsv;
    import.onRowStored = [&](int row) { if (row == 1) { std::printf("storing\n");
    std::fflush(stdout);
}
if (row == killAtRow)
    std::raise(SIGKILL);
}; // namespace
dialogs.answerOpenFileName(file);
dialogs.onModal("tarlok::TImportCsv",
                [](QWidget* w) { static_cast<TImportCsv*>(w)->ui()->Importuj->click(); });
program.forms().Ewidencja_przejazdow->ui()->ImportPrzejazdow->click();
std::printf("done %s\n", dialogs.texts().join(" | ").toUtf8().constData());
std::fflush(stdout);
return 0;
}

// 500 trips of vehicles 1 to 3 over January to April 2024, each vehicle's on its odometer chain from
// 10 000, 50 000 and 90 000 km. Gives the final reading of each vehicle's last trip.
QMap<qint64, qint64> writeTrips(const QString& path) {
    QList<QStringList> rows{
        {"Nr rejestracyjny", "Data", "Trasa", "Cel wyjazdu", "Km", "Stan licznika pocz."}};
    QMap<qint64, qint64> reading{{1, 10000}, {2, 50000}, {3, 90000}};
    QMap<int, int> count;
    for (int i = 0; i < 500; ++i) {
        const int vehicle = 1 + i % 3;
        const QDate date = QDate(2024, 1, 1).addDays(count[vehicle]++ * 121 / 167);
        const qint64 km = 10 + (i * 37) % 290;
        rows.append({QStringLiteral("KR %1").arg(vehicle), date.toString("d.MM.yyyy"),
                     QStringLiteral("Trasa %1").arg(i), "Dostawa", QString::number(km),
                     QString::number(reading[vehicle])});
        reading[vehicle] += km;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write the file");
    file.write(csv::document(rows));
    return reading;
}

Files snapshot(const QString& folder) {
    Files files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
        QFile file(folder + "/" + name);
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

void putBack(const QString& folder, const Files& files) {
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder + "/" + name);
    for (auto it = files.begin(); it != files.end(); ++it) {
        QFile file(folder + "/" + it.key());
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot put the files back");
        file.write(it.value());
    }
}

// What the folder holds: "none" or "all" trips, with their totals checked, or what is wrong.
QString tripsState(const QString& folder) {
    sqlite::Handle handle(folder + "/Przejazdy.db", false); // rolls back what the kill cut short
    sqlite::Statement st(handle.get(),
                         "SELECT NrKol_Pojazdu, Miesiac, Kilometry, KilometrySuma, Kilometry_NarastajacaRok, "
                         "Wartosc, WartoscSuma, Wartosc_NarastajacoRok FROM Przejazdy "
                         "ORDER BY NrKol_Pojazdu, Data, rowid",
                         "kill");
    struct Row {
        qint64 vehicle, month, km, kmTotal, kmYear;
        double value, valueTotal, valueYear;
    };
    QList<Row> rows;
    while (st.step())
        rows.append({st.int64(0), st.int64(1), st.int64(2), st.int64(3), st.int64(4), st.real(5), st.real(6),
                     st.real(7)});
    if (rows.isEmpty())
        return "none";
    if (rows.size() != 500)
        return QStringLiteral("%1 trips").arg(rows.size());
    QMap<QString, qint64> km;
    QMap<QString, double> value;
    for (const Row& r : rows) {
        km[QStringLiteral("%1/%2").arg(r.vehicle).arg(r.month)] += r.km;
        value[QStringLiteral("%1/%2").arg(r.vehicle).arg(r.month)] += r.value;
    }
    QMap<qint64, qint64> yearKm;
    QMap<qint64, double> yearValue;
    for (const Row& r : rows) {
        const QString key = QStringLiteral("%1/%2").arg(r.vehicle).arg(r.month);
        yearKm[r.vehicle] += r.km;
        yearValue[r.vehicle] += r.value;
        if (r.kmTotal != km[key] || std::fabs(r.valueTotal - value[key]) >= 0.005)
            return "a month total " + key;
        if (r.kmYear != yearKm[r.vehicle] || std::fabs(r.valueYear - yearValue[r.vehicle]) >= 0.005)
            return "a running value of the year " + key;
    }
    return "all";
}

QMap<qint64, QVariant> odometers(const QString& folder) {
    sqlite::Handle handle(folder + "/Pojazdy.db", false);
    sqlite::Statement st(handle.get(), "SELECT NrKol_Pojazdu, StanAktLicznika FROM Pojazdy", "kill");
    QMap<qint64, QVariant> out;
    while (st.step())
        out.insert(st.int64(0), st.isNull(1) ? QVariant() : QVariant(st.int64(1)));
    return out;
}

QString checkIntegrity(const QString& folder) {
    for (const QString& file : QDir(folder).entryList({"*.db"}, QDir::Files)) {
        sqlite::Handle handle(folder + "/" + file, false);
        sqlite::Statement check(handle.get(), "PRAGMA integrity_check", file);
        if (!check.step() || check.text(0) != "ok")
            return file;
    }
    return {};
}

} // namespace

class ImportKillTest : public QObject {
    Q_OBJECT

private slots:
    void killedImportLeavesTheFilesAsBeforeOrFullyImported() {
        test::TestApp app(kNow);
        QVERIFY(app.start());
        app.setRates(0.5, 0.8);
        app.addVehicle(1, "KR 1", 1200, true, {{"StanPoczLIcznika", 10000}, {"StanAktLicznika", 10000}});
        app.addVehicle(2, "KR 2", 800, true, {{"StanPoczLIcznika", 50000}, {"StanAktLicznika", 50000}});
        app.addVehicle(3, "KR 3", 1600, true, {{"StanPoczLIcznika", 90000}, {"StanAktLicznika", 90000}});
        for (int month = 1; month <= 4; ++month)
            app.addPeriod(2024, month);
        app.data().closeAll();
        QTemporaryDir dir;
        const QString file = dir.filePath("przejazdy.csv");
        const QMap<qint64, qint64> last = writeTrips(file);
        const QString folder = app.dataFolder();
        const Files before = snapshot(folder);
        const QMap<qint64, QVariant> oldOdometers = odometers(folder);

        // Chosen rows, then random moments, then a run to the end.
        QList<int> kills{1, 250, 500};
        for (int i = 0; i < kRandomKills; ++i)
            kills.append(-1);
        kills.append(0);
        QMap<QString, int> outcomes;
        for (int round = 0; round < kills.size(); ++round) {
            putBack(folder, before);
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {"--child", app.drive(), file, QString::number(std::max(kills[round], 0))});
            QVERIFY(child.waitForStarted());
            if (kills[round] < 0) {
                QVERIFY2(child.waitForReadyRead(60000), "the child never stored");
                QThread::msleep(QRandomGenerator::global()->bounded(400));
                child.kill();
            }
            QVERIFY(child.waitForFinished(120000));
            const QString output = QString::fromUtf8(child.readAllStandardOutput());
            if (kills[round] == 0)
                QVERIFY2(output.contains("done Zaimportowano przejazdów: 500."), qPrintable(output));

            const QString label = QStringLiteral("round %1 (kill %2)").arg(round).arg(kills[round]);
            QVERIFY2(checkIntegrity(folder).isEmpty(), qPrintable(label + ": " + checkIntegrity(folder)));
            const QString trips = tripsState(folder);
            QVERIFY2(trips == "none" || trips == "all", qPrintable(label + ": " + trips));
            if (kills[round] > 0)
                QCOMPARE(trips, QString("none")); // killed before the commit
            if (kills[round] == 0)
                QCOMPARE(trips, QString("all"));
            const QMap<qint64, QVariant> now = odometers(folder);
            bool updated = true;
            for (qint64 vehicle = 1; vehicle <= 3; ++vehicle) {
                const bool old = now[vehicle] == oldOdometers[vehicle];
                QVERIFY2(old || now[vehicle] == QVariant(last[vehicle]), qPrintable(label));
                updated = updated && !old;
            }
            if (trips == "none")
                QCOMPARE(now, oldOdometers);
            if (kills[round] == 0)
                QVERIFY(updated);
            ++outcomes[trips + (trips == "all" && !updated ? ", old odometers" : "")];
        }
        qInfo() << "outcomes:" << outcomes;
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tarlok::test::usePolishLocale();
    if (argc == 5 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--child"))
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        QString::fromLocal8Bit(argv[4]).toInt());
    ImportKillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_import_kill.moc"
