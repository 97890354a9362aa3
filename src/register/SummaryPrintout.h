#pragma once

#include "reports/engine/Document.h"

#include <QString>

#include <array>
#include <functional>

// The yearly summary printed straight on the printer: laid out in the printer's dots, as the grid shows
// it, and kept in a Document in tenths of a millimetre.
namespace tarlok::summaryprint {

struct Sheet {
    QString owner;   // Wlasciciel of the vehicle
    QString vehicle; // Dane_Poj_Wszystko
    // The month name and the fourteen texts of each month's line of the grid, January first.
    std::array<std::array<QString, 15>, 12> months;
};

// A cell's text as printed: a cell never written prints "0,00", in the two kilometre columns "0".
QString printedText(const QString& gridText, int column);

// The cell left edges of a line, in dots of a printer of `dpi`.
std::array<int, 15> cellEdges(int dpi);

// The summary laid out for a printer of `dpi` dots per inch on one landscape page. Once `aborted`
// answers true, nothing more is drawn.
report::Document document(const Sheet& sheet, int dpi, const std::function<bool()>& aborted = {});

} // namespace tarlok::summaryprint
