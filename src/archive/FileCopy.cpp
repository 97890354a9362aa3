#include "FileCopy.h"

#include "ArchivePaths.h"
#include "platform/Drives.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace tarlok::archive {

namespace {

constexpr qint64 kChunk = 64 * 1024;

// The checksum and size of a file as read from the disk; false when it cannot be read.
bool readBack(Drives& drives, const QString& path, QByteArray& checksum, qint64& size) {
    auto file = drives.openRead(path);
    if (!file)
        return false;
    QCryptographicHash hash(kChecksum);
    QByteArray buffer(256 * 1024, Qt::Uninitialized);
    size = 0;
    for (;;) {
        const qint64 n = file->read(buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (n == 0)
            break;
        hash.addData(QByteArrayView(buffer.constData(), n));
        size += n;
    }
    checksum = hash.result();
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
    QCryptographicHash hash(kChecksum);
    // Read a chunk at a time, copied on in blocks of 1024 bytes, each written at once.
    QByteArray chunk(kChunk, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const qint64 n = in->read(chunk.data(), kChunk);
        if (n < 0) {
            out->close();
            return CopyOutcome::SourceUnreadable;
        }
        if (n == 0)
            break;
        hash.addData(QByteArrayView(chunk.constData(), n));
        for (qint64 at = 0; at < n; at += kBlock) {
            const qint64 block = std::min(kBlock, n - at);
            const qint64 written = out->write(chunk.constData() + at, block);
            if (written < 0) {
                out->close();
                return CopyOutcome::WriteFailed;
            }
            if (written != block) {
                out->close();
                return CopyOutcome::ShortWrite;
            }
            copied += block;
            if (onBlock)
                onBlock(block);
        }
    }
    if (!out->sync()) {
        out->close();
        return CopyOutcome::SyncFailed;
    }
    if (!out->close())
        return CopyOutcome::CloseFailed;
    QByteArray checksum;
    qint64 size = 0;
    if (!readBack(drives, temporary, checksum, size) || size != copied || checksum != hash.result())
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
    if (outcome != CopyOutcome::Copied) {
        drives.remove(temporary);
        return outcome;
    }
    drives.syncFolder(info.path());
    return outcome;
}

} // namespace tarlok::archive
