// The print window and the trip register, cost statement and statement of bills, driven as the user
// does: the register opened on a vehicle, "Formularz Wydruków" with its year, month, report choice and
// options, "Drukuj"; what was sent to the printer or the preview is read back. Amounts worked by hand.
#include "PrintoutFixture.h"

#include "core/Forms.h"
#include "data/SharedData.h"
#include "deadlines/TTerminyDruk.h"
#include "reports/TWydruk_Ewidencja.h"
#include "reports/engine/Painter.h"
#include "store/Table.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace tarlok;
using namespace tarlok::test;

namespace {

using Box = RegisterDriver::Box;
using Button = RegisterDriver::Button;
using Tab = RegisterDriver::Tab;

// The left edge of the trip register's LP column on the sheet: margin 10 mm + 1 mm.
constexpr double kLpLeft = 110.0;

QString runTool(const QString& tool, const QStringList& args) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return QString();
    QProcess process;
    process.start(program, args);
    process.waitForFinished(-1);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Three May trips of vehicle 1 at 0.8358 zł/km: 120 km = 100,30 zł, 35 km = 29,25 zł (29,253),
// 250 km = 208,95 zł; together 405 km and 338,50 zł. An April trip and a trip of vehicle 2 stay out.
void threeMayTrips(TestApp& app) {
    addTrip(app, QDate(2024, 5, 6), 120, 0.8358, 100.30, {{"Pom1", QStringLiteral("Umowa 7/2024")}});
    addTrip(app, QDate(2024, 5, 13), 35, 0.8358, 29.25);
    addTrip(app, QDate(2024, 5, 27), 250, 0.8358, 208.95);
    addTrip(app, QDate(2024, 4, 29), 77, 0.8358, 64.36);
    addTrip(app, QDate(2024, 5, 7), 99, 0.5214, 51.62, {}, 2);
}

// Texts that run over a vertical rule or frame side of the page beside them, or are cut by their own
// box: each line's ink measured in its font, where its alignment puts it, against the rules that stand
// beside that line.
QStringList overRules(const Document& doc) {
    const report::Measure measure(1200);
    QList<QLineF> rules;
    for (const report::Page& page : doc.pages) {
        for (const report::LineItem& l : page.lines)
            if (l.line.x1() == l.line.x2())
                rules.append(l.line);
        for (const report::FrameItem& f : page.frames) {
            rules.append(QLineF(f.rect.topLeft(), f.rect.bottomLeft()));
            rules.append(QLineF(f.rect.topRight(), f.rect.bottomRight()));
        }
    }
    QStringList out;
    for (const report::Page& page : doc.pages) {
        for (const report::TextItem& t : page.texts) {
            const QStringList lines = t.text.split('\n');
            const double height = t.lineHeight > 0 ? t.lineHeight : measure.lineHeight(t.font);
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const double w = measure.width(lines[i], t.font);
                const double left = t.align == report::Align::Right    ? t.rect.right() - w
                                    : t.align == report::Align::Centre ? t.rect.center().x() - w / 2
                                                                       : t.rect.left();
                const double middle = t.rect.top() + (double(i) + 0.5) * height;
                if (t.clip && (left < t.rect.left() - 0.5 || left + w > t.rect.right() + 0.5))
                    out.append(lines[i] + " cut");
                for (const QLineF& r : rules) {
                    if (std::min(r.y1(), r.y2()) <= middle && middle <= std::max(r.y1(), r.y2()) &&
                        left + 0.5 < r.x1() && r.x1() < left + w - 0.5)
                        out.append(lines[i] + " over " + QString::number(r.x1() / 10) + " mm");
                }
            }
        }
    }
    return out;
}

} // namespace

class PrintoutsTest : public QObject {
    Q_OBJECT

private slots:
    // ------------------------------------------------------------------ trip register (report 0)

    void tripRegisterListsTheMonthWithItsSums() {
        auto app = firm();
        threeMayTrips(*app);
        printFromWindow(*app, {0, QStringLiteral("Maj"), QStringLiteral("2024"), {}});

        QCOMPARE(app->output.count(), 1);
        const auto& sent = app->output.last();
        QVERIFY(!sent.printed);
        QCOMPARE(sent.title, QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU"));
        QCOMPARE(sent.document.title, QStringLiteral("Przebieg_Pojazdu_Ewidencja"));
        QCOMPARE(sent.document.pageCount(), 1);
        const QStringList all = texts(sent.document);
        QVERIFY(all.contains("Ewidencja przebiegu pojazdu"));
        QVERIFY(all.contains("Jan Kowalski"));
        QVERIFY(all.contains("ul. Długa 5, 30-001 Kraków"));
        QVERIFY(all.contains("Za miesiąc Maj 2024r."));
        QVERIFY(followedBy(all, "Numer rejestracyjny pojazdu:", "KR 1234A"));
        QVERIFY(followedBy(all, "Pojemność silnika:", "1400 cm3"));
        QCOMPARE(column(sent.document.pages[0], kLpLeft), (QStringList{"LP", "1", "2", "3"}));
        QVERIFY(all.contains("120,00"));
        QVERIFY(all.contains("Umowa 7/2024"));
        QCOMPARE(all.count("0,8358"), 4); // three rows and the last row's rate in the summary
        QVERIFY(!all.contains("77,00"));  // April
        QVERIFY(!all.contains("99,00"));  // vehicle 2
        // Razem, the kilometres, the last rate, the amounts.
        const qsizetype razem = all.indexOf("Razem");
        QVERIFY(razem > 0);
        QCOMPARE(all.mid(razem, 4), (QStringList{"Razem", "405,00", "0,8358", "338,50"}));
        QVERIFY(all.contains("Strona 1 z 1"));
    }

    // 200 trips of 10 km (8,36 zł each). Page 1: rows from 10 + 40 (title) + 9 (header) = 59 mm to
    // 297 - 10 - 4 (footer) = 283 mm, 7,2 mm each: 31 rows. Later pages from 19 mm: 36 rows. So
    // 31 + 4 x 36 = 175 rows on five pages and rows 176-200 with the summary on page 6.
    void aLongMonthRunsOverPagesNumberedWithoutLosingRows() {
        auto app = firm();
        for (int n = 1; n <= 200; ++n)
            addTrip(*app, QDate(2024, 5, 1 + (n - 1) / 7), 10, 0.8358, 8.36);
        printFromWindow(*app, {0, QStringLiteral("Maj"), QStringLiteral("2024"), {}});

        const Document& doc = app->output.last().document;
        QCOMPARE(doc.pageCount(), 6);
        QStringList numbers;
        for (int p = 0; p < doc.pageCount(); ++p) {
            const QStringList page = doc.pages[p].readingOrder();
            QVERIFY2(page.contains(QStringLiteral("Strona %1 z 6").arg(p + 1)),
                     qPrintable(QString::number(p)));
            QCOMPARE(page.contains("LP"), true); // the table header on every page
            QStringList lp = column(doc.pages[p], kLpLeft);
            lp.removeAll("LP");
            // Every row whole on its page: its number and its kilometres together.
            QCOMPARE(page.count("10,00"), lp.size());
            numbers += lp;
            QCOMPARE(page.contains("Razem"), p == 5);
        }
        QCOMPARE(column(doc.pages[0], kLpLeft).last(), QStringLiteral("31"));
        QStringList expected;
        for (int n = 1; n <= 200; ++n)
            expected.append(QString::number(n));
        QCOMPARE(numbers, expected);
        const QStringList all = texts(doc);
        QCOMPARE(all.count("Razem"), 1);
        QCOMPARE(all.mid(all.indexOf("Razem"), 4), (QStringList{"Razem", "2000,00", "0,8358", "1672,00"}));
    }

    void theFontOptionSetsTheDataSize_data() {
        QTest::addColumn<bool>("larger");
        QTest::addColumn<double>("points");
        QTest::newRow("as laid out") << false << 7.0;
        QTest::newRow("Zwiększ czcionkę wydruku danych") << true << 8.0;
    }
    void theFontOptionSetsTheDataSize() {
        QFETCH(bool, larger);
        QFETCH(double, points);
        auto app = firm();
        threeMayTrips(*app);
        // Checked first, so that the unchecked row proves the size goes back.
        auto setOption = [larger](Ui::TFormularzWydrukow* ui) {
            if (!ui->CheckBoxZwiekszCzcionkeWydruku->isChecked())
                ui->CheckBoxZwiekszCzcionkeWydruku->click();
            if (!larger)
                ui->CheckBoxZwiekszCzcionkeWydruku->click();
        };
        printFromWindow(*app, {0, QStringLiteral("Maj"), QStringLiteral("2024"), setOption});
        const report::Page& page = app->output.last().document.pages[0];
        for (const QString& text :
             {QStringLiteral("120,00"), QStringLiteral("Kraków - Łódź"), QStringLiteral("100,30")})
            QCOMPARE(page.find(text)->font.points, points);
        QCOMPARE(page.find("405,00")->font.points, 8.0); // the summary keeps its size
        QCOMPARE(page.find("OPIS TRASY WYJAZDU")->font.points, 8.0);
    }

    // ------------------------------------------------------------------ options and refusals

    void hidingTheVehicleKeepsTheCapacityLine_data() {
        QTest::addColumn<int>("report");
        QTest::addColumn<QStringList>("hidden");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("trip register") << 0 << QStringList{"Numer rejestracyjny pojazdu:", "KR 1234A"}
                                       << QStringList{"Pojemność silnika:", "1400 cm3", "Jan Kowalski"};
        QTest::newRow("cost statement")
            << 1 << QStringList{"Numer rejestracyjny pojazdu:", "KR 1234A", "Marka pojazdu:", "Marka1"}
            << QStringList{"Jan Kowalski"};
        QTest::newRow("statement of bills")
            << 2 << QStringList{"Numer rejestracyjny pojazdu:", "KR 1234A", "Marka pojazdu:", "Marka1"}
            << QStringList{"Jan Kowalski"};
    }
    void hidingTheVehicleKeepsTheCapacityLine() {
        QFETCH(int, report);
        QFETCH(QStringList, hidden);
        QFETCH(QStringList, kept);
        auto app = firm();
        threeMayTrips(*app);
        auto hide = [](Ui::TFormularzWydrukow* ui) {
            ui->CheckBoxSchowajDanePojazdy->click();
        };
        printFromWindow(*app, {report, QStringLiteral("Maj"), QStringLiteral("2024"), hide});
        QStringList all = texts(app->output.last().document);
        for (const QString& text : hidden)
            QVERIFY2(!all.contains(text), qPrintable(text));
        for (const QString& text : kept)
            QVERIFY2(all.contains(text), qPrintable(text));

        // Unchecked again: the next run shows them.
        printFromWindow(*app, {report, QStringLiteral("Maj"), QStringLiteral("2024"), hide});
        all = texts(app->output.last().document);
        for (const QString& text : hidden + kept)
            QVERIFY2(all.contains(text), qPrintable(text));
    }

    void aYearThatIsNoNumberIsReplacedByTheCurrentYear() {
        auto app = firm({{2023, 11}, {2024, 4}, {2024, 5}});
        auto typeYear = [&](Ui::TFormularzWydrukow* ui) {
            ui->ComboBoxRok->setEditText("20x4");
            emit ui->ComboBoxRok->lineEdit()->editingFinished(); // the user leaves the box
            QCOMPARE(app->dialogs.texts(), QStringList{"Nieprawidłowa wartość roku"});
            QCOMPARE(ui->ComboBoxRok->currentText(), QStringLiteral("2024"));
            QStringList months;
            for (int i = 0; i < ui->ComboBoxMiesiac->count(); ++i)
                months.append(ui->ComboBoxMiesiac->itemText(i));
            QCOMPARE(months, (QStringList{"Wszystko", "Kwiecień", "Maj"}));
            // Another year lists its own months.
            ui->ComboBoxRok->setEditText("2023");
            emit ui->ComboBoxRok->lineEdit()->editingFinished();
            QCOMPARE(ui->ComboBoxMiesiac->count(), 2);
            QCOMPARE(ui->ComboBoxMiesiac->itemText(1), QStringLiteral("Listopad"));
            ui->ComboBoxRok->setEditText("2024");
        };
        threeMayTrips(*app);
        printFromWindow(*app, {0, QStringLiteral("Maj"), QString(), typeYear});
        QVERIFY(texts(app->output.last().document).contains("Za miesiąc Maj 2024r."));
    }

    void thePrintWindowCopiesTheRegistersPeriodAndVehicle() {
        auto app = firm({{2023, 11}, {2024, 4}, {2024, 5}});
        app->forms().FormularzWydrukow->ui()->CheckBoxDrukarka->setChecked(true);
        openPrintWindow(*app, [&](TFormularzWydrukow& window) {
            auto* ui = window.ui();
            QVERIFY(window.isVisible());
            QCOMPARE(ui->LabelWybranyPojazd->text(), QStringLiteral("KR 1234A Marka1 Auto1 poj. 1400"));
            QCOMPARE(ui->ComboBoxRok->currentText(), QStringLiteral("2024"));
            QCOMPARE(ui->ComboBoxRok->count(), 2);
            QCOMPARE(ui->ComboBoxMiesiac->currentText(), QStringLiteral("Maj"));
            QCOMPARE(ui->ComboBoxMiesiac->count(), 3);
            QVERIFY(!ui->CheckBoxDrukarka->isChecked());
            QCOMPARE(ui->RadioGroupJakieZestawienie->button(3)->text(),
                     app->context().schema.parametersPresent
                         ? QStringLiteral("Ewidencja przebiegu Pojazdu dla celów VAT")
                         : QString());
            QTest::mouseClick(ui->Zamknij, Qt::LeftButton);
            QVERIFY(!window.isVisible());
        });
        QCOMPARE(app->output.count(), 0);
    }

    void aChangedPendingTripRefusesEveryReport_data() {
        QTest::addColumn<int>("report");
        for (int r = 0; r < 4; ++r)
            QTest::addRow("report %d", r) << r;
    }
    void aChangedPendingTripRefusesEveryReport() {
        QFETCH(int, report);
        auto app = firm();
        threeMayTrips(*app);
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Trips);
        reg.newTrip();
        reg.typeAndEnter(Box::Route, QStringLiteral("Kraków - Tarnów"));
        QCOMPARE(app->data().TablePrzejazdy->asString("Trasa"), QStringLiteral("Kraków - Tarnów"));
        app->dialogs.clear();
        printFromWindow(*app, {report, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
        QCOMPARE(
            app->dialogs.texts(),
            QStringList{"Wprowadzany przejazd nie został zapisany - zapisz go przyciskiem \"Zapisz\" albo "
                        "anuluj przyciskiem \"Anuluj\"."});
        QCOMPARE(app->output.count(), 0);
        QVERIFY(app->data().TablePrzejazdy->isEditing());
    }

    // ------------------------------------------------------------------ cost statement (report 1)

    void costStatementFromTheRegistersCostsTab() {
        auto app = firm();
        addCost(*app, QDate(2024, 5, 6), "FV 12/2024", QStringLiteral("Paliwo"), 150.40,
                {{"Uwagi", "stan 10120"}});
        addCost(*app, QDate(2024, 5, 20), "FV 20/2024", QStringLiteral("Myjnia"), 49.60);
        addCost(*app, QDate(2024, 4, 20), "FV 9/2024", QStringLiteral("Olej"), 80.00);
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Costs);
        app->forms().FormularzWydrukow->ui()->CheckBoxDrukarka->setChecked(true);
        reg.press(Button::PrintCosts);

        QCOMPARE(app->output.count(), 1);
        QVERIFY(app->output.last().printed);
        const QStringList all = texts(app->output.last().document);
        QVERIFY(all.contains("Zestawienie poniesionych wydatków"));
        QVERIFY(all.contains("w związku z używaniem pojazdu do celów działalnosci gospodarczej"));
        QVERIFY(all.contains("Za miesiąc Maj 2024r."));
        QVERIFY(followedBy(all, "Marka pojazdu:", "Marka1"));
        QVERIFY(all.contains("FV 12/2024"));
        QVERIFY(all.contains("stan 10120"));
        QVERIFY(!all.contains("FV 9/2024"));
        QVERIFY(followedBy(all, "RAZEM", "200,00"));
        // The register's tables are left open and where they were.
        QVERIFY(app->data().TableKoszty->isActive());
        QVERIFY(app->data().TablePojazdy->isActive());
        QVERIFY(app->data().TablePrzejazdy->isActive());
    }

    void aMonthWithoutRowsPrintsTitleEmptyTableAndZeroSums() {
        auto app = firm();
        printFromWindow(*app, {0, QStringLiteral("Kwiecień"), QStringLiteral("2024"), {}});
        QStringList all = texts(app->output.last().document);
        QVERIFY(all.contains("Ewidencja przebiegu pojazdu"));
        // No last row: no rate.
        QCOMPARE(all.mid(all.indexOf("Razem"), 4), (QStringList{"Razem", "0,00", "", "0,00"}));
        printFromWindow(*app, {1, QStringLiteral("Kwiecień"), QStringLiteral("2024"), {}});
        all = texts(app->output.last().document);
        QVERIFY(followedBy(all, "RAZEM", "0,00"));
    }

    // Each run reads its table afresh: a trip stored after a run is on the next one.
    void eachRunReadsTheRowsAsTheyAreNow() {
        auto app = firm();
        threeMayTrips(*app);
        RegisterDriver reg(*app);
        reg.chooseTab(Tab::Trips);
        reg.press(Button::PrintTrips);
        QCOMPARE(column(app->output.last().document.pages[0], kLpLeft).size(), 4);
        addTrip(*app, QDate(2024, 5, 30), 12, 0.8358, 10.03);
        reg.press(Button::PrintTrips);
        QCOMPARE(column(app->output.last().document.pages[0], kLpLeft).size(), 5);
        QVERIFY(app->data().TablePrzejazdy->isActive());
        QVERIFY(!app->forms().FormularzWydrukow->Wydruk_Ewidencja().TablePrzejazdy1->isActive());
    }

    // ------------------------------------------------------------------ statement of bills (report 2)

    void statementOfBills_data() {
        QTest::addColumn<QString>("month");
        QTest::addColumn<QList<double>>("costs"); // January to March
        QTest::addColumn<QList<double>>("trips");
        QTest::addColumn<QStringList>("amounts"); // lines 2 to 7
        QTest::addColumn<QString>("listedSum");
        QTest::addColumn<int>("listed");
        QTest::newRow("March") << "Marzec" << QList<double>{400, 300, 500} << QList<double>{350, 350, 350}
                               << QStringList{"700,00", "1200,00", "1050,00", "1050,00", "700,00", "350,00"}
                               << "500,00" << 1;
        QTest::newRow("January") << "Styczeń" << QList<double>{500, 300, 500} << QList<double>{400, 350, 350}
                                 << QStringList{"0,00", "500,00", "400,00", "400,00", "0,00", "400,00"}
                                 << "500,00" << 1;
        QTest::newRow("Wszystko") << "Wszystko" << QList<double>{400, 300, 500}
                                  << QList<double>{350, 350, 350}
                                  << QStringList{"0,00", "0,00", "0,00", "0,00", "0,00", "0,00"} << "1200,00"
                                  << 3;
    }
    void statementOfBills() {
        QFETCH(QString, month);
        QFETCH(QList<double>, costs);
        QFETCH(QList<double>, trips);
        QFETCH(QStringList, amounts);
        QFETCH(QString, listedSum);
        QFETCH(int, listed);
        auto app = firm({{2024, 1}, {2024, 2}, {2024, 3}});
        for (int k = 1; k <= 3; ++k) {
            addCost(*app, QDate(2024, k, 10), QStringLiteral("R %1").arg(k), QStringLiteral("Naprawa"),
                    costs[k - 1], {{"WartoscSuma", costs[k - 1]}});
            addTrip(*app, QDate(2024, k, 12), 100, 0.8358, trips[k - 1], {{"WartoscSuma", trips[k - 1]}});
        }
        addCost(*app, QDate(2023, 3, 10), "R 2023", QStringLiteral("Naprawa"), 999, {{"WartoscSuma", 999}});
        Table& costRows = *app->data().TableKoszty;
        const int costRow = costRows.recNo();
        printFromWindow(*app, {2, month, QStringLiteral("2024"), {}});

        QCOMPARE(app->output.last().title, QStringLiteral("ZESTAWIENIE RACHUNKÓW - KOSZTY ZALICZONE"));
        const QStringList all = texts(app->output.last().document);
        QVERIFY(all.contains("Zestawienie rachunków"));
        QVERIFY(followedBy(all, "Marka pojazdu:", "Marka1"));
        QCOMPARE(all.count("Naprawa"), listed);
        QVERIFY(!all.contains("R 2023"));
        QVERIFY(followedBy(all, QStringLiteral("Razem wydatki za aktualny miesiąc  (%1 2024r.)").arg(month),
                           listedSum));
        const QStringList lines{
            "Wydatki poniesione w poprzednich miesiacach",
            QStringLiteral("Razem z aktualnym miesiącem tj. %1 włącznie").arg(month),
            "Kwota wynikająca z ewidencji przebiegu pojazdu od początku roku",
            "Limit wydatków, które mogą być zaliczone w ciężar kosztów od początku roku",
            "Kwota wydatków zaliczonych w ciężar kosztów w poprzednich miesiącach",
            QStringLiteral("Kwota wydatków do zaliczenia w ciężar kosztów aktualnego miesiąca (m-c %1)")
                .arg(month)};
        for (int i = 0; i < 6; ++i)
            QVERIFY2(followedBy(all, lines[i], amounts[i]), qPrintable(lines[i]));
        // The month totals were read without moving the register's rows.
        QCOMPARE(costRows.recNo(), costRow);
        QVERIFY(costRows.isActive());
    }

    // ------------------------------------------------------------------ every report's captions

    void noTextRunsOverTheRulesOfItsColumn_data() {
        QTest::addColumn<int>("report"); // a choice of the print window; 4 and 5 the deadline statements
        QTest::newRow("trip register") << 0;
        QTest::newRow("cost statement") << 1;
        QTest::newRow("statement of bills") << 2;
        QTest::newRow("trip register for VAT") << 3;
        QTest::newRow("deadlines of the vehicle") << 4;
        QTest::newRow("deadlines of every vehicle") << 5;
    }
    // Every report as laid out for paper: no text of its header (nor of any band) runs over a rule of
    // its column or is cut at the edge of its box ("WYJAZDU" in the 16 mm date column, among others).
    void noTextRunsOverTheRulesOfItsColumn() {
        QFETCH(int, report);
        auto app = firm();
        addTrip(
            *app, QDate(2024, 5, 6), 12, 0.8358, 10.03,
            {{"StanLicznikaPrzed", 1000}, {"StanLicznikaPo", 1012}, {"Nazwisko", "Nowak"}, {"Imie", "Anna"}});
        addCost(*app, QDate(2024, 5, 7), "F 1/05", "Paliwo", 100.0, {{"Uwagi", "1012"}});
        app->seed("Terminy.db",
                  {{"NrKol_Pojazdu", 1}, {"Rok", 2024}, {"KosztOC", 812.4}, {"KosztyCalkowite", 812.4}});
        Document doc;
        if (report < 4) {
            printFromWindow(*app, {report, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
            QCOMPARE(app->output.count(), 1);
            doc = app->output.last().document;
        } else {
            DeadlinePrint request;
            request.vehicle = 1;
            request.year = 2024;
            doc = report == 4 ? app->forms().TerminyDruk->document(request)
                              : app->forms().TerminyDruk1->document(request);
        }
        QVERIFY(doc.pageCount() > 0 && !doc.pages[0].lines.empty());
        const QStringList over = overRules(doc);
        QVERIFY2(over.isEmpty(), qPrintable(over.join(" | ")));
    }

    // ------------------------------------------------------------------ painting

    // The rules of a page are painted on an image (the preview's sheets) as filled rectangles; they
    // must cover what the antialiased pen strokes covered. Each page of the trip register and of the
    // cost statement, its rules alone, at the screen's 96 dpi and at 300 dpi, against the same rules
    // stroked: no pixel darker or lighter by more than a quarter of the scale, beyond a frame's
    // corners (a stroke bevels the outer corner pixel of its join).
    void rulesLookAsTheirStrokes_data() {
        QTest::addColumn<int>("report");
        QTest::newRow("trip register") << 0;
        QTest::newRow("cost statement") << 1;
    }
    void rulesLookAsTheirStrokes() {
        QFETCH(int, report);
        auto app = firm();
        threeMayTrips(*app);
        addCost(*app, QDate(2024, 5, 8), "FV 1/05", "Paliwo", 250.0);
        printFromWindow(*app, {report, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
        QCOMPARE(app->output.count(), 1);
        const Document& printed = app->output.last().document;
        for (const int dpi : {96, 300}) {
            for (const report::Page& page : printed.pages) {
                Document rules = printed;
                rules.pages = {page};
                rules.pages[0].texts.clear();
                const auto sheet = [&] {
                    QImage image(int(210 * dpi / 25.4), int(297 * dpi / 25.4), QImage::Format_RGB32);
                    image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
                    image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
                    image.fill(Qt::white);
                    return image;
                };
                QImage filled = sheet();
                QVERIFY(report::paint(rules, filled));
                QImage stroked = sheet();
                {
                    const double scale = filled.logicalDpiX() / report::kTenthsPerInch;
                    QPainter painter(&stroked);
                    painter.setRenderHint(QPainter::Antialiasing);
                    painter.scale(scale, scale);
                    QPen pen(Qt::black);
                    for (const report::LineItem& line : rules.pages[0].lines) {
                        pen.setWidthF(line.width * report::kTenthsPerPoint);
                        pen.setCosmetic(line.width == 0.0);
                        painter.setPen(pen);
                        painter.drawLine(line.line);
                    }
                    for (const report::FrameItem& frame : rules.pages[0].frames) {
                        pen.setWidthF(frame.width * report::kTenthsPerPoint);
                        pen.setCosmetic(frame.width == 0.0);
                        painter.setPen(pen);
                        painter.drawRect(frame.rect);
                    }
                }
                int inked = 0;
                int differing = 0;
                for (int y = 0; y < stroked.height(); ++y) {
                    for (int x = 0; x < stroked.width(); ++x) {
                        const int want = qGray(stroked.pixel(x, y));
                        inked += want < 192;
                        differing += std::abs(want - qGray(filled.pixel(x, y))) > 64;
                    }
                }
                QVERIFY(inked > 1000);
                const int corners = 4 * int(rules.pages[0].frames.size());
                QVERIFY2(
                    differing <= corners,
                    qPrintable(
                        QStringLiteral("%1 dpi: %2 of %3 pixels differ").arg(dpi).arg(differing).arg(inked)));
            }
        }
    }

    // ------------------------------------------------------------------ PDF

    void savedAsPdfFromThePreview() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty() ||
            QStandardPaths::findExecutable("pdffonts").isEmpty())
            QSKIP("poppler-utils (pdftotext, pdffonts) are not installed");
        auto app = firm();
        threeMayTrips(*app);
        QTemporaryDir dir;
        const QString file = dir.filePath("ewidencja.pdf");
        app->dialogs.answerSaveFileName(file);
        printFromWindow(*app, {0, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
        QCOMPARE(app->output.saveLastAsPdf(), file);
        QCOMPARE(app->dialogs.saveRequests().size(), 1);
        QCOMPARE(app->dialogs.saveRequests()[0].caption, QStringLiteral("Zapisz jako PDF"));
        QVERIFY(QFileInfo::exists(file));

        const QString text = runTool("pdftotext", {"-layout", file, "-"});
        QVERIFY(text.contains("Ewidencja przebiegu pojazdu"));
        QVERIFY(text.contains(QStringLiteral("Nazwisko i imię właściciela")));
        QVERIFY(text.contains(QStringLiteral("Kraków - Łódź")));
        QVERIFY(text.contains("120,00"));
        QVERIFY(text.contains("338,50"));
        const QString fonts = runTool("pdffonts", {file});
        QStringList embedded;
        for (const QString& line : fonts.split('\n')) {
            if (line.contains("Liberation") && line.contains(QRegularExpression("\\byes\\b")))
                embedded.append(line.section(' ', 0, 0));
        }
        QVERIFY2(std::any_of(embedded.begin(), embedded.end(),
                             [](auto& f) { return f.contains("LiberationSerif"); }),
                 qPrintable(fonts));
        QVERIFY2(!fonts.contains("DejaVu"), qPrintable(fonts));
    }

    // The register of an employee's car ends with the employer's signature over the employer's name and
    // address, after the sums and on the last page only. Seventy trips of 10 km at 0,8358 zł (8,36 zł
    // each) fill three pages: 700 km and 585,20 zł.
    void theLastPageEndsWithTheEmployersSignature() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        auto app = firm();
        app->seed("Wlasciciel.db", {{"Nazwisko", "Kowalski"},
                                    {"Imie", "Jan"},
                                    {"NazwaFirmySkrot", QStringLiteral("TRANS-KOW")},
                                    {"AdresFirmy", QStringLiteral("ul. Polna 3, 31-002 Kraków")},
                                    {"Nip", "677-123-45-67"}});
        for (int i = 0; i < 70; ++i)
            addTrip(*app, QDate(2024, 5, 1 + i % 31), 10, 0.8358, 8.36);
        QTemporaryDir dir;
        const QString file = dir.filePath("ewidencja.pdf");
        app->dialogs.answerSaveFileName(file);
        printFromWindow(*app, {0, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
        QCOMPARE(app->output.saveLastAsPdf(), file);

        QStringList pages = runTool("pdftotext", {"-layout", file, "-"}).split('\f');
        if (pages.last().trimmed().isEmpty())
            pages.removeLast();
        QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
        const QString last = pages.takeLast();
        qsizetype at = 0;
        for (const QString& next :
             {QStringLiteral("Razem"), QStringLiteral("700,00"), QStringLiteral("585,20"),
              QStringLiteral("Podpis pracodawcy"), QStringLiteral("TRANS-KOW Jan Kowalski"),
              QStringLiteral("ul. Polna 3, 31-002 Kraków")}) {
            const qsizetype found = last.indexOf(next, at);
            QVERIFY2(found >= at, qPrintable(next + " after " + last.left(at).right(80)));
            at = found + next.size();
        }
        for (const QString& page : pages) {
            QVERIFY(page.contains("Kraków - Łódź"));
            QVERIFY(!page.contains("Podpis pracodawcy"));
            QVERIFY(!page.contains("TRANS-KOW"));
        }
    }
};

TARLOK_TEST_MAIN(PrintoutsTest)
#include "tst_printouts.moc"
