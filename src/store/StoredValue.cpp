#include "StoredValue.h"

#include "Sqlite.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace tarlok {

namespace {

// A stored date, "YYYY-MM-DD" (a timestamp's date part as well), read without a parser: every date of
// every row read passes here. Anything else goes to Qt's parser, which refuses it as before.
QDate storedDate(const QString& text) {
    const auto number = [&text](int from, int to, int& out) {
        out = 0;
        for (int i = from; i < to; ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                return false;
            out = out * 10 + (text[i].unicode() - u'0');
        }
        return true;
    };
    int year = 0;
    int month = 0;
    int day = 0;
    if (text.size() >= 10 && text[4] == u'-' && text[7] == u'-' && number(0, 4, year) &&
        number(5, 7, month) && number(8, 10, day))
        return QDate(year, month, day);
    return QDate::fromString(text.left(10), Qt::ISODate);
}

} // namespace

QVariant storedValue(const sqlite::Statement& st, int column, FieldType type) {
    if (st.isNull(column))
        return {};
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Short:
        return st.columnType(column) == 2 /* SQLITE_FLOAT */ ? qint64(std::llround(st.real(column)))
                                                             : st.int64(column);
    case FieldType::Number:
        return st.real(column);
    case FieldType::Logical:
        return st.int64(column) != 0;
    case FieldType::Date: {
        const QDate date = storedDate(st.text(column));
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case FieldType::Timestamp: {
        const QDateTime at = QDateTime::fromString(st.text(column), Qt::ISODate);
        return at.isValid() ? QVariant(at) : QVariant();
    }
    case FieldType::Alpha:
    case FieldType::Memo: {
        const QString text = st.text(column);
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
    }
    return {};
}

} // namespace tarlok
