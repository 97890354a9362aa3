// "Podgląd" beside "Drukuj zestawienie": the yearly summary's page in the preview, saved from there as a
// PDF file and read back with pdftotext -layout; the direct print stays as it was. March as worked out:
// trips 123 456,50 zł and 150 000 km, costs 200,00 zł with 46,00 zł of VAT counted.
#include "support/Files.h"
#include "support/RegisterDriver.h"
#include "support/TestApp.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace tarlok;
using tarlok::test::RegisterDriver;
using tarlok::test::TestApp;

namespace {

const QString kTitle = QStringLiteral("ZESTAWIENIE DANYCH DLA EWIDENCJI PRZEJAZDÓW");

std::unique_ptr<TestApp> summaryOfAYear() {
    auto app = TestApp::started();
    app->addVehicle(1, "KR 1", 1400, true, {{"Wlasciciel", QStringLiteral("Nowak Jan")}});
    app->addPeriod(2024, 5);
    app->seed("Przejazdy.db", {{"NrKol_Pojazdu", 1},
                               {"Rok", 2024},
                               {"Miesiac", 3},
                               {"Data", QDate(2024, 3, 4)},
                               {"Trasa", QStringLiteral("Kraków")},
                               {"WartoscSuma", 123456.5},
                               {"KilometrySuma", 150000}});
    app->seed("Koszty.db", {{"NrKol_Pojazdu", 1},
                            {"Rok", 2024},
                            {"Miesiac", 3},
                            {"Data", QDate(2024, 3, 5)},
                            {"Nr_Rachunku", "F"},
                            {"Wartosc", 200.0},
                            {"WartoscSuma", 200.0},
                            {"Pom2", 46.0}});
    app->openRegister();
    RegisterDriver(*app).chooseTab(RegisterDriver::Tab::Summary);
    app->dialogs.clear();
    return app;
}

QString run(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(tool), args);
    process.waitForFinished(-1);
    // Grouped numbers carry a no-break space; the page is read as a user reads it.
    return QString::fromUtf8(process.readAllStandardOutput()).replace(QChar(0x00A0), QLatin1Char(' '));
}

// The line of the text that starts (after blanks) with `start`.
QString lineStarting(const QString& text, const QString& start) {
    for (const QString& line : text.split('\n')) {
        if (line.trimmed().startsWith(start))
            return line;
    }
    return QString();
}

// True when the texts stand in the line in this order.
bool inOrder(const QString& line, const QStringList& texts) {
    qsizetype at = 0;
    for (const QString& t : texts) {
        at = line.indexOf(t, at);
        if (at < 0)
            return false;
        at += t.size();
    }
    return true;
}

} // namespace

class SummaryPdfTest : public QObject {
    Q_OBJECT

private slots:
    // The page is previewed, not printed, under the summary's title; "Zapisz jako PDF" writes a file
    // holding the title, the owner line, the three heading lines and the months with the grid's
    // figures. A file that cannot be written is named in a message box.
    void thePreviewSavedAsPdf() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        auto app = summaryOfAYear();
        RegisterDriver reg(*app);
        reg.press(RegisterDriver::Button::PreviewSummary);
        QCOMPARE(app->output.count(), 1);
        QVERIFY(!app->output.last().printed);
        QCOMPARE(app->output.last().title, kTitle);
        QCOMPARE(app->output.last().document.orientation, QPageLayout::Landscape);

        QTemporaryDir dir;
        dir.setAutoRemove(false);
        const QString path = dir.filePath("zestawienie.pdf");
        app->dialogs.answerSaveFileName(path);
        QCOMPARE(app->output.saveLastAsPdf(), path);
        QCOMPARE(app->dialogs.texts(), QStringList());
        const auto& asked = app->dialogs.saveRequests().last();
        QCOMPARE(asked.caption, QStringLiteral("Zapisz jako PDF"));
        QVERIFY(asked.suggestedName.endsWith(kTitle + QStringLiteral(".pdf")));

        const QString text = run("pdftotext", {"-layout", path, "-"});
        QVERIFY2(text.contains(kTitle), qPrintable(text));
        QVERIFY(inOrder(lineStarting(text, "Właściciel:"), {"Właściciel: Nowak Jan", "Dane pojazdu:KR 1"}));
        QVERIFY(inOrder(lineStarting(text, "MIESIĄC"), {"MIESIĄC", "Wartość", "Wartość", "Koszty", "Km", "Km",
                                                        "Wydatki na", "Zużyte", "VAT", "Zużycie"}));
        QVERIFY(inOrder(lineStarting(text, "przejazdów"),
                        {"przejazdów", "przejazdów", "miesięczne", "narastająco", "zaliczone", "m-c",
                         "narast.", "paliwo", "paliwo[dm3]", "paliwo[dm3]", "[zł]", "paliwa"}));
        QVERIFY(inOrder(lineStarting(text, "miesięcznie"), {"miesięcznie", "narastająco", "m-c", "100 km"}));
        QVERIFY(inOrder(lineStarting(text, "Styczeń"), {"Styczeń", "0,00", "0,00", "0", "0"}));
        const QString march = lineStarting(text, "Marzec");
        QVERIFY2(inOrder(march, {"Marzec", "123 456,50", "123 456,50", "200,00", "200,00", "200,00", "200,00",
                                 "150 000", "150 000", "0,00", "0,00", "0,00", "0,00", "46,00"}),
                 qPrintable(march));
        // The running values carried into April.
        QVERIFY(
            inOrder(lineStarting(text, "Kwiecień"), {"Kwiecień", "0,00", "123 456,50", "0,00", "200,00"}));
        QVERIFY(inOrder(text, {"Styczeń", "Luty", "Marzec", "Kwiecień", "Maj", "Czerwiec", "Lipiec",
                               "Sierpień", "Wrzesień", "Październik", "Listopad", "Grudzień"}));

        // The page stands inside the margins: no word closer than 5 mm to an edge of the sheet, where a
        // printer of the file would cut it.
        int words = 0;
        QCOMPARE(test::wordsNearTheEdges(path, 5, words), QStringList());
        QVERIFY(words > 200);

        QFile plain(dir.filePath("plik"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        const QString failing = dir.filePath("plik/zestawienie.pdf");
        app->dialogs.answerSaveFileName(failing);
        app->output.saveLastAsPdf();
        QCOMPARE(app->dialogs.texts(),
                 QStringList{QStringLiteral("Nie można zapisać pliku \"%1\".").arg(failing)});
        QCOMPARE(app->dialogs.last().caption, QStringLiteral("Błąd"));
    }
};

TARLOK_TEST_MAIN(SummaryPdfTest)
#include "tst_summarypdf.moc"
