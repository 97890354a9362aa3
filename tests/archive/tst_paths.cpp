// Where backups go and which folders a restore takes, by the drive rules: letters without regard to
// case, floppies without a date folder, drive roots such as "/".
#include "archive/ArchivePaths.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tarlok;

class PathsTest : public QObject {
    Q_OBJECT

private slots:
    void dateFolder() {
        QCOMPARE(archive::dateFolderName(QDate(2006, 3, 5)), QString("05_03_2006"));
        QCOMPARE(archive::dateFolderName(QDate(2024, 12, 31)), QString("31_12_2024"));
    }

    void whereABackupGoes() {
        QTemporaryDir c;
        QTemporaryDir d;
        QTemporaryDir a;
        const Drive program{"C:", c.path(), false};
        const QDate day(2006, 3, 5);
        // "c:" is the program's drive: P + "Tarlok\Archiwum.Poj\05_03_2006".
        const auto own = archive::backupPlace(Drive{"c:", c.path(), false}, program, day);
        QCOMPARE(own.root, c.path() + "/Tarlok/Archiwum.Poj");
        QCOMPARE(own.folder, c.path() + "/Tarlok/Archiwum.Poj/05_03_2006");
        // Another hard disk: D + "ARCHIWUM.Poj\05_03_2006".
        const auto other = archive::backupPlace(Drive{"D:", d.path(), false}, program, day);
        QCOMPARE(other.folder, d.path() + "/ARCHIWUM.Poj/05_03_2006");
        // A floppy: D + "ARCHIWUM.Poj", no date folder.
        const auto floppy = archive::backupPlace(Drive{"A:", a.path(), true}, program, day);
        QCOMPARE(floppy.root, a.path() + "/ARCHIWUM.Poj");
        QCOMPARE(floppy.folder, floppy.root);
        // An existing folder is used whatever the case of its name.
        QVERIFY(QDir().mkpath(c.path() + "/tarlok/ARCHIWUM.POJ"));
        QCOMPARE(archive::backupPlace(program, program, day).folder,
                 c.path() + "/tarlok/ARCHIWUM.POJ/05_03_2006");
    }

    void whichFoldersAreArchives() {
        QTemporaryDir c;
        QTemporaryDir d;
        const Drive program{"C:", c.path(), false};
        const Drive disk{"D:", d.path(), false};
        QVERIFY(archive::isArchiveFolder(c.path() + "/Tarlok/Archiwum.Poj", program, program));
        QVERIFY(archive::isArchiveFolder(c.path() + "/TARLOK/archiwum.poj/05_03_2006", program, program));
        QVERIFY(!archive::isArchiveFolder(c.path() + "/Tarlok/Dane_pojazdy", program, program));
        QVERIFY(!archive::isArchiveFolder(c.path() + "/Tarlok/Archiwum.Pojazdy", program, program));
        QVERIFY(archive::isArchiveFolder(d.path() + "/ARCHIWUM.Poj/05_03_2006", disk, program));
        QVERIFY(!archive::isArchiveFolder(d.path() + "/Inne", disk, program));
        QVERIFY(archive::isArchiveFolder(d.path() + "/Inne", Drive{"A:", d.path(), true}, program));
        // At the root of a drive without letters.
        QVERIFY(archive::isArchiveFolder("/ARCHIWUM.Poj/05_03_2006", Drive{"/", "/", false}, program));
        QCOMPARE(archive::joined("/", "ARCHIWUM.Poj"), QString("/ARCHIWUM.Poj"));
        QCOMPARE(archive::joined("/srv", "ARCHIWUM.Poj"), QString("/srv/ARCHIWUM.Poj"));
    }

    void programsDrive() {
        const Drive program{"C:", "C:/", false};
        QVERIFY(archive::isProgramDrive(Drive{"c:", "C:/", false}, program));
        QVERIFY(!archive::isProgramDrive(Drive{"D:", "D:/", false}, program));
        const Drive prefix{"/home/jan", "/home/jan", false};
        QVERIFY(archive::isProgramDrive(prefix, prefix));
        QVERIFY(!archive::isProgramDrive(Drive{"/media/jan/USB", "/media/jan/USB", false}, prefix));
        // The messages name the drive by its letter, or the drive prefix's folder without one.
        QCOMPARE(archive::programPathText(program, "Tarlok\\Dane_pojazdy"),
                 QString("C:\\Tarlok\\Dane_pojazdy"));
        QCOMPARE(archive::programPathText(prefix, "Tarlok\\Archiwum.Poj"),
                 QDir::toNativeSeparators("/home/jan/Tarlok/Archiwum.Poj"));
    }

    // The system's drives: the drive prefix is a folder; any other drive is there only while a volume is
    // mounted at its folder (the empty mount point an unmounted stick leaves is no drive to write to).
    void systemDrives() {
        QTemporaryDir prefix;
        SystemDrives drives(prefix.path());
        QVERIFY(drives.readable(drives.programDrive()));
        QVERIFY(drives.writable(drives.programDrive()));
        QVERIFY(QDir().mkpath(prefix.path() + "/media/PENDRIVE"));
        const Drive unmounted{"/media/PENDRIVE", prefix.path() + "/media/PENDRIVE", false};
        QVERIFY(!drives.readable(unmounted));
        QVERIFY(!drives.writable(unmounted));
    }
};

QTEST_GUILESS_MAIN(PathsTest)

#include "tst_paths.moc"
