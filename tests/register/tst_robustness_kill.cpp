// A program killed (SIGKILL) at random moments while it saves and deletes trips and costs through the
// register leaves every table file intact and every month of every vehicle consistent: its stored
// totals equal the sums of its rows and the year running values are right (a save cut short leaves
// its month as it was, and what was there was consistent).
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "app/Application.h"
#include "app/TMeniProgramu.h"
#include "common/Months.h"
#include "common/Paths.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "store/Sqlite.h"
#include "store/Table.h"

#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <cmath>
#include <cstdio>

using namespace tarlok;

namespace {

constexpr int kRounds = 20;
constexpr int kVehicles = 2;
constexpr int kMonths = 4; // January to April 2024

using tarlok::test::RegisterDriver;
using Answer = RegisterDriver::Answer;
using Box = RegisterDriver::Box;
using Tab = RegisterDriver::Tab;

// The child: the program on an existing drive, saving and deleting until it is killed.
int runChild(const QString& drive, quint32 seed) {
    FixedClock clock(QDateTime(QDate(2024, 4, 20), QTime(10, 0)));
    ScriptedDialogs dialogs;
    RecordingHelp help;
    RecordingShell shell;
    Database database;
    AppContext context{clock, dialogs, help, shell, database, drive, {}};
    dialogs.onMessage = [](const ScriptedDialogs::Record& r) {
        std::fprintf(stderr, "message: %s\n", r.text.toUtf8().constData());
    };
    Application program(context);
    if (!program.start())
        return 2;
    program.forms().MeniProgramu->SpeedEwidencjaClick();
    RegisterDriver reg(program.forms(), dialogs);
    SharedData& data = context.data();
    QRandomGenerator random(seed);
    bool told = false;
    for (int step = 0;; ++step) {
        reg.clickVehicle(int(random.bounded(kVehicles)));
        const int month = 1 + int(random.bounded(kMonths));
        const bool trips = random.bounded(2) == 0;
        reg.chooseTab(trips ? Tab::Trips : Tab::Costs);
        reg.chooseMonth(months::name(month));
        const QDate date(2024, month, 1 + int(random.bounded(28)));
        const bool remove = random.bounded(4) == 0;
        if (trips) {
            if (remove && !data.TablePrzejazdy->isEmpty()) {
                reg.clickTrip(int(random.bounded(data.TablePrzejazdy->recordCount())));
                reg.deleteTrip(Answer::Yes);
            } else {
                reg.newTrip();
                reg.pickTripDate(date);
                reg.type(Box::Route, QStringLiteral("Trasa %1").arg(step));
                reg.type(Box::Purpose, QStringLiteral("Cel"));
                const qint64 start = reg.text(Box::StartReading).toLongLong();
                reg.type(Box::FinalReading, QString::number(start + 1 + random.bounded(300)));
                reg.saveTrip();
            }
        } else {
            if (remove && !data.TableKoszty->isEmpty()) {
                reg.clickCost(int(random.bounded(data.TableKoszty->recordCount())));
                reg.deleteCost(Answer::Yes);
            } else {
                reg.newCost();
                reg.pickCostDate(date);
                reg.type(Box::DocumentNumber, QStringLiteral("FV %1").arg(step));
                reg.type(Box::ExpenseName, QStringLiteral("Serwis"));
                reg.type(Box::CostValue, QString::number(10 + random.bounded(50000) / 100.0, 'f', 2));
                data.TableKoszty->setValue(QStringLiteral("Pom3"), 23);
                if (random.bounded(2)) {
                    data.TableKoszty->setValue(QStringLiteral("CzyPaliwo"), true);
                    data.TableKoszty->setValue(QStringLiteral("IloscPaliwa"), 30 + int(random.bounded(20)));
                }
                reg.saveCost();
            }
        }
        if (!told) {
            std::printf("ready\n");
            std::fflush(stdout);
            told = true;
        }
    }
}

struct Row {
    qint64 id, vehicle, year, month;
    QString date;
    double value;
    qint64 km;
    double runMonth, runYear, monthTotal;
    qint64 kmRunMonth, kmRunYear, kmTotal;
    bool fuel;
    double litres, fuelValue, fuelLitres;
};

QList<Row> readRows(const QString& path, bool trips) {
    sqlite::Handle handle(path, false);
    const QString sql =
        trips ? QStringLiteral(
                    "SELECT rowid, NrKol_Pojazdu, Rok, Miesiac, Data, Wartosc, Kilometry, "
                    "Wartosc_Narastajaco, Wartosc_NarastajacoRok, WartoscSuma, Kilometry_Narastajaca, "
                    "Kilometry_NarastajacaRok, KilometrySuma FROM Przejazdy ORDER BY NrKol_Pojazdu, Data, "
                    "rowid")
              : QStringLiteral(
                    "SELECT rowid, NrKol_Pojazdu, Rok, Miesiac, Data, Wartosc, 0, Wartosc_Narastajaca, "
                    "Wartosc_NarastajacaRok, WartoscSuma, 0, 0, 0, CzyPaliwo, IloscPaliwa, SumaWartPaliwo, "
                    "SumaIloscPaliwo FROM Koszty ORDER BY NrKol_Pojazdu, Data, rowid");
    sqlite::Statement st(handle.get(), sql, QStringLiteral("robustness"));
    QList<Row> rows;
    while (st.step()) {
        Row r{};
        r.id = st.int64(0);
        r.vehicle = st.int64(1);
        r.year = st.int64(2);
        r.month = st.int64(3);
        r.date = st.text(4);
        r.value = st.real(5);
        r.km = st.int64(6);
        r.runMonth = st.real(7);
        r.runYear = st.real(8);
        r.monthTotal = st.real(9);
        r.kmRunMonth = st.int64(10);
        r.kmRunYear = st.int64(11);
        r.kmTotal = st.int64(12);
        if (!trips) {
            r.fuel = st.int64(13) != 0;
            r.litres = st.real(14);
            r.fuelValue = st.real(15);
            r.fuelLitres = st.real(16);
        }
        rows.append(r);
    }
    return rows;
}

bool same(double a, double b) {
    return std::fabs(a - b) < 0.005;
}

// Every month of every vehicle: totals equal the sums of its rows, running values follow the dates.
QString checkConsistency(const QList<Row>& rows, bool trips) {
    QMap<QString, QList<Row>> months;
    QMap<QString, QList<Row>> years;
    for (const Row& r : rows) {
        months[QStringLiteral("%1/%2/%3").arg(r.vehicle).arg(r.year).arg(r.month, 2, 10, QLatin1Char('0'))]
            .append(r);
        years[QStringLiteral("%1/%2").arg(r.vehicle).arg(r.year)].append(r);
    }
    for (auto it = months.begin(); it != months.end(); ++it) {
        double value = 0, fuelValue = 0, litres = 0;
        qint64 km = 0;
        for (const Row& r : *it) {
            value += r.value;
            km += r.km;
            if (r.fuel) {
                fuelValue += r.value;
                litres += r.litres;
            }
            if (!same(r.runMonth, value) || (trips && r.kmRunMonth != km))
                return QStringLiteral("running value of the month %1, row %2").arg(it.key()).arg(r.id);
        }
        for (const Row& r : *it) {
            if (!same(r.monthTotal, value) || (trips && r.kmTotal != km))
                return QStringLiteral("month total %1, row %2: %3 instead of %4")
                    .arg(it.key())
                    .arg(r.id)
                    .arg(r.monthTotal)
                    .arg(value);
            if (!trips && (!same(r.fuelValue, fuelValue) || !same(r.fuelLitres, litres)))
                return QStringLiteral("fuel totals %1, row %2").arg(it.key()).arg(r.id);
        }
    }
    for (auto it = years.begin(); it != years.end(); ++it) {
        double value = 0;
        qint64 km = 0;
        for (const Row& r : *it) {
            value += r.value;
            km += r.km;
            if (!same(r.runYear, value) || (trips && r.kmRunYear != km))
                return QStringLiteral("running value of the year %1, row %2: %3 instead of %4")
                    .arg(it.key())
                    .arg(r.id)
                    .arg(r.runYear)
                    .arg(value);
        }
    }
    return {};
}

} // namespace

class KillTest : public QObject {
    Q_OBJECT

private slots:
    void killedWhileSavingLeavesConsistentFiles() {
        test::TestApp app(QDateTime(QDate(2024, 4, 20), QTime(10, 0)));
        QVERIFY(app.start());
        app.setRates(0.5214, 0.8358);
        app.addVehicle(1, "KR 1", 1200, true, {{"StanPoczLIcznika", 10000}});
        app.addVehicle(2, "KR 2", 800, true, {{"StanPoczLIcznika", 50000}});
        for (int m = 1; m <= kMonths; ++m)
            app.addPeriod(2024, m);
        const QString folder = app.dataFolder();
        int saves = 0;
        for (int round = 0; round < kRounds; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {"--child", app.drive(), QString::number(1000 + round)});
            QVERIFY(child.waitForStarted());
            QVERIFY2(child.waitForReadyRead(60000), "the child never saved");
            QThread::msleep(QRandomGenerator::global()->bounded(600));
            child.kill();
            QVERIFY(child.waitForFinished());

            for (const QString& file : QDir(folder).entryList({"*.db"}, QDir::Files)) {
                sqlite::Handle handle(folder + "/" + file, false); // rolls back what the kill cut short
                sqlite::Statement check(handle.get(), "PRAGMA integrity_check", file);
                QVERIFY(check.step());
                QCOMPARE(check.text(0), QString("ok"));
            }
            const auto trips = readRows(folder + "/Przejazdy.db", true);
            const auto costs = readRows(folder + "/Koszty.db", false);
            const QString tripFault = checkConsistency(trips, true);
            QVERIFY2(tripFault.isEmpty(),
                     qPrintable(QStringLiteral("round %1, trips: %2").arg(round).arg(tripFault)));
            const QString costFault = checkConsistency(costs, false);
            QVERIFY2(costFault.isEmpty(),
                     qPrintable(QStringLiteral("round %1, costs: %2").arg(round).arg(costFault)));
            saves = int(trips.size() + costs.size());
        }
        QVERIFY(saves > 0);
    }
};

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    tarlok::test::usePolishLocale();
    if (argc == 4 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--child"))
        return runChild(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]).toUInt());
    KillTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_robustness_kill.moc"
