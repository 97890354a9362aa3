#include "Statement.h"

#include <cmath>

namespace tarlok::lumpsum::statement {

namespace {

// Column widths in tenths of an inch.
constexpr int kColumnWidths[11] = {14, 8, 8, 8, 8, 8, 8, 8, 8, 8, 8};

const char* const kHeadings[2][11] = {
    {"MIESIĄC", "Data", "Ryczałt", "Stawka", "Ryczałt", "Dni", "Dni bez", "Inne", "Suma", "Należność",
     "Należność"},
    {"      ", "oświadcz.", "w km", "za 1 km", "pieniężny", "urlopu", "samochodu", "nieobecn.", "potrącenia",
     "miesięczna", "narastająco"},
};

// Bold headings are underlined too; the face is the printouts' Times New Roman (in its Central
// European variant, whose Polish letters are in the face itself today).
report::Font face(double points, bool boldUnderlined) {
    return report::Font::sized(points, boldUnderlined, boldUnderlined);
}

QString signatureLine() {
    return QString(16, QLatin1Char('-')) + QString(89, QLatin1Char(' ')) + QString(17, QLatin1Char('-'));
}

QString signatureNames() {
    return QStringLiteral("Pracownik") + QString(91, QLatin1Char(' ')) + QStringLiteral("Pracodawca");
}

} // namespace

std::array<int, 12> columnEdges(int dpi) {
    std::array<int, 12> edges{};
    int x = 0;
    for (int c = 0; c < 11; ++c) {
        edges[size_t(c)] = x;
        x += dpi * kColumnWidths[c] / 10; // cut to whole dots
    }
    edges[11] = x;
    return edges;
}

report::Document document(const Sheet& sheet, int dpi, const std::function<bool()>& aborted) {
    const auto stopped = [&] {
        return aborted && aborted();
    };
    report::Document doc;
    doc.title = kTitle;
    doc.orientation = QPageLayout::Landscape;
    report::Page& page = doc.addPage();
    report::DotCanvas canvas(page, doc.sheetSize(), dpi);

    const int gap = dpi / 10;
    const report::Measure measure(dpi);
    // The height of "X" in the printer's font, in dots, and the gap below it.
    const int h = int(std::lround(measure.lineHeight(face(10, false)) * dpi / report::kTenthsPerInch)) + gap;
    const QSizeF area = canvas.area();
    const int pageWidth = int(area.width() * dpi / report::kTenthsPerInch);
    const int pageHeight = int(area.height() * dpi / report::kTenthsPerInch);
    int y = 0;

    if (stopped())
        return doc;
    canvas.text(0, y, pageWidth, h, kTitle, face(10, true), report::Align::Centre, false);
    y += h + gap;

    if (stopped())
        return doc;
    canvas.text(15, h + 50, pageWidth - 15, h,
                QStringLiteral("Właściciel: ") + sheet.owner + QStringLiteral("     Dane pojazdu:") +
                    sheet.vehicle + QStringLiteral("   Rok księgowania: ") + sheet.year,
                face(10, false), report::Align::Left, false);
    y += 2 * h + gap;

    const std::array<int, 12> edges = columnEdges(dpi);
    const auto line = [&](const auto& textOf, const report::Font& font) {
        for (int c = 0; c < 11; ++c)
            canvas.text(edges[size_t(c)], y, edges[size_t(c) + 1] - edges[size_t(c)], h, textOf(c), font,
                        report::Align::Left, true);
        y += 2 * gap;
    };
    for (const auto& heading : kHeadings) {
        if (stopped())
            return doc;
        line([&](int c) { return QString::fromUtf8(heading[c]); }, face(9, true));
    }
    for (const auto& month : sheet.months) {
        if (stopped())
            return doc;
        line(
            [&](int c) {
                // The date is printed with its ten characters at most.
                return c == 1 ? month[size_t(c)].left(10) : month[size_t(c)];
            },
            face(9, false));
    }

    if (stopped())
        return doc;
    const int signatures = pageHeight - pageHeight / 6;
    canvas.text(0, signatures, pageWidth, h, signatureLine(), face(9, false), report::Align::Centre, false);
    canvas.text(0, signatures + h, pageWidth, h, signatureNames(), face(9, false), report::Align::Centre,
                false);
    return doc;
}

} // namespace tarlok::lumpsum::statement
