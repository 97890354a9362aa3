// The trip register for VAT purposes: the period, readings and kilometres from its own rows of the
// chosen period, every item the register must hold, the taxpayer's confirmation, the owner line, and
// nothing printed for a period without trips.
#include "PrintoutFixture.h"

#include "common/Paths.h"
#include "reports/TWydruk_EwidencjaPrzebieguDlaVat.h"

#include <QFile>

using namespace tarlok;
using namespace tarlok::test;

namespace {

using Vat = TWydruk_EwidencjaPrzebieguDlaVat;

QVariantMap driver(qint64 before, qint64 after, const QString& surname, const QString& name) {
    return {{"StanLicznikaPrzed", before}, {"StanLicznikaPo", after}, {"Nazwisko", surname}, {"Imie", name}};
}

// The confirmation as printed: its lines joined again.
QString joined(const QStringList& texts, const QString& start) {
    for (const QString& t : texts) {
        if (t.startsWith(start))
            return QString(t).replace('\n', ' ');
    }
    return QString();
}

} // namespace

class VatTest : public QObject {
    Q_OBJECT

private slots:
    void theRegisterEndsOnTheLastDayOfFebruary_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("lastDay");
        QTest::newRow("2008, leap") << 2008 << "29";
        QTest::newRow("2007") << 2007 << "28";
        QTest::newRow("2100, not leap") << 2100 << "28";
    }
    void theRegisterEndsOnTheLastDayOfFebruary() {
        QFETCH(int, year);
        QFETCH(QString, lastDay);
        auto app = firm();
        addTrip(*app, QDate(year, 2, 5), 100, 0.8358, 83.58, driver(1000, 1100, "Nowak", "Anna"));
        addTrip(*app, QDate(year, 2, 20), 80, 0.8358, 66.86, driver(1100, 1180, "Nowak", "Anna"));
        printFromWindow(*app, {3, QStringLiteral("Luty"), QString::number(year), {}});
        QCOMPARE(app->output.count(), 1);
        const QStringList all = texts(app->output.last().document);
        QVERIFY(followedBy(all, "Dzień zakończenia prowadzenia ewidencji:", lastDay));
        QVERIFY(followedBy(all, "na dzień zakończenia prow. ewid.:", "1180"));
    }

    // April's trips printed while the register shows May: the readings, the last day and the
    // kilometres are April's (100 + 150 = 250 km, though the first row's stored month total says
    // otherwise).
    void everyItemOfTheChosenMonth() {
        auto app = firm();
        QVariantMap first = driver(1000, 1100, "Nowak", "Anna");
        first.insert("KilometrySuma", 999);
        addTrip(*app, QDate(2024, 4, 5), 100, 0.8358, 83.58, first);
        addTrip(*app, QDate(2024, 4, 18), 150, 0.8358, 125.37,
                driver(1100, 1250, QStringLiteral("Wiśniewski"), QStringLiteral("Paweł")));
        addTrip(*app, QDate(2024, 5, 6), 50, 0.8358, 41.79, driver(1250, 1300, "Nowak", "Anna"));
        QCOMPARE(RegisterDriver(*app).month(), QStringLiteral("Maj"));
        printFromWindow(*app, {3, QStringLiteral("Kwiecień"), QStringLiteral("2024"), {}});

        const auto& sent = app->output.last();
        QCOMPARE(sent.title, QStringLiteral("EWIDENCJA PRZEBIEGU VAT"));
        const QStringList all = texts(sent.document);
        QVERIFY(all.contains("EWIDENCJA PRZEBIEGU POJAZDU DLA CELÓW VAT"));
        QVERIFY(followedBy(all, "Nr rejestracyjny pojazdu:", "KR 1234A"));
        QVERIFY(followedBy(all, "Dzień rozpoczęcia prowadzenia ewidencji:", "1"));
        QVERIFY(followedBy(all, "Dzień zakończenia prowadzenia ewidencji:", "30"));
        QVERIFY(followedBy(all, "na dzień rozpoczęcia prow. ewid:", "1000"));
        QCOMPARE(all.count("na dzień zakończenia prow. ewid.:"), 2);
        const qsizetype end = all.indexOf("na dzień zakończenia prow. ewid.:");
        QCOMPARE(all.value(end + 1), QStringLiteral("1250"));
        QCOMPARE(all.value(all.indexOf("na dzień zakończenia prow. ewid.:", end + 1) + 1),
                 QStringLiteral("250"));
        QCOMPARE(all.mid(all.indexOf("za miesiąc"), 4), (QStringList{"za miesiąc", "4", "2024", " roku"}));
        QCOMPARE(all.mid(all.indexOf("Stan licznika "), 6),
                 (QStringList{"Stan licznika ", "1000", "km na początek miesiąca ", "4", "2024", " roku"}));
        // The trips: number, date, route, purpose, km and driver between the two readings stacked at the
        // right.
        QCOMPARE(all.mid(all.indexOf("1000", all.indexOf("Licz. kon.")), 9),
                 (QStringList{"1000", "1", "5.04.2024", "Kraków - Łódź", "Spotkanie z klientem", "100",
                              "Nowak", "Anna", "1100"}));
        QVERIFY(all.contains(QStringLiteral("Wiśniewski")));
        QVERIFY(!all.contains("1300"));                                        // May
        QCOMPARE(all.value(all.lastIndexOf("250") + 1), QStringLiteral("km")); // the summary
        QCOMPARE(joined(all, "Potwierdzam"), Vat::kConfirmation.arg("miesiąc Kwiecień 2024 roku"));
        QVERIFY(all.contains("(data)"));
        QVERIFY(all.contains("(podpis podatnika)"));
        QCOMPARE(all.mid(all.indexOf("Stan licznika"), 6),
                 (QStringList{"Stan licznika", "1250", "km na koniec miesiąca ", "4", "2024", " roku"}));
        // The confirmation stands on the page of the total.
        const report::Page& last = sent.document.pages.last();
        QVERIFY(last.find("250") && last.find("(podpis podatnika)"));
    }

    // "Wszystko": each month of the year with trips is a log of its own, on pages of its own, naming
    // that month throughout: its period, first and last reading, last day, kilometres, confirmation and
    // the reading at its foot, its pages numbered from 1. October: 100 + 50 km from 1000 to 1150;
    // November: 80 km from 1150 to 1230; no trips in the other months.
    void theWholeYearPrintsEachMonthAsALogOfItsOwn() {
        auto app = firm({{2024, 10}, {2024, 11}});
        addTrip(*app, QDate(2024, 10, 7), 100, 0.8358, 83.58, driver(1000, 1100, "Nowak", "Anna"));
        addTrip(*app, QDate(2024, 10, 21), 50, 0.8358, 41.79, driver(1100, 1150, "Nowak", "Anna"));
        addTrip(*app, QDate(2024, 11, 4), 80, 0.8358, 66.86, driver(1150, 1230, "Nowak", "Anna"));
        printFromWindow(*app, {3, QStringLiteral("Wszystko"), QStringLiteral("2024"), {}});
        QCOMPARE(app->output.count(), 1);
        const Document& doc = app->output.last().document;
        QCOMPARE(doc.pageCount(), 2);
        const QStringList months[] = {{"10", "Październik", "1000", "1150", "31", "150"},
                                      {"11", "Listopad", "1150", "1230", "30", "80"}};
        for (int p = 0; p < 2; ++p) {
            const QStringList page = doc.pages[p].readingOrder();
            const QString month = months[p][0], name = months[p][1], first = months[p][2],
                          last = months[p][3], lastDay = months[p][4], km = months[p][5];
            QVERIFY(followedBy(page, "Strona   ", "1"));
            QCOMPARE(page.mid(page.indexOf("za miesiąc"), 4),
                     (QStringList{"za miesiąc", month, "2024", " roku"}));
            QCOMPARE(page.mid(page.indexOf("Stan licznika "), 4),
                     (QStringList{"Stan licznika ", first, "km na początek miesiąca ", month}));
            QVERIFY(followedBy(page, "na dzień rozpoczęcia prow. ewid:", first));
            QVERIFY(followedBy(page, "Dzień zakończenia prowadzenia ewidencji:", lastDay));
            const qsizetype end = page.indexOf("na dzień zakończenia prow. ewid.:");
            QCOMPARE(page.value(end + 1), last);
            QCOMPARE(page.value(page.indexOf("na dzień zakończenia prow. ewid.:", end + 1) + 1), km);
            QCOMPARE(page.value(page.indexOf("km") - 1), km); // the total under the trips
            QCOMPARE(joined(page, "Potwierdzam"), Vat::kConfirmation.arg("miesiąc " + name + " 2024 roku"));
            QCOMPARE(page.mid(page.indexOf("Stan licznika"), 4),
                     (QStringList{"Stan licznika", last, "km na koniec miesiąca ", month}));
        }
    }

    void theTaxpayerLineFromTheOwnerTable_data() {
        QTest::addColumn<QVariantMap>("owner"); // empty: no Wlasciciel.db at all
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("signer");
        const QVariantMap complete{{"Nazwisko", "Kowalski"},
                                   {"Imie", "Jan"},
                                   {"NazwaFirmySkrot", QStringLiteral("TRANS-KOW")},
                                   {"AdresFirmy", QStringLiteral("ul. Długa 5, Kraków")},
                                   {"Nip", "677-123-45-67"}};
        QTest::newRow("complete") << complete << true
                                  << QStringLiteral(
                                         "TRANS-KOW Kowalski Jan ul. Długa 5, Kraków Nip:677-123-45-67")
                                  << "Jan Kowalski";
        QVariantMap noNip = complete;
        noNip.remove("Nip");
        QTest::newRow("without NIP") << noNip << true << Vat::kTaxpayerLayoutText << "Jan Kowalski";
        QTest::newRow("no owner file")
            << QVariantMap() << false << Vat::kTaxpayerLayoutText << "Jan Kowalski";
    }
    void theTaxpayerLineFromTheOwnerTable() {
        QFETCH(QVariantMap, owner);
        QFETCH(bool, fileThere);
        QFETCH(QString, line);
        QFETCH(QString, signer);
        auto app = firm();
        const QString file = paths::fileIn(app->dataFolder(), "Wlasciciel.db");
        if (fileThere) {
            QVERIFY(paths::fileExists(file));
            app->seed("Wlasciciel.db", owner);
        } else {
            QVERIFY(!paths::fileExists(file) || QFile::remove(file));
        }
        addTrip(*app, QDate(2024, 5, 6), 50, 0.8358, 41.79, driver(1250, 1300, "Nowak", "Anna"));
        printFromWindow(*app, {3, QStringLiteral("Maj"), QStringLiteral("2024"), {}});
        QCOMPARE(app->dialogs.texts(), QStringList());
        QCOMPARE(app->output.count(), 1);
        const QStringList all = texts(app->output.last().document);
        // The taxpayer line under the page number.
        QCOMPARE(QString(all.value(all.indexOf("Strona   ") + 2)).replace('\n', ' '), line);
        QVERIFY(followedBy(all, "(podpis podatnika)", signer));
    }

    void aMonthWithoutTripsPrintsNothingAndSaysSo() {
        auto app = firm();
        addTrip(*app, QDate(2024, 5, 6), 50, 0.8358, 41.79, driver(1250, 1300, "Nowak", "Anna"));
        addTrip(*app, QDate(2024, 4, 6), 50, 0.8358, 41.79, driver(1200, 1250, "Nowak", "Anna"), 2);
        printFromWindow(*app, {3, QStringLiteral("Kwiecień"), QStringLiteral("2024"), {}});
        QCOMPARE(app->output.count(), 0);
        QCOMPARE(app->dialogs.messages().size(), 1);
        QCOMPARE(app->dialogs.last().caption, QStringLiteral("Informacja"));
        QCOMPARE(app->dialogs.last().text, TFormularzWydrukow::kNoTripsForVat);
    }

    void printedAtOnceWithoutPreview() {
        auto app = firm();
        addTrip(*app, QDate(2024, 5, 6), 50, 0.8358, 41.79, driver(1250, 1300, "Nowak", "Anna"));
        auto direct = [](Ui::TFormularzWydrukow* ui) {
            ui->CheckBoxDrukarka->click();
        };
        printFromWindow(*app, {3, QStringLiteral("Maj"), QStringLiteral("2024"), direct});
        QCOMPARE(app->output.count(), 1);
        QVERIFY(app->output.last().printed);
    }
};

TARLOK_TEST_MAIN(VatTest)
#include "tst_vat.moc"
