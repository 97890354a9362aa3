// The thirteen table definitions, table creation and the upgrade statements.
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/LocalSql.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tarlok;

class SchemaTest : public QObject {
    Q_OBJECT

private slots:
    void fieldCountsOfTheThirteenTables_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("all");
        QTest::addColumn<int>("base");
        QTest::newRow("Pojazdy") << "Pojazdy" << 36 << 16;
        QTest::newRow("Przejazdy") << "Przejazdy" << 38 << 21;
        QTest::newRow("Koszty") << "Koszty" << 44 << 21;
        QTest::newRow("Wydatki") << "Wydatki" << 6 << 6;
        QTest::newRow("Cel_Wyj") << "Cel_Wyj" << 4 << 4;
        QTest::newRow("Trasy") << "Trasy" << 6 << 6;
        QTest::newRow("Stawki") << "Stawki" << 8 << 8;
        QTest::newRow("Okresy") << "Okresy" << 10 << 10;
        QTest::newRow("Kierowcy") << "Kierowcy" << 32 << 32;
        QTest::newRow("Wlasciciel") << "Wlasciciel" << 41 << 41;
        QTest::newRow("Parametry") << "Parametry" << 74 << 74;
        QTest::newRow("Terminy") << "Terminy" << 67 << 50;
        QTest::newRow("Ryczalt") << "Ryczalt" << 36 << 36;
    }
    void fieldCountsOfTheThirteenTables() {
        QFETCH(QString, table);
        QFETCH(int, all);
        QFETCH(int, base);
        const TableDef* def = nullptr;
        for (const TableDef* d : tables::all())
            if (d->name == table)
                def = d;
        QVERIFY(def);
        QCOMPARE(int(def->fields.size()), all);
        QCOMPARE(int(def->fieldsOf(FieldOrigin::Base).size()), base);
        // base fields come first, the upgrade fields after them
        for (int i = 0; i < base; ++i)
            QCOMPARE(def->fields[size_t(i)].origin, FieldOrigin::Base);
        // no name twice, without regard to case
        QStringList names;
        for (const FieldDef& f : def->fields) {
            QVERIFY2(!names.contains(f.name.toLower()), qPrintable(f.name));
            names.append(f.name.toLower());
        }
    }

    void spotChecksOfPhysicalOrder() {
        QCOMPARE(tables::pojazdy().fields[18].name, QString("StanPoczLIcznika"));
        QCOMPARE(tables::pojazdy().fields[35].name, QString("pom13"));
        QCOMPARE(tables::przejazdy().fields[24].name, QString("IloscPrzejKilometrow"));
        QCOMPARE(tables::koszty().fields[20].name, QString("Pom3"));
        QCOMPARE(tables::koszty().fields[26].name, QString("VatProcent"));
        QCOMPARE(tables::terminy().fields[20].name, QString("KosztAC")); // AC before OC
        QCOMPARE(tables::terminy().fields[45].name, QString("Pom4"));
        QCOMPARE(tables::terminy().fields[45].type, FieldType::Integer);
        QCOMPARE(tables::terminy().fields[3].type, FieldType::Short);
        QCOMPARE(tables::parametry().fields[52].name, QString("Informacje"));
        QCOMPARE(tables::parametry().fields[52].type, FieldType::Memo);
        QCOMPARE(tables::parametry().fields[73].name, QString("Pom18"));
        QCOMPARE(tables::kierowcy().fields[10].name, QString("mail"));
        QCOMPARE(tables::wlasciciel().fields[17].name, QString("konto"));
        QCOMPARE(tables::ryczalt().fields[5].type, FieldType::Short);
        QCOMPARE(tables::przejazdy().field("Trasa")->size, 40);
        QCOMPARE(tables::trasy().field("Trasa")->size, 50);
    }

    // Each upgrade statement adds exactly the upgrade fields of its table, in their order.
    void upgradeStatementsAddTheUpgradeFields_data() {
        QTest::addColumn<int>("upgrade");
        QTest::newRow("trips") << int(schema::Upgrade::Trips);
        QTest::newRow("costs") << int(schema::Upgrade::Costs);
        QTest::newRow("vehicles") << int(schema::Upgrade::Vehicles);
        QTest::newRow("deadlines") << int(schema::Upgrade::Deadlines);
    }
    void upgradeStatementsAddTheUpgradeFields() {
        QFETCH(int, upgrade);
        const auto u = schema::Upgrade(upgrade);
        const TableDef& def = schema::upgradedTable(u);
        const AlterStatement st = parseAlterTable(schema::alterStatement(u));
        QCOMPARE(st.table, def.name);
        const auto expected = def.fieldsOf(FieldOrigin::Upgrade);
        QCOMPARE(st.added.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(st.added[i].name, expected[i].name);
            QCOMPARE(st.added[i].type, expected[i].type);
            QCOMPARE(st.added[i].size, expected[i].size);
        }

        // ...and on a real file: the base table plus the statement is the whole table.
        QTemporaryDir dir;
        Database db(dir.path());
        db.createTable("dane_poj", def, def.fieldsOf(FieldOrigin::Base));
        db.executeSql("dane_poj", schema::alterStatement(u));
        const auto stored = db.storedFields(db.tablePath("dane_poj", def.fileName()));
        QCOMPARE(stored.size(), def.fields.size());
        for (size_t i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored[i].name, def.fields[i].name);
            QCOMPARE(stored[i].type, def.fields[i].type);
            QCOMPARE(stored[i].size, def.fields[i].size);
        }
        // the second run of the same statement fails and changes nothing
        QVERIFY_THROWS_EXCEPTION(EngineError, db.executeSql("dane_poj", schema::alterStatement(u)));
        QCOMPARE(db.storedFields(db.tablePath("dane_poj", def.fileName())).size(), def.fields.size());
    }

    void createdTablesHaveTheirIndexes() {
        QTemporaryDir dir;
        Database db(dir.path());
        for (const TableDef* def : tables::all())
            db.createTable("dane_poj", *def);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 13);
        // trips ordered on their date index; deadlines on vehicle and year
        for (const auto& [file, index] :
             {std::pair{"Przejazdy.db", "NrKol_Pojazdu_DataInd"},
              std::pair{"Koszty.db", "NrKol_Pojazdu_DataInd"}, std::pair{"Terminy.db", "NrKol_PojRokInd"},
              std::pair{"Kierowcy.db", "NazwiskoInd"}, std::pair{"Ryczalt.db", "NrKol_PojRokMiesiacInd"}}) {
            Table t(db);
            t.setTableName(QString::fromLatin1(file));
            t.setIndexName(QString::fromLatin1(index));
            t.open();
            QVERIFY(t.isActive());
        }
        Table t(db);
        t.setTableName("Wlasciciel.db");
        t.setIndexName("NazwiskoInd"); // the owner table has no such index
        QVERIFY_THROWS_EXCEPTION(EngineError, t.open());
        QVERIFY(!t.isActive());
        // creating over an existing table is refused and keeps its rows
        QVERIFY_THROWS_EXCEPTION(EngineError, db.createTable("dane_poj", tables::okresy()));
    }

    void failedCreationLeavesNoFile() {
        QTemporaryDir dir;
        Database db(dir.path());
        TableDef broken = tables::kierowcy();
        broken.indexes.push_back(IndexDef{"ZlyInd", {"NieMaTakiegoPola"}, false, false, true});
        QVERIFY_THROWS_EXCEPTION(EngineError, db.createTable("dane_poj", broken));
        QVERIFY(!QFile::exists(dir.path() + "/Kierowcy.db"));
        db.createTable("dane_poj", tables::kierowcy()); // the next attempt succeeds
        QVERIFY(QFile::exists(dir.path() + "/Kierowcy.db"));
        QVERIFY_THROWS_EXCEPTION(EngineError, db.createTable(dir.path() + "/brak", tables::kierowcy()));
    }

    void startupDecisionTable() {
        using A = schema::Action;
        const std::vector<A> all{A::CreateParameters, A::UpgradeTrips,    A::UpgradeCosts,
                                 A::UpgradeVehicles,  A::CreateDrivers,   A::CreateOwner,
                                 A::CreateDeadlines,  A::UpgradeDeadlines};
        QVERIFY(schema::startupActions(false, false, false) == all);
        auto withoutCreate = all;
        withoutCreate.erase(withoutCreate.begin() + 6);
        QVERIFY(schema::startupActions(false, true, false) == withoutCreate);
        QVERIFY(schema::startupActions(true, true, false) == std::vector<A>{A::UpgradeDeadlines});
        QVERIFY(schema::startupActions(true, true, true).empty());
        QVERIFY(schema::startupActions(true, false, false).empty());
        QVERIFY(schema::startupActions(true, false, true).empty());
    }

    void newInstallationTables() {
        QTemporaryDir dir;
        Database db(dir.path());
        QCOMPARE(schema::missingInstalledTables(db, dir.path()).size(), 8);
        schema::createInstalledTables(db, dir.path(), {"Okresy.db", "przejazdy.db"});
        QCOMPARE(
            schema::missingInstalledTables(db, dir.path()),
            QStringList({"Pojazdy.db", "Koszty.db", "Wydatki.db", "Cel_Wyj.db", "Trasy.db", "Stawki.db"}));
        const auto trips = db.storedFields(db.tablePath("dane_poj", "Przejazdy.db"));
        QCOMPARE(trips.size(), size_t(21));
        Table t(db);
        t.setTableName("Przejazdy.db");
        t.setIndexName("NrKol_Pojazdu_DataInd");
        t.open();
        QVERIFY(t.isActive());
    }
};

QTEST_GUILESS_MAIN(SchemaTest)
#include "tst_schema.moc"
