#include "LocalSql.h"

#include "EngineError.h"

#include <QRegularExpression>

namespace tarlok {

namespace {

[[noreturn]] void syntaxError(const QString& near) {
    throw EngineError(QStringLiteral("Błąd składni polecenia SQL w pobliżu \"%1\".").arg(near.trimmed()));
}

FieldDef parseField(const QString& clause) {
    static const QRegularExpression field(QStringLiteral("^\\s*add\\s+(?:column\\s+)?([A-Za-z_][A-Za-z0-9_]*)"
                                                         "\\s+([A-Za-z]+)\\s*(?:\\(\\s*(\\d+)\\s*\\))?\\s*$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const auto match = field.match(clause);
    if (!match.hasMatch())
        syntaxError(clause);
    FieldDef def;
    def.name = match.captured(1);
    def.origin = FieldOrigin::Upgrade;
    const QString type = match.captured(2).toLower();
    const QString size = match.captured(3);
    if (type == QLatin1String("char") || type == QLatin1String("varchar")) {
        if (size.isEmpty() || size.toInt() < 1 || size.toInt() > 255)
            syntaxError(clause);
        def.type = FieldType::Alpha;
        def.size = size.toInt();
        return def;
    }
    if (!size.isEmpty())
        syntaxError(clause);
    if (type == QLatin1String("integer"))
        def.type = FieldType::Integer;
    else if (type == QLatin1String("smallint"))
        def.type = FieldType::Short;
    else if (type == QLatin1String("numeric"))
        def.type = FieldType::Number;
    else if (type == QLatin1String("boolean"))
        def.type = FieldType::Logical;
    else if (type == QLatin1String("date"))
        def.type = FieldType::Date;
    else if (type == QLatin1String("timestamp"))
        def.type = FieldType::Timestamp;
    else
        throw EngineError(QStringLiteral("Nieznany typ pola \"%1\" w poleceniu SQL.").arg(match.captured(2)));
    return def;
}

} // namespace

AlterStatement parseAlterTable(const QString& sql) {
    static const QRegularExpression head(
        QStringLiteral("^\\s*alter\\s+table\\s+\"?([A-Za-z_][A-Za-z0-9_]*)\"?\\s+(.*)$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto match = head.match(sql);
    if (!match.hasMatch())
        syntaxError(sql.left(40));
    AlterStatement statement;
    statement.table = match.captured(1);
    const QStringList clauses = match.captured(2).split(QLatin1Char(','));
    for (const QString& clause : clauses) {
        FieldDef def = parseField(clause);
        for (const FieldDef& earlier : statement.added) {
            if (earlier.name.compare(def.name, Qt::CaseInsensitive) == 0)
                throw EngineError(
                    QStringLiteral("Pole \"%1\" występuje dwa razy w poleceniu SQL.").arg(def.name));
        }
        statement.added.push_back(def);
    }
    return statement;
}

} // namespace tarlok
