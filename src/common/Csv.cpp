#include "Csv.h"

#include <QSaveFile>
#include <QStringDecoder>

namespace tarlok::csv {

namespace {

constexpr QChar kSeparator = QLatin1Char(';');

} // namespace

QString field(const QString& text) {
    const bool quoted = text.contains(kSeparator) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                        (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quoted)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QByteArray document(const QList<QStringList>& rows) {
    QString text;
    for (const QStringList& row : rows) {
        QStringList fields;
        fields.reserve(row.size());
        for (const QString& f : row)
            fields.append(field(f));
        text += fields.join(kSeparator) + QStringLiteral("\r\n");
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool write(const QString& fileName, const QByteArray& contents) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A write that fails is remembered: the commit then removes the temporary file and answers false.
    file.write(contents);
    return file.commit();
}

std::optional<QString> decode(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QList<Record> parse(const QString& text) {
    QList<Record> records;
    const qsizetype size = text.size();
    const auto isLineEnd = [&](qsizetype at) {
        return at >= size || text[at] == QLatin1Char('\n') || text[at] == QLatin1Char('\r');
    };
    // The place after the line end at or after `at`.
    const auto nextLine = [&](qsizetype at) {
        while (at < size && text[at] != QLatin1Char('\n'))
            ++at;
        return at < size ? at + 1 : size;
    };
    qsizetype pos = 0;
    int line = 1;
    while (pos < size) {
        const qsizetype start = pos;
        const int startLine = line;
        if (isLineEnd(pos)) { // a blank line
            pos = nextLine(pos);
            ++line;
            continue;
        }
        Record record;
        record.line = startLine;
        QString field;
        while (true) {
            if (pos < size && text[pos] == QLatin1Char('"')) {
                // An enclosed field, up to its closing quote.
                ++pos;
                bool closed = false;
                while (pos < size) {
                    const QChar c = text[pos];
                    if (c == QLatin1Char('"')) {
                        if (pos + 1 < size && text[pos + 1] == QLatin1Char('"')) {
                            field += c;
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        closed = true;
                        break;
                    }
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                    ++pos;
                }
                if (!closed)
                    record.error = QStringLiteral("cudzysłów otwierający pole nie został zamknięty");
                else if (!isLineEnd(pos) && text[pos] != kSeparator)
                    record.error =
                        QStringLiteral("po cudzysłowie zamykającym pole stoi \"%1\"").arg(text[pos]);
            } else {
                while (!isLineEnd(pos) && text[pos] != kSeparator) {
                    if (text[pos] == QLatin1Char('"')) {
                        record.error =
                            QStringLiteral("cudzysłów wewnątrz pola, które nie jest ujęte w cudzysłów");
                        break;
                    }
                    field += text[pos];
                    ++pos;
                }
            }
            if (!record.error.isEmpty())
                break;
            record.fields.append(field);
            field.clear();
            if (pos < size && text[pos] == kSeparator) {
                ++pos;
                continue;
            }
            break; // the line's end
        }
        if (!record.error.isEmpty()) {
            // Whatever followed the row's first line is read again on its own.
            record.fields.clear();
            pos = nextLine(start);
            line = startLine + 1;
        } else {
            if (pos < size && text[pos] == QLatin1Char('\r'))
                ++pos;
            if (pos < size && text[pos] == QLatin1Char('\n'))
                ++pos;
            ++line;
        }
        records.append(record);
    }
    return records;
}

} // namespace tarlok::csv
