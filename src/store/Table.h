#pragma once

#include "TableDef.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace tarlok {

class Connection;
class Database;
namespace sqlite {
class Statement;
}

using Record = QVector<QVariant>;

// The dataset of one table file: a cursor over the rows left after the master-detail range and the
// record filter, the current record buffer, and the browse / edit / insert states.
//
// Values are QVariant: QString, qint64, double, bool, QDate, QDateTime; an empty field is a null
// QVariant, never a silent 0. Field names are matched without regard to case.
//
// Moving the cursor (first, last, next, prior, locate, refresh, append, insert, a move of the master)
// while a row is pending stores it when it was changed and drops it otherwise. A table with a pending
// guard refuses such a move instead (PendingRowError) and keeps its row: its rows get computed fields
// only from their window's save.
class Table : public QObject {
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };

    explicit Table(Database& database, QObject* parent = nullptr);
    ~Table() override;

    // --- configuration (before open) ---
    void setDatabaseName(const QString& aliasOrFolder) { m_databaseName = aliasOrFolder; }
    const QString& databaseName() const { return m_databaseName; }
    void setTableName(const QString& name) { m_tableName = name; }
    const QString& tableName() const { return m_tableName; }
    // The fields the window expects; opening a file that lacks one of them fails naming the field.
    void setExpectedFields(const std::vector<FieldDef>& fields) { m_expected = fields; }
    void addCalculatedField(const QString& name, FieldType type, int size = 0);

    // The index that orders the rows (and on which a master link ranges); empty for the stored order.
    void setIndexName(const QString& indexName);
    const QString& indexName() const { return m_indexName; }
    // Makes this table a detail of `master`: only rows whose leading index fields equal the master's
    // current values of `masterFields` ("NrKol_Pojazdu" or "A;B") are visible.
    void setMasterSource(Table* master, const QString& masterFields);
    void clearMasterSource();
    Table* master() const { return m_master; }

    struct FieldRange {
        QString field;
        QVariant low;
        QVariant high;
        bool operator==(const FieldRange& o) const {
            return field == o.field && low == o.low && high == o.high;
        }
    };
    // Narrows the range in the SQL to the rows whose `field` holds a value from `low` to `high` (both
    // included), so that a period is read without the vehicle's other years; the record filter still
    // judges every row read. Several fields narrow together; the rows are read again at the next open
    // or refresh.
    void setFieldRange(const QString& field, const QVariant& low, const QVariant& high);
    void clearFieldRanges();
    // Reads only `fields` of the rows (the index's and the master link's fields always, and a name the
    // file lacks is passed over); every other field reads as empty. For a table that is only looked
    // at: a table read in part refuses every write, which would take the empty fields for the row's.
    // Set before the table opens; an empty list reads whole rows.
    void setReadFields(const QStringList& fields);
    // Whether the rows of the range include those whose `field` holds `value`: no range on that field,
    // or one around the value (the ranges as set, read at the next open or refresh). The table is open.
    bool fieldRangesAdmit(const QString& field, const QVariant& value) const;

    // While set, a move that would store a changed pending row throws PendingRowError with `message`.
    void setPendingGuard(const QString& message) { m_pendingGuard = message; }
    const QString& pendingGuard() const { return m_pendingGuard; }

    // While set, the controls, grids and navigators bound to the table refuse to begin an edit or an
    // insert with `message` (a view for looking only); the window's own code still writes its rows.
    void setBrowseOnly(const QString& message) { m_browseOnly = message; }
    bool isBrowseOnly() const { return !m_browseOnly.isEmpty(); }
    const QString& browseOnlyMessage() const { return m_browseOnly; }

    // --- events ---
    std::function<bool(Table&)> onFilterRecord; // reads the candidate row through value()
    std::function<void(Table&)> onCalcFields;   // writes the calculated fields through setValue()
    std::function<void(Table&)> beforeInsert;
    std::function<void(Table&)> afterInsert;
    std::function<void(Table&)> beforePost; // may cancel() and throw Abort
    std::function<void(Table&)> afterPost;
    std::function<void(Table&)> afterDelete;
    std::function<void(Table&)> afterScroll;

    // --- open and close ---
    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    QString filePath() const { return m_path; }
    Database& database() const { return m_database; }
    Connection* connection() const { return m_connection.get(); }

    // --- filter ---
    void setFiltered(bool on);
    bool isFiltered() const { return m_filtered; }

    // --- navigation ---
    void first();
    void last();
    void next();
    void prior();
    void moveBy(int distance);
    // Moves to the row at `row` of the view (0-based).
    void moveTo(int row);
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    bool isEmpty() const { return m_view.empty() && m_state != State::Insert; }
    int recordCount() const { return int(m_view.size()); }
    // The view row of the cursor (the row being inserted while inserting); -1 when empty.
    int recNo() const;
    // Reads the rows again (keeping the cursor on its row when that is still in view).
    void refresh();
    // Finds the first row in view whose fields ("Rok;Miesiac") equal `values` and moves to it.
    bool locate(const QString& fields, const QVariantList& values, bool caseInsensitive = false);
    // Stores or drops a pending row as a move would (refused by a pending guard).
    void checkBrowseMode();

    // --- editing ---
    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void deleteRecord();
    bool isModified() const { return m_modified; }
    // Marks the record being inserted or edited as changed: a window's box that is not bound to a field
    // changed what the save will store. Nothing while browsing.
    void markModified() {
        if (isEditing())
            m_modified = true;
    }
    // Writes the table's pending changes to disk. Every post is committed at once unless a Transaction
    // is open on the file, so this only marks the place where a save asks for it.
    void flushBuffers() {}

    // --- fields of the current record (or of the row being filtered or calculated) ---
    int fieldCount() const { return int(m_fields.size()); }
    int physicalFieldCount() const { return m_physicalCount; }
    const FieldDef& fieldDef(int index) const { return m_fields[size_t(index)].def; }
    bool isCalculated(int index) const { return index >= m_physicalCount; }
    int fieldIndex(const QString& name) const; // -1 when there is none
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }

    QVariant value(const QString& field) const;
    QVariant value(int field) const;
    void setValue(const QString& field, const QVariant& value);
    void setValue(int field, const QVariant& value);
    void clear(const QString& field) { setValue(field, QVariant()); }
    bool isNull(const QString& field) const;
    qint64 asInteger(const QString& field) const; // empty reads as 0
    double asFloat(const QString& field) const;   // empty reads as 0
    QString asString(const QString& field) const; // empty reads as ""
    bool asBool(const QString& field) const;      // empty is not true
    QDate asDate(const QString& field) const;     // empty is an invalid date
    QDateTime asDateTime(const QString& field) const;
    // The stored rowid of the current row (0 while inserting or empty).
    qint64 rowid() const;

    // --- every row of the range as stored, the record filter not applied and the calculated fields
    // left empty (read without moving the cursor) ---
    int rangeCount() const { return int(m_keys.size()); }
    Record rangeRecord(int index) const;
    qint64 rangeRowid(int index) const;
    // The stored rowid of a row of the view (0 for none).
    qint64 rowidAt(int row) const;
    // The value of stored field `field` in the last row of the master's range (in the index's order)
    // that holds one, found by one query: the field ranges are not applied and the rows held are not
    // read, so it answers for every period (the vehicle's latest odometer reading). Null for none.
    QVariant lastFilledValue(const QString& field) const;
    // Reads the range again when another table object wrote to the file since it was read (as refresh
    // does); nothing when the rows held are current.
    void keepRangeCurrent();

    // Writes `values` (field index, value) into the stored row `rowid` of the range without moving the
    // cursor and without the editing events: the figures a save computes for the other rows (running
    // totals). A pending row is stored or dropped first as a move would (a pending guard refuses). The
    // row keeps its place: the fields of the table's index cannot be written so, and a field the record
    // filter reads must not be. Only the fields whose stored values differ are written, and nothing when
    // none does. The held copy of the row follows and a grid repaints it.
    void writeFields(qint64 rowid, const std::vector<std::pair<int, QVariant>>& values);

    // --- rows of the view, for grids ---
    // Rows shown by a grid: the view plus the row being inserted.
    int displayRowCount() const;
    // The values of a display row, calculated fields included; the pending row shows what was typed.
    Record displayRecord(int row) const;
    bool isPendingRow(int row) const;

    // --- bound controls ---
    // A bound control registers a writer that puts what was typed into the record; every post and
    // implicit store runs the writers first (a writer may throw ConversionError for a bad text).
    // `holdsTyped` tells whether the control holds a text typed but not yet in the record.
    int addRecordWriter(std::function<void()> writer, std::function<bool()> holdsTyped = {});
    // True when a bound control holds a text typed but not yet written into the record.
    bool hasTypedText() const;
    void removeRecordWriter(int id);
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

    // Converts `value` to what `def` stores: integers checked for fractions and range, alpha cut to its
    // width, an empty text made empty. Throws EngineError.
    static QVariant normalise(const FieldDef& def, const QVariant& value, const QString& tableName);

    // --- guards for a walk over the rows ---

    // Keeps the controls bound to a table still for its lifetime: they show the result once at the end.
    // Guards nest; the controls follow the table again when the outermost one ends.
    class QuietControls {
    public:
        explicit QuietControls(Table& table);
        ~QuietControls(); // never throws: controls that fail to follow read the table at its next move
        QuietControls(const QuietControls&) = delete;
        QuietControls& operator=(const QuietControls&) = delete;

    private:
        Table& m_table;
    };

    // The rows a TemporaryView walks over: the range (the master's rows, on the table's index, narrowed
    // by the field ranges), or every row of the file in the stored order, with no master link, no index
    // and no field range.
    enum class Scope { Range, WholeFile };

    // For its lifetime the table shows the rows of `scope` that `admit` accepts (every row of the scope
    // when `admit` is empty), the cursor on the first. Afterwards, also when the walk throws, the table
    // has again its record filter, its filtered flag, its master link and index, and the rows it showed
    // before: they are remembered by number, so the record filter need not judge them again (only rows
    // added during the walk are judged). The cursor is back on the row it was on, by the row's key (the
    // autoincrement field, which is the rowid, or the rowid of a table without one), or at its place
    // when that row is gone. A row still pending at the end is the walk's own, left by a failure: it is
    // dropped.
    //
    // A pending row is stored or dropped as a move would before anything is switched; a pending guard
    // (of the table or a detail) refuses with PendingRowError and leaves everything as it was. Guards
    // nest. Combine with QuietControls (declared first) to keep the controls still during the walk.
    class TemporaryView {
    public:
        explicit TemporaryView(Table& table, std::function<bool(Table&)> admit = {},
                               Scope scope = Scope::Range);
        ~TemporaryView(); // never throws: a view that fails to come back is read again at the next refresh
        TemporaryView(const TemporaryView&) = delete;
        TemporaryView& operator=(const TemporaryView&) = delete;

    private:
        void restoreSettings();
        void restoreRows();

        Table& m_table;
        Scope m_scope;
        std::function<bool(Table&)> m_filter;
        bool m_filtered = false;
        std::vector<qint64> m_shown; // rowids of the view before, sorted
        std::vector<qint64> m_range; // rowids of the range before, sorted
        QVariantList m_rangeValues;  // the master values the range was read for
        qint64 m_current = 0;        // the row under the cursor (0 for none)
        int m_pos = -1;
        bool m_bof = true;
        bool m_eof = true;
        Table* m_master = nullptr;
        QStringList m_masterFields;
        std::vector<FieldRange> m_fieldRanges;
        int m_detailPlace = -1; // the table's place among its master's details
        QString m_indexName;
        bool m_settingsRestored = false;
    };

signals:
    void stateChanged();
    // The current record changed: moved, posted, cancelled or a field set.
    void recordChanged();
    // The rows of the view changed (a grid resets).
    void viewReset();
    // One display row's values changed.
    void rowUpdated(int row);
    // The cursor moved.
    void scrolled();
    // The table was opened or closed.
    void activeChanged();

private:
    friend class Transaction;
    friend class Connection;

    struct Column {
        FieldDef def;
        int stored = -1; // column of the SELECT (rowid is column 0), -1 for calculated fields
    };

    const Column& column(const QString& name) const;
    int requireField(const QString& name) const;
    void requireActive() const;
    void requireNotEmpty(const char* operation) const;

    void loadIndex(const QString& indexName);
    QString selectList() const;
    enum class WithFieldRanges { No, Yes };
    QString rangeClause(QVariantList& binds, WithFieldRanges withRanges = WithFieldRanges::Yes) const;
    enum class Order { Ascending, Descending };
    QString orderClause(Order order = Order::Ascending) const;
    bool inFieldRanges(const Record& record) const;
    // Whether `value`, normalised, lies within `range`.
    bool withinRange(const FieldRange& range, const QVariant& value) const;
    Record readRow(const sqlite::Statement& statement) const;
    void requery();
    void rebuildView();
    bool accepts(const Record& record);
    Record fetch(qint64 rowid);
    void fetchChunk(size_t keyPosition);
    void computeCalc(Record& record) const;
    void loadBuffer();
    void setPosition(int pos);
    void positionOn(qint64 rowid, int fallback);
    int viewIndexOf(qint64 rowid) const;
    bool sameOrderKey(const Record& a, const Record& b) const;

    // Whether the rows held are those of the file and of the master's current row.
    bool rowsCurrent() const;
    void showFromTop();
    void prepareMove();
    void prepareMasterMove();
    void afterMove();
    void syncToMaster(bool force);
    QVariantList masterValues() const;

    void writeInsert();
    void writeUpdate();
    // Counts a write of this table on its file; the rows it holds stay current.
    void noteOwnWrite();
    void startInsert(bool appendAtEnd);
    void reloadAfterRollback();

    void notifyAll();
    void emitRecordChanged();
    void emitState();
    void emitViewReset();
    void emitScrolled();
    void emitRowUpdated(int row);

    Database& m_database;
    QString m_databaseName;
    QString m_tableName;
    QString m_path;
    std::shared_ptr<Connection> m_connection;
    std::vector<FieldDef> m_expected;
    std::vector<FieldDef> m_calcDefs;

    std::vector<Column> m_fields;
    QHash<QString, int> m_fieldByName;      // lower-case name -> index
    QHash<QString, int> m_fieldByExactName; // name as stored -> index (the common, cheap lookup)
    int m_physicalCount = 0;
    int m_autoIncField = -1;

    QString m_indexName;
    QStringList m_orderFields;
    std::vector<bool> m_orderNoCase;
    Table* m_master = nullptr;
    QStringList m_masterFields;
    QList<Table*> m_details;
    QVariantList m_rangeValues; // the master values of the loaded range
    std::vector<FieldRange> m_fieldRanges;
    std::vector<FieldRange> m_fieldRangesRead; // those the loaded range was read with
    QStringList m_readFields;                  // empty: whole rows
    std::vector<bool> m_readColumn;            // by physical field, while the table is open
    void requireWholeRows() const;
    bool m_detailsStale = false;

    bool m_filtered = false;
    QString m_pendingGuard;
    QString m_browseOnly;

    State m_state = State::Inactive;
    std::vector<qint64> m_keys; // rowids of the range in order
    std::vector<qint64> m_view; // rowids left after the filter
    std::unordered_map<qint64, Record> m_cache;
    quint64 m_generation = 0; // the file's write count when the rows were read
    int m_pos = -1;
    bool m_bof = true;
    bool m_eof = true;

    Record m_buffer;
    std::vector<bool> m_changed;
    bool m_modified = false;
    int m_insertAt = -1;
    qint64 m_editRowid = 0;

    // The record that value() and setValue() address: the buffer, or a row being filtered or calculated.
    mutable const Record* m_context = nullptr;
    mutable Record* m_writableContext = nullptr;
    mutable bool m_inCalc = false;

    struct RecordWriter {
        int id = 0;
        std::function<void()> write;
        std::function<bool()> holdsTyped;
    };
    std::vector<RecordWriter> m_writers;
    int m_nextWriter = 1;
    void runRecordWriters();
    int m_disabled = 0;
    bool m_notifyPending = false;
    bool m_inFilter = false;
};

} // namespace tarlok
