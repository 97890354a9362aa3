// The costs tab of the register: a cost is started, edited, saved, cancelled and deleted here, with its
// VAT split and fuel figures; every save and delete rewrites the running values and totals of the
// vehicle's costs, and the sums under the grid and the fuel consumption follow.
#include "TEwidencja_przejazdow.h"

#include "calc/CostCalc.h"
#include "SumLabels.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "common/Limits.h"
#include "common/Money.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "ui_TEwidencja_przejazdow.h"

#include <set>

namespace tarlok {

namespace {

const QString kNrKol = QStringLiteral("NrKol");
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

const QString kCaptionError = QStringLiteral("Błąd");
const QString kCaptionInfo = QStringLiteral("Informacja");

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

// A walk over every cost of the current vehicle in the register's costs table: the period filter is
// off and the bound controls wait until the end; then the filter is on again and the cursor back on
// the row it was on.
class VehicleCostsWalk {
public:
    explicit VehicleCostsWalk(Table& table) : m_table(table) {
        if (!table.isEditing() && !table.isEmpty())
            m_key = table.asInteger(kNrKol);
        table.disableControls();
        try {
            table.setFiltered(false);
        } catch (...) {
            table.enableControls();
            throw;
        }
    }
    ~VehicleCostsWalk() {
        try {
            if (m_table.isActive()) {
                if (m_table.isEditing())
                    m_table.cancel();
                m_table.setFiltered(true);
                if (m_key != 0)
                    m_table.locate(kNrKol, {m_key});
            }
        } catch (...) {
            // The table is read again by whoever handles the error.
        }
        m_table.enableControls();
    }
    VehicleCostsWalk(const VehicleCostsWalk&) = delete;
    VehicleCostsWalk& operator=(const VehicleCostsWalk&) = delete;

private:
    Table& m_table;
    qint64 m_key = 0;
};

QString money(double value) {
    return numbers::grouped(value, 15, 2);
}

} // namespace

// ---------------------------------------------------------------- passes

void TEwidencja_przejazdow::recomputeCosts(int year, int fromMonth, int toMonth, bool monthPasses,
                                           bool fuelPass, bool yearPass) {
    Table& t = *TableKoszty;
    if (!t.isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    Transaction tx(t);
    {
        VehicleCostsWalk walk(t);
        const CostFields fields(t);
        std::vector<costs::CostRow> rows;
        std::vector<int> places;
        // With the filter off the view is the whole range: its rows read as stored, by their places.
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
            QList<std::pair<QString, double>> values;
            if (monthPasses && inRange) {
                values.append({QStringLiteral("Wartosc_Narastajaca"), totals[k].monthRunning});
                values.append({QStringLiteral("WartoscSuma"), totals[k].monthTotal});
            }
            if (fuelPass && inRange) {
                values.append({QStringLiteral("SumaWartPaliwo"), totals[k].fuelValue});
                values.append({QStringLiteral("SumaIloscPaliwo"), totals[k].fuelLitres});
            }
            if (yearPass)
                values.append({QStringLiteral("Wartosc_NarastajacaRok"), totals[k].yearRunning});
            // Only the rows whose stored values change are written.
            const Record stored = t.rangeRecord(places[k]);
            bool changed = false;
            for (const auto& [field, value] : std::as_const(values)) {
                const QVariant old = stored.value(t.fieldIndex(field));
                changed = changed || old.isNull() || old.toDouble() != value;
            }
            if (!changed)
                continue;
            t.moveTo(places[k]);
            t.edit();
            for (const auto& [field, value] : std::as_const(values))
                t.setValue(field, value);
            t.post();
            t.flushBuffers();
        }
    }
    tx.commit();
}

void TEwidencja_przejazdow::PrzeliczKosztyMiesiac() {
    const auto [from, to] = ZakresMiesiecy(WybranyMiesiac());
    recomputeCosts(selectedYear(), from, to, true, false, false);
}

void TEwidencja_przejazdow::PrzeliczKosztyRok() {
    recomputeCosts(selectedYear(), 1, 12, false, false, true);
}

void TEwidencja_przejazdow::PrzeliczPaliwo() {
    const auto [from, to] = ZakresMiesiecy(WybranyMiesiac());
    recomputeCosts(selectedYear(), from, to, false, true, false);
}

// ---------------------------------------------------------------- sums under the grid

void TEwidencja_przejazdow::SumyKosztow(int month) {
    QTableWidget* grid = m_ui->StringGridKoszty;
    for (int r = 0; r < 3; ++r)
        setCell(grid, 0, r, QStringLiteral("0"));
    const std::vector<costs::CostRow> rows = vehicleCosts(*TableKoszty, TablePojazdy);
    const int year = selectedYear();
    auto total = [&](int from, int to) {
        double sum = 0;
        for (int k = from; k <= to; ++k)
            sum = ZaokraglijDoGroszy(sum + costs::storedMonthTotal(rows, year, k));
        return sum;
    };
    if (month == 1) {
        setCell(grid, 0, 1, numbers::general(total(1, 1)));
    } else if (month >= 2 && month <= 12) {
        const double before = total(1, month - 1);
        const double current = total(month, month);
        setCell(grid, 0, 0, money(before));
        setCell(grid, 0, 1, money(current));
        setCell(grid, 0, 2, money(ZaokraglijDoGroszy(before + current)));
    } else if (month == 0) {
        setCell(grid, 0, 1, numbers::general(total(1, 12)));
    }
}

double TEwidencja_przejazdow::SumaVatMiesiaca(int year, int month) {
    return costs::countedVatOfMonth(vehicleCosts(*TableKoszty, TablePojazdy), year, month);
}

void TEwidencja_przejazdow::SumyVat(int month) {
    QTableWidget* grid = m_ui->StringGridVat;
    VatMiesiecznie.fill(0.0);
    for (int r = 0; r < 3; ++r)
        setCell(grid, 0, r, QStringLiteral("0"));
    const std::vector<costs::CostRow> rows = vehicleCosts(*TableKoszty, TablePojazdy);
    const int year = selectedYear();
    const int last = month == 0 ? 12 : std::clamp(month, 0, 12);
    double sum = 0;
    for (int k = 1; k <= last; ++k) {
        VatMiesiecznie[size_t(k)] = costs::countedVatOfMonth(rows, year, k);
        sum = ZaokraglijDoGroszy(sum + VatMiesiecznie[size_t(k)]);
    }
    if (month == 1 || month == 0) {
        setCell(grid, 0, 1, numbers::general(sum));
    } else if (month >= 2 && month <= 12) {
        const double current = VatMiesiecznie[size_t(month)];
        setCell(grid, 0, 0, money(ZaokraglijDoGroszy(sum - current)));
        setCell(grid, 0, 1, money(current));
        setCell(grid, 0, 2, money(sum));
    }
}

void TEwidencja_przejazdow::OpisySumKosztow(int month) {
    sums::applySumLabels(m_ui->LabelKosztyDoMiesiaca, m_ui->LabelKosztyZaMiesiac, m_ui->LabelKosztyRazem,
                         month);
}

// ---------------------------------------------------------------- fuel consumption

void TEwidencja_przejazdow::SpalanieAktualne() {
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

void TEwidencja_przejazdow::SpalanieSrednie() {
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

void TEwidencja_przejazdow::PokazPolaVat() {
    m_ui->LabelWartosc->setText(QStringLiteral("Wartość[zł]"));
    m_ui->LabelVatNiezaliczony->setText(QStringLiteral("VAT niezaliczony[zł]:"));
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->LabelWartoscVat), static_cast<QWidget*>(m_ui->DBEditVat),
          static_cast<QWidget*>(m_ui->LabelWartoscBrutto), static_cast<QWidget*>(m_ui->DBEditWartoscBrutto)})
        w->setVisible(true);
}

void TEwidencja_przejazdow::showFuelFields(bool fuel) {
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

void TEwidencja_przejazdow::applyCostEntryMode() {
    const bool byReading = m_ui->RadioGroupCoPodajemy->itemIndex() != 1;
    m_ui->DBIloscPrzejechanychKm->setReadOnly(byReading);
    m_ui->DBIloscPrzejechanychKm->setFlat(byReading);
    m_ui->DBEditStanLicznikaPrzed->setReadOnly(!byReading);
    m_ui->DBEditStanLicznikaPrzed->setFlat(!byReading);
}

void TEwidencja_przejazdow::applyVatMode() {
    const bool manual = m_ui->RadioGroupPrzeliczanieVat->itemIndex() == 1;
    m_ui->DBEditVatZalProcent->setVisible(manual);
    m_ui->LabelProcVatZaliczony->setVisible(manual);
    m_ui->RadioGroupVatZaliczony->setVisible(!manual);
}

void TEwidencja_przejazdow::RadioGroupPrzeliczanieVatClick() {
    applyVatMode();
}

void TEwidencja_przejazdow::RadioGroupCoPodajemyClick() {
    applyCostEntryMode();
}

void TEwidencja_przejazdow::TableKosztyCalcFields(Table& t) {
    if (t.isNull(kPom3) || t.isNull(kPom2))
        return;
    t.setValue(QStringLiteral("WartoscBrutto"),
               costs::calculatedGross(t.asFloat(kWartosc), t.asInteger(kPom3), t.asFloat(kPom2),
                                      m_ui->RadioGroupVatZaliczony->itemIndex()));
}

// ---------------------------------------------------------------- selecting a cost

void TEwidencja_przejazdow::selectCostRow(bool keys) {
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

void TEwidencja_przejazdow::DBGridKosztyCellClick() {
    runAction(m_forms.context.dialogs, [&] { selectCostRow(false); });
}

void TEwidencja_przejazdow::DBGridKosztyKeyDown() {
    runAction(m_forms.context.dialogs, [&] { selectCostRow(true); });
}

// ---------------------------------------------------------------- new, edit, cancel

void TEwidencja_przejazdow::DodajKosztClick() {
    Dialogs& dialogs = m_forms.context.dialogs;
    runAction(dialogs, [&] {
        if (!TablePojazdy->isActive() || TablePojazdy->isEmpty()) {
            dialogs.message(QStringLiteral("Wprowadź najpierw jakiś pojazd - przycisk \"Pojazdy\""));
            return;
        }
        if (refuseVehicleWithoutNumber())
            return;
        if (!TablePojazdy->asBool(QStringLiteral("Uzywany"))) {
            dialogs.message(
                QStringLiteral("Pojazd nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów"));
            return;
        }
        if (refuseBrowseOnly(*TableKoszty))
            return;
        try {
            TableKoszty->append();
            NowyKoszt = true;
            // The selected month with today's day (its last day when the month is shorter).
            const QDate today = m_forms.context.clock.today();
            QDate date = today;
            int month = 0;
            WybranyMiesiac(month);
            if (!m_ui->ComboBoxRok->currentText().trimmed().isEmpty() &&
                !m_ui->ComboBoxMiesiac->currentText().isEmpty() && month >= 1 && month <= 12)
                date = months::dayInMonth(selectedYear(), month, today.day());
            m_ui->DataKosztu->setDate(date);
            m_ui->DBNazwaWydatku->setFocus();
        } catch (const Error&) {
            dialogs.message(QStringLiteral("Prosze najpierw zapisać koszt - przycisk \"Zapisz\""));
        }
    });
    m_ui->EditWartoscZaliczona->clear();
    m_ui->EditVatNiezaliczony->clear();
}

void TEwidencja_przejazdow::startCostEdit() {
    Table& t = *TableKoszty;
    if (!t.isActive() || t.state() == Table::State::Insert || refuseBrowseOnly(t))
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

void TEwidencja_przejazdow::EdytujKosztClick() {
    runAction(m_forms.context.dialogs, [&] { startCostEdit(); });
}

void TEwidencja_przejazdow::AnulujKosztClick() {
    runAction(m_forms.context.dialogs, [&] {
        if (TableKoszty->isActive())
            TableKoszty->cancel();
        NowyKoszt = false;
    });
}

// ---------------------------------------------------------------- save

void TEwidencja_przejazdow::SprawdzStanLicznika() {
    Table& t = *TableKoszty;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString text = t.asString(kUwagi);
    if (!text.trimmed().isEmpty() && !costs::wholeNumber(text)) {
        t.setValue(kUwagi, QStringLiteral("0"));
        m_forms.context.dialogs.message(QStringLiteral("Stan licznika musi być liczbą całkowitą"));
    }
}

void TEwidencja_przejazdow::SprawdzIloscKm() {
    Table& t = *TableKoszty;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString text = t.asString(kPom1);
    if (!text.trimmed().isEmpty() && !costs::wholeNumber(text)) {
        t.setValue(kPom1, QStringLiteral("0"));
        m_forms.context.dialogs.message(QStringLiteral("Ilość km musi być liczbą całkowitą"));
    }
}

void TEwidencja_przejazdow::saveCost() {
    Table& t = *TableKoszty;
    Dialogs& dialogs = m_forms.context.dialogs;
    if (!t.isActive() || !t.isEditing()) {
        dialogs.message(
            QStringLiteral("Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj koszt\", a jeżeli "
                           "wprowadzasz nowy zapis użyj przycisku \"Nowy koszt\" "));
        return;
    }
    if (!NowyKoszt) {
        dialogs.message(QStringLiteral("Użyj najpierw przycisku \"Nowy koszt\""));
        t.cancel();
        return;
    }
    // The cost stays pending: it can be saved once the vehicle is.
    if (refuseVehicleWithoutNumber())
        return;
    // NowyKoszt stays set while the cost is pending: a refused text leaves it for the next "Zapisz".
    const bool inserting = t.state() == Table::State::Insert;
    const std::optional<qint64> oldYear = inserting ? std::nullopt : optionalInteger(t, kRok);
    for (DbEdit* box :
         {m_ui->DBNrDokKosztu, m_ui->DBNazwaWydatku, m_ui->DBWartoscKosztu, m_ui->DBIloscPaliwa,
          m_ui->DBIloscPrzejechanychKm, m_ui->DBEditStanLicznikaPrzed, m_ui->DBEditStanLicznika})
        box->updateRecord();
    const QDate date = m_ui->DataKosztu->date();

    // The VAT split, for a cost with a VAT rate and a value.
    const std::optional<qint64> rate = optionalInteger(t, kPom3);
    const std::optional<double> net = optionalFloat(t, kWartosc);
    std::optional<costs::VatSplit> split;
    std::optional<costs::Odometer> odometer;
    costs::Odometer current;
    const bool manual = m_ui->RadioGroupPrzeliczanieVat->itemIndex() == 1;
    if (rate && net) {
        int percent = 0;
        if (manual) {
            const auto typed = costs::manualCountedPercent(m_ui->DBEditVatZalProcent->text());
            if (!typed) {
                dialogs.messageBox(
                    QStringLiteral("Procent VAT zaliczonego w koszty musi być liczbą całkowitą od 0 do 100"),
                    kCaptionError);
                m_ui->DBEditVatZalProcent->setFocus();
                return;
            }
            percent = *typed;
        } else {
            percent = costs::autoCountedPercent(m_ui->RadioGroupVatZaliczony->itemIndex());
        }
        split = costs::splitVat(*net, *rate, percent);
        if (t.asBool(kCzyPaliwo)) {
            current = {optionalInteger(t, kStanPrzed), optionalInteger(t, kStanPo),
                       optionalInteger(t, kKilometry), t.asString(kPom1)};
            odometer = m_ui->RadioGroupCoPodajemy->itemIndex() == 1
                           ? costs::fromKilometres(current, t.asString(kPom1), t.asString(kUwagi))
                           : costs::fromFinalReading(current, t.asString(kUwagi));
        }
    }

    if (odometer) {
        using limits::Quantity;
        const QString beyond = limits::refusal({{Quantity::Odometer, double(odometer->before.value_or(0))},
                                                {Quantity::Odometer, double(odometer->after.value_or(0))},
                                                {Quantity::Distance, double(odometer->km.value_or(0))}});
        if (!beyond.isEmpty()) {
            dialogs.messageBox(beyond, kCaptionError); // the cost stays pending to be put right
            return;
        }
    }
    const double value = split ? split->value : t.asFloat(kWartosc);
    if (t.asString(QStringLiteral("Nr_Rachunku")).trimmed().isEmpty() ||
        m_ui->DBNazwaWydatku->text().trimmed().isEmpty() || value == 0.0 || !date.isValid()) {
        dialogs.messageBox(
            QStringLiteral("Koszt musi posiadać datę, nazwę, nr dokumentu i wartość - Użyj przycisku "
                           "\"Nowy koszt\""),
            kCaptionError);
        t.cancel();
        NowyKoszt = false;
        return;
    }

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
            recomputeCosts(year, 1, 12, true, true, true);
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
    const int m = WybranyMiesiac();
    SumyKosztow(m);
    SumyVat(m);
    SpalanieSrednie();
}

void TEwidencja_przejazdow::ZapiszKosztClick() {
    runAction(m_forms.context.dialogs, [&] { saveCost(); });
}

// ---------------------------------------------------------------- delete

void TEwidencja_przejazdow::deleteCost() {
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
            recomputeCosts(int(*year), 1, 12, true, true, true);
        tx.commit();
    }
    const int m = WybranyMiesiac();
    SumyKosztow(m);
    SumyVat(m);
    SpalanieSrednie();
}

void TEwidencja_przejazdow::UsunKosztClick() {
    runAction(m_forms.context.dialogs, [&] { deleteCost(); });
}

} // namespace tarlok
