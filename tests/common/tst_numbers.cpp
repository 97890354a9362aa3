#include "common/Error.h"
#include "common/Numbers.h"

#include <QLocale>
#include <QTest>

using namespace tarlok;

namespace {

// Polish writes a no-break space between groups; the tables write it as "_".
QString nb(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('_'), QChar(0x00A0));
}

template <class F> QString errorText(F read) {
    try {
        read();
    } catch (const ConversionError& e) {
        return e.text();
    }
    return QStringLiteral("no error");
}

} // namespace

class TestNumbers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland)); }

    // Qt's Polish data, which grouped() follows: U+00A0 between groups, none in a four-digit number.
    void polishLocaleData() {
        QCOMPARE(QLocale().toString(1234.5, 'f', 2), QStringLiteral("1234,50"));
        QCOMPARE(QLocale().toString(12345.5, 'f', 2), nb("12_345,50"));
    }

    void formats_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        using numbers::general, numbers::pattern, numbers::grouped;
        QTest::newRow("general rate x km") << general(126.2058) << "126,2058";
        QTest::newRow("general whole") << general(100) << "100";
        QTest::newRow("general zero") << general(0) << "0";
        QTest::newRow("general negative") << general(-2.5) << "-2,5";
        QTest::newRow("general sum noise") << general(0.1 + 0.2) << "0,3";
        QTest::newRow("general 15 digits") << general(2.0 / 3) << "0,666666666666667";
        QTest::newRow("general ungrouped") << general(1234567.25) << "1234567,25";
        QTest::newRow("pattern amount") << pattern(126.2058, "0.00") << "126,21";
        QTest::newRow("pattern rate") << pattern(0.8358, "0.0000") << "0,8358";
        QTest::newRow("pattern half up") << pattern(0.125, "0.00") << "0,13";
        QTest::newRow("pattern held under half") << pattern(2.675, "0.00") << "2,68";
        QTest::newRow("pattern negative half") << pattern(-0.125, "0.00") << "-0,13";
        QTest::newRow("pattern no minus zero") << pattern(-0.001, "0.00") << "0,00";
        QTest::newRow("pattern carry") << pattern(9.995, "0.00") << "10,00";
        QTest::newRow("pattern whole") << pattern(2.5, "0") << "3";
        QTest::newRow("pattern ungrouped") << pattern(12345.5, "0.0") << "12345,5";
        QTest::newRow("grouped five digits") << grouped(12345.5, 8, 2) << nb("12_345,50");
        QTest::newRow("grouped four digits") << grouped(1234.5, 8, 2) << nb("1234,50");
        QTest::newRow("grouped seven digits") << grouped(1234567.5, 12, 2) << nb("1_234_567,50");
        QTest::newRow("grouped negative") << grouped(-12345.678, 12, 2) << nb("-12_345,68");
        QTest::newRow("grouped km") << grouped(151, 12, 0) << nb("151");
        QTest::newRow("grouped carry") << grouped(99999.995, 12, 2) << nb("100_000,00");
        QTest::newRow("grouped precision") << grouped(123456.789, 6, 2) << nb("123_457,00");
        QTest::newRow("grouped too long") << grouped(123456789, 8, 2) << nb("1,2345679E8");
    }
    void formats() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    void parse() {
        const std::pair<const char*, double> good[] = {
            {"12,5", 12.5},         {"12.5", 12.5},   {" 12 345,5 ", 12345.5},
            {"12\u202f345", 12345}, {"-3,25", -3.25}, {"+7", 7},
        };
        for (const auto& [text, value] : good)
            QCOMPARE(numbers::parse(QString::fromUtf8(text)), value);
        QCOMPARE(numbers::parse(nb("1_234_567,89")), 1234567.89);
        for (const char* text : {"abc", "-", "1,2.3", "", "   ", "12a", "1e3", "--1", "1-", ","})
            QVERIFY2(!numbers::isNumber(QString::fromUtf8(text)), text);
        QCOMPARE(errorText([] { numbers::parse(QStringLiteral("abc")); }),
                 QStringLiteral("\"abc\" nie jest poprawną liczbą"));
    }

    void parseInteger() {
        QCOMPARE(numbers::parseInteger(QStringLiteral(" -1 000 ")), -1000);
        QCOMPARE(numbers::parseInteger(QStringLiteral("-9223372036854775808")),
                 std::numeric_limits<qint64>::min());
        QVERIFY(numbers::isInteger(QStringLiteral("12")));
        for (const char* text : {"12,0", "12.5", "1e3", "9223372036854775808", "", "x", "-"})
            QVERIFY2(!numbers::isInteger(QString::fromUtf8(text)), text);
        QCOMPARE(errorText([] { numbers::parseInteger(QStringLiteral("12,5")); }),
                 QStringLiteral("\"12,5\" nie jest poprawną liczbą całkowitą"));
    }

    void dates() {
        QCOMPARE(numbers::shortDate(QDate(2024, 3, 5)), QStringLiteral("5.03.2024"));
        for (const char* text : {"5.03.2024", "05.03.2024", "5.3.2024", "2024-03-05"})
            QCOMPARE(numbers::parseDate(QString::fromUtf8(text)), QDate(2024, 3, 5));
        QVERIFY_THROWS_EXCEPTION(ConversionError, numbers::parseDate(QString()));
        QCOMPARE(errorText([] { numbers::parseDate(QStringLiteral("31.02.2024")); }),
                 QStringLiteral("\"31.02.2024\" nie jest poprawną datą"));
    }
};

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
