// The backup to a hard disk: where the dated folder goes, a second backup of the day, the space
// question, the verified copy under injected faults (never a false success, the earlier copy intact),
// the labels and counters while it copies, no table open while it copies, and the tables opened again
// however the window is closed.
#include "support/ArchiveDriver.h"
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "app/TParametry1.h"
#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "common/Paths.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "reference/TKierowcy1.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "ui_TKopiujProgram.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>

using namespace tarlok;
using tarlok::test::ArchiveDriver;
using tarlok::test::folderBytes;
using tarlok::test::TestApp;
using Fault = SimulatedDrives::Fault;

namespace {

const QString kDone = QStringLiteral("KOPIA PROGRAMU WYKONANA PRAWIDŁOWO");
const QString kIncomplete = QStringLiteral("NIEPEŁNA KOPIA PROGRAMU");
const QDateTime kFifthOfMarch(QDate(2006, 3, 5), QTime(9, 30));

std::unique_ptr<TestApp> startedWithDiskD(QTemporaryDir& disk) {
    auto app = TestApp::started(kFifthOfMarch);
    app->drives.addDisk(QStringLiteral("D:"), disk.path(), 10 * 1024 * 1024);
    return app;
}

QStringList temporaryFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.tymczasowy")}, QDir::Files);
}

// The folders of an archive root (hidden ones too) with their files.
using Tree = QMap<QString, QMap<QString, QByteArray>>;
Tree treeOf(const QString& root) {
    Tree tree;
    for (const QString& name : QDir(root).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        tree.insert(name, folderBytes(root + "/" + name));
    return tree;
}

void putTree(const QString& root, const Tree& tree) {
    QDir(root).removeRecursively();
    for (auto folder = tree.begin(); folder != tree.end(); ++folder) {
        QVERIFY(QDir().mkpath(root + "/" + folder.key()));
        for (auto file = folder->begin(); file != folder->end(); ++file) {
            QFile out(root + "/" + folder.key() + "/" + file.key());
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file.value());
        }
    }
}

void addTrip(TestApp& app, const QString& route) {
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                              {"Rok", 2006},
                              {"Miesiac", 3},
                              {"Data", QDate(2006, 3, 4)},
                              {"Trasa", route},
                              {"Kilometry", 12}});
}

} // namespace

class BackupTest : public QObject {
    Q_OBJECT

private slots:
    // "c" and "C" are the program's drive: the copy lands in P + "Tarlok\Archiwum.Poj\05_03_2006", byte
    // for byte, and nothing goes to the root of the drive the box named.
    void programsDriveWhateverTheCaseOfItsLetter_data() {
        QTest::addColumn<QString>("chosen");
        QTest::newRow("C:") << "C:";
        QTest::newRow("c:") << "c:";
    }
    void programsDriveWhateverTheCaseOfItsLetter() {
        QFETCH(QString, chosen);
        QTemporaryDir listed;
        auto app = TestApp::started(kFifthOfMarch);
        if (chosen == QLatin1String("c:"))
            app->drives.addDisk(chosen, listed.path(), 10 * 1024 * 1024);
        ArchiveDriver(*app).backupTo(chosen);

        QCOMPARE(app->dialogs.texts(), QStringList{kDone});
        const QString dated = paths::resolve(app->drive(), "Tarlok/Archiwum.Poj/05_03_2006");
        QVERIFY(QFileInfo(dated).isDir());
        const auto archived = folderBytes(dated);
        QCOMPARE(archived, folderBytes(app->dataFolder()));
        QVERIFY(archived.contains("Przejazdy.db") && archived.contains("Parametry.db"));
        QVERIFY(QDir(listed.path()).isEmpty());
    }

    // Two backups on one day share the dated folder: the second asks nothing, even short of room, and
    // its set replaces the first one whole (a file gone from the data folder since is gone from it).
    void secondBackupOfTheDay() {
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        ArchiveDriver driver(*app);
        {
            QFile notes(app->dataFolder() + "/Notatki.txt");
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("notatki");
        }
        driver.backupTo("D:");
        QCOMPARE(app->dialogs.texts(), QStringList{kDone});
        const QString dated = disk.path() + "/ARCHIWUM.Poj/05_03_2006";
        QVERIFY(QFileInfo(dated + "/Notatki.txt").isFile());

        QVERIFY(QFile::remove(app->dataFolder() + "/Notatki.txt"));
        addTrip(*app, "Kraków - Tarnów");
        app->drives.setFreeKb("D:", 1);
        app->dialogs.clear();
        driver.backupTo("D:");
        QCOMPARE(app->dialogs.texts(), QStringList{kDone});
        QCOMPARE(folderBytes(dated), folderBytes(app->dataFolder()));
        QCOMPARE(QDir(disk.path() + "/ARCHIWUM.Poj").entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"05_03_2006"});
    }

    // A second backup of the day onto a drive that fills up part way: the morning's folder byte for
    // byte as it was, the failure told, nothing else left in the archive root.
    void secondBackupOntoADriveThatFillsUp() {
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        ArchiveDriver driver(*app);
        driver.backupTo("D:");
        const QString root = disk.path() + "/ARCHIWUM.Poj";
        const auto morning = folderBytes(root + "/05_03_2006");

        app->addVehicle(2, "KR 2222", 899);
        {
            sqlite::Handle trips(app->dataFolder() + "/Przejazdy.db", false);
            trips.exec("BEGIN");
            for (int i = 0; i < 2000; ++i)
                trips.exec(QStringLiteral("INSERT INTO Przejazdy (NrKol_Pojazdu, Rok, Miesiac, Data, Trasa, "
                                          "Kilometry) VALUES (1, 2006, 3, '2006-03-04', 'Trasa %1', 12)")
                               .arg(i));
            trips.exec("COMMIT");
        }
        qint64 total = 0;
        for (const QByteArray& bytes : folderBytes(app->dataFolder()))
            total += bytes.size();
        QVERIFY(folderBytes(app->dataFolder()).value("Przejazdy.db").size() > total / 2);
        // Other files leave room for half of the new set.
        QFile ballast(disk.path() + "/inne.bin");
        QVERIFY(ballast.open(QIODevice::WriteOnly));
        QVERIFY(
            ballast.resize(10LL * 1024 * 1024 * 1024 - SimulatedDrives::bytesUnder(disk.path()) - total / 2));
        ballast.close();

        app->dialogs.clear();
        driver.backupTo("D:");
        QCOMPARE(app->dialogs.texts(), QStringList{"Błąd kopiowania"});
        QCOMPARE(folderBytes(root + "/05_03_2006"), morning);
        QCOMPARE(QDir(root).entryList(QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"05_03_2006"});
    }

    // A backup killed while it copies or at each step of putting its folder in place: the restore lists
    // a whole archive of the day (the morning's or the new one) and nothing partial; the next backup
    // settles what was left.
    void killedWhilePuttingItsFolderInPlace_data() {
        QTest::addColumn<bool>("folderRename");
        QTest::addColumn<int>("rename");
        QTest::newRow("while the files are copied") << false << 2;
        QTest::newRow("before the morning's folder goes aside") << true << 1;
        QTest::newRow("before the new folder takes its name") << true << 2;
        QTest::newRow("before the morning's folder is dropped") << true << 3;
    }
    void killedWhilePuttingItsFolderInPlace() {
        QFETCH(bool, folderRename);
        QFETCH(int, rename);
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        ArchiveDriver driver(*app);
        driver.backupTo("D:");
        const QString root = disk.path() + "/ARCHIWUM.Poj";
        const auto morning = folderBytes(root + "/05_03_2006");
        addTrip(*app, "Kraków - Tarnów");
        Tree atKill;
        int renames = 0;
        app->drives.onRename = [&](const QString& from, const QString&) {
            if (QFileInfo(from).isDir() == folderRename && ++renames == rename)
                atKill = treeOf(root);
        };
        driver.backupTo("D:");
        app->drives.onRename = nullptr;
        const auto afternoon = folderBytes(root + "/05_03_2006");
        QVERIFY(afternoon != morning);
        QVERIFY(!atKill.isEmpty());
        putTree(root, atKill);

        QStringList listed;
        driver.restoreWindow([&](TOdtwarzanieDanych& w) {
            ArchiveDriver::chooseDrive(w, "D:");
            ArchiveDriver::openFolder(w, root);
            auto* folders = w.findChild<QListWidget*>("KatalogDlaArchiwum");
            for (int i = 0; i < folders->count(); ++i) {
                const QString path = folders->item(i)->data(Qt::UserRole).toString();
                if (QFileInfo(path).path() == root)
                    listed << path;
            }
        });
        QVERIFY(!listed.isEmpty());
        for (const QString& folder : listed) {
            const auto files = folderBytes(folder);
            QVERIFY2(files == morning || files == afternoon, qPrintable(folder + " holds part of a backup"));
        }

        app->dialogs.clear();
        driver.backupTo("D:");
        QCOMPARE(app->dialogs.texts(), QStringList{kDone});
        QCOMPARE(QDir(root).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"05_03_2006"});
        QCOMPARE(folderBytes(root + "/05_03_2006"), folderBytes(app->dataFolder()));
    }

    // A drive unmounted or made read-only after it was chosen takes nothing, and nothing goes to any
    // other drive: the user is told.
    void aDriveGoneOrReadOnlyTakesNothing_data() {
        QTest::addColumn<bool>("unmounted");
        QTest::addColumn<QString>("message");
        QTest::newRow("unmounted") << true << "DYSK \"D:\" JEST NIEDOSTĘPNY - KOPIA NIE ZOSTAŁA WYKONANA";
        QTest::newRow("read-only") << false
                                   << "NA DYSKU \"D:\" NIE MOŻNA ZAPISAĆ - KOPIA NIE ZOSTAŁA WYKONANA";
    }
    void aDriveGoneOrReadOnlyTakesNothing() {
        QFETCH(bool, unmounted);
        QFETCH(QString, message);
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        const QString ownArchive = paths::resolve(app->drive(), "Tarlok/Archiwum.Poj");
        ArchiveDriver(*app).backupWindow([&](TKopiujProgram& w) {
            ArchiveDriver::chooseDrive(w, "D:");
            if (unmounted)
                app->drives.setMounted("D:", false);
            else
                app->drives.setReadOnly("D:", true);
            QTest::mouseClick(w.ui()->Kopiuj, Qt::LeftButton);
        });
        QCOMPARE(app->dialogs.texts(), QStringList{message});
        QVERIFY(!QFileInfo::exists(ownArchive));
        QVERIFY(QDir(disk.path()).isEmpty());
    }

    // Short of room for a new dated folder: the question; No copies nothing and leaves no folder.
    void tooLittleRoomAnsweredNo() {
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        app->drives.setFreeKb("D:", 3);
        app->dialogs.answerNo();
        ArchiveDriver(*app).backupTo("D:");
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().text,
                 QString("ZA MAŁO MIEJSCA NA WYBRANYM DYSKU DLA KOPII PLIKÓW DANYCH"));
        QCOMPARE(app->dialogs.last().caption, QString("Kontynuować"));
        QCOMPARE(app->dialogs.last().buttons, Dialogs::Buttons::YesNo);
        QVERIFY(!QFileInfo::exists(disk.path() + "/ARCHIWUM.Poj/05_03_2006"));
    }

    // A fault while the second backup of the day writes the trips table: never success, no temporary
    // file left, and the morning's copy of that table as it was.
    void faultsLeaveTheEarlierCopy_data() {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("write fails mid-file") << int(Fault::WriteFails) << kIncomplete;
        QTest::newRow("short write") << int(Fault::WriteShort) << QString("Błąd kopiowania");
        QTest::newRow("flush fails") << int(Fault::SyncFails) << kIncomplete;
        QTest::newRow("close fails") << int(Fault::CloseFails) << kIncomplete;
        QTest::newRow("disk loses data") << int(Fault::LosesData) << kIncomplete;
    }
    void faultsLeaveTheEarlierCopy() {
        QFETCH(int, fault);
        QFETCH(QString, message);
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        ArchiveDriver driver(*app);
        driver.backupTo("D:");
        const QString dated = disk.path() + "/ARCHIWUM.Poj/05_03_2006";
        const QByteArray morning = folderBytes(dated).value("Przejazdy.db");
        QVERIFY(morning.size() > 4096);

        for (int i = 0; i < 40; ++i)
            addTrip(*app, QStringLiteral("Trasa %1 - Kraków - Wieliczka - Bochnia - Tarnów").arg(i));
        QVERIFY(folderBytes(app->dataFolder()).value("Przejazdy.db") != morning);
        app->drives.inject(Fault(fault), "/Przejazdy.db", 2048);
        app->dialogs.clear();
        driver.backupTo("D:");
        QVERIFY2(app->dialogs.contains(message), qPrintable(app->dialogs.texts().join(" | ")));
        QVERIFY(!app->dialogs.contains(kDone));
        QCOMPARE(temporaryFiles(dated), QStringList());
        QCOMPARE(folderBytes(dated).value("Przejazdy.db"), morning);
    }

    // Nothing to copy is not a good copy.
    void emptyDataFolderIsNeverSuccess() {
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        app->forms().Parametry1->TableParametry->close();
        app->data().closeAll();
        for (const QString& file : QDir(app->dataFolder()).entryList(QDir::Files))
            QVERIFY(QFile::remove(app->dataFolder() + "/" + file));
        ArchiveDriver(*app).backupTo("D:");
        QVERIFY(app->dialogs.contains(kIncomplete));
        QVERIFY(!app->dialogs.contains(kDone));
    }

    // While it copies: every table closed, the message line, the buttons disabled, and for each file
    // its paths, its number and the share of all bytes copied before it.
    void whileCopying() {
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        app->openRegisterOnAVehicle();
        app->forms().MeniProgramu->Kierowcy1Click();
        Table* parameters = app->forms().Parametry1->TableParametry;
        Table* drivers = app->data().TableKierowcy;
        // The deadlines window's table, as its window leaves it open.
        Table* deadlines = app->forms().OpcjeDlaTerminow->TableTerminy;
        deadlines->setDatabaseName(app->dataFolder());
        deadlines->setTableName("Terminy");
        deadlines->open();
        QVERIFY(parameters->isActive() && drivers->isActive() && app->data().TablePrzejazdy->isActive());

        const QString data = app->dataFolder();
        const QFileInfoList files = QDir(data).entryInfoList(QDir::Files, QDir::Name | QDir::IgnoreCase);
        qint64 total = 0;
        for (const QFileInfo& f : files)
            total += f.size();
        const QString dated = disk.path() + "/ARCHIWUM.Poj/05_03_2006";
        QStringList faults;
        int seen = 0;
        qint64 before = 0;
        TKopiujProgram* window = app->forms().KopiujProgram;
        app->drives.onOpenRead = [&](const QString& path) {
            if (!path.startsWith(data))
                return; // the copy read back
            for (const QFileInfo& f : files)
                if (app->database.isOpen(f.filePath()))
                    faults << "open while copying: " + f.fileName();
            const QFileInfo& file = files.at(seen);
            auto* ui = window->ui();
            const auto expect = [&](const QString& what, const QString& is, const QString& should) {
                if (is != should)
                    faults << QStringLiteral("%1 of %2: \"%3\" instead of \"%4\"")
                                  .arg(what, file.fileName(), is, should);
            };
            expect("source", ui->LabelCoKopiuje->text(), QDir::toNativeSeparators(file.filePath()));
            expect("target", ui->LabelGdzieKopiuje->text(),
                   QDir::toNativeSeparators(dated + "/" + file.fileName()));
            expect("counter", ui->LabelLicznik->text(), QStringLiteral("Zbiór %1").arg(seen + 1));
            expect("file share", ui->LabelProcent->text(), "0% zbioru");
            expect("all share", QString::number(ui->ProgressBar2->value()),
                   QString::number(before * 100 / total));
            expect("message", ui->LabelKomunikat->isVisible() ? ui->LabelKomunikat->text() : QString(),
                   "PROSZĘ CZEKAĆ - KOPIUJĘ ZBIORY DO ARCHIWUM");
            expect("space", ui->LabelIleMiejsca->text().section(':', 0, 0), "Wolnego miejsca na dysku jest ");
            if (ui->Kopiuj->isEnabled() || ui->Wyjscie->isEnabled() || ui->Pomoc->isEnabled())
                faults << "a button enabled while copying";
            before += file.size();
            ++seen;
        };
        ArchiveDriver(*app).backupTo("D:");
        app->drives.onOpenRead = nullptr;
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
        QCOMPARE(seen, int(files.size()));
        QCOMPARE(app->dialogs.texts(), QStringList{kDone});
        // After it: the display cleared, the drive set back, the tables open again (the register, closed
        // for the copy, opens its own when it is opened again; the deadlines window likewise).
        auto* ui = window->ui();
        QCOMPARE(ui->ProgressBar1->value(), 0);
        QCOMPARE(ui->ProgressBar2->value(), 0);
        QVERIFY(ui->LabelCoKopiuje->text().isEmpty() && ui->LabelLicznik->text().isEmpty());
        QCOMPARE(ui->DyskDlaArchiwum->currentText(), QString("C:"));
        QVERIFY(parameters->isActive());
        QVERIFY(drivers->isActive());
        QVERIFY(!app->forms().Ewidencja_przejazdow->isVisible());
    }

    // A window that keeps tables open joins in one line: its tables are closed while the files are
    // copied and opened again after.
    void aWindowJoinsInOneLine() {
        struct Holder : QObject {
            Table* table = nullptr;
            QStringList steps;
            void closeTables() {
                steps << "close";
                table->close();
            }
            void reopenTables() {
                steps << "reopen";
                table->open();
            }
        };
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        Table deadlines(app->database);
        Table periods(app->database);
        for (auto [table, name] : {std::pair{&deadlines, "Terminy"}, std::pair{&periods, "Okresy"}}) {
            table->setDatabaseName(app->dataFolder());
            table->setTableName(name);
            table->open();
        }
        Holder window;
        window.table = &deadlines;
        QObject other;
        app->forms().tableHolders.add(&window, &Holder::closeTables, &Holder::reopenTables);
        app->forms().tableHolders.addTable(&other, &periods);
        bool openWhileCopying = false;
        app->drives.onOpenRead = [&](const QString&) {
            openWhileCopying |= deadlines.isActive() || periods.isActive();
        };
        ArchiveDriver(*app).backupTo("D:");
        QCOMPARE(app->dialogs.texts(), QStringList{kDone});
        QVERIFY(!openWhileCopying);
        QVERIFY(deadlines.isActive() && periods.isActive());
        QCOMPARE(window.steps, (QStringList{"close", "reopen"}));
    }

    // Whatever closes the window opens the tables again and sets the drive back, also after a backup
    // ended early by the user's No.
    void anyCloseReopens_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("title bar") << "title bar";
        QTest::newRow("Esc") << "Esc";
        QTest::newRow("Wyjście") << "Wyjście";
    }
    void anyCloseReopens() {
        QFETCH(QString, how);
        QTemporaryDir disk;
        auto app = startedWithDiskD(disk);
        app->forms().MeniProgramu->Kierowcy1Click();
        Table* parameters = app->forms().Parametry1->TableParametry;
        Table* drivers = app->data().TableKierowcy;
        app->drives.setFreeKb("D:", 2);
        app->dialogs.answerNo();
        bool closedDuring = false;
        ArchiveDriver(*app).backupWindow([&](TKopiujProgram& w) {
            ArchiveDriver::chooseDrive(w, "D:");
            QTest::mouseClick(w.ui()->Kopiuj, Qt::LeftButton);
            closedDuring = !parameters->isActive() && !drivers->isActive();
            if (how == "title bar")
                w.close();
            else if (how == "Esc")
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                QTest::mouseClick(w.ui()->Wyjscie, Qt::LeftButton);
            QVERIFY(!w.isVisible());
        });
        QVERIFY(closedDuring);
        QVERIFY(parameters->isActive());
        QVERIFY(drivers->isActive());
        QCOMPARE(app->forms().KopiujProgram->ui()->DyskDlaArchiwum->currentText(), QString("C:"));
        QCOMPARE(QDir(app->forms().KopiujProgram->archiveFolder()).dirName().toLower(), QString("tarlok"));
    }

    // The window's texts, help topic, and the message naming the data folder when P + "Tarlok" is
    // missing, with a drive letter or the drive prefix's folder.
    void textsAndTheMissingFolder() {
        auto app = TestApp::started(kFifthOfMarch);
        TKopiujProgram& w = *app->forms().KopiujProgram;
        QCOMPARE(w.windowTitle(), QString("KOPIA DANYCH PROGRAMU TARLOK"));
        QCOMPARE(w.ui()->Kopiuj->text(), QString("&Kopiuj"));
        QCOMPARE(w.ui()->Wyjscie->text(), QString("&Wyjście"));
        QCOMPARE(w.ui()->Pomoc->text(), QString("&Pomoc"));
        QVERIFY(!w.ui()->Dyski->isEnabled() && !w.ui()->Pliki->isEnabled() && !w.ui()->Filtr->isEnabled() &&
                !w.ui()->Katalogi->isEnabled());
        ArchiveDriver(*app).backupWindow([&](TKopiujProgram& shown) {
            QVERIFY(!shown.ui()->LabelKomunikat->isVisible());
            QTest::mouseClick(shown.ui()->Pomoc, Qt::LeftButton);
            QVERIFY(ArchiveDriver::archiveFiles(shown).isEmpty());
            QVERIFY(shown.ui()->Pliki->findItems("Przejazdy.db", Qt::MatchExactly).size() == 1);
        });
        QCOMPARE(app->help.shown().size(), 1);
        QCOMPARE(app->help.shown().last().file, QString("Tarlok.HLP"));
        QCOMPARE(app->help.shown().last().topic, 10);

        QTemporaryDir elsewhere;
        app->drives.setProgramDrive("C:", elsewhere.path());
        ArchiveDriver(*app).backupWindow(
            [](TKopiujProgram& shown) { QTest::mouseClick(shown.ui()->Wyjscie, Qt::LeftButton); });
        QCOMPARE(app->dialogs.lastText(),
                 QString("DANE NIE SĄ ZAINSTALOWANE W KATALOGU \"C:\\Tarlok\\Dane_pojazdy\""));
        app->drives.setProgramDrive(elsewhere.path(), elsewhere.path());
        ArchiveDriver(*app).backupWindow(
            [](TKopiujProgram& shown) { QTest::mouseClick(shown.ui()->Wyjscie, Qt::LeftButton); });
        QCOMPARE(
            app->dialogs.lastText(),
            QString("DANE NIE SĄ ZAINSTALOWANE W KATALOGU \"%1/Tarlok/Dane_pojazdy\"").arg(elsewhere.path()));
    }
};

TARLOK_TEST_MAIN(BackupTest)

#include "tst_backup.moc"
