// The odometer chain: every trip should start at the reading on which the trip before it ended. The
// breaks found by date and entry order, the window "Sprawdzenie ciągłości licznika" of the trips tab
// for a month and for the whole year, and the question before the VAT register is printed. The
// readings are worked out by hand.
#include "reports/PrintoutFixture.h"

#include "calc/OdometerChain.h"
#include "register/TSprawdzenieLicznika.h"

using namespace tarlok;
using namespace tarlok::test;

namespace {

using odometer::Trip;
using Window = TSprawdzenieLicznika;

void addReadings(TestApp& app, const QDate& date, qint64 start, qint64 end, int vehicle = 1) {
    addTrip(app, date, int(end - start), 0.8358, 0.0, {{"StanLicznikaPrzed", start}, {"StanLicznikaPo", end}},
            vehicle);
}

// March ends at 19 980 and April starts at 20 000 (20 km between the months). In April, entered out of
// date order: 2.04 20 000-20 150; 9.04 starts at 20 187 (37 km never recorded); 16.04 starts at 20 288
// (12 km counted twice: the trip before ended at 20 300); 23.04 20 400-20 450. May follows on. A second
// car's broken readings never show.
std::unique_ptr<TestApp> seededFirm() {
    auto app = firm({{2024, 3}, {2024, 4}, {2024, 5}});
    addReadings(*app, QDate(2024, 3, 31), 19900, 19980);
    addReadings(*app, QDate(2024, 4, 16), 20288, 20400);
    addReadings(*app, QDate(2024, 4, 2), 20000, 20150);
    addReadings(*app, QDate(2024, 4, 23), 20400, 20450);
    addReadings(*app, QDate(2024, 4, 9), 20187, 20300);
    addReadings(*app, QDate(2024, 5, 3), 20450, 20530);
    addReadings(*app, QDate(2024, 5, 10), 20530, 20600);
    addReadings(*app, QDate(2024, 4, 10), 1, 2, 2);
    addReadings(*app, QDate(2024, 4, 11), 500, 600, 2);
    return app;
}

const QStringList kGapLine{
    "9.04.2024", "KR 1234A", "2.04.2024", "20150", "20187", "37", Window::kGap.toString()};
const QStringList kOverlapLine{
    "16.04.2024", "KR 1234A", "9.04.2024", "20300", "20288", "-12", Window::kOverlap.toString()};

RegisterDriver::OdometerCheck checkMonth(TestApp& app, const QString& month) {
    RegisterDriver reg(app);
    reg.chooseTab(RegisterDriver::Tab::Trips);
    reg.chooseMonth(month);
    return reg.checkOdometer();
}

} // namespace

class OdometerTest : public QObject {
    Q_OBJECT

private slots:
    // Taken by date, and on one date by entry (50-100 entered third, 100-150 seventh): a gap of 37 km
    // and an overlap of 12 km, each with both dates and readings.
    void breaksByDateThenEntry() {
        const auto found = odometer::breaks(
            {Trip{QDate(2024, 4, 16), 1, 20288, 20400}, Trip{QDate(2024, 4, 9), 7, 20187, 20300},
             Trip{QDate(2024, 4, 2), 9, 20100, 20150}, Trip{QDate(2024, 4, 2), 3, 20000, 20100}});
        QCOMPARE(found.size(), size_t(2));
        QCOMPARE(found[0].date, QDate(2024, 4, 9));
        QCOMPARE(found[0].previousDate, QDate(2024, 4, 2));
        QCOMPARE(found[0].previousEnd, qint64(20150));
        QCOMPARE(found[0].start, qint64(20187));
        QCOMPARE(found[0].difference(), qint64(37));
        QVERIFY(found[0].isGap());
        QCOMPARE(found[1].previousDate, QDate(2024, 4, 9));
        QCOMPARE(found[1].difference(), qint64(-12));
        QVERIFY(!found[1].isGap());
    }

    // Only breaks both readings show: no final reading leaves the next trip uncompared; no starting
    // reading is not compared, and the chain goes on from that trip's final reading.
    void missingReadingsBreakNothing() {
        const auto found = odometer::breaks(
            {Trip{QDate(2024, 3, 1), 1, 0, 100}, Trip{QDate(2024, 3, 2), 2, 100, std::nullopt},
             Trip{QDate(2024, 3, 3), 3, 400, 500}, Trip{QDate(2024, 3, 4), 4, std::nullopt, 600},
             Trip{QDate(2024, 3, 5), 5, 610, 700}});
        QCOMPARE(found.size(), size_t(1));
        QCOMPARE(found[0].previousEnd, qint64(600));
        QCOMPARE(found[0].difference(), qint64(10));
    }

    // A whole month says so; April lists its two breaks line by line; neither month shows the 20 km
    // between the last trip of March and the first of April, the whole year ("Wszystko") does.
    void theWindowForMonthsAndTheYear() {
        auto app = seededFirm();
        const auto may = checkMonth(*app, QStringLiteral("Maj"));
        QVERIFY(may.shown);
        QCOMPARE(may.title, QStringLiteral("Sprawdzenie ciągłości licznika"));
        QVERIFY2(may.vehicle.startsWith(QStringLiteral("Pojazd: KR 1234A")), qPrintable(may.vehicle));
        QCOMPARE(may.period, QStringLiteral("Okres: Maj 2024"));
        QCOMPARE(may.lines, QList<QStringList>());
        QCOMPARE(may.result, Window::kChainWhole.toString());
        QCOMPARE(checkMonth(*app, QStringLiteral("Marzec")).result, Window::kChainWhole.toString());

        const auto april = checkMonth(*app, QStringLiteral("Kwiecień"));
        QCOMPARE(april.lines, (QList<QStringList>{kGapLine, kOverlapLine}));
        QCOMPARE(april.result, Window::breaksFound(2));

        const auto year = checkMonth(*app, QStringLiteral("Wszystko"));
        QCOMPARE(year.period, QStringLiteral("Okres: cały rok 2024"));
        const QStringList acrossMonths{"2.04.2024", "KR 1234A", "31.03.2024",           "19980",
                                       "20000",     "20",       Window::kGap.toString()};
        QCOMPARE(year.lines, (QList<QStringList>{acrossMonths, kGapLine, kOverlapLine}));
        QCOMPARE(year.result, Window::breaksFound(3));
        QCOMPARE(app->dialogs.texts(), QStringList());
    }

    void theVatRegisterAsksBeforePrintingABrokenChain_data() {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("the user stops") << false;
        QTest::newRow("the user prints all the same") << true;
    }
    void theVatRegisterAsksBeforePrintingABrokenChain() {
        QFETCH(bool, goOn);
        auto app = seededFirm();
        app->dialogs.answer(goOn);
        printFromWindow(*app, {3, QStringLiteral("Kwiecień"), QStringLiteral("2024"), {}});
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().buttons, Dialogs::Buttons::YesNo);
        QCOMPARE(app->dialogs.last().caption, QStringLiteral("WYBIERZ"));
        QCOMPARE(app->dialogs.last().text, TFormularzWydrukow::chainBreaksQuestion(2));
        QVERIFY(app->dialogs.last().text.startsWith(QStringLiteral(
            "Licznik przebiegu pojazdu nie jest ciągły - liczba przerw w wybranym okresie: 2 ")));
        QCOMPARE(app->output.count(), goOn ? 1 : 0);
        if (!goOn)
            return;
        // Printed as the rows stand: the readings of the breaks are not mended, the month runs from
        // 20 000 to 20 450 and its kilometres add up to 150 + 113 + 112 + 50 = 425.
        const QStringList all = texts(app->output.last().document);
        QVERIFY(followedBy(all, "na dzień rozpoczęcia prow. ewid:", "20000"));
        QVERIFY(followedBy(all, "na dzień zakończenia prow. ewid.:", "20450"));
        QCOMPARE(all.value(all.lastIndexOf("425") + 1), QStringLiteral("km"));
        for (const char* reading : {"20150", "20187", "20300", "20288"})
            QVERIFY2(all.contains(QString::fromLatin1(reading)), reading);

        // A whole month prints without a question.
        app->dialogs.clear();
        printFromWindow(*app, {3, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(app->dialogs.unanswered(), 0);
        QCOMPARE(app->output.count(), 2);
    }
};

TARLOK_TEST_MAIN(OdometerTest)
#include "tst_odometer.moc"
