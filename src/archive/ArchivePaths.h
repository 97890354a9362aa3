#pragma once

#include "platform/Drives.h"

#include <QDate>
#include <QFileInfoList>
#include <QString>

// Where the archive's copies go and come from: the dated archive folders, the drive rules, the files
// a copy takes, and the folders a restore works in beside the data folder.
namespace tarlok::archive {

// Today as the name of a dated archive folder: "05_03_2006".
QString dateFolderName(const QDate& day);

// The drive is the program's drive: the same letter without regard to case ("c:" and "C:"), or,
// without letters, the same folder.
bool isProgramDrive(const Drive& drive, const Drive& program);

// Where a backup on `drive` goes: the archive root and the archive folder inside it (the same folder
// on a floppy, where there is no date folder).
struct BackupPlace {
    QString root;
    QString folder;
};
BackupPlace backupPlace(const Drive& drive, const Drive& program, const QDate& day);

// The restore's test of the chosen folder: on the program's drive it must be P + "Tarlok\Archiwum.Poj"
// or a folder inside it, on another hard disk D + "Archiwum.Poj" or a folder inside it (names compared
// without regard to case); on a floppy any folder passes.
bool isArchiveFolder(const QString& folder, const Drive& drive, const Drive& program);

// A path on the program's drive as the messages write it: "C:\Tarlok\Dane_pojazdy" with a drive
// letter, otherwise the drive prefix's folder followed by the parts. `tail` is written with "\".
QString programPathText(const Drive& program, const QString& tail);

// `name` inside `folder` ("/" and "C:/" included).
QString joined(const QString& folder, const QString& name);
// `folder` is `root` or lies inside it, without regard to case.
bool isSameOrInside(const QString& folder, const QString& root);

// The files a copy takes from a folder, in list order (by name without regard to case), without
// sub-folders and without the temporary files of a copy cut short.
QFileInfoList filesOf(const QString& folder);
qint64 totalBytes(const QFileInfoList& files);
// Sizes and free space are compared in whole kB: bytes / 1024, cut.
inline qint64 wholeKb(qint64 bytes) {
    return bytes / 1024;
}

// The name a file is written under until it is verified and renamed.
QString temporaryName(const QString& fileName);
bool isTemporaryName(const QString& fileName);
// The side files the table engine may leave beside a table file ("-journal", "-wal", "-shm").
QStringList sideFilesOf(const QString& fileName);
bool isSideFile(const QString& fileName);

// Beside the data folder, under P + "tarlok" (never inside the data folder, which backups copy whole):
// the folder a restore copies the archive into, the folder that keeps the files a restore replaced
// (until the next good backup), and the marker of a swap in progress.
QString stagingFolder(const QString& drivePrefix);
QString safetyFolder(const QString& drivePrefix);
QString swapMarker(const QString& drivePrefix);

} // namespace tarlok::archive
