#include "Files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>

namespace tarlok::test {

QMap<QString, QByteArray> folderBytes(const QString& folder) {
    QMap<QString, QByteArray> files;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            files.insert(info.fileName(), file.readAll());
    }
    return files;
}

QStringList wordsNearTheEdges(const QString& pdf, double mm, int& wordCount) {
    QProcess process;
    process.start(QStandardPaths::findExecutable("pdftotext"), {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    process.waitForFinished(-1);
    const QString page = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpressionMatch size =
        QRegularExpression("<page width=\"([0-9.]+)\" height=\"([0-9.]+)\"").match(page);
    const double edge = mm * 72 / 25.4;
    const QRectF inside(edge, edge, size.captured(1).toDouble() - 2 * edge,
                        size.captured(2).toDouble() - 2 * edge);
    const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>");
    QStringList near;
    wordCount = 0;
    for (const QRegularExpressionMatch& w : word.globalMatch(page)) {
        ++wordCount;
        const QRectF box(QPointF(w.captured(1).toDouble(), w.captured(2).toDouble()),
                         QPointF(w.captured(3).toDouble(), w.captured(4).toDouble()));
        if (!inside.contains(box))
            near.append(QStringLiteral("%1 (%2, %3)").arg(w.captured(5)).arg(box.left()).arg(box.top()));
    }
    return near;
}

} // namespace tarlok::test
