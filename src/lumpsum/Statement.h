#pragma once

#include "reports/engine/Document.h"

#include <QString>

#include <array>
#include <functional>

// The lump-sum statement of one car's year: one landscape page laid out in the dots of a device of a
// given resolution, with signature lines for the employee and the employer, kept in a Document. The
// same Document is printed straight on the printer or shown in a preview.
namespace tarlok::lumpsum::statement {

inline const QString kTitle = QStringLiteral("ZESTAWIENIE DANYCH DLA RYCZAŁTU - PRZEJAZDY LOKALNE");

struct Sheet {
    QString owner;   // Wlasciciel of the car
    QString vehicle; // Dane_Poj_Wszystko
    QString year;    // the year as the year box shows it
    // The month name and the ten texts of each month's line of the summary sheet, January first.
    std::array<std::array<QString, 11>, 12> months;
};

// The left edges of the eleven columns and the right edge of the last, in dots of a device of `dpi`
// dots per inch: the month column 1.4 inch wide, the others 0.8 inch, each cut to whole dots.
std::array<int, 12> columnEdges(int dpi);

// The statement laid out for a device of `dpi` dots per inch (vertically) on one landscape A4 page.
// Once `aborted` answers true, nothing more is drawn.
report::Document document(const Sheet& sheet, int dpi, const std::function<bool()>& aborted = {});

} // namespace tarlok::lumpsum::statement
