#include "SimulatedDrives.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace tarlok {

namespace {

QString clean(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

bool isInside(const QString& path, const QString& folder) {
    return path.compare(folder, Qt::CaseInsensitive) == 0 ||
           path.startsWith(folder + QLatin1Char('/'), Qt::CaseInsensitive);
}

QString shelfOf(const QString& root, int disk) {
    return root + QStringLiteral(".dyskietki/%1").arg(disk);
}

} // namespace

// A real file written through a real target, with the drive's capacity and the injected faults.
class SimulatedDrives::Target final : public TargetFile {
public:
    Target(SimulatedDrives& drives, QString path, std::unique_ptr<TargetFile> file, qint64 room)
        : m_drives(drives), m_path(std::move(path)), m_file(std::move(file)), m_room(room) {}

    qint64 write(const char* data, qint64 size) override {
        qint64 allowed = size;
        if (const Injected* f = m_drives.fault(Fault::WriteFails, m_path);
            f && m_written + size > f->afterBytes)
            return -1;
        if (const Injected* f = m_drives.fault(Fault::WriteShort, m_path);
            f && m_written + size > f->afterBytes)
            allowed = std::max<qint64>(0, f->afterBytes - m_written);
        // A full disk takes what fits.
        allowed = std::min(allowed, std::max<qint64>(0, m_room - m_written));
        if (allowed > 0 && m_file->write(data, allowed) != allowed)
            return -1;
        m_written += allowed;
        if (m_drives.onWrite)
            m_drives.onWrite(m_path, m_written);
        return allowed;
    }
    bool sync() override {
        const bool synced = m_file->sync();
        return synced && !m_drives.fault(Fault::SyncFails, m_path);
    }
    bool close() override {
        const bool closed = m_file->close();
        if (m_drives.fault(Fault::LosesData, m_path)) {
            QFile file(m_path);
            if (file.open(QIODevice::ReadWrite) && file.size() > 0) {
                file.seek(file.size() / 2);
                char byte = 0;
                file.getChar(&byte);
                file.seek(file.size() / 2);
                file.putChar(char(byte ^ 0x5a));
            }
        }
        return closed && !m_drives.fault(Fault::CloseFails, m_path);
    }

private:
    SimulatedDrives& m_drives;
    QString m_path;
    std::unique_ptr<TargetFile> m_file;
    qint64 m_room;
    qint64 m_written = 0;
};

SimulatedDrives::SimulatedDrives() {
    m_drives.append(Simulated{});
}

void SimulatedDrives::setProgramDrive(const QString& name, const QString& root, qint64 capacityKb) {
    Simulated& program = m_drives.first();
    program.drive = Drive{name, clean(root), false};
    program.capacityKb = capacityKb;
}

void SimulatedDrives::addDisk(const QString& name, const QString& root, qint64 capacityKb) {
    QDir().mkpath(root);
    Simulated disk;
    disk.drive = Drive{name, clean(root), false};
    disk.capacityKb = capacityKb;
    m_drives.append(disk);
}

void SimulatedDrives::addFloppyDrive(const QString& name, const QString& root, qint64 capacityKb) {
    Simulated floppy;
    floppy.drive = Drive{name, clean(root), true};
    floppy.capacityKb = capacityKb;
    m_drives.append(floppy);
    QDir(floppy.drive.root).removeRecursively();
}

void SimulatedDrives::insertFloppy(const QString& drive, int disk) {
    Simulated* s = simulated(drive);
    if (!s)
        return;
    ejectFloppy(drive);
    const QString shelf = shelfOf(s->drive.root, disk);
    if (QFileInfo(shelf).isDir())
        QDir().rename(shelf, s->drive.root);
    else
        QDir().mkpath(s->drive.root);
    s->disk = disk;
}

void SimulatedDrives::ejectFloppy(const QString& drive) {
    Simulated* s = simulated(drive);
    if (!s || s->disk < 0)
        return;
    const QString shelf = shelfOf(s->drive.root, s->disk);
    QDir().mkpath(QFileInfo(shelf).path());
    QDir(shelf).removeRecursively();
    QDir().rename(s->drive.root, shelf);
    s->disk = -1;
}

QString SimulatedDrives::floppyDisk(const QString& drive, int disk) const {
    const Simulated* s = simulated(drive);
    if (!s)
        return {};
    return s->disk == disk ? s->drive.root : shelfOf(s->drive.root, disk);
}

void SimulatedDrives::setReadable(const QString& drive, bool readable) {
    if (Simulated* s = simulated(drive))
        s->readable = readable;
}

void SimulatedDrives::setFreeKb(const QString& drive, qint64 freeKb) {
    if (Simulated* s = simulated(drive))
        s->reportedFreeKb = freeKb;
}

void SimulatedDrives::setListed(const QString& drive, bool listed) {
    if (Simulated* s = simulated(drive))
        s->listed = listed;
}

void SimulatedDrives::setMounted(const QString& drive, bool mounted) {
    if (Simulated* s = simulated(drive))
        s->mounted = mounted;
}

void SimulatedDrives::setReadOnly(const QString& drive, bool readOnly) {
    if (Simulated* s = simulated(drive))
        s->readOnly = readOnly;
}

void SimulatedDrives::inject(Fault fault, const QString& pathPart, qint64 afterBytes) {
    m_faults.append(Injected{fault, QDir::fromNativeSeparators(pathPart), afterBytes});
}

Drive SimulatedDrives::programDrive() {
    return m_drives.first().drive;
}

QList<Drive> SimulatedDrives::list() {
    QList<Drive> drives;
    for (const Simulated& s : m_drives) {
        if (s.listed && s.mounted && !s.readOnly)
            drives.append(s.drive);
    }
    return drives;
}

bool SimulatedDrives::readable(const Drive& drive) {
    const Simulated* s = owner(drive.root);
    return s && s->readable && s->mounted && QFileInfo(s->drive.root).isDir();
}

bool SimulatedDrives::writable(const Drive& drive) {
    return readable(drive) && !owner(drive.root)->readOnly;
}

qint64 SimulatedDrives::freeKb(const Drive& drive) {
    if (!readable(drive))
        return -1;
    const Simulated* s = owner(drive.root);
    if (s->reportedFreeKb >= 0)
        return s->reportedFreeKb;
    return std::max<qint64>(0, s->capacityKb * 1024 - bytesUnder(s->drive.root)) / 1024;
}

qint64 SimulatedDrives::totalKb(const Drive& drive) {
    if (!readable(drive))
        return -1;
    return owner(drive.root)->capacityKb;
}

std::unique_ptr<SourceFile> SimulatedDrives::openRead(const QString& path) {
    if (onOpenRead)
        onOpenRead(path);
    if (!usable(path) || fault(Fault::OpenReadFails, path))
        return nullptr;
    return SystemDrives::openFileForReading(path);
}

std::unique_ptr<TargetFile> SimulatedDrives::openWrite(const QString& path) {
    const Simulated* s = owner(path);
    if (!writableAt(path))
        return nullptr;
    auto file = SystemDrives::openFileForWriting(path);
    if (!file)
        return nullptr;
    // The file is empty now: the room is what the drive has free.
    qint64 room = std::numeric_limits<qint64>::max();
    if (s)
        room = std::max<qint64>(0, s->capacityKb * 1024 - bytesUnder(s->drive.root));
    return std::make_unique<Target>(*this, clean(path), std::move(file), room);
}

bool SimulatedDrives::remove(const QString& path) {
    if (onRemove)
        onRemove(path);
    if (!writableAt(path) || fault(Fault::RemoveFails, path))
        return false;
    return QFile::remove(path);
}

bool SimulatedDrives::rename(const QString& from, const QString& to) {
    if (!writableAt(from) || !writableAt(to) || fault(Fault::RenameFails, from) ||
        fault(Fault::RenameFails, to))
        return false;
    if (onRename)
        onRename(from, to);
    return SystemDrives::renameReplacing(from, to);
}

bool SimulatedDrives::syncFolder(const QString& folder) {
    return usable(folder) && SystemDrives::syncFolderEntries(folder);
}

qint64 SimulatedDrives::bytesUnder(const QString& folder) {
    qint64 bytes = 0;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        bytes += it.fileInfo().size();
    }
    return bytes;
}

SimulatedDrives::Simulated* SimulatedDrives::simulated(const QString& name) {
    for (Simulated& s : m_drives) {
        if (s.drive.name.compare(name, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

const SimulatedDrives::Simulated* SimulatedDrives::simulated(const QString& name) const {
    return const_cast<SimulatedDrives*>(this)->simulated(name);
}

const SimulatedDrives::Simulated* SimulatedDrives::owner(const QString& path) const {
    const QString cleaned = clean(path);
    const Simulated* best = nullptr;
    for (const Simulated& s : m_drives) {
        if (!s.drive.root.isEmpty() && isInside(cleaned, s.drive.root) &&
            (!best || s.drive.root.size() > best->drive.root.size()))
            best = &s;
    }
    return best;
}

bool SimulatedDrives::usable(const QString& path) const {
    const Simulated* s = owner(path);
    return !s || (s->readable && s->mounted && QFileInfo(s->drive.root).isDir());
}

bool SimulatedDrives::writableAt(const QString& path) const {
    const Simulated* s = owner(path);
    return usable(path) && !(s && s->readOnly);
}

const SimulatedDrives::Injected* SimulatedDrives::fault(Fault kind, const QString& path) const {
    const QString cleaned = clean(path);
    for (const Injected& f : m_faults) {
        if (f.fault == kind && cleaned.contains(f.pathPart, Qt::CaseInsensitive))
            return &f;
    }
    return nullptr;
}

} // namespace tarlok
