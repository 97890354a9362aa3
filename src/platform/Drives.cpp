#include "Drives.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <cctype>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tarlok {

QString Drive::letter() const {
    if (name.size() >= 2 && name.at(0).isLetter() && name.at(1) == QLatin1Char(':'))
        return name.left(1).toUpper();
    return {};
}

Drive Drives::find(const QString& name) {
    for (const Drive& drive : list()) {
        if (drive.name.compare(name, Qt::CaseInsensitive) == 0)
            return drive;
    }
    return {};
}

namespace {

// The name of a drive whose root is `root`: its letter where it has one, otherwise the folder.
QString driveName(const QString& root) {
    const QString native = QDir::toNativeSeparators(QDir::cleanPath(root));
    if (native.size() >= 2 && native.at(0).isLetter() && native.at(1) == QLatin1Char(':') &&
        native.size() <= 3)
        return native.left(2).toUpper();
    return native;
}

bool isFloppyDevice(const QStorageInfo& volume) {
    const QByteArray device = volume.device();
    return device.startsWith("/dev/fd") && device.size() > 7 && std::isdigit(device.at(7));
}

// Volumes that hold nothing worth an archive: memory file systems and the system's own mounts.
bool isSystemVolume(const QStorageInfo& volume) {
    static const QList<QByteArray> memory{"tmpfs", "devtmpfs", "ramfs", "proc", "sysfs", "squashfs"};
    if (memory.contains(volume.fileSystemType()))
        return true;
    const QString root = volume.rootPath();
    for (const char* system : {"/proc", "/sys", "/dev", "/run", "/boot", "/snap"}) {
        const QString s = QString::fromLatin1(system);
        if (root == s || root.startsWith(s + QLatin1Char('/')))
            return true;
    }
    return false;
}

#ifdef Q_OS_UNIX

class PosixSource final : public SourceFile {
public:
    explicit PosixSource(int fd) : m_fd(fd) {}
    ~PosixSource() override { ::close(m_fd); }
    qint64 read(char* data, qint64 size) override {
        for (;;) {
            const ssize_t n = ::read(m_fd, data, size_t(size));
            if (n < 0 && errno == EINTR)
                continue;
            return qint64(n);
        }
    }

private:
    int m_fd;
};

// Blocks are gathered in a buffer and written to the file a buffer at a time; the sync writes what is
// left and forces it to the disk.
class PosixTarget final : public TargetFile {
public:
    explicit PosixTarget(int fd) : m_fd(fd) { m_buffer.reserve(kBuffer); }
    ~PosixTarget() override {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    qint64 write(const char* data, qint64 size) override {
        if (m_failed)
            return -1;
        m_buffer.append(data, size);
        if (m_buffer.size() < kBuffer)
            return size;
        const qint64 left = drain();
        if (left < 0)
            return -1;
        // Bytes of this block that did not reach the file make the write short.
        return std::max<qint64>(0, size - left);
    }
    bool sync() override {
        if (m_failed || drain() != 0 || ::fsync(m_fd) != 0)
            return false;
        // What is on the disk is read back from the disk, not from the memory that wrote it.
        ::posix_fadvise(m_fd, 0, 0, POSIX_FADV_DONTNEED);
        return true;
    }
    bool close() override {
        const bool drained = !m_failed && drain() == 0;
        const int rc = ::close(m_fd);
        m_fd = -1;
        return drained && rc == 0;
    }

private:
    static constexpr qsizetype kBuffer = 64 * 1024;
    static constexpr qint64 kStartWriting = 1024 * 1024;

    // Writes the buffer; the bytes that could not be written, or -1 on an error.
    qint64 drain() {
        qsizetype done = 0;
        while (done < m_buffer.size()) {
            const ssize_t n = ::write(m_fd, m_buffer.constData() + done, size_t(m_buffer.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                m_failed = true;
                return -1;
            }
            if (n == 0)
                break;
            done += n;
        }
        const qint64 left = m_buffer.size() - done;
        m_buffer.clear();
#ifdef Q_OS_LINUX
        // The disk starts writing what it has while the copy goes on; the sync then waits less.
        m_unsynced += done;
        if (m_unsynced >= kStartWriting) {
            ::sync_file_range(m_fd, m_written, m_unsynced, SYNC_FILE_RANGE_WRITE);
            m_written += m_unsynced;
            m_unsynced = 0;
        }
#endif
        if (left > 0)
            m_failed = true;
        return left;
    }

    int m_fd;
    QByteArray m_buffer;
    bool m_failed = false;
    qint64 m_written = 0;  // bytes handed to the disk's writing
    qint64 m_unsynced = 0; // bytes written since
};

#else

class QtSource final : public SourceFile {
public:
    explicit QtSource(const QString& path) : m_file(path) {}
    bool open() { return m_file.open(QIODevice::ReadOnly); }
    qint64 read(char* data, qint64 size) override { return m_file.read(data, size); }

private:
    QFile m_file;
};

class QtTarget final : public TargetFile {
public:
    explicit QtTarget(const QString& path) : m_file(path) {}
    bool open() { return m_file.open(QIODevice::WriteOnly | QIODevice::Truncate); }
    qint64 write(const char* data, qint64 size) override { return m_file.write(data, size); }
    bool sync() override { return m_file.flush(); }
    bool close() override {
        const bool flushed = m_file.flush();
        m_file.close();
        return flushed && m_file.error() == QFileDevice::NoError;
    }

private:
    QFile m_file;
};

#endif

} // namespace

SystemDrives::SystemDrives(QString drivePrefix) : m_prefix(std::move(drivePrefix)) {
}

Drive SystemDrives::programDrive() {
    return Drive{driveName(m_prefix), QDir::cleanPath(m_prefix), false};
}

QList<Drive> SystemDrives::list() {
    QList<Drive> drives{programDrive()};
    const QString program = QDir::cleanPath(QFileInfo(m_prefix).absoluteFilePath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady() || volume.isReadOnly() || isSystemVolume(volume))
            continue;
        const QString root = QDir::cleanPath(volume.rootPath());
        // A volume mounted on a file (a bind mount) is no drive.
        if (root == program || !QFileInfo(root).isDir() || !QFileInfo(root).isWritable())
            continue;
        drives.append(Drive{driveName(root), root, isFloppyDevice(volume)});
    }
    return drives;
}

bool SystemDrives::readable(const Drive& drive) {
    const QStorageInfo volume(drive.root);
    if (!volume.isValid() || !volume.isReady() || !QFileInfo(drive.root).isReadable())
        return false;
    // A volume taken away leaves at most its mount point, an empty folder of another volume.
    return drive.root == programDrive().root || QDir::cleanPath(volume.rootPath()) == drive.root;
}

bool SystemDrives::writable(const Drive& drive) {
    return readable(drive) && !QStorageInfo(drive.root).isReadOnly() && QFileInfo(drive.root).isWritable();
}

qint64 SystemDrives::freeKb(const Drive& drive) {
    if (!readable(drive))
        return -1;
    return QStorageInfo(drive.root).bytesAvailable() / 1024;
}

qint64 SystemDrives::totalKb(const Drive& drive) {
    if (!readable(drive))
        return -1;
    return QStorageInfo(drive.root).bytesTotal() / 1024;
}

std::unique_ptr<SourceFile> SystemDrives::openRead(const QString& path) {
    return openFileForReading(path);
}

std::unique_ptr<TargetFile> SystemDrives::openWrite(const QString& path) {
    return openFileForWriting(path);
}

bool SystemDrives::remove(const QString& path) {
    return QFile::remove(path);
}

bool SystemDrives::rename(const QString& from, const QString& to) {
    return renameReplacing(from, to);
}

bool SystemDrives::syncFolder(const QString& folder) {
    return syncFolderEntries(folder);
}

std::unique_ptr<SourceFile> SystemDrives::openFileForReading(const QString& path) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::make_unique<PosixSource>(fd);
#else
    auto file = std::make_unique<QtSource>(path);
    return file->open() ? std::move(file) : nullptr;
#endif
}

std::unique_ptr<TargetFile> SystemDrives::openFileForWriting(const QString& path) {
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return nullptr;
    return std::make_unique<PosixTarget>(fd);
#else
    auto file = std::make_unique<QtTarget>(path);
    return file->open() ? std::move(file) : nullptr;
#endif
}

bool SystemDrives::renameReplacing(const QString& from, const QString& to) {
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(from.toStdU16String()),
                            std::filesystem::path(to.toStdU16String()), error);
    return !error;
}

bool SystemDrives::syncFolderEntries(const QString& folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#else
    return QFileInfo(folder).isDir();
#endif
}

} // namespace tarlok
