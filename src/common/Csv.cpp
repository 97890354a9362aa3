#include "Csv.h"

#include <QSaveFile>

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

} // namespace tarlok::csv
