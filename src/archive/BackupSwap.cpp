#include "BackupSwap.h"

#include "ArchivePaths.h"
#include "common/Paths.h"
#include "platform/Drives.h"

#include <QDir>
#include <QFileInfo>

namespace tarlok::archive {

namespace {

const QString kSetAsideSuffix = QStringLiteral(".poprzednia");

// Deletes a whole folder; it first takes a temporary name, so that a deletion cut short leaves nothing
// a restore would take for an archive.
void discard(Drives& drives, const QString& folder) {
    const QString doomed = stagedFolder(folder.chopped(kSetAsideSuffix.size()));
    QDir(doomed).removeRecursively();
    const bool renamed = drives.rename(folder, doomed);
    drives.syncFolder(QFileInfo(folder).path());
    QDir(renamed ? doomed : folder).removeRecursively();
}

} // namespace

QString stagedFolder(const QString& folder) {
    return temporaryName(folder);
}

QString setAsideFolder(const QString& folder) {
    return folder + kSetAsideSuffix;
}

bool putStagedInPlace(Drives& drives, const QString& folder) {
    const QString root = QFileInfo(folder).path();
    const QString staged = stagedFolder(folder);
    const QString aside = setAsideFolder(folder);
    const bool earlier = QFileInfo(folder).isDir();
    if (earlier && !drives.rename(folder, aside))
        return false;
    drives.syncFolder(root);
    if (!drives.rename(staged, folder)) {
        if (earlier)
            drives.rename(aside, folder);
        drives.syncFolder(root);
        return false;
    }
    drives.syncFolder(root);
    if (earlier)
        discard(drives, aside);
    return true;
}

void settleArchiveRoot(Drives& drives, const QString& root) {
    const QStringList names = QDir(root).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (isTemporaryName(name))
            QDir(joined(root, name)).removeRecursively();
    }
    for (const QString& name : names) {
        if (!name.endsWith(kSetAsideSuffix, Qt::CaseInsensitive))
            continue;
        const QString aside = joined(root, name);
        const QString folder = paths::resolve(root, name.chopped(kSetAsideSuffix.size()));
        if (QFileInfo(folder).isDir())
            discard(drives, aside);
        else
            drives.rename(aside, folder);
    }
    drives.syncFolder(root);
}

} // namespace tarlok::archive
