#include "TableDef.h"

#include <QRegularExpression>

namespace tarlok {

const FieldDef* TableDef::field(const QString& fieldName) const {
    for (const FieldDef& f : fields) {
        if (f.name.compare(fieldName, Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

std::vector<FieldDef> TableDef::fieldsOf(FieldOrigin origin) const {
    std::vector<FieldDef> out;
    for (const FieldDef& f : fields) {
        if (f.origin == origin)
            out.push_back(f);
    }
    return out;
}

const IndexDef* TableDef::index(const QString& indexName) const {
    for (const IndexDef& i : indexes) {
        if (i.name.compare(indexName, Qt::CaseInsensitive) == 0)
            return &i;
    }
    return nullptr;
}

// Text fields carry the word TEXT in their declared type so that SQLite keeps a text such as "0123"
// as text (any other declared word would give the column numeric affinity).
QString declaredType(const FieldDef& field) {
    switch (field.type) {
    case FieldType::AutoInc:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case FieldType::Integer:
        return QStringLiteral("INTEGER");
    case FieldType::Short:
        return QStringLiteral("SHORT");
    case FieldType::Number:
        return QStringLiteral("NUMBER");
    case FieldType::Alpha:
        return QStringLiteral("ALPHA_TEXT(%1)").arg(field.size);
    case FieldType::Logical:
        return QStringLiteral("LOGICAL");
    case FieldType::Date:
        return QStringLiteral("DATE");
    case FieldType::Timestamp:
        return QStringLiteral("TIMESTAMP");
    case FieldType::Memo:
        return QStringLiteral("MEMO_TEXT");
    }
    return {};
}

bool fieldFromDeclared(const QString& name, const QString& declared, bool primaryKey, FieldDef& out) {
    const QString type = declared.trimmed().toUpper();
    out = FieldDef{name, FieldType::Integer, 0, FieldOrigin::Base};
    if (type == QLatin1String("INTEGER")) {
        out.type = primaryKey ? FieldType::AutoInc : FieldType::Integer;
        return true;
    }
    if (type == QLatin1String("SHORT")) {
        out.type = FieldType::Short;
        return true;
    }
    if (type == QLatin1String("NUMBER")) {
        out.type = FieldType::Number;
        return true;
    }
    if (type == QLatin1String("LOGICAL")) {
        out.type = FieldType::Logical;
        return true;
    }
    if (type == QLatin1String("DATE")) {
        out.type = FieldType::Date;
        return true;
    }
    if (type == QLatin1String("TIMESTAMP")) {
        out.type = FieldType::Timestamp;
        return true;
    }
    if (type == QLatin1String("MEMO_TEXT")) {
        out.type = FieldType::Memo;
        return true;
    }
    static const QRegularExpression alpha(QStringLiteral("^ALPHA_TEXT\\s*\\(\\s*(\\d+)\\s*\\)$"));
    const auto match = alpha.match(type);
    if (match.hasMatch()) {
        out.type = FieldType::Alpha;
        out.size = match.captured(1).toInt();
        return true;
    }
    return false;
}

QString typeWord(FieldType type) {
    switch (type) {
    case FieldType::AutoInc:
        return QStringLiteral("autoinkrementacja");
    case FieldType::Integer:
        return QStringLiteral("liczba całkowita");
    case FieldType::Short:
        return QStringLiteral("krótka liczba całkowita");
    case FieldType::Number:
        return QStringLiteral("liczba");
    case FieldType::Alpha:
        return QStringLiteral("tekst");
    case FieldType::Logical:
        return QStringLiteral("wartość logiczna");
    case FieldType::Date:
        return QStringLiteral("data");
    case FieldType::Timestamp:
        return QStringLiteral("data i czas");
    case FieldType::Memo:
        return QStringLiteral("memo");
    }
    return {};
}

} // namespace tarlok
