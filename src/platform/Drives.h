#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <memory>

namespace tarlok {

// One drive the archive windows offer: a drive letter ("C:") where the system has them, otherwise a
// folder (the program's drive prefix, a mounted volume).
struct Drive {
    QString name;
    QString root;
    bool floppy = false;

    bool isValid() const { return !root.isEmpty(); }
    // The letter of a name such as "C:" or "c:\", upper case; empty for a name without one.
    QString letter() const;
};

// A file opened for reading by the copies.
class SourceFile {
public:
    virtual ~SourceFile() = default;
    // Reads up to `size` bytes; 0 at the end, -1 on a read error.
    virtual qint64 read(char* data, qint64 size) = 0;
};

// A file written by the copies. Every step reports its failure: a write error (-1), a write shorter
// than asked, a flush to the disk or a close that failed.
class TargetFile {
public:
    virtual ~TargetFile() = default;
    // Writes one block; the number of bytes written, or -1 on an error.
    virtual qint64 write(const char* data, qint64 size) = 0;
    // Forces what was written onto the disk (fsync).
    virtual bool sync() = 0;
    virtual bool close() = 0;
};

// The drives of the machine and the file operations of the archive's copies. Production: the
// program's drive and the mounted volumes; tests: folders with simulated sizes, floppies that come and
// go, and injected write failures.
class Drives {
public:
    virtual ~Drives() = default;

    // The program's drive: the drive prefix of the run (P).
    virtual Drive programDrive() = 0;
    // Every drive on offer, the program's drive first.
    virtual QList<Drive> list() = 0;
    // False when the drive cannot be read (no floppy in the drive, a volume gone).
    virtual bool readable(const Drive& drive) = 0;
    // False when files cannot be written on the drive: it cannot be read, or it is read-only.
    virtual bool writable(const Drive& drive) = 0;
    // Free and total space in whole kB (bytes / 1024, cut); -1 when the drive cannot be read.
    virtual qint64 freeKb(const Drive& drive) = 0;
    virtual qint64 totalKb(const Drive& drive) = 0;

    // nullptr when the file cannot be opened.
    virtual std::unique_ptr<SourceFile> openRead(const QString& path) = 0;
    // Creates the file, or empties an existing one; nullptr when it cannot be opened.
    virtual std::unique_ptr<TargetFile> openWrite(const QString& path) = 0;
    virtual bool remove(const QString& path) = 0;
    // Renames a file or a folder, replacing an existing file of the new name in one step.
    virtual bool rename(const QString& from, const QString& to) = 0;
    // Forces a folder's entries (files made, renamed, removed) onto the disk.
    virtual bool syncFolder(const QString& folder) = 0;

    // The drive of this list whose name is `name`, matched without regard to case; invalid when none.
    Drive find(const QString& name);
};

// The real drives: the drive prefix as the program's drive, then the mounted volumes the user can
// write to (QStorageInfo). Only a floppy device counts as a floppy.
class SystemDrives final : public Drives {
public:
    explicit SystemDrives(QString drivePrefix);

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

    // The file operations alone, for the simulated drives: real files, real renames, real fsync.
    static std::unique_ptr<SourceFile> openFileForReading(const QString& path);
    static std::unique_ptr<TargetFile> openFileForWriting(const QString& path);
    static bool renameReplacing(const QString& from, const QString& to);
    static bool syncFolderEntries(const QString& folder);

private:
    QString m_prefix;
};

} // namespace tarlok
