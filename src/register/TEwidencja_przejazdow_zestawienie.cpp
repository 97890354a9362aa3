// The summary tab: one line per month of the vehicle's year, read from the month totals that the
// trip and cost saves store on every row.
#include "TEwidencja_przejazdow.h"

#include "common/Money.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "calc/SummaryCalc.h"
#include "store/Table.h"
#include "ui_TEwidencja_przejazdow.h"

namespace tarlok {

namespace {

constexpr int kColumnWidths[15] = {69, 70, 73, 72, 68, 70, 71, 70, 50, 68, 64, 78, 64, 64, 64};

struct Heading {
    const char* rows[3];
};

const Heading kHeadings[15] = {
    {{"", "MIESIĄC", ""}},
    {{"Wartość", "przejazdów", "miesięcznie"}},
    {{"Wartość", "przejazdów", "narastająco"}},
    {{"Koszty", "miesięczne", ""}},
    {{"Koszty", "narastająco", ""}},
    {{"Koszty", "zaliczone", "miesięcznie"}},
    {{"Koszty", "zaliczone", "narastająco"}},
    {{"Kilometry", "miesięcznie", ""}},
    {{"Kilometry", "narastająco", ""}},
    {{"Wydatki na", "paliwo", "miesięcznie"}},
    {{"Wydatki na", "paliwo", "narastająco"}},
    {{"Zużyte", "paliwo [dm3]", "miesięcznie"}},
    {{"Zużyte", "paliwo [dm3]", "narastająco"}},
    {{"VAT", "[zł]", "miesięcznie"}},
    {{"Zużycie", "Paliwa", "100 km"}},
};

} // namespace

void TEwidencja_przejazdow::NaglowkiZestawienia() {
    QTableWidget* grid = m_ui->StringGridZestawienie;
    // The headings fit the narrow columns in a small face.
    QFont small = grid->font();
    small.setPointSizeF(7.5);
    grid->setFont(small);
    grid->setTextElideMode(Qt::ElideNone);
    for (int c = 0; c < 15; ++c) {
        grid->setColumnWidth(c, kColumnWidths[c]);
        for (int r = 0; r < 3; ++r) {
            setCell(grid, c, r, QString::fromUtf8(kHeadings[c].rows[r]));
            grid->item(r, c)->setTextAlignment(Qt::AlignCenter);
            grid->item(r, c)->setBackground(palette().button());
        }
    }
    for (int m = 1; m <= 12; ++m) {
        setCell(grid, 0, m + 2, months::name(m));
        grid->item(m + 2, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        grid->item(m + 2, 0)->setBackground(palette().button());
    }
}

void TEwidencja_przejazdow::WyliczZestawienie() {
    if (!TablePojazdy->isActive() || TablePojazdy->isEmpty() || !TablePrzejazdy->isActive() ||
        !TableKoszty->isActive())
        return;
    QTableWidget* grid = m_ui->StringGridZestawienie;
    const qint64 vehicle = TablePojazdy->asInteger(QStringLiteral("NrKol_Pojazdu"));
    const int year = selectedYear();

    std::array<summary::MonthTotals, 13> totals{};
    TablePrzejazdy->disableControls();
    TableKoszty->disableControls();
    struct Resume {
        Table* a;
        Table* b;
        ~Resume() {
            a->enableControls();
            b->enableControls();
        }
    } resume{TablePrzejazdy, TableKoszty};
    for (int m = 1; m <= 12; ++m) {
        summary::MonthTotals& t = totals[size_t(m)];
        const QString key = QStringLiteral("Rok;Miesiac;NrKol_Pojazdu");
        if (TablePrzejazdy->locate(key, {year, m, vehicle})) {
            t.hasTrips = true;
            t.tripValue = TablePrzejazdy->asFloat(QStringLiteral("WartoscSuma"));
            t.tripKm = TablePrzejazdy->asInteger(QStringLiteral("KilometrySuma"));
        }
        if (TableKoszty->locate(key, {year, m, vehicle})) {
            t.hasCosts = true;
            t.costValue = TableKoszty->asFloat(QStringLiteral("WartoscSuma"));
            t.fuelValue = TableKoszty->asFloat(QStringLiteral("SumaWartPaliwo"));
            t.fuelLitres = TableKoszty->asFloat(QStringLiteral("SumaIloscPaliwo"));
        }
        t.vat = VatMiesiecznie[size_t(m)];
        t.consumption = m_ui->CheckBoxSpalanie->isChecked() ? SpalanieMiesiaca(m) : 0.0;
    }
    const auto lines = summary::lines(totals, m_ui->CheckBoxSpalanie->isChecked());
    for (int m = 1; m <= 12; ++m)
        for (int c = 1; c <= 14; ++c)
            setCell(grid, c, m + 2, lines[size_t(m)][size_t(c)]);
}

double TEwidencja_przejazdow::SpalanieMiesiaca(int month) {
    const int year = selectedYear();
    std::vector<summary::FuelRow> rows;
    TableKoszty->disableControls();
    for (TableKoszty->first(); !TableKoszty->eof(); TableKoszty->next()) {
        if (!TableKoszty->asBool(QStringLiteral("CzyPaliwo")) ||
            TableKoszty->asInteger(QStringLiteral("Miesiac")) != month ||
            TableKoszty->asInteger(QStringLiteral("Rok")) != year)
            continue;
        rows.push_back(summary::FuelRow{TableKoszty->value(QStringLiteral("IloscPaliwa")),
                                        TableKoszty->asString(QStringLiteral("Pom1"))});
    }
    TableKoszty->enableControls();
    return summary::consumption(rows);
}

} // namespace tarlok
