#pragma once

#include <QString>
#include <QVariant>

#include <memory>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

// A thin RAII layer over the SQLite C API. Failures raise EngineError with a Polish text.
namespace tarlok::sqlite {

class Statement {
public:
    Statement(sqlite3* db, const QString& sql, const QString& fileName);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    void bindNull(int index);
    void bindInt(int index, qint64 value);
    void bindDouble(int index, double value);
    void bindText(int index, const QString& value);
    // Binds a value already in its stored form: null, an integer, a floating point number or a text.
    void bind(int index, const QVariant& value);

    // Runs the statement; true while a row is ready.
    bool step();
    void reset();

    int columnCount() const;
    bool isNull(int column) const;
    int columnType(int column) const;
    qint64 int64(int column) const;
    double real(int column) const;
    QString text(int column) const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
    QString m_file;
};

// One open SQLite file.
class Handle {
public:
    // Opens `path`; `create` allows a new file. journal_mode=DELETE and synchronous=FULL: a committed
    // write is on the disk, and when no handle is open the table is exactly one file.
    Handle(const QString& path, bool create);
    ~Handle();
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    sqlite3* get() const { return m_db; }
    const QString& path() const { return m_path; }
    QString fileName() const;

    void exec(const QString& sql);
    // A prepared statement kept for the life of the handle (reset before it is returned).
    Statement& cached(const QString& sql);
    qint64 lastInsertRowid() const;
    bool inTransaction() const;

private:
    sqlite3* m_db = nullptr;
    QString m_path;
    std::unordered_map<std::string, std::unique_ptr<Statement>> m_cache;
};

// The Polish text for an SQLite result code.
QString errorText(int code, const QString& fileName, const QString& detail);

QString quoted(const QString& identifier);

} // namespace tarlok::sqlite
