// Laying a Report out on pages: reads the rows once, then places the bands top to bottom, starting a
// new page whenever the next band does not fit above the page footer.
#include "Report.h"

#include "common/Numbers.h"
#include "platform/Clock.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace tarlok::report {

namespace {

constexpr double kEpsilon = 1e-6;
// The least room a caption keeps on each side to a rule of its column (tenths of a millimetre).
constexpr double kRuleGap = 5.0;
constexpr double kUnbounded = 1e9;

// A vertical rule of a band: its x and the stretch it covers, within the band.
struct VerticalRule {
    double x;
    double top;
    double bottom;
};

// A value as the report prints it: numbers by the pattern (or in the general format), dates as short
// dates (or by a date pattern such as "yyyy"), logical values as Tak / Nie.
QString formatValue(const QVariant& value, const QString& pattern) {
    if (value.isNull() || !value.isValid())
        return QString();
    switch (value.typeId()) {
    case QMetaType::QDate:
        return pattern.isEmpty() ? numbers::shortDate(value.toDate())
                                 : QLocale().toString(value.toDate(), pattern);
    case QMetaType::QDateTime: {
        const QDateTime at = value.toDateTime();
        return pattern.isEmpty()
                   ? numbers::shortDate(at.date()) + QLatin1Char(' ') + at.time().toString("HH:mm")
                   : QLocale().toString(at, pattern);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return pattern.isEmpty() ? numbers::general(value.toDouble())
                                 : numbers::pattern(value.toDouble(), pattern);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return pattern.isEmpty() ? numbers::integer(value.toLongLong())
                                 : numbers::pattern(value.toDouble(), pattern);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Tak") : QStringLiteral("Nie");
    default:
        return value.toString();
    }
}

// The widest word of a text to be wrapped, else its widest line: what must fit a width.
QString widestPart(const Measure& measure, const QString& text, const Font& font, bool wrapped) {
    QString widest;
    double most = -1;
    const QStringList parts =
        wrapped ? text.split(QRegularExpression(QStringLiteral("\\s+"))) : text.split(QLatin1Char('\n'));
    for (const QString& part : parts) {
        const double w = measure.width(part, font);
        if (w > most) {
            most = w;
            widest = part;
        }
    }
    return widest;
}

} // namespace

class Layouter {
public:
    Layouter(const Report& report, const Measure& measure) : m_report(report), m_measure(measure) {}
    Document run();

private:
    // What the values printed so far add up to. A band that moves to the next page lets the page
    // footer print the state from before its row.
    struct State {
        const Row* current = nullptr;
        int rowNumber = 0;
        int subRowNumber = 0;
        std::vector<double> sums;
    };

    struct Placed {
        const Item* item;
        QRectF rect; // within the band
        QString text;
        Font font; // the item's, or smaller when it had to shrink to fit
    };

    static bool prints(const Band& band) {
        return band.isEnabled() && (band.height() > 0 || !band.items().empty());
    }
    const Row* rowOr(const Row* row) const { return row ? row : m_first; }
    Font fitted(const QString& text, const Font& font, double width) const;
    static std::vector<VerticalRule> verticalRules(const Band& band, double width);
    bool keepBetweenRules(const std::vector<VerticalRule>& rules, const Item& item, const QString& text,
                          double& x, double& width, Font& font) const;

    void collectSums();
    void accumulate(RowLevel level, const Row& row);
    void resetGroup(int group);

    QString itemText(const Item& item, const Band& band, const Row* row, const State& state,
                     bool& needsPageCount) const;
    std::vector<Placed> arrange(const Band& band, const Row* row, const State& state, double& height,
                                std::vector<size_t>* pageCountTexts = nullptr) const;
    void drawBand(const Band& band, const Row* row, const State& state, double top);
    void place(const Band& band, const Row* row, const State& before);

    void startPage();
    void finishPage(const State& state);

    const Report& m_report;
    const Measure& m_measure;
    Document m_doc;
    QList<Row> m_rows;
    const Row* m_first = nullptr;
    const Row* m_last = nullptr;

    State m_state;
    std::vector<const Item*> m_sumItems;
    std::vector<int> m_sumGroup; // the group whose start resets the sum; -1 for the whole report
    std::vector<std::pair<int, size_t>> m_pageCountTexts; // page, text still holding %2

    double m_left = 0;
    double m_width = 0;
    double m_y = 0;
    double m_bodyBottom = 0;
    bool m_pageFresh = true;
};

void Layouter::collectSums() {
    const int innermost = int(m_report.m_groups.size()) - 1;
    auto collect = [this](const Band& band, int group) {
        for (const auto& item : band.items()) {
            if (item->m_kind != Item::Kind::Sum)
                continue;
            m_sumItems.push_back(item.get());
            m_sumGroup.push_back(item->m_scope == SumScope::Group ? group : -1);
        }
    };
    for (const Band* band : m_report.bands()) {
        if (band->type() != BandType::GroupHeader && band->type() != BandType::GroupFooter)
            collect(*band, innermost);
    }
    for (size_t g = 0; g < m_report.m_groups.size(); ++g) {
        collect(m_report.m_groups[g]->m_header, int(g));
        collect(m_report.m_groups[g]->m_footer, int(g));
    }
    m_state.sums.assign(m_sumItems.size(), 0.0);
}

void Layouter::accumulate(RowLevel level, const Row& row) {
    for (size_t i = 0; i < m_sumItems.size(); ++i) {
        const Item& item = *m_sumItems[i];
        if (item.m_level != level)
            continue;
        m_state.sums[i] += item.m_expression ? item.m_expression(row).toDouble() : row.number(item.m_field);
    }
}

void Layouter::resetGroup(int group) {
    for (size_t i = 0; i < m_sumItems.size(); ++i) {
        if (m_sumGroup[i] == group)
            m_state.sums[i] = 0.0;
    }
}

QString Layouter::itemText(const Item& item, const Band& band, const Row* row, const State& state,
                           bool& needsPageCount) const {
    auto fill = [&item](const QString& value) {
        return item.m_text.isEmpty() ? value : item.m_text.arg(value);
    };
    switch (item.m_kind) {
    case Item::Kind::Label:
        return item.m_text;
    case Item::Kind::Field:
        return fill(row ? formatValue(row->value(item.m_field), item.m_pattern) : QString());
    case Item::Kind::Computed:
        return fill(row && item.m_expression ? formatValue(item.m_expression(*row), item.m_pattern)
                                             : QString());
    case Item::Kind::System:
        if (item.m_system == SystemData::Date) {
            const QDate today = m_report.m_clock ? m_report.m_clock->today() : QDate::currentDate();
            return fill(formatValue(today, item.m_pattern));
        } else {
            // The page count is known at the end; %2 waits for it.
            const QString text = item.m_text.isEmpty() ? QStringLiteral("%1") : item.m_text;
            needsPageCount = text.contains(QLatin1String("%2"));
            return text.arg(m_doc.pageCount());
        }
    case Item::Kind::Sum: {
        const auto at = std::find(m_sumItems.begin(), m_sumItems.end(), &item) - m_sumItems.begin();
        const double sum = state.sums[size_t(at)];
        return fill(item.m_pattern.isEmpty() ? numbers::general(sum) : numbers::pattern(sum, item.m_pattern));
    }
    case Item::Kind::RowNumber:
        return fill(
            numbers::integer(band.type() == BandType::SubDetail ? state.subRowNumber : state.rowNumber));
    case Item::Kind::Rule:
    case Item::Kind::Frame:
        break;
    }
    return QString();
}

// The font in which `text` fits `width`: the font itself when it fits, else the largest size in steps
// of a tenth of a point that does.
Font Layouter::fitted(const QString& text, const Font& font, double width) const {
    const double natural = m_measure.width(text, font);
    if (natural <= width || natural <= 0)
        return font;
    Font smaller = font;
    smaller.points = std::floor(font.points * width / natural * 10.0) / 10.0;
    while (smaller.points > 1.0 && m_measure.width(text, smaller) > width)
        smaller.points -= 0.1;
    return smaller;
}

// The vertical rules a band draws: its own, the sides of its frames and of the band's frame.
std::vector<VerticalRule> Layouter::verticalRules(const Band& band, double width) {
    std::vector<VerticalRule> out;
    if (band.m_frameSides & Left)
        out.push_back({0, 0, kUnbounded});
    if (band.m_frameSides & Right)
        out.push_back({width, 0, kUnbounded});
    for (const auto& item : band.items()) {
        if (!item->m_visible)
            continue;
        const QRect& r = item->m_rect;
        if (item->m_kind == Item::Kind::Rule && r.left() == r.right()) {
            out.push_back({double(r.left()), double(std::min(r.top(), r.bottom())),
                           double(std::max(r.top(), r.bottom()))});
        } else if (item->m_kind == Item::Kind::Frame) {
            out.push_back({double(r.left()), double(r.top()), double(r.top() + r.height())});
            out.push_back({double(r.left() + r.width()), double(r.top()), double(r.top() + r.height())});
        }
    }
    return out;
}

// A label between vertical rules (a caption in its column of a table header) stays between them: one
// that would run over a rule, or be cut by its own box, takes the width between the rules less a gap
// at each and, when that is still too narrow, a smaller size (a wrapped label: until its widest word
// fits, so that no word is broken). A label with no rule beside it stays as it is. True when the label
// was given a new box.
bool Layouter::keepBetweenRules(const std::vector<VerticalRule>& rules, const Item& item, const QString& text,
                                double& x, double& width, Font& font) const {
    if (text.isEmpty() || rules.empty())
        return false;
    const QString widest = widestPart(m_measure, text, font, item.m_wrap);
    const double ink = m_measure.width(widest, font);
    // What the text covers as placed: a wrapped text fills its box.
    double from = x;
    if (!item.m_wrap && item.m_align == Align::Right)
        from = x + width - ink;
    else if (!item.m_wrap && item.m_align == Align::Centre)
        from = x + (width - ink) / 2;
    const double to = item.m_wrap ? x + width : from + ink;
    const double middle = (from + to) / 2;
    const double line = item.m_rect.y() + m_measure.lineHeight(font) / 2;
    double left = -kUnbounded;
    double right = kUnbounded;
    for (const VerticalRule& r : rules) {
        if (r.top > line || r.bottom < line)
            continue;
        if (r.x <= middle)
            left = std::max(left, r.x + kRuleGap);
        if (r.x >= middle)
            right = std::min(right, r.x - kRuleGap);
    }
    if (left == -kUnbounded && right == kUnbounded)
        return false;
    if (ink <= width + kEpsilon && from >= left - kEpsilon && to <= right + kEpsilon)
        return false;
    const double newLeft = left == -kUnbounded ? x : left;
    const double newRight = right == kUnbounded ? x + width : right;
    if (newRight <= newLeft)
        return false;
    x = newLeft;
    width = newRight - newLeft;
    font = fitted(widest, font, width);
    return true;
}

// The band's texts with their rectangles, and its height: the band's own, or more when wrapped texts
// need it.
std::vector<Layouter::Placed> Layouter::arrange(const Band& band, const Row* row, const State& state,
                                                double& height, std::vector<size_t>* pageCountTexts) const {
    std::vector<Placed> out;
    height = band.height();
    const std::vector<VerticalRule> rules = verticalRules(band, m_width);
    for (const auto& owned : band.items()) {
        const Item& item = *owned;
        if (!item.m_visible || item.m_kind == Item::Kind::Rule || item.m_kind == Item::Kind::Frame)
            continue;
        bool needsPageCount = false;
        QString text = itemText(item, band, row, state, needsPageCount);
        const QRect& at = item.m_rect;
        double x = at.x();
        double width = at.width() > 0 ? at.width() : m_measure.width(text, item.m_font);
        Font font = item.m_shrink && at.width() > 0 && !item.m_wrap
                        ? fitted(text, item.m_font, std::max(1.0, width - item.m_spare))
                        : item.m_font;
        const bool reboxed =
            item.m_kind == Item::Kind::Label && keepBetweenRules(rules, item, text, x, width, font);
        // A line made smaller keeps its baseline.
        const double y = reboxed && !item.m_wrap
                             ? at.y() + m_measure.ascent(item.m_font) - m_measure.ascent(font)
                             : at.y();
        double textHeight = at.height() > 0 ? at.height() : m_measure.lineHeight(font);
        if (item.m_wrap && (at.width() > 0 || reboxed)) {
            const QStringList lines = m_measure.wrap(text, font, width);
            text = lines.join(QLatin1Char('\n'));
            textHeight = std::max(textHeight, lines.size() * m_measure.lineHeight(font));
            height = std::max(height, at.y() + textHeight);
        }
        if (needsPageCount && pageCountTexts)
            pageCountTexts->push_back(out.size());
        out.push_back(Placed{&item, QRectF(x, y, width, textHeight), text, font});
    }
    return out;
}

void Layouter::drawBand(const Band& band, const Row* row, const State& state, double top) {
    double height = 0;
    std::vector<size_t> pageCountTexts;
    const std::vector<Placed> placed = arrange(band, row, state, height, &pageCountTexts);
    Page& page = m_doc.pages.last();
    const QPointF origin(m_left, top);

    const QRectF box(m_left, top, m_width, height);
    const unsigned sides = band.m_frameSides;
    const double frameWidth = band.m_frameWidth;
    if (sides & Top)
        page.addLine(QLineF(box.topLeft(), box.topRight()), frameWidth);
    if (sides & Left)
        page.addLine(QLineF(box.topLeft(), box.bottomLeft()), frameWidth);
    if (sides & Bottom)
        page.addLine(QLineF(box.bottomLeft(), box.bottomRight()), frameWidth);
    if (sides & Right)
        page.addLine(QLineF(box.topRight(), box.bottomRight()), frameWidth);

    for (const auto& owned : band.items()) {
        const Item& item = *owned;
        if (!item.m_visible)
            continue;
        if (item.m_kind == Item::Kind::Rule)
            page.addLine(QLineF(origin + item.m_rect.topLeft(), origin + item.m_rect.bottomRight()),
                         item.m_lineWidth);
        else if (item.m_kind == Item::Kind::Frame)
            page.addFrame(QRectF(item.m_rect).translated(origin), item.m_lineWidth);
    }
    for (size_t i = 0; i < placed.size(); ++i) {
        const Placed& p = placed[i];
        const bool fixedWidth = p.item->m_rect.width() > 0;
        if (std::find(pageCountTexts.begin(), pageCountTexts.end(), i) != pageCountTexts.end())
            m_pageCountTexts.emplace_back(m_doc.pageCount() - 1, page.texts.size());
        page.addText(p.rect.translated(origin), p.text, p.font, p.item->m_align,
                     fixedWidth && !p.item->m_wrap);
        // The lines of a wrapped text stand where the band's height was measured for them.
        if (p.item->m_wrap)
            page.texts.back().lineHeight = m_measure.lineHeight(p.font);
    }
}

// Places a band below the last one, on the next page when it does not fit; `before` is what the page
// footer prints when the band moves on.
void Layouter::place(const Band& band, const Row* row, const State& before) {
    if (!prints(band))
        return;
    double height = 0;
    arrange(band, row, m_state, height);
    if (m_y + height > m_bodyBottom + kEpsilon && !m_pageFresh) {
        finishPage(before);
        startPage();
    }
    drawBand(band, row, m_state, m_y);
    m_y += height;
    m_pageFresh = false;
}

void Layouter::startPage() {
    m_doc.addPage();
    const QSizeF sheet = m_doc.sheetSize();
    const QMargins& margins = m_report.m_margins;
    m_y = margins.top();
    m_bodyBottom = sheet.height() - margins.bottom();
    if (prints(m_report.m_pageFooter))
        m_bodyBottom -= m_report.m_pageFooter.height();

    const Row* current = rowOr(m_state.current);
    auto put = [&](const Band& band, const Row* row) {
        if (!prints(band))
            return;
        double height = 0;
        arrange(band, row, m_state, height);
        drawBand(band, row, m_state, m_y);
        m_y += height;
    };
    put(m_report.m_pageHeader, current);
    if (m_doc.pageCount() == 1)
        put(m_report.m_titleBand, m_first);
    put(m_report.m_columnHeader, current);
    m_pageFresh = true;
}

void Layouter::finishPage(const State& state) {
    const Band& footer = m_report.m_pageFooter;
    if (!prints(footer))
        return;
    const double top = m_doc.sheetSize().height() - m_report.m_margins.bottom() - footer.height();
    drawBand(footer, rowOr(state.current), state, top);
}

Document Layouter::run() {
    m_doc.title = m_report.m_documentTitle;
    m_doc.orientation = m_report.m_orientation;
    const QMargins& margins = m_report.m_margins;
    m_left = margins.left();
    m_width = m_doc.sheetSize().width() - margins.left() - margins.right();

    const SubDetailSource& subDetail = m_report.m_subDetail;
    m_report.m_source.walk([&](Row& row) {
        if (subDetail)
            row.children = subDetail(row);
        m_rows.append(row);
    });
    if (m_rows.isEmpty() && !m_report.m_printWhenEmpty)
        return std::move(m_doc);
    if (!m_rows.isEmpty()) {
        m_first = &m_rows.first();
        m_last = &m_rows.last();
    }

    collectSums();
    const auto& groups = m_report.m_groups;
    std::vector<QVariant> keys(groups.size());
    const Row* previous = nullptr;

    startPage();
    for (const Row& row : std::as_const(m_rows)) {
        // The outermost group whose key changes here: it and every group inside it end and start again.
        size_t changed = groups.size();
        for (size_t g = 0; g < groups.size(); ++g) {
            const QVariant key = groups[g]->m_key(row);
            if (changed == groups.size() && (!previous || key != keys[g]))
                changed = g;
            keys[g] = key;
        }
        if (previous) {
            for (size_t g = groups.size(); g-- > changed;)
                place(groups[g]->m_footer, previous, m_state);
        }
        for (size_t g = changed; g < groups.size(); ++g) {
            resetGroup(int(g));
            place(groups[g]->m_header, &row, m_state);
        }

        State before = m_state;
        m_state.current = &row;
        ++m_state.rowNumber;
        m_state.subRowNumber = 0;
        accumulate(RowLevel::Detail, row);
        place(m_report.m_detail, &row, before);

        if (prints(m_report.m_subDetailBand)) {
            for (const Row& child : row.children) {
                before = m_state;
                ++m_state.subRowNumber;
                accumulate(RowLevel::SubDetail, child);
                place(m_report.m_subDetailBand, &child, before);
            }
        }
        previous = &row;
    }
    if (previous) {
        for (size_t g = groups.size(); g-- > 0;)
            place(groups[g]->m_footer, previous, m_state);
    }
    place(m_report.m_summary, m_last, m_state);
    finishPage(m_state);

    const QString count = numbers::integer(m_doc.pageCount());
    for (const auto& [page, text] : m_pageCountTexts) {
        QString& t = m_doc.pages[page].texts[text].text;
        t = t.arg(count);
    }
    return std::move(m_doc);
}

Document Report::layout(const Measure& measure) const {
    return Layouter(*this, measure).run();
}

Document Report::layout(int dpi) const {
    return layout(Measure(dpi));
}

Document Report::layout(const QPaintDevice& device) const {
    return layout(Measure(device));
}

} // namespace tarlok::report
