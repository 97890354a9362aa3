#include "RestoreSwap.h"

#include "ArchivePaths.h"
#include "common/Paths.h"
#include "platform/Drives.h"
#include "store/EngineError.h"
#include "store/Sqlite.h"
#include "store/TableDef.h"
#include "store/Tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace tarlok::archive {

namespace {

const QByteArray kMarkerHeader = "TARLOK ODTWARZANIE 1";

bool exists(const QString& path) {
    return QFileInfo::exists(path);
}

QString in(const QString& folder, const QString& name) {
    return folder + QLatin1Char('/') + name;
}

// The side files beside `target` in the data folder, by their existing spelling.
QStringList sideFilesPresent(const QString& dataFolder, const QString& target) {
    QStringList present;
    for (const QString& side : sideFilesOf(target)) {
        const QString path = paths::fileIn(dataFolder, side);
        if (QFileInfo(path).isFile())
            present.append(QFileInfo(path).fileName());
    }
    return present;
}

// One file's swap; the steps already done are skipped, so a swap cut short can be run again. The
// folders are forced onto the disk once every file is swapped: the marker, on the disk before the first
// rename, stays until then.
bool swapOne(Drives& drives, const SwapPlan& plan, const SwapEntry& entry) {
    const QString staged = in(plan.staging, entry.staged);
    if (!exists(staged))
        return true; // swapped already
    for (const QString& side : sideFilesPresent(plan.dataFolder, entry.target)) {
        if (!drives.rename(in(plan.dataFolder, side), in(plan.safety, side)))
            return false;
    }
    const QString target = in(plan.dataFolder, entry.target);
    if (exists(target) && !drives.rename(target, in(plan.safety, entry.target)))
        return false;
    return drives.rename(staged, target);
}

// Forces the renames of a swap (or of its undoing) onto the disk, before its marker goes.
void syncSwapFolders(Drives& drives, const SwapPlan& plan) {
    drives.syncFolder(plan.safety);
    drives.syncFolder(plan.dataFolder);
}

// Puts one file back as it was before its swap; false when it cannot.
bool undoOne(Drives& drives, const SwapPlan& plan, const SwapEntry& entry) {
    const QString staged = in(plan.staging, entry.staged);
    const QString target = in(plan.dataFolder, entry.target);
    if (!exists(staged) && exists(target) && !drives.rename(target, staged))
        return false;
    const QString kept = in(plan.safety, entry.target);
    if (exists(kept) && !drives.rename(kept, target))
        return false;
    for (const QString& side : sideFilesOf(entry.target)) {
        const QString keptSide = in(plan.safety, side);
        if (exists(keptSide) && !drives.rename(keptSide, in(plan.dataFolder, side)))
            return false;
    }
    return true;
}

bool writeMarker(Drives& drives, const SwapPlan& plan) {
    QByteArray text = kMarkerHeader + '\n';
    for (const SwapEntry& entry : plan.entries)
        text += entry.staged.toUtf8() + '\t' + entry.target.toUtf8() + '\n';
    const QString temporary = plan.marker + QStringLiteral(".nowy");
    auto file = drives.openWrite(temporary);
    if (!file)
        return false;
    const bool written = file->write(text.constData(), text.size()) == text.size() && file->sync();
    if (!file->close() || !written || !drives.rename(temporary, plan.marker)) {
        drives.remove(temporary);
        return false;
    }
    return drives.syncFolder(QFileInfo(plan.marker).path());
}

bool readMarker(const QString& marker, QList<SwapEntry>& entries) {
    QFile file(marker);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.first() != kMarkerHeader)
        return false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        const QList<QByteArray> parts = lines[i].split('\t');
        if (parts.size() != 2)
            return false;
        entries.append(SwapEntry{QString::fromUtf8(parts[0]), QString::fromUtf8(parts[1])});
    }
    return true;
}

void removeMarker(Drives& drives, const SwapPlan& plan) {
    drives.remove(plan.marker);
    drives.syncFolder(QFileInfo(plan.marker).path());
}

void emptyFolder(Drives& drives, const QString& folder) {
    for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
        drives.remove(file.filePath());
}

} // namespace

const TableDef* tableOfFile(const QString& fileName) {
    for (const TableDef* table : tables::all()) {
        if (table->fileName().compare(fileName, Qt::CaseInsensitive) == 0)
            return table;
    }
    return nullptr;
}

bool opensAsTable(const QString& path, const TableDef& table) {
    const QString name = QFileInfo(path).fileName();
    try {
        sqlite::Handle handle(path, false);
        sqlite::Statement check(handle.get(), QStringLiteral("PRAGMA quick_check"), name);
        if (!check.step() || check.text(0) != QLatin1String("ok") || check.step())
            return false;
        sqlite::Statement columns(handle.get(), QStringLiteral("SELECT name FROM pragma_table_info(?)"),
                                  name);
        columns.bindText(1, table.name);
        QSet<QString> present;
        while (columns.step())
            present.insert(columns.text(0).toLower());
        if (present.isEmpty())
            return false;
        for (const FieldDef& field : table.fieldsOf(FieldOrigin::Base)) {
            if (!present.contains(field.name.toLower()))
                return false;
        }
        return true;
    } catch (const EngineError&) {
        return false;
    }
}

TableChecks::TableChecks() {
    m_pool.setMaxThreadCount(1);
}

TableChecks::~TableChecks() {
    m_pool.clear();
    m_pool.waitForDone();
}

void TableChecks::add(const QString& path, const TableDef& table) {
    m_pool.start([this, path, &table] {
        if (!m_failed && !opensAsTable(path, table))
            m_failed = true;
    });
}

bool TableChecks::allPassed(const std::function<void()>& whileWaiting, int everyMs) {
    while (!m_pool.waitForDone(everyMs)) {
        if (whileWaiting)
            whileWaiting();
    }
    return !m_failed;
}

void settleTableFile(const QString& path) {
    try {
        sqlite::Handle handle(path, false);
        sqlite::Statement read(handle.get(), QStringLiteral("SELECT count(*) FROM sqlite_master"),
                               QFileInfo(path).fileName());
        read.step();
    } catch (const EngineError&) {
        // A file the engine cannot read is copied as it is.
    }
}

SwapPlan planSwap(const QString& drivePrefix, const QString& dataFolder) {
    SwapPlan plan;
    plan.dataFolder = dataFolder;
    plan.staging = stagingFolder(drivePrefix);
    plan.safety = safetyFolder(drivePrefix);
    plan.marker = swapMarker(drivePrefix);
    for (const QFileInfo& file : filesOf(plan.staging)) {
        if (isSideFile(file.fileName()))
            continue;
        const QString target = QFileInfo(paths::fileIn(dataFolder, file.fileName())).fileName();
        plan.entries.append(SwapEntry{file.fileName(), target});
    }
    return plan;
}

bool swapIn(Drives& drives, const SwapPlan& plan) {
    if (!QDir().mkpath(plan.safety))
        return false;
    emptyFolder(drives, plan.safety);
    drives.syncFolder(plan.safety);
    if (!writeMarker(drives, plan))
        return false;
    for (qsizetype i = 0; i < plan.entries.size(); ++i) {
        if (swapOne(drives, plan, plan.entries[i]))
            continue;
        for (qsizetype j = i; j >= 0; --j) {
            if (!undoOne(drives, plan, plan.entries[j]))
                return false; // the marker stays: the next start finishes the swap
        }
        syncSwapFolders(drives, plan);
        removeMarker(drives, plan);
        return false;
    }
    syncSwapFolders(drives, plan);
    removeMarker(drives, plan);
    QDir(plan.staging).removeRecursively();
    return true;
}

Recovery recoverInterruptedRestore(Drives& drives, const QString& drivePrefix, const QString& dataFolder) {
    SwapPlan plan;
    plan.dataFolder = dataFolder;
    plan.staging = stagingFolder(drivePrefix);
    plan.safety = safetyFolder(drivePrefix);
    plan.marker = swapMarker(drivePrefix);
    QFile::remove(plan.marker + QStringLiteral(".nowy"));
    if (!QFileInfo::exists(plan.marker)) {
        if (!QFileInfo::exists(plan.staging))
            return Recovery::Nothing;
        QDir(plan.staging).removeRecursively();
        return Recovery::StagingRemoved;
    }
    if (!readMarker(plan.marker, plan.entries))
        return Recovery::Failed;
    QDir().mkpath(plan.safety);
    for (const SwapEntry& entry : plan.entries) {
        if (!swapOne(drives, plan, entry))
            return Recovery::Failed;
    }
    syncSwapFolders(drives, plan);
    removeMarker(drives, plan);
    QDir(plan.staging).removeRecursively();
    return Recovery::Finished;
}

} // namespace tarlok::archive
