#include "TWydruk_EwidencjaPrzebieguDlaVat.h"

#include "common/Months.h"
#include "store/Tables.h"

namespace tarlok {

namespace J = fields::przejazdy;

using namespace layout;
using report::Align;

namespace {

// Column boundaries: Nr kol, Data, Trasa, Cel, km, Nazwisko, Imię, liczniki.
const std::vector<int> kColumns{0, 82, 265, 730, 1191, 1323, 1527, 1701, 1894};
constexpr int kDetailHeight = 90;

} // namespace

const QString TWydruk_EwidencjaPrzebieguDlaVat::kTaxpayerLayoutText =
    QStringLiteral("Podatnik (nazwa, imię i nazwisko, adres, NIP): "
                   "......................................................................................");

const QString TWydruk_EwidencjaPrzebieguDlaVat::kConfirmation =
    QStringLiteral("Potwierdzam, że wpisy w niniejszej ewidencji przebiegu pojazdu za %1 są zgodne ze stanem "
                   "faktycznym.");

QString TWydruk_EwidencjaPrzebieguDlaVat::confirmationPeriod(int year, int month) {
    return QStringLiteral("miesiąc %1 %2 roku").arg(months::name(month)).arg(year);
}

TWydruk_EwidencjaPrzebieguDlaVat::TWydruk_EwidencjaPrzebieguDlaVat(Database& database, Table& vehicles)
    : ReportForm(database, vehicles, QStringLiteral("Table1Przejazdy"), QStringLiteral("Przejazdy.DB"),
                 QStringLiteral("EWIDENCJA PRZEBIEGU VAT"), QStringLiteral("EWIDENCJA PRZEBIEGU VAT")),
      Table1Przejazdy(&table()) {
    report::Report& r = report();
    const report::Font text = font(kArial, 10);
    const report::Font value = font(kArial, 10, true);
    r.setFont(text);
    // Nothing is printed for a period without trips.
    r.setPrintWhenEmpty(false);

    report::Band& title = r.title();
    title.setHeight(640);
    {
        const int width =
            Strip::widthOf(QStringLiteral("Strona   "), value) + Strip::widthOf(QStringLiteral("999"), value);
        Strip page(title, 1900 - width, 0);
        page.text(QStringLiteral("Strona   "), value);
        title.system({page.x(), 0, 1900 - page.x(), 0}, report::SystemData::PageNumber).setFont(value);
    }
    title.label({0, 55, 1900, 0}, kTaxpayerLayoutText)
        .setName(QStringLiteral("QRLabelNazwisko_Imie_Nazwa_adres"))
        .setFont(font(kArial, 9, true))
        .setWordWrap(true);

    // Left half: the registration, the first day and the odometer on it.
    constexpr int kLeftValue = 690;
    title.label({0, 150, 0, 0}, QStringLiteral("Nr rejestracyjny pojazdu:"));
    title.label({kLeftValue, 150, 930 - kLeftValue, 0}, QString())
        .setName(QStringLiteral("QRLabelRejestracja"))
        .setFont(value);
    title.label({0, 200, 0, 0}, QStringLiteral("Dzień rozpoczęcia prowadzenia ewidencji:"));
    title.label({kLeftValue, 200, 930 - kLeftValue, 0}, QString())
        .setName(QStringLiteral("QRLabelDzienRoz"))
        .setFont(value);
    title.label({0, 250, 0, 0}, QStringLiteral("Stan licznika przebiegu pojazdu "));
    title.label({0, 290, 0, 0}, QStringLiteral("na dzień rozpoczęcia prow. ewid:"));
    title.field({kLeftValue, 290, 930 - kLeftValue, 0}, J::StanLicznikaPrzed).setFont(value);

    // Right half: the last day, the odometer on it and the kilometres of the period.
    constexpr int kRight = 960;
    constexpr int kRightValue = 1650;
    title.label({kRight, 200, 0, 0}, QStringLiteral("Dzień zakończenia prowadzenia ewidencji:"));
    title.label({kRightValue, 200, 1900 - kRightValue, 0}, QString())
        .setName(QStringLiteral("QRLabelDzienZakon"))
        .setFont(value);
    title.label({kRight, 250, 0, 0}, QStringLiteral("Stan licznika przebiegu pojazdu"));
    title.label({kRight, 290, 0, 0}, QStringLiteral("na dzień zakończenia prow. ewid.:"));
    title.label({kRightValue, 290, 1900 - kRightValue, 0}, QString())
        .setName(QStringLiteral("QRLabelLicznikKoniecMc"))
        .setFont(value);
    title.label({kRight, 340, 0, 0}, QStringLiteral("Liczba przejechanych kilometrów"));
    title.label({kRight, 380, 0, 0}, QStringLiteral("na dzień zakończenia prow. ewid.:"));
    title.label({kRightValue, 380, 1900 - kRightValue, 0}, QString())
        .setName(QStringLiteral("QRLabelKilometryRazem"))
        .setFont(value);

    title.label({0, 450, 1900, 0}, QStringLiteral("EWIDENCJA PRZEBIEGU POJAZDU DLA CELÓW VAT"))
        .setFont(font(kArial, 11, true))
        .setAlign(Align::Centre);
    {
        const int width = Strip::widthOf(QStringLiteral("za miesiąc"), text) +
                          Strip::widthOf(QStringLiteral(" 12 "), value) +
                          Strip::widthOf(QStringLiteral("2000"), value) +
                          Strip::widthOf(QStringLiteral(" roku"), text);
        Strip period(title, (1900 - width) / 2, 510);
        period.text(QStringLiteral("za miesiąc"), text);
        period.field(J::Miesiac, QStringLiteral(" 12 "), value);
        period.field(J::Rok, QStringLiteral("2000"), value);
        period.text(QStringLiteral(" roku"), text);
    }
    {
        Strip start(title, 0, 575);
        start.text(QStringLiteral("Stan licznika "), text);
        start.label(QStringLiteral("QRLabelStanLicznikaNaPoczMiesiaca"), QStringLiteral(" 9999999 "), value);
        start.text(QStringLiteral("km na początek miesiąca "), text);
        start.field(J::Miesiac, QStringLiteral(" 12 "), value);
        start.field(J::Rok, QStringLiteral("2000"), value);
        start.text(QStringLiteral(" roku"), text);
    }

    const report::Font head = font(kArial, 8, true);
    tableHeader(r.columnHeader(), kColumns, 80, 0.0,
                {{0, 24, QStringLiteral("Nr kol"), head},
                 {1, 24, QStringLiteral("Data wyj."), head},
                 {2, 24, QStringLiteral("Opis trasy wyjazdu"), head},
                 {3, 24, QStringLiteral("Cel wyjazdu pojazdu"), head},
                 {4, 24, QStringLiteral("Ilość km"), head},
                 {5, 24, QStringLiteral("Nazwisko kierowcy"), head},
                 {6, 24, QStringLiteral("Imię kierowcy"), head},
                 {7, 8, QStringLiteral("Licz. pocz."), head},
                 {7, 40, QStringLiteral("Licz. kon."), head}});

    report::Band& detail = r.detail();
    detail.setHeight(kDetailHeight).setFont(font(kArial, 10));
    columnRules(detail, kColumns, kDetailHeight, false);
    detail.rule(QLine(0, kDetailHeight, kColumns.back(), kDetailHeight));
    detail.rowNumber(cell(kColumns[0], kColumns[1], 24)).setAlign(Align::Right);
    // The date takes the whole width of its narrow column.
    detail.field({kColumns[1] + 2, 24, kColumns[2] - kColumns[1] - 4, 0}, J::Data).setAlign(Align::Centre);
    detail.field(cell(kColumns[2], kColumns[3], 24), J::Trasa);
    detail.field(cell(kColumns[3], kColumns[4], 24), J::Cel_Wyj);
    detail.field(cell(kColumns[4], kColumns[5], 24), J::Kilometry).setAlign(Align::Right);
    detail.field(cell(kColumns[5], kColumns[6], 24), J::Nazwisko);
    detail.field(cell(kColumns[6], kColumns[7], 24), J::Imie);
    detail.field(cell(kColumns[7], kColumns[8], 4), J::StanLicznikaPrzed).setAlign(Align::Right);
    detail.field(cell(kColumns[7], kColumns[8], 46), J::StanLicznikaPo).setAlign(Align::Right);

    // The total, then the taxpayer's confirmation with places for the date and the signature over the
    // owner's name, on the page of the total.
    report::Band& summary = r.summary();
    summary.setHeight(420);
    summary.sum(cell(kColumns[4], kColumns[5], 10), J::Kilometry)
        .setName(QStringLiteral("QRSumaKilometry"))
        .setFont(value)
        .setAlign(Align::Right);
    summary.label({kColumns[5] + 10, 10, 0, 0}, QStringLiteral("km")).setFont(text);
    summary.label({0, 110, 1900, 0}, QString())
        .setName(QStringLiteral("QRLabelPotwierdzenie"))
        .setFont(text)
        .setWordWrap(true);
    const QString dots = QStringLiteral("............................................");
    summary.label({0, 290, 700, 0}, dots).setAlign(Align::Centre);
    summary.label({0, 330, 700, 0}, QStringLiteral("(data)"))
        .setFont(font(kArial, 8))
        .setAlign(Align::Centre);
    summary.label({1100, 290, 800, 0}, dots).setAlign(Align::Centre);
    summary.label({1100, 330, 800, 0}, QStringLiteral("(podpis podatnika)"))
        .setFont(font(kArial, 8))
        .setAlign(Align::Centre);
    summary.label({1100, 370, 800, 0}, QString())
        .setName(QStringLiteral("QRLabelPodatnikPodpis"))
        .setFont(font(kArial, 9))
        .setAlign(Align::Centre);

    report::Band& footer = r.pageFooter();
    footer.setHeight(60);
    Strip end(footer, 0, 15);
    end.text(QStringLiteral("Stan licznika"), text);
    end.label(QStringLiteral("QRLabelStanLicznikaNaKonMiesiaca"), QStringLiteral(" 9999999 "), value);
    end.text(QStringLiteral("km na koniec miesiąca "), text);
    end.field(J::Miesiac, QStringLiteral(" 12 "), value);
    end.field(J::Rok, QStringLiteral("2000"), value);
    end.text(QStringLiteral(" roku"), text);
}

} // namespace tarlok
