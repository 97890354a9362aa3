// The field-name constants: every field of every table definition has its constant, spelled as stored.
#include "store/Tables.h"

#include <QSet>
#include <QTest>

#include <utility>
#include <vector>

using namespace tarlok;

Q_DECLARE_METATYPE(const tarlok::TableDef*)

namespace {

// Each table with the list of its constants.
std::vector<std::pair<const TableDef*, QStringList>> constantsOfEachTable() {
    return {{&tables::pojazdy(), fields::pojazdy::all},     {&tables::przejazdy(), fields::przejazdy::all},
            {&tables::koszty(), fields::koszty::all},       {&tables::wydatki(), fields::wydatki::all},
            {&tables::celWyj(), fields::celWyj::all},       {&tables::trasy(), fields::trasy::all},
            {&tables::stawki(), fields::stawki::all},       {&tables::okresy(), fields::okresy::all},
            {&tables::kierowcy(), fields::kierowcy::all},   {&tables::wlasciciel(), fields::wlasciciel::all},
            {&tables::parametry(), fields::parametry::all}, {&tables::terminy(), fields::terminy::all},
            {&tables::ryczalt(), fields::ryczalt::all}};
}

} // namespace

class FieldsTest : public QObject {
    Q_OBJECT

private slots:
    void everyFieldOfEveryTableHasItsConstant_data() {
        QTest::addColumn<const TableDef*>("table");
        QTest::addColumn<QStringList>("constants");
        for (const auto& [table, constants] : constantsOfEachTable())
            QTest::newRow(qPrintable(table->name)) << table << constants;
    }
    void everyFieldOfEveryTableHasItsConstant() {
        QFETCH(const TableDef*, table);
        QFETCH(QStringList, constants);
        QStringList defined;
        for (const FieldDef& field : table->fields)
            defined.append(field.name);
        QCOMPARE(constants, defined);
        // fields match without regard to case: two names of one table never differ only in case
        QSet<QString> lower;
        for (const QString& name : std::as_const(constants))
            lower.insert(name.toLower());
        QCOMPARE(lower.size(), constants.size());
    }

    void everyTableHasItsConstants() {
        QSet<const TableDef*> covered;
        for (const auto& entry : constantsOfEachTable())
            covered.insert(entry.first);
        const QSet<const TableDef*> all(tables::all().begin(), tables::all().end());
        QCOMPARE(covered, all);
        QCOMPARE(all.size(), 13);
    }

    void oddSpellingsAreKeptAsStored() {
        // the names in the files users already have, capitals and all
        QCOMPARE(fields::pojazdy::StanPoczLIcznika, QStringLiteral("StanPoczLIcznika"));
        QCOMPARE(fields::pojazdy::pom13, QStringLiteral("pom13"));
        QCOMPARE(fields::terminy::CoIlecKmSerwis, QStringLiteral("CoIlecKmSerwis"));
        QCOMPARE(fields::terminy::pom14, QStringLiteral("pom14"));
        QCOMPARE(fields::wlasciciel::konto, QStringLiteral("konto"));
        QCOMPARE(fields::wlasciciel::Konto1, QStringLiteral("Konto1"));
        QCOMPARE(fields::kierowcy::mail, QStringLiteral("mail"));
        QCOMPARE(fields::ryczalt::Naleznosc_wszyscy_Mc, QStringLiteral("Naleznosc_wszyscy_Mc"));
        QCOMPARE(fields::ryczalt::Naleznosc_Wszyscy_Rok, QStringLiteral("Naleznosc_Wszyscy_Rok"));
    }
};

QTEST_GUILESS_MAIN(FieldsTest)
#include "tst_fields.moc"
