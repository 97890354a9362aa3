#pragma once

#include <QCryptographicHash>
#include <QString>

#include <functional>

namespace tarlok {
class Drives;
}

namespace tarlok::archive {

// The checksum that compares what a copy read with what it reads back from the written file. MD4 is the
// fastest of Qt's algorithms; it guards against a disk's errors, not against an attacker.
inline constexpr QCryptographicHash::Algorithm kChecksum = QCryptographicHash::Md4;

// The copy moves blocks of this size.
inline constexpr qint64 kBlock = 1024;

// How a copy ended.
enum class CopyOutcome {
    Copied,
    SourceUnreadable, // the source could not be opened or read
    TargetUnwritable, // the target could not be created
    WriteFailed,      // a write failed
    ShortWrite,       // a block was written short
    SyncFailed,       // the written file could not be forced onto the disk
    CloseFailed,      // closing the written file failed
    Mismatch,         // the file read back differs from what was read
    RenameFailed,     // the verified file could not take its name
};

// A verified copy of one file. The source is read in blocks of 1024 bytes, each written at once to a
// temporary file beside the target; the temporary file is forced onto the disk, closed, read back and
// its checksum compared with that of the bytes read; only then does it take the target's name,
// replacing an older file in one step. On any failure the temporary file is removed and an older target
// stays as it was. `onBlock` is told the bytes of each block copied.
CopyOutcome copyVerified(Drives& drives, const QString& source, const QString& target,
                         const std::function<void(qint64 bytes)>& onBlock);

} // namespace tarlok::archive
