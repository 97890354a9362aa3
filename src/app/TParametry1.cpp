#include "TParametry1.h"

#include "common/Paths.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "data/SharedData.h"
#include "deadlines/DeadlinesForm.h"
#include "platform/Help.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TParametry1.h"

#include <QFileInfo>

namespace tarlok {

namespace F = fields::parametry;

namespace {

const QString kFieldError = QStringLiteral("Błąd tworzenia pól");

} // namespace

TParametry1::TParametry1(Forms& forms) : m_forms(forms), m_ui(std::make_unique<Ui::TParametry1>()) {
    m_ui->setupUi(this);
    setHelpTopic(this, 17);
    Database& db = forms.context.database;
    TableParametry = new Table(db, this);
    TableParametry->setObjectName(QStringLiteral("TableParametry"));
    // Closed before the archive copies the data files, and opened again after it.
    forms.tableHolders.addTable(this, TableParametry);
    // The drivers and owner tables are shared with their windows.
    TableKierowcy = forms.context.data().TableKierowcy;
    TableWlasciciel = forms.context.data().TableWlasciciel;

    for (DbCheckBox* box :
         {m_ui->DBCheckUtwTabParametry, m_ui->DBCheckRozTabPrzejazdy, m_ui->DBCheckRozTabKoszty,
          m_ui->DBCheckRozTabPojazdy, m_ui->DBCheckUtwTabKierowcy, m_ui->DBCheckBoxUtwTabWlasciciel,
          m_ui->DBCheckRozTabTerminy})
        box->setReadOnly(true);

    connectAction(m_forms.context.dialogs, m_ui->UtworzTabliceParametry, &QPushButton::clicked, this,
                  &TParametry1::UtworzTabliceParametryClick);
    connectAction(m_forms.context.dialogs, m_ui->RozszerzTablicePrzejazdy, &QPushButton::clicked, this,
                  &TParametry1::RozszerzTablicePrzejazdyClick);
    connectAction(m_forms.context.dialogs, m_ui->RozszerzTabliceKoszty, &QPushButton::clicked, this,
                  &TParametry1::RozszerzTabliceKosztyClick);
    connectAction(m_forms.context.dialogs, m_ui->RozszerzTablicePojazdy, &QPushButton::clicked, this,
                  &TParametry1::RozszerzTablicePojazdyClick);
    connectAction(m_forms.context.dialogs, m_ui->UtworzTabliceKierowcy, &QPushButton::clicked, this,
                  &TParametry1::UtworzTabliceKierowcyClick);
    connectAction(m_forms.context.dialogs, m_ui->UtworzTabliceWlasciciel, &QPushButton::clicked, this,
                  &TParametry1::UtworzTabliceWlascicielClick);
    connectAction(m_forms.context.dialogs, m_ui->RozszerzTabliceTerminy, &QPushButton::clicked, this,
                  &TParametry1::RozszerzTabliceTerminyClick);
    connectAction(m_forms.context.dialogs, m_ui->zamknij, &QPushButton::clicked, this,
                  &TParametry1::zamknijClick);
}

TParametry1::~TParametry1() = default;

// ---------------------------------------------------------------- the schema check

void TParametry1::schemaCheck() {
    AppContext& ctx = m_forms.context;
    const QString folder = ctx.dataFolder();
    ctx.schema = schema::readState(ctx.database, folder);
    if (ctx.schema.parametersPresent) {
        // This window's own view of the flags, for its check boxes.
        TableParametry->close();
        TableParametry->setDatabaseName(folder);
        TableParametry->setTableName(QStringLiteral("Parametry"));
        TableParametry->open();
    }
    applySchemaState();
}

void TParametry1::applySchemaState() {
    const SchemaState& s = m_forms.context.schema;
    if (!s.parametersPresent) {
        m_ui->UtworzTabliceParametry->setVisible(true);
        for (QPushButton* b : {m_ui->RozszerzTablicePrzejazdy, m_ui->RozszerzTabliceKoszty,
                               m_ui->RozszerzTablicePojazdy, m_ui->UtworzTabliceKierowcy})
            b->setVisible(false);
    } else {
        m_ui->UtworzTabliceParametry->setVisible(false);
        m_ui->RozszerzTablicePrzejazdy->setVisible(!s.tripsUpgraded);
        m_ui->RozszerzTabliceKoszty->setVisible(!s.costsUpgraded);
        m_ui->RozszerzTablicePojazdy->setVisible(!s.vehiclesUpgraded);
        m_ui->UtworzTabliceKierowcy->setVisible(!s.driversPresent);
        m_ui->UtworzTabliceWlasciciel->setVisible(!s.ownerPresent);
        m_ui->RozszerzTabliceTerminy->setVisible(!s.deadlinesUpgraded);
    }
    bindCheckBoxes();
}

void TParametry1::bindCheckBoxes() {
    const SchemaState& s = m_forms.context.schema;
    if (!s.parametersPresent)
        return;
    m_ui->PanelCheck->setVisible(true);
    m_ui->DBCheckUtwTabParametry->setDataSource(TableParametry, F::JestTabParametry);
    const std::pair<DbCheckBox*, std::pair<bool, QString>> boxes[] = {
        {m_ui->DBCheckRozTabPrzejazdy, {s.tripsUpgraded, F::RozszerzonoTabPrzejazdy}},
        {m_ui->DBCheckRozTabKoszty, {s.costsUpgraded, F::RozszerzonoTabKoszty}},
        {m_ui->DBCheckRozTabPojazdy, {s.vehiclesUpgraded, F::RozszerzonoTabPojazdy}},
        {m_ui->DBCheckUtwTabKierowcy, {s.driversPresent, F::JestTabKierowcy}},
        {m_ui->DBCheckBoxUtwTabWlasciciel, {s.ownerPresent, F::JestTabWlasciciel}},
        {m_ui->DBCheckRozTabTerminy, {s.deadlinesUpgraded, F::RozszerzonoTabTerminy}},
    };
    for (const auto& [box, binding] : boxes) {
        if (binding.first)
            box->setDataSource(TableParametry, binding.second);
        else
            box->setDataSource(nullptr, QString());
    }
}

void TParametry1::runStartupActions() {
    const SchemaState& s = m_forms.context.schema;
    using A = schema::Action;
    for (A action : schema::startupActions(s.parametersPresent, s.deadlinesPresent, s.deadlinesUpgraded)) {
        switch (action) {
        case A::CreateParameters:
            UtworzTabliceParametryClick();
            break;
        case A::UpgradeTrips:
            RozszerzTablicePrzejazdyClick();
            break;
        case A::UpgradeCosts:
            RozszerzTabliceKosztyClick();
            break;
        case A::UpgradeVehicles:
            RozszerzTablicePojazdyClick();
            break;
        case A::CreateDrivers:
            UtworzTabliceKierowcyClick();
            break;
        case A::CreateOwner:
            UtworzTabliceWlascicielClick();
            break;
        case A::CreateDeadlines:
            m_forms.deadlinesForm->createTable();
            break;
        case A::UpgradeDeadlines:
            RozszerzTabliceTerminyClick();
            break;
        }
    }
}

// ---------------------------------------------------------------- actions

void TParametry1::openParameters() {
    if (TableParametry->isActive())
        return;
    TableParametry->setDatabaseName(m_forms.context.dataFolder());
    TableParametry->setTableName(QStringLiteral("Parametry"));
    TableParametry->open();
}

void TParametry1::setFlags(std::initializer_list<QString> flags) {
    openParameters();
    TableParametry->edit();
    for (const QString& flag : flags)
        TableParametry->setValue(flag, true);
    TableParametry->post();
    TableParametry->flushBuffers();
}

void TParametry1::UtworzTabliceParametryClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        try {
            const QString folder = ctx.dataFolder();
            ctx.database.createTable(folder, tables::parametry());
            ctx.dialogs.message(QStringLiteral("Tablica \"Parametry\" została utworzona"));
            m_ui->UtworzTabliceParametry->setVisible(false);
            TableParametry->close();
            TableParametry->setDatabaseName(folder);
            TableParametry->setTableName(QStringLiteral("Parametry"));
            TableParametry->open();
            TableParametry->edit();
            TableParametry->setValue(F::JestTabParametry, true);
            ctx.schema.parametersPresent = true;
            TableParametry->post();
            TableParametry->flushBuffers();
            m_ui->PanelCheck->setVisible(true);
            for (QPushButton* b :
                 {m_ui->RozszerzTablicePrzejazdy, m_ui->RozszerzTabliceKoszty, m_ui->RozszerzTablicePojazdy})
                b->setVisible(true);
            bindCheckBoxes();
        } catch (const Error&) {
            ctx.dialogs.message(QStringLiteral("Błąd tworzenia tablicy Parametry"));
        }
    });
}

void TParametry1::upgrade(schema::Upgrade upgrade, Table* registerTable, const QString& flag, bool& state,
                          const QString& confirmation, QPushButton* button) {
    AppContext& ctx = m_forms.context;
    state = false;
    if (registerTable)
        registerTable->close();
    try {
        ctx.database.executeSql(QString::fromLatin1(Database::kAlias), schema::alterStatement(upgrade));
    } catch (const Error&) {
        ctx.dialogs.message(kFieldError);
        return;
    }
    if (!ctx.schema.parametersPresent)
        return;
    setFlags({flag});
    state = true;
    ctx.dialogs.message(confirmation);
    button->setVisible(false);
}

void TParametry1::RozszerzTablicePrzejazdyClick() {
    runAction(m_forms.context.dialogs, [&] {
        upgrade(schema::Upgrade::Trips, m_forms.context.data().TablePrzejazdy, F::RozszerzonoTabPrzejazdy,
                m_forms.context.schema.tripsUpgraded,
                QStringLiteral("TABLICA Przejazdów ZOSTAŁA ROZSZERZONA POPRAWNIE"),
                m_ui->RozszerzTablicePrzejazdy);
    });
}

void TParametry1::RozszerzTabliceKosztyClick() {
    runAction(m_forms.context.dialogs, [&] {
        upgrade(schema::Upgrade::Costs, m_forms.context.data().TableKoszty, F::RozszerzonoTabKoszty,
                m_forms.context.schema.costsUpgraded,
                QStringLiteral("TABLICA Kosztów ZOSTAŁA ROZSZERZONA POPRAWNIE"), m_ui->RozszerzTabliceKoszty);
    });
}

void TParametry1::RozszerzTablicePojazdyClick() {
    runAction(m_forms.context.dialogs, [&] {
        upgrade(schema::Upgrade::Vehicles, m_forms.context.data().TablePojazdy, F::RozszerzonoTabPojazdy,
                m_forms.context.schema.vehiclesUpgraded,
                QStringLiteral("TABLICA Pojazdów ZOSTAŁA ROZSZERZONA POPRAWNIE"),
                m_ui->RozszerzTablicePojazdy);
    });
}

void TParametry1::RozszerzTabliceTerminyClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        ctx.schema.deadlinesUpgraded = false;
        if (!paths::fileExists(ctx.database.tablePath(ctx.dataFolder(), QStringLiteral("Terminy.db")))) {
            ctx.dialogs.message(
                QStringLiteral("Utwórz najpierw tablice TERMINY w Formatce TERMINY I KOSZTY POJAZDÓW"));
            return;
        }
        upgrade(schema::Upgrade::Deadlines, m_forms.deadlinesForm->table, F::RozszerzonoTabTerminy,
                ctx.schema.deadlinesUpgraded,
                QStringLiteral("TABLICA Terminow ZOSTAŁA ROZSZERZONA POPRAWNIE"),
                m_ui->RozszerzTabliceTerminy);
    });
}

void TParametry1::createDriversOrOwner(bool drivers) {
    AppContext& ctx = m_forms.context;
    const TableDef& def = drivers ? tables::kierowcy() : tables::wlasciciel();
    Table* table = drivers ? TableKierowcy : TableWlasciciel;
    QPushButton* button = drivers ? m_ui->UtworzTabliceKierowcy : m_ui->UtworzTabliceWlasciciel;
    try {
        const QString folder = ctx.dataFolder();
        ctx.database.createTable(folder, def);
        ctx.dialogs.message(QStringLiteral("Tablica \"%1\" została utworzona").arg(def.name));
        table->close();
        table->setDatabaseName(folder);
        table->setTableName(def.name);
        table->open();
        if (drivers) {
            setFlags({F::UtworzonoTabKierowcy, F::JestTabKierowcy});
            button->setVisible(false);
        } else {
            button->setVisible(false);
            setFlags({F::JestTabWlasciciel, F::UtworzonoTabWlasciciel});
        }
    } catch (const Error&) {
        ctx.dialogs.message(QStringLiteral("Błąd tworzenia tablicy %1").arg(def.name));
    }
}

void TParametry1::UtworzTabliceKierowcyClick() {
    runAction(m_forms.context.dialogs, [&] { createDriversOrOwner(true); });
}

void TParametry1::UtworzTabliceWlascicielClick() {
    runAction(m_forms.context.dialogs, [&] { createDriversOrOwner(false); });
}

void TParametry1::zamknijClick() {
    close();
}

} // namespace tarlok
