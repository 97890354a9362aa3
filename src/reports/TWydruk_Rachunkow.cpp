#include "TWydruk_Rachunkow.h"

#include "store/Tables.h"

namespace tarlok {

namespace K = fields::koszty;

using namespace layout;
using report::Align;

namespace {

// Column boundaries: LP, DATA, NR RACHUNKU, RODZAJ, WARTOŚĆ, KOSZTY ZALICZONE, UWAGI.
const std::vector<int> kColumns{0, 71, 259, 519, 1323, 1521, 1736, 1886};
constexpr int kDetailHeight = 55;
constexpr int kLine = 50; // one line of the summary

} // namespace

QStringList TWydruk_Rachunkow::amountLabels() {
    return {QStringLiteral("QRFaktyczneWydatki_za_poprzenie_mc"),
            QStringLiteral("QRRazem_z_aktualnym_mc"),
            QStringLiteral("QRKwotaEwidencjiZaRok"),
            QStringLiteral("QRLimitWyd_od_pocz_Roku"),
            QStringLiteral("QRWdatki_zal_w_koszty_za_poprz_mc"),
            QStringLiteral("QRKwotaZaliczona_w_Koszty")};
}

TWydruk_Rachunkow::TWydruk_Rachunkow(Database& database, Table& vehicles)
    : ReportForm(database, vehicles, QStringLiteral("TableKoszty1"), QStringLiteral("Koszty.DB"),
                 QStringLiteral("ZESTAWIENIE RACHUNKÓW - KOSZTY ZALICZONE"),
                 QStringLiteral("ZESTAWIENIE RACHUNKÓW - KOSZTY ZALICZONE")),
      TableKoszty1(&table()) {
    report::Report& r = report();
    r.setFont(font(kTimes, 10));

    report::Band& title = r.title();
    title.setHeight(480);
    ownerBlock(title, 9, QStringLiteral("Marka pojazdu:"), QStringLiteral("QRLabelMarka"),
               QStringLiteral("QRlabelMarkaPojazdu"));
    title.label({0, 250, 1900, 0}, QStringLiteral("Zestawienie rachunków"))
        .setFont(font(kTimes, 14, true))
        .setAlign(Align::Centre);
    title.label({0, 315, 1900, 0}, QStringLiteral("z tytułu poniesionych wydatków w związku z używaniem"))
        .setFont(font(kTimes, 9))
        .setAlign(Align::Centre);
    title.label({0, 355, 1900, 0}, QStringLiteral("własnego pojazdu do celów działalności gospodarczej"))
        .setFont(font(kTimes, 9))
        .setAlign(Align::Centre);
    title.label({0, 420, 1000, 0}, QString())
        .setName(QStringLiteral("QRLabelZaMiesiac"))
        .setFont(font(kTimes, 10));

    const report::Font head = font(kTimes, 9, true);
    const report::Font unit = font(kTimes, 9);
    tableHeader(r.columnHeader(), kColumns, 115, 2.0,
                {{0, 40, QStringLiteral("LP"), head},
                 {1, 22, QStringLiteral("DATA"), head},
                 {1, 58, QStringLiteral("WYDATKU"), head},
                 {2, 38, QStringLiteral("NR RACHUNKU"), font(kTimes, 10, true)},
                 {3, 40, QStringLiteral("RODZAJ WYDATKU"), head},
                 {4, 6, QStringLiteral("WARTOŚĆ"), head},
                 {4, 42, QStringLiteral("WYDATKU"), head},
                 {4, 78, QStringLiteral("[zł]"), unit},
                 {5, 6, QStringLiteral("KOSZTY"), head},
                 {5, 42, QStringLiteral("ZALICZONE"), head},
                 {5, 78, QStringLiteral("[zł]"), unit},
                 {6, 6, QStringLiteral("UWAGI"), head},
                 {6, 42, QStringLiteral("(stan licz.)"), unit},
                 {6, 78, QStringLiteral("[km]"), unit}});

    report::Band& detail = r.detail();
    detail.setHeight(kDetailHeight).setFont(font(kTimes, 10));
    columnRules(detail, kColumns, kDetailHeight);
    detail.rowNumber(cell(kColumns[0], kColumns[1], 6)).setAlign(Align::Right);
    detail.field(cell(kColumns[1], kColumns[2], 6), K::Data).setAlign(Align::Centre);
    detail.field(cell(kColumns[2], kColumns[3], 6), K::Nr_Rachunku);
    detail.field(cell(kColumns[3], kColumns[4], 6), K::Rodzaj_Wyd);
    detail.field(cell(kColumns[4], kColumns[5], 6), K::Wartosc)
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));
    detail.field(cell(kColumns[6], kColumns[7], 6), K::Uwagi);

    // Seven lines: the text at the left, the amount right-aligned in the value column; the last line
    // bold italic with its amount in the next column.
    report::Band& summary = r.summary();
    summary.setHeight(20 + 7 * kLine).setFont(font(kTimes, 10));
    summary.rule(QLine(0, 0, kColumns.back(), 0));
    const QRect text(10, 0, kColumns[4] - 20, 0);
    auto line = [&](int n) {
        return text.translated(0, 12 + n * kLine);
    };
    auto amount = [&](int n, int column) {
        return cell(kColumns[size_t(column)], kColumns[size_t(column) + 1], 12 + n * kLine);
    };
    summary.label(line(0), QStringLiteral("Razem wydatki za aktualny miesiąc"))
        .setName(QStringLiteral("QRLabelRazemZaMiesiac_String"));
    summary.sum(amount(0, 4), K::Wartosc)
        .setName(QStringLiteral("QRSumaWartosc"))
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));
    summary.label(line(1), QStringLiteral("Wydatki faktycznie poniesione w poprzednich miesiącach"))
        .setName(QStringLiteral("QRLabelRazem2_string"));
    summary.label(line(2), QStringLiteral("Razem z aktualnym miesiącem"))
        .setName(QStringLiteral("QRLabelRazem_z_aktualnym"));
    summary.label(line(3), QStringLiteral("Kwota wynikająca z ewidencji przebiegu pojazdu od początku roku"));
    summary.label(line(4), QStringLiteral(
                               "Limit wydatków, które mogą być zaliczone w ciężar kosztów od początku roku"));
    summary.label(line(5),
                  QStringLiteral("Kwota wydatków zaliczonych w ciężar kosztów w poprzednich miesiącach"));
    const report::Font last = font(kTimes, 10, true, true);
    summary
        .label(line(6).adjusted(0, 0, kColumns[5] - kColumns[4], 0),
               QStringLiteral("Kwota wydatków do zaliczenia w ciężar kosztów aktualnego miesiąca"))
        .setName(QStringLiteral("QRLabelKwotaZaliczonaWyd_String"))
        .setFont(last);
    const QStringList amounts = amountLabels();
    for (int n = 1; n <= 6; ++n) {
        report::Item& item = summary.label(amount(n, n == 6 ? 5 : 4), QString())
                                 .setName(amounts[n - 1])
                                 .setAlign(Align::Right);
        if (n == 6)
            item.setFont(last);
    }

    pageFooter(r.pageFooter());
}

} // namespace tarlok
