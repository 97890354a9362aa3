#include "ArchivePaths.h"

#include "common/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace tarlok::archive {

namespace {

const QString kTemporarySuffix = QStringLiteral(".tymczasowy");

QString clean(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString tarlokFolder(const QString& drivePrefix) {
    return paths::resolve(drivePrefix, QStringLiteral("tarlok"));
}

} // namespace

QString joined(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool isSameOrInside(const QString& folder, const QString& root) {
    const QString f = clean(folder);
    const QString r = clean(root);
    return f.compare(r, Qt::CaseInsensitive) == 0 || f.startsWith(joined(r, QString()), Qt::CaseInsensitive);
}

QString dateFolderName(const QDate& day) {
    return day.toString(QStringLiteral("dd_MM_yyyy"));
}

bool isProgramDrive(const Drive& drive, const Drive& program) {
    const QString letter = drive.letter();
    if (!letter.isEmpty() || !program.letter().isEmpty())
        return letter == program.letter();
    return clean(drive.root) == clean(program.root);
}

BackupPlace backupPlace(const Drive& drive, const Drive& program, const QDate& day) {
    BackupPlace place;
    if (drive.floppy) {
        place.root = paths::resolve(drive.root, QStringLiteral("ARCHIWUM.Poj"));
        place.folder = place.root;
    } else if (isProgramDrive(drive, program)) {
        place.root = paths::resolve(program.root, QStringLiteral("Tarlok/Archiwum.Poj"));
        place.folder = paths::resolve(place.root, dateFolderName(day));
    } else {
        place.root = paths::resolve(drive.root, QStringLiteral("ARCHIWUM.Poj"));
        place.folder = paths::resolve(place.root, dateFolderName(day));
    }
    return place;
}

bool isArchiveFolder(const QString& folder, const Drive& drive, const Drive& program) {
    if (drive.floppy)
        return true;
    if (isProgramDrive(drive, program))
        return isSameOrInside(folder, paths::resolve(program.root, QStringLiteral("Tarlok/Archiwum.Poj")));
    return isSameOrInside(folder, paths::resolve(drive.root, QStringLiteral("Archiwum.Poj")));
}

QString programPathText(const Drive& program, const QString& tail) {
    const QString letter = program.letter();
    if (!letter.isEmpty())
        return letter + QStringLiteral(":\\") + tail;
    QString parts = tail;
    parts.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::toNativeSeparators(joined(QDir::cleanPath(program.root), parts));
}

QFileInfoList filesOf(const QString& folder) {
    QFileInfoList files;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& file : entries) {
        if (!isTemporaryName(file.fileName()))
            files.append(file);
    }
    return files;
}

qint64 totalBytes(const QFileInfoList& files) {
    qint64 total = 0;
    for (const QFileInfo& file : files)
        total += file.size();
    return total;
}

QString temporaryName(const QString& fileName) {
    return fileName + kTemporarySuffix;
}

bool isTemporaryName(const QString& fileName) {
    return fileName.endsWith(kTemporarySuffix, Qt::CaseInsensitive);
}

QStringList sideFilesOf(const QString& fileName) {
    return {fileName + QStringLiteral("-journal"), fileName + QStringLiteral("-wal"),
            fileName + QStringLiteral("-shm")};
}

bool isSideFile(const QString& fileName) {
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        if (fileName.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QString stagingFolder(const QString& drivePrefix) {
    return paths::resolve(tarlokFolder(drivePrefix), QStringLiteral("odtwarzanie.tymczasowe"));
}

QString safetyFolder(const QString& drivePrefix) {
    return paths::resolve(tarlokFolder(drivePrefix), QStringLiteral("dane_sprzed_odtworzenia"));
}

QString swapMarker(const QString& drivePrefix) {
    return paths::resolve(tarlokFolder(drivePrefix), QStringLiteral("odtwarzanie.znacznik"));
}

} // namespace tarlok::archive
