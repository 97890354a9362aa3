#include "Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarlok::paths {

namespace {

QStringList splitParts(const QString& relative) {
    QString normalised = relative;
    normalised.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return normalised.split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The existing entry of `folder` whose name equals `part` without regard to case; `part` itself when
// there is none (an exact match wins over a case-insensitive one).
QString matchEntry(const QString& folder, const QString& part) {
    if (part == QLatin1String(".") || part == QLatin1String(".."))
        return part;
    QDir dir(folder);
    if (!dir.exists())
        return part;
    if (QFileInfo::exists(dir.filePath(part)))
        return part;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry.compare(part, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return part;
}

} // namespace

QString drivePrefix() {
    const QString drive = qEnvironmentVariable("TARLOK_DRIVE");
    if (!drive.isEmpty())
        return QDir::cleanPath(drive);
    return QDir::homePath();
}

QString resolve(const QString& base, const QString& relative) {
    QString path = QDir::cleanPath(base);
    for (const QString& part : splitParts(relative))
        path = QDir::cleanPath(path + QLatin1Char('/') + matchEntry(path, part));
    return path;
}

QString fileIn(const QString& folder, const QString& name) {
    return resolve(folder, name);
}

QString ensureFolder(const QString& base, const QString& relative) {
    const QString path = resolve(base, relative);
    if (QFileInfo(path).isDir())
        return path;
    if (!QDir().mkpath(path))
        return {};
    return path;
}

bool fileExists(const QString& path) {
    const QFileInfo info(path);
    return QFileInfo(resolve(info.path(), info.fileName())).isFile();
}

} // namespace tarlok::paths
