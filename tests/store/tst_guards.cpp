// The guards for a walk over a table's rows: controls kept quiet, and a temporary view that gives the
// table back as it was, also when the walk fails.
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

using namespace tarlok;

namespace {

// Vehicles and their trips in miniature: a master with a number, a detail ranged on it by date.
TableDef carsDef() {
    TableDef t{QStringLiteral("Cars"), {}, {}};
    t.fields = {{QStringLiteral("NrKol"), FieldType::AutoInc}, {QStringLiteral("Nr"), FieldType::Integer}};
    t.indexes = {IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false}};
    return t;
}

TableDef tripsDef() {
    TableDef t{QStringLiteral("Trips"), {}, {}};
    t.fields = {{QStringLiteral("NrKol"), FieldType::AutoInc}, {QStringLiteral("Nr"), FieldType::Integer},
                {QStringLiteral("Rok"), FieldType::Integer},   {QStringLiteral("Miesiac"), FieldType::Short},
                {QStringLiteral("Data"), FieldType::Date},     {QStringLiteral("Trasa"), FieldType::Alpha, 5},
                {QStringLiteral("Km"), FieldType::Integer}};
    t.indexes = {
        IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false},
        IndexDef{
            QStringLiteral("NrDataInd"), {QStringLiteral("Nr"), QStringLiteral("Data")}, false, false, true}};
    return t;
}

// A table without a key: its rows are known by their rowid only.
TableDef listDef() {
    TableDef t{QStringLiteral("List"), {}, {}};
    t.fields = {{QStringLiteral("Text"), FieldType::Alpha, 20}, {QStringLiteral("N"), FieldType::Integer}};
    return t;
}

bool february2024(Table& row) {
    return row.asInteger("Rok") == 2024 && row.asInteger("Miesiac") == 2;
}

bool year2024(Table& row) {
    return row.asInteger("Rok") == 2024;
}

} // namespace

class GuardsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
    std::unique_ptr<Table> m_cars;
    std::unique_ptr<Table> m_trips;
    int m_filterCalls = 0;

    std::unique_ptr<Table> openTable(const QString& name, const QString& index = QString()) {
        auto t = std::make_unique<Table>(*m_db);
        t->setTableName(name);
        t->setIndexName(index);
        t->open();
        return t;
    }

    static void addTrip(Table& t, int nr, const QDate& date, const QString& trasa) {
        t.append();
        t.setValue("Nr", nr);
        t.setValue("Rok", date.year());
        t.setValue("Miesiac", date.month());
        t.setValue("Data", date);
        t.setValue("Trasa", trasa);
        t.post();
    }

    // The values of `field` in the rows shown, read without moving the cursor.
    static QStringList shown(const Table& t, const QString& field = QStringLiteral("Trasa")) {
        QStringList out;
        for (int row = 0; row < t.recordCount(); ++row)
            out.append(t.displayRecord(row).value(t.fieldIndex(field)).toString());
        return out;
    }

    // The trips of car 1 in February 2024, the cursor on T3.
    void showFebruaryOnT3() {
        m_trips->onFilterRecord = [this](Table& row) {
            ++m_filterCalls;
            return february2024(row);
        };
        m_trips->setFiltered(true);
        m_trips->last();
        QCOMPARE(shown(*m_trips), QStringList({"T2", "T3"}));
        QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T3"));
    }

    void verifyFebruaryOnT3() {
        QVERIFY(m_trips->isFiltered());
        QCOMPARE(m_trips->state(), Table::State::Browse);
        QCOMPARE(shown(*m_trips), QStringList({"T2", "T3"}));
        QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T3"));
        QCOMPARE(m_trips->master(), m_cars.get());
        QCOMPARE(m_trips->indexName(), QStringLiteral("NrDataInd"));
        // the record filter is the February one again: judged afresh, it shows the same rows
        m_trips->setFiltered(false);
        m_trips->setFiltered(true);
        QCOMPARE(shown(*m_trips), QStringList({"T2", "T3"}));
        m_trips->last();
    }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        m_trips.reset();
        m_cars.reset();
        for (const QString& f : QDir(m_dir.path()).entryList(QDir::Files))
            QFile::remove(m_dir.path() + "/" + f);
        m_db = std::make_unique<Database>(m_dir.path());
        m_db->createTable(QStringLiteral("dane_poj"), carsDef());
        m_db->createTable(QStringLiteral("dane_poj"), tripsDef());
        m_db->createTable(QStringLiteral("dane_poj"), listDef());
        m_filterCalls = 0;

        m_cars = openTable("Cars.db");
        for (int nr : {1, 2}) {
            m_cars->append();
            m_cars->setValue("Nr", nr);
            m_cars->post();
        }
        m_cars->first();
        // Stored in an order that differs from the index order (car, then date).
        auto all = openTable("Trips.db");
        addTrip(*all, 1, QDate(2024, 3, 1), "T4");
        addTrip(*all, 2, QDate(2024, 2, 7), "U1");
        addTrip(*all, 1, QDate(2024, 2, 5), "T2");
        addTrip(*all, 1, QDate(2025, 2, 3), "T5");
        addTrip(*all, 1, QDate(2024, 1, 10), "T1");
        addTrip(*all, 1, QDate(2024, 2, 20), "T3");
        all->close();

        m_trips = openTable("Trips.db", "NrDataInd");
        m_trips->setMasterSource(m_cars.get(), "Nr");
        QCOMPARE(shown(*m_trips), QStringList({"T1", "T2", "T3", "T4", "T5"}));
    }

    void cleanup() {
        m_trips.reset();
        m_cars.reset();
        m_db.reset();
    }

    void quietControlsHoldTheNotificationsUntilTheLastEnds() {
        QSignalSpy moved(m_trips.get(), &Table::recordChanged);
        {
            Table::QuietControls outer(*m_trips);
            {
                Table::QuietControls inner(*m_trips);
                m_trips->next();
            }
            QVERIFY(m_trips->controlsDisabled());
            m_trips->next();
            QCOMPARE(moved.count(), 0);
        }
        QVERIFY(!m_trips->controlsDisabled());
        QCOMPARE(moved.count(), 1); // once, at the end

        // a walk that fails resumes them too
        moved.clear();
        try {
            Table::QuietControls quiet(*m_trips);
            m_trips->next();
            throw std::runtime_error("walk failed");
        } catch (const std::runtime_error&) {
        }
        QVERIFY(!m_trips->controlsDisabled());
        QCOMPARE(moved.count(), 1);
    }

    void viewShowsWhatItAdmitsThenComesBack() {
        showFebruaryOnT3();
        {
            Table::TemporaryView year(*m_trips, year2024);
            QVERIFY(m_trips->isFiltered());
            QCOMPARE(shown(*m_trips), QStringList({"T1", "T2", "T3", "T4"}));
            QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T1"));
            m_trips->first();
        }
        QVERIFY(m_trips->eof()); // the cursor was on the last row: a loop over the rows ends there
        verifyFebruaryOnT3();
        {
            Table::TemporaryView everyRow(*m_trips);
            QVERIFY(!m_trips->isFiltered());
            QCOMPARE(shown(*m_trips), QStringList({"T1", "T2", "T3", "T4", "T5"}));
        }
        verifyFebruaryOnT3();
    }

    void viewComesBackAfterAnException() {
        showFebruaryOnT3();
        // the walk fails with a row of its own pending: the row is dropped
        try {
            Table::TemporaryView everyRow(*m_trips);
            m_trips->first();
            m_trips->edit();
            m_trips->setValue("Km", 99);
            throw std::runtime_error("walk failed");
        } catch (const std::runtime_error&) {
        }
        verifyFebruaryOnT3();
        QVERIFY(m_trips->locate("Trasa", {"T2"}));
        QVERIFY(m_trips->isNull("Km"));
        m_trips->last();

        // the filter of the walk fails while the view is being switched
        try {
            Table::TemporaryView failing(*m_trips, [](Table& row) -> bool {
                if (row.asString("Trasa") == QLatin1String("T4"))
                    throw EngineError(QStringLiteral("zły wiersz"));
                return true;
            });
            QFAIL("the view was switched");
        } catch (const EngineError&) {
        }
        verifyFebruaryOnT3();
    }

    void rowsComeBackByNumberWithoutJudgingThemAgain() {
        showFebruaryOnT3();
        const int callsBefore = m_filterCalls;
        {
            Table::TemporaryView everyRow(*m_trips);
            m_trips->first();
            m_trips->edit();
            m_trips->setValue("Km", 7); // a write: the row stays where it is
            m_trips->post();
        }
        QCOMPARE(m_filterCalls, callsBefore);
        QCOMPARE(shown(*m_trips), QStringList({"T2", "T3"}));

        // a row added during the walk is new to the range: only it is judged
        {
            Table::TemporaryView everyRow(*m_trips);
            addTrip(*m_trips, 1, QDate(2024, 2, 25), "T6");
            addTrip(*m_trips, 1, QDate(2024, 4, 2), "T7");
        }
        QCOMPARE(m_filterCalls, callsBefore + 2);
        QCOMPARE(shown(*m_trips), QStringList({"T2", "T3", "T6"}));
        QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T3"));
    }

    void cursorBackOnItsRowByKey() {
        showFebruaryOnT3();
        // T2, before the cursor's row, is deleted: the cursor follows T3, not its place
        {
            Table::TemporaryView everyRow(*m_trips);
            QVERIFY(m_trips->locate("Trasa", {"T2"}));
            m_trips->deleteRecord();
        }
        QCOMPARE(shown(*m_trips), QStringList({"T3"}));
        QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T3"));
        // the cursor's own row is deleted: the cursor stays at its place in what is left
        {
            Table::TemporaryView everyRow(*m_trips);
            QVERIFY(m_trips->locate("Trasa", {"T3"}));
            m_trips->deleteRecord();
        }
        QCOMPARE(m_trips->recordCount(), 0);
        QVERIFY(m_trips->eof() && m_trips->bof());

        // a table without a key: the rowid
        auto list = openTable("List.db");
        for (const char* text : {"a", "b", "c"}) {
            list->append();
            list->setValue("Text", QString::fromLatin1(text));
            list->post();
        }
        list->onFilterRecord = [](Table& row) {
            return row.asString("Text") != QLatin1String("b");
        };
        list->setFiltered(true);
        list->last();
        QCOMPARE(list->asString("Text"), QStringLiteral("c"));
        {
            Table::TemporaryView everyRow(*list);
            list->first();
            list->deleteRecord();
        }
        QCOMPARE(shown(*list, "Text"), QStringList({"c"}));
        QCOMPARE(list->asString("Text"), QStringLiteral("c"));
    }

    void pendingRowRefusedBeforeAnythingIsSwitched() {
        showFebruaryOnT3();
        m_trips->setPendingGuard(QStringLiteral("Zapisz najpierw przejazd"));
        m_trips->edit();
        m_trips->setValue("Km", 5);
        for (Table::Scope scope : {Table::Scope::Range, Table::Scope::WholeFile}) {
            try {
                Table::TemporaryView view(*m_trips, {}, scope);
                QFAIL("the view was switched over a pending row");
            } catch (const PendingRowError& e) {
                QCOMPARE(e.text(), QStringLiteral("Zapisz najpierw przejazd"));
            }
            QCOMPARE(m_trips->state(), Table::State::Edit);
            QCOMPARE(m_trips->asInteger("Km"), 5);
            QCOMPARE(shown(*m_trips), QStringList({"T2", "T3"}));
            QCOMPARE(m_trips->master(), m_cars.get());
        }
        // a view over the master is refused too: moving it would drop the detail's row
        QVERIFY_THROWS_EXCEPTION(PendingRowError, Table::TemporaryView{*m_cars});
        QCOMPARE(m_trips->state(), Table::State::Edit);
        QCOMPARE(m_cars->asInteger("Nr"), 1);

        // without a guard a changed row is stored first, as a move would
        m_trips->setPendingGuard(QString());
        {
            Table::TemporaryView everyRow(*m_trips);
            QCOMPARE(m_trips->state(), Table::State::Browse);
        }
        QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T3"));
        QCOMPARE(m_trips->asInteger("Km"), 5);
    }

    void wholeFileDropsTheLinkAndTheIndexThenComesBack() {
        showFebruaryOnT3();
        {
            Table::TemporaryView file(*m_trips, {}, Table::Scope::WholeFile);
            QCOMPARE(m_trips->master(), nullptr);
            QVERIFY(m_trips->indexName().isEmpty());
            // every vehicle's trips in the order they were stored
            QCOMPARE(shown(*m_trips), QStringList({"T4", "U1", "T2", "T5", "T1", "T3"}));
        }
        verifyFebruaryOnT3();
        // linked again: the trips follow the vehicle
        m_cars->next();
        QCOMPARE(shown(*m_trips), QStringList({"U1"}));

        // with a filter over the whole file
        {
            Table::TemporaryView file(*m_trips, february2024, Table::Scope::WholeFile);
            QCOMPARE(shown(*m_trips), QStringList({"U1", "T2", "T3"}));
        }
        QCOMPARE(shown(*m_trips), QStringList({"U1"}));
        QCOMPARE(m_trips->master(), m_cars.get());
    }

    void guardsNest() {
        showFebruaryOnT3();
        QSignalSpy moved(m_trips.get(), &Table::recordChanged);
        {
            Table::QuietControls quiet(*m_trips);
            Table::TemporaryView year(*m_trips, year2024);
            QVERIFY(m_trips->locate("Trasa", {"T4"}));
            {
                Table::TemporaryView file(*m_trips, {}, Table::Scope::WholeFile);
                QCOMPARE(m_trips->recordCount(), 6);
                {
                    Table::TemporaryView january(*m_trips,
                                                 [](Table& row) { return row.asInteger("Miesiac") == 1; });
                    QCOMPARE(shown(*m_trips), QStringList({"T1"}));
                }
                QCOMPARE(shown(*m_trips), QStringList({"T4", "U1", "T2", "T5", "T1", "T3"}));
            }
            QCOMPARE(shown(*m_trips), QStringList({"T1", "T2", "T3", "T4"}));
            QCOMPARE(m_trips->asString("Trasa"), QStringLiteral("T4"));
            QCOMPARE(m_trips->master(), m_cars.get());
        }
        QCOMPARE(moved.count(), 1);
        verifyFebruaryOnT3();
    }
};

QTEST_GUILESS_MAIN(GuardsTest)
#include "tst_guards.moc"
