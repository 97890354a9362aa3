#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Comma-separated files as a Polish spreadsheet opens them without an import dialog: fields separated
// by a semicolon (the comma is the decimal separator), UTF-8 with a byte-order mark, lines ended by
// CR LF. Files are read back in the same form, with or without the byte-order mark, lines ended by
// CR LF or LF.
namespace tarlok::csv {

// A field as written: enclosed in double quotes (an inner quote doubled) when it holds the separator, a
// quote, a line break, or a blank at either end; otherwise as it is.
QString field(const QString& text);

// The whole file: the byte-order mark, then one line per row (the header first).
QByteArray document(const QList<QStringList>& rows);

// Writes the file whole or not at all (through a temporary file renamed at the end): a failed write
// leaves no file of that name, and an existing one as it was. False when the file cannot be written.
bool write(const QString& fileName, const QByteArray& contents);

// The text of a file: UTF-8, a byte-order mark left out. None for bytes that are no UTF-8.
std::optional<QString> decode(const QByteArray& bytes);

// One row of a file read back: the number of the line it starts on (the file's first line is 1), its
// fields, and for a row that breaks the format why it does (its fields are then empty).
struct Record {
    int line = 0;
    QStringList fields;
    QString error;
};

// The rows of a file's text; blank lines are left out. A field is enclosed in double quotes or holds
// none; enclosed, it may hold the separator, line breaks and doubled quotes. A quote never closed, a
// closing quote followed by anything but the separator or the line's end, or a quote inside a field
// not enclosed in quotes breaks its row, and reading goes on at the line after the one it started on.
QList<Record> parse(const QString& text);

} // namespace tarlok::csv
