#include "TWydruk_Koszty.h"

#include "store/Tables.h"

namespace tarlok {

namespace K = fields::koszty;

using namespace layout;
using report::Align;

namespace {

// Column boundaries: LP, DATA, NR RACHUNKU, RODZAJ, WARTOŚĆ, UWAGI.
const std::vector<int> kColumns{0, 71, 259, 606, 1167, 1360, 1884};
constexpr int kDetailHeight = 50;

} // namespace

TWydruk_Koszty::TWydruk_Koszty(Database& database, Table& vehicles)
    : ReportForm(database, vehicles, QStringLiteral("TableKoszty1"), QStringLiteral("Koszty.DB"),
                 QStringLiteral("ZESTAWIENIE WYDATKÓW(KOSZTÓW) FIRMY"),
                 QStringLiteral("ZESTAWIENIE WYDATKÓW(KOSZTÓW) FIRMY")),
      TableKoszty1(&table()) {
    report::Report& r = report();
    r.setFont(font(kTimes, 10));

    report::Band& title = r.title();
    title.setHeight(450);
    ownerBlock(title, 10, QStringLiteral("Marka pojazdu:"), QStringLiteral("QRLabelMarka"),
               QStringLiteral("QRLabelJakiSamochod"));
    title.label({0, 265, 1900, 0}, QStringLiteral("Zestawienie poniesionych wydatków"))
        .setFont(font(kTimes, 14, true))
        .setAlign(Align::Centre);
    title
        .label({0, 330, 1900, 0},
               QStringLiteral("w związku z używaniem pojazdu do celów działalnosci gospodarczej"))
        .setFont(font(kTimes, 10))
        .setAlign(Align::Centre);
    title.label({0, 395, 1000, 0}, QString())
        .setName(QStringLiteral("QRLabelZaMiesiac"))
        .setFont(font(kTimes, 10));

    const report::Font head = font(kTimes, 8, true);
    tableHeader(r.columnHeader(), kColumns, 80, 2.0,
                {{0, 22, QStringLiteral("LP"), head},
                 {1, 8, QStringLiteral("DATA"), head},
                 {1, 40, QStringLiteral("WYDATKU"), head},
                 {2, 22, QStringLiteral("NR RACHUNKU"), head},
                 {3, 22, QStringLiteral("RODZAJ WYDATKU"), head},
                 {4, 8, QStringLiteral("WARTOŚĆ"), head},
                 {4, 40, QStringLiteral("[zł]"), head},
                 {5, 22, QStringLiteral("UWAGI"), head}});

    report::Band& detail = r.detail();
    detail.setHeight(kDetailHeight).setFont(font(kTimes, 9));
    columnRules(detail, kColumns, kDetailHeight);
    detail.rowNumber(cell(kColumns[0], kColumns[1], 6));
    detail.field(cell(kColumns[1], kColumns[2], 6), K::Data).setAlign(Align::Centre);
    detail.field(cell(kColumns[2], kColumns[3], 6), K::Nr_Rachunku);
    detail.field(cell(kColumns[3], kColumns[4], 6), K::Rodzaj_Wyd);
    detail.field(cell(kColumns[4], kColumns[5], 6), K::Wartosc)
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));
    detail.field(cell(kColumns[5], kColumns[6], 6), K::Uwagi);

    report::Band& summary = r.summary();
    summary.setHeight(60);
    summary.frame({0, 0, kColumns.back(), 60});
    summary.label(cell(kColumns[3], kColumns[4], 14), QStringLiteral("RAZEM"))
        .setFont(font(kTimes, 8, true))
        .setAlign(Align::Right);
    summary.sum(cell(kColumns[4], kColumns[5], 10), K::Wartosc)
        .setName(QStringLiteral("QRSumaWartosc"))
        .setFont(font(kTimes, 10, true))
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));

    pageFooter(r.pageFooter());
}

} // namespace tarlok
