#include "Schema.h"

#include "Database.h"
#include "EngineError.h"
#include "Table.h"
#include "Tables.h"
#include "common/Paths.h"

#include <QFileInfo>

namespace tarlok::schema {

SchemaState readState(Database& database, const QString& folder) {
    SchemaState s;
    s.deadlinesPresent = paths::fileExists(database.tablePath(folder, QStringLiteral("Terminy.db")));
    if (!QFileInfo(database.tablePath(folder, QStringLiteral("Parametry.db"))).isFile())
        return s;
    s.parametersPresent = true;
    Table parameters(database);
    parameters.setDatabaseName(folder);
    parameters.setTableName(QStringLiteral("Parametry"));
    parameters.open();
    s.tripsUpgraded = parameters.asBool(QStringLiteral("RozszerzonoTabPrzejazdy"));
    s.costsUpgraded = parameters.asBool(QStringLiteral("RozszerzonoTabKoszty"));
    s.vehiclesUpgraded = parameters.asBool(QStringLiteral("RozszerzonoTabPojazdy"));
    s.driversPresent = parameters.asBool(QStringLiteral("JestTabKierowcy"));
    s.ownerPresent = parameters.asBool(QStringLiteral("JestTabWlasciciel"));
    if (s.deadlinesPresent && !parameters.asBool(QStringLiteral("JestTabTerminy"))) {
        parameters.edit();
        parameters.setValue(QStringLiteral("JestTabTerminy"), true);
        parameters.post();
    }
    s.deadlinesUpgraded = parameters.asBool(QStringLiteral("RozszerzonoTabTerminy"));
    return s;
}

QString alterStatement(Upgrade upgrade) {
    switch (upgrade) {
    case Upgrade::Trips:
        return QStringLiteral(
            "Alter Table Przejazdy Add Imie Char(20), Add Nazwisko Char(35),  Add StanLicznika Integer,Add "
            "IloscPrzejKilometrow Integer, Add StanLicznikaPrzed Integer,Add StanLicznikaPo Integer, Add "
            "StanLicznikaSerwis Integer, Add Pom4 Boolean, Add Pom5 Boolean, Add Pom6 Boolean, Add Pom7 "
            "Numeric, Add "
            "Pom8 Char(80),Add Pom9 Char(100), Add Pom10 Char(70), Add Pom11 Numeric, Add Pom12 "
            "Char(150),Add pom13 "
            "Integer");
    case Upgrade::Costs:
        return QStringLiteral(
            "Alter Table Koszty Add Imie Char(20), Add Nazwisko Char(35),  Add StanLicznikaPrzed Integer,Add "
            "StanLicznikaPo Integer, Add StanLicznika Integer, Add VatProcent Integer,Add "
            "VatZaliczonyProcent Integer, "
            "Add VatNieZaliczony Numeric,Add VatWartosc Numeric, Add VatZaliczony Numeric, Add VatSumaryczny "
            "Numeric,Add IloscPrzejKilometrow Integer, Add WartBrutto Numeric, Add Pom4 Boolean,Add Pom5 "
            "Boolean, Add "
            "Pom6 Boolean, Add Pom7 Numeric, Add Pom8 Char(80),Add Pom9 Char(100), Add Pom10 Char(70), Add "
            "Pom11 "
            "Numeric, Add Pom12 Char(150),Add pom13 Integer");
    case Upgrade::Vehicles:
        return QStringLiteral(
            "Alter Table Pojazdy Add ImiePodatnika Char(20), Add NazwiskoPodatnika Char(35),Add "
            "StanPoczLIcznika "
            "Integer, Add StanAktLicznika Integer,Add StanLicznikaPo Integer, Add CoIleKmSerwis Integer, Add "
            "DataOstSerwisu Date,Add IloscPrzejKilometrow Integer, Add IloscKmDoInfPrzed Integer, Add "
            "IloscKmDoInfPo "
            "Integer,Add Pom4 Boolean, Add Pom5 Boolean, Add Pom6 Integer, Add Pom7 Integer,Add Pom8 "
            "Integer, Add Pom9 "
            "Char(100), Add Pom10 Char(70), Add Pom11 Numeric,Add Pom12 Numeric, Add pom13 Integer");
    case Upgrade::Deadlines:
        return QStringLiteral("Alter Table Terminy Add CoIlecKmSerwis Integer, Add IleKmDoInf Integer, Add "
                              "StanLicznika Integer, Add "
                              "IloscKmDoInfPrzed Integer, Add IloscKmDoInfPo Integer, Add StanLicznikaPo "
                              "Integer, Add StanLicznikaSerwis "
                              "Integer, Add CzyInformujemy Boolean, Add WylaczInform Boolean, Add "
                              "WlaczInform Boolean, Add KosztySerwis "
                              "Numeric, Add Pom9 Integer, Add Pom10 Numeric, Add Pom11 Integer, Add Pom12 "
                              "Numeric, Add Pom13 Char(150), "
                              "Add pom14 Integer");
    }
    return {};
}

const TableDef& upgradedTable(Upgrade upgrade) {
    switch (upgrade) {
    case Upgrade::Trips:
        return tables::przejazdy();
    case Upgrade::Costs:
        return tables::koszty();
    case Upgrade::Vehicles:
        return tables::pojazdy();
    case Upgrade::Deadlines:
        break;
    }
    return tables::terminy();
}

std::vector<Action> startupActions(bool parametersPresent, bool deadlinesPresent, bool deadlinesUpgraded) {
    if (!parametersPresent) {
        std::vector<Action> actions{Action::CreateParameters, Action::UpgradeTrips,  Action::UpgradeCosts,
                                    Action::UpgradeVehicles,  Action::CreateDrivers, Action::CreateOwner};
        if (!deadlinesPresent)
            actions.push_back(Action::CreateDeadlines);
        actions.push_back(Action::UpgradeDeadlines);
        return actions;
    }
    if (deadlinesPresent && !deadlinesUpgraded)
        return {Action::UpgradeDeadlines};
    return {};
}

std::vector<Upgrade> missingUpgrades(Database& database, const QString& folder) {
    std::vector<Upgrade> missing;
    for (Upgrade upgrade : {Upgrade::Trips, Upgrade::Costs, Upgrade::Vehicles, Upgrade::Deadlines}) {
        const TableDef& table = upgradedTable(upgrade);
        const QString path = database.tablePath(folder, table.fileName());
        if (!QFileInfo(path).isFile())
            continue;
        QStringList stored;
        for (const FieldDef& field : database.storedFields(path))
            stored.append(field.name);
        for (const FieldDef& field : table.fieldsOf(FieldOrigin::Upgrade)) {
            if (!stored.contains(field.name, Qt::CaseInsensitive)) {
                missing.push_back(upgrade);
                break;
            }
        }
    }
    return missing;
}

QStringList missingInstalledTables(const Database& database, const QString& folder) {
    QStringList missing;
    for (const TableDef* def : tables::installed()) {
        if (!database.tableExists(folder, def->fileName()))
            missing.append(def->fileName());
    }
    return missing;
}

void createInstalledTables(Database& database, const QString& folder, const QStringList& fileNames) {
    for (const TableDef* def : tables::installed()) {
        if (fileNames.contains(def->fileName(), Qt::CaseInsensitive))
            database.createTable(folder, *def, def->fieldsOf(FieldOrigin::Base));
    }
}

} // namespace tarlok::schema
