// The lump-sum statement laid out in a printer's dots: one landscape page with the title, the heading
// line, the two column-heading rows, the twelve month rows and the signature lines, at 600 dpi (expected
// positions by hand, in dots from the corner of the page area 10 mm in from the sheet's edges: 1,4 inch =
// 840 dots, 0,8 inch = 480 dots, the area 210 - 2 x 10 = 190 mm = 4488 dots high).
#include "support/Files.h"
#include "support/RecordingOutput.h"
#include "support/TestApp.h"

#include "lumpsum/Statement.h"
#include "platform/ScriptedDialogs.h"
#include "reports/engine/SaveAsPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <map>

using namespace tarlok;
namespace statement = tarlok::lumpsum::statement;

namespace {

int dots(double tenths, int dpi) {
    return int(std::lround(tenths * dpi / report::kTenthsPerInch));
}

// A position on the sheet in dots from the corner of the page area.
int at(double tenths, int dpi) {
    return dots(tenths - report::kDotMargin, dpi);
}

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

statement::Sheet sheetOf2024() {
    statement::Sheet sheet;
    sheet.owner = "Nowak Jan";
    sheet.vehicle = "KR 1111A Skoda Fabia";
    sheet.year = "2024";
    for (int m = 0; m < 12; ++m) {
        sheet.months[size_t(m)][0] = QStringLiteral("M%1").arg(m + 1);
        for (int c = 1; c < 11; ++c)
            sheet.months[size_t(m)][size_t(c)] = QStringLiteral("%1.%2").arg(m + 1).arg(c);
    }
    sheet.months[0] = {"Styczeń", "31.01.2024 extra", "300,00", "0,8358", "250,74", "2", "0", "1",
                       "34,19",   "216,55",           "216,55"};
    return sheet;
}

const QString kSignatures = QString(16, '-') + QString(89, ' ') + QString(17, '-');
const QString kSignatureNames = "Pracownik" + QString(91, ' ') + "Pracodawca";

} // namespace

class StatementTest : public QObject {
    Q_OBJECT

private slots:
    void columnEdges() {
        const std::array<int, 12> expected{0,    840,  1320, 1800, 2280, 2760,
                                           3240, 3720, 4200, 4680, 5160, 5640};
        QCOMPARE(statement::columnEdges(600), expected);
        // 0,8 inch of 254 dots is 203,2: cut to 203; 1,4 inch 355,6: 355.
        const std::array<int, 12> at254 = statement::columnEdges(254);
        QCOMPARE(at254[1], 355);
        QCOMPARE(at254[2] - at254[1], 203);
        QCOMPARE(at254[11], 355 + 10 * 203);
    }

    // One landscape page; the lines in order; the heading line names the owner, the car and the year.
    void pageAt600Dots() {
        const report::Document doc = statement::document(sheetOf2024(), 600);
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(doc.orientation, QPageLayout::Landscape);
        const report::Page& page = doc.pages.first();
        const QList<QStringList> lines = linesOf(page);
        QCOMPARE(lines.size(), 1 + 1 + 2 + 12 + 2);
        QCOMPARE(lines[0], QStringList{"ZESTAWIENIE DANYCH DLA RYCZAŁTU - PRZEJAZDY LOKALNE"});
        QCOMPARE(lines[1], QStringList{"Właściciel: Nowak Jan     Dane pojazdu:KR 1111A Skoda Fabia   Rok "
                                       "księgowania: 2024"});
        QCOMPARE(lines[2], (QStringList{"MIESIĄC", "Data", "Ryczałt", "Stawka", "Ryczałt", "Dni", "Dni bez",
                                        "Inne", "Suma", "Należność", "Należność"}));
        QCOMPARE(lines[3],
                 (QStringList{"      ", "oświadcz.", "w km", "za 1 km", "pieniężny", "urlopu", "samochodu",
                              "nieobecn.", "potrącenia", "miesięczna", "narastająco"}));
        // The date cut to its ten characters; every other text as the sheet holds it.
        QCOMPARE(lines[4], (QStringList{"Styczeń", "31.01.2024", "300,00", "0,8358", "250,74", "2", "0", "1",
                                        "34,19", "216,55", "216,55"}));
        for (int m = 2; m <= 12; ++m) {
            QStringList expected{QStringLiteral("M%1").arg(m)};
            for (int c = 1; c < 11; ++c)
                expected.append(QStringLiteral("%1.%2").arg(m).arg(c));
            QCOMPARE(lines[3 + m], expected);
        }
        QCOMPARE(lines[16], QStringList{kSignatures});
        QCOMPARE(lines[17], QStringList{kSignatureNames});
    }

    // Where everything stands, in dots: the title centred at the top, the heading line at 15 dots and
    // H + 50, the columns side by side, the rows 2 gaps (120 dots) apart, the signature lines at
    // 4488 - 4488 / 6 = 3740 and one line lower; the area centred on the sheet.
    void positionsAt600Dots() {
        const int dpi = 600;
        const report::Document doc = statement::document(sheetOf2024(), dpi);
        const report::Page& page = doc.pages.first();

        const report::TextItem* title = page.find("ZESTAWIENIE DANYCH DLA RYCZAŁTU - PRZEJAZDY LOKALNE");
        QVERIFY(title);
        QCOMPARE(title->rect.top(), report::kDotMargin);
        QCOMPARE(title->align, report::Align::Centre);
        QVERIFY(std::abs(title->rect.center().x() - doc.sheetSize().width() / 2) < 0.5);
        QCOMPARE(title->font.family, QString("Times New Roman"));
        QCOMPARE(title->font.points, 10.0);
        QVERIFY(title->font.bold && title->font.underline);
        const int h = dots(title->rect.height(), dpi);
        QVERIFY(h > 60 && h < 200); // the height of a 10 pt line plus a gap of 60 dots

        const report::TextItem* heading = &page.texts[1];
        QVERIFY(heading->text.startsWith("Właściciel: "));
        QCOMPARE(at(heading->rect.left(), dpi), 15);
        QCOMPARE(at(heading->rect.top(), dpi), h + 50);
        QCOMPARE(heading->font.points, 10.0);
        QVERIFY(!heading->font.bold);

        const report::TextItem* columnTitle = page.find("MIESIĄC");
        QVERIFY(columnTitle);
        // y: the title's H + 60, then 2H + 60.
        QCOMPARE(at(columnTitle->rect.top(), dpi), 3 * h + 120);
        QCOMPARE(columnTitle->font.points, 9.0);
        QVERIFY(columnTitle->font.bold && columnTitle->font.underline);

        const report::TextItem* january = page.find("Styczeń");
        QVERIFY(january);
        QCOMPARE(dots(january->rect.top() - columnTitle->rect.top(), dpi), 2 * 120);
        QCOMPARE(january->font.points, 9.0);
        QVERIFY(!january->font.bold && !january->font.underline);
        QList<int> edges;
        for (const report::TextItem& t : page.texts) {
            if (t.rect.top() != january->rect.top())
                continue;
            edges.append(at(t.rect.left(), dpi));
            QVERIFY(t.clip);
            QCOMPARE(dots(t.rect.width(), dpi), t.text == "Styczeń" ? 840 : 480);
        }
        std::sort(edges.begin(), edges.end());
        QCOMPARE(edges, (QList<int>{0, 840, 1320, 1800, 2280, 2760, 3240, 3720, 4200, 4680, 5160}));
        const report::TextItem* december = page.find("M12");
        QVERIFY(december);
        QCOMPARE(dots(december->rect.top() - january->rect.top(), dpi), 11 * 120);

        const report::TextItem* signatures = page.find(kSignatures);
        const report::TextItem* names = page.find(kSignatureNames);
        QVERIFY(signatures && names);
        QCOMPARE(at(signatures->rect.top(), dpi), 3740);
        QCOMPARE(at(names->rect.top(), dpi), 3740 + h);
        for (const report::TextItem* t : {signatures, names}) {
            QCOMPARE(t->align, report::Align::Centre);
            QVERIFY(std::abs(t->rect.center().x() - doc.sheetSize().width() / 2) < 0.5);
        }
    }

    // "Podgląd" and its "Zapisz jako PDF": the page stands inside the margins, no word closer than 5 mm
    // to an edge of the sheet, where a printer of the file would cut it.
    void thePdfKeepsClearOfTheEdges() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        test::RecordingOutput output;
        ScriptedDialogs dialogs;
        report::previewDotPage(&output, dialogs, [](int dpi, const std::function<bool()>& aborted) {
            return statement::document(sheetOf2024(), dpi, aborted);
        });
        QTemporaryDir dir;
        dir.setAutoRemove(false);
        const QString path = dir.filePath("ryczalt.pdf");
        dialogs.answerSaveFileName(path);
        QCOMPARE(output.saveLastAsPdf(), path);

        int words = 0;
        QCOMPARE(test::wordsNearTheEdges(path, 5, words), QStringList());
        QVERIFY(words > 100);
    }

    // A job aborted before it starts draws nothing; aborted after the title, nothing more.
    void nothingAfterTheAbort() {
        QCOMPARE(statement::document(sheetOf2024(), 600, [] { return true; }).pages.first().texts.size(),
                 size_t(0));
        int asked = 0;
        const auto doc = statement::document(sheetOf2024(), 600, [&asked] { return ++asked > 1; });
        QCOMPARE(linesOf(doc.pages.first()).size(), 1);
    }
};

TARLOK_TEST_MAIN(StatementTest)
#include "tst_statement.moc"
