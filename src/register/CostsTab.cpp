#include "CostsTab.h"

#include "CostRows.h"
#include "EntryTab.h"
#include "GridCells.h"
#include "SumLabels.h"
#include "TEwidencja_przejazdow.h"
#include "TImportCsv.h"
#include "calc/CostCalc.h"
#include "calc/VehicleRows.h"
#include "common/Money.h"
#include "common/Numbers.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "core/Keyboard.h"
#include "data/SharedData.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"

#include <set>

namespace tarlok {

namespace {

namespace K = fields::koszty;
namespace P = fields::pojazdy;

const costs::Passes kEveryPass = costs::Pass::Month | costs::Pass::Fuel | costs::Pass::Year;
const QString kCaptionInfo = QStringLiteral("Informacja");
// "50 %" of "Vat zaliczony w koszty", the choice a new cost starts from.
constexpr int kUsualVatShare = 1;

using costrows::optionalFloat;
using costrows::optionalInteger;
using costrows::vehicleCosts;

} // namespace

// ---------------------------------------------------------------- creation

CostsTab::CostsTab(TEwidencja_przejazdow& window, Forms& forms)
    : QObject(nullptr), m_window(window), m_forms(forms), m_ui(window.ui()),
      TablePojazdy(forms.context.data().TablePojazdy), TableKoszty(forms.context.data().TableKoszty) {
}

CostsTab::~CostsTab() {
    // The shared table outlives the tab: its calculated field is the tab's.
    TableKoszty->onCalcFields = nullptr;
}

void CostsTab::setupControls() {
    auto* ui = m_ui;
    // The gross value the costs grid shows follows the tab's "Vat zaliczony w koszty" choice.
    TableKoszty->onCalcFields = [this](Table& t) {
        TableKosztyCalcFields(t);
    };
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DbGrid* grid = ui->DBGridKoszty;
    grid->setDataSource(TableKoszty);
    grid->setInPlaceEditing(false);
    grid->setRowSelect(true);
    grid->addColumn(K::Data, QStringLiteral("Data"), 80, left, true);
    grid->addColumn(K::Nr_Rachunku, QStringLiteral("Nr dokumentu"), 110, left, true);
    grid->addColumn(K::Rodzaj_Wyd, QStringLiteral("Rodzaj wydatku"), 160, left, true);
    grid->addColumn(K::Wartosc, QStringLiteral("Wartość"), 82, right, true, QStringLiteral("0.00"));
    grid->addColumn(K::Pom2, QStringLiteral("Vat zal."), 74, right, true, QStringLiteral("0.00"));
    grid->addColumn(K::Wartosc_Narastajaca, QStringLiteral("Wart.nar.mc"), 92, right, true,
                    QStringLiteral("0.00"));
    grid->addColumn(K::Wartosc_NarastajacaRok, QStringLiteral("Wart.nar.rok"), 92, right, true,
                    QStringLiteral("0.00"));
    grid->addColumn(K::IloscPaliwa, QStringLiteral("Paliwo il."), 80, right, true);
    grid->addColumn(K::SumaIloscPaliwo, QStringLiteral("Paliwo sum."), 90, right, true);

    // The boxes bound to the current cost.
    ui->DBNrDokKosztu->setDataSource(TableKoszty, K::Nr_Rachunku);
    ui->DBNazwaWydatku->setDataSource(TableKoszty, K::Rodzaj_Wyd);
    ui->DBWartoscKosztu->setDataSource(TableKoszty, K::Wartosc);
    ui->DBWartoscKosztu->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBEditWartoscBrutto->setDataSource(TableKoszty, K::WartBrutto);
    ui->DBEditWartoscBrutto->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBEditWartoscBrutto->setReadOnly(true);
    ui->DBEditVat->setDataSource(TableKoszty, K::Pom2);
    ui->DBEditVat->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBEditVat->setReadOnly(true);
    ui->DBEditVatZalProcent->setDataSource(TableKoszty, K::VatZaliczonyProcent);
    ui->DBIloscPaliwa->setDataSource(TableKoszty, K::IloscPaliwa);
    ui->DBIloscPrzejechanychKm->setDataSource(TableKoszty, K::Pom1);
    ui->DBEditStanLicznikaPrzed->setDataSource(TableKoszty, K::StanLicznikaPrzed);
    ui->DBEditStanLicznika->setDataSource(TableKoszty, K::Uwagi);

    Dialogs& dialogs = m_forms.context.dialogs;
    connectAction(dialogs, ui->DodajKoszt, &QPushButton::clicked, this, &CostsTab::DodajKosztClick);
    connectAction(dialogs, ui->EdytujKoszt, &QPushButton::clicked, this, &CostsTab::EdytujKosztClick);
    connectAction(dialogs, ui->ZapiszKoszt, &QPushButton::clicked, this, &CostsTab::ZapiszKosztClick);
    connectAction(dialogs, ui->AnulujKoszt, &QPushButton::clicked, this, &CostsTab::AnulujKosztClick);
    connectAction(dialogs, ui->UsunKoszt, &QPushButton::clicked, this, &CostsTab::UsunKosztClick);
    connect(ui->ImportKosztow, &QPushButton::clicked, this,
            [this] { m_forms.ImportCsv->importFile(registerimport::What::Costs); });
    connectAction(dialogs, ui->RadioGroupPrzeliczanieVat, &RadioGroup::clicked, this,
                  &CostsTab::RadioGroupPrzeliczanieVatClick);
    connectAction(dialogs, ui->RadioGroupCoPodajemy, &RadioGroup::clicked, this,
                  &CostsTab::RadioGroupCoPodajemyClick);
    // As on the trips tab: Ctrl+N begins the next cost, Ctrl+S saves it.
    pressOnKeys(ui->DodajKoszt, QKeySequence(Qt::CTRL | Qt::Key_N));
    pressOnKeys(ui->ZapiszKoszt, QKeySequence(Qt::CTRL | Qt::Key_S));
    entrytab::connectGridMoves(dialogs, grid, this, &CostsTab::DBGridKosztyCellClick,
                               &CostsTab::DBGridKosztyKeyDown);
}

// ---------------------------------------------------------------- period and tab

void CostsTab::setButtonsEnabled(bool enabled) {
    entrytab::setEnabled({m_ui->DodajKoszt, m_ui->ZapiszKoszt, m_ui->AnulujKoszt, m_ui->UsunKoszt}, enabled);
}

void CostsTab::monthShown(int month) {
    setButtonsEnabled(month != 0);
    TableKoszty->refresh();
    if (month == 0)
        PrzeliczKosztyRok();
    showSums(month);
    SpalanieSrednie();
    SpalanieAktualne();
    TableKoszty->first();
    PokazPolaVat();
    TableKoszty->refresh();
    TableKoszty->first();
    m_ui->DataKosztu->setDate(entrytab::pickerDate(m_window, *TableKoszty));
    m_ui->EditWartoscZaliczona->setText(
        TableKoszty->isEmpty() ? QString() : numbers::general(TableKoszty->asFloat(K::Wartosc)));
}

void CostsTab::tabShown(int month) {
    m_ui->LabelWartosc->setText(QStringLiteral("Wartość[zł]"));
    setButtonsEnabled(month != 0);
    TableKoszty->refresh();
    if (month == 0)
        PrzeliczKosztyRok();
    showSums(month);
}

void CostsTab::showSums(int month) {
    OpisySumKosztow(month);
    SumyKosztow(month);
    SumyVat(month);
}

void CostsTab::resetEntryModes() {
    const AppContext& ctx = m_forms.context;
    if (ctx.schema.parametersPresent)
        entrytab::setVisible(
            {m_ui->RadioGroupCoPodajemy, m_ui->LabelStanLIcznikaPrzed, m_ui->DBEditStanLicznikaPrzed},
            ctx.schema.costsUpgraded);
    applyCostEntryMode();
    m_ui->RadioGroupPrzeliczanieVat->setItemIndex(0);
    m_ui->DBEditVatZalProcent->setVisible(false);
    m_ui->LabelProcVatZaliczony->setVisible(false);
    m_ui->RadioGroupVatZaliczony->setVisible(true);
}

void CostsTab::showFirstCost() {
    if (TableKoszty->isEmpty())
        return;
    SpalanieSrednie();
    SpalanieAktualne();
    TableKoszty->first();
    TableKoszty->refresh();
    PokazPolaVat();
}

// ---------------------------------------------------------------- passes

namespace {

// The passes over a vehicle's costs of `year`, read through a table of their own.
void passesThroughReader(Database& database, qint64 vehicle, int year, int fromMonth, int toMonth,
                         costs::Passes passes) {
    const VehicleRows rows = vehicleRowsOfYear(database, tables::koszty().fileName(), vehicle, year);
    if (Table* reader = rows.table())
        costrows::writePasses(*reader, year, fromMonth, toMonth, passes);
}

} // namespace

void CostsTab::recomputeCosts(int year, int fromMonth, int toMonth, costs::Passes passes) {
    if (!TableKoszty->isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    if (TableKoszty->fieldRangesAdmit(K::Rok, year))
        costrows::writePasses(*TableKoszty, year, fromMonth, toMonth, passes);
    else // a cost dated in a year the register does not hold
        passesThroughReader(m_forms.context.database, TablePojazdy->asInteger(P::NrKol_Pojazdu), year,
                            fromMonth, toMonth, passes);
}

void CostsTab::recomputeCostsOfYear(qint64 vehicle, int year) {
    passesThroughReader(m_forms.context.database, vehicle, year, 1, 12, kEveryPass);
}

std::vector<costs::CostRow> CostsTab::costsOfYear(int year) {
    Table& t = *TableKoszty;
    if (!t.isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return {};
    if (t.fieldRangesAdmit(K::Rok, year)) {
        if (!t.isEditing()) // a pending cost is not stored by reading the sums
            t.keepRangeCurrent();
        return vehicleCosts(t, year);
    }
    const VehicleRows rows = vehicleRowsOfYear(m_forms.context.database, tables::koszty().fileName(),
                                               TablePojazdy->asInteger(P::NrKol_Pojazdu), year);
    return rows.table() ? vehicleCosts(*rows.table(), year) : std::vector<costs::CostRow>{};
}

void CostsTab::PrzeliczKosztyMiesiac() {
    const auto [from, to] = TEwidencja_przejazdow::ZakresMiesiecy(m_window.WybranyMiesiac());
    recomputeCosts(m_window.selectedYear(), from, to, costs::Pass::Month);
}

void CostsTab::PrzeliczKosztyRok() {
    recomputeCosts(m_window.selectedYear(), 1, 12, costs::Pass::Year);
}

void CostsTab::PrzeliczPaliwo() {
    const auto [from, to] = TEwidencja_przejazdow::ZakresMiesiecy(m_window.WybranyMiesiac());
    recomputeCosts(m_window.selectedYear(), from, to, costs::Pass::Fuel);
}

// ---------------------------------------------------------------- sums under the grid

namespace {

void showColumn(QTableWidget* grid, const costs::SumColumn& texts) {
    for (int r = 0; r < 3; ++r)
        grids::setCell(grid, 0, r, texts[size_t(r)]);
}

} // namespace

void CostsTab::SumyKosztow(int month) {
    grids::fill(m_ui->StringGridKoszty, QStringLiteral("0"));
    showColumn(m_ui->StringGridKoszty,
               costs::costSums(month, m_window.selectedYear(), costsOfYear(m_window.selectedYear())));
}

void CostsTab::SumyVat(int month) {
    VatMiesiecznie.fill(0.0);
    grids::fill(m_ui->StringGridVat, QStringLiteral("0"));
    const int year = m_window.selectedYear();
    const costs::VatSums sums = costs::vatSums(month, year, costsOfYear(year));
    VatMiesiecznie = sums.monthly;
    showColumn(m_ui->StringGridVat, sums.texts);
}

void CostsTab::OpisySumKosztow(int month) {
    sums::applySumLabels(m_ui->LabelKosztyDoMiesiaca, m_ui->LabelKosztyZaMiesiac, m_ui->LabelKosztyRazem,
                         month);
}

// ---------------------------------------------------------------- fuel consumption

void CostsTab::SpalanieAktualne() {
    QLineEdit* box = m_ui->EditSpalanie;
    const Table& t = *TableKoszty;
    if (!t.isActive() || t.isEmpty() || !t.asBool(K::CzyPaliwo) || t.isNull(K::IloscPaliwa) ||
        t.asString(K::Pom1).trimmed().isEmpty()) {
        box->clear();
        return;
    }
    const auto km = costs::wholeNumber(t.asString(K::Pom1));
    if (!km) {
        box->clear();
        return;
    }
    if (const auto litresPer100 = costs::consumption(t.asFloat(K::IloscPaliwa), *km))
        box->setText(numbers::general(*litresPer100));
}

void CostsTab::SpalanieSrednie() {
    m_ui->EditSpalanie->clear();
    m_ui->Edit1SrednieSpalanie->clear();
    SpalanieAktualne();
    const Table& t = *TableKoszty;
    if (!t.isActive())
        return;
    if (const auto average = costs::averageConsumption(costrows::fuelEntriesInView(t)))
        m_ui->Edit1SrednieSpalanie->setText(numbers::general(*average));
}

// ---------------------------------------------------------------- controls

void CostsTab::PokazPolaVat() {
    m_ui->LabelWartosc->setText(QStringLiteral("Wartość[zł]"));
    m_ui->LabelVatNiezaliczony->setText(QStringLiteral("VAT niezaliczony[zł]:"));
    entrytab::setVisible(
        {m_ui->LabelWartoscVat, m_ui->DBEditVat, m_ui->LabelWartoscBrutto, m_ui->DBEditWartoscBrutto}, true);
}

void CostsTab::showFuelFields(bool fuel) {
    entrytab::setVisible({m_ui->LabelIloscPaliwa, m_ui->DBIloscPaliwa, m_ui->LabelIloscKm,
                          m_ui->DBIloscPrzejechanychKm, m_ui->LabelStanLicznika, m_ui->DBEditStanLicznika},
                         fuel);
    // The choice and the starting reading exist only in a costs table with its added fields.
    const bool upgraded = m_forms.context.schema.costsUpgraded;
    entrytab::setVisible(
        {m_ui->RadioGroupCoPodajemy, m_ui->LabelStanLIcznikaPrzed, m_ui->DBEditStanLicznikaPrzed},
        fuel && upgraded);
}

void CostsTab::expenseKindChosen(const TJaki_Wydatek::Choice& choice) {
    if (choice.fuel)
        showFuelFields(*choice.fuel);
    if (choice.taken)
        PokazPolaVat();
}

void CostsTab::applyCostEntryMode() {
    const bool byReading = m_ui->RadioGroupCoPodajemy->itemIndex() != 1;
    m_ui->DBIloscPrzejechanychKm->setReadOnly(byReading);
    m_ui->DBIloscPrzejechanychKm->setFlat(byReading);
    m_ui->DBEditStanLicznikaPrzed->setReadOnly(!byReading);
    m_ui->DBEditStanLicznikaPrzed->setFlat(!byReading);
}

void CostsTab::applyVatMode() {
    const bool manual = m_ui->RadioGroupPrzeliczanieVat->itemIndex() == 1;
    m_ui->DBEditVatZalProcent->setVisible(manual);
    m_ui->LabelProcVatZaliczony->setVisible(manual);
    m_ui->RadioGroupVatZaliczony->setVisible(!manual);
}

void CostsTab::clearVatShares() {
    m_ui->EditWartoscZaliczona->clear();
    m_ui->EditVatNiezaliczony->clear();
}

void CostsTab::RadioGroupPrzeliczanieVatClick() {
    applyVatMode();
}

void CostsTab::RadioGroupCoPodajemyClick() {
    applyCostEntryMode();
}

void CostsTab::TableKosztyCalcFields(Table& t) {
    if (t.isNull(K::Pom3) || t.isNull(K::Pom2))
        return;
    t.setValue(QStringLiteral("WartoscBrutto"),
               costs::calculatedGross(t.asFloat(K::Wartosc), t.asInteger(K::Pom3), t.asFloat(K::Pom2),
                                      m_ui->RadioGroupVatZaliczony->itemIndex()));
}

// ---------------------------------------------------------------- selecting a cost

void CostsTab::selectCostRow(bool keys) {
    Table& t = *TableKoszty;
    if (keys)
        applyCostEntryMode();
    if (!t.isActive())
        return;
    // A cost being entered or changed stays as typed (the grid did not leave it).
    if (t.state() == Table::State::Insert || (t.isEditing() && t.isModified()))
        return;
    if (t.isEmpty()) {
        clearVatShares();
        SpalanieAktualne();
        return;
    }
    entrytab::showRowDate(t, K::Data, m_ui->DataKosztu);
    showFuelFields(t.asBool(K::CzyPaliwo));
    PokazPolaVat();
    SpalanieAktualne();
    const double value = t.asFloat(K::Wartosc);
    m_ui->EditWartoscZaliczona->setText(numbers::general(value));
    const auto shown = costs::shownNotCountedVat(
        value, optionalInteger(t, K::Pom3), optionalFloat(t, K::Pom2), optionalFloat(t, K::VatNieZaliczony),
        m_ui->RadioGroupVatZaliczony->itemIndex());
    if (!shown) {
        m_ui->EditVatNiezaliczony->clear();
        return;
    }
    m_ui->EditVatNiezaliczony->setText(numbers::general(*shown));
    // The gross value is held in the row's calculated field; writing it puts the row into edit
    // without changing it, so moving off the row just leaves the edit.
    if (*shown != 0.0) {
        t.edit();
        t.setValue(QStringLiteral("WartoscBrutto"), value + *shown);
    }
}

void CostsTab::DBGridKosztyCellClick() {
    runAction(m_forms.context.dialogs, [&] { selectCostRow(false); });
}

void CostsTab::DBGridKosztyKeyDown() {
    runAction(m_forms.context.dialogs, [&] { selectCostRow(true); });
}

// ---------------------------------------------------------------- new, edit, cancel

void CostsTab::DodajKosztClick() {
    Dialogs& dialogs = m_forms.context.dialogs;
    runAction(dialogs, [&] {
        if (entrytab::refuseNewRow(m_window, dialogs, *TablePojazdy, *TableKoszty,
                                   QStringLiteral("Wprowadź najpierw jakiś pojazd - przycisk \"Pojazdy\"")))
            return;
        try {
            TableKoszty->append();
            NowyKoszt = true;
            m_ui->DataKosztu->setDate(entrytab::newRowDate(m_window, m_forms.context.clock.today()));
            // Every cost starts from the usual share of VAT, not from the last cost's.
            m_ui->RadioGroupVatZaliczony->setItemIndex(kUsualVatShare);
            // The day comes first: the picker takes it with its day chosen.
            m_ui->DataKosztu->setFocus(Qt::TabFocusReason);
        } catch (const Error&) {
            dialogs.message(QStringLiteral("Prosze najpierw zapisać koszt - przycisk \"Zapisz\""));
        }
    });
    clearVatShares();
}

void CostsTab::startCostEdit() {
    Table& t = *TableKoszty;
    if (!t.isActive() || t.state() == Table::State::Insert ||
        entrytab::refuseBrowseOnly(m_forms.context.dialogs, t))
        return;
    if (t.isEmpty()) {
        m_forms.context.dialogs.messageBox(QStringLiteral("Brak kosztu do poprawienia"), kCaptionInfo);
        return;
    }
    // What was typed before the button is kept; the value is taken as typed only when it was typed.
    for (DbEdit* box : {m_ui->DBNrDokKosztu, m_ui->DBNazwaWydatku, m_ui->DBWartoscKosztu, m_ui->DBIloscPaliwa,
                        m_ui->DBIloscPrzejechanychKm, m_ui->DBEditStanLicznikaPrzed, m_ui->DBEditStanLicznika,
                        m_ui->DBEditVatZalProcent})
        box->updateRecord();
    bool valueTyped = false;
    if (t.isEditing()) {
        Record typed;
        for (int i = 0; i < t.physicalFieldCount(); ++i)
            typed.append(t.value(i));
        t.cancel();
        t.edit();
        for (int i = 0; i < t.physicalFieldCount(); ++i) {
            if (typed[i] == t.value(i))
                continue;
            t.setValue(i, typed[i]);
            valueTyped = valueTyped || i == t.fieldIndex(K::Wartosc);
        }
    } else {
        t.edit();
    }
    NowyKoszt = true;
    if (t.isNull(K::Pom3))
        return; // a cost without VAT keeps its value as typed
    // The save adds the counted VAT to the net value again: the box shows the net value.
    if (!valueTyped) {
        const double net = costs::netOfSaved(t.asFloat(K::Wartosc), optionalFloat(t, K::VatZaliczony),
                                             optionalFloat(t, K::Pom2));
        if (net != t.asFloat(K::Wartosc))
            t.setValue(K::Wartosc, net);
        m_ui->LabelWartosc->setText(QStringLiteral("Wartość netto[zł]"));
    }
    if (const auto percent = optionalInteger(t, K::VatZaliczonyProcent)) {
        if (const auto choice = costs::autoChoiceOf(*percent)) {
            m_ui->RadioGroupPrzeliczanieVat->setItemIndex(0);
            m_ui->RadioGroupVatZaliczony->setItemIndex(*choice);
        } else {
            m_ui->RadioGroupPrzeliczanieVat->setItemIndex(1);
        }
        applyVatMode();
    }
}

void CostsTab::EdytujKosztClick() {
    runAction(m_forms.context.dialogs, [&] { startCostEdit(); });
}

void CostsTab::AnulujKosztClick() {
    runAction(m_forms.context.dialogs, [&] { entrytab::cancelPending(*TableKoszty, NowyKoszt); });
}

// ---------------------------------------------------------------- save

void CostsTab::SprawdzStanLicznika() {
    Table& t = *TableKoszty;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString text = t.asString(K::Uwagi);
    if (!text.trimmed().isEmpty() && !costs::wholeNumber(text)) {
        t.setValue(K::Uwagi, QStringLiteral("0"));
        m_forms.context.dialogs.message(QStringLiteral("Stan licznika musi być liczbą całkowitą"));
    }
}

void CostsTab::SprawdzIloscKm() {
    Table& t = *TableKoszty;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString text = t.asString(K::Pom1);
    if (!text.trimmed().isEmpty() && !costs::wholeNumber(text)) {
        t.setValue(K::Pom1, QStringLiteral("0"));
        m_forms.context.dialogs.message(QStringLiteral("Ilość km musi być liczbą całkowitą"));
    }
}

// A refused save is shown; a cost without "Nowy koszt" or incomplete is cancelled, the others stay
// pending to be put right.
bool CostsTab::refuse(const std::optional<costs::SaveRefusal>& refusal) {
    if (!refusal)
        return false;
    entrytab::showRefusal(m_forms.context.dialogs, refusal->message, refusal->caption);
    using costs::SaveCheck;
    switch (refusal->check) {
    case SaveCheck::NoNewCost:
        TableKoszty->cancel();
        break;
    case SaveCheck::Incomplete:
        TableKoszty->cancel();
        NowyKoszt = false;
        break;
    case SaveCheck::BadPercent:
        m_ui->DBEditVatZalProcent->setFocus();
        break;
    case SaveCheck::NothingStarted:
    case SaveCheck::Vehicle: // the cost can be saved once the vehicle is
    case SaveCheck::BeyondLimits:
        break;
    }
    return true;
}

void CostsTab::saveCost() {
    Table& t = *TableKoszty;
    const bool editing = t.isActive() && t.isEditing();
    if (refuse(costs::startRefusal(
            {editing, NowyKoszt, editing && NowyKoszt ? m_window.vehicleRefusal() : QString()})))
        return;
    // NowyKoszt stays set while the cost is pending: a refused text leaves it for the next "Zapisz".
    const bool inserting = t.state() == Table::State::Insert;
    const std::optional<qint64> oldYear = inserting ? std::nullopt : optionalInteger(t, K::Rok);
    for (DbEdit* box :
         {m_ui->DBNrDokKosztu, m_ui->DBNazwaWydatku, m_ui->DBWartoscKosztu, m_ui->DBIloscPaliwa,
          m_ui->DBIloscPrzejechanychKm, m_ui->DBEditStanLicznikaPrzed, m_ui->DBEditStanLicznika})
        box->updateRecord();

    costs::CostEntry entry;
    entry.date = m_ui->DataKosztu->date();
    entry.rate = optionalInteger(t, K::Pom3);
    entry.net = optionalFloat(t, K::Wartosc);
    entry.manual = m_ui->RadioGroupPrzeliczanieVat->itemIndex() == 1;
    entry.percentText = m_ui->DBEditVatZalProcent->text();
    entry.autoChoice = m_ui->RadioGroupVatZaliczony->itemIndex();
    // The odometer fields are read only where the save uses them: a costs table without its added
    // fields has none.
    entry.fuel = entry.rate && entry.net && t.asBool(K::CzyPaliwo);
    if (entry.fuel) {
        entry.byKilometres = m_ui->RadioGroupCoPodajemy->itemIndex() == 1;
        entry.current = {optionalInteger(t, K::StanLicznikaPrzed), optionalInteger(t, K::StanLicznikaPo),
                         optionalInteger(t, K::IloscPrzejKilometrow), t.asString(K::Pom1)};
        entry.finalText = t.asString(K::Uwagi);
    }
    entry.documentNumber = t.asString(K::Nr_Rachunku);
    entry.kind = m_ui->DBNazwaWydatku->text();
    const costs::CostSave checked = costs::checkCost(entry);
    if (refuse(checked.refusal))
        return;
    const QDate date = entry.date;
    const std::optional<qint64> rate = entry.rate;
    const std::optional<costs::VatSplit>& split = checked.split;
    const std::optional<costs::Odometer>& odometer = checked.odometer;
    const costs::Odometer& current = entry.current;
    const bool manual = entry.manual;

    {
        // One commit for the cost and the passes; a failure gives the user back the cost as typed.
        Transaction tx(t);
        if (split) {
            t.setValue(K::WartBrutto, split->gross);
            t.setValue(K::VatProcent, *rate);
            t.setValue(K::VatZaliczonyProcent, split->countedPercent);
            t.setValue(K::VatWartosc, split->fullVat);
            if (odometer) {
                if (odometer->after != current.after)
                    t.setValue(K::StanLicznikaPo, odometer->after ? QVariant(*odometer->after) : QVariant());
                if (odometer->before != current.before)
                    t.setValue(K::StanLicznikaPrzed,
                               odometer->before ? QVariant(*odometer->before) : QVariant());
                if (odometer->km != current.km)
                    t.setValue(K::IloscPrzejKilometrow, odometer->km ? QVariant(*odometer->km) : QVariant());
                if (odometer->kmText != current.kmText)
                    t.setValue(K::Pom1, odometer->kmText);
            }
            t.setValue(K::VatZaliczony, split->counted);
            t.setValue(K::VatNieZaliczony, split->notCounted);
            t.setValue(K::Pom2, split->counted);
            t.setValue(K::Wartosc, split->value);
        } else {
            // A cost without a VAT rate has no VAT: an edited cost that had one loses its split, so
            // the VAT sums count nothing for it.
            for (const QString& field : {K::VatZaliczony, K::VatNieZaliczony, K::Pom2, K::VatZaliczonyProcent,
                                         K::WartBrutto, K::VatProcent, K::VatWartosc})
                if (t.hasField(field) && !t.isNull(field))
                    t.clear(field);
        }
        t.setValue(K::Data, date);
        t.setValue(K::Rok, date.year());
        t.setValue(K::Miesiac, date.month());
        if (inserting) {
            t.setValue(K::NrKol_Pojazdu, TablePojazdy->value(P::NrKol_Pojazdu));
            t.setValue(K::Pojazd, TablePojazdy->value(P::Nazwa_Poj));
            t.setValue(K::Rodzaj_Wyd, m_ui->DBNazwaWydatku->text());
            SprawdzStanLicznika();
            SprawdzIloscKm();
        } else {
            SprawdzIloscKm();
            SprawdzStanLicznika();
        }
        t.post();
        t.flushBuffers();
        // Every year the cost touched: its old month and its new one with the whole year around them.
        std::set<int> years{date.year()};
        if (oldYear)
            years.insert(int(*oldYear));
        for (int year : years)
            recomputeCosts(year, 1, 12, kEveryPass);
        tx.commit();
    }
    NowyKoszt = false;

    if (split) {
        if (!manual)
            m_ui->LabelWartosc->setText(split->countedPercent == 100 ? QStringLiteral("Wartość[zł]")
                                                                     : QStringLiteral("Wartość netto[zł]"));
        m_ui->EditVatNiezaliczony->setText(numbers::general(split->notCounted));
        m_ui->EditWartoscZaliczona->setText(numbers::general(split->value));
    }
    costsWritten();
}

void CostsTab::costsWritten() {
    const int m = m_window.WybranyMiesiac();
    SumyKosztow(m);
    SumyVat(m);
    SpalanieSrednie();
    m_forms.context.data().costsWritten();
    // The next cost is one key away.
    m_ui->DodajKoszt->setFocus(Qt::TabFocusReason);
}

void CostsTab::ZapiszKosztClick() {
    runAction(m_forms.context.dialogs, [&] { saveCost(); });
}

// ---------------------------------------------------------------- delete

void CostsTab::deleteCost() {
    Table& t = *TableKoszty;
    Dialogs& dialogs = m_forms.context.dialogs;
    if (!t.isActive() || t.recordCount() == 0) {
        dialogs.messageBox(QStringLiteral("Brak Kosztu do USUNIĘCIA"), kCaptionInfo);
        return;
    }
    NowyKoszt = false;
    m_ui->EditWartoscZaliczona->clear();
    if (!dialogs.question(QStringLiteral("Czy usunąć wybraną pozycję"), QStringLiteral("WYBIERZ"))) {
        t.cancel();
        return;
    }
    if (t.state() == Table::State::Insert) {
        t.cancel(); // the selected position is the cost not yet saved
    } else {
        const std::optional<qint64> year = optionalInteger(t, K::Rok);
        Transaction tx(t);
        t.deleteRecord();
        t.flushBuffers();
        if (year)
            recomputeCosts(int(*year), 1, 12, kEveryPass);
        tx.commit();
    }
    costsWritten();
}

void CostsTab::UsunKosztClick() {
    runAction(m_forms.context.dialogs, [&] { deleteCost(); });
}

} // namespace tarlok
