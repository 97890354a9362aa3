// Backups spread over 1440 kB floppies and restored from them one at a time: the floppy's archive
// folder emptied first (a locked file told and passed over), the count of floppies, a file that would
// leave less than 1 kB free going to the next floppy, a file larger than a floppy, a drive without a
// floppy in it.
#include "support/ArchiveDriver.h"
#include "support/TestApp.h"

#include "archive/TKopiujProgram.h"
#include "archive/TOdtwarzanieDanych.h"
#include "ui_TKopiujProgram.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

using namespace tarlok;
using tarlok::test::ArchiveDriver;
using tarlok::test::folderBytes;
using tarlok::test::TestApp;
using Record = ScriptedDialogs::Record;

namespace {

const QString kDone = QStringLiteral("KOPIA PROGRAMU WYKONANA PRAWIDŁOWO");
const QString kRequest = QStringLiteral("PROSZĘ WŁOŻYĆ DYSKIETKĘ ");

void writeFile(const QString& path, qint64 size) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random{quint32(size)};
    for (char& c : bytes)
        c = char(random.bounded(256));
    file.write(bytes);
}

qint64 bytesOf(const QMap<QString, QByteArray>& files) {
    qint64 total = 0;
    for (const QByteArray& bytes : files)
        total += bytes.size();
    return total;
}

// A started program with floppy drive A: holding disk 1; a disk asked for with "PROSZĘ WŁOŻYĆ
// DYSKIETKĘ n" and answered Yes goes into the drive.
struct Floppies {
    QTemporaryDir shelf;
    std::unique_ptr<TestApp> app = TestApp::started(QDateTime(QDate(2006, 3, 5), QTime(9, 30)));

    Floppies() {
        app->drives.addFloppyDrive("A:", shelf.path() + "/A");
        app->drives.insertFloppy("A:", 1);
        app->dialogs.onMessage = [this](const Record& r) {
            bool number = false;
            const int disk = r.text.mid(kRequest.size()).toInt(&number);
            if (r.text.startsWith(kRequest) && number && r.answer)
                app->drives.insertFloppy("A:", disk);
        };
    }
    QString disk(int number) { return app->drives.floppyDisk("A:", number) + "/ARCHIWUM.Poj"; }
    QString data() const { return app->dataFolder(); }
};

} // namespace

class FloppiesTest : public QObject {
    Q_OBJECT

private slots:
    // A floppy that holds an archive folder is emptied first, last file first; a file that cannot be
    // deleted is told and the deleting goes on.
    void floppyEmptiedFirst() {
        Floppies f;
        QDir().mkpath(f.disk(1));
        writeFile(f.disk(1) + "/Stary.db", 3000);
        writeFile(f.disk(1) + "/Zablokowany.db", 2000);
        f.app->drives.inject(SimulatedDrives::Fault::RemoveFails, "Zablokowany.db");
        QStringList deleted;
        auto* ui = f.app->forms().KopiujProgram->ui();
        f.app->drives.onRemove = [&](const QString& path) {
            deleted << QFileInfo(path).fileName() + " | " + ui->LabelKomunikat->text() + " | " +
                           ui->LabelOpisCo->text();
        };
        ArchiveDriver(*f.app).backupTo("A:");
        QCOMPARE(deleted, (QStringList{"Zablokowany.db | USUWAM ZBIORY Z DYSKIETKI | Usuwam:",
                                       "Stary.db | USUWAM ZBIORY Z DYSKIETKI | Usuwam:"}));
        QCOMPARE(f.app->dialogs.texts(), (QStringList{"Pliku Zablokowany.db NIE MOŻNA USUNĄĆ", kDone}));
        QCOMPARE(f.app->dialogs.messages().first().caption, QString("Błąd"));
        QCOMPARE(ui->LabelOpisCo->text(), QString("Kopiuję:"));
        QCOMPARE(ui->LabelOpisWszystkie->text(), QString("Kopia wszystkich zbiorów"));
        auto expected = folderBytes(f.data());
        const auto onFloppy = folderBytes(f.disk(1));
        expected.insert("Zablokowany.db", onFloppy.value("Zablokowany.db"));
        QCOMPARE(onFloppy, expected);
    }

    // 3000 kB of data on 1440 kB floppies: at least 3 (3000 / 1440 = 2, plus 1). No copies nothing;
    // Yes spreads the files whole over the floppies asked for, and each floppy restores on its own.
    void threeThousandKilobytes() {
        Floppies f;
        const qint64 tables = bytesOf(folderBytes(f.data()));
        writeFile(f.data() + "/Dane1.bin", 1000 * 1024);
        writeFile(f.data() + "/Dane2.bin", 1000 * 1024);
        writeFile(f.data() + "/Dane3.bin", 1000 * 1024 - tables);
        const auto data = folderBytes(f.data());
        QCOMPARE(bytesOf(data), 3000 * 1024);

        f.app->dialogs.answerNo();
        ArchiveDriver(*f.app).backupTo("A:");
        QCOMPARE(f.app->dialogs.texts(), (QStringList{"ILOŚĆ DYSKIETEK DO WYKONANIA KOPII BAZY MIN 3",
                                                      "TWORZYMY KOPIE BAZY NA DYSKIETKACH ??"}));
        QCOMPARE(f.app->dialogs.last().caption, QString("KOPIUJEMY"));
        QVERIFY(folderBytes(f.disk(1)).isEmpty());

        // The tables and Dane1 fill the first floppy but for about 430 kB, Dane2 goes on the second,
        // Dane3 and the rest on the third.
        f.app->dialogs.clear();
        for (int i = 0; i < 3; ++i)
            f.app->dialogs.answerYes();
        ArchiveDriver(*f.app).backupTo("A:");
        QCOMPARE(f.app->dialogs.texts(), (QStringList{"ILOŚĆ DYSKIETEK DO WYKONANIA KOPII BAZY MIN 3",
                                                      "TWORZYMY KOPIE BAZY NA DYSKIETKACH ??", kRequest + "2",
                                                      kRequest + "3", kDone}));
        QMap<QString, QByteArray> spread;
        for (int disk = 1; disk <= 3; ++disk) {
            const auto files = folderBytes(f.disk(disk));
            QVERIFY(bytesOf(files) <= 1440 * 1024);
            for (auto it = files.begin(); it != files.end(); ++it) {
                QVERIFY2(!spread.contains(it.key()), qPrintable(it.key() + " twice"));
                spread.insert(it.key(), it.value());
            }
        }
        QCOMPARE(spread, data);
        QVERIFY(folderBytes(f.disk(2)).contains("Dane2.bin"));

        // Restored one floppy at a time, each run whole.
        for (const char* name : {"Dane1.bin", "Dane2.bin", "Dane3.bin"})
            writeFile(f.data() + "/" + QString::fromLatin1(name), 10);
        f.app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 1}, {"Trasa", "Po kopii"}});
        for (int disk = 1; disk <= 3; ++disk) {
            f.app->drives.insertFloppy("A:", disk);
            f.app->dialogs.clear();
            ArchiveDriver(*f.app).restoreFrom("A:", f.disk(disk));
            // A floppy's folder has no date in its name: the question names the day its files were written.
            QCOMPARE(f.app->dialogs.texts().size(), 2);
            QVERIFY(f.app->dialogs.texts().first().startsWith(
                ArchiveDriver::restoreQuestion(f.disk(disk), QString())
                    .section(QLatin1String(" z dnia"), 0, 0)));
            QCOMPARE(f.app->dialogs.lastText(), QString("ODTWARZANIE DANYCH ZAKOŃCZONE SUKCESEM "));
        }
        QCOMPARE(folderBytes(f.data()), data);
    }

    // A file that would leave less than 1 kB free goes to the next floppy; one that leaves 1 kB stays.
    void lessThanOneKilobyteLeft_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("diskOfTheNext");
        QTest::newRow("0 kB left") << 0 << 2;
        QTest::newRow("1 kB left") << 1 << 1;
    }
    void lessThanOneKilobyteLeft() {
        QFETCH(int, left);
        QFETCH(int, diskOfTheNext);
        Floppies f;
        // "A.bin" is copied first; the purposes table comes next.
        const qint64 next = QFileInfo(f.data() + "/Cel_Wyj.db").size() / 1024;
        QVERIFY2(next > 0, qPrintable(QDir(f.data()).entryList(QDir::Files).join(" ")));
        writeFile(f.data() + "/A.bin", (1440 - next - left) * 1024);
        for (int i = 0; i < 3; ++i)
            f.app->dialogs.answerYes();
        ArchiveDriver(*f.app).backupTo("A:");
        QVERIFY2(f.app->dialogs.contains(kDone), qPrintable(f.app->dialogs.texts().join(" | ")));
        QVERIFY(folderBytes(f.disk(1)).contains("A.bin"));
        QVERIFY(folderBytes(f.disk(diskOfTheNext)).contains("Cel_Wyj.db"));
        QCOMPARE(f.app->dialogs.contains(kRequest + "2"), true);
    }

    // A file larger than an empty floppy stops the backup.
    void fileLargerThanAFloppy() {
        Floppies f;
        writeFile(f.data() + "/A.bin", 1500 * 1024);
        for (int i = 0; i < 3; ++i)
            f.app->dialogs.answerYes();
        ArchiveDriver(*f.app).backupTo("A:");
        QCOMPARE(f.app->dialogs.texts().mid(2),
                 (QStringList{kRequest + "2", "Plik przekracza pojemność dyskietki - kopia przerwana"}));
        QVERIFY(folderBytes(f.disk(1)).isEmpty() && folderBytes(f.disk(2)).isEmpty());
    }

    // No floppy in the drive: the click on the drive asks for one; the backup asks for floppy 1 again
    // while the user says Yes, and No ends it with the program's drive chosen again. The restore
    // says it cannot read the floppy.
    void noFloppyInTheDrive() {
        Floppies f;
        f.app->dialogs.onMessage = nullptr;
        f.app->drives.ejectFloppy("A:");
        f.app->dialogs.answerNo();
        f.app->dialogs.answerYes();
        f.app->dialogs.answerNo();
        ArchiveDriver(*f.app).backupTo("A:");
        QCOMPARE(f.app->dialogs.texts(), (QStringList{kRequest, kRequest + "1", kRequest + "1"}));
        QCOMPARE(f.app->dialogs.messages().first().caption, QString("KOPIUJEMY"));
        QCOMPARE(f.app->forms().KopiujProgram->ui()->DyskDlaArchiwum->currentText(), QString("C:"));

        f.app->dialogs.clear();
        f.app->dialogs.answerNo();
        ArchiveDriver(*f.app).restoreWindow([](TOdtwarzanieDanych& w) {
            ArchiveDriver::chooseDrive(w, "A:");
            QTest::mouseClick(w.findChild<QPushButton*>("Odtworz"), Qt::LeftButton);
        });
        QCOMPARE(
            f.app->dialogs.texts(),
            (QStringList{kRequest, "PROBLEMY ODTWORZENIA DANYCH Z DYSKIETKI - ODTWÓRZ Z DYSKU TWARDEGO"}));
    }
};

TARLOK_TEST_MAIN(FloppiesTest)

#include "tst_floppies.moc"
