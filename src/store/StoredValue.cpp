#include "StoredValue.h"

#include "Sqlite.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace tarlok {

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
        const QDate date = QDate::fromString(st.text(column).left(10), Qt::ISODate);
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
