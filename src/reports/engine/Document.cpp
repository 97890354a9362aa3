#include "Document.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
#include <cmath>

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

// The device the texts are measured on when the caller names only a resolution.
struct Measure::Probe {
    QImage image;
};

Measure::Measure(int dpi) : m_probe(std::make_unique<Probe>()), m_dpi(dpi > 0 ? dpi : 1200) {
    m_probe->image = QImage(1, 1, QImage::Format_ARGB32);
    const int dotsPerMetre = int(std::lround(m_dpi / 0.0254));
    m_probe->image.setDotsPerMeterX(dotsPerMetre);
    m_probe->image.setDotsPerMeterY(dotsPerMetre);
    m_device = &m_probe->image;
}

Measure::Measure(const QPaintDevice& device) : m_device(&device), m_dpi(device.logicalDpiY()) {
}

Measure::~Measure() = default;

double Measure::lineHeight(const Font& font) const {
    return toTenths(QFontMetricsF(font.toQFont(), m_device).height());
}

double Measure::width(const QString& text, const Font& font) const {
    return toTenths(QFontMetricsF(font.toQFont(), m_device).horizontalAdvance(text));
}

double Measure::wrappedHeight(const QString& text, const Font& font, double width) const {
    const QFontMetricsF metrics(font.toQFont(), m_device);
    const QRectF box = metrics.boundingRect(QRectF(0, 0, toDots(width), 1e9),
                                            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
    return std::max(toTenths(box.height()), toTenths(metrics.height()));
}

} // namespace tarlok::report
