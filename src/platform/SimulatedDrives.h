#pragma once

#include "Drives.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>

namespace tarlok {

// Drives for tests, the benchmark and the screenshot tool: real folders standing for drives, with
// capacities of their own (the free space is the capacity less the files under the folder), floppy
// drives whose disks can be inserted, swapped, taken out or made unreadable, and faults injected into
// the file operations.
class SimulatedDrives final : public Drives {
public:
    SimulatedDrives();
    // The program's drive: `root` (the drive prefix) under `name`, with a capacity in kB.
    void setProgramDrive(const QString& name, const QString& root, qint64 capacityKb = 100 * 1024 * 1024);

    // A hard disk: a folder (created when missing) with a capacity.
    void addDisk(const QString& name, const QString& root, qint64 capacityKb);
    // A floppy drive; its disks are folders kept beside `root` while they are out. The drive starts empty.
    void addFloppyDrive(const QString& name, const QString& root, qint64 capacityKb = 1440);
    // Puts disk number `disk` into the floppy drive (an empty disk the first time), taking out the
    // one that was in.
    void insertFloppy(const QString& drive, int disk);
    void ejectFloppy(const QString& drive);
    // The folder that holds the files of a disk, whether it is in the drive or not.
    QString floppyDisk(const QString& drive, int disk) const;
    // An unreadable drive lists nothing and opens no file.
    void setReadable(const QString& drive, bool readable);
    // The free space the drive reports, whatever its files take (-1: the capacity less its files).
    void setFreeKb(const QString& drive, qint64 freeKb);
    // Lists the drive among the drives on offer, or hides it.
    void setListed(const QString& drive, bool listed);
    // An unmounted drive is neither offered nor readable; its folder stays as it was.
    void setMounted(const QString& drive, bool mounted);
    // A read-only drive is readable but not offered (as the system offers only drives the user can
    // write to), and takes no file: writing, renaming and removing fail.
    void setReadOnly(const QString& drive, bool readOnly);

    enum class Fault {
        WriteFails,    // a write after `afterBytes` bytes fails (-1)
        WriteShort,    // a write after `afterBytes` bytes writes less than its block
        SyncFails,     // the flush to the disk fails
        CloseFails,    // the close fails
        LosesData,     // the disk changes a byte of the file after it was closed
        OpenReadFails, // the file cannot be opened for reading
        RemoveFails,   // the file cannot be removed (locked)
        RenameFails,   // a rename from or to the file fails
    };
    // The fault strikes every file whose path contains `pathPart` (without regard to case).
    void inject(Fault fault, const QString& pathPart, qint64 afterBytes = 0);
    void clearFaults() { m_faults.clear(); }

    // Observers: each opening for reading, each block written (path, bytes of the file so far), each
    // rename, each removal.
    std::function<void(const QString& path)> onOpenRead;
    std::function<void(const QString& path, qint64 written)> onWrite;
    std::function<void(const QString& from, const QString& to)> onRename;
    std::function<void(const QString& path)> onRemove;

    Drive programDrive() override;
    QList<Drive> list() override;
    bool readable(const Drive& drive) override;
    bool writable(const Drive& drive) override;
    qint64 freeKb(const Drive& drive) override;
    qint64 totalKb(const Drive& drive) override;

    std::unique_ptr<SourceFile> openRead(const QString& path) override;
    std::unique_ptr<TargetFile> openWrite(const QString& path) override;
    bool remove(const QString& path) override;
    bool rename(const QString& from, const QString& to) override;
    bool syncFolder(const QString& folder) override;

    // The bytes of the files under a folder, sub-folders included.
    static qint64 bytesUnder(const QString& folder);

private:
    struct Simulated {
        Drive drive;
        qint64 capacityKb = 0;
        bool readable = true;
        bool listed = true;
        bool mounted = true;
        bool readOnly = false;
        qint64 reportedFreeKb = -1;
        int disk = -1; // the floppy in the drive, -1 for none
    };
    struct Injected {
        Fault fault;
        QString pathPart;
        qint64 afterBytes = 0;
    };
    class Target;

    Simulated* simulated(const QString& name);
    const Simulated* simulated(const QString& name) const;
    // The drive whose folder holds `path`.
    const Simulated* owner(const QString& path) const;
    bool usable(const QString& path) const;
    bool writableAt(const QString& path) const;
    const Injected* fault(Fault fault, const QString& path) const;

    QList<Simulated> m_drives; // the program's drive first
    QList<Injected> m_faults;
};

} // namespace tarlok
