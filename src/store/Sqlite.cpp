#include "Sqlite.h"

#include "EngineError.h"

#include <QFileInfo>
#include <sqlite3.h>

namespace tarlok::sqlite {

QString errorText(int code, const QString& fileName, const QString& detail) {
    QString what;
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        what = QStringLiteral("Tablica \"%1\" jest zablokowana przez inny program.");
        break;
    case SQLITE_FULL:
        what = QStringLiteral("Brak miejsca na dysku dla tablicy \"%1\".");
        break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        what = QStringLiteral("Plik tablicy \"%1\" jest uszkodzony.");
        break;
    case SQLITE_CANTOPEN:
        what = QStringLiteral("Nie można otworzyć pliku tablicy \"%1\".");
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        what = QStringLiteral("Brak prawa zapisu do tablicy \"%1\".");
        break;
    case SQLITE_IOERR:
        what = QStringLiteral("Błąd odczytu lub zapisu pliku tablicy \"%1\".");
        break;
    case SQLITE_CONSTRAINT:
        what = QStringLiteral("Naruszenie klucza w tablicy \"%1\".");
        break;
    default:
        what = QStringLiteral("Błąd silnika tablic w tablicy \"%1\".");
        break;
    }
    QString text = what.arg(fileName);
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail);
    return text;
}

QString quoted(const QString& identifier) {
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

Statement::Statement(sqlite3* db, const QString& sql, const QString& fileName) : m_db(db), m_file(fileName) {
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, utf8.constData(), int(utf8.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw EngineError(errorText(rc, m_file, detail));
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

void Statement::bindNull(int index) {
    sqlite3_bind_null(m_stmt, index);
}
void Statement::bindInt(int index, qint64 value) {
    sqlite3_bind_int64(m_stmt, index, value);
}
void Statement::bindDouble(int index, double value) {
    sqlite3_bind_double(m_stmt, index, value);
}
void Statement::bindText(int index, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(m_stmt, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bind(int index, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        bindNull(index);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        bindInt(index, value.toBool() ? 1 : 0);
        break;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        bindInt(index, value.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        bindDouble(index, value.toDouble());
        break;
    default:
        bindText(index, value.toString());
        break;
    }
}

bool Statement::step() {
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const QString detail = QString::fromUtf8(sqlite3_errmsg(m_db));
    sqlite3_reset(m_stmt);
    throw EngineError(errorText(rc, m_file, detail));
}

void Statement::reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int Statement::columnCount() const {
    return sqlite3_column_count(m_stmt);
}
bool Statement::isNull(int column) const {
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}
int Statement::columnType(int column) const {
    return sqlite3_column_type(m_stmt, column);
}
qint64 Statement::int64(int column) const {
    return sqlite3_column_int64(m_stmt, column);
}
double Statement::real(int column) const {
    return sqlite3_column_double(m_stmt, column);
}
QString Statement::text(int column) const {
    const auto* data = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return data ? QString::fromUtf8(data, size) : QString();
}

Handle::Handle(const QString& path, bool create) : m_path(path) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const QByteArray utf8 = path.toUtf8();
    const int rc = sqlite3_open_v2(utf8.constData(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString detail = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QString();
        sqlite3_close(m_db);
        m_db = nullptr;
        throw EngineError(errorText(rc, fileName(), detail));
    }
    sqlite3_extended_result_codes(m_db, 0);
    sqlite3_busy_timeout(m_db, 2000);
    try {
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

Handle::~Handle() {
    m_cache.clear();
    sqlite3_close(m_db);
}

QString Handle::fileName() const {
    return QFileInfo(m_path).fileName();
}

void Handle::exec(const QString& sql) {
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString detail = error ? QString::fromUtf8(error) : QString();
        sqlite3_free(error);
        throw EngineError(errorText(rc, fileName(), detail));
    }
}

Statement& Handle::cached(const QString& sql) {
    const std::string key = sql.toStdString();
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.emplace(key, std::make_unique<Statement>(m_db, sql, fileName())).first;
    it->second->reset();
    return *it->second;
}

qint64 Handle::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(m_db);
}

bool Handle::inTransaction() const {
    return sqlite3_get_autocommit(m_db) == 0;
}

} // namespace tarlok::sqlite
