// The notes window and its printout: the year label, the memo as an edit of the deadlines window's
// current row (stored by that window's save, never by the notes window), and the notes printed whole.
#include "DeadlineFixture.h"

#include "deadlines/TInformacjeNotatki.h"
#include "deadlines/TTerminyDruk.h"
#include "platform/ScriptedDialogs.h"
#include "reports/engine/Painter.h"
#include "support/Typing.h"
#include "ui_TInformacjeNotatki.h"
#include "widgets/DbMemo.h"
#include "widgets/DbText.h"

#include <QImage>
#include <QPushButton>

using namespace tarlok;
using namespace tarlok::test;

namespace {

const QString kCar1 = QStringLiteral("KR 1234A Marka1 Auto1 poj. 1400");

// "&Informacja" with the year box's text: `script` acts in the notes window while it is shown.
void openNotes(TestApp& app, const QString& yearText,
               const std::function<void(Ui::TInformacjeNotatki*)>& script) {
    auto ran = std::make_shared<bool>(false);
    app.dialogs.onModal("tarlok::TInformacjeNotatki", [script, ran](QWidget* window) {
        *ran = true;
        script(qobject_cast<TInformacjeNotatki*>(window)->ui());
    });
    app.forms().InformacjeNotatki->showForYear(yearText);
    QVERIFY(*ran);
}

// Types lines at the end of the memo, Enter between them.
void typeLines(DbMemo* memo, const QStringList& lines) {
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(memo, Qt::Key_Return);
        typeText(memo, lines[i]);
    }
}

// The note put into the memo (as a paste does) and printed with "&Drukuj".
report::Document printNotes(TestApp& app, const QString& notes) {
    openNotes(app, "2024", [notes](Ui::TInformacjeNotatki* ui) {
        ui->DBMemo1->setPlainText(notes);
        QTest::mouseClick(ui->Drukuj, Qt::LeftButton);
    });
    return app.output.last().document;
}

// The text blocks (142 mm wide) of every page, in order.
QList<const report::TextItem*> blocks(const report::Document& doc) {
    QList<const report::TextItem*> out;
    for (const report::Page& page : doc.pages)
        for (const report::TextItem& t : page.texts)
            if (t.rect.width() == 1420)
                out.append(&t);
    return out;
}

QStringList printedLines(const report::Document& doc) {
    QStringList out;
    for (const report::TextItem* t : blocks(doc))
        out += t->text.split('\n');
    return out;
}

} // namespace

class NotesTest : public QObject {
    Q_OBJECT

private slots:
    // "Rok podatkowy " and exactly the year box's text (also a year typed during an edit), the vehicle
    // at the top, the buttons' hints.
    void yearLabelFromTheYearBox() {
        auto app = deadlineFirm();
        for (const QString& year : {QString("2024"), QString("2023"), QString(" 2023 ")})
            openNotes(*app, year, [year](Ui::TInformacjeNotatki* ui) {
                QCOMPARE(ui->LabelRokPodatkowy->text(), "Rok podatkowy " + year);
                QCOMPARE(ui->DBTextDanePojazdu->text(), kCar1);
                QCOMPARE(ui->Drukuj->toolTip(),
                         QString("Drukowanie na ekranie(drukarce) notatek i informacji"));
                QCOMPARE(ui->Zamknij->toolTip(), QString("Zamknięcie formatki i powrót do terminów"));
            });
        QCOMPARE(app->forms().InformacjeNotatki->windowTitle(), QString("INFORMACJE I NOTATKI"));
    }

    // The memo shows the current deadlines row's notes; typing starts an edit of that row; "&Zamknij"
    // stores and drops nothing, and the deadlines window's save stores the text.
    void typingEditsTheDeadlinesRow() {
        auto app = deadlineFirm();
        addDeadline(*app, 1, 2023, {{"Informacje", "Stary rok"}});
        addDeadline(*app, 1, 2024, {{"Informacje", "Opony zimowe"}});
        Table& deadlines = openDeadlinesView(*app);
        deadlines.last();
        openNotes(*app, "2024", [&deadlines](Ui::TInformacjeNotatki* ui) {
            QCOMPARE(ui->DBMemo1->text(), QString("Opony zimowe"));
            typeLines(ui->DBMemo1, {"", "Klocki hamulcowe - ząb"});
            QCOMPARE(deadlines.state(), Table::State::Edit);
            QTest::mouseClick(ui->Zamknij, Qt::LeftButton);
            QVERIFY(!ui->Zamknij->window()->isVisible());
        });
        QCOMPARE(deadlines.state(), Table::State::Edit);
        QCOMPARE(app->rows("Terminy.db").at(1).value("Informacje"), QVariant("Opony zimowe"));

        deadlines.post(); // the deadlines window's "&Zapisz"
        QCOMPARE(app->rows("Terminy.db").at(1).value("Informacje"),
                 QVariant("Opony zimowe\nKlocki hamulcowe - ząb"));
        QCOMPARE(app->rows("Terminy.db").at(0).value("Informacje"), QVariant("Stary rok"));
    }

    // "&Drukuj": three typed lines with Polish letters printed with their breaks in one framed block,
    // 100 mm high, holding the text 142 mm wide and 95 mm high; the window closes after the preview.
    void printsTheNoteWithItsLines() {
        auto app = deadlineFirm();
        const QStringList typed{"Wymiana oleju i filtrów: 12.03.2024",
                                "Żarówki świateł mijania - ćwierć ceny", "Łożysko koła źle osadzone"};
        openNotes(*app, "2024", [&typed](Ui::TInformacjeNotatki* ui) {
            typeLines(ui->DBMemo1, typed);
            QTest::mouseClick(ui->Drukuj, Qt::LeftButton);
            QVERIFY(!ui->Drukuj->window()->isVisible());
        });
        QCOMPARE(app->output.count(), 1);
        QCOMPARE(app->output.last().title, QString("Informacje i Notatki"));
        const report::Document& doc = app->output.last().document;
        QCOMPARE(lines(doc),
                 (QList<QStringList>{
                     {"Informacje i Notatki"}, {kCar1}, {typed.join('\n')}, {kDeadlineSignature}}));
        const report::Page& page = doc.pages.first();
        QCOMPARE(page.lines.size(), size_t(4));
        QCOMPARE(page.lines[2].line.y1() - page.lines[0].line.y1(), 1000.0); // bottom - top
        QCOMPARE(blocks(doc).first()->rect.size(), QSizeF(1420, 950));
    }

    // A note of 150 lines is printed whole: the block goes on in further blocks framed the same way
    // over several pages. Painted, a full block's lines end above its lower frame.
    void longNoteOverSeveralPages() {
        auto app = deadlineFirm();
        QStringList note;
        for (int n = 1; n <= 150; ++n)
            note.append(QStringLiteral("%1. Wymiana części nr %1 - zapłacono gotówką").arg(n));
        report::Document doc = printNotes(*app, note.join('\n'));
        QCOMPARE(printedLines(doc), note);
        QVERIFY(doc.pageCount() >= 3);
        for (const report::Page& page : doc.pages)
            QCOMPARE(int(page.lines.size()),
                     4 * int(std::count_if(page.texts.begin(), page.texts.end(),
                                           [](auto& t) { return t.rect.width() == 1420; })));

        doc.pages.resize(1);
        const report::TextItem& block = *blocks(doc).first();
        const double frameBottom = doc.pages[0].lines[2].line.y1();
        const double textBottom =
            block.rect.top() + (block.text.count('\n') + 1) * report::Measure(1200).lineHeight(block.font);
        QVERIFY(textBottom <= frameBottom);
        QImage image(1654, 2339, QImage::Format_RGB32); // A4 at 200 dpi
        image.setDotsPerMeterX(7874);
        image.setDotsPerMeterY(7874);
        image.fill(Qt::white);
        QVERIFY(report::paint(doc, image));
        auto px = [](double tenths) {
            return int(tenths * 200 / 254.0);
        };
        int dark = 0;
        for (int y = px(textBottom + 6); y < px(frameBottom - 3); ++y)
            for (int x = px(block.rect.left()); x < px(block.rect.right()); ++x)
                dark += qGray(image.pixel(x, y)) < 128;
        QCOMPARE(dark, 0);
    }

    // Odd notes: an empty memo prints one empty framed block; a blank line stays one blank line; a word
    // of 300 letters breaks where it must and is printed whole within the block.
    void oddNotes() {
        auto app = deadlineFirm();
        const report::Document empty = printNotes(*app, QString());
        QCOMPARE(printedLines(empty), QStringList{""});
        QCOMPARE(empty.pages.first().lines.size(), size_t(4));

        const QString word = QString("Zażółćgęśląjaźń").repeated(20);
        const report::Document doc = printNotes(*app, "Przed\n\n" + word + "\nPo");
        const QStringList printed = printedLines(doc);
        QVERIFY(printed.size() >= 5);
        QCOMPARE(printed.mid(0, 2), (QStringList{"Przed", ""}));
        QCOMPARE(printed.mid(2, printed.size() - 3).join(QString()), word);
        QCOMPARE(printed.last(), QString("Po"));
        const report::Measure measure(1200);
        for (const QString& line : printed)
            QVERIFY(measure.width(line, blocks(doc).first()->font) <= 1420);
    }
};

TARLOK_TEST_MAIN(NotesTest)
#include "tst_notes.moc"
