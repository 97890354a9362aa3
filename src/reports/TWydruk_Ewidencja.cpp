#include "TWydruk_Ewidencja.h"

#include "store/Tables.h"

namespace tarlok {

namespace J = fields::przejazdy;

using namespace layout;
using report::Align;

namespace {

// Column boundaries: LP, DATA, TRASA, CEL, ILOŚĆ, STAWKA, WART.
const std::vector<int> kColumns{0, 61, 222, 759, 1453, 1593, 1730, 1889};
constexpr int kDetailHeight = 72;
constexpr int kSumsHeight = 50;

} // namespace

TWydruk_Ewidencja::TWydruk_Ewidencja(Database& database, Table& vehicles)
    : ReportForm(database, vehicles, QStringLiteral("TablePrzejazdy1"), QStringLiteral("Przejazdy.DB"),
                 QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU"), QStringLiteral("Przebieg_Pojazdu_Ewidencja")),
      TablePrzejazdy1(&table()) {
    report::Report& r = report();
    r.setFont(font(kTimes, 10));

    report::Band& title = r.title();
    title.setHeight(400);
    ownerBlock(title, 10, QStringLiteral("Pojemność silnika:"), QStringLiteral("QRLabelPojemnosc"),
               QStringLiteral("QRlabelPojemnoscSilnika"));
    title.label({0, 270, 1900, 0}, QStringLiteral("Ewidencja przebiegu pojazdu"))
        .setFont(font(kTimes, 12, true))
        .setAlign(Align::Centre);
    title.label({0, 345, 1000, 0}, QString())
        .setName(QStringLiteral("QRLabelZaMiesiac"))
        .setFont(font(kTimes, 10));

    const report::Font head = font(kTimes, 8, true);
    const report::Font second = font(kTimes, 10);
    tableHeader(r.columnHeader(), kColumns, 90, 2.0,
                {{0, 8, QStringLiteral("LP"), head},
                 {1, 8, QStringLiteral("DATA"), head},
                 {1, 42, QStringLiteral("WYJAZDU"), second},
                 {2, 8, QStringLiteral("OPIS TRASY WYJAZDU"), head},
                 {2, 42, QStringLiteral("(skąd - dokąd)"), second},
                 {3, 8, QStringLiteral("CEL WYJAZDU"), head},
                 {3, 42, QStringLiteral("OPIS"), second},
                 {4, 8, QStringLiteral("ILOŚĆ"), head},
                 {4, 42, QStringLiteral("[km]"), second},
                 {5, 8, QStringLiteral("STAWKA"), head},
                 {5, 42, QStringLiteral("za 1 km"), second},
                 {6, 8, QStringLiteral("WART."), head},
                 {6, 42, QStringLiteral("[zł]"), second}});

    report::Band& detail = r.detail();
    detail.setHeight(kDetailHeight).setFont(font(kTimesCE, 7));
    columnRules(detail, kColumns, kDetailHeight);
    detail.rowNumber(cell(kColumns[0], kColumns[1], 4));
    detail.field(cell(kColumns[1], kColumns[2], 4), J::Data);
    detail.field(cell(kColumns[2], kColumns[3], 4), J::Trasa);
    detail.field(cell(kColumns[3], kColumns[4], 4), J::Cel_Wyj);
    detail.field(cell(kColumns[3], kColumns[4], 37), J::Pom1);
    detail.field(cell(kColumns[4], kColumns[5], 4), J::Kilometry)
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));
    detail.field(cell(kColumns[5], kColumns[6], 4), J::Stawka)
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.0000"));
    detail.field(cell(kColumns[6], kColumns[7], 4), J::Wartosc)
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));

    // The sums, then the employer's signature over the employer's name and address: the register of
    // an employee's car ends with them, on its last page.
    report::Band& summary = r.summary();
    summary.setHeight(kSumsHeight + 310).setFont(font(kTimes, 8, true));
    summary.frame({0, 0, kColumns.back(), kSumsHeight});
    summary.label(cell(kColumns[3], kColumns[4], 12), QStringLiteral("Razem")).setAlign(Align::Right);
    summary.sum(cell(kColumns[4], kColumns[5], 12), J::Kilometry)
        .setName(QStringLiteral("QRSumaKilometry"))
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));
    summary.field(cell(kColumns[5], kColumns[6], 12), J::Stawka)
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.0000"));
    summary.sum(cell(kColumns[6], kColumns[7], 12), J::Wartosc)
        .setName(QStringLiteral("QRSumaWartosc"))
        .setAlign(Align::Right)
        .setPattern(QStringLiteral("0.00"));
    const QRect signature(1100, kSumsHeight + 130, 780, 0);
    summary.label(signature, QStringLiteral("............................................"))
        .setFont(font(kTimes, 10))
        .setAlign(Align::Centre);
    summary.label(signature.translated(0, 40), QStringLiteral("Podpis pracodawcy"))
        .setFont(font(kTimes, 8))
        .setAlign(Align::Centre);
    summary.label(signature.translated(0, 90), QString())
        .setName(QStringLiteral("QRLabelPracodawca"))
        .setFont(font(kTimes, 9))
        .setAlign(Align::Centre);
    summary.label(signature.translated(0, 135), QString())
        .setName(QStringLiteral("QRLabelAdresPracodawcy"))
        .setFont(font(kTimes, 9))
        .setAlign(Align::Centre);

    pageFooter(r.pageFooter());
    setDataPointSize(7);
}

void TWydruk_Ewidencja::setDataPointSize(double points) {
    report().detail().setPointSize(points);
}

} // namespace tarlok
