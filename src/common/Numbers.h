#pragma once

#include <QDate>
#include <QString>

// Number and date texts in the user's locale (QLocale(); Polish writes a decimal comma). Reading
// accepts the locale's decimal separator and also ".", ignores spaces and group separators, and
// otherwise throws ConversionError with a message that quotes the text.
namespace tarlok::numbers {

// The general format: the shortest text that reads back as the value (at most 15 significant digits),
// no grouping: 126.2058 -> "126,2058", 100 -> "100", 0.1 -> "0,1", 0.1 + 0.2 -> "0,3". Below 0.00001 or
// with more than 15 integer digits the value is written with an exponent: "1,5E-7", "1E20".
//
// All formats round from the value written with 15 significant digits, so a value held a hair under
// a half (2.675 as 2.67499...) rounds as written. A result that rounds to zero carries no minus sign.
QString general(double value);

// A display pattern of the kind "0", "0.00" or "0.0000": that many decimals, rounded half away from
// zero, no grouping: (126.2058, "0.00") -> "126,21", (0.8358, "0.0000") -> "0,8358", (2.675, "0.00")
// -> "2,68". A "," before the point ("#,##0.00") asks for grouping as in grouped().
QString pattern(double value, const QString& pattern);

// The grouped number format with `precision` significant digits (at most 15) and `decimals` decimals,
// rounded once, half away from zero: (12345.5, 8, 2) -> "12 345,50" (group separator of the locale,
// U+00A0 in Polish), (123456.789, 6, 2) -> "123 457,00". Groups of three; a number with fewer integer
// digits than the locale's minimum for grouping stays whole (Polish: 1234,50 but 1 234 567,50). A value
// with more integer digits than `precision` is written in scientific notation: (123456789, 8, 2) ->
// "1,2345679E8".
QString grouped(double value, int precision, int decimals);

// An integer in decimal, no grouping.
QString integer(qint64 value);

// Reads a number (see above); an empty or blank text is an error too, and so is an exponent ("1e3").
// The blanks ignored are the space, U+00A0 and U+202F.
double parse(const QString& text);
// Reads a whole number; "12,0" is not one, nor is a number outside qint64.
qint64 parseInteger(const QString& text);
// True when `text` reads as a number / a whole number.
bool isNumber(const QString& text);
bool isInteger(const QString& text);

// The short date text of the locale ("5.03.2024" in Polish), and reading it back; single-digit months
// ("5.3.2024") and ISO "yyyy-MM-dd" are accepted too. An empty text is an error like any other.
QString shortDate(const QDate& date);
QDate parseDate(const QString& text);

} // namespace tarlok::numbers
