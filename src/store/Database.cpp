#include "Database.h"

#include "EngineError.h"
#include "LocalSql.h"
#include "Table.h"
#include "common/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tarlok {

// ---------------------------------------------------------------- Connection

Connection::Connection(const QString& path) : m_handle(path, false) {
    sqlite::Statement names(
        m_handle.get(),
        QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE "
                       "'sqlite_%' ORDER BY rowid"),
        m_handle.fileName());
    const QString base = QFileInfo(path).completeBaseName();
    while (names.step()) {
        const QString name = names.text(0);
        if (m_sqlTable.isEmpty() || name.compare(base, Qt::CaseInsensitive) == 0)
            m_sqlTable = name;
    }
    if (m_sqlTable.isEmpty())
        throw EngineError(QStringLiteral("Plik \"%1\" nie zawiera tablicy.").arg(m_handle.fileName()));
}

std::vector<FieldDef> Connection::fields() {
    std::vector<FieldDef> out;
    sqlite::Statement info(m_handle.get(),
                           QStringLiteral("PRAGMA table_info(%1)").arg(sqlite::quoted(m_sqlTable)),
                           m_handle.fileName());
    while (info.step()) {
        FieldDef def;
        const QString name = info.text(1);
        if (!fieldFromDeclared(name, info.text(2), info.int64(5) != 0, def))
            throw EngineError(
                QStringLiteral("Nieznany typ pola \"%1\" w tablicy \"%2\".").arg(name, fileName()));
        out.push_back(def);
    }
    return out;
}

void Connection::begin() {
    if (m_depth == 0)
        m_handle.exec(QStringLiteral("BEGIN IMMEDIATE"));
    ++m_depth;
}

void Connection::commit() {
    if (m_depth == 0)
        throw EngineError(QStringLiteral("Zapis do tablicy \"%1\" został wycofany.").arg(fileName()));
    if (m_depth == 1)
        m_handle.exec(QStringLiteral("COMMIT"));
    --m_depth;
}

void Connection::rollback() {
    m_depth = 0;
    ++m_generation;
    if (m_handle.inTransaction()) {
        try {
            m_handle.exec(QStringLiteral("ROLLBACK"));
        } catch (const EngineError&) {
            // The file is rolled back when it is next opened.
        }
    }
    const QList<Table*> tables = m_tables;
    for (Table* table : tables)
        table->reloadAfterRollback();
}

// ---------------------------------------------------------------- Database

Database::Database(const QString& dataFolder) {
    if (!dataFolder.isEmpty())
        setAlias(QString::fromLatin1(kAlias), dataFolder);
}

void Database::setAlias(const QString& alias, const QString& folder) {
    m_aliases.insert(alias.toLower(), folder);
}

QString Database::folderOf(const QString& aliasOrFolder) const {
    const auto it = m_aliases.constFind(aliasOrFolder.toLower());
    if (it != m_aliases.constEnd())
        return *it;
    return aliasOrFolder;
}

QString Database::tablePath(const QString& aliasOrFolder, const QString& tableName) const {
    QString file = tableName;
    if (QFileInfo(file).suffix().isEmpty())
        file += QStringLiteral(".db");
    return paths::fileIn(folderOf(aliasOrFolder), file);
}

bool Database::tableExists(const QString& aliasOrFolder, const QString& tableName) const {
    return QFileInfo(tablePath(aliasOrFolder, tableName)).isFile();
}

std::shared_ptr<Connection> Database::connect(const QString& path) {
    const QString key = QFileInfo(path).absoluteFilePath();
    if (auto existing = m_open.value(key).lock())
        return existing;
    auto connection = std::make_shared<Connection>(path);
    m_open.insert(key, connection);
    return connection;
}

bool Database::isOpen(const QString& path) const {
    return !m_open.value(QFileInfo(path).absoluteFilePath()).expired();
}

std::vector<FieldDef> Database::storedFields(const QString& path) {
    if (auto existing = m_open.value(QFileInfo(path).absoluteFilePath()).lock())
        return existing->fields();
    Connection connection(path);
    return connection.fields();
}

namespace {

void removeTableFile(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

QString columnDefinition(const FieldDef& field) {
    return sqlite::quoted(field.name) + QLatin1Char(' ') + declaredType(field);
}

} // namespace

void Database::createTable(const QString& aliasOrFolder, const TableDef& def,
                           const std::vector<FieldDef>& fields) {
    const QString folder = folderOf(aliasOrFolder);
    if (!QFileInfo(folder).isDir())
        throw EngineError(
            QStringLiteral("Folder danych \"%1\" nie istnieje.").arg(QDir::toNativeSeparators(folder)));
    const QString path = paths::fileIn(folder, def.fileName());
    if (QFileInfo::exists(path))
        throw EngineError(QStringLiteral("Tablica \"%1\" już istnieje.").arg(def.fileName()));
    if (isOpen(path))
        throw EngineError(QStringLiteral("Tablica \"%1\" jest w użyciu.").arg(def.fileName()));

    try {
        sqlite::Handle handle(path, true);
        handle.exec(QStringLiteral("BEGIN IMMEDIATE"));
        QStringList columns;
        for (const FieldDef& field : fields)
            columns.append(columnDefinition(field));
        handle.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                        .arg(sqlite::quoted(def.name), columns.join(QStringLiteral(", "))));
        for (const IndexDef& index : def.indexes) {
            if (index.primary)
                continue; // the autoincrement key
            QStringList keys;
            for (const QString& name : index.fields) {
                const auto found = std::find_if(fields.begin(), fields.end(), [&](const FieldDef& f) {
                    return f.name.compare(name, Qt::CaseInsensitive) == 0;
                });
                const FieldDef* field = found == fields.end() ? nullptr : &*found;
                if (!field)
                    throw EngineError(
                        QStringLiteral("Indeks \"%1\" wskazuje nieznane pole \"%2\".").arg(index.name, name));
                QString key = sqlite::quoted(field->name);
                if (index.caseInsensitive &&
                    (field->type == FieldType::Alpha || field->type == FieldType::Memo))
                    key += QStringLiteral(" COLLATE NOCASE");
                keys.append(key);
            }
            handle.exec(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                            .arg(index.unique ? QStringLiteral("UNIQUE ") : QString(),
                                 sqlite::quoted(index.name), sqlite::quoted(def.name),
                                 keys.join(QStringLiteral(", "))));
        }
        handle.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        removeTableFile(path);
        throw;
    }
}

void Database::executeSql(const QString& aliasOrFolder, const QString& sql) {
    const AlterStatement statement = parseAlterTable(sql);
    const QString path = tablePath(aliasOrFolder, statement.table);
    if (!QFileInfo(path).isFile())
        throw EngineError(
            QStringLiteral("Nie można otworzyć tablicy \"%1\" - brak pliku.").arg(statement.table));
    if (isOpen(path))
        throw EngineError(QStringLiteral("Tablica \"%1\" jest otwarta - nie można zmienić jej struktury.")
                              .arg(statement.table));

    Connection connection(path);
    const std::vector<FieldDef> existing = connection.fields();
    sqlite::Handle& handle = connection.handle();
    handle.exec(QStringLiteral("BEGIN IMMEDIATE"));
    try {
        for (const FieldDef& field : statement.added) {
            for (const FieldDef& present : existing) {
                if (present.name.compare(field.name, Qt::CaseInsensitive) == 0)
                    throw EngineError(QStringLiteral("Pole \"%1\" już istnieje w tablicy \"%2\".")
                                          .arg(field.name, statement.table));
            }
            handle.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                            .arg(sqlite::quoted(connection.sqlTable()), columnDefinition(field)));
        }
        handle.exec(QStringLiteral("COMMIT"));
    } catch (...) {
        try {
            handle.exec(QStringLiteral("ROLLBACK"));
        } catch (const EngineError&) {
        }
        throw;
    }
}

// ---------------------------------------------------------------- Transaction

struct Transaction::Snapshot {
    Table::State state = Table::State::Browse;
    Record buffer;
    std::vector<bool> changed;
    bool modified = false;
    qint64 rowid = 0;
    int insertAt = -1;
};

Transaction::Transaction(Table& table) : m_table(table) {
    table.requireActive();
    m_connection = table.m_connection;
    m_snapshot = std::make_unique<Snapshot>();
    m_snapshot->state = table.m_state;
    m_snapshot->buffer = table.m_buffer;
    m_snapshot->changed = table.m_changed;
    m_snapshot->modified = table.m_modified;
    m_snapshot->rowid = table.m_editRowid;
    m_snapshot->insertAt = table.m_insertAt;
    m_connection->begin();
}

void Transaction::commit() {
    m_connection->commit();
    m_done = true;
}

Transaction::~Transaction() {
    if (m_done)
        return;
    try {
        m_connection->rollback();
        if (!m_table.isActive())
            return;
        // Give the user back the row that was being saved.
        const Snapshot& s = *m_snapshot;
        if (s.state == Table::State::Insert) {
            m_table.m_insertAt = std::clamp(s.insertAt, 0, int(m_table.m_view.size()));
            m_table.m_state = Table::State::Insert;
        } else if (s.state == Table::State::Edit && m_table.viewIndexOf(s.rowid) >= 0) {
            m_table.positionOn(s.rowid, m_table.m_pos);
            m_table.m_editRowid = s.rowid;
            m_table.m_state = Table::State::Edit;
        } else {
            return;
        }
        m_table.m_buffer = s.buffer;
        m_table.m_changed = s.changed;
        m_table.m_modified = s.modified;
        m_table.notifyAll();
    } catch (...) {
        // A destructor must not throw; the tables have already been read again.
    }
}

} // namespace tarlok
