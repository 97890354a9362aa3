// The restore: all of the archive or nothing. A good restore replaces the data files byte for byte,
// keeps what it replaced and leaves files the archive lacks; the folder test and the empty-folder
// message; every fault before the swap leaves the data folder as it was; a stale journal beside a
// replaced table does not roll back into it; an older archive comes back upgraded.
#include "support/ArchiveDriver.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "app/TParametry1.h"
#include "archive/TOdtwarzanieDanych.h"
#include "common/Paths.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Schema.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TOdtwarzanieDanych.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

using namespace tarlok;
using tarlok::test::ArchiveDriver;
using tarlok::test::folderBytes;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;
using Fault = SimulatedDrives::Fault;

namespace {

const QString kSuccess = QStringLiteral("ODTWARZANIE DANYCH ZAKOŃCZONE SUKCESEM ");
const QString kIncomplete = QStringLiteral("NIEPEŁNE ODTWORZENIE DANYCH");
const QDateTime kFifthOfMarch(QDate(2006, 3, 5), QTime(9, 30));

// Trips written straight into the file, in one transaction.
void addTrips(const QString& dataFolder, int count, const QString& route) {
    sqlite::Handle handle(dataFolder + "/Przejazdy.db", false);
    handle.exec("BEGIN");
    for (int i = 0; i < count; ++i)
        handle.exec(
            QStringLiteral("INSERT INTO Przejazdy (NrKol_Pojazdu, Rok, Miesiac, Data, Trasa, Kilometry) "
                           "VALUES (1, 2006, 2, '2006-02-%1', '%2 %3', 10)")
                .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                .arg(route)
                .arg(i));
    handle.exec("COMMIT");
}

QStringList routes(const QString& tableFile) {
    sqlite::Handle handle(tableFile, false);
    sqlite::Statement st(handle.get(), "SELECT Trasa FROM Przejazdy ORDER BY rowid", "test");
    QStringList out;
    while (st.step())
        out << st.text(0);
    return out;
}

QString integrity(const QString& tableFile) {
    sqlite::Handle handle(tableFile, false);
    sqlite::Statement st(handle.get(), "PRAGMA integrity_check", "test");
    return st.step() ? st.text(0) : QString();
}

// Leaves a journal beside the table as a program killed in the middle of a deletion does.
void leaveHotJournal(const QString& tableFile) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--hot-journal", tableFile});
    QVERIFY(child.waitForFinished(60000));
    QVERIFY2(QFileInfo(tableFile + "-journal").size() > 512, "no journal was left");
}

// A firm's data backed up on the 5th of March (one vehicle, five trips) and changed since (a second
// vehicle, many more trips).
struct Morning {
    std::unique_ptr<TestApp> app;
    QString dated;
    QMap<QString, QByteArray> archived;
};

Morning backedUpAndChanged() {
    Morning m;
    m.app = TestApp::started(kFifthOfMarch);
    m.app->addVehicle(1, "KR 1111", 1400);
    m.app->addPeriod(2006, 3);
    addTrips(m.app->dataFolder(), 5, "Rano");
    ArchiveDriver(*m.app).backupTo("C:");
    m.dated = paths::resolve(m.app->drive(), "Tarlok/Archiwum.Poj/05_03_2006");
    m.archived = folderBytes(m.dated);
    m.app->addVehicle(2, "KR 2222", 899);
    addTrips(m.app->dataFolder(), 2000, "Po południu - Kraków - Wieliczka - Bochnia");
    m.app->dialogs.clear();
    return m;
}

bool leftNothingBehind(const TestApp& app) {
    const QString tarlok = paths::resolve(app.drive(), "tarlok");
    return !QFileInfo::exists(tarlok + "/odtwarzanie.tymczasowe") &&
           !QFileInfo::exists(tarlok + "/odtwarzanie.znacznik");
}

} // namespace

class RestoreTest : public QObject {
    Q_OBJECT

private slots:
    // Every archived file comes back byte for byte, what it replaced is kept until the next good backup,
    // and a file the archive lacks stays; the register then shows the archived data.
    void restoreBringsBackTheArchive() {
        Morning m = backedUpAndChanged();
        TestApp& app = *m.app;
        const QString data = app.dataFolder();
        {
            QFile notes(data + "/Notatki.txt");
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("notatki");
        }
        const auto before = folderBytes(data);
        ArchiveDriver(app).restoreFrom("C:", m.dated);
        const QStringList asked{ArchiveDriver::restoreQuestion(m.dated, "05.03.2006"), kSuccess};
        QCOMPARE(app.dialogs.texts(), asked);
        QCOMPARE(app.dialogs.messages().first().caption, QString("WYBIERZ"));

        const auto after = folderBytes(data);
        for (auto it = m.archived.begin(); it != m.archived.end(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
        QCOMPARE(after.value("Notatki.txt"), QByteArray("notatki"));
        QCOMPARE(after.size(), m.archived.size() + 1);
        const auto kept = folderBytes(paths::resolve(app.drive(), "tarlok/dane_sprzed_odtworzenia"));
        QCOMPARE(kept.size(), m.archived.size());
        for (auto it = kept.begin(); it != kept.end(); ++it)
            QVERIFY2(before.value(it.key()) == it.value(), qPrintable(it.key()));
        QVERIFY(leftNothingBehind(app));

        app.openRegister();
        QCOMPARE(app.dialogs.texts(), asked);
        QCOMPARE(app.data().TablePojazdy->recordCount(), 1);

        app.dialogs.clear();
        ArchiveDriver(app).backupTo("C:");
        QCOMPARE(app.dialogs.texts(), QStringList{"KOPIA PROGRAMU WYKONANA PRAWIDŁOWO"});
        QVERIFY(!QFileInfo::exists(paths::resolve(app.drive(), "tarlok/dane_sprzed_odtworzenia")));
    }

    // The folder test: the data folder, or a folder on another disk outside its "Archiwum.Poj", is not
    // an archive; the program's archive root passes but holds only dated folders; a dated folder on
    // another disk passes whatever the case of "ARCHIWUM.Poj".
    void whichFoldersAreArchives() {
        QTemporaryDir disk;
        Morning m = backedUpAndChanged();
        TestApp& app = *m.app;
        app.drives.addDisk("D:", disk.path(), 10 * 1024 * 1024);
        QDir().mkpath(disk.path() + "/Inne");
        QFile::copy(m.dated + "/Pojazdy.db", disk.path() + "/Inne/Pojazdy.db");
        const auto before = folderBytes(app.dataFolder());
        ArchiveDriver driver(app);

        driver.restoreFrom("C:", app.dataFolder());
        QCOMPARE(app.dialogs.texts(), QStringList{"TO NIE JEST KATALOG ARCHIWUM"});
        driver.restoreFrom("D:", disk.path() + "/Inne");
        QCOMPARE(app.dialogs.lastText(), QString("TO NIE JEST KATALOG ARCHIWUM"));
        driver.restoreFrom("C:", paths::resolve(app.drive(), "Tarlok/Archiwum.Poj"));
        QCOMPARE(app.dialogs.lastText(),
                 QString("NIE MOZNA KOPIOWAĆ KATALOGÓW - KLIKNIJ DWA RAZY WYBRANY KATALOG"));
        QCOMPARE(app.dialogs.messages().size(), 3);
        QCOMPARE(folderBytes(app.dataFolder()), before);
        QVERIFY(app.forms().Parametry1->TableParametry->isActive());

        QDir().mkpath(disk.path() + "/ARCHIWUM.Poj/05_03_2006");
        for (auto it = m.archived.begin(); it != m.archived.end(); ++it)
            QFile::copy(m.dated + "/" + it.key(), disk.path() + "/ARCHIWUM.Poj/05_03_2006/" + it.key());
        app.dialogs.clear();
        driver.restoreFrom("D:", disk.path() + "/ARCHIWUM.Poj/05_03_2006");
        QCOMPARE(app.dialogs.texts(),
                 (QStringList{
                     ArchiveDriver::restoreQuestion(disk.path() + "/ARCHIWUM.Poj/05_03_2006", "05.03.2006"),
                     kSuccess}));
        QCOMPARE(folderBytes(app.dataFolder()), m.archived);
    }

    // Whatever goes wrong before the swap, or during it, the data folder stays as it was, byte for
    // byte, with nothing left beside it.
    void faultsLeaveTheDataAsTheyWere_data() {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("message");
        QTest::newRow("damaged table in the archive") << "damaged" << kIncomplete;
        QTest::newRow("archived file unreadable") << "unreadable" << kIncomplete;
        QTest::newRow("short write") << "short" << QString("Błąd odtwarzania");
        QTest::newRow("write fails") << "write" << kIncomplete;
        QTest::newRow("disk loses data") << "loses" << kIncomplete;
        QTest::newRow("swap cannot move a file") << "rename" << kIncomplete;
    }
    void faultsLeaveTheDataAsTheyWere() {
        QFETCH(QString, what);
        QFETCH(QString, message);
        Morning m = backedUpAndChanged();
        TestApp& app = *m.app;
        if (what == "damaged") {
            QFile table(m.dated + "/Koszty.db");
            QVERIFY(table.size() >= 3 * 4096);
            QVERIFY(table.open(QIODevice::ReadWrite));
            table.seek(4096);
            table.write(QByteArray(4096, char(0xff)));
        } else if (what == "unreadable") {
            app.drives.inject(Fault::OpenReadFails, "05_03_2006/Koszty.db");
        } else if (what == "short") {
            app.drives.inject(Fault::WriteShort, "odtwarzanie.tymczasowe/Przejazdy.db", 1024);
        } else if (what == "write") {
            app.drives.inject(Fault::WriteFails, "odtwarzanie.tymczasowe/Przejazdy.db", 1024);
        } else if (what == "loses") {
            app.drives.inject(Fault::LosesData, "odtwarzanie.tymczasowe/Pojazdy.db");
        } else {
            // Files before it in the list are swapped already and must be put back.
            app.drives.inject(Fault::RenameFails, "dane_pojazdy/Przejazdy.db");
        }
        const auto before = folderBytes(app.dataFolder());
        Table* parameters = app.forms().Parametry1->TableParametry;
        ArchiveDriver(app).restoreFrom("C:", m.dated);
        QCOMPARE(app.dialogs.texts(),
                 (QStringList{ArchiveDriver::restoreQuestion(m.dated, "05.03.2006"), message}));
        QCOMPARE(folderBytes(app.dataFolder()), before);
        QVERIFY(leftNothingBehind(app));
        QVERIFY(parameters->isActive());
        QCOMPARE(routes(app.dataFolder() + "/Przejazdy.db").size(), 2005);
    }

    // A drive unmounted after its archive folder was chosen: the user is told, no other drive stands in
    // for it, and the data folder stays as it was.
    void aDriveGoneBeforeRestoring() {
        QTemporaryDir disk;
        Morning m = backedUpAndChanged();
        TestApp& app = *m.app;
        app.drives.addDisk("D:", disk.path(), 10 * 1024 * 1024);
        ArchiveDriver driver(app);
        driver.backupTo("D:");
        addTrips(app.dataFolder(), 5, "Wieczorem");
        const auto before = folderBytes(app.dataFolder());
        app.dialogs.clear();
        driver.restoreWindow([&](TOdtwarzanieDanych& w) {
            ArchiveDriver::chooseDrive(w, "D:");
            ArchiveDriver::openFolder(w, disk.path() + "/ARCHIWUM.Poj/05_03_2006");
            app.drives.setMounted("D:", false);
            QTest::mouseClick(w.ui()->Odtworz, Qt::LeftButton);
        });
        QCOMPARE(app.dialogs.texts(),
                 QStringList{"DYSK \"D:\" JEST NIEDOSTĘPNY - DANE NIE ZOSTAŁY ODTWORZONE"});
        QCOMPARE(folderBytes(app.dataFolder()), before);
        QVERIFY(leftNothingBehind(app));
    }

    // A journal left beside the replaced trips table goes with it: the restored table reads as
    // archived. A journal that came with the archive is settled in the staging folder first.
    void journals() {
        Morning m = backedUpAndChanged();
        TestApp& app = *m.app;
        const QString data = app.dataFolder();
        leaveHotJournal(data + "/Przejazdy.db");
        ArchiveDriver(app).restoreFrom("C:", m.dated);
        QCOMPARE(app.dialogs.texts(),
                 (QStringList{ArchiveDriver::restoreQuestion(m.dated, "05.03.2006"), kSuccess}));
        QVERIFY(!QFileInfo::exists(data + "/Przejazdy.db-journal"));
        QCOMPARE(routes(data + "/Przejazdy.db"),
                 (QStringList{"Rano 0", "Rano 1", "Rano 2", "Rano 3", "Rano 4"}));
        QCOMPARE(integrity(data + "/Przejazdy.db"), QString("ok"));

        // An archive cut in the middle of deleting every trip, with its journal.
        addTrips(m.dated, 2000, "W archiwum");
        leaveHotJournal(m.dated + "/Przejazdy.db");
        app.dialogs.clear();
        ArchiveDriver(app).restoreFrom("C:", m.dated);
        QCOMPARE(app.dialogs.texts(),
                 (QStringList{ArchiveDriver::restoreQuestion(m.dated, "05.03.2006"), kSuccess}));
        QVERIFY(!QFileInfo::exists(data + "/Przejazdy.db-journal"));
        QCOMPARE(routes(data + "/Przejazdy.db").size(), 2005);
        QCOMPARE(integrity(data + "/Przejazdy.db"), QString("ok"));
    }

    // An archive from before the upgrades: its tables come back, the schema actions add the later
    // fields, and the register opens on them without a field error.
    void olderArchiveIsUpgraded() {
        auto app = TestApp::started(kFifthOfMarch);
        const QString old = paths::ensureFolder(app->drive(), "Tarlok/Archiwum.Poj/01_02_2005");
        Database archive;
        QStringList installed;
        for (const TableDef* def : tables::installed())
            installed << def->fileName();
        schema::createInstalledTables(archive, old, installed);
        archive.createTable(old, tables::terminy(), tables::terminy().fieldsOf(FieldOrigin::Base));
        {
            Table vehicles(archive);
            vehicles.setDatabaseName(old);
            vehicles.setTableName("Pojazdy");
            vehicles.open();
            vehicles.append();
            vehicles.setValue("NrKol_Pojazdu", 1);
            vehicles.setValue("Nr_rej", "KR 2005");
            vehicles.setValue("Uzywany", true);
            vehicles.post();
            Table periods(archive);
            periods.setDatabaseName(old);
            periods.setTableName("Okresy");
            periods.open();
            periods.append();
            periods.setValue("Rok", 2005);
            periods.setValue("Miesiac", 1);
            periods.post();
        }
        ArchiveDriver(*app).restoreFrom("C:", old);
        QCOMPARE(app->dialogs.texts(),
                 (QStringList{ArchiveDriver::restoreQuestion(old, "01.02.2005"),
                              "TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE",
                              "TABLICA Kosztów ZOSTAŁA ROZSZERZONA POPRAWNIE",
                              "TABLICA Pojazdów ZOSTAŁA ROZSZERZONA POPRAWNIE",
                              "TABLICA Terminow ZOSTAŁA ROZSZERZONA POPRAWNIE", kSuccess}));
        QVERIFY(schema::missingUpgrades(app->database, app->dataFolder()).empty());
        app->dialogs.clear();
        app->openRegister();
        QCOMPARE(app->dialogs.texts(), QStringList());
        QVERIFY(app->forms().Ewidencja_przejazdow->isVisible());
        QCOMPARE(app->data().TablePojazdy->asString("Nr_rej"), QString("KR 2005"));
    }

    // A trip being entered holds the restore; nothing is closed or copied.
    void aTripBeingEnteredHoldsTheRestore() {
        Morning m = backedUpAndChanged();
        TestApp& app = *m.app;
        app.openRegisterOnAVehicle();
        RegisterDriver reg(app);
        reg.chooseTab(RegisterDriver::Tab::Trips);
        reg.newTrip();
        reg.type(RegisterDriver::Box::Route, "Kraków - Tarnów");
        const auto before = folderBytes(app.dataFolder());
        ArchiveDriver(app).restoreFrom("C:", m.dated);
        QCOMPARE(app.dialogs.texts(), QStringList{app.data().TablePrzejazdy->pendingGuard()});
        QCOMPARE(folderBytes(app.dataFolder()), before);
        QVERIFY(app.forms().Ewidencja_przejazdow->isVisible());
        QVERIFY(app.data().TablePrzejazdy->isEditing());
    }

    void texts() {
        auto app = TestApp::started(kFifthOfMarch);
        TOdtwarzanieDanych& w = *app->forms().OdtwarzanieDanych;
        QCOMPARE(w.windowTitle(), QString("ODTWARZANIE DANYCH PROGRAMU TARLOK"));
        QCOMPARE(w.ui()->Odtworz->text(), QString("&Odtwarzaj"));
        QCOMPARE(w.ui()->LabelOpisCo->text(), QString("Odtwarzam :"));
        QCOMPARE(w.ui()->LabelOpisGdzie->text(), QString("Do :"));
        QCOMPARE(w.ui()->LabelOpisPlik->text(), QString("Odtworzono"));
        QCOMPARE(w.ui()->LabelOpisWszystkie->text(), QString("Odtwarzanie wszystkich danych"));
        ArchiveDriver(*app).restoreWindow([](TOdtwarzanieDanych& shown) {
            QCOMPARE(shown.ui()->LabelIleMiejsca->text().section(' ', 0, 4),
                     QString("Wolnego miejsca na dysku jest"));
            QTest::mouseClick(shown.ui()->Pomoc, Qt::LeftButton);
        });
        QCOMPARE(app->help.shown().last().topic, 11);
        QTemporaryDir elsewhere;
        app->drives.setProgramDrive("C:", elsewhere.path());
        ArchiveDriver(*app).restoreWindow(
            [](TOdtwarzanieDanych& shown) { QTest::mouseClick(shown.ui()->Wyjscie, Qt::LeftButton); });
        QCOMPARE(app->dialogs.lastText(),
                 QString("ARCHIWUM NIE ZNAJDUJE SIĘ W KATALOGU \"C:\\Tarlok\\Archiwum.Poj\""));
    }
};

int main(int argc, char** argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--hot-journal") {
        // Deletes every trip with a cache too small to hold the change and dies before the commit.
        sqlite::Handle handle(QString::fromLocal8Bit(argv[2]), false);
        handle.exec("PRAGMA cache_size=10");
        handle.exec("BEGIN IMMEDIATE");
        handle.exec("DELETE FROM Przejazdy");
        std::fflush(nullptr);
        std::_Exit(0);
    }
    QApplication application(argc, argv);
    tarlok::test::usePolishLocale();
    RestoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_restore.moc"
