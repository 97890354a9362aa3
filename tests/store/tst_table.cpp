// The table engine's contract: navigation, filter, master-detail range, locate, editing and its
// implicit store, field conversions, calculated fields, events, order and transactions.
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Sqlite.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace tarlok;

namespace {

// Vehicles and their trips in miniature: a master with a number, a detail ranged on it by date.
TableDef carsDef() {
    TableDef t{QStringLiteral("Cars"), {}, {}};
    t.fields = {{QStringLiteral("NrKol"), FieldType::AutoInc},
                {QStringLiteral("Nr"), FieldType::Integer},
                {QStringLiteral("Name"), FieldType::Alpha, 10},
                {QStringLiteral("Owner"), FieldType::Logical}};
    t.indexes = {IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false}};
    return t;
}

TableDef tripsDef() {
    TableDef t{QStringLiteral("Trips"), {}, {}};
    t.fields = {
        {QStringLiteral("NrKol"), FieldType::AutoInc},   {QStringLiteral("Nr"), FieldType::Integer},
        {QStringLiteral("Rok"), FieldType::Integer},     {QStringLiteral("Miesiac"), FieldType::Short},
        {QStringLiteral("Data"), FieldType::Date},       {QStringLiteral("Trasa"), FieldType::Alpha, 5},
        {QStringLiteral("Km"), FieldType::Integer},      {QStringLiteral("Kwota"), FieldType::Number},
        {QStringLiteral("Stamp"), FieldType::Timestamp}, {QStringLiteral("Notes"), FieldType::Memo}};
    t.indexes = {
        IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false},
        IndexDef{
            QStringLiteral("NrDataInd"), {QStringLiteral("Nr"), QStringLiteral("Data")}, false, false, true}};
    return t;
}

// A table without a key: rows stay in the order they were added.
TableDef listDef() {
    TableDef t{QStringLiteral("List"), {}, {}};
    t.fields = {{QStringLiteral("Text"), FieldType::Alpha, 20}, {QStringLiteral("N"), FieldType::Integer}};
    return t;
}

} // namespace

class TableTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;

    QString folder() const { return m_dir.path(); }

    std::unique_ptr<Table> openTable(const QString& name, const QString& index = QString()) {
        auto t = std::make_unique<Table>(*m_db);
        t->setTableName(name);
        t->setIndexName(index);
        t->open();
        return t;
    }

    void addTrip(Table& t, int nr, const QDate& date, const QString& trasa, int km = 0) {
        t.append();
        t.setValue("Nr", nr);
        t.setValue("Rok", date.year());
        t.setValue("Miesiac", date.month());
        t.setValue("Data", date);
        t.setValue("Trasa", trasa);
        t.setValue("Km", km);
        t.post();
    }

    void addCar(Table& t, int nr, const QString& name, bool owner = false) {
        t.append();
        t.setValue("Nr", nr);
        t.setValue("Name", name);
        t.setValue("Owner", owner);
        t.post();
    }

    QStringList column(Table& t, const QString& field) {
        QStringList out;
        t.first();
        while (!t.eof()) {
            out.append(t.asString(field));
            t.next();
        }
        return out;
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        for (const QString& f : QDir(folder()).entryList(QDir::Files))
            QFile::remove(folder() + "/" + f);
        m_db = std::make_unique<Database>(folder());
        m_db->createTable(QStringLiteral("dane_poj"), carsDef());
        m_db->createTable(QStringLiteral("dane_poj"), tripsDef());
        m_db->createTable(QStringLiteral("dane_poj"), listDef());
    }

    void openMissingFileFails() {
        Table t(*m_db);
        t.setTableName("Nothing.db");
        try {
            t.open();
            QFAIL("opened a missing file");
        } catch (const EngineError& e) {
            QVERIFY(e.text().contains("Nothing.db"));
        }
        QVERIFY(!t.isActive());
    }

    void openByPathAndAliasReachOneFile() {
        auto byAlias = openTable("Cars.db");
        addCar(*byAlias, 1, "A");
        byAlias->close();
        Table byPath(*m_db);
        byPath.setDatabaseName(folder());
        byPath.setTableName("cars"); // no extension, other case
        byPath.open();
        QCOMPARE(byPath.recordCount(), 1);
        QCOMPARE(byPath.asString("NAME"), QString("A")); // field names ignore case
    }

    void missingExpectedFieldNamesTheField() {
        Table t(*m_db);
        t.setTableName("Cars.db");
        t.setExpectedFields({{"Nr", FieldType::Integer}, {"Pojemnosc", FieldType::Integer}});
        try {
            t.open();
            QFAIL("opened without an expected field");
        } catch (const EngineError& e) {
            QVERIFY2(e.text().contains("\"Pojemnosc\""), qPrintable(e.text()));
        }
    }

    void navigationAndEndTests() {
        auto t = openTable("List.db");
        QVERIFY(t->bof() && t->eof() && t->isEmpty());
        for (int i = 1; i <= 3; ++i) {
            t->append();
            t->setValue("N", i);
            t->post();
        }
        t->first();
        QVERIFY(t->bof());
        QVERIFY(!t->eof());
        QCOMPARE(t->asInteger("N"), 1);
        t->next();
        t->next();
        QCOMPARE(t->asInteger("N"), 3);
        QVERIFY(!t->eof());
        t->next(); // past the last row: eof, the cursor stays
        QVERIFY(t->eof());
        QCOMPARE(t->asInteger("N"), 3);
        t->prior();
        QCOMPARE(t->asInteger("N"), 2);
        t->last();
        QVERIFY(t->eof());
        t->prior();
        t->prior();
        t->prior();
        QVERIFY(t->bof());
        QCOMPARE(t->asInteger("N"), 1);
    }

    void keylessTableKeepsStoredOrder() {
        auto t = openTable("List.db");
        for (const char* s : {"zeta", "alfa", "Mu"}) {
            t->insert(); // insert, like append, lands where the row is stored: at the end
            t->setValue("Text", QString::fromLatin1(s));
            t->post();
        }
        QCOMPARE(column(*t, "Text"), QStringList({"zeta", "alfa", "Mu"}));
        t->first();
        t->next();
        t->deleteRecord();
        t->append();
        t->setValue("Text", "nu");
        t->post();
        t->close();
        t->open();
        QCOMPARE(column(*t, "Text"), QStringList({"zeta", "Mu", "nu"}));
    }

    void autoincrementIsNeverReused() {
        auto t = openTable("Cars.db");
        addCar(*t, 1, "A");
        addCar(*t, 2, "B");
        QCOMPARE(t->asInteger("NrKol"), 2);
        t->deleteRecord(); // the last row
        t->close();
        t->open();
        addCar(*t, 3, "C");
        QCOMPARE(t->asInteger("NrKol"), 3);
        QCOMPARE(column(*t, "NrKol"), QStringList({"1", "3"}));
    }

    void fieldConversions() {
        auto t = openTable("Trips.db");
        t->append();
        t->setValue("Trasa", "Kraków-Wieliczka"); // alpha 5: cut to its width
        QCOMPARE(t->asString("Trasa"), QString("Krakó"));
        t->setValue("Km", 12.0); // a whole double is accepted
        QCOMPARE(t->asInteger("Km"), 12);
        QVERIFY_THROWS_EXCEPTION(EngineError, t->setValue("Km", 12.5));
        QCOMPARE(t->asInteger("Km"), 12); // refused, unchanged
        QVERIFY_THROWS_EXCEPTION(EngineError, t->setValue("Km", qint64(2147483648LL)));
        t->setValue("Km", qint64(2147483647LL));
        t->setValue("Km", qint64(-2147483648LL));
        QVERIFY_THROWS_EXCEPTION(EngineError, t->setValue("Miesiac", 32768)); // short
        t->setValue("Miesiac", -32768);
        QVERIFY_THROWS_EXCEPTION(EngineError, t->setValue("Km", "12a"));
        QVERIFY_THROWS_EXCEPTION(EngineError, t->setValue("Kwota", "abc"));
        QVERIFY_THROWS_EXCEPTION(EngineError, t->setValue("NrKol", 5)); // assigned by the engine
        t->setValue("Trasa", "");                                       // an empty text is an empty field
        QVERIFY(t->isNull("Trasa"));
        QCOMPARE(t->asInteger("Trasa"), 0);
        QVERIFY(t->isNull("Kwota"));
        QCOMPARE(t->asFloat("Kwota"), 0.0); // empty reads as 0 where a number is taken
        t->setValue("Kwota", 126.21);
        t->setValue("Stamp", QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        t->setValue("Notes", QString(3000, QLatin1Char('x'))); // a memo has no width
        t->setValue("Data", QDate(2024, 2, 29));
        t->post();
        t->close();
        t->open();
        QCOMPARE(t->asFloat("Kwota"), 126.21);
        QCOMPARE(t->asDate("Data"), QDate(2024, 2, 29));
        QCOMPARE(t->asDateTime("Stamp"), QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        QCOMPARE(t->asString("Notes").size(), 3000);
        QCOMPARE(t->asInteger("Miesiac"), -32768);
        QVERIFY(t->isNull("Trasa"));
    }

    void textThatLooksLikeANumberStaysText() {
        auto t = openTable("List.db");
        t->append();
        t->setValue("Text", "0123");
        t->post();
        t->close();
        t->open();
        QCOMPARE(t->value("Text"), QVariant(QString("0123")));
    }

    void assigningInBrowseIsRefused() {
        auto t = openTable("Cars.db");
        addCar(*t, 1, "A");
        try {
            t->setValue("Name", "B");
            QFAIL("assigned while browsing");
        } catch (const EngineError& e) {
            QVERIFY(e.text().contains("trybie edycji"));
        }
    }

    void editOnEmptyTableStartsInsert() {
        auto t = openTable("Cars.db");
        t->edit();
        QCOMPARE(t->state(), Table::State::Insert);
        t->setValue("Name", "X");
        t->post();
        QCOMPARE(t->recordCount(), 1);
    }

    void postAndCancel() {
        auto t = openTable("Cars.db");
        addCar(*t, 1, "A");
        t->edit();
        t->setValue("Name", "B");
        QVERIFY(t->isModified());
        t->cancel();
        QCOMPARE(t->asString("Name"), QString("A"));
        QCOMPARE(t->state(), Table::State::Browse);
        t->append();
        t->cancel();
        QCOMPARE(t->recordCount(), 1);
        QCOMPARE(t->asString("Name"), QString("A"));
        t->post(); // nothing pending: no effect
        QCOMPARE(t->recordCount(), 1);
    }

    void movingOffAPendingRowStoresOrDropsIt() {
        auto t = openTable("Cars.db");
        addCar(*t, 1, "A");
        addCar(*t, 2, "B");
        // changed: stored by the move
        t->first();
        t->edit();
        t->setValue("Name", "A2");
        t->next();
        QCOMPARE(t->state(), Table::State::Browse);
        t->first();
        QCOMPARE(t->asString("Name"), QString("A2"));
        // unchanged insert: dropped by the move
        t->append();
        t->first();
        QCOMPARE(t->recordCount(), 2);
        // changed insert: stored by refresh, by append, by last
        t->append();
        t->setValue("Name", "C");
        t->refresh();
        QCOMPARE(t->recordCount(), 3);
        t->append();
        t->setValue("Name", "D");
        t->append();
        QCOMPARE(t->recordCount(), 4);
        t->cancel();
        t->edit();
        t->setValue("Name", "E");
        t->last();
        QCOMPARE(column(*t, "Name"), QStringList({"A2", "B", "C", "E"}));
    }

    void pendingGuardRefusesTheMoveAndKeepsTheRow() {
        auto t = openTable("Cars.db");
        addCar(*t, 1, "A");
        addCar(*t, 2, "B");
        t->setPendingGuard("Zapisz lub anuluj");
        t->first();
        t->append();
        t->setValue("Name", "C");
        for (auto move : {&Table::first, &Table::last, &Table::next, &Table::prior, &Table::refresh}) {
            try {
                (t.get()->*move)();
                QFAIL("a guarded row was moved off");
            } catch (const PendingRowError& e) {
                QCOMPARE(e.text(), QString("Zapisz lub anuluj"));
            }
            QCOMPARE(t->state(), Table::State::Insert);
            QCOMPARE(t->asString("Name"), QString("C"));
        }
        QVERIFY_THROWS_EXCEPTION(PendingRowError, t->locate("Nr", {1}));
        QVERIFY_THROWS_EXCEPTION(PendingRowError, t->setFiltered(true));
        QCOMPARE(t->recordCount(), 2);
        t->post(); // an explicit post is the window's save
        QCOMPARE(t->recordCount(), 3);
        t->append(); // unchanged: dropped as usual
        t->first();
        QCOMPARE(t->recordCount(), 3);
    }

    void filterSwitchedOffAndOnAtRunTime() {
        auto t = openTable("Trips.db", "NrDataInd");
        for (int m = 1; m <= 4; ++m)
            addTrip(*t, 1, QDate(2024, m, 10), QString::number(m));
        int month = 2;
        t->onFilterRecord = [&](Table& r) {
            return r.asInteger("Miesiac") == month;
        };
        t->setFiltered(true);
        QCOMPARE(t->recordCount(), 1);
        QCOMPARE(t->asInteger("Miesiac"), 2);
        QVERIFY(!t->locate("Miesiac", {3})); // locate sees the filtered rows only
        t->setFiltered(false);
        QCOMPARE(t->recordCount(), 4);
        QVERIFY(t->locate("Miesiac", {3}));
        t->setFiltered(true);
        month = 3; // the filter reads its state when the rows are read again
        t->refresh();
        QCOMPARE(column(*t, "Miesiac"), QStringList({"3"}));
        // a posted row that the filter no longer admits leaves the view
        t->edit();
        t->setValue("Miesiac", 4);
        t->post();
        QCOMPARE(t->recordCount(), 0);
        t->setFiltered(false);
        QCOMPARE(column(*t, "Miesiac"), QStringList({"1", "2", "4", "4"}));
    }

    void masterDetailRangeFollowsEveryMove() {
        auto cars = openTable("Cars.db");
        addCar(*cars, 1, "A");
        addCar(*cars, 2, "B");
        addCar(*cars, 3, "C");
        auto trips = openTable("Trips.db", "NrDataInd");
        // two vehicles on the same date stay apart, each in date order
        addTrip(*trips, 2, QDate(2024, 3, 5), "b2");
        addTrip(*trips, 1, QDate(2024, 3, 5), "a2");
        addTrip(*trips, 1, QDate(2024, 1, 7), "a1");
        addTrip(*trips, 2, QDate(2024, 1, 7), "b1");
        addTrip(*trips, 1, QDate(2024, 3, 5), "a3"); // same date: entry order
        trips->setMasterSource(cars.get(), "Nr");
        cars->first();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"a1", "a2", "a3"}));
        cars->next();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"b1", "b2"}));
        cars->next();
        QVERIFY(trips->isEmpty());
        QVERIFY(cars->locate("Name", {"A"}));
        QCOMPARE(trips->recordCount(), 3);
        cars->last();
        QVERIFY(trips->isEmpty());
        cars->moveTo(1);
        QCOMPARE(trips->recordCount(), 2);
        // a new detail row carries the master's value
        trips->append();
        QCOMPARE(trips->asInteger("Nr"), 2);
        trips->setValue("Data", QDate(2024, 2, 1));
        trips->setValue("Trasa", "b15");
        trips->post();
        QCOMPARE(trips->asString("Trasa"), QString("b15"));
        QCOMPARE(column(*trips, "Trasa"), QStringList({"b1", "b15", "b2"})); // leaves the cursor on b2
        // a pending detail row is stored when the master moves
        trips->edit();
        trips->setValue("Trasa", "bx");
        cars->first();
        QCOMPARE(trips->recordCount(), 3);
        cars->moveTo(1);
        QVERIFY(column(*trips, "Trasa").contains("bx"));
        // a guarded pending detail row stops the master from moving
        trips->setPendingGuard("Najpierw zapisz przejazd");
        trips->edit();
        trips->setValue("Trasa", "by");
        QVERIFY_THROWS_EXCEPTION(PendingRowError, cars->first());
        QCOMPARE(cars->asInteger("Nr"), 2);
        QCOMPARE(trips->state(), Table::State::Edit);
        trips->cancel();
        // the link can be dropped and set again at run time
        trips->clearMasterSource();
        QCOMPARE(trips->recordCount(), 6);
        trips->setIndexName(QString()); // stored order
        QCOMPARE(column(*trips, "Trasa"), QStringList({"bx", "a2", "a1", "b1", "a3", "b15"}));
        trips->setIndexName("NrDataInd");
        trips->setMasterSource(cars.get(), "Nr");
        QCOMPARE(trips->recordCount(), 3);
    }

    // Dates as the file holds them: an ISO date, also with a time after it, and nothing else.
    void storedDatesAreReadStrictly() {
        auto trips = openTable("Trips.db");
        addTrip(*trips, 1, QDate(2024, 1, 1), "a");
        trips->close();
        const std::pair<const char*, QDate> stored[] = {
            {"2024-03-05", QDate(2024, 3, 5)}, {"1999-12-31T23:59:00", QDate(1999, 12, 31)},
            {"2024-02-30", QDate()},           {"2024-3-5", QDate()},
            {"05.03.2024", QDate()},           {"2024-0a-05", QDate()}};
        for (const auto& [text, date] : stored) {
            {
                sqlite::Handle file(m_db->tablePath("dane_poj", "Trips.db"), false);
                file.exec(QStringLiteral("UPDATE \"Trips\" SET \"Data\" = '%1'").arg(QLatin1String(text)));
            }
            trips->open();
            QCOMPARE(trips->value("Data").toDate(), date);
            trips->close();
        }
    }

    // A table read in part: the fields named (a missing name passed over), the index's, the link's and
    // the row number; the others empty, and nothing written through it.
    void readFieldsLeaveTheOthersEmpty() {
        auto cars = openTable("Cars.db");
        addCar(*cars, 1, "A");
        auto trips = openTable("Trips.db");
        addTrip(*trips, 1, QDate(2024, 3, 5), "a", 42);
        Table part(*m_db);
        part.setTableName("Trips.db");
        part.setIndexName("NrDataInd");
        part.setMasterSource(cars.get(), "Nr");
        part.setReadFields({"trasa", "Brak"});
        part.open();
        QCOMPARE(part.asString("Trasa"), QString("a"));
        QCOMPARE(part.asInteger("Nr"), 1);
        QCOMPARE(part.value("Data").toDate(), QDate(2024, 3, 5));
        QCOMPARE(part.asInteger("NrKol"), trips->asInteger("NrKol"));
        QVERIFY(part.isNull("Km") && part.isNull("Rok"));
        QVERIFY_THROWS_EXCEPTION(EngineError, part.edit());
        QVERIFY_THROWS_EXCEPTION(EngineError, part.append());
        QVERIFY_THROWS_EXCEPTION(EngineError, part.deleteRecord());
        QVERIFY_THROWS_EXCEPTION(EngineError, part.setReadFields({}));
        QCOMPARE(part.state(), Table::State::Browse);
        part.close();
        part.setReadFields({});
        part.open();
        QCOMPARE(part.asInteger("Km"), 42);
    }

    // A period read out of the master's rows: the field ranges narrow what is read, together with the
    // master link, the bounds included; a changed range is read again at the refresh, a walk over the
    // whole file sees every row and leaves the range as it was, and a row stored out of the ranges is
    // no longer held.
    void fieldRangesNarrowTheRange() {
        auto cars = openTable("Cars.db");
        addCar(*cars, 1, "A");
        addCar(*cars, 2, "B");
        auto trips = openTable("Trips.db", "NrDataInd");
        addTrip(*trips, 1, QDate(2023, 12, 31), "a0");
        addTrip(*trips, 1, QDate(2024, 1, 1), "a1");
        addTrip(*trips, 1, QDate(2024, 3, 5), "a3");
        addTrip(*trips, 1, QDate(2024, 4, 1), "a4");
        addTrip(*trips, 2, QDate(2024, 3, 6), "b3");
        trips->setMasterSource(cars.get(), "Nr");
        cars->first();
        trips->setFieldRange("Rok", 2024, 2024);
        trips->setFieldRange("miesiac", 1, 3);
        trips->refresh();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"a1", "a3"}));
        trips->setFieldRange("Miesiac", 3, 12); // the same field again replaces its bounds
        trips->refresh();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"a3", "a4"}));
        cars->next();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"b3"}));
        {
            Table::TemporaryView everyRow(*trips, {}, Table::Scope::WholeFile);
            QCOMPARE(trips->recordCount(), 5);
        }
        QCOMPARE(column(*trips, "Trasa"), QStringList({"b3"}));
        // rows stored out of the ranges leave the rows held, as a read would leave them out
        cars->first();
        addTrip(*trips, 1, QDate(2025, 5, 1), "a5");
        QCOMPARE(trips->rangeCount(), 2);
        trips->first();
        trips->edit();
        trips->setValue("Miesiac", 2);
        trips->post();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"a4"}));
        trips->refresh();
        QCOMPARE(trips->rangeCount(), 1);
        // the master's last row holding a value, whatever the ranges: by date, then in the order of entry
        addTrip(*trips, 1, QDate(2025, 5, 1), "a6");
        trips->append();
        trips->setValue("Nr", 1);
        trips->setValue("Rok", 2026);
        trips->setValue("Data", QDate(2026, 1, 1));
        trips->post(); // no route
        QCOMPARE(trips->lastFilledValue("Trasa").toString(), QString("a6"));
        QCOMPARE(trips->lastFilledValue("Data").toDate(), QDate(2026, 1, 1));
        QCOMPARE(trips->rangeCount(), 1);
        QVERIFY(trips->fieldRangesAdmit("rok", 2024) && !trips->fieldRangesAdmit("Rok", 2025));
        QVERIFY(trips->fieldRangesAdmit("Trasa", "x"));
        cars->next();
        QCOMPARE(trips->lastFilledValue("Trasa").toString(), QString("b3"));
        cars->first();
        trips->clearFieldRanges();
        trips->refresh();
        QCOMPARE(trips->recordCount(), 7);
        // without a master the ranges narrow the whole file; a field the file lacks is named
        trips->clearMasterSource();
        trips->setFieldRange("Rok", 2023, 2023);
        trips->refresh();
        QCOMPARE(column(*trips, "Trasa"), QStringList({"a0"}));
        trips->setFieldRange("Kolor", 1, 2);
        QVERIFY_THROWS_EXCEPTION(EngineError, trips->refresh());
    }

    // Figures written into other rows of the range: stored at once, the cursor and the view kept, the
    // held copies and the current record following; a pending row is stored first; the index's fields
    // are refused.
    void writeFieldsLeavesTheCursorWhereItWas() {
        auto cars = openTable("Cars.db");
        addCar(*cars, 1, "A");
        auto trips = openTable("Trips.db", "NrDataInd");
        addTrip(*trips, 1, QDate(2024, 1, 5), "a1", 10);
        addTrip(*trips, 1, QDate(2024, 2, 5), "a2", 20);
        addTrip(*trips, 1, QDate(2025, 1, 5), "b1", 30);
        trips->setMasterSource(cars.get(), "Nr");
        trips->onFilterRecord = [](Table& t) {
            return t.asInteger("Rok") == 2024;
        };
        trips->setFiltered(true);
        trips->refresh();
        trips->last(); // a2
        QCOMPARE(trips->rangeCount(), 3);
        const int km = trips->fieldIndex("Km");
        const int kwota = trips->fieldIndex("Kwota");
        QSignalSpy updated(trips.get(), &Table::rowUpdated);
        trips->writeFields(trips->rangeRowid(2), {{km, 35}, {kwota, 12.5}}); // b1, out of view
        trips->writeFields(trips->rowidAt(1), {{km, 25}});                   // a2, under the cursor
        QCOMPARE(trips->asString("Trasa"), QString("a2"));
        QCOMPARE(trips->asInteger("Km"), 25);
        QCOMPARE(trips->rangeRecord(2).value(kwota).toDouble(), 12.5);
        QCOMPARE(updated.size(), 1);
        QCOMPARE(updated.first().first().toInt(), 1);
        auto reader = openTable("Trips.db", "NrDataInd");
        QCOMPARE(column(*reader, "Km"), QStringList({"10", "25", "35"}));
        // a pending change of another field is stored before the write, not lost by it
        trips->first();
        trips->edit();
        trips->setValue("Trasa", "a1x");
        trips->writeFields(trips->rowidAt(0), {{km, 11}});
        QCOMPARE(trips->state(), Table::State::Browse);
        reader->refresh();
        QCOMPARE(column(*reader, "Trasa"), QStringList({"a1x", "a2", "b1"}));
        QCOMPARE(column(*reader, "Km"), QStringList({"11", "25", "35"}));
        QVERIFY_THROWS_EXCEPTION(
            EngineError, trips->writeFields(trips->rowidAt(0), {{trips->fieldIndex("Data"), QDate()}}));
    }

    void suspendedMasterMovesDetailsOnceResumed() {
        auto cars = openTable("Cars.db");
        addCar(*cars, 1, "A");
        addCar(*cars, 2, "B");
        auto trips = openTable("Trips.db", "NrDataInd");
        addTrip(*trips, 2, QDate(2024, 3, 5), "b");
        trips->setMasterSource(cars.get(), "Nr");
        cars->first();
        QVERIFY(trips->isEmpty());
        QSignalSpy reset(cars.get(), &Table::recordChanged);
        cars->disableControls();
        cars->next();
        QCOMPARE(reset.count(), 0); // bound controls are not repainted during a walk
        cars->enableControls();
        QVERIFY(reset.count() >= 1);
        QCOMPARE(trips->recordCount(), 1);
    }

    void refreshSeesWhatAnotherTableObjectWrote() {
        auto mine = openTable("List.db");
        auto other = openTable("List.db");
        other->append();
        other->setValue("N", 7);
        other->post();
        QCOMPARE(mine->recordCount(), 0); // rows are read when asked for
        mine->refresh();
        QCOMPARE(column(*mine, "N"), QStringList{"7"});
        other->first();
        other->edit();
        other->setValue("N", 8);
        other->post();
        mine->refresh();
        QCOMPARE(column(*mine, "N"), QStringList{"8"});
        // its own writes keep it current without reading again
        mine->first();
        mine->edit();
        mine->setValue("N", 9);
        mine->post();
        mine->refresh();
        QCOMPARE(column(*mine, "N"), QStringList{"9"});
    }

    void rangeRowsIgnoreTheFilterAndKeepTheCursor() {
        auto t = openTable("Trips.db", "NrDataInd");
        for (int m = 1; m <= 3; ++m)
            addTrip(*t, 1, QDate(2024, m, 10), QString::number(m));
        t->onFilterRecord = [](Table& r) {
            return r.asInteger("Miesiac") == 2;
        };
        t->setFiltered(true);
        QCOMPARE(t->recordCount(), 1);
        QCOMPARE(t->rangeCount(), 3);
        QCOMPARE(t->rangeRecord(2).at(t->fieldIndex("Trasa")).toString(), QString("3"));
        QCOMPARE(t->asString("Trasa"), QString("2"));
    }

    void locateOnOneAndSeveralFields() {
        auto t = openTable("Trips.db", "NrDataInd");
        addTrip(*t, 1, QDate(2023, 12, 1), "x");
        addTrip(*t, 1, QDate(2024, 1, 3), "y");
        addTrip(*t, 2, QDate(2024, 1, 4), "z");
        addTrip(*t, 1, QDate(2024, 1, 9), "w");
        QVERIFY(t->locate("Rok;Miesiac", {2024, 1}));
        QCOMPARE(t->asString("Trasa"), QString("y")); // the first in order
        QVERIFY(t->locate("Rok;Miesiac;Nr", {2024, 1, 2}));
        QCOMPARE(t->asString("Trasa"), QString("z"));
        QVERIFY(!t->locate("Rok;Miesiac", {2024, 2}));
        QCOMPARE(t->asString("Trasa"), QString("z")); // not found: the cursor stays
        QVERIFY(t->locate("Trasa", {"W"}, true));
        QVERIFY(!t->locate("Trasa", {"W"}));
        QVERIFY(!t->locate("Km", {"abc"})); // a value the field cannot hold finds nothing
    }

    void calculatedFields() {
        Table t(*m_db);
        t.setTableName("Cars.db");
        t.addCalculatedField("Kind", FieldType::Alpha, 3);
        t.onCalcFields = [](Table& r) {
            r.setValue("Kind", r.asBool("Owner") ? "Nie" : "Tak");
        };
        t.open();
        addCar(t, 1, "A", true);
        addCar(t, 2, "B", false);
        t.first();
        QCOMPARE(t.asString("Kind"), QString("Nie"));
        QCOMPARE(t.displayRecord(1).at(t.fieldIndex("Kind")).toString(), QString("Tak"));
        t.edit();
        t.setValue("Owner", false); // a change of a stored field recalculates
        QCOMPARE(t.asString("Kind"), QString("Tak"));
        t.cancel();
        QCOMPARE(t.asString("Kind"), QString("Nie"));
        QVERIFY(t.locate("Kind", {"Tak"}));
        QCOMPARE(t.asString("Name"), QString("B"));
        // a calculated field is never stored
        QVERIFY(!m_db->storedFields(t.filePath()).empty());
        for (const FieldDef& f : m_db->storedFields(t.filePath()))
            QVERIFY(f.name != "Kind");
    }

    void theFiveEvents() {
        auto t = openTable("Cars.db");
        QStringList log;
        t->beforeInsert = [&](Table&) {
            log << "beforeInsert";
        };
        t->afterInsert = [&](Table&) {
            log << "afterInsert";
        };
        t->beforePost = [&](Table& r) {
            log << "beforePost";
            if (r.asString("Name").isEmpty()) {
                r.cancel(); // the handler refuses the row: nothing is stored
                throw Abort();
            }
        };
        t->afterPost = [&](Table&) {
            log << "afterPost";
        };
        t->afterDelete = [&](Table&) {
            log << "afterDelete";
        };
        t->append();
        t->setValue("Name", "A");
        t->post();
        t->append();
        QVERIFY_THROWS_EXCEPTION(Abort, t->post());
        QCOMPARE(t->state(), Table::State::Browse);
        QCOMPARE(t->recordCount(), 1);
        t->deleteRecord();
        QCOMPARE(log, QStringList({"beforeInsert", "afterInsert", "beforePost", "afterPost", "beforeInsert",
                                   "afterInsert", "beforePost", "afterDelete"}));
        QVERIFY(t->isEmpty());
        QVERIFY_THROWS_EXCEPTION(EngineError, t->deleteRecord());
    }

    void deleteWhileWalkingVisitsEveryRow() {
        auto t = openTable("List.db");
        for (int i = 1; i <= 6; ++i) {
            t->append();
            t->setValue("N", i);
            t->post();
        }
        int visited = 0;
        t->first();
        while (!t->eof()) {
            ++visited;
            if (t->asInteger("N") % 2 == 0 || t->asInteger("N") == 5)
                t->deleteRecord();
            else
                t->next();
        }
        QCOMPARE(visited, 6);
        QCOMPARE(column(*t, "N"), QStringList({"1", "3"}));
    }

    void transactionCommitsOnceOrNotAtAll() {
        auto t = openTable("List.db");
        {
            Transaction tx(*t);
            for (int i = 1; i <= 5; ++i) {
                t->append();
                t->setValue("N", i);
                t->post();
            }
            tx.commit();
        }
        QCOMPARE(t->recordCount(), 5);
        // a failure inside the batch leaves the file as it was, and the pending row as it was
        t->append();
        t->setValue("N", 100);
        try {
            Transaction tx(*t);
            t->post();
            t->first();
            t->edit();
            t->setValue("N", 1000);
            t->post();
            t->edit();
            t->setValue("N", 12.5); // refused: the batch stops
            tx.commit();
            QFAIL("the batch went on");
        } catch (const EngineError&) {
        }
        QCOMPARE(t->state(), Table::State::Insert);
        QCOMPARE(t->asInteger("N"), 100);
        t->cancel();
        QCOMPARE(column(*t, "N"), QStringList({"1", "2", "3", "4", "5"}));
        Table other(*m_db);
        other.setTableName("List.db");
        other.open();
        QCOMPARE(other.recordCount(), 5);
    }

    void alterTableRunsAsOneStatement() {
        m_db->executeSql("dane_poj",
                         "Alter Table List Add Imie Char(20),  Add StanLicznika Integer,Add Pom4 Boolean, "
                         "Add Pom7 Numeric, Add DataX Date");
        const auto fields = m_db->storedFields(m_db->tablePath("dane_poj", "List.db"));
        QCOMPARE(int(fields.size()), 7);
        QCOMPARE(fields[2].name, QString("Imie"));
        QCOMPARE(fields[2].type, FieldType::Alpha);
        QCOMPARE(fields[2].size, 20);
        QCOMPARE(fields[3].type, FieldType::Integer);
        QCOMPARE(fields[4].type, FieldType::Logical);
        QCOMPARE(fields[5].type, FieldType::Number);
        QCOMPARE(fields[6].type, FieldType::Date);
        // a field that exists fails the whole statement: nothing is added
        QVERIFY_THROWS_EXCEPTION(
            EngineError,
            m_db->executeSql("dane_poj", "Alter Table List Add Nowe Integer, Add Imie Char(20)"));
        QCOMPARE(int(m_db->storedFields(m_db->tablePath("dane_poj", "List.db")).size()), 7);
        // the table open in a window fails too
        auto t = openTable("List.db");
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 m_db->executeSql("dane_poj", "Alter Table List Add Nowe Integer"));
        t->close();
        m_db->executeSql("dane_poj", "Alter Table List Add Nowe Integer");
        QVERIFY_THROWS_EXCEPTION(EngineError, m_db->executeSql("dane_poj", "Drop Table List"));
        QVERIFY_THROWS_EXCEPTION(EngineError,
                                 m_db->executeSql("dane_poj", "Alter Table Missing Add X Integer"));
    }
};

QTEST_GUILESS_MAIN(TableTest)
#include "tst_table.moc"
