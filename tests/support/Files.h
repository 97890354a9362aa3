#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tarlok::test {

// Every file of a folder (not its sub-folders) with its bytes, by name.
QMap<QString, QByteArray> folderBytes(const QString& folder);

// The words of a PDF's first page (read back with pdftotext -bbox) that stand closer than `mm` to an
// edge of the sheet, each as "word (x, y)" in points; `wordCount` is set to the number of words read.
QStringList wordsNearTheEdges(const QString& pdf, double mm, int& wordCount);

} // namespace tarlok::test
