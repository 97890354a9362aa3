// The report engine's layout: rows across pages, page footers and headers, sums, groups, sub-detail
// rows, the rows a band takes its fields from, disabled bands, hidden and wrapped items, empty data
// and a table read through its filter.
//
// Geometry of the reports below (tenths of a millimetre): A4 is 2970 high; with margins of 100 and a
// page footer of 100 the bands stand between y = 100 and y = 2970 - 100 - 100 = 2770.
#include "reports/engine/Report.h"

#include "platform/Clock.h"
#include "store/Database.h"
#include "store/Table.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

using namespace tarlok;
using namespace tarlok::report;

namespace {

constexpr double kBodyBottom = 2770.0;

// Trip n: route "Trasa n", n + 0.25 km, so that the pattern "0.00" has something to show.
QList<Row> trips(int count) {
    QList<Row> rows;
    for (int n = 1; n <= count; ++n)
        rows.append(Row({{"Nr", n}, {"Trasa", QStringLiteral("Trasa %1").arg(n)}, {"Kilometry", n + 0.25}}));
    return rows;
}

// The texts of a page whose left edge stands at `left` on the sheet, top to bottom.
QStringList column(const Page& page, double left) {
    std::vector<const TextItem*> found;
    for (const TextItem& t : page.texts) {
        if (qAbs(t.rect.left() - left) < 0.01)
            found.push_back(&t);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const TextItem* a, const TextItem* b) { return a->rect.top() < b->rect.top(); });
    QStringList out;
    for (const TextItem* t : found)
        out.append(t->text);
    return out;
}

int occurrences(const Document& doc, const QString& text) {
    int n = 0;
    for (const Page& page : doc.pages)
        n += int(page.readingOrder().count(text));
    return n;
}

QStringList numbersFrom(int first, int last) {
    QStringList out;
    for (int n = first; n <= last; ++n)
        out.append(QString::number(n));
    return out;
}

} // namespace

class EngineTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    // 200 rows: page header 60, title 200 (first page), column header 100, detail 50, footer 100.
    // Page 1 starts its rows at 100 + 60 + 200 + 100 = 460: (2770 - 460) / 50 -> 46 rows.
    // Later pages start at 100 + 60 + 100 = 260: (2770 - 260) / 50 -> 50 rows.
    // So rows 1-46, 47-96, 97-146, 147-196, 197-200 on five pages; the summary fits on page 5.
    void longDetailRunsOverPagesWithoutLosingOrSplittingRows() {
        Report r(QStringLiteral("Przebieg"));
        r.setData(DataSource::rows(trips(200)));
        r.pageHeader().setHeight(60).label({1500, 0, 0, 0}, QStringLiteral("NAGŁÓWEK"));
        r.title().setHeight(200).label({0, 0, 0, 0}, QStringLiteral("EWIDENCJA"));
        r.title().field({600, 0, 400, 0}, QStringLiteral("Trasa"));
        r.columnHeader().setHeight(100).label({0, 0, 0, 0}, QStringLiteral("LP"));
        Band& detail = r.detail().setHeight(50).setFrame(Left | Right);
        detail.rowNumber({20, 5, 41, 0}).setAlign(Align::Right);
        detail.field({100, 5, 500, 0}, QStringLiteral("Trasa"));
        detail.field({1000, 5, 200, 0}, QStringLiteral("Kilometry"))
            .setPattern("0.00")
            .setAlign(Align::Right);
        r.summary().setHeight(60).sum({1000, 0, 200, 0}, QStringLiteral("Kilometry")).setPattern("0.00");
        r.summary().field({1300, 0, 400, 0}, QStringLiteral("Trasa"));
        r.pageFooter().setHeight(100).system({0, 0, 0, 0}, SystemData::PageNumber).setText("Strona %1 z %2");
        r.pageFooter().sum({600, 0, 300, 0}, QStringLiteral("Kilometry")).setPattern("0.00");
        r.pageFooter().field({1200, 0, 400, 0}, QStringLiteral("Trasa"));

        const Document doc = r.layout();
        QCOMPARE(doc.pageCount(), 5);

        // Row numbers stand at 100 + 20 on the sheet, routes at 100 + 100.
        const int firstRow[] = {1, 47, 97, 147, 197};
        const int lastRow[] = {46, 96, 146, 196, 200};
        for (int p = 0; p < 5; ++p) {
            const Page& page = doc.pages[p];
            QCOMPARE(column(page, 120), numbersFrom(firstRow[p], lastRow[p]));
            // Each row's route stands on the row number's line: the band was not split.
            for (const TextItem& number : page.texts) {
                if (qAbs(number.rect.left() - 120) > 0.01)
                    continue;
                const auto route = std::find_if(page.texts.begin(), page.texts.end(), [&](const TextItem& t) {
                    return t.rect.left() == 200.0 && t.rect.top() == number.rect.top();
                });
                QVERIFY2(route != page.texts.end(), qPrintable(number.text));
                QCOMPARE(route->text, QStringLiteral("Trasa ") + number.text);
                // The band (5 above its texts, 50 high) ends above the page footer.
                QVERIFY(number.rect.top() - 5 + 50 <= kBodyBottom);
            }
            QCOMPARE(page.readingOrder().count(QStringLiteral("NAGŁÓWEK")), 1);
            QCOMPARE(page.readingOrder().count(QStringLiteral("LP")), 1);
            QVERIFY(page.find(QStringLiteral("Strona %1 z 5").arg(p + 1)));
        }
        QCOMPARE(occurrences(doc, QStringLiteral("EWIDENCJA")), 1);
        QVERIFY(doc.pages[0].find(QStringLiteral("EWIDENCJA")));

        // The footer's running sum of n + 0.25 over rows 1..N is N(N+1)/2 + N/4.
        QCOMPARE(doc.pages[0].find(QStringLiteral("1092,50"))->rect.left(), 700.0);   // N = 46
        QCOMPARE(doc.pages[1].find(QStringLiteral("4680,00"))->rect.left(), 700.0);   // N = 96
        QCOMPARE(doc.pages[2].find(QStringLiteral("10767,50"))->rect.left(), 700.0);  // N = 146
        QCOMPARE(doc.pages[3].find(QStringLiteral("19355,00"))->rect.left(), 700.0);  // N = 196
        QCOMPARE(column(doc.pages[4], 700), QStringList{QStringLiteral("20150,00")}); // N = 200

        // The summary prints once, after the last row: its sum and the last row's route.
        QCOMPARE(column(doc.pages[4], 1100).last(), QStringLiteral("20150,00"));
        QCOMPARE(occurrences(doc, QStringLiteral("20150,00")), 2); // summary and last footer
        QCOMPARE(column(doc.pages[4], 1400), QStringList{QStringLiteral("Trasa 200")});
        // The title takes the first row's route.
        QCOMPARE(column(doc.pages[0], 700),
                 QStringList({QStringLiteral("Trasa 1"), QStringLiteral("1092,50")}));
        // The page footer shows the last row printed on its page, not the one moved to the next.
        for (int p = 0; p < 5; ++p)
            QCOMPARE(column(doc.pages[p], 1300), QStringList{QStringLiteral("Trasa %1").arg(lastRow[p])});
        // The page footer stands at the bottom margin.
        QCOMPARE(doc.pages[2].find(QStringLiteral("Strona 3 z 5"))->rect.top(), kBodyBottom);
    }

    // No headers: rows start at 100, so 53 rows of 50 fill the page to 2750. A summary of 20 still
    // fits (2770); one of 30 moves whole to a second page, which has its own footer.
    void bandThatDoesNotFitMovesWholeToTheNextPage() {
        for (const int summaryHeight : {20, 30}) {
            Report r;
            r.setData(DataSource::rows(trips(53)));
            r.detail().setHeight(50).rowNumber({0, 0, 100, 0});
            r.summary().setHeight(summaryHeight).label({300, 0, 0, 0}, QStringLiteral("RAZEM"));
            r.pageFooter().setHeight(100).system({0, 0, 0, 0}, SystemData::PageNumber).setText("Str. %1");
            const Document doc = r.layout();
            const int pages = summaryHeight == 20 ? 1 : 2;
            QCOMPARE(doc.pageCount(), pages);
            QCOMPARE(column(doc.pages[0], 100).mid(0, 53), numbersFrom(1, 53));
            const TextItem* total = doc.pages[pages - 1].find(QStringLiteral("RAZEM"));
            QVERIFY(total);
            QCOMPARE(total->rect.top(), pages == 1 ? 2750.0 : 100.0);
            QCOMPARE(occurrences(doc, QStringLiteral("RAZEM")), 1);
            QVERIFY(doc.pages[pages - 1].find(QStringLiteral("Str. %1").arg(pages)));
        }
    }

    // Outer groups by year (an expression on the date), inner by month (a field). Amounts:
    // 2023-12: 10, 20.5        month 30,50  year 30,50
    // 2024-01: 5               month 5,00
    // 2024-02: 7.25, 100       month 107,25 year 112,25   report 142,75
    void groupsPrintHeadersFootersAndTheirOwnSums() {
        auto cost = [](int y, int m, double amount) {
            return Row({{"Data", QDate(y, m, 10)}, {"Miesiac", m}, {"Kwota", amount}});
        };
        Report r;
        r.setData(DataSource::rows({cost(2023, 12, 10), cost(2023, 12, 20.5), cost(2024, 1, 5),
                                    cost(2024, 2, 7.25), cost(2024, 2, 100)}));
        Group& year = r.addGroup([](const Row& row) { return row.value("Data").toDate().year(); });
        Group& month = r.addGroup(QStringLiteral("Miesiac"));
        year.header()
            .setHeight(50)
            .expression({0, 0, 0, 0}, [](const Row& row) { return row.value("Data").toDate().year(); })
            .setText("Rok %1");
        year.footer()
            .setHeight(50)
            .sum({500, 0, 0, 0}, QStringLiteral("Kwota"))
            .setScope(SumScope::Group)
            .setPattern("0.00")
            .setText("rok %1");
        month.header().setHeight(50).field({100, 0, 0, 0}, QStringLiteral("Miesiac")).setText("m-c %1");
        Band& monthEnd = month.footer().setHeight(50);
        monthEnd.sum({500, 0, 0, 0}, QStringLiteral("Kwota")).setScope(SumScope::Group).setPattern("0.00");
        monthEnd.sum({900, 0, 0, 0}, QStringLiteral("Kwota")).setPattern("0.00"); // the report's, running
        r.detail().setHeight(50).rowNumber({0, 0, 0, 0});
        r.detail().field({500, 0, 0, 0}, QStringLiteral("Kwota")).setPattern("0.00");
        r.summary().setHeight(50).sum({500, 0, 0, 0}, QStringLiteral("Kwota")).setPattern("0.00");
        // 23 % of every amount: 142.75 * 0.23 = 32.8325.
        r.summary()
            .sum({900, 0, 0, 0}, [](const Row& row) { return row.number("Kwota") * 0.23; })
            .setPattern("0.00");

        const Document doc = r.layout();
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.pages[0].readingOrder(),
                 QStringList({"Rok 2023", "m-c 12",     "1",        "10,00", "2", "20,50",  "30,50",
                              "30,50",    "rok 30,50",  "Rok 2024", "m-c 1", "3", "5,00",   "5,00",
                              "35,50",    "m-c 2",      "4",        "7,25",  "5", "100,00", "107,25",
                              "142,75",   "rok 112,25", "142,75",   "32,83"}));
    }

    // Cars A, B, X and C; X is left out by the cars' filter. Costs: A 100 and 50.5, B none, X 7,
    // C 20. The sub-detail reads each car's costs through the costs table's link to the cars.
    void subDetailFollowsItsMasterAndIsLeftOutWhenEmpty() {
        QTemporaryDir dir;
        Database db(dir.path());
        TableDef carsDef{QStringLiteral("Cars"), {}, {}};
        carsDef.fields = {{QStringLiteral("NrKol"), FieldType::AutoInc},
                          {QStringLiteral("Name"), FieldType::Alpha, 10}};
        carsDef.indexes = {IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false}};
        TableDef costsDef{QStringLiteral("Costs"), {}, {}};
        costsDef.fields = {{QStringLiteral("Id"), FieldType::AutoInc},
                           {QStringLiteral("Car"), FieldType::Integer},
                           {QStringLiteral("Koszt"), FieldType::Number}};
        costsDef.indexes = {IndexDef{QString(), {QStringLiteral("Id")}, true, true, false},
                            IndexDef{QStringLiteral("CarInd"), {QStringLiteral("Car")}, false, false, false}};
        db.createTable(dir.path(), carsDef);
        db.createTable(dir.path(), costsDef);

        Table cars(db);
        cars.setDatabaseName(dir.path());
        cars.setTableName(QStringLiteral("Cars"));
        cars.open();
        for (const char* name : {"A", "B", "X", "C"}) {
            cars.append();
            cars.setValue("Name", QString::fromLatin1(name));
            cars.post();
        }
        Table costs(db);
        costs.setDatabaseName(dir.path());
        costs.setTableName(QStringLiteral("Costs"));
        costs.open();
        for (const auto& [car, amount] :
             std::initializer_list<std::pair<int, double>>{{1, 100.0}, {3, 7.0}, {4, 20.0}, {1, 50.5}}) {
            costs.append();
            costs.setValue("Car", car);
            costs.setValue("Koszt", amount);
            costs.post();
        }
        costs.setIndexName(QStringLiteral("CarInd"));
        costs.setMasterSource(&cars, QStringLiteral("NrKol"));
        cars.onFilterRecord = [](Table& t) {
            return t.asString("Name") != QLatin1String("X");
        };
        cars.setFiltered(true);
        cars.last(); // C: the report must leave the cursor here

        Report r;
        r.setData(DataSource::table(cars));
        r.setSubDetail(linkedTable(costs));
        r.detail().setHeight(50).field({0, 0, 0, 0}, QStringLiteral("name")); // any case
        Band& sub = r.subDetail().setHeight(50).setFrame(AllSides);
        sub.rowNumber({100, 0, 0, 0});
        sub.field({300, 0, 0, 0}, QStringLiteral("Koszt")).setPattern("0.00");
        r.summary()
            .setHeight(50)
            .sum({300, 0, 0, 0}, QStringLiteral("Koszt"))
            .setRows(RowLevel::SubDetail)
            .setPattern("0.00");
        r.summary().rowNumber({0, 0, 0, 0}).setText("pojazdy: %1");

        const Document doc = r.layout();
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.pages[0].readingOrder(), QStringList({"A", "1", "100,00", "2", "50,50", "B", "C", "1",
                                                           "20,00", "pojazdy: 3", "170,50"}));
        // Three sub-detail rows, each framed by four lines; B has none.
        QCOMPARE(doc.pages[0].lines.size(), size_t(12));
        QCOMPARE(cars.asString("Name"), QStringLiteral("C"));
        QCOMPARE(costs.recordCount(), 1);
    }

    // Bands switched off at run time print nothing; a hidden label neither; a label found by name
    // takes the text a window gives it.
    void disabledBandsAndHiddenLabelsAreAbsent() {
        Report r;
        r.setData(DataSource::rows(trips(3)));
        r.title().setHeight(100).label({0, 0, 0, 0}, QString()).setName("QRlabelNumerRejestracyjny");
        r.title().label({500, 0, 0, 0}, QStringLiteral("Pojemność silnika:")).setName("Pojemnosc");
        r.detail().setHeight(50).field({0, 0, 0, 0}, QStringLiteral("Trasa"));
        r.summary().setHeight(50).label({0, 0, 0, 0}, QStringLiteral("Razem"));

        r.item("QRlabelNumerRejestracyjny").setText("KR 1234A");
        QCOMPARE(r.layout().pages[0].readingOrder(),
                 QStringList({"KR 1234A", "Pojemność silnika:", "Trasa 1", "Trasa 2", "Trasa 3", "Razem"}));

        r.item("QRlabelNumerRejestracyjny").setVisible(false);
        r.summary().setEnabled(false);
        r.detail().setEnabled(false);
        QCOMPARE(r.layout().pages[0].readingOrder(), QStringList({"Pojemność silnika:"}));

        r.summary().setEnabled(true);
        QCOMPARE(r.layout().pages[0].readingOrder(), QStringList({"Pojemność silnika:", "Razem"}));

        QCOMPARE(r.findItem("Brak"), nullptr);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, r.item("Brak"));
    }

    // A wrapped text makes its band as tall as its lines; the next band starts below it, and a grown
    // band that no longer fits moves whole to the next page.
    void wrappedTextMakesATallerBand() {
        const QString longText =
            QStringLiteral("Części zamienne, naprawa zawieszenia, wymiana oleju i filtrów, "
                           "przegląd techniczny oraz mycie pojazdu po sezonie zimowym");
        Report r;
        QList<Row> rows;
        for (int n = 1; n <= 30; ++n)
            rows.append(Row({{"Nr", n}, {"Opis", n % 2 ? longText : QStringLiteral("olej")}}));
        r.setData(DataSource::rows(rows));
        r.detail().setHeight(50).setFrame(Left);
        r.detail().rowNumber({0, 0, 0, 0});
        r.detail().field({100, 0, 300, 0}, QStringLiteral("Opis")).setWordWrap(true);
        r.pageFooter().setHeight(100);

        const Document doc = r.layout(300);
        QVERIFY(doc.pageCount() >= 2);
        const Measure measure(300);
        const double line = measure.lineHeight(Font());
        int rowsSeen = 0;
        for (const Page& page : doc.pages) {
            // The frame's left side is one line per band: its top and bottom are the band's.
            for (const LineItem& side : page.lines) {
                QVERIFY(side.line.y1() >= 100.0);
                QVERIFY(side.line.y2() <= kBodyBottom);
                const double height = side.line.y2() - side.line.y1();
                const TextItem* number = nullptr;
                for (const TextItem& t : page.texts) {
                    if (t.rect.left() == 100.0 && t.rect.top() == side.line.y1())
                        number = &t;
                }
                QVERIFY(number);
                ++rowsSeen;
                if (number->text.toInt() % 2) // the long text: 30 mm hold a few words a line
                    QVERIFY2(height > 3 * line, qPrintable(QString::number(height)));
                else
                    QCOMPARE(height, 50.0);
            }
        }
        QCOMPARE(rowsSeen, 30);
    }

    // Without rows: the title, the summary with zero sums and the footer still print; a report told
    // not to print then has no page.
    void emptyDataPrintsTheFrameOrNothing() {
        FixedClock clock(QDateTime(QDate(2024, 3, 5), QTime(9, 0)));
        Report r;
        r.setClock(&clock);
        r.title().setHeight(100).label({0, 0, 0, 0}, QStringLiteral("Ewidencja przebiegu pojazdu"));
        r.title().field({1000, 0, 0, 0}, QStringLiteral("Trasa"));
        r.detail().setHeight(50).field({0, 0, 0, 0}, QStringLiteral("Trasa"));
        r.summary().setHeight(50).sum({0, 0, 0, 0}, QStringLiteral("Kilometry")).setPattern("0.00");
        r.pageFooter().setHeight(100).system({0, 0, 0, 0}, SystemData::Date).setText("Wydruk z dnia %1");

        Document doc = r.layout();
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.pages[0].readingOrder(),
                 QStringList({"Ewidencja przebiegu pojazdu", "", "0,00", "Wydruk z dnia 5.03.2024"}));

        r.setPrintWhenEmpty(false);
        QCOMPARE(r.layout().pageCount(), 0);
    }

    // Laid out at 96 and at 1200 dpi the pages hold the same texts in the same places: a column of
    // natural-width texts ends in the same place within a tenth of a millimetre.
    void layoutDoesNotDriftWithTheResolution() {
        Report r;
        r.setData(DataSource::rows(trips(120)));
        r.columnHeader().setHeight(80).label({0, 0, 0, 0},
                                             QStringLiteral("OPIS TRASY WYJAZDU (skąd - dokąd)"));
        r.detail().setHeight(45).field({0, 0, 0, 0}, QStringLiteral("Trasa"));
        r.detail().field({400, 0, 300, 0}, QStringLiteral("Kilometry")).setPattern("0.00").setWordWrap(true);
        r.pageFooter().setHeight(100).system({0, 0, 0, 0}, SystemData::PageNumber);

        const Document low = r.layout(96);
        const Document high = r.layout(1200);
        QCOMPARE(low.pageCount(), high.pageCount());
        for (int p = 0; p < low.pageCount(); ++p) {
            const Page& a = low.pages[p];
            const Page& b = high.pages[p];
            QCOMPARE(a.readingOrder(), b.readingOrder());
            QCOMPARE(a.texts.size(), b.texts.size());
            for (size_t i = 0; i < a.texts.size(); ++i) {
                QCOMPARE(a.texts[i].rect.topLeft(), b.texts[i].rect.topLeft());
                QVERIFY2(
                    qAbs(a.texts[i].rect.right() - b.texts[i].rect.right()) < 1.0,
                    qPrintable(a.texts[i].text +
                               QString(" %1 %2").arg(a.texts[i].rect.right()).arg(b.texts[i].rect.right())));
                QVERIFY2(qAbs(a.texts[i].rect.bottom() - b.texts[i].rect.bottom()) < 1.0,
                         qPrintable(a.texts[i].text));
            }
        }
    }
};

QTEST_MAIN(EngineTest)
#include "tst_engine.moc"
