// A restore of a 20-vehicle data folder killed (SIGKILL) at random moments, and at chosen steps of its
// swap: after the next start-up the data folder holds the old files or the archive's, byte for byte,
// every table passes PRAGMA integrity_check, and nothing of the restore is left beside it.
#include "support/ArchiveDriver.h"
#include "support/TestApp.h"

#include "app/Application.h"
#include "app/TMeniProgramu.h"
#include "archive/TOdtwarzanieDanych.h"
#include "common/Paths.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "store/Sqlite.h"
#include "ui_TOdtwarzanieDanych.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <cstdio>

using namespace tarlok;
using tarlok::test::ArchiveDriver;
using tarlok::test::folderBytes;
using tarlok::test::TestApp;

namespace {

constexpr int kRandomKills = 10;
const QDateTime kFifthOfMarch(QDate(2006, 3, 5), QTime(9, 30));
using Files = QMap<QString, QByteArray>;

// The program's parts on a drive, as main() puts them together, with scripted dialogs.
struct Program {
    explicit Program(const QString& drive) : context{clock, dialogs, help, shell, database, drive, {}} {
        drives.setProgramDrive("C:", drive);
        context.drives = &drives;
    }
    FixedClock clock{kFifthOfMarch};
    ScriptedDialogs dialogs;
    RecordingHelp help;
    RecordingShell shell;
    Database database;
    SimulatedDrives drives;
    AppContext context;
};

// The child: starts the program on the drive and restores the archive folder; with a rename number it
// kills itself right before that rename of the files.
int runChild(const QString& drive, const QString& folder, int killAtRename) {
    Program p(drive);
    int renames = 0;
    p.drives.onRename = [&](const QString&, const QString&) {
        if (++renames == killAtRename)
            std::raise(SIGKILL);
    };
    Application program(p.context);
    if (!program.start())
        return 2;
    p.dialogs.onModal("tarlok::TOdtwarzanieDanych", [&](QWidget* w) {
        auto& window = *static_cast<TOdtwarzanieDanych*>(w);
        ArchiveDriver::chooseDrive(window, "C:");
        ArchiveDriver::openFolder(window, folder);
        p.dialogs.answerYes(); // the question that names the archive
        std::printf("ready\n");
        std::fflush(stdout);
        QTest::mouseClick(window.ui()->Odtworz, Qt::LeftButton);
    });
    program.forms().MeniProgramu->Odtwarzaniedanych1Click();
    std::printf("done %d %s\n", renames, p.dialogs.texts().join(" | ").toUtf8().constData());
    std::fflush(stdout);
    return 0;
}

// 20 vehicles with three months of trips and costs, written straight into the files.
void fillTwentyVehicles(TestApp& app, const QString& route) {
    sqlite::Handle trips(app.dataFolder() + "/Przejazdy.db", false);
    sqlite::Handle costs(app.dataFolder() + "/Koszty.db", false);
    trips.exec("BEGIN");
    costs.exec("BEGIN");
    for (int v = 1; v <= 20; ++v) {
        for (int month = 1; month <= 3; ++month) {
            for (int i = 0; i < 20; ++i)
                trips.exec(QStringLiteral(
                               "INSERT INTO Przejazdy (NrKol_Pojazdu, Rok, Miesiac, Data, Trasa, Cel_Wyj, "
                               "Kilometry, Stawka, Wartosc) VALUES (%1, 2006, %2, '2006-%3-%4', "
                               "'%5 %6', 'Dostawa do klienta', 84, 0.8358, 70.21)")
                               .arg(v)
                               .arg(month)
                               .arg(month, 2, 10, QLatin1Char('0'))
                               .arg(1 + i, 2, 10, QLatin1Char('0'))
                               .arg(route)
                               .arg(i));
            for (int i = 0; i < 5; ++i)
                costs.exec(
                    QStringLiteral("INSERT INTO Koszty (NrKol_Pojazdu, Rok, Miesiac, Data, Nr_Rachunku, "
                                   "Rodzaj_Wyd, Wartosc) VALUES (%1, 2006, %2, '2006-%3-%4', 'FV %5', "
                                   "'Paliwo', 123.45)")
                        .arg(v)
                        .arg(month)
                        .arg(month, 2, 10, QLatin1Char('0'))
                        .arg(1 + i, 2, 10, QLatin1Char('0'))
                        .arg(i));
        }
    }
    trips.exec("COMMIT");
    costs.exec("COMMIT");
}

void putBack(const QString& folder, const Files& files) {
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        QFile::remove(folder + "/" + name);
    for (auto it = files.begin(); it != files.end(); ++it) {
        QFile file(folder + "/" + it.key());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(it.value());
    }
}

// "old", "archive", or what differs.
QString whichFiles(const Files& now, const Files& old, const Files& archived) {
    if (now == old)
        return "old";
    if (now == archived)
        return "archive";
    QStringList differ;
    for (auto it = now.begin(); it != now.end(); ++it)
        differ << it.key() + (it.value() == old.value(it.key())        ? " old"
                              : it.value() == archived.value(it.key()) ? " archive"
                                                                       : " neither");
    return "mixed: " + differ.join(", ");
}

} // namespace

class RestoreKillTest : public QObject {
    Q_OBJECT

private slots:
    void killedRestoreLeavesOldOrArchive() {
        auto app = TestApp::started(kFifthOfMarch);
        for (int v = 1; v <= 20; ++v)
            app->addVehicle(v, QStringLiteral("KR %1").arg(1000 + v), v % 2 ? 1400 : 899);
        for (int month = 1; month <= 3; ++month)
            app->addPeriod(2006, month);
        fillTwentyVehicles(*app, "Rano");
        ArchiveDriver(*app).backupTo("C:");
        QCOMPARE(app->dialogs.lastText(), QString("KOPIA PROGRAMU WYKONANA PRAWIDŁOWO"));
        const QString drive = app->drive();
        const QString dated = paths::resolve(drive, "Tarlok/Archiwum.Poj/05_03_2006");
        const QString data = app->dataFolder();
        const QString tarlok = paths::resolve(drive, "tarlok");
        fillTwentyVehicles(*app, "Po południu");
        app->addVehicle(21, "KR 2021", 1600);
        const Files old = folderBytes(data);
        const Files archived = folderBytes(dated);
        QCOMPARE(old.keys(), archived.keys());
        QVERIFY(old != archived);
        QVERIFY(archived.value("Przejazdy.db").size() > 100 * 1024);

        auto child = [&](int killAtRename, QProcess& process) {
            process.start(QCoreApplication::applicationFilePath(),
                          {"--child", drive, dated, QString::number(killAtRename)});
            QVERIFY(process.waitForStarted());
            QVERIFY2(process.waitForReadyRead(120000), "the child never came to the restore");
            QVERIFY(process.readLine().startsWith("ready"));
        };
        // After a start-up the folder is the old one or the archive's, every table whole, nothing left
        // beside it; then the old files go back for the next round.
        QMap<QString, int> outcomes;
        auto afterStartUp = [&](const QString& round) {
            {
                Program p(drive);
                Application program(p.context);
                QVERIFY2(program.start(), qPrintable(round));
            }
            const Files now = folderBytes(data);
            const QString which = whichFiles(now, old, archived);
            QVERIFY2(which == "old" || which == "archive", qPrintable(round + ": " + which));
            ++outcomes[which];
            for (auto it = now.begin(); it != now.end(); ++it) {
                sqlite::Handle handle(data + "/" + it.key(), false);
                sqlite::Statement check(handle.get(), "PRAGMA integrity_check", it.key());
                QVERIFY(check.step());
                QCOMPARE(check.text(0), QString("ok"));
            }
            QVERIFY(!QFileInfo::exists(tarlok + "/odtwarzanie.tymczasowe"));
            QVERIFY(!QFileInfo::exists(tarlok + "/odtwarzanie.znacznik"));
            putBack(data, old);
        };

        // One whole run: how long the restore takes and how many renames it makes.
        QProcess whole;
        child(0, whole);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(whole.waitForFinished(120000));
        const qint64 duration = timer.elapsed();
        const QByteArray report = whole.readAllStandardOutput();
        QVERIFY2(report.contains("ODTWARZANIE DANYCH ZAKOŃCZONE SUKCESEM "), report.constData());
        // Each staged file takes its name, the marker its name, then each file moves aside and is
        // replaced.
        const int renames = report.mid(report.indexOf("done ") + 5).split(' ').first().toInt();
        const int files = int(old.size());
        QCOMPARE(renames, 3 * files + 1);
        QCOMPARE(folderBytes(data), archived);
        putBack(data, old);

        QRandomGenerator random(20060305);
        for (int round = 0; round < kRandomKills; ++round) {
            QProcess process;
            child(0, process);
            QThread::msleep(random.bounded(quint32(duration + 1)));
            process.kill();
            QVERIFY(process.waitForFinished(60000));
            afterStartUp(QStringLiteral("killed at random, round %1").arg(round));
        }
        // Before the marker takes its name, the first file moved aside, the first staged file moved in,
        // half way, the last move.
        for (int at : {files + 1, files + 2, files + 3, 2 * files + 1, 3 * files + 1}) {
            QProcess process;
            child(at, process);
            QVERIFY(process.waitForFinished(60000));
            QCOMPARE(process.exitStatus(), QProcess::CrashExit);
            afterStartUp(QStringLiteral("killed before rename %1").arg(at));
        }
        qInfo() << "outcomes:" << outcomes;
        QVERIFY(outcomes.value("archive") >= 4); // the swap once under way is always finished
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tarlok::test::usePolishLocale();
    if (argc == 5 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                        QString::fromLocal8Bit(argv[4]).toInt());
    RestoreKillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_restore_kill.moc"
