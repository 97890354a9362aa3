#pragma once

#include "Sqlite.h"
#include "TableDef.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

namespace tarlok {

class Table;

// One open table file, shared by every Table object that works on it. It closes with the last of them,
// so a table nobody uses leaves no side file behind.
class Connection {
public:
    explicit Connection(const QString& path);

    sqlite::Handle& handle() { return m_handle; }
    const QString& path() const { return m_handle.path(); }
    QString fileName() const { return m_handle.fileName(); }
    // The SQL table inside the file (named as the table).
    const QString& sqlTable() const { return m_sqlTable; }
    std::vector<FieldDef> fields();

    const QList<Table*>& tables() const { return m_tables; }
    void attach(Table* table) { m_tables.append(table); }
    void detach(Table* table) { m_tables.removeAll(table); }

    // Nested transactions: only the outermost begin and commit reach the file.
    void begin();
    void commit();
    // Rolls the whole transaction back and makes every table on the file read its rows again.
    void rollback();
    int transactionDepth() const { return m_depth; }
    bool inTransaction() const { return m_depth > 0; }

    // Counts the writes to the file; a table whose rows were read at the current count need not read
    // them again.
    quint64 generation() const { return m_generation; }
    void changed() { ++m_generation; }

private:
    sqlite::Handle m_handle;
    QString m_sqlTable;
    QList<Table*> m_tables;
    int m_depth = 0;
    quint64 m_generation = 0;
};

// The table engine's entry: the alias of the data folder, the shared files, creation and local SQL.
class Database {
public:
    static constexpr const char* kAlias = "dane_poj";

    explicit Database(const QString& dataFolder = QString());

    void setAlias(const QString& alias, const QString& folder);
    QString dataFolder() const { return folderOf(QString::fromLatin1(kAlias)); }
    // An alias gives its folder; anything else is taken as a folder path.
    QString folderOf(const QString& aliasOrFolder) const;
    // The file of a table: "Pojazdy.db" or "Parametry" in a folder or alias, matched without regard to case.
    QString tablePath(const QString& aliasOrFolder, const QString& tableName) const;
    bool tableExists(const QString& aliasOrFolder, const QString& tableName) const;

    // The shared connection of a file; `path` must exist.
    std::shared_ptr<Connection> connect(const QString& path);
    // True while any Table object has the file open.
    bool isOpen(const QString& path) const;

    // Creates a table file with the given fields and the definition's indexes, in one transaction; when
    // anything fails the file is removed, so that the next attempt can succeed.
    void createTable(const QString& aliasOrFolder, const TableDef& def, const std::vector<FieldDef>& fields);
    void createTable(const QString& aliasOrFolder, const TableDef& def) {
        createTable(aliasOrFolder, def, def.fields);
    }

    // Runs a statement of the local SQL dialect against a folder or alias:
    //   Alter Table T Add F type, Add G type ...   (Char(n), Integer, Numeric, Boolean, Date)
    // as one transaction: a field that exists already or the table open anywhere fails the whole
    // statement and changes nothing.
    void executeSql(const QString& aliasOrFolder, const QString& sql);

    // The fields of a table file as stored, in physical order.
    std::vector<FieldDef> storedFields(const QString& path);

private:
    QHash<QString, QString> m_aliases; // lower-case alias -> folder
    QHash<QString, std::weak_ptr<Connection>> m_open;
};

// A save that posts a row and then rewrites other rows of the same file commits once, at its end:
// a crash leaves the file as it was or fully updated. The destructor rolls back unless commit() ran;
// the table's pending row (insert or edit) at the start is then restored, so nothing typed is lost.
class Transaction {
public:
    explicit Transaction(Table& table);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    Table& m_table;
    std::shared_ptr<Connection> m_connection;
    bool m_done = false;
    struct Snapshot;
    std::unique_ptr<Snapshot> m_snapshot;
};

} // namespace tarlok
