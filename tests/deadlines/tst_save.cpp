// The figures of the deadlines window's save, computed without a window; every expected value is worked
// out by hand. The costs of every row: AC 1000, OC 800,104, OC II 199,9, NW 50, tech. 98, repairs 200,
// which round to a total of 1000 + 800,10 + 199,90 + 50 + 98 + 200 = 2348,00 before the additional cost.
#include "deadlines/DeadlineSave.h"
#include "support/TestApp.h"

#include <QTest>

using namespace tarlok;
using namespace tarlok::deadlines;

using Refused = SaveResult::Refused;

class SaveTest : public QObject {
    Q_OBJECT

private slots:
    void figures_data() {
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("additional");
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<qint64>("savedYear");
        QTest::addColumn<double>("repairs");
        QTest::addColumn<double>("total");

        const auto yearRefusal = [](const QString& text) {
            return QStringLiteral(
                       "Rok podatkowy \"%1\" nie jest poprawnym rokiem - wpisz rok czterema cyframi, "
                       "np. 2024.")
                .arg(text);
        };
        const int none = int(Refused::None);
        const int year = int(Refused::Year);
        const int additional = int(Refused::Additional);
        QTest::newRow("plain") << "2024"
                               << "" << none << "" << qint64(2024) << 200.0 << 2348.0;
        QTest::newRow("blanks around the year") << " 2025 "
                                                << "" << none << "" << qint64(2025) << 200.0 << 2348.0;
        QTest::newRow("lowest year") << "1900"
                                     << "" << none << "" << qint64(1900) << 200.0 << 2348.0;
        QTest::newRow("highest year") << "2999"
                                      << "" << none << "" << qint64(2999) << 200.0 << 2348.0;
        QTest::newRow("additional to repairs") << "2024"
                                               << "12,5" << none << "" << qint64(2024) << 212.5 << 2360.5;
        QTest::newRow("additional grouped") << "2024"
                                            << "1 000,00" << none << "" << qint64(2024) << 1200.0 << 3348.0;
        QTest::newRow("additional negative") << "2024"
                                             << "-50" << none << "" << qint64(2024) << 150.0 << 2298.0;
        QTest::newRow("additional half a grosz")
            << "2024"
            << "0,005" << none << "" << qint64(2024) << 200.01 << 2348.01;
        QTest::newRow("year below") << "1899"
                                    << "" << year << yearRefusal("1899") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("year above") << "3000"
                                    << "" << year << yearRefusal("3000") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("year of two digits") << "24"
                                            << "" << year << yearRefusal("24") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("year with a letter") << "20x4"
                                            << "" << year << yearRefusal("20x4") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("year empty") << "  "
                                    << "" << year << yearRefusal("") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("year beyond any integer")
            << "99999999999999999999"
            << "" << year << yearRefusal("99999999999999999999") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("year refused before the cost")
            << "x"
            << "abc" << year << yearRefusal("x") << qint64(0) << 0.0 << 0.0;
        QTest::newRow("additional a word")
            << "2024"
            << " abc " << additional << "Koszt dodatkowy: \"abc\" nie jest poprawną liczbą" << qint64(0)
            << 0.0 << 0.0;
        QTest::newRow("additional a minus")
            << "2024"
            << "-" << additional << "Koszt dodatkowy: \"-\" nie jest poprawną liczbą" << qint64(0) << 0.0
            << 0.0;
    }

    void figures() {
        QFETCH(QString, year);
        QFETCH(QString, additional);
        SaveInput input;
        input.yearText = year;
        input.additionalText = additional;
        input.currentYear = 2024;
        input.typed.ac = 1000;
        input.typed.oc = 800.104;
        input.typed.ocII = 199.9;
        input.typed.nw = 50;
        input.typed.tech = 98;
        input.typed.napraw = 200;
        const SaveResult result = saveFigures(input);

        QTEST(int(result.refused), "refused");
        QTEST(result.refusal, "refusal");
        if (result.refused != Refused::None)
            return;
        QTEST(result.year, "savedYear");
        QTEST(result.costs.napraw, "repairs");
        QTEST(result.total, "total");
        QCOMPARE(result.costs.oc, 800.10);
        QCOMPARE(result.costs.ocII, 199.90);
        QCOMPARE(result.costs.nw, qint64(50));
        QCOMPARE(result.additionalTaken, !additional.isEmpty());
    }
};

TARLOK_TEST_MAIN(SaveTest)
#include "tst_save.moc"
