// The yearly summary printed straight on the printer: one landscape page laid out in the printer's
// dots (cell edges, title, owner line, heading lines and the grid's month lines), and the register
// disabled while it prints whichever way the printing ends. Expected positions by hand.
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include "common/Error.h"
#include "register/SummaryPrintout.h"

#include <QPrinter>

#include <cmath>
#include <map>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

// The texts of a page line by line (texts sharing a top), each line left to right.
QList<QStringList> linesOf(const report::Page& page) {
    std::map<double, std::map<double, QString>> byTop;
    for (const report::TextItem& t : page.texts)
        byTop[t.rect.top()][t.rect.left()] = t.text;
    QList<QStringList> out;
    for (const auto& [top, line] : byTop) {
        QStringList texts;
        for (const auto& [left, text] : line)
            texts.append(text);
        out.append(texts);
    }
    return out;
}

int dots(double tenths, int dpi) {
    return int(std::lround(tenths * dpi / report::kTenthsPerInch));
}

// A position on the sheet in dots from the corner of the page area, 10 mm in from the sheet's edges.
int at(double tenths, int dpi) {
    return dots(tenths - report::kDotMargin, dpi);
}

const QStringList kHeading1{"MIESIĄC",    "Wartość", "Wartość", "Koszty", "Koszty",
                            "Koszty",     "Koszty",  "Km",      "Km",     "Wydatki na",
                            "Wydatki na", "Zużyte",  "Zużyte",  "VAT",    "Zużycie"};
const QStringList kHeading2{"",          "przejazdów",  "przejazdów",  "miesięczne", "narastająco",
                            "zaliczone", "zaliczone",   "m-c",         "narast.",    "paliwo",
                            "paliwo",    "paliwo[dm3]", "paliwo[dm3]", "[zł]",       "paliwa"};
const QStringList kHeading3{"",
                            "miesięcznie",
                            "narastająco",
                            "",
                            "",
                            "miesięcznie",
                            "narastająco",
                            "",
                            "",
                            "miesięcznie",
                            "narastająco",
                            "miesięcznie",
                            "narastająco",
                            "m-c",
                            "100 km"};

summaryprint::Sheet blankSheet() {
    summaryprint::Sheet sheet;
    for (int m = 0; m < 12; ++m)
        sheet.months[size_t(m)][0] = QStringLiteral("M%1").arg(m + 1);
    return sheet;
}

void seedYear(TestApp& app) {
    app.addVehicle(1, "KR 1", 1400, true, {{"Wlasciciel", "Nowak Jan"}});
    app.addPeriod(2024, 5);
    app.seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                              {"Rok", 2024},
                              {"Miesiac", 3},
                              {"Data", QDate(2024, 3, 4)},
                              {"Trasa", "Kraków"},
                              {"WartoscSuma", 123456.5},
                              {"KilometrySuma", 150000}});
    app.seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                           {"Rok", 2024},
                           {"Miesiac", 3},
                           {"Data", QDate(2024, 3, 5)},
                           {"Nr_Rachunku", "F"},
                           {"Wartosc", 200.0},
                           {"WartoscSuma", 200.0},
                           {"Pom2", 46.0}});
}

} // namespace

class SummaryPrintoutTest : public QObject {
    Q_OBJECT

private slots:
    void layoutAtTheResolution_data() {
        QTest::addColumn<int>("dpi");
        QTest::newRow("600 dpi") << 600;
        QTest::newRow("1200 dpi") << 1200;
    }
    // One landscape page whatever the resolution, its area centred on the sheet; the cells of 8 and 5
    // tenths of an inch side by side from the area's left edge.
    void layoutAtTheResolution() {
        QFETCH(int, dpi);
        const report::Document doc = summaryprint::document(blankSheet(), dpi);
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.orientation, QPageLayout::Landscape);
        const report::Page& page = doc.pages.first();

        const report::TextItem* title = page.find("ZESTAWIENIE DANYCH DLA EWIDENCJI PRZEJAZDÓW");
        QVERIFY(title);
        QCOMPARE(title->align, report::Align::Centre);
        QVERIFY(std::abs(title->rect.center().x() - doc.sheetSize().width() / 2) < 0.5);
        QCOMPARE(title->rect.top(), report::kDotMargin);
        QCOMPARE(title->font.family, QString("Times New Roman"));
        QCOMPARE(title->font.points, 10.0);
        QVERIFY(title->font.bold && title->font.underline);

        // Cell edges at 600 dpi: 8 tenths of an inch are 480 dots, 5 are 300.
        const int factor = dpi / 600;
        const QList<int> expected{0,    480,  960,  1440, 1920, 2400, 2880, 3360,
                                  3660, 3960, 4440, 4920, 5400, 5880, 6180};
        const report::TextItem* month = page.find("M1");
        QVERIFY(month);
        QList<int> edges;
        for (const report::TextItem& t : page.texts)
            if (t.rect.top() == month->rect.top())
                edges.append(at(t.rect.left(), dpi));
        std::sort(edges.begin(), edges.end());
        QCOMPARE(edges.size(), 15);
        for (int c = 0; c < 15; ++c) {
            QCOMPARE(edges[c], expected[c] * factor);
            QCOMPARE(summaryprint::cellEdges(dpi)[size_t(c)], expected[c] * factor);
        }
        // Each line 2 gaps (a fifth of an inch) below the one before, each cell clipped to it.
        const report::TextItem* february = page.find("M2");
        QVERIFY(february);
        QCOMPARE(dots(february->rect.top() - month->rect.top(), dpi), dpi / 5);
        QVERIFY(february->clip);
        QCOMPARE(dots(february->rect.width(), dpi), 480 * factor);
    }

    // The title, the owner line, the three heading lines in bold and the twelve month lines, in order;
    // cells never written print 0,00, in the two kilometre columns 0.
    void linesOfThePage() {
        summaryprint::Sheet sheet = blankSheet();
        sheet.owner = "Nowak Jan";
        sheet.vehicle = "KR 1 Marka1";
        sheet.months[2][1] = "400,00";
        const report::Document doc = summaryprint::document(sheet, 600);
        const QList<QStringList> lines = linesOf(doc.pages.first());
        QCOMPARE(lines.size(), 2 + 3 + 12);
        QCOMPARE(lines[0], QStringList{"ZESTAWIENIE DANYCH DLA EWIDENCJI PRZEJAZDÓW"});
        QCOMPARE(lines[1], QStringList{"Właściciel: Nowak Jan     Dane pojazdu:KR 1 Marka1"});
        QCOMPARE(lines[2], kHeading1);
        QCOMPARE(lines[3], kHeading2);
        QCOMPARE(lines[4], kHeading3);
        QStringList blank(15, "0,00");
        blank[7] = "0";
        blank[8] = "0";
        for (int m = 1; m <= 12; ++m) {
            QStringList expected = blank;
            expected[0] = QStringLiteral("M%1").arg(m);
            if (m == 3)
                expected[1] = "400,00";
            QCOMPARE(lines[4 + m], expected);
        }
        const report::Page& page = doc.pages.first();
        const report::TextItem* owner = page.find(lines[1][0]);
        QCOMPARE(at(owner->rect.left(), 600), 15);
        QCOMPARE(owner->font.points, 10.0);
        QVERIFY(!owner->font.bold);
        const report::TextItem* heading = page.find("MIESIĄC");
        QCOMPARE(heading->font.points, 9.0);
        QVERIFY(heading->font.bold && heading->font.underline);
        const report::TextItem* month = page.find("M1");
        QCOMPARE(month->font.points, 9.0);
        QVERIFY(!month->font.bold && !month->font.underline);

        QCOMPARE(summaryprint::printedText("", 7), QString("0"));
        QCOMPARE(summaryprint::printedText("", 8), QString("0"));
        QCOMPARE(summaryprint::printedText("", 9), QString("0,00"));
        QCOMPARE(summaryprint::printedText("12", 8), QString("12"));
    }

    // A job aborted before it starts draws nothing; aborted after the title, nothing more.
    void nothingAfterTheAbort() {
        QCOMPARE(summaryprint::document(blankSheet(), 600, [] { return true; }).pages.first().texts.size(),
                 size_t(0));
        int asked = 0;
        const auto doc = summaryprint::document(blankSheet(), 600, [&asked] { return ++asked > 1; });
        QCOMPARE(linesOf(doc.pages.first()).size(), 1);
    }

    // "Drukuj zestawienie" prints the grid as shown, straight on the printer, the register disabled
    // meanwhile and enabled again at the end.
    void printsTheGridOfTheRegister() {
        auto app = TestApp::started();
        seedYear(*app);
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Summary);
        app->output.printer().setResolution(600);
        bool enabledWhilePrinting = true;
        app->output.whilePrinting = [&] {
            enabledWhilePrinting = reg.isEnabled();
        };
        reg.press(RegisterDriver::Button::PrintSummary);
        QCOMPARE(app->output.count(), 1);
        QVERIFY(app->output.last().printed);
        QVERIFY(!enabledWhilePrinting);
        QVERIFY(reg.isEnabled());
        QCOMPARE(app->dialogs.texts(), QStringList());

        const QList<QStringList> lines = linesOf(app->output.last().document.pages.first());
        QCOMPARE(lines.size(), 17);
        QCOMPARE(lines[1][0], QString("Właściciel: Nowak Jan     Dane pojazdu:KR 1 Marka1 Auto1 poj. 1400"));
        const QStringList months{"Styczeń", "Luty",     "Marzec",   "Kwiecień",    "Maj",      "Czerwiec",
                                 "Lipiec",  "Sierpień", "Wrzesień", "Październik", "Listopad", "Grudzień"};
        for (int m = 1; m <= 12; ++m)
            QCOMPARE(lines[4 + m], QStringList{months[m - 1]} + reg.summaryLine(m));
        // March as worked out: trips 123 456,50 and 150 000 km, costs 200 with 46 of VAT.
        QCOMPARE(lines[7][1], QString("123\u00A0456,50"));
        QCOMPARE(lines[7][7], QString("150\u00A0000"));
        QCOMPARE(lines[7][13], QString("46,00"));
    }

    void theRegisterComesBack_data() {
        QTest::addColumn<bool>("fails");
        QTest::addColumn<bool>("throws");
        QTest::newRow("the printer does not start") << true << false;
        QTest::newRow("the printer fails halfway") << false << true;
    }
    // Whichever way the printing ends, the register is enabled again and the user told.
    void theRegisterComesBack() {
        QFETCH(bool, fails);
        QFETCH(bool, throws);
        auto app = TestApp::started();
        seedYear(*app);
        app->openRegister();
        RegisterDriver reg(*app);
        reg.chooseTab(RegisterDriver::Tab::Summary);
        app->output.failing = fails;
        if (throws)
            app->output.whilePrinting = [] {
                throw Error(QStringLiteral("Drukarka przestała odpowiadać."));
            };
        reg.press(RegisterDriver::Button::PrintSummary);
        QVERIFY(reg.isEnabled());
        QCOMPARE(app->output.count(), 0);
        QCOMPARE(app->dialogs.texts().size(), 1);
        if (fails) {
            QCOMPARE(app->dialogs.last().text, QString("Wydruk nie powiódł się - sprawdź drukarkę."));
            QCOMPARE(app->dialogs.last().caption, QString("Błąd"));
        } else {
            QCOMPARE(app->dialogs.last().text, QString("Drukarka przestała odpowiadać."));
        }
    }
};

TARLOK_TEST_MAIN(SummaryPrintoutTest)
#include "tst_summaryprintout.moc"
