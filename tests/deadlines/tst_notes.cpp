// The notes window and its printout: the year label, the memo as an edit of the deadlines window's
// current row (stored by that window's save, never by the notes window), and the notes printed whole:
// line breaks and Polish letters kept, a long note going on in further framed blocks, odd text.
#include "DeadlineFixture.h"

#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TInformacjeNotatkiDruk.h"
#include "deadlines/TTerminyDruk.h"
#include "platform/ScriptedDialogs.h"
#include "support/Typing.h"
#include "ui_TInformacjeNotatki.h"
#include "widgets/DbMemo.h"
#include "widgets/DbText.h"

#include "reports/engine/Painter.h"

#include <QImage>
#include <QPushButton>

using namespace tarlok;
using namespace tarlok::test;

namespace {

const QString kNotesWindow = QStringLiteral("tarlok::TInformacjeNotatki");
const QString kCar1 = QStringLiteral("KR 1234A Marka1 Auto1 poj. 1400");

// "&Informacja" with the year box's text: while the notes window is shown, `script` acts in it.
void openNotes(TestApp& app, const QString& yearText, std::function<void(Ui::TInformacjeNotatki*)> script) {
    auto ran = std::make_shared<bool>(false);
    app.dialogs.onModal(kNotesWindow, [script = std::move(script), ran](QWidget* window) {
        *ran = true;
        auto* notes = qobject_cast<TInformacjeNotatki*>(window);
        QVERIFY(notes);
        script(notes->ui());
    });
    app.forms().InformacjeNotatki->showForYear(yearText);
    QVERIFY(*ran);
}

// Types lines into the memo at its end, Enter between them, as the user does.
void typeLines(DbMemo* memo, const QStringList& lines) {
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        typeText(memo, lines[i]);
    }
}

// The notes typed into the memo and printed with "&Drukuj": the preview's document.
report::Document printNotes(TestApp& app, const QString& notes) {
    const int before = app.output.count();
    openNotes(app, QStringLiteral("2024"), [notes](Ui::TInformacjeNotatki* ui) {
        ui->DBMemo1->setPlainText(notes);
        QTest::mouseClick(ui->Drukuj, Qt::LeftButton);
    });
    if (app.output.count() != before + 1)
        qFatal("the notes were not previewed");
    return app.output.last().document;
}

// The printed text blocks of every page, in order.
QList<const report::TextItem*> blocks(const report::Document& doc) {
    QList<const report::TextItem*> out;
    for (const report::Page& page : doc.pages)
        for (const report::TextItem& t : page.texts)
            if (t.rect.width() == 1420)
                out.append(&t);
    return out;
}

// The printed lines of every block, one after another.
QStringList printedLines(const report::Document& doc) {
    QStringList out;
    for (const report::TextItem* t : blocks(doc))
        out += t->text.split(QLatin1Char('\n'));
    return out;
}

// Every block's lines lie inside its frame: below the frame's top, above its bottom, within the width.
void verifyBlocksInsideFrames(const report::Document& doc) {
    const report::Measure measure(1200);
    for (const report::Page& page : doc.pages) {
        QList<double> rules;
        for (const report::LineItem& l : page.lines)
            if (l.line.y1() == l.line.y2())
                rules.append(l.line.y1());
        std::sort(rules.begin(), rules.end());
        for (const report::TextItem& t : page.texts) {
            if (t.rect.width() != 1420)
                continue;
            const auto below = std::upper_bound(rules.begin(), rules.end(), t.rect.top());
            QVERIFY(below != rules.begin() && below != rules.end());
            const double bottom =
                t.rect.top() + t.text.count('\n') * measure.lineHeight(t.font) + measure.lineHeight(t.font);
            QVERIFY2(bottom <= *below,
                     qPrintable(QString("text to %1, frame at %2").arg(bottom).arg(*below)));
            QVERIFY(t.rect.left() > 100 && t.rect.right() < 2000);
            for (const QString& line : t.text.split('\n'))
                QVERIFY(measure.width(line, t.font) <= t.rect.width() + 0.01);
        }
    }
}

} // namespace

class NotesTest : public QObject {
    Q_OBJECT

private slots:
    // The window as "&Informacja" opens it: its caption and buttons, the vehicle at the top, and the
    // year label with exactly the year box's text, also a year typed during an edit.
    void yearLabelFromTheYearBox() {
        auto app = deadlineFirm();
        openNotes(*app, "2024", [](Ui::TInformacjeNotatki* ui) {
            QCOMPARE(ui->LabelRokPodatkowy->text(), QString("Rok podatkowy 2024"));
            QCOMPARE(ui->DBTextDanePojazdu->text(), kCar1);
            QCOMPARE(ui->Drukuj->text(), QString("&Drukuj"));
            QCOMPARE(ui->Drukuj->toolTip(), QString("Drukowanie na ekranie(drukarce) notatek i informacji"));
            QCOMPARE(ui->Zamknij->text(), QString("&Zamknij"));
            QCOMPARE(ui->Zamknij->toolTip(), QString("Zamknięcie formatki i powrót do terminów"));
            QCOMPARE(ui->LabelRokPodatkowy->font().family(), QString("Times New Roman"));
        });
        QCOMPARE(app->forms().InformacjeNotatki->windowTitle(), QString("INFORMACJE I NOTATKI"));
        openNotes(*app, "2023", [](Ui::TInformacjeNotatki* ui) {
            QCOMPARE(ui->LabelRokPodatkowy->text(), QString("Rok podatkowy 2023"));
        });
        openNotes(*app, " 2023 ", [](Ui::TInformacjeNotatki* ui) {
            QCOMPARE(ui->LabelRokPodatkowy->text(), QString("Rok podatkowy  2023 "));
        });
        QCOMPARE(app->dialogs.modalShows().count(kNotesWindow), 3);
    }

    // The memo shows the current deadlines row's notes; typing starts an edit of that row. "&Zamknij"
    // stores nothing and drops nothing: the row stays pending with the text, and the deadlines window's
    // save stores it.
    void typingEditsTheDeadlinesRow() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2023, {{"Informacje", QStringLiteral("Stary rok")}});
        addDeadline(*app, 1, 2024, {{"Informacje", QStringLiteral("Opony zimowe")}});
        Table& deadlines = openDeadlinesView(*app);
        deadlines.last();

        openNotes(*app, "2024", [&deadlines](Ui::TInformacjeNotatki* ui) {
            QCOMPARE(ui->DBMemo1->text(), QString("Opony zimowe"));
            QCOMPARE(deadlines.state(), Table::State::Browse);
            typeLines(ui->DBMemo1, {"", "Klocki hamulcowe - ząb"});
            QCOMPARE(deadlines.state(), Table::State::Edit);
            QTest::mouseClick(ui->Zamknij, Qt::LeftButton);
            QVERIFY(!ui->Zamknij->window()->isVisible());
        });
        QCOMPARE(deadlines.state(), Table::State::Edit);
        QCOMPARE(app->rows("Terminy.db").at(1).value("Informacje").toString(), QString("Opony zimowe"));

        // The deadlines window's save posts the row.
        deadlines.post();
        QCOMPARE(app->rows("Terminy.db").at(1).value("Informacje").toString(),
                 QString("Opony zimowe\nKlocki hamulcowe - ząb"));
        QCOMPARE(app->rows("Terminy.db").at(0).value("Informacje").toString(), QString("Stary rok"));
    }

    // "&Drukuj": the memo's whole text, typed in three lines with Polish letters, printed with its line
    // breaks in the framed block under the title and the vehicle; the window closes after the preview.
    void printsTheNoteWithItsLines() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2024);
        openDeadlinesView(*app);
        const QStringList typed{"Wymiana oleju i filtrów: 12.03.2024",
                                "Żarówki świateł mijania - ćwierć ceny", "Łożysko koła źle osadzone"};
        openNotes(*app, "2024", [&typed](Ui::TInformacjeNotatki* ui) {
            typeLines(ui->DBMemo1, typed);
            QTest::mouseClick(ui->Drukuj, Qt::LeftButton);
            QVERIFY(!ui->Drukuj->window()->isVisible());
        });
        QCOMPARE(app->output.count(), 1);
        QCOMPARE(app->output.last().printed, false);
        QCOMPARE(app->output.last().title, QString("Informacje i Notatki"));
        const report::Document& doc = app->output.last().document;
        QCOMPARE(doc.pageCount(), 1);
        QCOMPARE(lines(doc),
                 (QList<QStringList>{
                     {"Informacje i Notatki"}, {kCar1}, {typed.join('\n')}, {kDeadlineSignature}}));
        const report::Page& page = doc.pages.first();
        QCOMPARE(page.find("Informacje i Notatki")->font.points, 12.0);
        QVERIFY(page.find("Informacje i Notatki")->font.bold);
        QCOMPARE(page.find(kDeadlineSignature)->font.points, 6.0);

        // The block: a band of 100 mm framed on four sides across the print width, the text 142 mm wide
        // and 95 mm high inside it.
        QCOMPARE(page.lines.size(), size_t(4));
        QList<double> ys;
        for (const report::LineItem& l : page.lines)
            if (l.line.y1() == l.line.y2())
                ys.append(l.line.y1());
        std::sort(ys.begin(), ys.end());
        QCOMPARE(ys.size(), 2);
        QCOMPARE(ys[1] - ys[0], 1000.0);
        const report::TextItem* block = blocks(doc).first();
        QCOMPARE(block->rect.size(), QSizeF(1420, 950));
        QVERIFY(block->rect.top() > ys[0] && block->rect.bottom() <= ys[1]);
    }

    // A blank line of the note stays one blank line on paper.
    void blankLinesKept() {
        auto app = deadlineFirm();
        const report::Document doc = printNotes(*app, "Pierwszy akapit\n\nTrzeci wiersz\n");
        QCOMPARE(printedLines(doc), (QStringList{"Pierwszy akapit", "", "Trzeci wiersz", ""}));
    }

    // A note of 150 lines is printed whole: the block goes on in further blocks framed the same way,
    // over several pages, every line in its order and inside its frame.
    void longNoteOverSeveralPages() {
        auto app = deadlineFirm();
        QStringList note;
        for (int n = 1; n <= 150; ++n)
            note.append(QStringLiteral("%1. Wymiana części nr %1 - zapłacono gotówką").arg(n));
        const report::Document doc = printNotes(*app, note.join('\n'));
        QCOMPARE(printedLines(doc), note);
        QVERIFY(doc.pageCount() >= 3);
        QVERIFY(blocks(doc).size() >= 6);
        for (const report::Page& page : doc.pages) {
            QVERIFY(page.find(kDeadlineSignature));
            // Each block of the page has its four sides.
            int blocksOnPage = 0;
            for (const report::TextItem& t : page.texts)
                blocksOnPage += t.rect.width() == 1420;
            QCOMPARE(int(page.lines.size()), 4 * blocksOnPage);
        }
        verifyBlocksInsideFrames(doc);
        QVERIFY(doc.pages[0].find("Informacje i Notatki"));
    }

    // Painted, the lines of a full block stand at the laid-out spacing: the last one ends above the
    // block's lower frame, with nothing painted between them.
    void paintedLinesStayInTheirBlock() {
        auto app = deadlineFirm();
        QStringList note;
        for (int n = 1; n <= 60; ++n)
            note.append(QStringLiteral("Wiersz %1 notatki o częściach").arg(n));
        report::Document doc = printNotes(*app, note.join('\n'));
        doc.pages.resize(1);
        const report::TextItem* block = blocks(doc).first();
        const int count = int(block->text.count('\n')) + 1;
        QVERIFY(count >= 20);
        double frameBottom = 0;
        for (const report::LineItem& l : doc.pages.first().lines)
            if (l.line.y1() == l.line.y2() && l.line.y1() > block->rect.top() && frameBottom == 0)
                frameBottom = l.line.y1();
        QVERIFY(frameBottom > 0);
        const double textBottom = block->rect.top() + count * report::Measure(1200).lineHeight(block->font);

        constexpr int kDpi = 200;
        QImage image(1654, 2339, QImage::Format_RGB32);
        image.setDotsPerMeterX(7874);
        image.setDotsPerMeterY(7874);
        image.fill(Qt::white);
        QVERIFY(report::paint(doc, image));
        auto px = [](double tenths) {
            return int(tenths * kDpi / 254.0);
        };
        int dark = 0;
        for (int y = px(textBottom + 6); y < px(frameBottom - 3); ++y)
            for (int x = px(block->rect.left()); x < px(block->rect.right()); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        QCOMPARE(dark, 0);
        // ...and the block's lines are painted at all.
        int inked = 0;
        for (int y = px(block->rect.top()); y < px(textBottom); ++y)
            for (int x = px(block->rect.left()); x < px(block->rect.right()); ++x)
                inked += qGray(image.pixel(x, y)) < 128;
        QVERIFY(inked > 1000);
    }

    // Odd notes never crash: an empty memo prints one empty framed block; a word of 300 letters breaks
    // wherever it must and is printed whole within the block's width.
    void oddNotes() {
        auto app = deadlineFirm();
        const report::Document empty = printNotes(*app, QString());
        QCOMPARE(empty.pageCount(), 1);
        QCOMPARE(blocks(empty).size(), 1);
        QCOMPARE(blocks(empty).first()->text, QString());
        QCOMPARE(empty.pages.first().lines.size(), size_t(4));

        const QString word = QString("Zażółćgęśląjaźń").repeated(20);
        QCOMPARE(word.size(), 300);
        const report::Document doc = printNotes(*app, "Przed\n" + word + "\nPo");
        const QStringList printed = printedLines(doc);
        QVERIFY(printed.size() >= 4);
        QCOMPARE(printed.first(), QString("Przed"));
        QCOMPARE(printed.last(), QString("Po"));
        QCOMPARE(printed.mid(1, printed.size() - 2).join(QString()), word);
        verifyBlocksInsideFrames(doc);
    }
};

TARLOK_TEST_MAIN(NotesTest)
#include "tst_notes.moc"
