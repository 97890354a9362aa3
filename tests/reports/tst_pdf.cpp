// Painting Documents: a report written as PDF and read back with poppler's tools, the placement of
// items on an image, and the preview's "Zapisz jako PDF" action.
#include "platform/Dialogs.h"
#include "reports/engine/Painter.h"
#include "reports/engine/Preview.h"
#include "reports/engine/Report.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QLocale>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace tarlok::report;

namespace {

const QString kPangram = QStringLiteral("Zażółć gęślą jaźń");

// What a poppler tool prints for `args`; empty when it is not installed.
QString runTool(const QString& tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return QString();
    QProcess process;
    process.start(program, args);
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// A two-page trip register in miniature: 60 rows of 50 (53 fit on a page), the kilometres "0.00".
Document sampleDocument() {
    Report r(QStringLiteral("Przebieg pojazdu"));
    QList<Row> rows;
    for (int n = 1; n <= 60; ++n)
        rows.append(Row({{"Trasa", QStringLiteral("Kraków - Tarnów")}, {"Kilometry", n == 1 ? 120 : n}}));
    r.setData(DataSource::rows(rows));
    r.title().setHeight(100).label({0, 0, 1900, 0}, kPangram).setFont(Font{"Times New Roman", 12, true});
    r.detail().setHeight(50).rowNumber({0, 0, 60, 0});
    r.detail().field({100, 0, 700, 0}, QStringLiteral("Trasa"));
    r.detail().field({900, 0, 300, 0}, QStringLiteral("Kilometry")).setPattern("0.00").setAlign(Align::Right);
    r.summary().setHeight(50).label({0, 0, 0, 0}, QStringLiteral("Razem")).setFont(Font{"Arial", 9});
    r.pageFooter().setHeight(100).system({0, 0, 0, 0}, SystemData::PageNumber).setText("Strona %1 z %2");
    return r.layout();
}

// Whether some pixel of the rectangle (inclusive) is darker than mid-grey.
bool anyDark(const QImage& image, int x1, int y1, int x2, int y2) {
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            // Half inked counts: a hairline on the edge between two dots inks each of them by half.
            if (qGray(image.pixel(x, y)) <= 128)
                return true;
        }
    }
    return false;
}

} // namespace

class PdfTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    void pdfHoldsPolishTextAndEmbeddedLiberationFaces() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdffonts").isEmpty())
            QSKIP("poppler-utils (pdftotext, pdffonts) is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath("wydruk.pdf");
        QVERIFY(writePdf(sampleDocument(), path));

        const QString text = runTool("pdftotext", {"-layout", path, "-"});
        QVERIFY2(text.contains(kPangram), qPrintable(text.left(400)));
        QVERIFY(text.contains(QStringLiteral("120,00")));
        QVERIFY(text.contains(QStringLiteral("Strona 1 z 2")));
        QVERIFY(text.contains(QStringLiteral("Strona 2 z 2")));
        QVERIFY(text.contains(QStringLiteral("Razem")));
        QVERIFY(runTool("pdfinfo", {path}).contains(QRegularExpression("Pages:\\s+2\\n")));

        // pdffonts: name, type, encoding, then emb, sub, uni and the object number and generation.
        QStringList embedded;
        for (const QString& line : runTool("pdffonts", {path}).split('\n')) {
            const QStringList cells = line.split(' ', Qt::SkipEmptyParts);
            if (cells.size() > 5 && cells[cells.size() - 5] == QLatin1String("yes"))
                embedded.append(cells.first());
        }
        const QString faces = embedded.join(' ');
        QVERIFY2(faces.contains(QStringLiteral("LiberationSerif")), qPrintable(faces));
        QVERIFY2(faces.contains(QStringLiteral("LiberationSans")), qPrintable(faces));
    }

    void pdfToAPlaceThatCannotBeWrittenFails() {
        QVERIFY(!writePdf(sampleDocument(), QStringLiteral("/nonexistent-folder/wydruk.pdf")));
    }

    // At 254 dpi a tenth of a millimetre is one dot, so the sheet positions are the image's pixels.
    void itemsLandAtTheirSheetPositions() {
        Document doc;
        Page& page = doc.addPage();
        page.addFrame(QRectF(100, 100, 200, 100));
        page.addLine(QLineF(100, 400, 700, 400), 1.0);
        // A clipped text ends at its box; an unclipped one of the same length runs on.
        page.addText(QRectF(100, 600, 150, 60), QStringLiteral("MMMMMMMMMMMMMMMM"), Font{"Arial", 12});
        page.addText(QRectF(100, 800, 150, 60), QStringLiteral("MMMMMMMMMMMMMMMM"), Font{"Arial", 12},
                     Align::Left, false);

        QImage image(1000, 1000, QImage::Format_RGB32);
        image.setDotsPerMeterX(10000);
        image.setDotsPerMeterY(10000);
        image.fill(Qt::white);
        QVERIFY(paint(doc, image));

        QVERIFY(anyDark(image, 99, 150, 101, 150));   // frame, left side
        QVERIFY(anyDark(image, 299, 150, 301, 150));  // frame, right side
        QVERIFY(anyDark(image, 200, 99, 200, 101));   // frame, top
        QVERIFY(!anyDark(image, 110, 110, 290, 190)); // inside the frame
        QVERIFY(anyDark(image, 400, 396, 400, 404));  // the 1 pt rule at 40 mm
        QVERIFY(!anyDark(image, 400, 300, 400, 390));
        QVERIFY(anyDark(image, 100, 600, 250, 660));  // the clipped text inside its box
        QVERIFY(!anyDark(image, 252, 590, 999, 680)); // ... and nothing to its right
        QVERIFY(anyDark(image, 260, 800, 999, 860));  // the unclipped text runs on
    }

    void previewSavesThePdfWhereTheCallerSays() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        QTemporaryDir dir;
        QString answer;
        QStringList failures;
        Document doc = sampleDocument();
        doc.orientation = QPageLayout::Landscape;
        PreviewOptions options;
        options.windowTitle = QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU");
        options.askPdfFileName = [&answer] {
            return answer;
        };
        options.pdfFailed = [&failures](const QString& name) {
            failures.append(name);
        };
        const auto preview = makePreview(doc, options);

        QCOMPARE(preview->windowTitle(), options.windowTitle);
        QCOMPARE(preview->printer()->pageLayout().orientation(), QPageLayout::Landscape);
        auto* save = preview->findChild<QAction*>(QStringLiteral("zapiszJakoPdf"));
        QVERIFY(save);
        QCOMPARE(save->text(), QStringLiteral("Zapisz jako PDF"));

        answer.clear(); // the user cancelled the file question
        save->trigger();
        QVERIFY(QDir(dir.path()).isEmpty());

        answer = dir.filePath("podglad.pdf");
        save->trigger();
        QVERIFY(runTool("pdftotext", {"-layout", answer, "-"}).contains(kPangram));
        const QString info = runTool("pdfinfo", {answer});
        QVERIFY2(info.contains(QRegularExpression("Page size:\\s+842 x 595 pts")), qPrintable(info));

        answer = QStringLiteral("/nonexistent-folder/podglad.pdf");
        save->trigger();
        QCOMPARE(failures, QStringList{answer});
    }

    // The file dialog that asks for the PDF's name lists dates and sizes in Polish, not in the system's
    // locale (the tests run with LC_ALL=C.UTF-8, where the list would read "9 Dec 2026").
    void theFileDialogSpeaksPolish() {
        QTemporaryDir dir;
        QFile file(dir.filePath("zestawienie.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1536, 'x'));
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly)); // the time set once the writes are done
        QVERIFY(
            file.setFileTime(QDateTime(QDate(2026, 12, 9), QTime(10, 5)), QFileDevice::FileModificationTime));
        file.close();

        QFileDialog dialog(nullptr, QStringLiteral("Zapisz jako PDF"), dir.path());
        tarlok::useProgramLocale(dialog);
        auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(list);
        QAbstractItemModel* model = list->model();
        QModelIndex row;
        QTRY_VERIFY((row = model->index(0, 0, list->rootIndex())).isValid());
        QCOMPARE(row.data().toString(), QStringLiteral("zestawienie.pdf"));
        QCOMPARE(row.siblingAtColumn(3).data().toString(), QStringLiteral("9.12.2026 10:05"));
        QCOMPARE(row.siblingAtColumn(1).data().toString(), QStringLiteral("1,50 KiB"));
    }
};

QTEST_MAIN(PdfTest)
#include "tst_pdf.moc"
