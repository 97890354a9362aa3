// The two statements of deadlines and costs: one vehicle (TTerminyDruk) and all vehicles (TTerminyDruk1).
#include "TTerminyDruk.h"

#include "core/AppContext.h"
#include "core/Forms.h"
#include "platform/Dialogs.h"
#include "reports/engine/SaveAsPdf.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <vector>

namespace tarlok {

const QString kDeadlineSignature = QStringLiteral("Wydrukowano programem TARLOK");

namespace {

namespace F = fields::terminy;
namespace P = fields::pojazdy;
using report::Align;
using report::Band;
using report::Font;

// One column of the statements: its two caption lines, the field it prints, and its left edge and width
// on the print width (tenths of a millimetre from the left margin).
struct Column {
    const char* caption1;
    const char* caption2;
    const QString& field;
    int left;
    int width;
    enum Kind { Year, Date, Money } kind;
};

const std::vector<Column>& columns() {
    static const std::vector<Column> all{
        {"ROK", "", F::Rok, 8, 95, Column::Year},
        {"TERM", "OC", F::TerminOC, 119, 143, Column::Date},
        {"TERM. ", "AC", F::TerminAC, 267, 143, Column::Date},
        {"PRZEG", "TECH", F::TerminPrzegTechnicznego, 423, 143, Column::Date},
        {"PRZEG", "GWAR", F::TerminPrzegGwarancyjnego, 574, 143, Column::Date},
        {"TERM.", "NAPR", F::TerminNaprawy, 730, 143, Column::Date},
        {"TERM.", "WYM.", F::TerminWymianyWyposazenia, 884, 143, Column::Date},
        {"TERM", "DOK.", F::TerminWaznosciDokumentu, 1035, 143, Column::Date},
        {"KOSZT", "OC", F::KosztOC, 1180, 114, Column::Money},
        {"KOSZT", "AC", F::KosztAC, 1296, 114, Column::Money},
        {"KOSZT", "TECH", F::KosztPrzegTech, 1416, 114, Column::Money},
        {"KOSZT", "GWAR", F::KosztPrzegGwar, 1535, 114, Column::Money},
        {"KOSZT", "NAPR", F::KosztNapraw, 1656, 114, Column::Money},
        {"KOSZT", "CAL", F::KosztyCalkowite, 1778, 119, Column::Money},
    };
    return all;
}

constexpr int kHeaderHeight = 90;
constexpr int kLineHeight = 45; // a deadline row, 8 pt
constexpr int kSummaryHeight = 50;
constexpr int kVehicleHeight = 50; // the vehicle line of the all-vehicles statement
// Captions and amounts shrink rather than touch their neighbour: the columns stand 0.2 mm apart.
constexpr int kSpare = 8;

// The title band: the report's title centred near the top, framed; the band's height leaves room for
// what a statement adds below the title.
Band& titleBand(report::Report& r, int height) {
    Band& title = r.title();
    title.setHeight(height).setFrame(report::AllSides);
    title.label({0, 15, 1900, 0}, r.documentTitle())
        .setName(QStringLiteral("QRLabelTytul"))
        .setFont(Font::sized(12, true))
        .setAlign(Align::Centre);
    return title;
}

// Page, font, column header, footer: what both statements share.
void pageAndHeader(report::Report& r) {
    r.setOrientation(QPageLayout::Portrait);
    r.setMargins(100, 100, 100, 100);
    r.setFont(Font::sized(10));
    // A statement without rows is one blank page.
    r.setPrintWhenEmpty(false);

    Band& header = r.columnHeader();
    header.setHeight(kHeaderHeight).setFrame(report::AllSides).setFont(Font::sized(10, true));
    for (const Column& c : columns()) {
        header.label({c.left, 5, c.width, 0}, QString::fromLatin1(c.caption1))
            .setAlign(Align::Centre)
            .setShrinkToFit(true, kSpare);
        if (*c.caption2)
            header.label({c.left, 45, c.width, 0}, QString::fromLatin1(c.caption2))
                .setAlign(Align::Centre)
                .setShrinkToFit(true, kSpare);
    }

    Band& footer = r.pageFooter();
    footer.setHeight(40);
    footer.label({0, 15, 0, 0}, kDeadlineSignature).setFont(Font::sized(6));
}

// One deadline row: the year and the dates centred, the money right-aligned with two decimals.
void rowLine(Band& band) {
    band.setHeight(kLineHeight).setFrame(report::AllSides).setFont(Font::sized(8));
    for (const Column& c : columns()) {
        report::Item& item = band.field({c.left, 6, c.width, 0}, c.field);
        if (c.kind == Column::Money)
            item.setAlign(Align::Right).setPattern(QStringLiteral("0.00")).setShrinkToFit(true, kSpare);
        else
            item.setAlign(Align::Centre).setShrinkToFit(true, kSpare);
    }
}

// "KOSZTY RAZEM" under the date columns and the six sums under the cost columns, of the rows at `level`.
void sums(Band& band, report::RowLevel level) {
    band.setHeight(kSummaryHeight).setFrame(report::AllSides).setFont(Font::sized(9, true));
    const Column& firstDate = columns()[1];
    const Column& lastDate = columns()[7];
    band.label({firstDate.left, 8, lastDate.left + lastDate.width - firstDate.left, 0},
               QStringLiteral("KOSZTY RAZEM"))
        .setName(QStringLiteral("QRLabelKosztyRazem"))
        .setAlign(Align::Centre);
    for (const Column& c : columns()) {
        if (c.kind != Column::Money)
            continue;
        band.sum({c.left, 8, c.width, 0}, c.field)
            .setName(QStringLiteral("QRExprSuma") + c.field)
            .setRows(level)
            .setAlign(Align::Right)
            .setPattern(QStringLiteral("0.00"))
            .setShrinkToFit(true, kSpare);
    }
}

std::unique_ptr<Table> tableOf(Database& database, const QString& file) {
    auto table = std::make_unique<Table>(database);
    table->setDatabaseName(QString::fromLatin1(Database::kAlias));
    table->setTableName(file);
    return table;
}

// Points a report at the tables of one printout for the lifetime of the guard (the tables close with
// the printout; the report must not keep reading them).
class ReadFrom {
public:
    ReadFrom(report::Report& r, report::DataSource rows, report::SubDetailSource subRows = {}) : m_report(r) {
        m_report.setData(std::move(rows));
        m_report.setSubDetail(std::move(subRows));
    }
    ~ReadFrom() {
        m_report.setData(report::DataSource());
        m_report.setSubDetail({});
    }
    ReadFrom(const ReadFrom&) = delete;
    ReadFrom& operator=(const ReadFrom&) = delete;

private:
    report::Report& m_report;
};

// The laid-out statement; one without rows is one blank page.
report::Document layOut(const report::Report& r) {
    report::Document document = r.layout();
    if (document.pages.isEmpty())
        document.addPage();
    return document;
}

} // namespace

// ------------------------------------------------------------------ the rows

DeadlineRows::DeadlineRows(Forms& forms, const DeadlinePrint& request) {
    Database& database = forms.context.database;
    m_vehicles = tableOf(database, tables::pojazdy().fileName());
    m_vehicles->open();
    if (!request.allVehicles && !m_vehicles->locate(P::NrKol_Pojazdu, {request.vehicle}))
        return; // no vehicle carries the number: nothing to print
    m_found = true;
    if (!database.tableExists(QString::fromLatin1(Database::kAlias), tables::terminy().fileName()))
        return;
    m_deadlines = tableOf(database, tables::terminy().fileName());
    m_deadlines->setIndexName(QStringLiteral("NrKol_PojRokInd"));
    m_deadlines->setMasterSource(m_vehicles.get(), P::NrKol_Pojazdu);
    if (request.year) {
        const int year = *request.year;
        m_deadlines->onFilterRecord = [year](Table& t) {
            return !t.isNull(F::Rok) && t.asInteger(F::Rok) == year;
        };
        m_deadlines->setFiltered(true);
    }
    m_deadlines->open();
}

DeadlineRows::~DeadlineRows() {
    // The deadlines first: they are a detail of the vehicles.
    m_deadlines.reset();
    m_vehicles.reset();
}

// ------------------------------------------------------------------ one vehicle

TTerminyDruk::TTerminyDruk(Forms& forms)
    : m_forms(forms), m_report(QStringLiteral("Zestwienie Terminów i Kosztów dla Pojazdu")) {
    setObjectName(QStringLiteral("TerminyDruk"));
    report::Report& r = m_report;
    r.setClock(&forms.context.clock);
    pageAndHeader(r);

    titleBand(r, 130)
        .label({8, 80, 1884, 0}, QString())
        .setName(QStringLiteral("QRLabelDanePojazdu"))
        .setFont(Font::sized(10))
        .setShrinkToFit(true);

    rowLine(r.detail());
    sums(r.summary(), report::RowLevel::Detail);
}

TTerminyDruk::~TTerminyDruk() = default;

report::Document TTerminyDruk::document(const DeadlinePrint& request) {
    DeadlineRows rows(m_forms, request);
    m_report.item(QStringLiteral("QRLabelDanePojazdu"))
        .setText(rows.hasVehicle() ? rows.vehicles().asString(P::Dane_Poj_Wszystko) : QString());
    const ReadFrom source(m_report, rows.deadlines() ? report::DataSource::table(*rows.deadlines())
                                                     : report::DataSource());
    return layOut(m_report);
}

void TTerminyDruk::preview(const DeadlinePrint& request) {
    report::showWithPdf(m_forms.context.output, m_forms.context.dialogs, document(request),
                        m_report.documentTitle());
}

// ------------------------------------------------------------------ all vehicles

TTerminyDruk1::TTerminyDruk1(Forms& forms)
    : m_forms(forms), m_report(QStringLiteral("Zestwienie Terminów i Kosztów dla Pojazdów")) {
    setObjectName(QStringLiteral("TerminyDruk1"));
    report::Report& r = m_report;
    r.setClock(&forms.context.clock);
    pageAndHeader(r);

    titleBand(r, 75);

    Band& vehicle = r.detail();
    vehicle.setHeight(kVehicleHeight).setFrame(report::AllSides).setFont(Font::sized(10));
    vehicle.field({8, 7, 1884, 0}, P::Dane_Poj_Wszystko).setShrinkToFit(true);

    rowLine(r.subDetail());
    // QRBand4: the grand totals of every printed row.
    sums(r.summary(), report::RowLevel::SubDetail);
}

TTerminyDruk1::~TTerminyDruk1() = default;

report::Document TTerminyDruk1::document(const DeadlinePrint& request) {
    DeadlinePrint all = request;
    all.allVehicles = true;
    DeadlineRows rows(m_forms, all);
    m_report.summary().setEnabled(!request.allYears);
    const ReadFrom source(m_report, report::DataSource::table(rows.vehicles()),
                          rows.deadlines() ? report::linkedTable(*rows.deadlines())
                                           : report::SubDetailSource());
    return layOut(m_report);
}

void TTerminyDruk1::preview(const DeadlinePrint& request) {
    report::showWithPdf(m_forms.context.output, m_forms.context.dialogs, document(request),
                        m_report.documentTitle());
}

// ------------------------------------------------------------------ the window's "&Drukuj"

void printDeadlines(Forms& forms, const DeadlinePrint& request) {
    if (forms.refuseWhileTyping())
        return;
    if (request.allVehicles)
        forms.TerminyDruk1->preview(request);
    else
        forms.TerminyDruk->preview(request);
}

} // namespace tarlok
