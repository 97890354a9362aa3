#include "Report.h"

#include "store/Table.h"

#include <stdexcept>

namespace tarlok::report {

// --- rows and their sources ---

Row::Row(const QVariantMap& values) {
    for (auto it = values.begin(); it != values.end(); ++it)
        set(it.key(), it.value());
}

QVariant Row::value(const QString& field) const {
    return m_values.value(field.toLower());
}

void Row::set(const QString& field, const QVariant& value) {
    m_values.insert(field.toLower(), value);
}

double Row::number(const QString& field) const {
    bool ok = false;
    const double v = value(field).toDouble(&ok);
    return ok ? v : 0.0;
}

namespace {

// The current record of a table, every field by its name in lower case.
Row snapshot(const Table& table, const QStringList& folded) {
    Row row;
    for (int i = 0; i < table.fieldCount(); ++i)
        row.setFolded(folded[i], table.value(i));
    return row;
}

// Walks the rows a table shows and puts its cursor back on the row it stood on.
void walkTable(Table& table, const std::function<void(Row&)>& visit) {
    if (!table.isActive())
        return;
    QStringList folded;
    for (int i = 0; i < table.fieldCount(); ++i)
        folded.append(table.fieldDef(i).name.toLower());
    const int at = table.recNo();
    table.first();
    while (!table.eof()) {
        Row row = snapshot(table, folded);
        visit(row);
        table.next();
    }
    if (at >= 0 && at < table.recordCount())
        table.moveTo(at);
}

} // namespace

DataSource DataSource::table(Table& table) {
    DataSource s;
    s.m_walk = [&table](const std::function<void(Row&)>& visit) {
        walkTable(table, visit);
    };
    return s;
}

DataSource DataSource::rows(QList<Row> rows) {
    DataSource s;
    s.m_walk = [rows = std::move(rows)](const std::function<void(Row&)>& visit) {
        for (Row row : rows)
            visit(row);
    };
    return s;
}

DataSource DataSource::callback(std::function<QList<Row>()> read) {
    DataSource s;
    s.m_walk = [read = std::move(read)](const std::function<void(Row&)>& visit) {
        for (Row row : read())
            visit(row);
    };
    return s;
}

void DataSource::walk(const std::function<void(Row&)>& visit) const {
    if (m_walk)
        m_walk(visit);
}

SubDetailSource linkedTable(Table& detail) {
    return [&detail](const Row&) {
        QList<Row> rows;
        walkTable(detail, [&rows](Row& row) { rows.append(row); });
        return rows;
    };
}

// --- items ---

Item& Item::setName(const QString& name) {
    m_name = name;
    return *this;
}

Item& Item::setText(const QString& text) {
    m_text = text;
    return *this;
}

Item& Item::setFont(const Font& font) {
    m_font = font;
    return *this;
}

Item& Item::setAlign(Align align) {
    m_align = align;
    return *this;
}

Item& Item::setPattern(const QString& pattern) {
    m_pattern = pattern;
    return *this;
}

Item& Item::setWordWrap(bool on) {
    m_wrap = on;
    return *this;
}

Item& Item::setShrinkToFit(bool on, int spare) {
    m_shrink = on;
    m_spare = std::max(0, spare);
    return *this;
}

Item& Item::setVisible(bool on) {
    m_visible = on;
    return *this;
}

Item& Item::setScope(SumScope scope) {
    m_scope = scope;
    return *this;
}

Item& Item::setRows(RowLevel level) {
    m_level = level;
    return *this;
}

Item& Item::setLineWidth(double points) {
    m_lineWidth = points;
    return *this;
}

// --- bands ---

Band& Band::setHeight(int tenths) {
    m_height = std::max(0, tenths);
    return *this;
}

Band& Band::setEnabled(bool on) {
    m_enabled = on;
    return *this;
}

Band& Band::setFrame(unsigned sides, double width) {
    m_frameSides = sides & AllSides;
    m_frameWidth = width;
    return *this;
}

Band& Band::setFont(const Font& font) {
    m_font = font;
    return *this;
}

Band& Band::setPointSize(double points) {
    m_font.points = points;
    for (auto& item : m_items)
        item->m_font.points = points;
    return *this;
}

Item& Band::add(Item::Kind kind, const QRect& at) {
    m_items.push_back(std::unique_ptr<Item>(new Item(kind, at, m_font)));
    return *m_items.back();
}

Item& Band::label(const QRect& at, const QString& text) {
    return add(Item::Kind::Label, at).setText(text);
}

Item& Band::field(const QRect& at, const QString& field) {
    Item& item = add(Item::Kind::Field, at);
    item.m_field = field;
    return item;
}

Item& Band::expression(const QRect& at, Expression value) {
    Item& item = add(Item::Kind::Computed, at);
    item.m_expression = std::move(value);
    return item;
}

Item& Band::system(const QRect& at, SystemData what) {
    Item& item = add(Item::Kind::System, at);
    item.m_system = what;
    return item;
}

Item& Band::sum(const QRect& at, const QString& field) {
    Item& item = add(Item::Kind::Sum, at);
    item.m_field = field;
    return item;
}

Item& Band::sum(const QRect& at, Expression value) {
    Item& item = add(Item::Kind::Sum, at);
    item.m_expression = std::move(value);
    return item;
}

Item& Band::rowNumber(const QRect& at) {
    return add(Item::Kind::RowNumber, at);
}

Item& Band::rule(const QLine& line, double width) {
    return add(Item::Kind::Rule, QRect(line.p1(), line.p2())).setLineWidth(width);
}

Item& Band::frame(const QRect& rect, double width) {
    return add(Item::Kind::Frame, rect).setLineWidth(width);
}

Item* Band::find(const QString& name) const {
    for (const auto& item : m_items) {
        if (item->m_name == name)
            return item.get();
    }
    return nullptr;
}

// --- the report ---

Report::Report(const QString& documentTitle) : m_documentTitle(documentTitle) {
}

Report::~Report() = default;

void Report::setMargins(int left, int top, int right, int bottom) {
    m_margins = QMargins(left, top, right, bottom);
}

void Report::setFont(const Font& font) {
    m_font = font;
    for (Band* band : {&m_titleBand, &m_pageHeader, &m_columnHeader, &m_detail, &m_subDetailBand, &m_summary,
                       &m_pageFooter})
        band->setFont(font);
    for (const auto& group : m_groups) {
        group->m_header.setFont(font);
        group->m_footer.setFont(font);
    }
}

Group& Report::addGroup(const QString& field) {
    return addGroup([field](const Row& row) { return row.value(field); });
}

Group& Report::addGroup(Expression key) {
    m_groups.push_back(std::make_unique<Group>(std::move(key), m_font));
    return *m_groups.back();
}

std::vector<const Band*> Report::bands() const {
    std::vector<const Band*> out{&m_titleBand,     &m_pageHeader, &m_columnHeader, &m_detail,
                                 &m_subDetailBand, &m_summary,    &m_pageFooter};
    for (const auto& group : m_groups) {
        out.push_back(&group->m_header);
        out.push_back(&group->m_footer);
    }
    return out;
}

Item* Report::findItem(const QString& name) const {
    for (const Band* band : bands()) {
        if (Item* item = band->find(name))
            return item;
    }
    return nullptr;
}

Item& Report::item(const QString& name) const {
    if (Item* found = findItem(name))
        return *found;
    throw std::invalid_argument("report " + m_documentTitle.toStdString() + " has no item named " +
                                name.toStdString());
}

} // namespace tarlok::report
