#include "Painter.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace tarlok::report {

namespace {

// Sheet coordinates (tenths of a millimetre) to the device's dots.
class DeviceMap {
public:
    DeviceMap(const QPaintDevice& device, QPointF origin)
        : m_x(device.logicalDpiX() / kTenthsPerInch), m_y(device.logicalDpiY() / kTenthsPerInch),
          m_origin(origin) {}

    QPointF point(const QPointF& p) const { return QPointF(p.x() * m_x, p.y() * m_y) - m_origin; }
    QRectF rect(const QRectF& r) const { return QRectF(point(r.topLeft()), point(r.bottomRight())); }
    // A width in points; 0 stays 0, the thinnest line the device draws.
    double pen(double points) const { return points * kTenthsPerPoint * m_y; }

private:
    double m_x;
    double m_y;
    QPointF m_origin;
};

int alignmentFlags(const TextItem& text) {
    int flags = Qt::AlignTop | Qt::TextDontClip;
    switch (text.align) {
    case Align::Left:
        flags |= Qt::AlignLeft;
        break;
    case Align::Centre:
        flags |= Qt::AlignHCenter;
        break;
    case Align::Right:
        flags |= Qt::AlignRight;
        break;
    }
    return flags;
}

// Rules on a raster device (the preview's pages, an image): the grid of a register has hundreds of
// them, all upright or level, and a filled rectangle costs a fraction of an antialiased stroke. The
// rectangle covers what the stroke would: the pen's width across (one dot for the thinnest line, as a
// cosmetic pen draws it) and half of it beyond each end, as the pen's square cap does.
bool fillRule(QPainter& painter, const QLineF& line, double width) {
    if (line.x1() != line.x2() && line.y1() != line.y2())
        return false;
    const double half = (width > 0.0 ? width : 1.0) / 2.0;
    const QRectF rule(QPointF(std::min(line.x1(), line.x2()) - half, std::min(line.y1(), line.y2()) - half),
                      QPointF(std::max(line.x1(), line.x2()) + half, std::max(line.y1(), line.y2()) + half));
    painter.fillRect(rule, Qt::black);
    return true;
}

void paintPage(QPainter& painter, const Page& page, const DeviceMap& map) {
    const bool raster = painter.paintEngine()->type() == QPaintEngine::Raster;
    QPen pen(Qt::black);
    for (const LineItem& line : page.lines) {
        const QLineF onDevice(map.point(line.line.p1()), map.point(line.line.p2()));
        if (raster && fillRule(painter, onDevice, map.pen(line.width)))
            continue;
        pen.setWidthF(map.pen(line.width));
        painter.setPen(pen);
        painter.drawLine(onDevice);
    }
    painter.setBrush(Qt::NoBrush);
    for (const FrameItem& frame : page.frames) {
        const QRectF box = map.rect(frame.rect);
        if (raster) {
            const double width = map.pen(frame.width);
            fillRule(painter, QLineF(box.topLeft(), box.topRight()), width);
            fillRule(painter, QLineF(box.bottomLeft(), box.bottomRight()), width);
            fillRule(painter, QLineF(box.topLeft(), box.bottomLeft()), width);
            fillRule(painter, QLineF(box.topRight(), box.bottomRight()), width);
            continue;
        }
        pen.setWidthF(map.pen(frame.width));
        painter.setPen(pen);
        painter.drawRect(box);
    }
    painter.setPen(QPen(Qt::black));
    // A page's texts come in runs of one font (a column of a register): the painter's font is set again
    // only when it changes, which spares resolving the same font for every cell.
    const Font* fontSet = nullptr;
    for (const TextItem& text : page.texts) {
        const QRectF box = map.rect(text.rect);
        if (!fontSet || !(*fontSet == text.font)) {
            painter.setFont(text.font.toQFont());
            fontSet = &text.font;
        }
        if (text.clip) {
            // Cut at the sides only: a line of text may reach a little below its box on another device.
            painter.setClipRect(QRectF(box.left(), box.top() - box.height(), box.width(), 3 * box.height()));
        }
        if (text.lineHeight > 0 && text.text.contains(QLatin1Char('\n'))) {
            // Line by line at the laid-out spacing: a device's own spacing (with its leading) would let
            // the lines run below the height the band was given.
            const QStringList lines = text.text.split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < lines.size(); ++i) {
                const QRectF line(text.rect.left(), text.rect.top() + double(i) * text.lineHeight,
                                  text.rect.width(), text.lineHeight);
                painter.drawText(map.rect(line), alignmentFlags(text), lines[i]);
            }
        } else {
            painter.drawText(box, alignmentFlags(text), text.text);
        }
        if (text.clip)
            painter.setClipping(false);
    }
}

} // namespace

void setUpPage(QPagedPaintDevice& device, const Document& document) {
    device.setPageLayout(document.pageLayout());
}

bool paint(const Document& document, QPaintDevice& device) {
    int from = 1;
    int to = document.pageCount();
    QPointF origin;
    auto* printer = dynamic_cast<QPrinter*>(&device);
    if (printer) {
        if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
            from = std::max(from, printer->fromPage());
            to = std::min(to, printer->toPage() > 0 ? printer->toPage() : to);
        }
        if (!printer->fullPage())
            origin = printer->pageLayout().paintRectPixels(printer->resolution()).topLeft();
    } else if (auto* paged = dynamic_cast<QPagedPaintDevice*>(&device)) {
        // A PDF writer's painter starts at its margins.
        origin = paged->pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    }

    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const DeviceMap map(device, origin);
    auto* paged = dynamic_cast<QPagedPaintDevice*>(&device);
    for (int number = from; number <= to; ++number) {
        if (number > from && paged && !paged->newPage())
            return false;
        if (printer && printer->printerState() == QPrinter::Aborted)
            return false;
        paintPage(painter, document.pages[number - 1], map);
    }
    return painter.end();
}

bool writePdf(const Document& document, const QString& fileName) {
    QPdfWriter writer(fileName);
    writer.setResolution(1200);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Tarlok"));
    setUpPage(writer, document);
    return paint(document, writer);
}

bool print(const Document& document, QPrinter& printer) {
    printer.setDocName(document.title);
    setUpPage(printer, document);
    return paint(document, printer);
}

} // namespace tarlok::report
