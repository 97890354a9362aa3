#include "CostsTab.h"

#include "GridCells.h"
#include "SumLabels.h"
#include "TEwidencja_przejazdow.h"
#include "TImportCsv.h"
#include "calc/CostCalc.h"
#include "calc/VehicleRows.h"
#include "common/Money.h"
#include "common/Months.h"
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

const QString kVehicleNumber = QStringLiteral("NrKol_Pojazdu");
const QString kRok = QStringLiteral("Rok");
const QString kMiesiac = QStringLiteral("Miesiac");
const QString kData = QStringLiteral("Data");
const QString kWartosc = QStringLiteral("Wartosc");
const QString kPom1 = QStringLiteral("Pom1");
const QString kPom2 = QStringLiteral("Pom2");
const QString kPom3 = QStringLiteral("Pom3");
const QString kUwagi = QStringLiteral("Uwagi");
const QString kCzyPaliwo = QStringLiteral("CzyPaliwo");
const QString kIloscPaliwa = QStringLiteral("IloscPaliwa");
const QString kVatZaliczony = QStringLiteral("VatZaliczony");
const QString kVatNieZaliczony = QStringLiteral("VatNieZaliczony");
const QString kVatZaliczonyProcent = QStringLiteral("VatZaliczonyProcent");
const QString kStanPrzed = QStringLiteral("StanLicznikaPrzed");
const QString kStanPo = QStringLiteral("StanLicznikaPo");
const QString kKilometry = QStringLiteral("IloscPrzejKilometrow");

const costs::Passes kEveryPass = costs::Pass::Month | costs::Pass::Fuel | costs::Pass::Year;
const QString kCaptionInfo = QStringLiteral("Informacja");
// "50 %" of "Vat zaliczony w koszty", the choice a new cost starts from.
constexpr int kUsualVatShare = 1;

std::optional<double> optionalFloat(const Table& t, const QString& field) {
    const QVariant v = t.value(field);
    if (v.isNull())
        return std::nullopt;
    return v.toDouble();
}

std::optional<qint64> optionalInteger(const Table& t, const QString& field) {
    const QVariant v = t.value(field);
    if (v.isNull())
        return std::nullopt;
    return v.toLongLong();
}

// The fields of a cost row that the passes and the sums read, by their places in a record.
struct CostFields {
    explicit CostFields(const Table& t)
        : year(t.fieldIndex(kRok)), month(t.fieldIndex(kMiesiac)), value(t.fieldIndex(kWartosc)),
          fuel(t.fieldIndex(kCzyPaliwo)), litres(t.fieldIndex(kIloscPaliwa)), counted(t.fieldIndex(kPom2)),
          monthTotal(t.fieldIndex(QStringLiteral("WartoscSuma"))) {}

    // False for a row without a year: it belongs to no period.
    bool read(const Record& r, costs::CostRow& row) const {
        if (r.value(year).isNull())
            return false;
        row.year = int(r.value(year).toLongLong());
        row.month = int(r.value(month).toLongLong());
        row.value = r.value(value).toDouble();
        row.fuel = r.value(fuel).toBool();
        row.litres = r.value(litres).toDouble();
        row.counted = r.value(counted).toDouble();
        if (!r.value(monthTotal).isNull())
            row.monthTotal = r.value(monthTotal).toDouble();
        return true;
    }

    int year, month, value, fuel, litres, counted, monthTotal;
};

// Every cost of the current vehicle, of every period, in date order, as stored: the rows of the costs
// table's range, read without touching its filter, its cursor or a pending cost.
std::vector<costs::CostRow> vehicleCosts(const Table& costTable, Table* vehicles) {
    std::vector<costs::CostRow> rows;
    if (!costTable.isActive() || !vehicles->isActive())
        return rows;
    const CostFields fields(costTable);
    rows.reserve(size_t(costTable.rangeCount()));
    for (int i = 0; i < costTable.rangeCount(); ++i) {
        costs::CostRow row;
        if (fields.read(costTable.rangeRecord(i), row))
            rows.push_back(row);
    }
    return rows;
}

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
    grid->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 80, left, true);
    grid->addColumn(QStringLiteral("Nr_Rachunku"), QStringLiteral("Nr dokumentu"), 110, left, true);
    grid->addColumn(QStringLiteral("Rodzaj_Wyd"), QStringLiteral("Rodzaj wydatku"), 160, left, true);
    grid->addColumn(QStringLiteral("Wartosc"), QStringLiteral("Wartość"), 82, right, true,
                    QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("Pom2"), QStringLiteral("Vat zal."), 74, right, true,
                    QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("Wartosc_Narastajaca"), QStringLiteral("Wart.nar.mc"), 92, right, true,
                    QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("Wartosc_NarastajacaRok"), QStringLiteral("Wart.nar.rok"), 92, right, true,
                    QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("IloscPaliwa"), QStringLiteral("Paliwo il."), 80, right, true);
    grid->addColumn(QStringLiteral("SumaIloscPaliwo"), QStringLiteral("Paliwo sum."), 90, right, true);

    // The boxes bound to the current cost.
    ui->DBNrDokKosztu->setDataSource(TableKoszty, QStringLiteral("Nr_Rachunku"));
    ui->DBNazwaWydatku->setDataSource(TableKoszty, QStringLiteral("Rodzaj_Wyd"));
    ui->DBWartoscKosztu->setDataSource(TableKoszty, QStringLiteral("Wartosc"));
    ui->DBWartoscKosztu->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBEditWartoscBrutto->setDataSource(TableKoszty, QStringLiteral("WartBrutto"));
    ui->DBEditWartoscBrutto->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBEditWartoscBrutto->setReadOnly(true);
    ui->DBEditVat->setDataSource(TableKoszty, QStringLiteral("Pom2"));
    ui->DBEditVat->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBEditVat->setReadOnly(true);
    ui->DBEditVatZalProcent->setDataSource(TableKoszty, QStringLiteral("VatZaliczonyProcent"));
    ui->DBIloscPaliwa->setDataSource(TableKoszty, QStringLiteral("IloscPaliwa"));
    ui->DBIloscPrzejechanychKm->setDataSource(TableKoszty, QStringLiteral("Pom1"));
    ui->DBEditStanLicznikaPrzed->setDataSource(TableKoszty, QStringLiteral("StanLicznikaPrzed"));
    ui->DBEditStanLicznika->setDataSource(TableKoszty, QStringLiteral("Uwagi"));

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
    connectAction(dialogs, ui->DBGridKoszty, &DbGrid::cellClick, this, &CostsTab::DBGridKosztyCellClick);
    connectAction(dialogs, ui->DBGridKoszty, &DbGrid::keyDown, this, &CostsTab::DBGridKosztyKeyDown);
    connectAction(dialogs, ui->DBGridKoszty, &DbGrid::keyUp, this, &CostsTab::DBGridKosztyKeyDown);
}

// ---------------------------------------------------------------- period and tab

void CostsTab::setButtonsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(m_ui->DodajKoszt), static_cast<QWidget*>(m_ui->ZapiszKoszt),
                       static_cast<QWidget*>(m_ui->AnulujKoszt), static_cast<QWidget*>(m_ui->UsunKoszt)})
        w->setEnabled(enabled);
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
    m_ui->DataKosztu->setDate(m_window.pickerDate(*TableKoszty));
    m_ui->EditWartoscZaliczona->setText(
        TableKoszty->isEmpty() ? QString() : numbers::general(TableKoszty->asFloat(kWartosc)));
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
    if (ctx.schema.parametersPresent) {
        for (QWidget* w : {static_cast<QWidget*>(m_ui->RadioGroupCoPodajemy),
                           static_cast<QWidget*>(m_ui->LabelStanLIcznikaPrzed),
                           static_cast<QWidget*>(m_ui->DBEditStanLicznikaPrzed)})
            w->setVisible(ctx.schema.costsUpgraded);
    }
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

void CostsTab::recomputeCosts(int year, int fromMonth, int toMonth, costs::Passes passes) {
    if (!TableKoszty->isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    recomputeCostsIn(*TableKoszty, year, fromMonth, toMonth, passes);
}

void CostsTab::recomputeCostsOfYear(qint64 vehicle, int year) {
    VehicleRows rows(m_forms.context.database, tables::koszty().fileName(),
                     QStringLiteral("NrKol_Pojazdu_DataInd"), vehicle);
    if (Table* reader = rows.table())
        recomputeCostsIn(*reader, year, 1, 12, kEveryPass);
}

void CostsTab::recomputeCostsIn(Table& t, int year, int fromMonth, int toMonth, costs::Passes passes) {
    Transaction tx(t);
    {
        // Every cost of the vehicle in view, the controls still until the end.
        Table::QuietControls quiet(t);
        Table::TemporaryView walk(t);
        const CostFields fields(t);
        std::vector<costs::CostRow> rows;
        std::vector<int> places;
        // The view is the whole range: its rows read as stored, by their places.
        for (int i = 0; i < t.rangeCount(); ++i) {
            costs::CostRow row;
            if (fields.read(t.rangeRecord(i), row) && row.year == year) {
                rows.push_back(row);
                places.push_back(i);
            }
        }
        const std::vector<costs::CostTotals> totals = costs::runningTotals(rows);
        for (size_t k = 0; k < rows.size(); ++k) {
            const bool inRange = rows[k].month >= fromMonth && rows[k].month <= toMonth;
            const auto values = costs::passValues(totals[k], inRange, passes);
            // Only the rows whose stored values change are written.
            const Record stored = t.rangeRecord(places[k]);
            bool changed = false;
            for (const auto& [field, value] : values) {
                const QVariant old = stored.value(t.fieldIndex(field));
                changed = changed || old.isNull() || old.toDouble() != value;
            }
            if (!changed)
                continue;
            t.moveTo(places[k]);
            t.edit();
            for (const auto& [field, value] : values)
                t.setValue(field, value);
            t.post();
            t.flushBuffers();
        }
    }
    tx.commit();
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
    showColumn(m_ui->StringGridKoszty, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    showColumn(m_ui->StringGridKoszty,
               costs::costSums(month, m_window.selectedYear(), vehicleCosts(*TableKoszty, TablePojazdy)));
}

void CostsTab::SumyVat(int month) {
    VatMiesiecznie.fill(0.0);
    showColumn(m_ui->StringGridVat, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")});
    const costs::VatSums sums =
        costs::vatSums(month, m_window.selectedYear(), vehicleCosts(*TableKoszty, TablePojazdy));
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
    if (!t.isActive() || t.isEmpty() || !t.asBool(kCzyPaliwo) || t.isNull(kIloscPaliwa) ||
        t.asString(kPom1).trimmed().isEmpty()) {
        box->clear();
        return;
    }
    const auto km = costs::wholeNumber(t.asString(kPom1));
    if (!km) {
        box->clear();
        return;
    }
    if (const auto litresPer100 = costs::consumption(t.asFloat(kIloscPaliwa), *km))
        box->setText(numbers::general(*litresPer100));
}

void CostsTab::SpalanieSrednie() {
    m_ui->EditSpalanie->clear();
    m_ui->Edit1SrednieSpalanie->clear();
    SpalanieAktualne();
    const Table& t = *TableKoszty;
    if (!t.isActive())
        return;
    const int fuel = t.fieldIndex(kCzyPaliwo);
    const int litres = t.fieldIndex(kIloscPaliwa);
    const int km = t.fieldIndex(kPom1);
    std::vector<costs::FuelEntry> entries;
    for (int i = 0; i < t.displayRowCount(); ++i) {
        if (t.state() == Table::State::Insert && t.isPendingRow(i))
            continue; // a cost not yet saved
        const Record r = t.displayRecord(i);
        costs::FuelEntry e;
        e.fuel = r.value(fuel).toBool();
        if (!r.value(litres).isNull())
            e.litres = r.value(litres).toDouble();
        e.kmText = r.value(km).toString();
        entries.push_back(e);
    }
    if (const auto average = costs::averageConsumption(entries))
        m_ui->Edit1SrednieSpalanie->setText(numbers::general(*average));
}

// ---------------------------------------------------------------- controls

void CostsTab::PokazPolaVat() {
    m_ui->LabelWartosc->setText(QStringLiteral("Wartość[zł]"));
    m_ui->LabelVatNiezaliczony->setText(QStringLiteral("VAT niezaliczony[zł]:"));
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->LabelWartoscVat), static_cast<QWidget*>(m_ui->DBEditVat),
          static_cast<QWidget*>(m_ui->LabelWartoscBrutto), static_cast<QWidget*>(m_ui->DBEditWartoscBrutto)})
        w->setVisible(true);
}

void CostsTab::showFuelFields(bool fuel) {
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->LabelIloscPaliwa), static_cast<QWidget*>(m_ui->DBIloscPaliwa),
          static_cast<QWidget*>(m_ui->LabelIloscKm), static_cast<QWidget*>(m_ui->DBIloscPrzejechanychKm),
          static_cast<QWidget*>(m_ui->LabelStanLicznika), static_cast<QWidget*>(m_ui->DBEditStanLicznika)})
        w->setVisible(fuel);
    // The choice and the starting reading exist only in a costs table with its added fields.
    const bool upgraded = m_forms.context.schema.costsUpgraded;
    for (QWidget* w : {static_cast<QWidget*>(m_ui->RadioGroupCoPodajemy),
                       static_cast<QWidget*>(m_ui->LabelStanLIcznikaPrzed),
                       static_cast<QWidget*>(m_ui->DBEditStanLicznikaPrzed)})
        w->setVisible(fuel && upgraded);
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

void CostsTab::RadioGroupPrzeliczanieVatClick() {
    applyVatMode();
}

void CostsTab::RadioGroupCoPodajemyClick() {
    applyCostEntryMode();
}

void CostsTab::TableKosztyCalcFields(Table& t) {
    if (t.isNull(kPom3) || t.isNull(kPom2))
        return;
    t.setValue(QStringLiteral("WartoscBrutto"),
               costs::calculatedGross(t.asFloat(kWartosc), t.asInteger(kPom3), t.asFloat(kPom2),
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
        m_ui->EditWartoscZaliczona->clear();
        m_ui->EditVatNiezaliczony->clear();
        SpalanieAktualne();
        return;
    }
    const QDate date = t.asDate(kData);
    if (date.isValid())
        m_ui->DataKosztu->setDate(date);
    showFuelFields(t.asBool(kCzyPaliwo));
    PokazPolaVat();
    SpalanieAktualne();
    const double value = t.asFloat(kWartosc);
    m_ui->EditWartoscZaliczona->setText(numbers::general(value));
    const auto shown = costs::shownNotCountedVat(value, optionalInteger(t, kPom3), optionalFloat(t, kPom2),
                                                 optionalFloat(t, kVatNieZaliczony),
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
        if (!TablePojazdy->isActive() || TablePojazdy->isEmpty()) {
            dialogs.message(QStringLiteral("Wprowadź najpierw jakiś pojazd - przycisk \"Pojazdy\""));
            return;
        }
        if (m_window.refuseVehicleWithoutNumber())
            return;
        if (!TablePojazdy->asBool(QStringLiteral("Uzywany"))) {
            dialogs.message(
                QStringLiteral("Pojazd nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów"));
            return;
        }
        if (m_window.refuseBrowseOnly(*TableKoszty))
            return;
        try {
            TableKoszty->append();
            NowyKoszt = true;
            // The selected month with today's day (its last day when the month is shorter).
            const QDate today = m_forms.context.clock.today();
            QDate date = today;
            int month = 0;
            m_window.WybranyMiesiac(month);
            if (!m_ui->ComboBoxRok->currentText().trimmed().isEmpty() &&
                !m_ui->ComboBoxMiesiac->currentText().isEmpty() && month >= 1 && month <= 12)
                date = months::dayInMonth(m_window.selectedYear(), month, today.day());
            m_ui->DataKosztu->setDate(date);
            // Every cost starts from the usual share of VAT, not from the last cost's.
            m_ui->RadioGroupVatZaliczony->setItemIndex(kUsualVatShare);
            // The day comes first: the picker takes it with its day chosen.
            m_ui->DataKosztu->setFocus(Qt::TabFocusReason);
        } catch (const Error&) {
            dialogs.message(QStringLiteral("Prosze najpierw zapisać koszt - przycisk \"Zapisz\""));
        }
    });
    m_ui->EditWartoscZaliczona->clear();
    m_ui->EditVatNiezaliczony->clear();
}

void CostsTab::startCostEdit() {
    Table& t = *TableKoszty;
    if (!t.isActive() || t.state() == Table::State::Insert || m_window.refuseBrowseOnly(t))
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
            valueTyped = valueTyped || i == t.fieldIndex(kWartosc);
        }
    } else {
        t.edit();
    }
    NowyKoszt = true;
    if (t.isNull(kPom3))
        return; // a cost without VAT keeps its value as typed
    // The save adds the counted VAT to the net value again: the box shows the net value.
    if (!valueTyped) {
        const double net =
            costs::netOfSaved(t.asFloat(kWartosc), optionalFloat(t, kVatZaliczony), optionalFloat(t, kPom2));
        if (net != t.asFloat(kWartosc))
            t.setValue(kWartosc, net);
        m_ui->LabelWartosc->setText(QStringLiteral("Wartość netto[zł]"));
    }
    if (const auto percent = optionalInteger(t, kVatZaliczonyProcent)) {
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
    runAction(m_forms.context.dialogs, [&] {
        if (TableKoszty->isActive())
            TableKoszty->cancel();
        NowyKoszt = false;
    });
}

// ---------------------------------------------------------------- save

void CostsTab::SprawdzStanLicznika() {
    Table& t = *TableKoszty;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString text = t.asString(kUwagi);
    if (!text.trimmed().isEmpty() && !costs::wholeNumber(text)) {
        t.setValue(kUwagi, QStringLiteral("0"));
        m_forms.context.dialogs.message(QStringLiteral("Stan licznika musi być liczbą całkowitą"));
    }
}

void CostsTab::SprawdzIloscKm() {
    Table& t = *TableKoszty;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString text = t.asString(kPom1);
    if (!text.trimmed().isEmpty() && !costs::wholeNumber(text)) {
        t.setValue(kPom1, QStringLiteral("0"));
        m_forms.context.dialogs.message(QStringLiteral("Ilość km musi być liczbą całkowitą"));
    }
}

// A refused save is shown; a cost without "Nowy koszt" or incomplete is cancelled, the others stay
// pending to be put right.
bool CostsTab::refuse(const std::optional<costs::SaveRefusal>& refusal) {
    if (!refusal)
        return false;
    Dialogs& dialogs = m_forms.context.dialogs;
    if (refusal->caption.isEmpty())
        dialogs.message(refusal->message);
    else
        dialogs.messageBox(refusal->message, refusal->caption);
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
    const std::optional<qint64> oldYear = inserting ? std::nullopt : optionalInteger(t, kRok);
    for (DbEdit* box :
         {m_ui->DBNrDokKosztu, m_ui->DBNazwaWydatku, m_ui->DBWartoscKosztu, m_ui->DBIloscPaliwa,
          m_ui->DBIloscPrzejechanychKm, m_ui->DBEditStanLicznikaPrzed, m_ui->DBEditStanLicznika})
        box->updateRecord();

    costs::CostEntry entry;
    entry.date = m_ui->DataKosztu->date();
    entry.rate = optionalInteger(t, kPom3);
    entry.net = optionalFloat(t, kWartosc);
    entry.manual = m_ui->RadioGroupPrzeliczanieVat->itemIndex() == 1;
    entry.percentText = m_ui->DBEditVatZalProcent->text();
    entry.autoChoice = m_ui->RadioGroupVatZaliczony->itemIndex();
    // The odometer fields are read only where the save uses them: a costs table without its added
    // fields has none.
    entry.fuel = entry.rate && entry.net && t.asBool(kCzyPaliwo);
    if (entry.fuel) {
        entry.byKilometres = m_ui->RadioGroupCoPodajemy->itemIndex() == 1;
        entry.current = {optionalInteger(t, kStanPrzed), optionalInteger(t, kStanPo),
                         optionalInteger(t, kKilometry), t.asString(kPom1)};
        entry.finalText = t.asString(kUwagi);
    }
    entry.documentNumber = t.asString(QStringLiteral("Nr_Rachunku"));
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
            t.setValue(QStringLiteral("WartBrutto"), split->gross);
            t.setValue(QStringLiteral("VatProcent"), *rate);
            t.setValue(kVatZaliczonyProcent, split->countedPercent);
            t.setValue(QStringLiteral("VatWartosc"), split->fullVat);
            if (odometer) {
                if (odometer->after != current.after)
                    t.setValue(kStanPo, odometer->after ? QVariant(*odometer->after) : QVariant());
                if (odometer->before != current.before)
                    t.setValue(kStanPrzed, odometer->before ? QVariant(*odometer->before) : QVariant());
                if (odometer->km != current.km)
                    t.setValue(kKilometry, odometer->km ? QVariant(*odometer->km) : QVariant());
                if (odometer->kmText != current.kmText)
                    t.setValue(kPom1, odometer->kmText);
            }
            t.setValue(kVatZaliczony, split->counted);
            t.setValue(kVatNieZaliczony, split->notCounted);
            t.setValue(kPom2, split->counted);
            t.setValue(kWartosc, split->value);
        } else {
            // A cost without a VAT rate has no VAT: an edited cost that had one loses its split, so
            // the VAT sums count nothing for it.
            for (const QString& field :
                 {kVatZaliczony, kVatNieZaliczony, kPom2, kVatZaliczonyProcent, QStringLiteral("WartBrutto"),
                  QStringLiteral("VatProcent"), QStringLiteral("VatWartosc")})
                if (t.hasField(field) && !t.isNull(field))
                    t.clear(field);
        }
        t.setValue(kData, date);
        t.setValue(kRok, date.year());
        t.setValue(kMiesiac, date.month());
        if (inserting) {
            t.setValue(kVehicleNumber, TablePojazdy->value(kVehicleNumber));
            t.setValue(QStringLiteral("Pojazd"), TablePojazdy->value(QStringLiteral("Nazwa_Poj")));
            t.setValue(QStringLiteral("Rodzaj_Wyd"), m_ui->DBNazwaWydatku->text());
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
        const std::optional<qint64> year = optionalInteger(t, kRok);
        Transaction tx(t);
        t.deleteRecord();
        t.flushBuffers();
        if (year)
            recomputeCosts(int(*year), 1, 12, kEveryPass);
        tx.commit();
    }
    const int m = m_window.WybranyMiesiac();
    SumyKosztow(m);
    SumyVat(m);
    SpalanieSrednie();
    m_forms.context.data().costsWritten();
}

void CostsTab::UsunKosztClick() {
    runAction(m_forms.context.dialogs, [&] { deleteCost(); });
}

} // namespace tarlok
