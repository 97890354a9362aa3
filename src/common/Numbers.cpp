#include "Numbers.h"

#include "Error.h"

#include <QLocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

namespace tarlok::numbers {

namespace {

// The most significant digits a double carries reliably; the general format and every rounding for
// display start from the value written with this many digits, so representation noise (2.675 held as
// 2.67499999999999982) never decides a rounding.
constexpr int kDigits = 15;

// A finite number as decimal digits: value = 0.d1d2d3... x 10^point, no leading zero in `digits`;
// zero has no digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
};

void stripTrailingZeros(Decimal& d) {
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.point = 0;
}

// `value` (finite) rounded to kDigits significant digits.
Decimal toDecimal(double value) {
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0.0)
        return d;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kDigits - 1, std::fabs(value));
    // buffer: d.dddddddddddddde[+-]xx
    const std::string text(buffer);
    const auto e = text.find('e');
    d.digits = text.substr(0, 1) + text.substr(2, e - 2);
    d.point = std::stoi(text.substr(e + 1)) + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps the first `count` digits, rounding half away from zero on the digit that follows.
void roundToDigits(Decimal& d, int count) {
    const int size = static_cast<int>(d.digits.size());
    if (count >= size)
        return;
    if (count < 0) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    const bool up = d.digits[count] >= '5';
    d.digits.resize(count);
    if (up) {
        int i = count - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    stripTrailingZeros(d);
}

QString signOf(const Decimal& d, const QLocale& locale) {
    return d.negative && !d.isZero() ? locale.negativeSign() : QString();
}

// The smallest number of integer digits written with group separators, read from the locale itself
// (Polish leaves 1234 ungrouped and groups 12 345); 0 when the locale writes no group separators.
int groupingThreshold(const QLocale& locale) {
    const QString separator = locale.groupSeparator();
    if (separator.isEmpty())
        return 0;
    // Asked once per locale: the probes format numbers, and grids ask for every cell.
    thread_local QString cachedKey;
    thread_local int cached = 0;
    const QString key = locale.name() + QLatin1Char('/') + QString::number(locale.numberOptions().toInt()) +
                        QLatin1Char('/') + separator;
    if (key == cachedKey)
        return cached;
    int threshold = 0;
    qlonglong probe = 1000;
    for (int digits = 4; digits <= 6 && threshold == 0; ++digits, probe *= 10) {
        if (locale.toString(probe).contains(separator))
            threshold = digits;
    }
    cachedKey = key;
    cached = threshold;
    return threshold;
}

// Groups of three from the right. Qt 6.4 applies Polish minimum grouping to the leading group of every
// number ("1234 567"), so the groups are laid here and only the threshold is taken from the locale.
QString groupDigits(const QString& digits, const QLocale& locale) {
    const int threshold = groupingThreshold(locale);
    if (threshold == 0 || digits.size() < threshold)
        return digits;
    const QString separator = locale.groupSeparator();
    QString result;
    const auto size = digits.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (i > 0 && (size - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}

// d written with exactly `decimals` decimals (d has no more than that).
QString fixed(const Decimal& d, int decimals, bool group, const QLocale& locale) {
    const std::string& s = d.digits;
    QString whole;
    if (d.point <= 0) {
        whole = QStringLiteral("0");
    } else {
        for (int i = 0; i < d.point; ++i)
            whole += QLatin1Char(i < static_cast<int>(s.size()) ? s[i] : '0');
    }
    if (group)
        whole = groupDigits(whole, locale);
    QString result = signOf(d, locale) + whole;
    if (decimals > 0) {
        result += locale.decimalPoint();
        for (int i = d.point; i < d.point + decimals; ++i)
            result += QLatin1Char(i >= 0 && i < static_cast<int>(s.size()) ? s[i] : '0');
    }
    return result;
}

// d.ddd E exponent, with no "+" and no leading zeros in the exponent: 1,5E20, 1E-7.
QString scientific(const Decimal& d, const QLocale& locale) {
    QString result = signOf(d, locale) + QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1) {
        result += locale.decimalPoint();
        result += QString::fromLatin1(d.digits.data() + 1, static_cast<qsizetype>(d.digits.size() - 1));
    }
    return result + QLatin1Char('E') + QString::number(d.point - 1);
}

QString nonFinite(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

[[noreturn]] void refuse(const QString& text, const char* what) {
    throw ConversionError(QStringLiteral("\"%1\" %2").arg(text, QString::fromUtf8(what)));
}

const char* const kNotNumber = "nie jest poprawną liczbą";
const char* const kNotInteger = "nie jest poprawną liczbą całkowitą";
const char* const kNotDate = "nie jest poprawną datą";

// The length of a sign at the start of `text` and whether it is a minus; length 0 for no sign.
std::pair<qsizetype, bool> signAt(QStringView text, const QString& negative, const QString& positive) {
    if (text.startsWith(u'-'))
        return {1, true};
    if (text.startsWith(u'+'))
        return {1, false};
    if (!negative.isEmpty() && text.startsWith(negative))
        return {negative.size(), true};
    if (!positive.isEmpty() && text.startsWith(positive))
        return {positive.size(), false};
    return {0, false};
}

// The text of a number reduced to ASCII: an optional "-", digits and at most one "."; blanks and group
// separators dropped. Empty when the text is not a plain decimal number.
std::string normalise(const QString& text, bool allowFraction) {
    const QLocale locale;
    const QString decimal = locale.decimalPoint();
    // The "." always reads as a decimal point, so a locale grouping with "." keeps its grouping out.
    QString group = locale.groupSeparator();
    if (group == QLatin1String(".") || group == decimal)
        group.clear();
    const QString negative = locale.negativeSign();
    const QString positive = locale.positiveSign();

    std::string out;
    bool digits = false;
    bool separator = false;
    bool sign = false;
    const QString t = text.trimmed();
    for (qsizetype i = 0; i < t.size();) {
        const QChar c = t[i];
        const QStringView rest = QStringView(t).mid(i);
        if (c == QLatin1Char(' ') || c == QChar(0x00A0) || c == QChar(0x202F)) {
            ++i;
        } else if (!group.isEmpty() && rest.startsWith(group)) {
            i += group.size();
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            out += static_cast<char>(c.unicode());
            digits = true;
            ++i;
        } else if (c == QLatin1Char('.') || (!decimal.isEmpty() && rest.startsWith(decimal))) {
            if (!allowFraction || separator)
                return {};
            separator = true;
            out += '.';
            i += c == QLatin1Char('.') ? 1 : decimal.size();
        } else if (const auto [length, minus] = signAt(rest, negative, positive); length > 0) {
            if (sign || !out.empty())
                return {};
            sign = true;
            if (minus)
                out += '-';
            i += length;
        } else {
            return {};
        }
    }
    return digits ? out : std::string();
}

} // namespace

QString general(double value) {
    if (!std::isfinite(value))
        return nonFinite(value);
    const QLocale locale;
    const Decimal d = toDecimal(value);
    if (d.isZero())
        return QStringLiteral("0");
    // Below 0.00001 or beyond 15 integer digits the figures go into an exponent.
    if (d.point < -4 || d.point > kDigits)
        return scientific(d, locale);
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.point);
    return fixed(d, decimals, false, locale);
}

QString pattern(double value, const QString& pattern) {
    if (!std::isfinite(value))
        return nonFinite(value);
    const auto dot = pattern.indexOf(QLatin1Char('.'));
    const int decimals = dot < 0 ? 0 : static_cast<int>(pattern.size() - dot - 1);
    const bool group = pattern.left(dot < 0 ? pattern.size() : dot).contains(QLatin1Char(','));
    Decimal d = toDecimal(value);
    roundToDigits(d, d.point + decimals);
    return fixed(d, decimals, group, QLocale());
}

QString grouped(double value, int precision, int decimals) {
    if (!std::isfinite(value))
        return nonFinite(value);
    precision = std::clamp(precision, 1, kDigits);
    decimals = std::max(decimals, 0);
    const QLocale locale;
    Decimal d = toDecimal(value);
    roundToDigits(d, std::min(precision, d.point + decimals));
    if (d.point > precision)
        return scientific(d, locale);
    return fixed(d, decimals, true, locale);
}

QString integer(qint64 value) {
    return QString::number(value);
}

double parse(const QString& text) {
    const std::string plain = normalise(text, true);
    if (plain.empty())
        refuse(text, kNotNumber);
    bool ok = false;
    const double value = QByteArray::fromStdString(plain).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        refuse(text, kNotNumber);
    return value;
}

qint64 parseInteger(const QString& text) {
    const std::string plain = normalise(text, false);
    if (plain.empty())
        refuse(text, kNotInteger);
    bool ok = false;
    const qint64 value = QByteArray::fromStdString(plain).toLongLong(&ok, 10);
    if (!ok)
        refuse(text, kNotInteger);
    return value;
}

bool isNumber(const QString& text) {
    try {
        parse(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

bool isInteger(const QString& text) {
    try {
        parseInteger(text);
        return true;
    } catch (const ConversionError&) {
        return false;
    }
}

QString shortDate(const QDate& date) {
    return QLocale().toString(date, QLocale::ShortFormat);
}

QDate parseDate(const QString& text) {
    const QLocale locale;
    const QString t = text.trimmed();
    QDate date = locale.toDate(t, QLocale::ShortFormat);
    if (!date.isValid()) {
        // The short format asks for two-digit months ("d.MM.yyyy"); "5.3.2024" is read as well.
        QString loose = locale.dateFormat(QLocale::ShortFormat);
        loose.replace(QLatin1String("dd"), QLatin1String("d"))
            .replace(QLatin1String("MM"), QLatin1String("M"));
        date = locale.toDate(t, loose);
    }
    if (!date.isValid())
        date = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        refuse(text, kNotDate);
    return date;
}

} // namespace tarlok::numbers
