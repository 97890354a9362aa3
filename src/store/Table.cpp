#include "Table.h"

#include "Database.h"
#include "EngineError.h"
#include "Sqlite.h"
#include "StoredValue.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace tarlok {

namespace {

// A range of more rows than this keeps only its row numbers in memory and reads the rows in chunks.
constexpr size_t kCacheLimit = 20000;
constexpr size_t kChunk = 200;

bool isText(FieldType type) {
    return type == FieldType::Alpha || type == FieldType::Memo;
}

// The stored form of a normalised value.
QVariant toStored(const FieldDef& def, const QVariant& value) {
    if (value.isNull())
        return {};
    switch (def.type) {
    case FieldType::Logical:
        return qint64(value.toBool() ? 1 : 0);
    case FieldType::Date:
        return value.toDate().toString(Qt::ISODate);
    case FieldType::Timestamp:
        return value.toDateTime().toString(Qt::ISODate);
    default:
        return value;
    }
}

// Writes `values` (stored forms) into the columns `sets` ("name = ?" each) of the stored row `rowid`.
void updateStoredRow(Connection& connection, const QStringList& sets, const QVariantList& values,
                     qint64 rowid) {
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                            .arg(sqlite::quoted(connection.sqlTable()), sets.join(QStringLiteral(", ")));
    sqlite::Statement& st = connection.handle().cached(sql);
    int n = 1;
    for (const QVariant& v : values)
        st.bind(n++, v);
    st.bindInt(n, rowid);
    st.step();
    st.reset();
}

QString numberText(const QVariant& value) {
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

// SQLite's order of two normalised values of one field: empty first.
int compareValues(const FieldDef& def, const QVariant& a, const QVariant& b, bool noCase) {
    const bool an = a.isNull();
    const bool bn = b.isNull();
    if (an || bn)
        return an == bn ? 0 : (an ? -1 : 1);
    switch (def.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Short: {
        const qint64 x = a.toLongLong();
        const qint64 y = b.toLongLong();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Number: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Logical:
        return int(a.toBool()) - int(b.toBool());
    case FieldType::Date: {
        const QDate x = a.toDate();
        const QDate y = b.toDate();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Timestamp: {
        const QDateTime x = a.toDateTime();
        const QDateTime y = b.toDateTime();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case FieldType::Alpha:
    case FieldType::Memo: {
        if (noCase) {
            // SQLite's NOCASE folds the ASCII letters only.
            QByteArray x = a.toString().toUtf8();
            QByteArray y = b.toString().toUtf8();
            for (char& c : x)
                c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
            for (char& c : y)
                c = (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
            return x.compare(y);
        }
        return a.toString().toUtf8().compare(b.toString().toUtf8());
    }
    }
    return 0;
}

} // namespace

// ---------------------------------------------------------------- construction

Table::Table(Database& database, QObject* parent)
    : QObject(parent), m_database(database), m_databaseName(QString::fromLatin1(Database::kAlias)) {
}

Table::~Table() {
    blockSignals(true);
    for (Table* detail : std::as_const(m_details))
        detail->m_master = nullptr;
    m_details.clear();
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = nullptr;
    if (m_connection)
        m_connection->detach(this);
}

void Table::addCalculatedField(const QString& name, FieldType type, int size) {
    if (isActive())
        throw EngineError(
            QStringLiteral("Pole wyliczane \"%1\" można dodać tylko do zamkniętej tablicy.").arg(name));
    m_calcDefs.push_back(FieldDef{name, type, size, FieldOrigin::Base});
}

void Table::setIndexName(const QString& indexName) {
    if (!isActive()) {
        m_indexName = indexName;
        return;
    }
    checkBrowseMode();
    loadIndex(indexName);
    requery();
    setPosition(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emitViewReset();
    afterMove();
}

// Reads the fields of an index of the open file; an unknown index fails and changes nothing.
void Table::loadIndex(const QString& indexName) {
    QStringList fields;
    std::vector<bool> noCase;
    if (!indexName.isEmpty()) {
        sqlite::Statement info(m_connection->handle().get(),
                               QStringLiteral("PRAGMA index_xinfo(%1)").arg(sqlite::quoted(indexName)),
                               m_connection->fileName());
        while (info.step()) {
            if (info.int64(5) == 0)
                continue; // the rowid column of the index
            fields.append(info.text(2));
            noCase.push_back(info.text(4).compare(QLatin1String("NOCASE"), Qt::CaseInsensitive) == 0);
        }
        if (fields.isEmpty())
            throw EngineError(QStringLiteral("Tablica \"%1\" nie ma indeksu \"%2\".")
                                  .arg(QFileInfo(m_path).fileName(), indexName));
    }
    m_indexName = indexName;
    m_orderFields = fields;
    m_orderNoCase = noCase;
}

void Table::setMasterSource(Table* master, const QString& masterFields) {
    if (isActive())
        checkBrowseMode();
    if (m_master)
        m_master->m_details.removeAll(this);
    m_master = master;
    m_masterFields = masterFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (m_master)
        m_master->m_details.append(this);
    if (isActive())
        syncToMaster(true);
}

void Table::clearMasterSource() {
    setMasterSource(nullptr, QString());
}

void Table::setFieldRange(const QString& field, const QVariant& low, const QVariant& high) {
    for (FieldRange& range : m_fieldRanges) {
        if (range.field.compare(field, Qt::CaseInsensitive) == 0) {
            range.low = low;
            range.high = high;
            return;
        }
    }
    m_fieldRanges.push_back(FieldRange{field, low, high});
}

void Table::clearFieldRanges() {
    m_fieldRanges.clear();
}

void Table::setReadFields(const QStringList& fields) {
    if (isActive())
        throw EngineError(
            QStringLiteral("Pola czytane z tablicy \"%1\" można wybrać tylko przed jej otwarciem.")
                .arg(QFileInfo(m_path).fileName()));
    m_readFields = fields;
}

void Table::requireWholeRows() const {
    if (!m_readFields.isEmpty())
        throw EngineError(
            QStringLiteral("Tablica \"%1\" jest czytana tylko w części pól - nie można jej zapisać.")
                .arg(QFileInfo(m_path).fileName()));
}

bool Table::withinRange(const FieldRange& range, const QVariant& value) const {
    const FieldDef& def = m_fields[size_t(requireField(range.field))].def;
    const QString fileName = QFileInfo(m_path).fileName();
    return !value.isNull() && compareValues(def, normalise(def, range.low, fileName), value, false) <= 0 &&
           compareValues(def, value, normalise(def, range.high, fileName), false) <= 0;
}

bool Table::fieldRangesAdmit(const QString& field, const QVariant& value) const {
    requireActive();
    for (const FieldRange& range : m_fieldRanges) {
        if (range.field.compare(field, Qt::CaseInsensitive) == 0) {
            const FieldDef& def = m_fields[size_t(requireField(range.field))].def;
            return withinRange(range, normalise(def, value, QFileInfo(m_path).fileName()));
        }
    }
    return true;
}

bool Table::inFieldRanges(const Record& record) const {
    return std::all_of(m_fieldRanges.begin(), m_fieldRanges.end(), [&](const FieldRange& range) {
        return withinRange(range, record[requireField(range.field)]);
    });
}

// ---------------------------------------------------------------- open and close

void Table::open() {
    if (isActive())
        return;
    const QString path = m_database.tablePath(m_databaseName, m_tableName);
    const QString fileName = QFileInfo(path).fileName();
    if (!QFileInfo(path).isFile())
        throw EngineError(QStringLiteral("Nie można otworzyć tablicy \"%1\" - brak pliku %2.")
                              .arg(fileName, QDir::toNativeSeparators(path)));
    auto connection = m_database.connect(path);
    const std::vector<FieldDef> stored = connection->fields();

    std::vector<Column> fields;
    QHash<QString, int> byName;
    int autoInc = -1;
    for (size_t i = 0; i < stored.size(); ++i) {
        fields.push_back(Column{stored[i], int(i) + 1});
        // Each name under its own spelling as well as folded: the windows name fields as the file
        // spells them, and those lookups need no folding.
        byName.insert(stored[i].name.toLower(), int(i));
        byName.insert(stored[i].name, int(i));
        if (stored[i].type == FieldType::AutoInc)
            autoInc = int(i);
    }
    for (const FieldDef& expected : m_expected) {
        if (!byName.contains(expected.name.toLower()))
            throw EngineError(
                QStringLiteral("W tablicy \"%1\" brak pola \"%2\".").arg(fileName, expected.name));
    }
    const int physical = int(fields.size());
    for (const FieldDef& calc : m_calcDefs) {
        byName.insert(calc.name.toLower(), int(fields.size()));
        byName.insert(calc.name, int(fields.size()));
        fields.push_back(Column{calc, -1});
    }

    m_path = path;
    m_connection = connection;
    m_fields = std::move(fields);
    m_fieldByName = std::move(byName);
    m_fieldByExactName.clear();
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fieldByExactName.insert(m_fields[i].def.name, int(i));
    m_physicalCount = physical;
    m_autoIncField = autoInc;
    m_connection->attach(this);
    m_state = State::Browse;
    try {
        loadIndex(m_indexName);
        m_readColumn.clear();
        if (!m_readFields.isEmpty()) {
            m_readColumn.assign(size_t(m_physicalCount), false);
            QStringList always = m_orderFields;
            always += m_masterFields;
            always += m_readFields;
            for (const QString& name : std::as_const(always)) {
                const int field = fieldIndex(name.trimmed());
                if (field >= 0 && field < m_physicalCount)
                    m_readColumn[size_t(field)] = true;
            }
            if (m_autoIncField >= 0)
                m_readColumn[size_t(m_autoIncField)] = true;
        }
        requery();
    } catch (...) {
        m_connection->detach(this);
        m_connection.reset();
        m_state = State::Inactive;
        throw;
    }
    setPosition(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emit activeChanged();
    notifyAll();
    if (afterScroll)
        afterScroll(*this);
    for (Table* detail : std::as_const(m_details))
        detail->syncToMaster(true);
}

void Table::close() {
    if (!isActive())
        return;
    if (isEditing())
        cancel();
    m_connection->detach(this);
    m_connection.reset();
    m_state = State::Inactive;
    m_keys.clear();
    m_view.clear();
    m_cache.clear();
    m_pos = -1;
    m_bof = m_eof = true;
    m_buffer.clear();
    m_changed.clear();
    m_modified = false;
    m_insertAt = -1;
    emit activeChanged();
    notifyAll();
    for (Table* detail : std::as_const(m_details))
        detail->syncToMaster(true);
}

// ---------------------------------------------------------------- reading the rows

QString Table::selectList() const {
    // A field not read keeps its place in the record as an empty value.
    QStringList columns{QStringLiteral("rowid")};
    for (int i = 0; i < m_physicalCount; ++i)
        columns.append(m_readColumn.empty() || m_readColumn[size_t(i)]
                           ? sqlite::quoted(m_fields[size_t(i)].def.name)
                           : QStringLiteral("NULL"));
    return columns.join(QStringLiteral(", "));
}

QVariantList Table::masterValues() const {
    QVariantList values;
    if (!m_master || !m_master->isActive())
        return values;
    if (m_master->m_state != State::Insert && m_master->m_pos < 0)
        return values;
    for (const QString& name : m_masterFields) {
        const int i = m_master->fieldIndex(name);
        if (i < 0)
            throw EngineError(QStringLiteral("Tablica nadrzędna nie ma pola \"%1\".").arg(name));
        values.append(m_master->m_buffer.value(i));
    }
    return values;
}

QString Table::rangeClause(QVariantList& binds, WithFieldRanges withRanges) const {
    auto stored = [&](const QString& name) -> const FieldDef& {
        const int field = fieldIndex(name);
        if (field < 0)
            throw EngineError(
                QStringLiteral("W tablicy \"%1\" brak pola \"%2\".").arg(QFileInfo(m_path).fileName(), name));
        return m_fields[size_t(field)].def;
    };
    QStringList conditions;
    if (m_master) {
        const QVariantList values = masterValues();
        if (values.isEmpty())
            return QStringLiteral(" WHERE 0");
        for (int i = 0; i < values.size(); ++i) {
            if (values[i].isNull())
                return QStringLiteral(" WHERE 0");
            const QString name = i < m_orderFields.size() ? m_orderFields[i] : m_masterFields.value(i);
            const FieldDef& def = stored(name);
            conditions.append(sqlite::quoted(name) + QStringLiteral(" = ?"));
            binds.append(toStored(def, values[i]));
        }
    }
    for (const FieldRange& range :
         withRanges == WithFieldRanges::Yes ? m_fieldRanges : std::vector<FieldRange>{}) {
        const FieldDef& def = stored(range.field);
        conditions.append(sqlite::quoted(range.field) + QStringLiteral(" BETWEEN ? AND ?"));
        binds.append(toStored(def, range.low));
        binds.append(toStored(def, range.high));
    }
    if (conditions.isEmpty())
        return {};
    return QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

QString Table::orderClause(Order order) const {
    const QString direction = order == Order::Descending ? QStringLiteral(" DESC") : QString();
    QStringList keys;
    for (int i = 0; i < m_orderFields.size(); ++i) {
        QString key = sqlite::quoted(m_orderFields[i]);
        if (m_orderNoCase[size_t(i)])
            key += QStringLiteral(" COLLATE NOCASE");
        keys.append(key + direction);
    }
    keys.append(QStringLiteral("rowid") + direction);
    return QStringLiteral(" ORDER BY ") + keys.join(QStringLiteral(", "));
}

QVariant Table::lastFilledValue(const QString& field) const {
    requireActive();
    const Column& wanted = m_fields[size_t(requireField(field))];
    if (wanted.stored < 0)
        return {};
    QVariantList binds;
    QString where = rangeClause(binds, WithFieldRanges::No);
    if (where == QLatin1String(" WHERE 0"))
        return {};
    where += (where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) +
             sqlite::quoted(wanted.def.name) + QStringLiteral(" IS NOT NULL");
    const QString sql = QStringLiteral("SELECT %1 FROM %2%3%4 LIMIT 1")
                            .arg(sqlite::quoted(wanted.def.name), sqlite::quoted(m_connection->sqlTable()),
                                 where, orderClause(Order::Descending));
    sqlite::Statement& st = m_connection->handle().cached(sql);
    for (int i = 0; i < binds.size(); ++i)
        st.bind(i + 1, binds[i]);
    QVariant value;
    if (st.step())
        value = storedValue(st, 0, wanted.def.type);
    st.reset();
    return value;
}

Record Table::readRow(const sqlite::Statement& st) const {
    Record record(int(m_fields.size()));
    for (int i = 0; i < m_physicalCount; ++i) {
        if (m_readColumn.empty() || m_readColumn[size_t(i)])
            record[i] = storedValue(st, i + 1, m_fields[size_t(i)].def.type);
    }
    return record;
}

void Table::requery() {
    m_keys.clear();
    m_cache.clear();
    m_generation = m_connection->generation();
    QVariantList binds;
    const QString where = rangeClause(binds);
    m_rangeValues = masterValues();
    m_fieldRangesRead = m_fieldRanges;
    if (where != QLatin1String(" WHERE 0")) {
        const QString sql =
            QStringLiteral("SELECT %1 FROM %2%3%4")
                .arg(selectList(), sqlite::quoted(m_connection->sqlTable()), where, orderClause());
        sqlite::Statement& st = m_connection->handle().cached(sql);
        for (int i = 0; i < binds.size(); ++i)
            st.bind(i + 1, binds[i]);
        while (st.step()) {
            const qint64 rowid = st.int64(0);
            m_keys.push_back(rowid);
            if (m_cache.size() < kCacheLimit)
                m_cache.emplace(rowid, readRow(st));
        }
        st.reset();
    }
    rebuildView();
}

void Table::rebuildView() {
    if (!m_filtered || !onFilterRecord) {
        m_view = m_keys;
        return;
    }
    m_view.clear();
    for (qint64 rowid : m_keys) {
        if (accepts(fetch(rowid)))
            m_view.push_back(rowid);
    }
}

bool Table::accepts(const Record& record) {
    if (!m_filtered || !onFilterRecord)
        return true;
    const Record* savedContext = m_context;
    m_context = &record;
    m_inFilter = true;
    struct Restore {
        Table* t;
        const Record* context;
        ~Restore() {
            t->m_context = context;
            t->m_inFilter = false;
        }
    } restore{this, savedContext};
    return onFilterRecord(*this);
}

void Table::fetchChunk(size_t keyPosition) {
    if (m_cache.size() > 2 * kCacheLimit)
        m_cache.clear();
    std::vector<qint64> wanted;
    for (size_t i = keyPosition; i < m_keys.size() && wanted.size() < kChunk; ++i) {
        if (!m_cache.count(m_keys[i]))
            wanted.push_back(m_keys[i]);
    }
    if (wanted.empty())
        return;
    QStringList marks;
    for (size_t i = 0; i < wanted.size(); ++i)
        marks.append(QStringLiteral("?"));
    const QString sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
            .arg(selectList(), sqlite::quoted(m_connection->sqlTable()), marks.join(QLatin1Char(',')));
    sqlite::Statement st(m_connection->handle().get(), sql, m_connection->fileName());
    for (size_t i = 0; i < wanted.size(); ++i)
        st.bindInt(int(i) + 1, wanted[i]);
    while (st.step())
        m_cache[st.int64(0)] = readRow(st);
}

Record Table::fetch(qint64 rowid) {
    auto it = m_cache.find(rowid);
    if (it != m_cache.end())
        return it->second;
    const auto key = std::find(m_keys.begin(), m_keys.end(), rowid);
    if (key != m_keys.end()) {
        fetchChunk(size_t(key - m_keys.begin()));
        it = m_cache.find(rowid);
        if (it != m_cache.end())
            return it->second;
    }
    return Record(int(m_fields.size()));
}

void Table::computeCalc(Record& record) const {
    if (!onCalcFields || int(m_fields.size()) == m_physicalCount)
        return;
    for (int i = m_physicalCount; i < int(m_fields.size()); ++i)
        record[i] = QVariant();
    auto* self = const_cast<Table*>(this);
    const Record* savedContext = m_context;
    Record* savedWritable = m_writableContext;
    const bool savedCalc = m_inCalc;
    m_context = &record;
    m_writableContext = &record;
    m_inCalc = true;
    struct Restore {
        const Table* t;
        const Record* context;
        Record* writable;
        bool calc;
        ~Restore() {
            t->m_context = context;
            t->m_writableContext = writable;
            t->m_inCalc = calc;
        }
    } restore{this, savedContext, savedWritable, savedCalc};
    onCalcFields(*self);
}

void Table::loadBuffer() {
    if (m_pos < 0 || m_pos >= int(m_view.size()))
        m_buffer = Record(int(m_fields.size()));
    else
        m_buffer = fetch(m_view[size_t(m_pos)]);
    computeCalc(m_buffer);
    m_changed.assign(size_t(m_physicalCount), false);
    m_modified = false;
}

void Table::setPosition(int pos) {
    if (m_view.empty())
        m_pos = -1;
    else
        m_pos = std::clamp(pos, 0, int(m_view.size()) - 1);
    loadBuffer();
}

int Table::viewIndexOf(qint64 rowid) const {
    const auto it = std::find(m_view.begin(), m_view.end(), rowid);
    return it == m_view.end() ? -1 : int(it - m_view.begin());
}

void Table::positionOn(qint64 rowid, int fallback) {
    const int index = viewIndexOf(rowid);
    setPosition(index >= 0 ? index : fallback);
}

// ---------------------------------------------------------------- moves

void Table::requireActive() const {
    if (!isActive())
        throw EngineError(QStringLiteral("Tablica \"%1\" nie jest otwarta.").arg(m_tableName));
}

void Table::requireNotEmpty(const char* operation) const {
    if (m_view.empty())
        throw EngineError(QStringLiteral("Nie można %1 - tablica \"%2\" jest pusta.")
                              .arg(QString::fromUtf8(operation), QFileInfo(m_path).fileName()));
}

void Table::checkBrowseMode() {
    if (!isEditing())
        return;
    runRecordWriters();
    if (m_modified) {
        if (!m_pendingGuard.isEmpty())
            throw PendingRowError(m_pendingGuard);
        post();
    } else {
        cancel();
    }
}

void Table::prepareMasterMove() {
    if (!isActive())
        return;
    checkBrowseMode();
    for (Table* detail : std::as_const(m_details))
        detail->prepareMasterMove();
}

void Table::prepareMove() {
    requireActive();
    // A guarded detail refuses before anything moves.
    for (Table* detail : std::as_const(m_details)) {
        if (detail->isActive() && detail->isEditing() && detail->m_modified &&
            !detail->m_pendingGuard.isEmpty())
            throw PendingRowError(detail->m_pendingGuard);
    }
    checkBrowseMode();
    for (Table* detail : std::as_const(m_details))
        detail->prepareMasterMove();
}

void Table::afterMove() {
    emitScrolled();
    emitRecordChanged();
    if (afterScroll)
        afterScroll(*this);
    for (Table* detail : std::as_const(m_details)) {
        if (m_disabled > 0)
            m_detailsStale = true;
        else
            detail->syncToMaster(false);
    }
}

void Table::syncToMaster(bool force) {
    if (!isActive())
        return;
    const QVariantList values = masterValues();
    if (!force && values == m_rangeValues)
        return;
    if (isEditing())
        cancel();
    requery();
    setPosition(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emitViewReset();
    afterMove();
}

void Table::first() {
    prepareMove();
    setPosition(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    afterMove();
}

void Table::last() {
    prepareMove();
    setPosition(int(m_view.size()) - 1);
    m_eof = true;
    m_bof = m_view.empty();
    afterMove();
}

void Table::next() {
    prepareMove();
    if (m_pos + 1 < int(m_view.size())) {
        setPosition(m_pos + 1);
        m_bof = false;
        m_eof = false;
        afterMove();
    } else {
        m_eof = true;
    }
}

void Table::prior() {
    prepareMove();
    if (m_pos > 0) {
        setPosition(m_pos - 1);
        m_bof = false;
        m_eof = false;
        afterMove();
    } else {
        m_bof = true;
    }
}

void Table::moveBy(int distance) {
    if (distance > 0) {
        for (int i = 0; i < distance && !eof(); ++i)
            next();
    } else {
        for (int i = 0; i < -distance && !bof(); ++i)
            prior();
    }
}

void Table::moveTo(int row) {
    requireActive();
    if (row == recNo() || row < 0 || row >= displayRowCount())
        return;
    // The row of the view under `row` (the row being inserted shifts the rows after it).
    int viewRow = row;
    if (m_state == State::Insert && row > m_insertAt)
        --viewRow;
    const qint64 target = m_view[size_t(viewRow)];
    prepareMove();
    const int index = viewIndexOf(target);
    setPosition(index >= 0 ? index : viewRow);
    m_bof = false;
    m_eof = false;
    afterMove();
}

int Table::recNo() const {
    if (m_state == State::Insert)
        return m_insertAt;
    return m_pos;
}

void Table::refresh() {
    prepareMove();
    const qint64 current = rowid();
    const int pos = m_pos;
    // Nothing was written to the file since the rows were read: only the filter is applied again.
    if (rowsCurrent())
        rebuildView();
    else
        requery();
    positionOn(current, pos);
    m_bof = m_view.empty();
    m_eof = m_view.empty();
    emitViewReset();
    emitScrolled();
    emitRecordChanged();
    if (afterScroll)
        afterScroll(*this);
    for (Table* detail : std::as_const(m_details)) {
        if (m_disabled > 0)
            m_detailsStale = true;
        else
            detail->syncToMaster(true);
    }
}

void Table::setFiltered(bool on) {
    if (!isActive()) {
        m_filtered = on;
        return;
    }
    prepareMove();
    if (m_filtered == on)
        return;
    m_filtered = on;
    rebuildView();
    setPosition(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emitViewReset();
    afterMove();
}

bool Table::locate(const QString& fields, const QVariantList& values, bool caseInsensitive) {
    requireActive();
    const QStringList names = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.size() != values.size())
        throw EngineError(QStringLiteral("Liczba wartości nie odpowiada liczbie pól \"%1\".").arg(fields));
    std::vector<int> indexes;
    QVariantList wanted;
    bool impossible = false;
    for (int i = 0; i < names.size(); ++i) {
        const int index = requireField(names[i].trimmed());
        indexes.push_back(index);
        try {
            wanted.append(normalise(m_fields[size_t(index)].def, values[i], m_tableName));
        } catch (const EngineError&) {
            impossible = true; // a value the field cannot hold matches no row
            wanted.append(QVariant());
        }
    }
    prepareMove();
    if (impossible)
        return false;
    for (size_t row = 0; row < m_view.size(); ++row) {
        Record record = fetch(m_view[row]);
        if (!indexes.empty() && indexes.back() >= m_physicalCount)
            computeCalc(record);
        bool match = true;
        for (size_t k = 0; k < indexes.size() && match; ++k) {
            const FieldDef& def = m_fields[size_t(indexes[k])].def;
            const QVariant& have = record[indexes[k]];
            if (have.isNull() || wanted[int(k)].isNull())
                match = have.isNull() && wanted[int(k)].isNull();
            else if (isText(def.type) && caseInsensitive)
                match = have.toString().compare(wanted[int(k)].toString(), Qt::CaseInsensitive) == 0;
            else
                match = compareValues(def, have, wanted[int(k)], false) == 0;
        }
        if (match) {
            setPosition(int(row));
            m_bof = false;
            m_eof = false;
            afterMove();
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- editing

void Table::edit() {
    requireActive();
    requireWholeRows();
    if (isEditing())
        return;
    if (m_view.empty()) {
        insert();
        return;
    }
    m_state = State::Edit;
    m_editRowid = m_view[size_t(m_pos)];
    m_changed.assign(size_t(m_physicalCount), false);
    m_modified = false;
    emitState();
}

void Table::insert() {
    startInsert(false);
}
void Table::append() {
    startInsert(true);
}

void Table::startInsert(bool appendAtEnd) {
    requireWholeRows();
    prepareMove();
    if (beforeInsert)
        beforeInsert(*this);
    m_insertAt = appendAtEnd ? int(m_view.size()) : std::max(m_pos, 0);
    m_buffer = Record(int(m_fields.size()));
    m_changed.assign(size_t(m_physicalCount), false);
    // A detail's new row carries the master's values in its linked fields.
    const QVariantList values = masterValues();
    for (int i = 0; i < values.size(); ++i) {
        const QString name = i < m_orderFields.size() ? m_orderFields[i] : m_masterFields.value(i);
        const int field = fieldIndex(name);
        if (field >= 0 && field < m_physicalCount && !values[i].isNull()) {
            m_buffer[field] = values[i];
            m_changed[size_t(field)] = true;
        }
    }
    m_state = State::Insert;
    computeCalc(m_buffer);
    m_modified = false;
    m_bof = m_eof = false;
    emitState();
    emitViewReset();
    emitScrolled();
    emitRecordChanged();
    if (afterInsert)
        afterInsert(*this);
}

bool Table::sameOrderKey(const Record& a, const Record& b) const {
    for (int i = 0; i < m_orderFields.size(); ++i) {
        const int field = fieldIndex(m_orderFields[i]);
        if (compareValues(m_fields[size_t(field)].def, a[field], b[field], m_orderNoCase[size_t(i)]) != 0)
            return false;
    }
    return true;
}

void Table::noteOwnWrite() {
    const bool current = m_generation == m_connection->generation();
    m_connection->changed();
    if (current)
        m_generation = m_connection->generation();
}

void Table::writeInsert() {
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (int i = 0; i < m_physicalCount; ++i) {
        if (i == m_autoIncField || m_buffer[i].isNull())
            continue;
        names.append(sqlite::quoted(m_fields[size_t(i)].def.name));
        marks.append(QStringLiteral("?"));
        values.append(toStored(m_fields[size_t(i)].def, m_buffer[i]));
    }
    const QString table = sqlite::quoted(m_connection->sqlTable());
    const QString sql =
        names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    sqlite::Statement& st = m_connection->handle().cached(sql);
    for (int i = 0; i < values.size(); ++i)
        st.bind(i + 1, values[i]);
    st.step();
    st.reset();
    m_editRowid = m_connection->handle().lastInsertRowid();
    noteOwnWrite();
    if (m_autoIncField >= 0)
        m_buffer[m_autoIncField] = m_editRowid;
}

void Table::writeUpdate() {
    QStringList sets;
    QVariantList values;
    for (int i = 0; i < m_physicalCount; ++i) {
        if (!m_changed[size_t(i)] || i == m_autoIncField)
            continue;
        sets.append(sqlite::quoted(m_fields[size_t(i)].def.name) + QStringLiteral(" = ?"));
        values.append(toStored(m_fields[size_t(i)].def, m_buffer[i]));
    }
    if (sets.isEmpty())
        return;
    updateStoredRow(*m_connection, sets, values, m_editRowid);
    noteOwnWrite();
}

void Table::post() {
    requireActive();
    if (!isEditing())
        return;
    runRecordWriters();
    if (!isEditing())
        return;
    if (beforePost) {
        beforePost(*this);
        if (!isEditing())
            return; // the handler cancelled the row
    }
    const bool inserting = m_state == State::Insert;
    if (inserting)
        writeInsert();
    else
        writeUpdate();

    const qint64 rowid = m_editRowid;
    Record stored = m_buffer;
    for (int i = m_physicalCount; i < int(m_fields.size()); ++i)
        stored[i] = QVariant();
    const auto old = m_cache.find(rowid);
    const bool reorder = inserting || old == m_cache.end() || !sameOrderKey(old->second, stored);
    m_cache[rowid] = stored;

    bool viewChanged = false;
    const int oldIndex = inserting ? -1 : viewIndexOf(rowid);
    // A row stored outside the field ranges is no row of the range, as a read would not read it.
    const bool inRanges = inFieldRanges(stored);
    if (reorder) {
        // Put the row at its place in the range: by the index fields, then by row number.
        auto less = [&](qint64 key) {
            const Record other = fetch(key);
            for (int i = 0; i < m_orderFields.size(); ++i) {
                const int field = fieldIndex(m_orderFields[i]);
                const int c = compareValues(m_fields[size_t(field)].def, other[field], stored[field],
                                            m_orderNoCase[size_t(i)]);
                if (c != 0)
                    return c < 0;
            }
            return key < rowid;
        };
        m_keys.erase(std::remove(m_keys.begin(), m_keys.end(), rowid), m_keys.end());
        m_view.erase(std::remove(m_view.begin(), m_view.end(), rowid), m_view.end());
        bool inRange = inRanges;
        if (m_master && inRange) {
            const QVariantList values = masterValues();
            for (int i = 0; i < values.size() && inRange; ++i) {
                const QString name = i < m_orderFields.size() ? m_orderFields[i] : m_masterFields.value(i);
                const int field = fieldIndex(name);
                inRange = field >= 0 && !values[i].isNull() &&
                          compareValues(m_fields[size_t(field)].def, values[i], stored[field], false) == 0;
            }
            inRange = inRange && !values.isEmpty();
        }
        if (inRange) {
            const auto keyAt = std::partition_point(m_keys.begin(), m_keys.end(), less);
            m_keys.insert(keyAt, rowid);
            if (accepts(stored)) {
                const auto viewAt = std::partition_point(m_view.begin(), m_view.end(), less);
                m_view.insert(viewAt, rowid);
            }
        }
        viewChanged = true;
    } else if (!inRanges) {
        // Changed out of the field ranges: the file keeps it, the rows held here do not.
        m_keys.erase(std::remove(m_keys.begin(), m_keys.end(), rowid), m_keys.end());
        m_view.erase(std::remove(m_view.begin(), m_view.end(), rowid), m_view.end());
        viewChanged = true;
    } else if (!accepts(stored)) {
        m_view.erase(std::remove(m_view.begin(), m_view.end(), rowid), m_view.end());
        viewChanged = true;
    }

    m_state = State::Browse;
    m_insertAt = -1;
    const int index = viewIndexOf(rowid);
    const int fallback = inserting ? m_pos : oldIndex;
    setPosition(index >= 0 ? index : fallback);
    if (index >= 0)
        m_bof = m_eof = false;

    emitState();
    if (viewChanged || inserting)
        emitViewReset();
    else
        emitRowUpdated(m_pos);
    emitScrolled();
    emitRecordChanged();
    if (afterPost)
        afterPost(*this);
    for (Table* detail : std::as_const(m_details)) {
        if (m_disabled > 0)
            m_detailsStale = true;
        else
            detail->syncToMaster(false);
    }
}

void Table::cancel() {
    if (!isEditing())
        return;
    const bool inserting = m_state == State::Insert;
    m_state = State::Browse;
    m_insertAt = -1;
    loadBuffer();
    emitState();
    if (inserting)
        emitViewReset();
    else
        emitRowUpdated(m_pos);
    emitScrolled();
    emitRecordChanged();
}

void Table::deleteRecord() {
    requireActive();
    requireWholeRows();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    requireNotEmpty("usunąć rekordu");
    for (Table* detail : std::as_const(m_details))
        detail->prepareMasterMove();
    const qint64 rowid = m_view[size_t(m_pos)];
    sqlite::Statement& st = m_connection->handle().cached(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlite::quoted(m_connection->sqlTable())));
    st.bindInt(1, rowid);
    st.step();
    st.reset();
    noteOwnWrite();

    const bool wasLast = m_pos == int(m_view.size()) - 1;
    m_keys.erase(std::remove(m_keys.begin(), m_keys.end(), rowid), m_keys.end());
    m_view.erase(std::remove(m_view.begin(), m_view.end(), rowid), m_view.end());
    m_cache.erase(rowid);
    m_state = State::Browse;
    setPosition(m_pos);
    m_bof = m_view.empty();
    m_eof = m_view.empty() || wasLast;
    emitState();
    emitViewReset();
    if (afterDelete)
        afterDelete(*this);
    afterMove();
}

void Table::reloadAfterRollback() {
    if (!isActive())
        return;
    const qint64 current = m_state == State::Edit ? m_editRowid : rowid();
    const int pos = m_pos;
    m_state = State::Browse;
    m_insertAt = -1;
    requery();
    positionOn(current, pos);
    m_bof = m_eof = m_view.empty();
    notifyAll();
}

// ---------------------------------------------------------------- fields

int Table::fieldIndex(const QString& name) const {
    const auto spelt = m_fieldByName.constFind(name);
    if (spelt != m_fieldByName.cend())
        return *spelt;
    return m_fieldByName.value(name.toLower(), -1);
}

int Table::requireField(const QString& name) const {
    const int index = fieldIndex(name);
    if (index < 0) {
        const QString table = m_path.isEmpty() ? m_tableName : QFileInfo(m_path).fileName();
        throw EngineError(QStringLiteral("W tablicy \"%1\" brak pola \"%2\".").arg(table, name));
    }
    return index;
}

const Table::Column& Table::column(const QString& name) const {
    return m_fields[size_t(requireField(name))];
}

QVariant Table::value(int field) const {
    if (!isActive() && !m_context)
        throw EngineError(QStringLiteral("Tablica \"%1\" nie jest otwarta.").arg(m_tableName));
    const Record& record = m_context ? *m_context : m_buffer;
    if (field < 0 || field >= record.size())
        return {};
    return record[field];
}

QVariant Table::value(const QString& field) const {
    return value(requireField(field));
}

void Table::setValue(const QString& field, const QVariant& value) {
    setValue(requireField(field), value);
}

void Table::setValue(int field, const QVariant& value) {
    const Column& col = m_fields[size_t(field)];
    if (m_inCalc) {
        if (field < m_physicalCount)
            throw EngineError(
                QStringLiteral("Podczas wyliczania można zmieniać tylko pola wyliczane (\"%1\").")
                    .arg(col.def.name));
        (*m_writableContext)[field] = normalise(col.def, value, m_tableName);
        return;
    }
    if (m_inFilter)
        throw EngineError(
            QStringLiteral("Podczas filtrowania nie można zmieniać pól (\"%1\").").arg(col.def.name));
    requireActive();
    if (!isEditing())
        throw EngineError(QStringLiteral("Tablica \"%1\" nie jest w trybie edycji ani wprowadzania.")
                              .arg(QFileInfo(m_path).fileName()));
    if (field == m_autoIncField)
        throw EngineError(
            QStringLiteral("Pole \"%1\" jest numerowane automatycznie i nie może być zmienione.")
                .arg(col.def.name));
    const QVariant normalised = normalise(col.def, value, QFileInfo(m_path).fileName());
    m_buffer[field] = normalised;
    if (field < m_physicalCount) {
        m_changed[size_t(field)] = true;
        m_modified = true;
        computeCalc(m_buffer);
    }
    emitRowUpdated(recNo());
    emitRecordChanged();
}

bool Table::isNull(const QString& field) const {
    return value(field).isNull();
}
qint64 Table::asInteger(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0 : v.toLongLong();
}
double Table::asFloat(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0.0 : v.toDouble();
}
QString Table::asString(const QString& field) const {
    const QVariant v = value(field);
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
        return numberText(v);
    case QMetaType::QDate:
        return v.toDate().toString(Qt::ISODate);
    case QMetaType::QDateTime:
        return v.toDateTime().toString(Qt::ISODate);
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return v.toString();
    }
}
bool Table::asBool(const QString& field) const {
    const QVariant v = value(field);
    return !v.isNull() && v.toBool();
}
QDate Table::asDate(const QString& field) const {
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return v.isNull() ? QDate() : v.toDate();
}
QDateTime Table::asDateTime(const QString& field) const {
    const QVariant v = value(field);
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().startOfDay();
    return v.isNull() ? QDateTime() : v.toDateTime();
}

qint64 Table::rowid() const {
    if (m_state == State::Insert || m_pos < 0 || m_pos >= int(m_view.size()))
        return 0;
    return m_view[size_t(m_pos)];
}

QVariant Table::normalise(const FieldDef& def, const QVariant& value, const QString& tableName) {
    Q_UNUSED(tableName)
    if (!value.isValid() || value.isNull())
        return {};
    const int type = value.typeId();
    switch (def.type) {
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::Short: {
        qint64 n = 0;
        if (type == QMetaType::Double || type == QMetaType::Float) {
            const double d = value.toDouble();
            if (!std::isfinite(d) || std::floor(d) != d)
                throw EngineError(QStringLiteral("Wartość %1 nie jest liczbą całkowitą - pole \"%2\".")
                                      .arg(numberText(value), def.name));
            if (std::fabs(d) > 9.0e15)
                throw EngineError(QStringLiteral("Wartość %1 przekracza zakres pola \"%2\".")
                                      .arg(numberText(value), def.name));
            n = qint64(d);
        } else if (type == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return {};
            bool ok = false;
            n = text.toLongLong(&ok);
            if (!ok)
                throw EngineError(QStringLiteral("\"%1\" nie jest poprawną liczbą całkowitą - pole \"%2\".")
                                      .arg(value.toString(), def.name));
        } else if (type == QMetaType::Bool) {
            n = value.toBool() ? 1 : 0;
        } else {
            bool ok = false;
            n = value.toLongLong(&ok);
            if (!ok)
                throw EngineError(QStringLiteral("\"%1\" nie jest poprawną liczbą całkowitą - pole \"%2\".")
                                      .arg(value.toString(), def.name));
        }
        const qint64 low = def.type == FieldType::Short ? std::numeric_limits<qint16>::min()
                                                        : std::numeric_limits<qint32>::min();
        const qint64 high = def.type == FieldType::Short ? std::numeric_limits<qint16>::max()
                                                         : std::numeric_limits<qint32>::max();
        if (n < low || n > high)
            throw EngineError(
                QStringLiteral("Wartość %1 przekracza zakres pola \"%2\".").arg(n).arg(def.name));
        return n;
    }
    case FieldType::Number: {
        double d = 0;
        if (type == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return {};
            bool ok = false;
            d = text.toDouble(&ok);
            if (!ok)
                throw EngineError(QStringLiteral("\"%1\" nie jest poprawną liczbą - pole \"%2\".")
                                      .arg(value.toString(), def.name));
        } else {
            bool ok = false;
            d = value.toDouble(&ok);
            if (!ok)
                throw EngineError(QStringLiteral("\"%1\" nie jest poprawną liczbą - pole \"%2\".")
                                      .arg(value.toString(), def.name));
        }
        if (!std::isfinite(d))
            throw EngineError(QStringLiteral("Wartość pola \"%1\" nie jest skończoną liczbą.").arg(def.name));
        return d;
    }
    case FieldType::Alpha:
    case FieldType::Memo: {
        QString text = type == QMetaType::Double ? numberText(value) : value.toString();
        if (def.type == FieldType::Alpha && def.size > 0 && text.size() > def.size)
            text.truncate(def.size);
        if (text.isEmpty())
            return {};
        return text;
    }
    case FieldType::Logical:
        if (type == QMetaType::QString) {
            const QString text = value.toString().trimmed().toLower();
            if (text.isEmpty())
                return {};
            if (text == QLatin1String("true") || text == QLatin1String("1"))
                return true;
            if (text == QLatin1String("false") || text == QLatin1String("0"))
                return false;
            throw EngineError(QStringLiteral("\"%1\" nie jest wartością logiczną - pole \"%2\".")
                                  .arg(value.toString(), def.name));
        }
        return value.toBool();
    case FieldType::Date:
    case FieldType::Timestamp: {
        QDateTime at;
        if (type == QMetaType::QDateTime)
            at = value.toDateTime();
        else if (type == QMetaType::QDate)
            at = value.toDate().startOfDay();
        else if (type == QMetaType::QString) {
            const QString text = value.toString().trimmed();
            if (text.isEmpty())
                return {};
            const QDate day = QDate::fromString(text, Qt::ISODate);
            at = day.isValid() ? day.startOfDay() : QDateTime::fromString(text, Qt::ISODate);
            if (!at.isValid())
                throw EngineError(
                    QStringLiteral("\"%1\" nie jest poprawną datą - pole \"%2\".").arg(text, def.name));
        } else {
            throw EngineError(QStringLiteral("Niepoprawna wartość daty - pole \"%1\".").arg(def.name));
        }
        if (!at.isValid())
            return {};
        return def.type == FieldType::Date ? QVariant(at.date()) : QVariant(at);
    }
    }
    return value;
}

// ---------------------------------------------------------------- grid rows

int Table::displayRowCount() const {
    if (!isActive())
        return 0;
    return int(m_view.size()) + (m_state == State::Insert ? 1 : 0);
}

Record Table::rangeRecord(int index) const {
    if (!isActive() || index < 0 || index >= int(m_keys.size()))
        return Record(int(m_fields.size()));
    return const_cast<Table*>(this)->fetch(m_keys[size_t(index)]);
}

qint64 Table::rangeRowid(int index) const {
    return index >= 0 && index < int(m_keys.size()) ? m_keys[size_t(index)] : 0;
}

qint64 Table::rowidAt(int row) const {
    return row >= 0 && row < int(m_view.size()) ? m_view[size_t(row)] : 0;
}

void Table::keepRangeCurrent() {
    requireActive();
    if (!rowsCurrent())
        refresh();
}

void Table::writeFields(qint64 rowid, const std::vector<std::pair<int, QVariant>>& values) {
    requireActive();
    requireWholeRows();
    checkBrowseMode();
    if (values.empty())
        return;
    const QString fileName = QFileInfo(m_path).fileName();
    const Record current = fetch(rowid);
    QStringList sets;
    QVariantList binds;
    std::vector<std::pair<int, QVariant>> normalised;
    normalised.reserve(values.size());
    for (const auto& [field, value] : values) {
        if (field < 0 || field >= m_physicalCount || field == m_autoIncField ||
            m_orderFields.contains(m_fields[size_t(field)].def.name, Qt::CaseInsensitive))
            throw EngineError(
                QStringLiteral("Pola nr %1 tablicy \"%2\" nie można zapisać poza edycją wiersza.")
                    .arg(field)
                    .arg(fileName));
        const FieldDef& def = m_fields[size_t(field)].def;
        const QVariant stored = normalise(def, value, fileName);
        if (compareValues(def, current[field], stored, false) == 0)
            continue; // the row holds it already
        sets.append(sqlite::quoted(def.name) + QStringLiteral(" = ?"));
        binds.append(toStored(def, stored));
        normalised.emplace_back(field, stored);
    }
    if (sets.isEmpty())
        return;
    updateStoredRow(*m_connection, sets, binds, rowid);
    noteOwnWrite();

    const auto held = m_cache.find(rowid);
    if (held != m_cache.end()) {
        for (const auto& [field, value] : normalised)
            held->second[field] = value;
    }
    const int row = viewIndexOf(rowid);
    if (row < 0)
        return;
    if (row == m_pos) {
        for (const auto& [field, value] : normalised)
            m_buffer[field] = value;
        computeCalc(m_buffer);
        emitRecordChanged();
    }
    emitRowUpdated(row);
}

bool Table::isPendingRow(int row) const {
    if (m_state == State::Insert)
        return row == m_insertAt;
    if (m_state == State::Edit)
        return row == m_pos;
    return false;
}

Record Table::displayRecord(int row) const {
    if (!isActive() || row < 0 || row >= displayRowCount())
        return Record(int(m_fields.size()));
    if (isPendingRow(row))
        return m_buffer;
    int viewRow = row;
    if (m_state == State::Insert && row > m_insertAt)
        --viewRow;
    auto* self = const_cast<Table*>(this);
    Record record = self->fetch(m_view[size_t(viewRow)]);
    computeCalc(record);
    return record;
}

// ---------------------------------------------------------------- notifications

int Table::addRecordWriter(std::function<void()> writer, std::function<bool()> holdsTyped) {
    const int id = m_nextWriter++;
    m_writers.push_back({id, std::move(writer), std::move(holdsTyped)});
    return id;
}

void Table::removeRecordWriter(int id) {
    std::erase_if(m_writers, [id](const RecordWriter& w) { return w.id == id; });
}

bool Table::hasTypedText() const {
    return std::any_of(m_writers.begin(), m_writers.end(),
                       [](const RecordWriter& w) { return w.holdsTyped && w.holdsTyped(); });
}

void Table::runRecordWriters() {
    if (!isEditing())
        return;
    const auto writers = m_writers; // a writer may remove itself
    for (const auto& writer : writers)
        writer.write();
}

void Table::disableControls() {
    ++m_disabled;
}

void Table::enableControls() {
    if (m_disabled == 0)
        return;
    if (--m_disabled > 0)
        return;
    if (m_notifyPending) {
        m_notifyPending = false;
        emit stateChanged();
        emit viewReset();
        emit scrolled();
        emit recordChanged();
    }
    if (m_detailsStale) {
        m_detailsStale = false;
        for (Table* detail : std::as_const(m_details))
            detail->syncToMaster(false);
    }
}

void Table::notifyAll() {
    emitState();
    emitViewReset();
    emitScrolled();
    emitRecordChanged();
}

void Table::emitRecordChanged() {
    if (m_disabled > 0)
        m_notifyPending = true;
    else
        emit recordChanged();
}
void Table::emitState() {
    if (m_disabled > 0)
        m_notifyPending = true;
    else
        emit stateChanged();
}
void Table::emitViewReset() {
    if (m_disabled > 0)
        m_notifyPending = true;
    else
        emit viewReset();
}
void Table::emitScrolled() {
    if (m_disabled > 0)
        m_notifyPending = true;
    else
        emit scrolled();
}
void Table::emitRowUpdated(int row) {
    if (m_disabled > 0)
        m_notifyPending = true;
    else
        emit rowUpdated(row);
}

// ---------------------------------------------------------------- guards for a walk

namespace {

std::vector<qint64> sortedRowids(std::vector<qint64> rowids) {
    std::sort(rowids.begin(), rowids.end());
    return rowids;
}

bool holds(const std::vector<qint64>& sorted, qint64 rowid) {
    return std::binary_search(sorted.begin(), sorted.end(), rowid);
}

} // namespace

bool Table::rowsCurrent() const {
    return m_generation == m_connection->generation() && masterValues() == m_rangeValues &&
           m_fieldRanges == m_fieldRangesRead;
}

void Table::showFromTop() {
    setPosition(m_view.empty() ? -1 : 0);
    m_bof = true;
    m_eof = m_view.empty();
    emitViewReset();
    afterMove();
}

Table::QuietControls::QuietControls(Table& table) : m_table(table) {
    m_table.disableControls();
}

Table::QuietControls::~QuietControls() {
    try {
        m_table.enableControls();
    } catch (...) {
        // The count is down already; a detail that failed to follow is read again at the master's next
        // move.
    }
}

Table::TemporaryView::TemporaryView(Table& table, std::function<bool(Table&)> admit, Scope scope)
    : m_table(table), m_scope(scope) {
    // A pending row is stored, dropped or refused before anything is remembered or switched.
    table.prepareMove();
    m_filter = table.onFilterRecord;
    m_filtered = table.m_filtered;
    m_shown = sortedRowids(table.m_view);
    m_range = sortedRowids(table.m_keys);
    m_rangeValues = table.m_rangeValues;
    m_current = table.rowid();
    m_pos = table.m_pos;
    m_bof = table.m_bof;
    m_eof = table.m_eof;
    m_master = table.m_master;
    m_masterFields = table.m_masterFields;
    m_indexName = table.m_indexName;
    try {
        table.onFilterRecord = std::move(admit);
        table.m_filtered = bool(table.onFilterRecord);
        if (scope == Scope::WholeFile) {
            if (m_master) {
                m_detailPlace = int(m_master->m_details.indexOf(&table));
                m_master->m_details.removeAll(&table);
            }
            table.m_master = nullptr;
            table.m_masterFields.clear();
            m_fieldRanges = std::exchange(table.m_fieldRanges, {});
            table.loadIndex(QString());
            table.requery();
        } else if (table.rowsCurrent()) {
            table.rebuildView();
        } else {
            table.requery();
        }
        table.showFromTop();
    } catch (...) {
        restoreSettings();
        try {
            restoreRows();
        } catch (...) {
            table.m_generation = std::numeric_limits<quint64>::max(); // read again at the next refresh
        }
        throw;
    }
}

Table::TemporaryView::~TemporaryView() {
    try {
        if (m_table.isEditing())
            m_table.cancel(); // the walk's own row, left by a failure
    } catch (...) {
        // A control's failure to show the dropped row; the row is dropped all the same.
    }
    try {
        restoreSettings();
        restoreRows();
    } catch (...) {
        m_table.m_generation = std::numeric_limits<quint64>::max(); // read again at the next refresh
    }
}

// The filter, the flag, the master link and the index name: no reading, so they hold whatever follows.
void Table::TemporaryView::restoreSettings() {
    if (m_settingsRestored)
        return;
    m_settingsRestored = true;
    Table& t = m_table;
    t.onFilterRecord = m_filter;
    t.m_filtered = m_filtered;
    if (m_scope != Scope::WholeFile)
        return;
    if (t.m_master)
        t.m_master->m_details.removeAll(&t);
    t.m_master = m_master;
    t.m_masterFields = m_masterFields;
    t.m_fieldRanges = m_fieldRanges;
    if (m_master && !m_master->m_details.contains(&t))
        m_master->m_details.insert(std::clamp(m_detailPlace, 0, int(m_master->m_details.size())), &t);
    t.m_indexName = m_indexName;
}

void Table::TemporaryView::restoreRows() {
    Table& t = m_table;
    if (!t.isActive())
        return;
    if (m_scope == Scope::WholeFile) {
        // Linked before reading, so that only the master's rows are read again, once.
        t.loadIndex(m_indexName);
        t.requery();
    } else if (!t.rowsCurrent()) {
        t.requery();
    }
    if (t.m_filtered && t.onFilterRecord && t.m_rangeValues == m_rangeValues) {
        // The rows shown before, by number; only a row new to the range is judged by the filter.
        std::vector<qint64> view;
        view.reserve(m_shown.size());
        for (qint64 rowid : t.m_keys) {
            if (holds(m_shown, rowid) || (!holds(m_range, rowid) && t.accepts(t.fetch(rowid))))
                view.push_back(rowid);
        }
        t.m_view = std::move(view);
    } else {
        t.rebuildView();
    }
    const int index = m_current != 0 ? t.viewIndexOf(m_current) : -1;
    t.setPosition(index >= 0 ? index : m_pos);
    if (index >= 0) {
        t.m_bof = m_bof;
        t.m_eof = m_eof;
    } else {
        t.m_bof = t.m_eof = t.m_view.empty();
    }
    t.emitViewReset();
    t.afterMove();
}

} // namespace tarlok
