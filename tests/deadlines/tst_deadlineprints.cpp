// The statements of deadlines and costs as the deadlines window's "&Drukuj" prints them: which rows of
// which vehicles, the sums worked out by hand, the columns where they stand, the frames, the blank page
// of an empty statement, the refusal while a changed row waits to be saved, the windows' cursors left
// where they were, and one statement saved as a PDF and read back.
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

// Vehicle 1's row of 2024: every date of the row set, the instalment-II dates and costs, the NW cost
// and the other deadline too. Its total: 812.40 + 406.20 (OC II) + 1250.00 + 625.00 (AC II) + 45 (NW)
// + 98.00 + 0 + 350.25 = 3586.85.
QVariantMap fullRow() {
    return with(costs(812.40, 1250.00, 98.00, 0.0, 350.25, 3586.85),
                {{"TerminOC", QDate(2024, 3, 14)},
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
                 {"Pom4", 45}});
}
const QStringList kFullRowLine{"2024",       "14.03.2024", "30.06.2024", "12.09.2024", "",
                               "20.11.2024", "10.12.2024", "15.08.2024", "812,40",     "1250,00",
                               "98,00",      "0,00",       "350,25",     "3586,85"};
// A row of 2023 without dates: 700 + 1100 + 90 + 0 + 100 = 1990.
const QVariantMap kRow2023 = costs(700, 1100, 90, 0, 100, 1990);
const QStringList kRow2023Line{"2023", "",       "",        "",      "",     "",       "",
                               "",     "700,00", "1100,00", "90,00", "0,00", "100,00", "1990,00"};

DeadlinePrint currentVehicle(qint64 vehicle, std::optional<int> year = 2024) {
    DeadlinePrint p;
    p.vehicle = vehicle;
    p.year = year;
    p.allYears = !year;
    return p;
}

DeadlinePrint allVehicles(std::optional<int> year) {
    DeadlinePrint p;
    p.vehicle = 1;
    p.allVehicles = true;
    p.year = year;
    p.allYears = !year;
    return p;
}

const report::Document& print(TestApp& app, const DeadlinePrint& request) {
    const int before = app.output.count();
    printDeadlines(app.forms(), request);
    if (app.output.count() != before + 1)
        qFatal("nothing was previewed");
    return app.output.last().document;
}

QString runTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), args);
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class DeadlinePrintsTest : public QObject {
    Q_OBJECT

private slots:
    // Neither box ticked: the current vehicle's row of the current year only, every column as stored,
    // and the six sums equal to that row's costs. The instalment-II dates and costs, the NW cost and
    // the other deadline are no columns: only the total holds them.
    void currentVehicleAndYear() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2023, kRow2023);
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 2, 2024, costs(500, 0, 0, 0, 0, 500));

        const report::Document& doc = print(*app, currentVehicle(1));
        QCOMPARE(app->output.last().printed, false);
        QCOMPARE(app->output.last().title, kTitle);
        QCOMPARE(doc.pageCount(), 1);
        const QList<QStringList> expected{
            {kTitle},
            {kCar1},
            kCaptions1,
            kCaptions2,
            kFullRowLine,
            {"KOSZTY RAZEM", "812,40", "1250,00", "98,00", "0,00", "350,25", "3586,85"},
            {kDeadlineSignature}};
        QCOMPARE(lines(doc), expected);
        QCOMPARE(clippedTexts(doc), QStringList());
    }

    // The window's view lists every year: so does the statement, and its sums cover both rows:
    // 700 + 812.40 = 1512.40, 1100 + 1250 = 2350, 90 + 98 = 188, 0, 100 + 350.25 = 450.25,
    // 1990 + 3586.85 = 5576.85.
    void currentVehicleEveryYear() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 1, 2023, kRow2023);
        addDeadline(*app, 2, 2023, costs(500, 0, 0, 0, 0, 500));

        const QList<QStringList> got = lines(print(*app, currentVehicle(1, std::nullopt)));
        QCOMPARE(got.mid(4), (QList<QStringList>{kRow2023Line,
                                                 kFullRowLine,
                                                 {"KOSZTY RAZEM", "1512,40", "2350,00", "188,00", "0,00",
                                                  "450,25", "5576,85"},
                                                 {kDeadlineSignature}}));
    }

    // Both boxes ticked: every vehicle in the register's order with all its rows, a vehicle without
    // rows with its description line only, and no summary band.
    void everyVehicleEveryYear() {
        auto app = deadlineFirm();
        app->addVehicle(3, QStringLiteral("WE 77777"), 1990);
        addDeadline(*app, 2, 2024, costs(500, 0, 0, 0, 0, 500));
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 1, 2023, kRow2023);

        const report::Document& doc = print(*app, allVehicles(std::nullopt));
        QCOMPARE(app->output.last().title, kTitleAll);
        const QList<QStringList> expected{
            {kTitleAll},
            kCaptions1,
            kCaptions2,
            {kCar1},
            kRow2023Line,
            kFullRowLine,
            {kCar2},
            {"2024", "", "", "", "", "", "", "", "500,00", "0,00", "0,00", "0,00", "0,00", "500,00"},
            {QStringLiteral("WE 77777 Marka3 Auto3 poj. 1990")},
            {kDeadlineSignature}};
        QCOMPARE(lines(doc), expected);
    }

    // "Wszystkie lata" unticked with all vehicles: two vehicles with two rows of the year each (and one
    // of an earlier year left out); the summary's sums are the grand totals of the four printed rows:
    // OC 812.40 + 100.10 + 500 + 0 = 1412.50; AC 1250 + 0 + 300.55 + 0 = 1550.55;
    // tech 98 + 0 + 99.99 + 0 = 197.99; warranty 0 + 150 + 0 + 0 = 150;
    // repairs 350.25 + 0 + 1000 + 12.50 = 1362.75; totals 3586.85 + 250.10 + 1900.54 + 12.50 = 5749.99.
    void grandTotalsOfEveryVehicle() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 1, 2023, kRow2023);
        addDeadline(*app, 1, 2024, costs(100.10, 0, 0, 150, 0, 250.10));
        addDeadline(*app, 2, 2024, costs(500, 300.55, 99.99, 0, 1000, 1900.54));
        addDeadline(*app, 2, 2024, costs(0, 0, 0, 0, 12.50, 12.50));

        const QList<QStringList> got = lines(print(*app, allVehicles(2024)));
        QCOMPARE(got.size(), 11);
        QCOMPARE(got[3], QStringList{kCar1});
        QCOMPARE(got[6], QStringList{kCar2});
        QCOMPARE(got[9], (QStringList{"KOSZTY RAZEM", "1412,50", "1550,55", "197,99", "150,00", "1362,75",
                                      "5749,99"}));
        QVERIFY(!got.contains(kRow2023Line));
    }

    // Sums and amounts wider than their column at their size print smaller, never cut:
    // 9999.99 + 9999.99 = 19999.98, and a six-digit total of one row.
    void wideAmountsPrintWhole() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, costs(9999.99, 0, 0, 0, 0, 123456.78));
        addDeadline(*app, 2, 2024, costs(9999.99, 0, 0, 0, 0, 9999.99));

        const report::Document& doc = print(*app, allVehicles(2024));
        QCOMPARE(lines(doc).at(7),
                 (QStringList{"KOSZTY RAZEM", "19999,98", "0,00", "0,00", "0,00", "0,00", "133456,77"}));
        QCOMPARE(clippedTexts(doc), QStringList());
        QCOMPARE(crowdedTexts(doc), QStringList());
        QVERIFY(findText(doc, "19999,98")->font.points < 9.0);
        QVERIFY(findText(doc, "19999,98")->font.bold);
    }

    // The columns stand at 10 mm plus their offsets, as wide as laid out; the year and the dates are
    // centred in them and the money is right-aligned. The last column, "KOSZT" / "CAL", at 187.8 mm.
    void columnsWhereTheyStand() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        const report::Document& doc = print(*app, currentVehicle(1));
        const report::Page& page = doc.pages.first();

        const double lefts[] = {108, 219, 367, 523, 674, 830, 984, 1135, 1280, 1396, 1516, 1635, 1756, 1878};
        const double widths[] = {95, 143, 143, 143, 143, 143, 143, 143, 114, 114, 114, 114, 114, 119};
        QMap<double, const report::TextItem*> captions, cells;
        const double rowTop = page.find("14.03.2024")->rect.top();
        const double captionTop = page.find("ROK")->rect.top();
        for (const report::TextItem& t : page.texts) {
            if (qFuzzyCompare(t.rect.top(), captionTop))
                captions[t.rect.left()] = &t;
            if (qFuzzyCompare(t.rect.top(), rowTop))
                cells[t.rect.left()] = &t;
        }
        QCOMPARE(captions.size(), 14);
        QCOMPARE(cells.size(), 14);
        for (int i = 0; i < 14; ++i) {
            const auto* caption = captions.value(lefts[i]);
            const auto* cell = cells.value(lefts[i]);
            QVERIFY2(caption && cell, qPrintable(QString("column %1 not at %2").arg(i + 1).arg(lefts[i])));
            QCOMPARE(caption->rect.width(), widths[i]);
            QCOMPARE(cell->rect.width(), widths[i]);
            QCOMPARE(caption->align, report::Align::Centre);
            QCOMPARE(cell->align, i < 8 ? report::Align::Centre : report::Align::Right);
        }
        QCOMPARE(captions.value(1878)->text, QString("KOSZT"));
        QCOMPARE(page.find("CAL")->rect.left(), 1878.0);
        // The sums stand under their columns, right-aligned.
        const report::TextItem* total = nullptr;
        for (const report::TextItem& t : page.texts)
            if (t.text == "3586,85" && t.font.bold)
                total = &t;
        QVERIFY(total);
        QCOMPARE(total->rect.left(), 1878.0);
        QCOMPARE(total->align, report::Align::Right);
        // Captions at 10 pt bold, rows at 8 pt, sums bold 9 pt, the title 12 pt bold.
        QCOMPARE(page.find("ROK")->font.points, 10.0);
        QVERIFY(page.find("ROK")->font.bold);
        QCOMPARE(page.find("14.03.2024")->font.points, 8.0);
        QCOMPARE(page.find("KOSZTY RAZEM")->font.points, 9.0);
        QCOMPARE(page.find(kTitle)->font.points, 12.0);
        QVERIFY(page.find(kTitle)->font.bold);
        QCOMPARE(page.find(kDeadlineSignature)->font.points, 6.0);
        // Nothing cut by its column, and neighbours ("KOSZT" over the six cost columns 0.2 mm apart)
        // kept apart.
        QCOMPARE(clippedTexts(doc), QStringList());
        QCOMPARE(crowdedTexts(doc), QStringList());
    }

    // Every band but the page footer is framed on its four sides: the two sides run without a gap from
    // the title's top to the summary's bottom, across the 190 mm print width; the signature is below.
    void bandsFramedFooterNot() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 2, 2024, kRow2023);
        for (const DeadlinePrint& request : {currentVehicle(1), allVehicles(2024)}) {
            const report::Page& page = print(*app, request).pages.first();
            QList<double> tops;
            QList<QLineF> left, right;
            for (const report::LineItem& l : page.lines) {
                const QLineF& line = l.line;
                if (line.y1() == line.y2()) {
                    QCOMPARE(std::min(line.x1(), line.x2()), 100.0);
                    QCOMPARE(std::max(line.x1(), line.x2()), 2000.0);
                    tops.append(line.y1());
                } else {
                    QVERIFY(line.x1() == 100.0 || line.x1() == 2000.0);
                    (line.x1() == 100.0 ? left : right).append(line);
                }
            }
            std::sort(tops.begin(), tops.end());
            for (QList<QLineF>* side : {&left, &right}) {
                std::sort(side->begin(), side->end(), [](auto& a, auto& b) { return a.y1() < b.y1(); });
                QCOMPARE(side->first().y1(), tops.first());
                for (qsizetype i = 1; i < side->size(); ++i)
                    QCOMPARE(side->at(i).y1(), side->at(i - 1).y2());
                QCOMPARE(side->last().y2(), tops.last());
            }
            QVERIFY(page.find(kDeadlineSignature)->rect.top() > tops.last());
        }
    }

    // No row to print (a vehicle without rows, a vehicle not yet saved, an empty register): one blank
    // page, no crash.
    void emptyStatementIsOneBlankPage() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2023, kRow2023);
        for (const DeadlinePrint& request : {currentVehicle(2), currentVehicle(1), currentVehicle(0)}) {
            const report::Document& doc = print(*app, request);
            QCOMPARE(doc.pageCount(), 1);
            QVERIFY(doc.pages.first().texts.empty());
            QVERIFY(doc.pages.first().lines.empty());
        }
        auto empty = TestApp::started();
        empty->addPeriod(2024, 5);
        empty->openRegister();
        const report::Document& doc = print(*empty, allVehicles(std::nullopt));
        QCOMPARE(doc.pageCount(), 1);
        QVERIFY(doc.pages.first().texts.empty());
    }

    // A long statement goes on over pages, each with the column header; the title only on the first.
    void longStatementOverPages() {
        auto app = deadlineFirm();
        for (int year = 1960; year < 2030; ++year)
            addDeadline(*app, 1, year, costs(1, 0, 0, 0, 0, 1));
        const report::Document& doc = print(*app, currentVehicle(1, std::nullopt));
        QVERIFY(doc.pageCount() >= 2);
        QStringList years;
        for (const report::Page& page : doc.pages) {
            QVERIFY(page.find("KOSZT"));
            for (const QStringList& line : lines(page))
                if (line.size() == 14 && line.first() != "ROK")
                    years.append(line.first());
        }
        QCOMPARE(years.size(), 70);
        QCOMPARE(years.first(), QString("1960"));
        QCOMPARE(years.last(), QString("2029"));
        QVERIFY(doc.pages[0].find(kTitle));
        QVERIFY(!doc.pages[1].find(kTitle));
        // 70 rows of 1.00 each.
        QCOMPARE(lines(doc.pages.last()).at(lines(doc.pages.last()).size() - 2),
                 (QStringList{"KOSZTY RAZEM", "70,00", "0,00", "0,00", "0,00", "0,00", "70,00"}));
    }

    // Printing every vehicle reads through tables of its own: the current vehicle, the deadlines row,
    // and the register's trips and costs stay where they were, and nothing tells the windows of a move.
    void printingMovesNoWindow() {
        auto app = deadlineFirm();
        app->addVehicle(3, QStringLiteral("WE 77777"), 1990);
        addDeadline(*app, 1, 2024, fullRow());
        addDeadline(*app, 2, 2023, kRow2023);
        addDeadline(*app, 2, 2024, costs(500, 0, 0, 0, 0, 500));
        for (int day : {3, 9, 21})
            app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 2},
                                       {"Rok", 2024},
                                       {"Miesiac", 5},
                                       {"Data", QDate(2024, 5, day)},
                                       {"Kilometry", day}});
        app->seed("Koszty.db", {{"NrKol_Pojazdu", 2},
                                {"Rok", 2024},
                                {"Miesiac", 5},
                                {"Data", QDate(2024, 5, 6)},
                                {"Wartosc", 40.0}});
        SharedData& data = app->data();
        data.TablePojazdy->moveTo(1);
        data.TablePrzejazdy->refresh();
        data.TableKoszty->refresh();
        Table& deadlines = openDeadlinesView(*app);
        deadlines.first();
        data.TablePrzejazdy->moveTo(1);
        QCOMPARE(deadlines.recordCount(), 2);
        QCOMPARE(data.TablePrzejazdy->recordCount(), 3);
        const int costRows = data.TableKoszty->recordCount();
        const int costAt = data.TableKoszty->recNo();

        QSignalSpy vehicleMoves(&data, &SharedData::vehicleChanged);
        QSignalSpy deadlineMoves(&deadlines, &Table::scrolled);
        QSignalSpy tripMoves(data.TablePrzejazdy, &Table::scrolled);
        print(*app, allVehicles(std::nullopt));
        print(*app, allVehicles(2024));
        print(*app, currentVehicle(2));

        QCOMPARE(vehicleMoves.count(), 0);
        QCOMPARE(deadlineMoves.count(), 0);
        QCOMPARE(tripMoves.count(), 0);
        QCOMPARE(data.TablePojazdy->asInteger("NrKol_Pojazdu"), 2);
        QCOMPARE(deadlines.asInteger("Rok"), 2023);
        QCOMPARE(data.TablePrzejazdy->asInteger("Kilometry"), 9);
        QCOMPARE(data.TableKoszty->recordCount(), costRows);
        QCOMPARE(data.TableKoszty->recNo(), costAt);
        QCOMPARE(deadlines.state(), Table::State::Browse);
    }

    // A changed row not yet saved in the deadlines window: "&Drukuj" says to save or cancel it, with the
    // table's pending message, prints nothing and leaves the row as typed. A row opened for editing and
    // left unchanged prints.
    void pendingRowPrintsNothing() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        Table& deadlines = openDeadlinesView(*app);
        deadlines.edit();
        print(*app, currentVehicle(1));
        QCOMPARE(app->dialogs.messages().size(), 0);

        deadlines.setValue("KosztOC", 999.0);
        const int sent = app->output.count();
        printDeadlines(app->forms(), currentVehicle(1));
        QCOMPARE(app->dialogs.texts(), QStringList{kDeadlinesPending});

        const QString guard = QStringLiteral("Zapisz albo anuluj zmiany terminu.");
        deadlines.setPendingGuard(guard);
        printDeadlines(app->forms(), allVehicles(std::nullopt));
        QCOMPARE(app->dialogs.lastText(), guard);

        QCOMPARE(app->output.count(), sent);
        QCOMPARE(deadlines.state(), Table::State::Edit);
        QCOMPARE(deadlines.asFloat("KosztOC"), 999.0);
    }

    // "Zapisz jako PDF" in the preview: the file holds the title as spelled, the vehicle, "KOSZTY RAZEM"
    // and the sums, the Polish letters intact.
    void savedAsPdf() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024, fullRow());
        print(*app, currentVehicle(1));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("terminy.pdf"));
        app->dialogs.answerSaveFileName(path);
        QCOMPARE(app->output.saveLastAsPdf(), path);
        QCOMPARE(app->dialogs.saveRequests().last().caption, QString("Zapisz jako PDF"));
        QVERIFY(app->dialogs.saveRequests().last().suggestedName.endsWith(kTitle + ".pdf"));

        const QString text = runTool("pdftotext", {"-layout", path, "-"});
        for (const QString& expected :
             {kTitle, kCar1, QString("KOSZTY RAZEM"), QString("812,40"), QString("1250,00"),
              QString("350,25"), QString("3586,85"), QString("14.03.2024"), kDeadlineSignature})
            QVERIFY2(text.contains(expected), qPrintable(expected + " not in:\n" + text));
        QVERIFY(!text.contains("406,20"));
    }
};

TARLOK_TEST_MAIN(DeadlinePrintsTest)
#include "tst_deadlineprints.moc"
