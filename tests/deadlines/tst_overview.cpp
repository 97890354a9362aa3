// The deadline overview: which deadlines and service alarms it lists and how, each row judged by its own
// settings; the window after start-up only when something is due; the menu item; the double click that
// opens the deadlines window. Every expected value is worked out by hand from the day 15 May 2024.
#include "support/TestApp.h"

#include "app/TMeniProgramu.h"
#include "common/Paths.h"
#include "deadlines/DeadlineOverview.h"
#include "deadlines/TOpcjeDlaTerminow.h"
#include "deadlines/TPrzegladTerminow.h"
#include "store/Table.h"
#include "ui_TMeniProgramu.h"
#include "ui_TPrzegladTerminow.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace tarlok;
using namespace tarlok::deadlines;
using tarlok::test::TestApp;

namespace {

const QDate D(2024, 5, 15);

// Vehicle 1 "KR 1111A" (in use), 2 "KR 2222B" (in use) and 3 "KR 3333C" (not in use), with their
// deadlines rows:
// - 1/2024, P = 30: OC on 10 June (26 days ahead, due by its 30 days); the document watched with
//   A = 5, due on 13 May (2 days past, still due); the technical inspection today but not watched.
// - 2/2024, P = 10, A = 3, K = 10: OC on 10 June too (ahead by its 10 days); AC instalment I on
//   10 January (past the end of informing), instalment II on 8 May (7 days past, before D - A: past).
// - 2/2023: the OC of last year, long past.
// - 3/2024: OC today, but the vehicle is not in use.
// Service: vehicle 1 at 49 800 km with the service at 40 000 + 10 000 and 500 km ahead warned (its own
// setting): yellow, 200 km left. Vehicle 2 at 50 300 km, service at 50 000; the vehicle says 100 km
// after it, its latest row 500: by the row's it is red, 300 km over (by the vehicle's it would be
// yellow again). Vehicle 3 would be red.
std::vector<OverviewVehicle> vehicles() {
    return {{1, "KR 1111A", true, 49800, 40000, 10000, 500, 0},
            {2, "KR 2222B", true, 50300, 40000, 10000, 0, 100},
            {3, "KR 3333C", false, 50300, 40000, 10000, 0, 500}};
}

OverviewRow row(qint64 vehicle, int year, int before, int after, int endOfInforming,
                std::initializer_list<std::pair<Slot, QDate>> dates) {
    OverviewRow r;
    r.vehicle = vehicle;
    r.year = year;
    r.daysBefore = before;
    r.daysAfter = after;
    r.endOfInforming = endOfInforming;
    for (const auto& [slot, date] : dates) {
        r.deadlines.watched[kindOf(slot)] = true;
        r.deadlines.dates[slot] = date;
    }
    return r;
}

std::vector<OverviewRow> rows() {
    OverviewRow first =
        row(1, 2024, 30, 5, 10, {{SlotOC, QDate(2024, 6, 10)}, {SlotDokument, QDate(2024, 5, 13)}});
    first.deadlines.dates[SlotTech] = D; // not watched
    OverviewRow second =
        row(2, 2024, 10, 3, 10,
            {{SlotOC, QDate(2024, 6, 10)}, {SlotAC, QDate(2024, 1, 10)}, {SlotAC2, QDate(2024, 5, 8)}});
    second.kmAfter = 500;
    return {row(2, 2023, 10, 3, 10, {{SlotOC, QDate(2023, 6, 10)}}), first, second,
            row(3, 2024, 10, 3, 10, {{SlotOC, D}})};
}

QStringList texts(const OverviewLine& line) {
    return {line.registration, kindText(line), whenText(line), leftText(line)};
}

// The same firm in the files of a started program, with the period May 2024.
void seedFirm(TestApp& app) {
    const QVariantMap service{{"StanLicznikaPo", 40000}, {"CoIleKmSerwis", 10000}};
    QVariantMap one = service;
    one.insert({{"StanAktLicznika", 49800}, {"IloscKmDoInfPrzed", 500}, {"IloscKmDoInfPo", 0}});
    QVariantMap two = service;
    two.insert({{"StanAktLicznika", 50300}, {"IloscKmDoInfPrzed", 0}, {"IloscKmDoInfPo", 100}});
    app.addVehicle(1, "KR 1111A", 1400, true, one);
    app.addVehicle(2, "KR 2222B", 800, true, two);
    app.addVehicle(3, "KR 3333C", 800, false, two);
    app.addPeriod(2024, 5);
    app.seed("Terminy.db", {{"NrKol_Pojazdu", 2},
                            {"Rok", 2023},
                            {"SprawdzOC", true},
                            {"TerminOC", QDate(2023, 6, 10)},
                            {"InformujPrzed", 10},
                            {"InformujPo", 3}});
    app.seed("Terminy.db", {{"NrKol_Pojazdu", 1},
                            {"Rok", 2024},
                            {"SprawdzOC", true},
                            {"TerminOC", QDate(2024, 6, 10)},
                            {"SprawdzTermWazDokumentu", true},
                            {"TerminWaznosciDokumentu", QDate(2024, 5, 13)},
                            {"TerminPrzegTechnicznego", D},
                            {"InformujPrzed", 30},
                            {"InformujPo", 5}});
    app.seed("Terminy.db", {{"NrKol_Pojazdu", 2},
                            {"Rok", 2024},
                            {"SprawdzOC", true},
                            {"TerminOC", QDate(2024, 6, 10)},
                            {"SprawdzAC", true},
                            {"TerminAC", QDate(2024, 1, 10)},
                            {"Termin2", QDate(2024, 5, 8)},
                            {"InformujPrzed", 10},
                            {"InformujPo", 3},
                            {"KoniecInformacji", 10},
                            {"IloscKmDoInfPo", 500}});
    app.seed("Terminy.db", {{"NrKol_Pojazdu", 3}, {"Rok", 2024}, {"SprawdzOC", true}, {"TerminOC", D}});
}

const QList<QStringList> kFirmLines = {
    {"KR 2222B", "Ubezpieczenie AC - rata II", "8.05.2024", "7 dni po terminie"},
    {"KR 1111A", "Ważność dokumentu", "13.05.2024", "2 dni po terminie"},
    {"KR 1111A", "Ubezpieczenie OC", "10.06.2024", "za 26 dni"},
    {"KR 2222B", "Serwis", "50000 km", "przekroczono o 300 km"},
    {"KR 1111A", "Serwis", "50000 km", "pozostało 200 km"},
};

// A second start of the program on a copy of `app`'s data folder.
std::unique_ptr<TestApp> restarted(TestApp& app) {
    auto next = std::make_unique<TestApp>(app.clock.now());
    const QString target = paths::ensureFolder(next->drive(), QString::fromLatin1(paths::kDataFolder));
    for (const QString& file : QDir(app.dataFolder()).entryList(QDir::Files))
        QFile::copy(app.dataFolder() + "/" + file, target + "/" + file);
    if (!next->start())
        qFatal("start-up failed");
    return next;
}

QString menuText(TestApp& app) {
    TMeniProgramu& main = *app.forms().MeniProgramu;
    emit main.ui()->System1->aboutToShow();
    return main.ui()->PrzegladTerminow1->text();
}

} // namespace

class OverviewTest : public QObject {
    Q_OBJECT

private slots:
    void linesByEachRowsOwnSettings() {
        const std::vector<OverviewLine> lines = overviewLines(vehicles(), rows(), D);
        QList<QStringList> got;
        for (const OverviewLine& line : lines)
            got.append(texts(line));
        QCOMPARE(got, kFirmLines);
        const QList<OverviewState> states = {OverviewState::Past, OverviewState::Due, OverviewState::Due,
                                             OverviewState::ServiceRed, OverviewState::ServiceYellow};
        for (int i = 0; i < states.size(); ++i)
            QCOMPARE(lines[size_t(i)].state, states[i]);
        // The service line carries the year of the row its settings came from.
        QCOMPARE(lines[3].year, 2024);
    }

    void daysAndKilometresInWords_data() {
        QTest::addColumn<qint64>("left");
        QTest::addColumn<bool>("service");
        QTest::addColumn<QString>("text");
        QTest::newRow("tomorrow") << qint64(1) << false << "za 1 dzień";
        QTest::newRow("today") << qint64(0) << false << "dziś";
        QTest::newRow("yesterday") << qint64(-1) << false << "1 dzień po terminie";
        QTest::newRow("km left") << qint64(0) << true << "pozostało 0 km";
        QTest::newRow("km over") << qint64(-1) << true << "przekroczono o 1 km";
    }
    void daysAndKilometresInWords() {
        QFETCH(qint64, left);
        QFETCH(bool, service);
        QFETCH(QString, text);
        OverviewLine line;
        if (!service)
            line.slot = SlotOC;
        line.left = left;
        QCOMPARE(leftText(line), text);
    }

    void nothingDueStartsSilentlyAndTheMenuSaysSo() {
        auto app = TestApp::started(QDateTime(D, QTime(8, 0)));
        // A deadline ahead by its own settings, a vehicle not in use with one due.
        app->addVehicle(1, "KR 1111A", 1400);
        app->addVehicle(3, "KR 3333C", 800, false);
        app->addPeriod(2024, 5);
        app->seed("Terminy.db", {{"NrKol_Pojazdu", 1},
                                 {"Rok", 2024},
                                 {"SprawdzOC", true},
                                 {"TerminOC", QDate(2024, 5, 26)},
                                 {"InformujPrzed", 10}});
        app->seed("Terminy.db", {{"NrKol_Pojazdu", 3}, {"Rok", 2024}, {"SprawdzOC", true}, {"TerminOC", D}});
        auto next = restarted(*app);
        QCOMPARE(next->dialogs.modalShows(), QStringList());
        QCOMPARE(next->dialogs.texts(), QStringList());
        QCOMPARE(menuText(*next), QString("Przegląd &terminów - brak pilnych terminów"));
        // Opened from the menu it says so too.
        next->forms().MeniProgramu->ui()->PrzegladTerminow1->trigger();
        QCOMPARE(next->dialogs.modalShows(), QStringList{"tarlok::TPrzegladTerminow"});
        TPrzegladTerminow& overview = *next->forms().PrzegladTerminow;
        QCOMPARE(overview.ui()->StringGridTerminy->rowCount(), 0);
        QCOMPARE(overview.ui()->LabelOpis->text(),
                 QString("Na dzień 15.05.2024 żaden termin ani serwis używanych pojazdów nie wymaga uwagi."));
        // The day after the window of ten days opens, the start shows it.
        next->clock.set(QDate(2024, 5, 16));
        QCOMPARE(menuText(*next), QString("Przegląd &terminów (1)"));
    }

    void shownOnceAfterStartUpAndOpensTheDeadlinesWindow() {
        auto app = TestApp::started(QDateTime(D, QTime(8, 0)));
        seedFirm(*app);
        auto next = restarted(*app);
        QCOMPARE(next->dialogs.modalShows(), QStringList{"tarlok::TPrzegladTerminow"});
        QVERIFY(next->forms().MeniProgramu->isVisible()); // under the overview
        QCOMPARE(menuText(*next), QString("Przegląd &terminów (5)"));

        QTableWidget* grid = next->forms().PrzegladTerminow->ui()->StringGridTerminy;
        QList<QStringList> shown;
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList line;
            for (int c = 0; c < grid->columnCount(); ++c)
                line.append(grid->item(r, c)->text());
            shown.append(line);
        }
        QCOMPARE(shown, kFirmLines);
        QCOMPARE(grid->item(0, 0)->foreground().color(), QColor(128, 128, 128));
        QCOMPARE(grid->item(2, 0)->foreground().color(), QColor(255, 0, 0));
        QCOMPARE(grid->item(3, 0)->background().color(), QColor(255, 0, 0));
        QCOMPARE(grid->item(4, 0)->background().color(), QColor(255, 255, 0));

        // A double click on the AC instalment of vehicle 2: the deadlines window on that vehicle and its
        // row of 2024.
        QVariant vehicle;
        QVariant year;
        next->dialogs.onModal("tarlok::TOpcjeDlaTerminow", [&](QWidget* w) {
            auto& deadlines = *static_cast<TOpcjeDlaTerminow*>(w);
            vehicle = deadlines.currentVehicleNumber();
            year = deadlines.TableTerminy->value("Rok");
        });
        grid->setCurrentCell(0, 0);
        emit grid->cellDoubleClicked(0, 0);
        QCOMPARE(vehicle, QVariant(qint64(2)));
        QCOMPARE(year, QVariant(qint64(2024)));

        // Vehicle 2's 2023 row is opened with every year listed.
        bool allYears = false;
        next->dialogs.onModal("tarlok::TOpcjeDlaTerminow", [&](QWidget* w) {
            auto& deadlines = *static_cast<TOpcjeDlaTerminow*>(w);
            allYears = deadlines.allYears();
            year = deadlines.TableTerminy->value("Rok");
        });
        next->forms().OpcjeDlaTerminow->openOn(2, 2023);
        QVERIFY(allYears);
        QCOMPARE(year, QVariant(qint64(2023)));
        QCOMPARE(next->dialogs.texts(), QStringList());
    }
};

TARLOK_TEST_MAIN(OverviewTest)

#include "tst_overview.moc"
