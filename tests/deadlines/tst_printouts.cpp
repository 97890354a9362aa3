// The statements of deadlines and costs as the deadlines window's "&Drukuj" prints them: which rows of
// which vehicles, the sums worked out by hand, where the columns stand, the blank page of an empty
// statement, the refusal while a changed row waits, the windows' cursors left alone, and the PDF.
#include "DeadlineFixture.h"

#include "data/SharedData.h"
#include "deadlines/TTerminyDruk.h"
#include "platform/ScriptedDialogs.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tarlok;
using namespace tarlok::test;

namespace {

const QString kTitle = QStringLiteral("Zestwienie Terminów i Kosztów dla Pojazdu");
const QString kTitleAll = QStringLiteral("Zestwienie Terminów i Kosztów dla Pojazdów");
const QString kCar1 = QStringLiteral("KR 1234A Marka1 Auto1 poj. 1400");
const QString kCar2 = QStringLiteral("KR 9999Z Marka2 Auto2 poj. 800");
const QStringList kCaptions1{"ROK",  "TERM",  "TERM. ", "PRZEG", "PRZEG", "TERM.", "TERM.",
                             "TERM", "KOSZT", "KOSZT",  "KOSZT", "KOSZT", "KOSZT", "KOSZT"};
const QStringList kCaptions2{"OC", "AC", "TECH", "GWAR", "NAPR", "WYM.", "DOK.",
                             "OC", "AC", "TECH", "GWAR", "NAPR", "CAL"};

// Vehicle 1's row of 2024 with every date, the instalment-II dates and costs, the NW cost and the other
// deadline too. Its total: 812.40 + 406.20 (OC II) + 1250 + 625 (AC II) + 45 (NW) + 98 + 0 + 350.25
// = 3586.85.
QVariantMap fullRow() {
    QVariantMap row = costs(812.40, 1250.00, 98.00, 0.0, 350.25, 3586.85);
    const QVariantMap more{{"TerminOC", QDate(2024, 3, 14)},
                           {"TerminAC", QDate(2024, 6, 30)},
                           {"TerminPrzegTechnicznego", QDate(2024, 9, 12)},
                           {"TerminNaprawy", QDate(2024, 11, 20)},
                           {"TerminWymianyWyposazenia", QDate(2024, 12, 10)},
                           {"TerminWaznosciDokumentu", QDate(2024, 8, 15)},
                           {"TerminWaznosciInny", QDate(2024, 7, 27)},
                           {"Termin1", QDate(2024, 9, 14)},
                           {"Termin2", QDate(2024, 12, 30)},
                           {"Pom3", 406.20},
                           {"Pom7", 625.00},
                           {"Pom4", 45}};
    row.insert(more);
    return row;
}
const QStringList kFullRowLine{"2024",       "14.03.2024", "30.06.2024", "12.09.2024", "",
                               "20.11.2024", "10.12.2024", "15.08.2024", "812,40",     "1250,00",
                               "98,00",      "0,00",       "350,25",     "3586,85"};
const QVariantMap kRow2023 = costs(700, 1100, 90, 0, 100, 1990);
const QStringList kRow2023Line{"2023", "",       "",        "",      "",     "",       "",
                               "",     "700,00", "1100,00", "90,00", "0,00", "100,00", "1990,00"};

DeadlinePrint request(bool allVehicles, std::optional<int> year, qint64 vehicle = 1) {
    DeadlinePrint p;
    p.vehicle = vehicle;
    p.allVehicles = allVehicles;
    p.allYears = !year;
    p.year = year;
    return p;
}

const report::Document& print(TestApp& app, const DeadlinePrint& r) {
    const int before = app.output.count();
    printDeadlines(app.forms(), r);
    if (app.output.count() != before + 1)
        qFatal("nothing was previewed");
    return app.output.last().document;
}

} // namespace

class DeadlinePrintsTest : public QObject {
    Q_OBJECT

private slots:
    // Neither box ticked: the current vehicle's row of the current year, its six sums, and none of the
    // instalment-II dates and costs, the NW cost or the other deadline (only the total holds them);
    // where the columns stand.
    void currentVehicleAndYear() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2023, kRow2023);
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 2, 2024, costs(500, 0, 0, 0, 0, 500));

        const report::Document& doc = print(*app, request(false, 2024));
        QCOMPARE(app->output.last().title, kTitle);
        QCOMPARE(lines(doc), (QList<QStringList>{
                                 {kTitle},
                                 {kCar1},
                                 kCaptions1,
                                 kCaptions2,
                                 kFullRowLine,
                                 {"KOSZTY RAZEM", "812,40", "1250,00", "98,00", "0,00", "350,25", "3586,85"},
                                 {kDeadlineSignature}}));
        QCOMPARE(cramped(doc), QStringList());

        // The columns at 10 mm plus their offsets, as wide as laid out, the last ("KOSZT" / "CAL") at
        // 187.8 mm; year and dates centred, money right-aligned; the fonts of the bands.
        const report::Page& page = doc.pages.first();
        const double lefts[] = {108, 219, 367, 523, 674, 830, 984, 1135, 1280, 1396, 1516, 1635, 1756, 1878};
        const double widths[] = {95, 143, 143, 143, 143, 143, 143, 143, 114, 114, 114, 114, 114, 119};
        QMap<double, const report::TextItem*> captions, cells;
        for (const report::TextItem& t : page.texts) {
            if (t.rect.top() == page.find("ROK")->rect.top())
                captions[t.rect.left()] = &t;
            if (t.rect.top() == page.find("14.03.2024")->rect.top())
                cells[t.rect.left()] = &t;
        }
        QCOMPARE(captions.keys(), QList<double>(std::begin(lefts), std::end(lefts)));
        QCOMPARE(cells.keys(), QList<double>(std::begin(lefts), std::end(lefts)));
        for (int i = 0; i < 14; ++i) {
            QCOMPARE(captions[lefts[i]]->rect.width(), widths[i]);
            QCOMPARE(cells[lefts[i]]->rect.width(), widths[i]);
            QCOMPARE(captions[lefts[i]]->align, report::Align::Centre);
            QCOMPARE(cells[lefts[i]]->align, i < 8 ? report::Align::Centre : report::Align::Right);
        }
        QCOMPARE(page.find("CAL")->rect.left(), 1878.0);
        QCOMPARE(page.find("KOSZTY RAZEM")->font, (report::Font{"Times New Roman", 9, true}));
        QCOMPARE(page.find("ROK")->font, (report::Font{"Times New Roman", 10, true}));
        QCOMPARE(page.find("14.03.2024")->font.points, 8.0);
        QCOMPARE(page.find(kTitle)->font, (report::Font{"Times New Roman", 12, true}));
        QCOMPARE(page.find(kDeadlineSignature)->font.points, 6.0);
    }

    // Both boxes ticked: every vehicle in the register's order with all its rows, a vehicle without
    // rows with its description line only, no summary band.
    void everyVehicleEveryYear() {
        auto app = deadlineFirm();
        app->addVehicle(3, QStringLiteral("WE 77777"), 1990);
        addDeadline(*app, 2, 2024, costs(500, 0, 0, 0, 0, 500));
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 1, 2023, kRow2023);

        const report::Document& doc = print(*app, request(true, std::nullopt));
        QCOMPARE(app->output.last().title, kTitleAll);
        QCOMPARE(lines(doc), (QList<QStringList>{{kTitleAll},
                                                 kCaptions1,
                                                 kCaptions2,
                                                 {kCar1},
                                                 kRow2023Line,
                                                 kFullRowLine,
                                                 {kCar2},
                                                 {"2024", "", "", "", "", "", "", "", "500,00", "0,00",
                                                  "0,00", "0,00", "0,00", "500,00"},
                                                 {"WE 77777 Marka3 Auto3 poj. 1990"},
                                                 {kDeadlineSignature}}));
    }

    // "Wszystkie lata" unticked, all vehicles: two rows of the year for each of two vehicles (a row of
    // 2023 left out); the sums are the grand totals of the four rows:
    // OC 812.40 + 9999.99 + 500 + 0 = 11312.39; AC 1250 + 0 + 300.55 + 0 = 1550.55;
    // tech 98 + 0 + 99.99 + 0 = 197.99; warranty 150; repairs 350.25 + 0 + 1000 + 12.50 = 1362.75;
    // totals 3586.85 + 10149.99 + 1900.54 + 12.50 = 15649.88. Sums too wide for their column at
    // 9 pt print smaller, every digit kept.
    void grandTotalsOfEveryVehicle() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 1, 2023, kRow2023);
        addDeadline(*app, 1, 2024, costs(9999.99, 0, 0, 150, 0, 10149.99));
        addDeadline(*app, 2, 2024, costs(500, 300.55, 99.99, 0, 1000, 1900.54));
        addDeadline(*app, 2, 2024, costs(0, 0, 0, 0, 12.50, 12.50));

        const report::Document& doc = print(*app, request(true, 2024));
        const QList<QStringList> got = lines(doc);
        QCOMPARE(got.size(), 11);
        QCOMPARE(got[3], QStringList{kCar1});
        QCOMPARE(got[6], QStringList{kCar2});
        QCOMPARE(got[9], (QStringList{"KOSZTY RAZEM", "11312,39", "1550,55", "197,99", "150,00", "1362,75",
                                      "15649,88"}));
        QVERIFY(!got.contains(kRow2023Line));
        QCOMPARE(cramped(doc), QStringList());
    }

    // No row to print (no row of the year, a vehicle not yet saved, no vehicle at all): one blank page.
    void emptyStatementIsOneBlankPage() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2023, kRow2023);
        for (const DeadlinePrint& r : {request(false, 2024), request(false, 2024, 0)}) {
            const report::Document& doc = print(*app, r);
            QCOMPARE(doc.pageCount(), 1);
            QVERIFY(doc.pages.first().texts.empty() && doc.pages.first().lines.empty());
        }
        auto empty = TestApp::started();
        empty->addPeriod(2024, 5);
        empty->openRegister();
        QVERIFY(print(*empty, request(true, std::nullopt)).pages.first().texts.empty());
    }

    // All vehicles are read through tables of the printout's own: the current vehicle, the deadlines
    // row and the register's trips and costs stay where they were and hear of no move.
    void printingMovesNoWindow() {
        auto app = deadlineFirm();
        addDeadline(*app, 2, 2023, kRow2023);
        addDeadline(*app, 2, 2024, fullRow());
        for (int day : {3, 9, 21})
            app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 2},
                                       {"Rok", 2024},
                                       {"Miesiac", 5},
                                       {"Data", QDate(2024, 5, day)},
                                       {"Kilometry", day}});
        for (int day : {6, 8})
            app->seed("Koszty.db",
                      {{"NrKol_Pojazdu", 2}, {"Rok", 2024}, {"Miesiac", 5}, {"Data", QDate(2024, 5, day)}});
        SharedData& data = app->data();
        data.TablePojazdy->moveTo(1);
        data.TablePrzejazdy->moveTo(1);
        Table& deadlines = openDeadlinesView(*app);
        deadlines.first();
        data.TableKoszty->last();
        const int costAt = data.TableKoszty->recNo();
        QVERIFY(costAt > 0);

        QSignalSpy vehicleMoves(&data, &SharedData::vehicleChanged);
        QSignalSpy deadlineMoves(&deadlines, &Table::scrolled);
        QSignalSpy tripMoves(data.TablePrzejazdy, &Table::scrolled);
        print(*app, request(true, std::nullopt));
        print(*app, request(true, 2024));
        print(*app, request(false, 2024, 2));
        QCOMPARE(vehicleMoves.count() + deadlineMoves.count() + tripMoves.count(), 0);
        QCOMPARE(data.TablePojazdy->asInteger("NrKol_Pojazdu"), 2);
        QCOMPARE(deadlines.asInteger("Rok"), 2023);
        QCOMPARE(data.TablePrzejazdy->asInteger("Kilometry"), 9);
        QCOMPARE(data.TableKoszty->recNo(), costAt);
    }

    // A changed row not yet saved: "&Drukuj" says so with the deadlines window's message, prints
    // nothing and keeps the row as typed. A row opened for editing and left unchanged prints.
    void pendingRowPrintsNothing() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        Table& deadlines = openDeadlinesView(*app);
        deadlines.edit();
        print(*app, request(false, 2024));
        deadlines.setValue("KosztOC", 999.0);
        printDeadlines(app->forms(), request(false, 2024));
        printDeadlines(app->forms(), request(true, std::nullopt));

        const QString held = deadlines.pendingGuard(); // the deadlines window's message
        QVERIFY(held.startsWith("Wprowadzany zapis terminów nie został zapisany"));
        QCOMPARE(app->dialogs.texts(), (QStringList{held, held}));
        QCOMPARE(app->output.count(), 1);
        QCOMPARE(deadlines.state(), Table::State::Edit);
        QCOMPARE(deadlines.asFloat("KosztOC"), 999.0);
    }

    // "Zapisz jako PDF": the file read back holds the title as spelled, "KOSZTY RAZEM" and the sums,
    // the Polish letters intact.
    void savedAsPdf() {
        const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
        if (pdftotext.isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        print(*app, request(false, 2024));
        QTemporaryDir dir;
        app->dialogs.answerSaveFileName(dir.filePath("terminy.pdf"));
        QCOMPARE(app->output.saveLastAsPdf(), dir.filePath("terminy.pdf"));
        QVERIFY(app->dialogs.saveRequests().last().suggestedName.endsWith(kTitle + ".pdf"));

        QProcess process;
        process.start(pdftotext, {"-layout", dir.filePath("terminy.pdf"), "-"});
        process.waitForFinished(-1);
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        for (const QString& expected : {kTitle, kCar1, QString("KOSZTY RAZEM"), QString("812,40"),
                                        QString("1250,00"), QString("350,25"), QString("3586,85")})
            QVERIFY2(text.contains(expected), qPrintable(expected + " not in:\n" + text));
    }
};

TARLOK_TEST_MAIN(DeadlinePrintsTest)
#include "tst_printouts.moc"
