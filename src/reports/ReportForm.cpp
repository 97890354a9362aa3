#include "ReportForm.h"

#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <algorithm>
#include <cmath>

namespace tarlok {

ReportForm::ReportForm(Database& database, Table& vehicles, const QString& tableObjectName,
                       const QString& tableFile, const QString& windowTitle, const QString& documentTitle)
    : m_windowTitle(windowTitle), m_table(new Table(database, this)), m_report(documentTitle) {
    m_table->setObjectName(tableObjectName);
    m_table->setDatabaseName(QString::fromLatin1(Database::kAlias));
    m_table->setTableName(tableFile);
    m_table->setIndexName(indexes::NrKol_Pojazdu_DataInd);
    m_table->setMasterSource(&vehicles, fields::pojazdy::NrKol_Pojazdu);
    m_table->setFiltered(true);
    m_report.setData(report::DataSource::table(*m_table));
    // A4 portrait, 10 mm margins on every side: the engine's defaults, stated here as the layouts need.
    m_report.setOrientation(QPageLayout::Portrait);
    m_report.setMargins(100, 100, 100, 100);
}

ReportForm::~ReportForm() {
    m_table->close();
}

void ReportForm::setShown(std::initializer_list<const char*> names, bool shown) {
    for (const char* name : names)
        item(QString::fromLatin1(name)).setVisible(shown);
}

void ReportForm::readPeriod(int year, int from, int to) {
    namespace T = fields::przejazdy; // the costs name their period fields alike
    m_table->setFieldRange(T::Rok, year, year);
    m_table->setFieldRange(T::Miesiac, from, to);
}

void ReportForm::readEveryPeriod() {
    m_table->clearFieldRanges();
}

void ReportForm::openTable() {
    m_table->close();
    m_table->open();
}

void ReportForm::closeTable() {
    m_table->close();
}

namespace layout {

using report::Align;
using report::Band;
using report::Font;
using report::Item;

Font font(const QString& family, double points, bool bold, bool italic) {
    Font f;
    f.family = family;
    f.points = points;
    f.bold = bold;
    f.italic = italic;
    return f;
}

QRect cell(int left, int right, int y, int height) {
    return QRect(left + 10, y, right - left - 20, height);
}

void tableHeader(Band& band, const std::vector<int>& bounds, int height, double ruleWidth,
                 const std::vector<HeaderText>& texts) {
    band.setHeight(height);
    const int tableRight = bounds.back();
    band.rule(QLine(0, 0, tableRight, 0), ruleWidth);
    band.rule(QLine(0, height, tableRight, height), ruleWidth);
    for (int x : bounds)
        band.rule(QLine(x, 0, x, height));
    // A text wider than its column: the only text of the column is broken into lines from the top; one
    // of several lines stays whole, and the engine keeps it between the column's rules (smaller if it
    // must be).
    const report::Measure measure(1200);
    for (const HeaderText& t : texts) {
        const int left = bounds[size_t(t.column)];
        const int right = bounds[size_t(t.column) + 1];
        const QRect at = cell(left, right, t.y);
        const bool alone = std::count_if(texts.begin(), texts.end(),
                                         [&t](const HeaderText& o) { return o.column == t.column; }) == 1;
        if (alone && measure.width(t.text, t.font) > right - left - 6) {
            band.label(QRect(left + 3, 4, right - left - 6, 0), t.text)
                .setFont(t.font)
                .setAlign(Align::Centre)
                .setWordWrap(true);
        } else {
            band.label(at, t.text).setFont(t.font).setAlign(Align::Centre);
        }
    }
}

void columnRules(Band& band, const std::vector<int>& bounds, int height, bool top) {
    if (top)
        band.rule(QLine(0, 0, bounds.back(), 0));
    for (int x : bounds)
        band.rule(QLine(x, 0, x, height));
}

void ownerBlock(Band& title, double points, const QString& vehicleCaption, const QString& vehicleCaptionName,
                const QString& vehicleValueName) {
    const Font text = font(kTimes, points);
    const Font small = font(kTimes, 8);
    const QString dashes = QStringLiteral("---------------------------------------------------------");
    const int line = points > 9 ? 45 : 40;
    int y = 0;
    title.label({0, y, 900, 0}, QString()).setName(QStringLiteral("QRLabelWlasciciel")).setFont(text);
    title.label({0, y += line, 900, 0}, dashes).setFont(text);
    title.label({0, y += line - 5, 900, 0}, QStringLiteral("Nazwisko i imię właściciela")).setFont(small);
    title.label({0, y += line + 5, 900, 0}, QString())
        .setName(QStringLiteral("QRLabelAdresWlasciciela"))
        .setFont(text);
    title.label({0, y += line, 900, 0}, dashes).setFont(text);
    title.label({0, y += line - 5, 900, 0}, QStringLiteral("Adres zamieszkania właściciela")).setFont(small);

    constexpr int kRight = 1100;
    constexpr int kValue = 1560;
    title.label({kRight, 0, 0, 0}, QStringLiteral("Strona :")).setFont(text);
    title
        .system({kRight + Strip::widthOf(QStringLiteral("Strona : "), text), 0, 150, 0},
                report::SystemData::PageNumber)
        .setFont(text);
    title.label({kRight, 50, 0, 0}, QStringLiteral("Numer rejestracyjny pojazdu:"))
        .setName(QStringLiteral("QRLabelNrPojazdu"))
        .setFont(text);
    title.label({kValue, 50, 1900 - kValue, 0}, QString())
        .setName(QStringLiteral("QRlabelNumerRejestracyjny"))
        .setFont(text.asBold());
    title.label({kRight, 100, 0, 0}, vehicleCaption).setName(vehicleCaptionName).setFont(text);
    title.label({kValue, 100, 1900 - kValue, 0}, QString()).setName(vehicleValueName).setFont(text.asBold());
}

void pageFooter(Band& footer) {
    footer.setHeight(40);
    footer.system({0, 14, 600, 0}, report::SystemData::PageNumber)
        .setText(QStringLiteral("Strona %1 z %2"))
        .setFont(font(kTimes, 6));
}

int Strip::widthOf(const QString& text, const Font& font) {
    const report::Measure measure(1200);
    return int(std::ceil(measure.width(text, font))) + 1;
}

Item& Strip::text(const QString& text, const Font& font) {
    const int width = widthOf(text, font);
    Item& item = m_band.label({m_x, m_y, width, 0}, text).setFont(font);
    m_x += width;
    return item;
}

Item& Strip::label(const QString& name, const QString& sample, const Font& font, Align align) {
    const int width = widthOf(sample, font);
    Item& item = m_band.label({m_x, m_y, width, 0}, QString()).setName(name).setFont(font).setAlign(align);
    m_x += width;
    return item;
}

Item& Strip::field(const QString& field, const QString& sample, const Font& font, Align align) {
    const int width = widthOf(sample, font);
    Item& item = m_band.field({m_x, m_y, width, 0}, field).setFont(font).setAlign(align);
    m_x += width;
    return item;
}

} // namespace layout

} // namespace tarlok
