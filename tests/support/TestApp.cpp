#include "TestApp.h"

#include "ModelTesting.h"

#include "app/TMeniProgramu.h"
#include "common/Months.h"
#include "register/TEwidencja_przejazdow.h"
#include "store/Table.h"

#include "common/Paths.h"

#include <QDir>
#include <QFile>
#include <QLocale>

namespace tarlok::test {

void usePolishLocale() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
}

TestApp::TestApp(const QDateTime& now)
    : clock(now),
      dialogs(QString::fromLatin1(Application::title())), m_context{clock,    dialogs,   help, shell,
                                                                    database, QString(), {}} {
    usePolishLocale();
    m_context.drivePrefix = m_dir.path();
    m_context.output = &output;
    drives.setProgramDrive(QStringLiteral("C:"), m_dir.path());
    m_context.drives = &drives;
    database.setAlias(QString::fromLatin1(Database::kAlias), m_context.dataFolder());
    m_app = std::make_unique<Application>(m_context);
}

TestApp::~TestApp() = default;

bool TestApp::start() {
    return m_app->start();
}

// The data folder a first start makes, made once per test process and copied for every started app.
static QString newDataFolderTemplate() {
    static QTemporaryDir folder;
    static bool made = false;
    if (!made) {
        TestApp first;
        if (!first.start())
            qFatal("start-up failed");
        first.data().closeTables(); // nothing is held open while copying
        const QDir data(first.dataFolder());
        for (const QString& file : data.entryList(QDir::Files))
            QFile::copy(data.filePath(file), folder.path() + QLatin1Char('/') + file);
        made = true;
    }
    return folder.path();
}

std::unique_ptr<TestApp> TestApp::started(const QDateTime& now) {
    const QString source = newDataFolderTemplate();
    auto app = std::make_unique<TestApp>(now);
    const QString target = paths::ensureFolder(app->drive(), QString::fromLatin1(paths::kDataFolder));
    for (const QString& file : QDir(source).entryList(QDir::Files))
        QFile::copy(source + QLatin1Char('/') + file, target + QLatin1Char('/') + file);
    if (!app->start())
        qFatal("start-up failed");
    app->dialogs.clear();
    watchAllGrids();
    return app;
}

qint64 TestApp::seed(const QString& table, const QVariantMap& values) {
    Table t(database);
    t.setDatabaseName(dataFolder());
    t.setTableName(table);
    t.open();
    t.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
    return t.rowid();
}

QList<QVariantMap> TestApp::rows(const QString& table, const QString& index) {
    Table t(database);
    t.setDatabaseName(dataFolder());
    t.setTableName(table);
    t.setIndexName(index);
    t.open();
    QList<QVariantMap> out;
    for (t.first(); !t.eof(); t.next()) {
        QVariantMap row;
        for (int i = 0; i < t.physicalFieldCount(); ++i)
            row.insert(t.fieldDef(i).name, t.value(i));
        out.append(row);
    }
    return out;
}

int TestApp::count(const QString& table) {
    return int(rows(table).size());
}

void TestApp::addVehicle(int number, const QString& registration, int capacity, bool used,
                         const QVariantMap& more) {
    QVariantMap row{{"NrKol_Pojazdu", number},
                    {"Nr_rej", registration},
                    {"Marka_Poj", QStringLiteral("Marka%1").arg(number)},
                    {"Nazwa_Poj", QStringLiteral("Auto%1").arg(number)},
                    {"Pojemnosc", capacity},
                    {"Uzywany", used},
                    {"Pojazd_Wlasc", false},
                    {"Data", clock.today()}};
    row.insert("Dane_Poj_Wszystko",
               QStringLiteral("%1 %2 %3 poj. %4")
                   .arg(registration, row["Marka_Poj"].toString(), row["Nazwa_Poj"].toString())
                   .arg(capacity));
    for (auto it = more.begin(); it != more.end(); ++it)
        row.insert(it.key(), it.value());
    seed("Pojazdy.db", row);
}

void TestApp::addPeriod(int year, int month, int day) {
    seed("Okresy.db", {{"Rok", year}, {"Miesiac", month}, {"Data", months::dayInMonth(year, month, day)}});
}

void TestApp::setRates(double upTo900, double above900, double other) {
    seed("Stawki.db", {{"Data", clock.today()},
                       {"Stawka_do_900", upTo900},
                       {"Stawka_po_900", above900},
                       {"Stawka_inna", other}});
}

void TestApp::openRegister() {
    forms().MeniProgramu->SpeedEwidencjaClick();
}

void TestApp::openRegisterOnAVehicle() {
    addVehicle(1, QStringLiteral("KR 1234A"), 1400);
    addPeriod(2024, 5);
    setRates(0.5214, 0.8358);
    openRegister();
    dialogs.clear();
}

TEwidencja_przejazdow& TestApp::reg() {
    return *forms().Ewidencja_przejazdow;
}

} // namespace tarlok::test
