#pragma once

#include <QFont>
#include <QLineF>
#include <QList>
#include <QPageLayout>
#include <QPaintDevice>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QFontMetricsF;

namespace tarlok::report {

// Every length of the report engine is in tenths of a millimetre (an A4 sheet is 2100 x 2970), measured
// from the top-left corner of the sheet in a Document and from the top-left corner of the band in a
// Report. Font sizes are in points. Line widths are in points too (0 draws the thinnest line the device
// has).
constexpr double kTenthsPerInch = 254.0;
constexpr double kTenthsPerPoint = kTenthsPerInch / 72.0;

enum class Align { Left, Centre, Right };

// A face by name: "Times New Roman" and "Arial" resolve to their metric-compatible Liberation faces.
struct Font {
    QString family = QStringLiteral("Times New Roman");
    double points = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    Font withSize(double size) const {
        Font f = *this;
        f.points = size;
        return f;
    }
    // The default face (Times New Roman) at a size; bold and underlined as asked.
    static Font sized(double size, bool isBold = false, bool isUnderlined = false) {
        Font f;
        f.points = size;
        f.bold = isBold;
        f.underline = isUnderlined;
        return f;
    }
    Font asBold() const {
        Font f = *this;
        f.bold = true;
        return f;
    }
    // The QFont to measure and draw with: hinting off, so that widths scale with the resolution.
    QFont toQFont() const;
    bool operator==(const Font&) const = default;
};

// A text placed on a page; a wrapped text holds its lines separated by '\n', one below the other at
// `lineHeight` (when 0, at the device's own line spacing). A clipped text prints nothing beyond the
// left and right of its rectangle.
struct TextItem {
    QRectF rect;
    QString text;
    Font font;
    Align align = Align::Left;
    bool clip = true;
    double lineHeight = 0.0;
};

struct LineItem {
    QLineF line;
    double width = 0.0; // points
};

struct FrameItem {
    QRectF rect;
    double width = 0.0; // points
};

// One printed page: what it shows, in sheet coordinates.
struct Page {
    std::vector<TextItem> texts;
    std::vector<LineItem> lines;
    std::vector<FrameItem> frames;

    void addText(const QRectF& rect, const QString& text, const Font& font, Align align = Align::Left,
                 bool clip = true) {
        texts.push_back(TextItem{rect, text, font, align, clip});
    }
    void addLine(const QLineF& line, double width = 0.0) { lines.push_back(LineItem{line, width}); }
    void addFrame(const QRectF& rect, double width = 0.0) { frames.push_back(FrameItem{rect, width}); }

    // The texts in reading order: top to bottom, and left to right among texts whose tops lie within
    // half a millimetre of each other.
    QStringList readingOrder() const;
    // The first text in reading order that equals `text`; nullptr when there is none.
    const TextItem* find(const QString& text) const;
};

// The margin round the page area of a printout drawn in a device's dots, on every side of the sheet
// (tenths of a millimetre): the banded reports' margin.
inline constexpr double kDotMargin = 100.0;

// Places texts given in a device's dots on a page kept in tenths of a millimetre: for the printouts that
// are drawn straight in the printer's units rather than laid out in bands. The dots count from the
// top-left corner of the page area, the sheet less kDotMargin on every side, as a printer counts them
// from the corner of the area it prints in; so the printer, the preview and a PDF file all show the
// page whole, inside the margins of the banded reports.
class DotCanvas {
public:
    DotCanvas(Page& page, const QSizeF& sheet, int dpi)
        : m_page(page), m_dpi(dpi), m_area(sheet.width() - 2 * kDotMargin, sheet.height() - 2 * kDotMargin) {}

    // The page area in tenths of a millimetre.
    QSizeF area() const { return m_area; }

    void text(int x, int y, int width, int height, const QString& text, const Font& font, Align align,
              bool clip) {
        m_page.addText(QRectF(kDotMargin + tenths(x), kDotMargin + tenths(y), tenths(width), tenths(height)),
                       text, font, align, clip);
    }

private:
    double tenths(int dots) const { return dots * kTenthsPerInch / m_dpi; }

    Page& m_page;
    const int m_dpi;
    const QSizeF m_area;
};

// A laid-out report: pages of positioned items, ready to be painted on any device or read by a test.
struct Document {
    QString title;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QList<Page> pages;

    // The sheet (A4) in tenths of a millimetre, turned by the orientation.
    QSizeF sheetSize() const;
    // The page layout for a printer or a PDF writer: A4 in this orientation. The margins are zero: the
    // items carry their own positions on the sheet.
    QPageLayout pageLayout() const;
    int pageCount() const { return int(pages.size()); }
    Page& addPage() {
        pages.append(Page());
        return pages.last();
    }
};

// Text sizes in tenths of a millimetre, measured with QFontMetricsF on a device (or at a resolution)
// with hinting off. A glyph's advance is rounded to whole dots, which adds up along a line (2 % at
// 96 dpi, 0.3 % at 1200 dpi); so the font is measured scaled to the size it has at 2400 dpi, where the
// rounding is negligible and the same whatever the device: a layout made for the screen's preview
// places every text where one made for a 1200 dpi printer does. A direct printout that places texts
// itself measures with this too.
class Measure {
public:
    // Measures as on a device of this resolution (dots per inch).
    explicit Measure(int dpi = 1200);
    // Measures on the device itself (a printer, a PDF writer); it must outlive the Measure.
    explicit Measure(const QPaintDevice& device);
    ~Measure();
    Measure(const Measure&) = delete;
    Measure& operator=(const Measure&) = delete;

    int dpi() const { return m_dpi; }
    // The height of one line of text (ascent and descent).
    double lineHeight(const Font& font) const;
    // The height of the font above its baseline.
    double ascent(const Font& font) const;
    double width(const QString& text, const Font& font) const;
    // The text broken into lines at word boundaries (and at its own line breaks) within `width`; a
    // word longer than the width is broken where it must.
    QStringList wrap(const QString& text, const Font& font, double width) const;

private:
    QFont scaled(const Font& font) const;
    const QFontMetricsF& metrics(const Font& font) const;
    double toTenths(double dots) const { return dots * kTenthsPerInch / (m_dpi * m_scale); }
    double toDots(double tenths) const { return tenths * m_dpi * m_scale / kTenthsPerInch; }

    struct Probe;
    std::unique_ptr<Probe> m_probe;
    const QPaintDevice* m_device = nullptr;
    int m_dpi = 1200;
    double m_scale = 1.0; // fonts are measured this many times larger
};

} // namespace tarlok::report
