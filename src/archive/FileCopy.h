#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

namespace tarlok {
class Drives;
}

namespace tarlok::archive {

// The copy moves blocks of this size: each block read is written at once, whole.
inline constexpr qint64 kBlock = 1024 * 1024;

// The checksum that compares what a copy read with what it reads back from the written file: XXH3 of
// 128 bits. It guards against a disk's errors, not against an attacker.
class Checksum {
public:
    struct Digest {
        quint64 low = 0;
        quint64 high = 0;
        bool operator==(const Digest&) const = default;
    };

    Checksum();
    ~Checksum();
    Checksum(const Checksum&) = delete;
    Checksum& operator=(const Checksum&) = delete;

    void add(const char* data, qint64 size);
    Digest result() const;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

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

// A verified copy of one file. The source is read in blocks of `kBlock` bytes, each written at once to a
// temporary file beside the target; the temporary file is forced onto the disk, closed, read back from
// the disk and its checksum compared with that of the bytes read; only then does it take the target's
// name, replacing an older file in one step. On any failure the temporary file is removed and an older
// target stays as it was. `onBlock` is told the bytes of each block copied.
//
// The target folder's entries are left to the caller to force onto the disk (Drives::syncFolder), once
// for all the files it copies into that folder.
CopyOutcome copyVerified(Drives& drives, const QString& source, const QString& target,
                         const std::function<void(qint64 bytes)>& onBlock);

} // namespace tarlok::archive
