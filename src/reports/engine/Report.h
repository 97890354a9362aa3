#pragma once

#include "Document.h"

#include <QHash>
#include <QLine>
#include <QMargins>
#include <QRect>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace tarlok {
class Clock;
class Table;
} // namespace tarlok

// The banded report engine.
//
// A Report is a page (A4, orientation, margins), a source of rows and bands of items. Laying it out
// gives a Document (Document.h) that a test reads and Painter.h draws on a printer, a PDF or a preview.
//
//     report::Report r(QStringLiteral("Przebieg"));
//     r.setData(report::DataSource::table(trips));
//     r.title().setHeight(200);
//     r.title().label({0, 0, 0, 0}, QStringLiteral("Ewidencja")).setName("Naglowek").setFont(bold12);
//     r.detail().setHeight(50).setFrame(report::Top | report::Left | report::Right);
//     r.detail().rowNumber({0, 5, 61, 0}).setAlign(report::Align::Right);
//     r.detail().field({1453, 5, 140, 0}, QStringLiteral("Kilometry")).setPattern("0.00");
//     r.summary().sum({1453, 5, 140, 0}, QStringLiteral("Kilometry")).setPattern("0.00");
//     r.pageFooter().setHeight(40).system({0, 0, 0, 0}, report::SystemData::PageNumber);
//     report::Document doc = r.layout();
//
// Positions are tenths of a millimetre from the band's top-left corner; the band starts at the left
// margin. In an item's rectangle a width of 0 takes the text's own width and a height of 0 one line of
// its font.
//
// A label standing between vertical rules of its band (its rules, the sides of its frames or of the
// band's frame: a caption in its column of a table header) never runs over them nor loses letters to its
// box: when it would, it takes the width between the rules and, if it must, a smaller size.
//
// The order on a page: page header, the title (first page only), column header, then group headers,
// detail rows with their sub-detail rows, group footers and at the end the summary; the page footer
// stands at the bottom margin of every page. A band never splits: when it does not fit above the page
// footer it moves whole to the next page (a band taller than a page is printed anyway, overflowing).
//
// Values: row numbers count printed detail rows from 1 (in a sub-detail band: that master's sub-detail
// rows). Sums cover every printed row from the first and are never reset at a page break; a group sum
// starts again with each group. A field takes its row by band: the title the first row, a group header
// the group's first row, detail and sub-detail their own row, a group footer the group's last row, the
// summary the last row, page header and footer the last row printed so far (the first row before any).
namespace tarlok::report {

// One row as the report reads it: values by field name (without regard to case) and the sub-detail rows
// that belong to it.
class Row {
public:
    Row() = default;
    explicit Row(const QVariantMap& values);

    // Null when the row has no such field or the field is empty.
    QVariant value(const QString& field) const;
    void set(const QString& field, const QVariant& value);
    // The same for a name already in lower case (a table's names folded once for all its rows).
    void setFolded(const QString& lowerCaseField, const QVariant& value) {
        m_values.insert(lowerCaseField, value);
    }
    // Empty and text that is no number read as 0.
    double number(const QString& field) const;

    QList<Row> children;

private:
    QHash<QString, QVariant> m_values; // lower-case name -> value
};

using Expression = std::function<QVariant(const Row&)>;

// Where the report's rows come from. Read once at the start of a layout.
class DataSource {
public:
    // No rows: the title, summary and page footer still print (see Report::setPrintWhenEmpty).
    DataSource() = default;
    // The rows a Table shows: through its record filter, in its order (its index), within its master's
    // range, read when the report is laid out (so filters and labels are set before). The cursor returns
    // to its row afterwards. The table must outlive the report.
    static DataSource table(Table& table);
    static DataSource rows(QList<Row> rows);
    static DataSource callback(std::function<QList<Row>()> read);

    // Calls `visit` with each row while the source stands on it (so a linked detail table is on it too).
    void walk(const std::function<void(Row&)>& visit) const;

private:
    std::function<void(const std::function<void(Row&)>&)> m_walk;
};

// The rows of the sub-detail band for one master row.
using SubDetailSource = std::function<QList<Row>(const Row& master)>;
// The rows of a table held as a detail of the report's table (Table::setMasterSource): it is read while
// the master stands on each row.
SubDetailSource linkedTable(Table& detail);

enum class SystemData {
    PageNumber, // %1 the page number, %2 the number of pages: "Strona %1 z %2"
    Date,       // %1 today's date from the report's clock (short date)
};

enum class SumScope { Report, Group };
enum class RowLevel { Detail, SubDetail };

// The sides of a band's frame; combine with |.
enum Side : unsigned { NoSide = 0, Top = 1, Left = 2, Bottom = 4, Right = 8, AllSides = 15 };

// One thing printed in a band. Made by the band's factories below; set up with the chained setters.
class Item {
public:
    enum class Kind { Label, Field, Computed, System, Sum, RowNumber, Rule, Frame };

    Kind kind() const { return m_kind; }
    const QString& name() const { return m_name; }
    const QString& text() const { return m_text; }
    bool isVisible() const { return m_visible; }
    const Font& font() const { return m_font; }

    // A name by which Report::item finds it.
    Item& setName(const QString& name);
    // A label's text; for the other texts a template in which %1 stands for the value ("%1 km").
    Item& setText(const QString& text);
    Item& setFont(const Font& font);
    Item& setAlign(Align align);
    // A display pattern for numbers: "0", "0.00", "0.0000" (Polish: 120 -> "120,00"). Without one,
    // numbers print in the general format and dates as short dates.
    Item& setPattern(const QString& pattern);
    // Breaks the text into lines within the item's width; the band grows to hold them all.
    Item& setWordWrap(bool on);
    // A text wider than the item's width less `spare` (tenths of a millimetre) prints in a smaller
    // size, just small enough to fit that (an amount loses no digit to the clipping, and keeps a gap to
    // its neighbour). The rectangle stays as it is.
    Item& setShrinkToFit(bool on, int spare = 0);
    // A hidden item prints nothing.
    Item& setVisible(bool on);
    // Sums: over the whole report (the default) or the current group (of the innermost group, or of the
    // group whose header or footer holds the sum); of the detail rows (default) or the sub-detail rows.
    Item& setScope(SumScope scope);
    Item& setRows(RowLevel level);
    // Rules and frames: the line width in points.
    Item& setLineWidth(double points);

private:
    friend class Band;
    friend class Layouter;
    Item(Kind kind, const QRect& at, const Font& font) : m_kind(kind), m_rect(at), m_font(font) {}

    Kind m_kind;
    QRect m_rect; // rules: from top-left to bottom-right corner
    Font m_font;
    QString m_name;
    QString m_text;
    QString m_field;
    Expression m_expression;
    QString m_pattern;
    Align m_align = Align::Left;
    bool m_wrap = false;
    bool m_shrink = false;
    int m_spare = 0;
    bool m_visible = true;
    SystemData m_system = SystemData::PageNumber;
    SumScope m_scope = SumScope::Report;
    RowLevel m_level = RowLevel::Detail;
    double m_lineWidth = 0.0;
};

enum class BandType {
    Title,
    PageHeader,
    ColumnHeader,
    GroupHeader,
    Detail,
    SubDetail,
    GroupFooter,
    Summary,
    PageFooter
};

// A horizontal strip of the page holding items. It prints when it is enabled and has a height or items.
class Band {
public:
    explicit Band(BandType type, const Font& font = Font()) : m_type(type), m_font(font) {}
    Band(const Band&) = delete;
    Band& operator=(const Band&) = delete;

    BandType type() const { return m_type; }
    int height() const { return m_height; }
    bool isEnabled() const { return m_enabled; }
    const Font& font() const { return m_font; }

    Band& setHeight(int tenths);
    Band& setEnabled(bool on);
    // Lines along the chosen sides of the band (the band spans the page between the margins).
    Band& setFrame(unsigned sides, double width = 0.0);
    // The font of the items made after this call.
    Band& setFont(const Font& font);
    // Sets the size of every text item of the band, and of the items made later.
    Band& setPointSize(double points);

    Item& label(const QRect& at, const QString& text);
    Item& field(const QRect& at, const QString& field);
    Item& expression(const QRect& at, Expression value);
    Item& system(const QRect& at, SystemData what);
    Item& sum(const QRect& at, const QString& field);
    Item& sum(const QRect& at, Expression value);
    Item& rowNumber(const QRect& at);
    // A line from `line.p1()` to `line.p2()`.
    Item& rule(const QLine& line, double width = 0.0);
    Item& frame(const QRect& rect, double width = 0.0);

    Item* find(const QString& name) const;
    const std::vector<std::unique_ptr<Item>>& items() const { return m_items; }

private:
    friend class Layouter;
    Item& add(Item::Kind kind, const QRect& at);

    BandType m_type;
    Font m_font;
    int m_height = 0;
    bool m_enabled = true;
    unsigned m_frameSides = NoSide;
    double m_frameWidth = 0.0;
    std::vector<std::unique_ptr<Item>> m_items;
};

// Rows whose key is equal and adjacent form a group, with a header before and a footer after them.
class Group {
public:
    Group(Expression key, const Font& font)
        : m_key(std::move(key)), m_header(BandType::GroupHeader, font),
          m_footer(BandType::GroupFooter, font) {}
    Band& header() { return m_header; }
    Band& footer() { return m_footer; }

private:
    friend class Layouter;
    friend class Report;
    Expression m_key;
    Band m_header;
    Band m_footer;
};

class Report {
public:
    explicit Report(const QString& documentTitle = QString());
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // The document's title: the PDF's title and the preview window's.
    const QString& documentTitle() const { return m_documentTitle; }
    void setDocumentTitle(const QString& title) { m_documentTitle = title; }
    void setOrientation(QPageLayout::Orientation orientation) { m_orientation = orientation; }
    // Tenths of a millimetre; 100 (10 mm) on every side unless set.
    void setMargins(int left, int top, int right, int bottom);
    // The font of every band's items made after this call (Times New Roman 10 pt unless set).
    void setFont(const Font& font);
    // Today's date for SystemData::Date; the system clock unless set. It must outlive the report.
    void setClock(const Clock* clock) { m_clock = clock; }
    void setData(DataSource source) { m_source = std::move(source); }
    void setSubDetail(SubDetailSource source) { m_subDetail = std::move(source); }
    // Without rows a report prints its title, summary and page footer, unless this is off: then the
    // Document has no page.
    void setPrintWhenEmpty(bool on) { m_printWhenEmpty = on; }

    Band& title() { return m_titleBand; }
    Band& pageHeader() { return m_pageHeader; }
    Band& columnHeader() { return m_columnHeader; }
    Band& detail() { return m_detail; }
    Band& subDetail() { return m_subDetailBand; }
    Band& summary() { return m_summary; }
    Band& pageFooter() { return m_pageFooter; }
    // Groups nest in the order they are added: the first is the outermost.
    Group& addGroup(const QString& field);
    Group& addGroup(Expression key);

    // The item of that name in any band; throws std::invalid_argument naming it when there is none.
    Item& item(const QString& name) const;
    Item* findItem(const QString& name) const;

    // Reads the rows and lays the bands out on pages, measuring texts at `dpi` or on `device`.
    Document layout(int dpi = 1200) const;
    Document layout(const QPaintDevice& device) const;
    Document layout(const Measure& measure) const;

private:
    friend class Layouter;
    std::vector<const Band*> bands() const;

    QString m_documentTitle;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    QMargins m_margins{100, 100, 100, 100};
    Font m_font;
    const Clock* m_clock = nullptr;
    DataSource m_source;
    SubDetailSource m_subDetail;
    bool m_printWhenEmpty = true;

    Band m_titleBand{BandType::Title};
    Band m_pageHeader{BandType::PageHeader};
    Band m_columnHeader{BandType::ColumnHeader};
    Band m_detail{BandType::Detail};
    Band m_subDetailBand{BandType::SubDetail};
    Band m_summary{BandType::Summary};
    Band m_pageFooter{BandType::PageFooter};
    std::vector<std::unique_ptr<Group>> m_groups;
};

} // namespace tarlok::report
