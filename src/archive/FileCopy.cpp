#include "FileCopy.h"

#include "ArchivePaths.h"
#include "platform/Drives.h"

#include <QDir>
#include <QFileInfo>

#include <vector>
#include <xxhash.h>

namespace tarlok::archive {

struct Checksum::State {
    XXH3_state_t* xxh = XXH3_createState();
    ~State() { XXH3_freeState(xxh); }
};

Checksum::Checksum() : m_state(std::make_unique<State>()) {
    if (!m_state->xxh)
        throw std::bad_alloc();
    XXH3_128bits_reset(m_state->xxh);
}

Checksum::~Checksum() = default;

void Checksum::add(const char* data, qint64 size) {
    XXH3_128bits_update(m_state->xxh, data, size_t(size));
}

Checksum::Digest Checksum::result() const {
    const XXH128_hash_t hash = XXH3_128bits_digest(m_state->xxh);
    return Digest{hash.low64, hash.high64};
}

namespace {

// The checksum and size of a file as read from the disk, read through `buffer`; false when it cannot be
// read.
bool readBack(Drives& drives, const QString& path, std::vector<char>& buffer, Checksum::Digest& digest,
              qint64& size) {
    auto file = drives.openRead(path);
    if (!file)
        return false;
    Checksum checksum;
    size = 0;
    for (;;) {
        const qint64 n = file->read(buffer.data(), qint64(buffer.size()));
        if (n < 0)
            return false;
        if (n == 0)
            break;
        checksum.add(buffer.data(), n);
        size += n;
    }
    digest = checksum.result();
    return true;
}

CopyOutcome copyToTemporary(Drives& drives, const QString& source, const QString& temporary,
                            const std::function<void(qint64)>& onBlock) {
    auto in = drives.openRead(source);
    if (!in)
        return CopyOutcome::SourceUnreadable;
    auto out = drives.openWrite(temporary);
    if (!out)
        return CopyOutcome::TargetUnwritable;
    Checksum checksum;
    std::vector<char> buffer(static_cast<std::size_t>(kBlock));
    qint64 copied = 0;
    for (;;) {
        const qint64 n = in->read(buffer.data(), kBlock);
        if (n < 0) {
            out->close();
            return CopyOutcome::SourceUnreadable;
        }
        if (n == 0)
            break;
        checksum.add(buffer.data(), n);
        const qint64 written = out->write(buffer.data(), n);
        if (written < 0) {
            out->close();
            return CopyOutcome::WriteFailed;
        }
        if (written != n) {
            out->close();
            return CopyOutcome::ShortWrite;
        }
        copied += n;
        if (onBlock)
            onBlock(n);
    }
    // The sync leaves nothing of the file in memory: what is read back comes from the disk.
    if (!out->sync()) {
        out->close();
        return CopyOutcome::SyncFailed;
    }
    if (!out->close())
        return CopyOutcome::CloseFailed;
    Checksum::Digest digest;
    qint64 size = 0;
    if (!readBack(drives, temporary, buffer, digest, size) || size != copied || digest != checksum.result())
        return CopyOutcome::Mismatch;
    return CopyOutcome::Copied;
}

} // namespace

CopyOutcome copyVerified(Drives& drives, const QString& source, const QString& target,
                         const std::function<void(qint64 bytes)>& onBlock) {
    const QFileInfo info(target);
    const QString temporary = info.dir().filePath(temporaryName(info.fileName()));
    CopyOutcome outcome = copyToTemporary(drives, source, temporary, onBlock);
    if (outcome == CopyOutcome::Copied && !drives.rename(temporary, target))
        outcome = CopyOutcome::RenameFailed;
    if (outcome != CopyOutcome::Copied)
        drives.remove(temporary);
    return outcome;
}

} // namespace tarlok::archive
