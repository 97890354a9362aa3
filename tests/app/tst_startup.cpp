// Start-up: the new data folder, the schema check, the start-up schema actions by the decision table,
// and the schema window's buttons and check boxes after each state.
#include "support/TestApp.h"

#include "app/TParametry1.h"
#include "core/Forms.h"
#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "store/Schema.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TParametry1.h"
#include "widgets/DbCheckBox.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tarlok;
using tarlok::test::TestApp;

namespace {

const QStringList kFirstStartMessages = {
    "Tablica \"Parametry\" została utworzona",       "TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE",
    "TABLICA Kosztów ZOSTAŁA ROZSZERZONA POPRAWNIE", "TABLICA Pojazdów ZOSTAŁA ROZSZERZONA POPRAWNIE",
    "Tablica \"Kierowcy\" została utworzona",        "Tablica \"Wlasciciel\" została utworzona",
    "Tablica \"Terminy\" została utworzona",         "TABLICA Terminow ZOSTAŁA ROZSZERZONA POPRAWNIE",
};

const QStringList kNineFlags = {"JestTabParametry",      "RozszerzonoTabPrzejazdy", "RozszerzonoTabKoszty",
                                "RozszerzonoTabPojazdy", "UtworzonoTabKierowcy",    "JestTabKierowcy",
                                "JestTabWlasciciel",     "UtworzonoTabWlasciciel",  "RozszerzonoTabTerminy"};

QStringList storedFieldNames(TestApp& app, const QString& file) {
    QStringList names;
    for (const FieldDef& f : app.database.storedFields(app.database.tablePath(app.dataFolder(), file)))
        names.append(f.name);
    return names;
}

QStringList definedFieldNames(const TableDef& def) {
    QStringList names;
    for (const FieldDef& f : def.fields)
        names.append(f.name);
    return names;
}

// A data folder holding only the eight installed tables, as shipped.
void makeInstalledFolder(TestApp& app) {
    QDir().mkpath(app.dataFolder());
    schema::createInstalledTables(app.database, app.dataFolder(),
                                  schema::missingInstalledTables(app.database, app.dataFolder()));
}

// ...plus a parameters table whose row carries the given flags.
void addParameters(TestApp& app, const QStringList& flags) {
    app.database.createTable(app.dataFolder(), tables::parametry());
    QVariantMap row;
    for (const QString& flag : flags)
        row.insert(flag, true);
    app.seed("Parametry", row);
}

void addDeadlines(TestApp& app, bool upgraded) {
    app.database.createTable(app.dataFolder(), tables::terminy(),
                             tables::terminy().fieldsOf(FieldOrigin::Base));
    if (upgraded)
        app.database.executeSql(app.dataFolder(), schema::alterStatement(schema::Upgrade::Deadlines));
}

QStringList visibleButtons(TParametry1& w) {
    QStringList out;
    auto* ui = w.ui();
    for (QPushButton* b : {ui->UtworzTabliceParametry, ui->RozszerzTablicePrzejazdy,
                           ui->RozszerzTabliceKoszty, ui->RozszerzTablicePojazdy, ui->UtworzTabliceKierowcy,
                           ui->UtworzTabliceWlasciciel, ui->RozszerzTabliceTerminy})
        if (!b->isHidden())
            out.append(b->objectName());
    return out;
}

QStringList boundCheckBoxes(TParametry1& w) {
    QStringList out;
    for (DbCheckBox* box : w.findChildren<DbCheckBox*>())
        if (box->dataSource())
            out.append(box->objectName());
    out.sort();
    return out;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstStartOnAnEmptyDrive() {
        TestApp app;
        QVERIFY(app.start());
        QCOMPARE(app.dialogs.texts(), kFirstStartMessages);
        QDir folder(app.dataFolder());
        QCOMPARE(folder.entryList({"*.db"}, QDir::Files).size(), 12);
        QVERIFY(!folder.exists("Ryczalt.db"));
        // every table in the physical order of its definition
        for (const TableDef* def :
             {&tables::pojazdy(), &tables::przejazdy(), &tables::koszty(), &tables::terminy(),
              &tables::parametry(), &tables::kierowcy(), &tables::wlasciciel(), &tables::okresy(),
              &tables::stawki(), &tables::trasy(), &tables::wydatki(), &tables::celWyj()})
            QCOMPARE(storedFieldNames(app, def->fileName()), definedFieldNames(*def));
        QCOMPARE(storedFieldNames(app, "Pojazdy.db").size(), 36);
        QCOMPARE(storedFieldNames(app, "Koszty.db").size(), 44);
        QCOMPARE(storedFieldNames(app, "Terminy.db").size(), 67);
        // one parameters row with exactly the nine flags
        const auto params = app.rows("Parametry.db");
        QCOMPARE(params.size(), 1);
        for (auto it = params[0].begin(); it != params[0].end(); ++it) {
            if (kNineFlags.contains(it.key()))
                QCOMPARE(it.value(), QVariant(true));
            else
                QVERIFY2(it.value().isNull(), qPrintable(it.key()));
        }
        // no table file is left with a side file
        QCOMPARE(folder.entryList({"*-journal"}, QDir::Files).size(), 0);
    }

    void secondStartShowsNothingAndStoresOneFlag() {
        TestApp first;
        QVERIFY(first.start());
        const QString drive = first.drive();
        const auto before = first.rows("Parametry.db");
        QVariantMap expected = before[0];
        expected["JestTabTerminy"] = true;

        TestApp second;
        second.context().drivePrefix = drive;
        second.database.setAlias("dane_poj", second.context().dataFolder());
        QVERIFY(second.start());
        QCOMPARE(second.dialogs.texts(), QStringList());
        QCOMPARE(second.rows("Parametry.db"), QList<QVariantMap>{expected});
        QCOMPARE(QDir(second.dataFolder()).entryList({"*.db"}, QDir::Files).size(), 12);
        QCOMPARE(second.context().schema.deadlinesPresent, true);
        QCOMPARE(second.context().schema.deadlinesUpgraded, true);
    }

    void deadlinesPresentButNoParameters() {
        TestApp app;
        makeInstalledFolder(app);
        addDeadlines(app, false);
        QVERIFY(app.start());
        QStringList expected = kFirstStartMessages;
        expected.removeAt(6); // the deadlines table is not created again
        QCOMPARE(app.dialogs.texts(), expected);
        QCOMPARE(storedFieldNames(app, "Terminy.db").size(), 67);
    }

    void deadlinesNotUpgradedIsTheOnlyAction() {
        TestApp app;
        makeInstalledFolder(app);
        addParameters(app, {"JestTabParametry"});
        addDeadlines(app, false);
        QVERIFY(app.start());
        QCOMPARE(app.dialogs.texts(), QStringList{"TABLICA Terminow ZOSTAŁA ROZSZERZONA POPRAWNIE"});
        QCOMPARE(storedFieldNames(app, "Terminy.db").size(), 67);
        QCOMPARE(storedFieldNames(app, "Przejazdy.db").size(), 21); // made only from the schema window
        QVERIFY(!QFile::exists(app.dataFolder() + "/Kierowcy.db"));
        const auto params = app.rows("Parametry.db")[0];
        QCOMPARE(params["RozszerzonoTabTerminy"], QVariant(true));
        QCOMPARE(params["JestTabTerminy"], QVariant(true)); // by the start-up schema check
        QVERIFY(params["RozszerzonoTabPrzejazdy"].isNull());
    }

    void nothingToDo_data() {
        QTest::addColumn<bool>("deadlines");
        QTest::addColumn<bool>("upgraded");
        QTest::newRow("deadlines upgraded") << true << true;
        QTest::newRow("no deadlines table") << false << false;
    }
    void nothingToDo() {
        QFETCH(bool, deadlines);
        QFETCH(bool, upgraded);
        TestApp app;
        makeInstalledFolder(app);
        addParameters(app, {"JestTabParametry", upgraded ? "RozszerzonoTabTerminy" : "JestTabParametry"});
        if (deadlines)
            addDeadlines(app, upgraded);
        QVERIFY(app.start());
        QCOMPARE(app.dialogs.texts(), QStringList());
        QCOMPARE(QFile::exists(app.dataFolder() + "/Terminy.db"), deadlines);
    }

    // The windows that act only when opened are not built by a start with nothing to set up (the first
    // start creates the deadlines table through the deadlines window); the first use builds each once,
    // and one window's use builds the window it works with (the notes, the deadlines').
    void windowsOpenedLaterAreBuiltAtFirstUse() {
        TestApp first;
        QVERIFY(first.start());
        TestApp app;
        app.context().drivePrefix = first.drive();
        app.database.setAlias("dane_poj", app.context().dataFolder());
        QVERIFY(app.start());
        Forms& f = app.forms();
        QVERIFY(f.MeniProgramu.ifBuilt() && f.PrzegladTerminow.ifBuilt());
        QVERIFY(!f.Ewidencja_przejazdow.ifBuilt() && !f.FormularzWydrukow.ifBuilt() &&
                !f.OpcjeDlaTerminow.ifBuilt() && !f.deadlinesForm.ifBuilt() &&
                !f.RyczaltEwidencja.ifBuilt() && !f.KopiujProgram.ifBuilt() &&
                !f.InformacjeNotatki.ifBuilt() && !f.Trasy.ifBuilt() && !f.Cel_Wyjazdu.ifBuilt() &&
                !f.Jaki_Wydatek.ifBuilt());
        QWidget* notes = f.InformacjeNotatki;
        QVERIFY(f.OpcjeDlaTerminow.ifBuilt() && f.deadlinesForm.ifBuilt());
        QCOMPARE(f.InformacjeNotatki.ifBuilt(), notes);
        QCOMPARE(static_cast<QWidget*>(f.InformacjeNotatki), notes);
        QVERIFY(!f.FormularzWydrukow.ifBuilt());
    }

    void failingUpgradesShowTheirMessageAndStartUpGoesOn() {
        TestApp app;
        makeInstalledFolder(app);
        addDeadlines(app, true); // already has its added fields, but no parameters table
        app.database.executeSql(app.dataFolder(), schema::alterStatement(schema::Upgrade::Trips));
        QVERIFY(app.start());
        QStringList expected = kFirstStartMessages;
        expected[1] = "Błąd tworzenia pól";
        expected.removeAt(6);
        expected[6] = "Błąd tworzenia pól";
        QCOMPARE(app.dialogs.texts(), expected);
        QCOMPARE(storedFieldNames(app, "Przejazdy.db"), definedFieldNames(tables::przejazdy())); // unchanged
        QCOMPARE(storedFieldNames(app, "Terminy.db"), definedFieldNames(tables::terminy()));
        const auto params = app.rows("Parametry.db")[0];
        QVERIFY(params["RozszerzonoTabPrzejazdy"].isNull());
        QVERIFY(params["RozszerzonoTabTerminy"].isNull());
        QCOMPARE(app.context().schema.tripsUpgraded, false);
        QCOMPARE(app.context().schema.costsUpgraded, true);
    }

    void deadlinesUpgradeBeforeTheTableExists() {
        TestApp app;
        makeInstalledFolder(app);
        addParameters(app, {"JestTabParametry"});
        QVERIFY(app.start());
        TParametry1& w = *app.forms().Parametry1;
        w.RozszerzTabliceTerminyClick();
        QCOMPARE(app.dialogs.texts(),
                 QStringList{"Utwórz najpierw tablice TERMINY w Formatce TERMINY I KOSZTY POJAZDÓW"});
        QVERIFY(!QFile::exists(app.dataFolder() + "/Terminy.db"));
        QVERIFY(app.rows("Parametry.db")[0]["RozszerzonoTabTerminy"].isNull());
        // the deadlines window creates it on demand
        app.dialogs.clear();
        app.forms().OpcjeDlaTerminow->TworzTabTerminyClick();
        QCOMPARE(app.dialogs.texts(), QStringList{"Tablica \"Terminy\" została utworzona"});
        QCOMPARE(storedFieldNames(app, "Terminy.db").size(), 50);
        QVERIFY(app.forms().OpcjeDlaTerminow->TableTerminy->isActive());
    }

    void schemaWindowAfterEachState() {
        TestApp app;
        makeInstalledFolder(app);
        addParameters(app, {}); // a row whose flags are all empty
        QVERIFY(app.start());
        TParametry1& w = *app.forms().Parametry1;
        w.schemaCheck();
        QCOMPARE(visibleButtons(w),
                 QStringList({"RozszerzTablicePrzejazdy", "RozszerzTabliceKoszty", "RozszerzTablicePojazdy",
                              "UtworzTabliceKierowcy", "UtworzTabliceWlasciciel", "RozszerzTabliceTerminy"}));
        QCOMPARE(boundCheckBoxes(w), QStringList{"DBCheckUtwTabParametry"});
        QVERIFY(!w.ui()->DBCheckRozTabKoszty->isChecked());
        QVERIFY(!w.ui()->DBCheckUtwTabParametry->isChecked()); // the flag is empty

        // the buttons, one after another
        w.RozszerzTablicePrzejazdyClick();
        w.RozszerzTabliceKosztyClick();
        w.UtworzTabliceKierowcyClick();
        QCOMPARE(app.dialogs.texts(), QStringList({"TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE",
                                                   "TABLICA Kosztów ZOSTAŁA ROZSZERZONA POPRAWNIE",
                                                   "Tablica \"Kierowcy\" została utworzona"}));
        QCOMPARE(visibleButtons(w), QStringList({"RozszerzTablicePojazdy", "UtworzTabliceWlasciciel",
                                                 "RozszerzTabliceTerminy"}));
        w.schemaCheck();
        QCOMPARE(visibleButtons(w), QStringList({"RozszerzTablicePojazdy", "UtworzTabliceWlasciciel",
                                                 "RozszerzTabliceTerminy"}));
        QCOMPARE(boundCheckBoxes(w), QStringList({"DBCheckRozTabKoszty", "DBCheckRozTabPrzejazdy",
                                                  "DBCheckUtwTabKierowcy", "DBCheckUtwTabParametry"}));
        QVERIFY(w.ui()->DBCheckRozTabKoszty->isChecked());
        QVERIFY(w.ui()->DBCheckUtwTabKierowcy->isChecked());
        // a second run of a done upgrade fails and keeps the table as it is
        app.dialogs.clear();
        w.RozszerzTablicePrzejazdyClick();
        QCOMPARE(app.dialogs.texts(), QStringList{"Błąd tworzenia pól"});
        QCOMPARE(storedFieldNames(app, "Przejazdy.db").size(), 38);
    }

    void schemaWindowWithoutParameters() {
        TestApp app;
        makeInstalledFolder(app);
        addParameters(app, {"JestTabParametry"});
        QVERIFY(app.start());
        TParametry1& w = *app.forms().Parametry1;
        w.TableParametry->close();
        QVERIFY(QFile::remove(app.dataFolder() + "/Parametry.db"));
        const bool ownerVisible = !w.ui()->UtworzTabliceWlasciciel->isHidden();
        w.schemaCheck();
        QCOMPARE(app.context().schema.parametersPresent, false);
        QVERIFY(!w.ui()->UtworzTabliceParametry->isHidden());
        for (QPushButton* b : {w.ui()->RozszerzTablicePrzejazdy, w.ui()->RozszerzTabliceKoszty,
                               w.ui()->RozszerzTablicePojazdy, w.ui()->UtworzTabliceKierowcy})
            QVERIFY(b->isHidden());
        QCOMPARE(!w.ui()->UtworzTabliceWlasciciel->isHidden(), ownerVisible); // keeps its visibility
        // an upgrade without parameters changes the table but writes no flag and says nothing
        w.RozszerzTablicePojazdyClick();
        QCOMPARE(app.dialogs.texts(), QStringList());
        QCOMPARE(storedFieldNames(app, "Pojazdy.db").size(), 36);
        QVERIFY(!QFile::exists(app.dataFolder() + "/Parametry.db"));
        // creating the parameters table: one row, only its own flag
        w.UtworzTabliceParametryClick();
        QCOMPARE(app.dialogs.texts(), QStringList{"Tablica \"Parametry\" została utworzona"});
        const auto params = app.rows("Parametry.db");
        QCOMPARE(params.size(), 1);
        for (auto it = params[0].begin(); it != params[0].end(); ++it)
            QCOMPARE(it.value(), it.key() == "JestTabParametry" ? QVariant(true) : QVariant());
        QVERIFY(w.ui()->UtworzTabliceParametry->isHidden());
        QVERIFY(!w.ui()->RozszerzTablicePrzejazdy->isHidden());
        QCOMPARE(boundCheckBoxes(w), QStringList{"DBCheckUtwTabParametry"});
        QVERIFY(w.ui()->DBCheckUtwTabParametry->isChecked());
    }

    void upgradeClosesTheRegistersTable() {
        TestApp app;
        makeInstalledFolder(app);
        addParameters(app, {"JestTabParametry"});
        QVERIFY(app.start());
        Table* trips = app.data().TablePrzejazdy;
        // the register cannot open its trips table without the added fields
        QVERIFY_THROWS_EXCEPTION(EngineError, trips->open());
        trips->setExpectedFields({});
        trips->open();
        app.forms().Parametry1->RozszerzTablicePrzejazdyClick();
        QCOMPARE(app.dialogs.lastText(), QString("TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE"));
        QVERIFY(!trips->isActive());
    }

    void damagedFolderAsksBeforeCreatingEmptyTables() {
        for (bool yes : {false, true}) {
            TestApp app;
            makeInstalledFolder(app);
            QVERIFY(QFile::remove(app.dataFolder() + "/Przejazdy.db"));
            QVERIFY(QFile::remove(app.dataFolder() + "/Okresy.db"));
            app.dialogs.answer(yes);
            QVERIFY(app.start());
            const auto& question = app.dialogs.messages().first();
            QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
            QVERIFY(question.text.contains("Przejazdy.db, Okresy.db"));
            QCOMPARE(QFile::exists(app.dataFolder() + "/Przejazdy.db"), yes);
            QCOMPARE(QFile::exists(app.dataFolder() + "/Okresy.db"), yes);
        }
    }

    void unusableDataFolderEndsTheProgramWithAMessage() {
        TestApp app;
        QFile blocker(app.drive() + "/tarlok");
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
        blocker.close();
        QVERIFY(!app.start());
        QCOMPARE(app.dialogs.messages().size(), 1);
        QCOMPARE(app.dialogs.last().caption, QString("Błąd"));
        QVERIFY(app.dialogs.lastText().startsWith("Nie można utworzyć folderu danych"));
    }

    void dataFolderMatchesWithoutRegardToCase() {
        TestApp app;
        QDir().mkpath(app.drive() + "/TARLOK/Dane_Pojazdy");
        QVERIFY(app.start());
        QVERIFY(QFile::exists(app.drive() + "/TARLOK/Dane_Pojazdy/Pojazdy.db"));
        QVERIFY(!QDir(app.drive() + "/tarlok").exists());
    }
};

TARLOK_TEST_MAIN(StartupTest)
#include "tst_startup.moc"
