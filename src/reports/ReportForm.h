#pragma once

#include "reports/engine/Report.h"

#include <QObject>
#include <QString>

#include <initializer_list>

namespace tarlok {

class Database;
class Table;

// One report of the print window: its own copy of a table, held as a detail of the vehicles table on
// NrKol_Pojazdu (index NrKol_Pojazdu_DataInd, so the current vehicle's rows in date order) and read
// through a record filter, and the banded layout that prints it. Created once and kept for the run;
// the captions written before a run stay until the next run writes them again.
class ReportForm : public QObject {
    Q_OBJECT

public:
    ReportForm(Database& database, Table& vehicles, const QString& tableObjectName, const QString& tableFile,
               const QString& windowTitle, const QString& documentTitle);
    ~ReportForm() override;

    // The title of the preview window.
    const QString& windowTitle() const { return m_windowTitle; }
    report::Report& report() { return m_report; }
    const report::Report& report() const { return m_report; }
    Table& table() const { return *m_table; }

    // A named item of the layout; throws std::invalid_argument naming it when there is none.
    report::Item& item(const QString& name) const { return m_report.item(name); }
    void setCaption(const QString& name, const QString& text) { item(name).setText(text); }
    void setShown(std::initializer_list<const char*> names, bool shown);

    // The rows the own table reads at its next open: the vehicle's rows of `year` from month `from` to
    // `to` (the record filter keeps no others), or all the vehicle's rows.
    void readPeriod(int year, int from, int to);
    void readEveryPeriod();
    // The own table opened afresh before a run (rows read as they are now), and closed after it.
    void openTable();
    void closeTable();
    // Reads the rows through the filter and lays the report out.
    report::Document layout() const { return m_report.layout(); }

private:
    QString m_windowTitle;
    Table* m_table;
    report::Report m_report;
};

// Building blocks shared by the layouts. Lengths in tenths of a millimetre.
namespace layout {

inline const QString kTimes = QStringLiteral("Times New Roman");
// "Times New Roman CE", the Central European variant of Times New Roman: the face itself, whose
// metric-compatible stand-in holds the Polish letters.
inline const QString kTimesCE = QStringLiteral("Times New Roman");
inline const QString kArial = QStringLiteral("Arial");

report::Font font(const QString& family, double points, bool bold = false, bool italic = false);

// The rectangle of a column from `left` to `right` at `y`, one millimetre in from each rule.
QRect cell(int left, int right, int y, int height = 0);

// A table header: two horizontal rules of `ruleWidth` points (top and bottom of the band), a vertical
// rule at every column boundary, and the texts centred in their columns.
struct HeaderText {
    int column; // index of the column's left boundary
    int y;      // top of the text within the band
    QString text;
    report::Font font;
};
void tableHeader(report::Band& band, const std::vector<int>& bounds, int height, double ruleWidth,
                 const std::vector<HeaderText>& texts);
// A rule at every boundary, from the top of the band to `height`, and a rule along the top.
void columnRules(report::Band& band, const std::vector<int>& bounds, int height, bool top = true);

// The owner block of the first three reports (left half) with the page number, the registration
// number and one more vehicle line (right half). `points` is the size of the block's texts.
void ownerBlock(report::Band& title, double points, const QString& vehicleCaption,
                const QString& vehicleCaptionName, const QString& vehicleValueName);

// The page footer of the first three reports: 4 mm high, the page number in small print at its
// lower left.
void pageFooter(report::Band& footer);

// Items placed one after another along a line: a text takes its measured width, a value a box of the
// width of a sample text.
class Strip {
public:
    Strip(report::Band& band, int x, int y) : m_band(band), m_x(x), m_y(y) {}
    static int widthOf(const QString& text, const report::Font& font);
    report::Item& text(const QString& text, const report::Font& font);
    report::Item& label(const QString& name, const QString& sample, const report::Font& font,
                        report::Align align = report::Align::Centre);
    report::Item& field(const QString& field, const QString& sample, const report::Font& font,
                        report::Align align = report::Align::Centre);
    int x() const { return m_x; }

private:
    report::Band& m_band;
    int m_x;
    int m_y;
};

} // namespace layout

} // namespace tarlok
