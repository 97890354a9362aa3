#include "Document.h"

#include <QFontMetricsF>
#include <QImage>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace tarlok::report {

namespace {

constexpr double kA4Width = 2100.0;
constexpr double kA4Height = 2970.0;
// Texts whose tops differ by less than this stand on one line of the page (tenths of a millimetre).
constexpr double kSameLine = 5.0;

} // namespace

QFont Font::toQFont() const {
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QStringList Page::readingOrder() const {
    std::vector<const TextItem*> order;
    order.reserve(texts.size());
    for (const TextItem& t : texts)
        order.push_back(&t);
    // Lines first: a text starts a new line when it lies clearly below the line's first text.
    std::stable_sort(order.begin(), order.end(),
                     [](const TextItem* a, const TextItem* b) { return a->rect.top() < b->rect.top(); });
    QStringList out;
    size_t start = 0;
    while (start < order.size()) {
        size_t end = start + 1;
        while (end < order.size() && order[end]->rect.top() - order[start]->rect.top() < kSameLine)
            ++end;
        std::stable_sort(
            order.begin() + long(start), order.begin() + long(end),
            [](const TextItem* a, const TextItem* b) { return a->rect.left() < b->rect.left(); });
        for (size_t i = start; i < end; ++i)
            out.append(order[i]->text);
        start = end;
    }
    return out;
}

const TextItem* Page::find(const QString& text) const {
    const TextItem* best = nullptr;
    for (const TextItem& t : texts) {
        if (t.text != text)
            continue;
        if (!best || t.rect.top() < best->rect.top() - kSameLine ||
            (std::abs(t.rect.top() - best->rect.top()) < kSameLine && t.rect.left() < best->rect.left()))
            best = &t;
    }
    return best;
}

QSizeF Document::sheetSize() const {
    return orientation == QPageLayout::Portrait ? QSizeF(kA4Width, kA4Height) : QSizeF(kA4Height, kA4Width);
}

QPageLayout Document::pageLayout() const {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// The device the texts are measured on when the caller names only a resolution, and the metrics of
// each font measured so far: a report asks for the same few fonts on every line, and building a font's
// metrics costs far more than reading them.
struct Measure::Probe {
    QImage image;
    std::vector<std::pair<Font, QFontMetricsF>> metrics;
};

namespace {

// Texts are measured with their fonts scaled to the size they have at this resolution: large enough
// that the rounding of glyph advances to whole dots is negligible, and the same for every device.
constexpr double kReferenceDpi = 2400.0;

} // namespace

Measure::Measure(int dpi) : m_probe(std::make_unique<Probe>()), m_dpi(dpi > 0 ? dpi : 1200) {
    m_probe->image = QImage(1, 1, QImage::Format_ARGB32);
    const int dotsPerMetre = int(std::lround(m_dpi / 0.0254));
    m_probe->image.setDotsPerMeterX(dotsPerMetre);
    m_probe->image.setDotsPerMeterY(dotsPerMetre);
    m_device = &m_probe->image;
    m_dpi = m_device->logicalDpiY();
    m_scale = kReferenceDpi / m_dpi;
}

Measure::Measure(const QPaintDevice& device)
    : m_probe(std::make_unique<Probe>()), m_device(&device), m_dpi(device.logicalDpiY()),
      m_scale(kReferenceDpi / m_dpi) {
}

Measure::~Measure() = default;

QFont Measure::scaled(const Font& font) const {
    QFont f = font.toQFont();
    f.setPointSizeF(font.points * m_scale);
    return f;
}

const QFontMetricsF& Measure::metrics(const Font& font) const {
    for (const auto& [measured, metrics] : m_probe->metrics) {
        if (measured == font)
            return metrics;
    }
    return m_probe->metrics.emplace_back(font, QFontMetricsF(scaled(font), m_device)).second;
}

double Measure::lineHeight(const Font& font) const {
    return toTenths(metrics(font).height());
}

double Measure::ascent(const Font& font) const {
    return toTenths(metrics(font).ascent());
}

double Measure::width(const QString& text, const Font& font) const {
    return toTenths(metrics(font).horizontalAdvance(text));
}

QStringList Measure::wrap(const QString& text, const Font& font, double width) const {
    // One line that fits with a dot to spare needs no line breaking (most cells of a register).
    if (!text.contains(QLatin1Char('\n')) && metrics(font).horizontalAdvance(text) + 1.0 <= toDots(width))
        return {text.trimmed()};
    QStringList lines;
    const QFont f = scaled(font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, f, m_device);
        layout.setTextOption(option);
        layout.beginLayout();
        const qsizetype before = lines.size();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(toDots(width));
            lines.append(paragraph.mid(line.textStart(), line.textLength()).trimmed());
        }
        layout.endLayout();
        // An empty paragraph is one empty line (the layout may give it one line or none).
        if (lines.size() == before)
            lines.append(QString());
    }
    return lines;
}

} // namespace tarlok::report
