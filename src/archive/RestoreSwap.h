#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>

namespace tarlok {
class Drives;
struct TableDef;
} // namespace tarlok

// The all-or-nothing side of a restore: the archive is first copied into a staging folder beside the
// data folder and checked there; only then are the files swapped in, the replaced ones going into a
// safety folder, under a marker that lets the next start finish a swap that was cut short.
namespace tarlok::archive {

// The program's table a file name stands for ("PRZEJAZDY.DB" is the trips table); nullptr for any
// other file.
const TableDef* tableOfFile(const QString& fileName);

// True when the file opens as the table: it holds the table under its name with at least its base
// fields (an older file lacks the later ones; the schema actions add them) and passes
// PRAGMA quick_check. Opening it through the engine settles a journal that came with it.
bool opensAsTable(const QString& path, const TableDef& table);

// The checks of a restore's staged tables (opensAsTable), run one after another by a thread of their
// own while the next files copy; each check opens a connection of its own to its file.
class TableChecks {
public:
    TableChecks();
    // Drops the checks not started and waits for the one running.
    ~TableChecks();
    TableChecks(const TableChecks&) = delete;
    TableChecks& operator=(const TableChecks&) = delete;

    void add(const QString& path, const TableDef& table);
    // Waits for every check, calling `whileWaiting` every `everyMs`; true when every table opened as
    // itself.
    bool allPassed(const std::function<void()>& whileWaiting, int everyMs);

private:
    QThreadPool m_pool;
    std::atomic<bool> m_failed = false;
};

// Opens and closes a table file through the engine, so that a journal a crash left beside it is
// rolled back and removed.
void settleTableFile(const QString& path);

// One staged file and the name it takes in the data folder (an existing file's spelling).
struct SwapEntry {
    QString staged;
    QString target;
};

struct SwapPlan {
    QString dataFolder;
    QString staging;
    QString safety;
    QString marker;
    QList<SwapEntry> entries;
};

// The plan for the files of the staging folder (side files and temporary files left out).
SwapPlan planSwap(const QString& drivePrefix, const QString& dataFolder);

// Swaps the staged files in: the safety folder is emptied, the marker naming every file is written and
// forced onto the disk, then for each file the one it replaces and that one's side files go into the
// safety folder and the staged file takes its place; the marker is removed at the end. A failure puts
// back what was moved and gives false (when even that fails, the marker stays for the next start).
bool swapIn(Drives& drives, const SwapPlan& plan);

enum class Recovery {
    Nothing,        // no restore was cut short
    Finished,       // a swap cut short was finished: the data are the archive's
    StagingRemoved, // a restore cut short before its swap left the data as they were
    Failed,         // the swap could not be finished; the marker stays
};

// Run at start-up before any table opens: finishes a swap cut short (the marker is there) or removes
// a staging folder left by a restore cut short before its swap.
Recovery recoverInterruptedRestore(Drives& drives, const QString& drivePrefix, const QString& dataFolder);

} // namespace tarlok::archive
