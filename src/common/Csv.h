#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated files as a Polish spreadsheet opens them without an import dialog: fields separated
// by a semicolon (the comma is the decimal separator), UTF-8 with a byte-order mark, lines ended by
// CR LF.
namespace tarlok::csv {

// A field as written: enclosed in double quotes (an inner quote doubled) when it holds the separator, a
// quote, a line break, or a blank at either end; otherwise as it is.
QString field(const QString& text);

// The whole file: the byte-order mark, then one line per row (the header first).
QByteArray document(const QList<QStringList>& rows);

// Writes the file whole or not at all (through a temporary file renamed at the end): a failed write
// leaves no file of that name, and an existing one as it was. False when the file cannot be written.
bool write(const QString& fileName, const QByteArray& contents);

} // namespace tarlok::csv
