#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tarlok {

// The type words of the table format.
enum class FieldType {
    AutoInc,   // 32-bit integer assigned on insert, 1, 2, 3 ... never reused
    Integer,   // 32-bit signed integer
    Short,     // 16-bit signed integer
    Number,    // 64-bit floating point
    Alpha,     // text of at most `size` characters
    Logical,   // true / false
    Date,      // calendar date
    Timestamp, // date and time
    Memo,      // text of any length
};

// Whether a field is part of an installed table from the start or comes with the schema upgrade.
enum class FieldOrigin { Base, Upgrade };

struct FieldDef {
    QString name;
    FieldType type = FieldType::Integer;
    int size = 0; // characters of an alpha field
    FieldOrigin origin = FieldOrigin::Base;
};

struct IndexDef {
    QString name;       // empty for the primary index
    QStringList fields; // in key order
    bool primary = false;
    bool unique = false;
    bool caseInsensitive = false;
};

struct TableDef {
    QString name; // the table name, also the SQL table name: "Pojazdy"
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    QString fileName() const { return name + QStringLiteral(".db"); }
    const FieldDef* field(const QString& fieldName) const;
    // The fields of the given origin, in physical order.
    std::vector<FieldDef> fieldsOf(FieldOrigin origin) const;
    const IndexDef* index(const QString& indexName) const;
};

// The declared SQL column type that carries a field's type word; the engine reads the type back from it.
QString declaredType(const FieldDef& field);
// The field read back from a declared column type; false when the type is not one of ours.
bool fieldFromDeclared(const QString& name, const QString& declared, bool primaryKey, FieldDef& out);
// "alpha 25", "integer" ... for messages.
QString typeWord(FieldType type);

} // namespace tarlok
