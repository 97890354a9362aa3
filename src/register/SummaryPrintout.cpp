#include "SummaryPrintout.h"

#include <cmath>

namespace tarlok::summaryprint {

namespace {

// Cell widths in tenths of an inch.
constexpr int kCellWidths[15] = {8, 8, 8, 8, 8, 8, 8, 5, 5, 8, 8, 8, 8, 5, 6};

const char* const kHeadingLines[3][15] = {
    {"MIESIĄC", "Wartość", "Wartość", "Koszty", "Koszty", "Koszty", "Koszty", "Km", "Km", "Wydatki na",
     "Wydatki na", "Zużyte", "Zużyte", "VAT", "Zużycie"},
    {"", "przejazdów", "przejazdów", "miesięczne", "narastająco", "zaliczone", "zaliczone", "m-c", "narast.",
     "paliwo", "paliwo", "paliwo[dm3]", "paliwo[dm3]", "[zł]", "paliwa"},
    {"", "miesięcznie", "narastająco", "", "", "miesięcznie", "narastająco", "", "", "miesięcznie",
     "narastająco", "miesięcznie", "narastająco", "m-c", "100 km"},
};

// Bold headings are underlined too; the face is the printouts' Times New Roman (in its Central
// European variant, whose Polish letters are in the face itself today).
report::Font face(double points, bool boldUnderlined) {
    return report::Font::sized(points, boldUnderlined, boldUnderlined);
}

} // namespace

QString printedText(const QString& gridText, int column) {
    if (!gridText.isEmpty())
        return gridText;
    return column == 7 || column == 8 ? QStringLiteral("0") : QStringLiteral("0,00");
}

std::array<int, 15> cellEdges(int dpi) {
    std::array<int, 15> edges{};
    int x = 0;
    for (int c = 0; c < 15; ++c) {
        edges[size_t(c)] = x;
        x += int(std::lround(kCellWidths[c] * dpi / 10.0));
    }
    return edges;
}

report::Document document(const Sheet& sheet, int dpi, const std::function<bool()>& aborted) {
    const auto stopped = [&] {
        return aborted && aborted();
    };
    report::Document doc;
    doc.title = QStringLiteral("ZESTAWIENIE DANYCH DLA EWIDENCJI PRZEJAZDÓW");
    doc.orientation = QPageLayout::Landscape;
    report::Page& page = doc.addPage();
    report::DotCanvas canvas(page, doc.sheetSize(), dpi);

    const int gap = dpi / 10;
    const report::Measure measure(dpi);
    // The height of "X" in the printer's font, in dots, and the gap below it.
    const int h = int(std::lround(measure.lineHeight(face(10, false)) * dpi / report::kTenthsPerInch)) + gap;
    const int pageWidth = int(std::lround(canvas.area().width() * dpi / report::kTenthsPerInch));
    int y = 0;

    if (stopped())
        return doc;
    canvas.text(0, y, pageWidth, h, doc.title, face(10, true), report::Align::Centre, false);
    y += h + gap;

    if (stopped())
        return doc;
    canvas.text(15, h + 50, pageWidth - 15, h,
                QStringLiteral("Właściciel: ") + sheet.owner + QStringLiteral("     Dane pojazdu:") +
                    sheet.vehicle,
                face(10, false), report::Align::Left, false);
    y += 2 * h + gap;

    const std::array<int, 15> edges = cellEdges(dpi);
    const auto line = [&](const auto& textOf, const report::Font& font) {
        for (int c = 0; c < 15; ++c) {
            const int width = int(std::lround(kCellWidths[c] * dpi / 10.0));
            canvas.text(edges[size_t(c)], y, width, h, textOf(c), font, report::Align::Left, true);
        }
        y += 2 * gap;
    };
    for (const auto& heading : kHeadingLines) {
        if (stopped())
            return doc;
        line([&](int c) { return QString::fromUtf8(heading[c]); }, face(9, true));
    }
    for (const auto& month : sheet.months) {
        if (stopped())
            return doc;
        line([&](int c) { return c == 0 ? month[0] : printedText(month[size_t(c)], c); }, face(9, false));
    }
    return doc;
}

} // namespace tarlok::summaryprint
