#include "TripsTab.h"

#include "GridCells.h"
#include "SumLabels.h"
#include "TEwidencja_przejazdow.h"
#include "TImportCsv.h"
#include "calc/SaveChecks.h"
#include "calc/TripCalc.h"
#include "calc/VehicleRows.h"
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

#include <algorithm>
#include <set>

#include <functional>
#include <utility>
#include <vector>

namespace tarlok {

namespace {

using QuietControls = Table::QuietControls;
using TemporaryView = Table::TemporaryView;

const QString kNrKol = QStringLiteral("NrKol");
const QString kVehicle = QStringLiteral("NrKol_Pojazdu");
const QString kYear = QStringLiteral("Rok");
const QString kMonth = QStringLiteral("Miesiac");
const QString kDate = QStringLiteral("Data");
const QString kRoute = QStringLiteral("Trasa");
const QString kPurpose = QStringLiteral("Cel_Wyj");
const QString kKm = QStringLiteral("Kilometry");
const QString kKmRunning = QStringLiteral("Kilometry_Narastajaca");
const QString kKmYear = QStringLiteral("Kilometry_NarastajacaRok");
const QString kKmTotal = QStringLiteral("KilometrySuma");
const QString kRate = QStringLiteral("Stawka");
const QString kValue = QStringLiteral("Wartosc");
const QString kValueRunning = QStringLiteral("Wartosc_Narastajaco");
const QString kValueYear = QStringLiteral("Wartosc_NarastajacoRok");
const QString kValueTotal = QStringLiteral("WartoscSuma");
const QString kMonthKm = QStringLiteral("IloscPrzejKilometrow");
const QString kStart = QStringLiteral("StanLicznikaPrzed");
const QString kEnd = QStringLiteral("StanLicznikaPo");
const QString kByVehicleAndDate = QStringLiteral("NrKol_Pojazdu_DataInd");

const QString kInformation = QStringLiteral("Informacja");
const QString kChoose = QStringLiteral("WYBIERZ");

const QString kVehicleNotUsed =
    QStringLiteral("Pojazd nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów");
const QString kSaveFirst = QStringLiteral("Prosze najpierw zapisać przejazd - przycisk \"Zapisz\"");
const QString kNothingToDelete = QStringLiteral("Brak Przejazdu do USUNIĘCIA");
const QString kNothingToEdit = QStringLiteral("Brak Przejazdu do edycji");
const QString kDeleteQuestion = QStringLiteral("Czy usunąć wybraną pozycję");
const QString kInvalidQuestion = QStringLiteral("Czy sprawdzamy i usuwamy niepoprawnie zapisane pozycje");
const QString kInvalidCount = QStringLiteral("Liczba usunętych Zapisów ");

std::function<bool(Table&)> tripsOfYear(const Table& table, int year) {
    const int field = table.fieldIndex(kYear);
    return [field, year](Table& row) {
        const QVariant rowYear = row.value(field);
        return !rowYear.isNull() && rowYear.toLongLong() == year;
    };
}

// The figures of every trip in view, in view order, read without moving the cursor.
std::vector<trips::TripFigures> figuresInView(const Table& table) {
    const int year = table.fieldIndex(kYear);
    const int month = table.fieldIndex(kMonth);
    const int km = table.fieldIndex(kKm);
    const int value = table.fieldIndex(kValue);
    std::vector<trips::TripFigures> out;
    out.reserve(size_t(table.recordCount()));
    for (int row = 0; row < table.recordCount(); ++row) {
        const Record r = table.displayRecord(row);
        out.push_back({int(r.value(year).toLongLong()), int(r.value(month).toLongLong()),
                       r.value(km).toLongLong(), r.value(value).toDouble()});
    }
    return out;
}

bool sameValue(const QVariant& stored, const QVariant& wanted) {
    if (stored.isNull() || wanted.isNull())
        return stored.isNull() == wanted.isNull();
    if (wanted.typeId() == QMetaType::Double)
        return stored.toDouble() == wanted.toDouble();
    return stored.toLongLong() == wanted.toLongLong();
}

// Writes the fields of one row of the view that hold other values than `wanted`; a row that holds them
// already is not touched.
void updateRow(Table& table, int row, const std::vector<std::pair<QString, QVariant>>& wanted) {
    const Record stored = table.displayRecord(row);
    std::vector<std::pair<int, QVariant>> changes;
    for (const auto& [field, value] : wanted) {
        const int index = table.fieldIndex(field);
        if (index >= 0 && !sameValue(stored.value(index), value))
            changes.emplace_back(index, value);
    }
    if (changes.empty())
        return;
    table.moveTo(row);
    table.edit();
    for (const auto& [index, value] : changes)
        table.setValue(index, value);
    table.post();
}

// The month totals of a year from the trips in view: each month's totals are those stored on its first
// trip (every trip of a month carries them).
trips::YearTotals totalsInView(const Table& table) {
    const int month = table.fieldIndex(kMonth);
    const int km = table.fieldIndex(kKmTotal);
    const int value = table.fieldIndex(kValueTotal);
    trips::YearTotals totals{};
    std::array<bool, 13> seen{};
    for (int row = 0; row < table.recordCount(); ++row) {
        const Record r = table.displayRecord(row);
        const qint64 m = r.value(month).toLongLong();
        if (m < 1 || m > 12 || seen[size_t(m)])
            continue;
        seen[size_t(m)] = true;
        totals[size_t(m)] = {r.value(km).toLongLong(), r.value(value).toDouble()};
    }
    return totals;
}

// The month pass over the trips in view: the running values and totals within each month, and the
// month's kilometres on its last trip only (`monthKmField`: the trips file has that field).
void writeMonthPass(Table& t, bool monthKmField) {
    const std::vector<trips::MonthFigures> month = trips::monthPass(figuresInView(t));
    for (size_t i = 0; i < month.size(); ++i) {
        const trips::MonthFigures& m = month[i];
        std::vector<std::pair<QString, QVariant>> wanted{{kKmRunning, m.kmRunning},
                                                         {kValueRunning, m.valueRunning},
                                                         {kKmTotal, m.kmTotal},
                                                         {kValueTotal, m.valueTotal}};
        if (monthKmField)
            wanted.emplace_back(kMonthKm, m.lastOfMonth ? QVariant(m.kmTotal) : QVariant());
        updateRow(t, int(i), wanted);
    }
}

// The year pass over the trips in view, which must be the whole year.
void writeYearPass(Table& t) {
    const std::vector<trips::RunningFigures> running = trips::yearPass(figuresInView(t));
    for (size_t i = 0; i < running.size(); ++i)
        updateRow(t, int(i), {{kKmYear, running[i].km}, {kValueYear, running[i].value}});
}

} // namespace

// ---------------------------------------------------------------- creation

TripsTab::TripsTab(TEwidencja_przejazdow& window, Forms& forms)
    : QObject(nullptr), m_window(window), m_forms(forms), m_ui(window.ui()),
      TablePojazdy(forms.context.data().TablePojazdy), TablePrzejazdy(forms.context.data().TablePrzejazdy),
      TableStawki(forms.context.data().TableStawki), TableOkresy(forms.context.data().TableOkresy) {
}

TripsTab::~TripsTab() = default;

void TripsTab::setupControls() {
    auto* ui = m_ui;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DbGrid* grid = ui->DBGridPrzejazdy;
    grid->setDataSource(TablePrzejazdy);
    grid->setInPlaceEditing(true);
    grid->addColumn(QStringLiteral("Data"), QStringLiteral("Data"), 72, left);
    grid->addColumn(QStringLiteral("Trasa"), QStringLiteral("Trasa"), 108, left);
    grid->addColumn(QStringLiteral("Cel_Wyj"), QStringLiteral("Cel wyjazdu"), 108, left);
    grid->addColumn(QStringLiteral("Kilometry"), QStringLiteral("Km"), 42, right);
    grid->addColumn(QStringLiteral("Kilometry_Narastajaca"), QStringLiteral("Km nar. mc"), 74, right);
    grid->addColumn(QStringLiteral("Wartosc"), QStringLiteral("Wartość"), 64, right, false,
                    QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("Wartosc_Narastajaco"), QStringLiteral("Wart. nar. mc"), 88, right, false,
                    QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("Kilometry_NarastajacaRok"), QStringLiteral("Km nar. rok"), 76, right);
    grid->addColumn(QStringLiteral("Wartosc_NarastajacoRok"), QStringLiteral("Wart. nar. rok"), 92, right,
                    false, QStringLiteral("0.00"));
    grid->addColumn(QStringLiteral("StanLicznikaPo"), QStringLiteral("Licznik "), 60, right);
    grid->addColumn(QStringLiteral("Nazwisko"), QStringLiteral("Nazwisko kierowcy"), 118, left);

    // The boxes bound to the current trip.
    ui->DBTrasa->setDataSource(TablePrzejazdy, QStringLiteral("Trasa"));
    ui->DBCelWyjazdu->setDataSource(TablePrzejazdy, QStringLiteral("Cel_Wyj"));
    ui->DBIloscKm->setDataSource(TablePrzejazdy, QStringLiteral("Kilometry"));
    ui->DBStawka_km->setDataSource(TablePrzejazdy, QStringLiteral("Stawka"));
    ui->DBStawka_km->setDisplayPattern(QStringLiteral("0.0000"));
    ui->DBWartoscPrzejazdu->setDataSource(TablePrzejazdy, QStringLiteral("Wartosc"));
    ui->DBWartoscPrzejazdu->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBWartoscPrzejazdu->setReadOnly(true);
    ui->DBWartoscPrzejazdu->setFlat(true);
    ui->DBEditStanLIcznikaPoczatkowy->setDataSource(TablePrzejazdy, QStringLiteral("StanLicznikaPrzed"));
    ui->DBEditStanLicznikaKoncowy->setDataSource(TablePrzejazdy, QStringLiteral("StanLicznikaPo"));
    ui->DBEditImie->setDataSource(TablePrzejazdy, QStringLiteral("Imie"));
    ui->DBEditNazwisko->setDataSource(TablePrzejazdy, QStringLiteral("Nazwisko"));

    Dialogs& dialogs = m_forms.context.dialogs;
    connectAction(dialogs, ui->DodajPrzejazd, &QPushButton::clicked, this, &TripsTab::DodajPrzejazdClick);
    connectAction(dialogs, ui->EdytujPrzejazd, &QPushButton::clicked, this, &TripsTab::EdytujPrzejazdClick);
    connectAction(dialogs, ui->ZapiszPrzejazd, &QPushButton::clicked, this, &TripsTab::ZapiszPrzejazdClick);
    connectAction(dialogs, ui->AnulujPrzejazd, &QPushButton::clicked, this, &TripsTab::AnulujPrzejazdClick);
    connectAction(dialogs, ui->UsunPrzejazd, &QPushButton::clicked, this, &TripsTab::UsunPrzejazdClick);
    connectAction(dialogs, ui->UsunNiepoprwaneRekordy, &QPushButton::clicked, this,
                  &TripsTab::UsunNiepoprwaneRekordyClick);
    connect(ui->ImportPrzejazdow, &QPushButton::clicked, this,
            [this] { m_forms.ImportCsv->importFile(registerimport::What::Trips); });
    connectAction(dialogs, ui->RadioGroup1CoPodajemy, &RadioGroup::clicked, this,
                  &TripsTab::RadioGroup1CoPodajemyClick);
    // A month of trips at the keyboard: Ctrl+N begins the next trip, Ctrl+S saves it.
    pressOnKeys(ui->DodajPrzejazd, QKeySequence(Qt::CTRL | Qt::Key_N));
    pressOnKeys(ui->ZapiszPrzejazd, QKeySequence(Qt::CTRL | Qt::Key_S));
    connectAction(dialogs, ui->DBIloscKm, &DbEdit::clicked, this, &TripsTab::DBIloscKmClick);
    connectAction(dialogs, ui->DBIloscKm, &DbEdit::exited, this, &TripsTab::DBIloscKmExit);
    connectAction(dialogs, ui->DataPrzejazdu, &DbDateEdit::changed, this, &TripsTab::DataPrzejazduChange);
    DbGrid* trips = ui->DBGridPrzejazdy;
    connectAction(dialogs, trips, &DbGrid::cellClick, this, &TripsTab::DBGridPrzejazdyCellClick);
    connectAction(dialogs, trips, &DbGrid::dblClick, this, &TripsTab::DBGridPrzejazdyCellClick);
    connectAction(dialogs, trips, &DbGrid::keyDown, this, &TripsTab::DBGridPrzejazdyCellClick);
    connectAction(dialogs, trips, &DbGrid::keyUp, this, &TripsTab::DBGridPrzejazdyCellClick);
    // The boxes follow "Co podajemy" from the start, also when the register first opens on the first
    // period (Tab must not stop in a kilometres box that the reading decides).
    resetEntryMode();
}

// ---------------------------------------------------------------- period and tab

void TripsTab::setButtonsEnabled(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(m_ui->DodajPrzejazd), static_cast<QWidget*>(m_ui->ZapiszPrzejazd),
          static_cast<QWidget*>(m_ui->AnulujPrzejazd), static_cast<QWidget*>(m_ui->UsunPrzejazd)})
        w->setEnabled(enabled);
}

void TripsTab::monthShown(int month) {
    setButtonsEnabled(month != 0);
    TablePrzejazdy->refresh();
    if (month == 0)
        PrzeliczPrzejazdyRok();
    showSums(month);
    TablePrzejazdy->first();
    TablePrzejazdy->refresh();
    m_ui->DataPrzejazdu->setDate(m_window.pickerDate(*TablePrzejazdy));
}

void TripsTab::tabShown(int month) {
    setButtonsEnabled(month != 0);
    TablePrzejazdy->refresh();
    if (month == 0)
        PrzeliczPrzejazdyRok();
    UstawStawke();
    showSums(month);
    if (TableOkresy->asDate(QStringLiteral("Data")) > QDate(1990, 12, 30))
        m_ui->DataPrzejazdu->setDate(TableOkresy->asDate(QStringLiteral("Data")));
    NowyPrzejazd = false;
}

void TripsTab::showSums(int month) {
    OpisySumPrzejazdow(month);
    SumyPrzejazdow(month);
}

void TripsTab::resetEntryMode() {
    m_ui->RadioGroup1CoPodajemy->setItemIndex(0);
    m_ui->DBEditStanLicznikaKoncowy->setReadOnly(false);
    m_ui->DBEditStanLicznikaKoncowy->setEnabled(true);
    m_ui->DBEditStanLicznikaKoncowy->setFlat(false);
    m_ui->DBIloscKm->setReadOnly(true);
    m_ui->DBIloscKm->setEnabled(false);
    m_ui->DBIloscKm->setFlat(true);
}

// ---------------------------------------------------------------- rate

double TripsTab::rateOfVehicle() const {
    if (!TableStawki->isActive())
        return 0.0;
    const bool above900 =
        TablePojazdy->isActive() && TablePojazdy->asInteger(QStringLiteral("Pojemnosc")) > 900;
    return TableStawki->asFloat(above900 ? QStringLiteral("Stawka_po_900") : QStringLiteral("Stawka_do_900"));
}

void TripsTab::UstawStawke() {
    Table& t = *TablePrzejazdy;
    if (!t.isActive() || !TableOkresy->isActive() || !TablePojazdy->isActive() || t.isEmpty())
        return;
    const QString rate = numbers::general(rateOfVehicle());
    if (t.state() == Table::State::Insert)
        m_ui->DBStawka_km->setTextSilently(rate); // goes into the new trip
    else if (t.state() == Table::State::Browse)
        m_ui->DBStawka_km->setText(rate); // shown only: a trip keeps the rate it was entered with
}

// ---------------------------------------------------------------- passes

void TripsTab::PrzeliczPrzejazdyMiesiac() {
    Table& t = *TablePrzejazdy;
    if (!t.isActive())
        return;
    t.checkBrowseMode();
    Transaction tx(t);
    QuietControls quiet(t);
    writeMonthPass(t, m_forms.context.schema.tripsUpgraded && t.hasField(kMonthKm));
    tx.commit();
}

void TripsTab::PrzeliczPrzejazdyRok() {
    tripYearPass(m_window.selectedYear());
}

void TripsTab::tripYearPass(int year) {
    Table& t = *TablePrzejazdy;
    if (!t.isActive())
        return;
    t.checkBrowseMode();
    Transaction tx(t);
    QuietControls quiet(t);
    {
        // The whole year, so that a change in any month leaves every later month right.
        TemporaryView wholeYear(t, tripsOfYear(t, year));
        writeYearPass(t);
    }
    tx.commit();
}

void TripsTab::recomputeTripsOfYear(qint64 vehicle, int year) {
    // A reader of its own: any vehicle's trips, whatever the register shows.
    VehicleRows rows(m_forms.context.database, tables::przejazdy().fileName(), kByVehicleAndDate, vehicle);
    Table* reader = rows.table();
    if (!reader)
        return;
    reader->onFilterRecord = tripsOfYear(*reader, year);
    reader->setFiltered(true);
    writeMonthPass(*reader, m_forms.context.schema.tripsUpgraded && reader->hasField(kMonthKm));
    writeYearPass(*reader);
}

// ---------------------------------------------------------------- sums under the grid

void TripsTab::SumyPrzejazdow(int month) {
    QTableWidget* grid = m_ui->StringGridPrzejazdy;
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 3; ++r)
            grids::setCell(grid, c, r, QStringLiteral("0"));
    Table& t = *TablePrzejazdy;
    if (!t.isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    const int year = m_window.selectedYear();
    trips::YearTotals totals{};
    if (t.isEditing()) {
        // A pending trip keeps its place: the stored trips are read through a reader of their own.
        VehicleRows rows(m_forms.context.database, tables::przejazdy().fileName(), kByVehicleAndDate,
                         TablePojazdy->asInteger(kVehicle));
        if (Table* reader = rows.table()) {
            reader->onFilterRecord = tripsOfYear(*reader, year);
            reader->setFiltered(true);
            totals = totalsInView(*reader);
        }
    } else {
        QuietControls quiet(t);
        TemporaryView wholeYear(t, tripsOfYear(t, year));
        totals = totalsInView(t);
    }
    const trips::SumGrid texts = trips::sumGrid(month, totals);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            grids::setCell(grid, c, r, texts[size_t(r)][size_t(c)]);
}

void TripsTab::OpisySumPrzejazdow(int month) {
    sums::applySumLabels(m_ui->LabelDoMiesiaca, m_ui->LabelZaMiesiac, m_ui->LabelRazem, month);
}

// ---------------------------------------------------------------- odometer

void TripsTab::updateVehicleOdometer() {
    Table& cars = *TablePojazdy;
    if (!cars.isActive() || cars.isEmpty() || cars.state() == Table::State::Insert || cars.isNull(kVehicle))
        return;
    std::optional<qint64> reading;
    Table& t = *TablePrzejazdy;
    if (t.isActive() && !t.isEditing() && t.master() == &cars) {
        // The trips table holds every trip of the vehicle already: its rows are read from the latest
        // (by date, then in the order of entry) back to one with a final reading.
        QuietControls quiet(t);
        TemporaryView everyTrip(t);
        const int field = t.fieldIndex(kEnd);
        for (int row = t.recordCount() - 1; row >= 0 && !reading; --row) {
            const QVariant value = t.displayRecord(row).value(field);
            if (!value.isNull())
                reading = value.toLongLong();
        }
    } else {
        reading = latestFinalReading(m_forms.context.database, cars.asInteger(kVehicle));
    }
    // With no trip left the odometer is where the vehicle started.
    const QString startReading = QStringLiteral("StanPoczLIcznika");
    if (!reading && !cars.isNull(startReading))
        reading = cars.asInteger(startReading);
    const QString odometer = QStringLiteral("StanAktLicznika");
    if (!reading || (!cars.isNull(odometer) && cars.asInteger(odometer) == *reading))
        return;
    if (cars.isEditing()) {
        // A vehicle being changed in the vehicles window keeps what the user is typing there: the
        // reading goes into its stored row only (its save writes just the fields the user changed).
        setVehicleOdometer(m_forms.context.database, cars.asInteger(kVehicle), *reading);
        return;
    }
    cars.edit();
    cars.setValue(odometer, *reading);
    cars.post();
}

// ---------------------------------------------------------------- buttons

void TripsTab::DodajPrzejazdClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        if (!TablePojazdy->isActive() || TablePojazdy->isEmpty()) {
            ctx.dialogs.message(trips::noVehicleText());
            return;
        }
        if (m_window.refuseVehicleWithoutNumber())
            return;
        if (!TablePojazdy->asBool(QStringLiteral("Uzywany"))) {
            ctx.dialogs.message(kVehicleNotUsed);
            return;
        }
        Table& t = *TablePrzejazdy;
        if (m_window.refuseBrowseOnly(t))
            return;
        try {
            // The new trip starts where the last trip of the month ended; the first trip of a month
            // starts at the vehicle's initial reading.
            QVariant lastReading;
            if (t.recordCount() > 0) {
                t.last();
                lastReading = t.value(kEnd);
            } else {
                t.checkBrowseMode();
            }
            const qint64 start = lastReading.isNull()
                                     ? TablePojazdy->asInteger(QStringLiteral("StanPoczLIcznika"))
                                     : lastReading.toLongLong();
            t.append();
            NowyPrzejazd = true;
            t.setValue(kStart, start);
            m_ui->DBStawka_km->setTextSilently(numbers::general(rateOfVehicle()));

            const QDate today = ctx.clock.today();
            int month = 0;
            m_window.WybranyMiesiac(month);
            QDate date = today;
            if (!m_ui->ComboBoxRok->currentText().trimmed().isEmpty() &&
                !m_ui->ComboBoxMiesiac->currentText().isEmpty() && month >= 1)
                date = months::dayInMonth(m_window.selectedYear(), month, today.day());
            m_ui->DataPrzejazdu->setDate(date);
            // The day comes first: the picker takes it with its day chosen.
            m_ui->DataPrzejazdu->setFocus(Qt::TabFocusReason);
        } catch (const Error&) {
            ctx.dialogs.message(kSaveFirst);
        }
    });
}

void TripsTab::EdytujPrzejazdClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (!t.isActive() || t.isEditing() || m_window.refuseBrowseOnly(t))
            return;
        if (t.isEmpty()) {
            ctx.dialogs.messageBox(kNothingToEdit, kInformation);
            return;
        }
        t.edit();
        // The trip is saved with the picker's date: it starts from the trip's own.
        const QDate date = t.asDate(kDate);
        if (date.isValid())
            m_ui->DataPrzejazdu->setDate(date);
    });
}

void TripsTab::ZapiszPrzejazdClick() {
    runAction(m_forms.context.dialogs, [&] { saveTrip(); });
}

void TripsTab::cancelTrip() {
    if (TablePrzejazdy->isActive())
        TablePrzejazdy->cancel();
    NowyPrzejazd = false;
}

// A refused save is shown; the checks before the distance cancel the pending trip, the later ones
// leave it to be put right.
bool TripsTab::refuse(const std::optional<trips::SaveRefusal>& refusal) {
    if (!refusal)
        return false;
    Dialogs& dialogs = m_forms.context.dialogs;
    if (refusal->caption.isEmpty())
        dialogs.message(refusal->message);
    else
        dialogs.messageBox(refusal->message, refusal->caption);
    using trips::SaveCheck;
    switch (refusal->check) {
    case SaveCheck::NoNewTrip:
    case SaveCheck::Incomplete:
    case SaveCheck::NoVehicle:
    case SaveCheck::WrongMonth:
    case SaveCheck::WrongYear:
        cancelTrip();
        break;
    case SaveCheck::NothingStarted:
    case SaveCheck::Vehicle: // the trip can be saved once the vehicle is
    case SaveCheck::Negative:
    case SaveCheck::BeyondLimits:
        break;
    }
    return true;
}

void TripsTab::saveTrip() {
    Table& t = *TablePrzejazdy;
    auto* ui = m_ui;

    const bool editing = t.isActive() && t.isEditing();
    const QString rateText = ui->DBStawka_km->text().trimmed();
    if (refuse(trips::startRefusal({editing, editing ? m_window.vehicleRefusal() : QString(),
                                    t.state() == Table::State::Insert, NowyPrzejazd, rateText.isEmpty()})))
        return;
    // What was typed goes into the trip first: a text that is no number stops the save with the
    // conversion message, and the trip stays as it is.
    for (DbEdit* box :
         {ui->DBTrasa, ui->DBCelWyjazdu, ui->DBIloscKm, ui->DBStawka_km, ui->DBEditStanLIcznikaPoczatkowy,
          ui->DBEditStanLicznikaKoncowy, ui->DBEditImie, ui->DBEditNazwisko})
        box->updateRecord();

    trips::TripEntry trip;
    // The box shows the rate to four decimals: a trip keeps its stored rate unless the user changed
    // it (what is typed is in the record by now).
    trip.rate = !t.isNull(kRate) ? t.asFloat(kRate) : rateText.isEmpty() ? 0.0 : numbers::parse(rateText);
    trip.rateEmpty = rateText.isEmpty();
    trip.date = ui->DataPrzejazdu->date();
    t.setValue(kDate, trip.date.isValid() ? QVariant(trip.date) : QVariant());
    trip.byFinalReading = ui->RadioGroup1CoPodajemy->itemIndex() != 1;
    trip.route = t.asString(kRoute);
    trip.purpose = t.asString(kPurpose);
    if (!t.isNull(kStart))
        trip.start = t.asInteger(kStart);
    trip.finalReading = t.asInteger(kEnd);
    trip.km = t.asInteger(kKm);
    trip.hasVehicle = TablePojazdy->isActive() && !TablePojazdy->isEmpty();
    m_window.WybranyOkres(trip.periodYear, trip.periodMonth);
    const std::optional<trips::SaveRefusal> refusal = trips::entryRefusal(trip);
    const QDate date = trip.date;
    // Past the period checks the trip belongs to the vehicle and the month, also when its distance
    // is refused and it stays pending to be put right.
    using trips::SaveCheck;
    if (!refusal || refusal->check == SaveCheck::Negative || refusal->check == SaveCheck::BeyondLimits) {
        t.setValue(kVehicle, TablePojazdy->value(kVehicle));
        t.setValue(QStringLiteral("Pojazd"), TablePojazdy->value(QStringLiteral("Nazwa_Poj")));
        t.setValue(kMonth, date.month());
        t.setValue(kYear, date.year());
    }
    if (refuse(refusal))
        return;

    const qint64 start = trip.start.value_or(0);
    const qint64 km = trips::distance(trip);
    t.setValue(kKm, km);
    t.setValue(kEnd, start + km);
    t.setValue(kRate, trip.rate);
    t.setValue(kValue, trips::amount(trip.rate, km));

    // The trip and the running totals of its month and year are committed together: a failure
    // leaves the file as it was and gives the pending trip back.
    qint64 saved = 0;
    {
        Transaction tx(t);
        QuietControls quiet(t);
        t.post();
        saved = t.asInteger(kNrKol);
        PrzeliczPrzejazdyMiesiac();
        tripYearPass(date.year());
        tx.commit();
    }
    NowyPrzejazd = false;
    SumyPrzejazdow(m_window.WybranyMiesiac());
    updateVehicleOdometer();
    m_forms.context.data().tripsWritten();
    t.locate(kNrKol, {saved});
    // The next trip is one key away.
    m_ui->DodajPrzejazd->setFocus(Qt::TabFocusReason);
}

void TripsTab::AnulujPrzejazdClick() {
    runAction(m_forms.context.dialogs, [&] { cancelTrip(); });
}

void TripsTab::UsunPrzejazdClick() {
    Dialogs& dialogs = m_forms.context.dialogs;
    runAction(dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (!t.isActive() || t.recordCount() == 0) {
            dialogs.messageBox(kNothingToDelete, kInformation);
            return;
        }
        if (!dialogs.question(kDeleteQuestion, kChoose)) {
            cancelTrip();
            return;
        }
        if (t.state() == Table::State::Insert) {
            cancelTrip(); // the selected trip was never stored
            return;
        }
        const int year = t.isNull(kYear) ? m_window.selectedYear() : int(t.asInteger(kYear));
        const int row = t.recNo();
        {
            Transaction tx(t);
            QuietControls quiet(t);
            t.deleteRecord();
            PrzeliczPrzejazdyMiesiac();
            tripYearPass(year);
            tx.commit();
        }
        NowyPrzejazd = false;
        SumyPrzejazdow(m_window.WybranyMiesiac());
        if (t.recordCount() > 0)
            t.moveTo(std::min(row, t.recordCount() - 1));
        updateVehicleOdometer();
        m_forms.context.data().tripsWritten();
    });
}

void TripsTab::UsunNiepoprwaneRekordyClick() {
    Dialogs& dialogs = m_forms.context.dialogs;
    runAction(dialogs, [&] {
        int count = 0;
        if (dialogs.question(kInvalidQuestion, kChoose))
            count = deleteInvalidTrips();
        else
            cancelTrip();
        dialogs.message(kInvalidCount + QString::number(count));
    });
}

int TripsTab::deleteInvalidTrips() {
    Table& t = *TablePrzejazdy;
    if (!t.isActive())
        return 0;
    t.checkBrowseMode(); // a changed pending trip refuses here, before anything is switched
    int count = 0;
    // The vehicles and years whose totals may have counted a deleted trip.
    std::set<std::pair<qint64, int>> counted;
    {
        Transaction tx(t);
        {
            QuietControls quiet(t);
            TemporaryView all(t, {}, Table::Scope::WholeFile);

            const int vehicle = t.fieldIndex(kVehicle);
            const int year = t.fieldIndex(kYear);
            const int month = t.fieldIndex(kMonth);
            const int date = t.fieldIndex(kDate);
            std::vector<int> invalid;
            for (int row = 0; row < t.recordCount(); ++row) {
                const Record r = t.displayRecord(row);
                // A trip without a vehicle's number belongs to no vehicle: no window would ever show it.
                if (!r.value(vehicle).isNull() && !r.value(year).isNull() && !r.value(month).isNull() &&
                    !r.value(date).isNull())
                    continue;
                invalid.push_back(row);
                if (!r.value(vehicle).isNull() && !r.value(year).isNull())
                    counted.insert({r.value(vehicle).toLongLong(), int(r.value(year).toLongLong())});
            }
            for (auto it = invalid.rbegin(); it != invalid.rend(); ++it) {
                t.moveTo(*it);
                t.deleteRecord();
                ++count;
            }
        }
        // Every month and the running values of every year those trips were in, for every vehicle.
        for (const auto& [vehicle, year] : counted)
            recomputeTripsOfYear(vehicle, year);
        tx.commit();
    }
    if (count > 0 && TablePojazdy->isActive() && !TablePojazdy->isEmpty()) {
        t.refresh();
        SumyPrzejazdow(m_window.WybranyMiesiac());
        updateVehicleOdometer();
        m_forms.context.data().tripsWritten();
    }
    return count;
}

// ---------------------------------------------------------------- boxes, picker and grid

void TripsTab::RadioGroup1CoPodajemyClick() {
    const bool byKm = m_ui->RadioGroup1CoPodajemy->itemIndex() == 1;
    DbEdit* finalReading = m_ui->DBEditStanLicznikaKoncowy;
    finalReading->setFlat(byKm);
    finalReading->setEnabled(!byKm);
    finalReading->setReadOnly(byKm);
    DbEdit* km = m_ui->DBIloscKm;
    km->setFlat(!byKm);
    km->setEnabled(byKm);
    km->setReadOnly(!byKm);
}

void TripsTab::showTripAmountPreview() {
    Table& t = *TablePrzejazdy;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString rateText = m_ui->DBStawka_km->text();
    const QString kmText = m_ui->DBIloscKm->text();
    const double rate = numbers::isNumber(rateText) ? numbers::parse(rateText) : t.asFloat(kRate);
    const qint64 km = numbers::isInteger(kmText) ? numbers::parseInteger(kmText) : t.asInteger(kKm);
    m_ui->DBWartoscPrzejazdu->setText(numbers::general(rate * double(km)));
}

void TripsTab::DBIloscKmClick() {
    runAction(m_forms.context.dialogs, [&] { showTripAmountPreview(); });
}

void TripsTab::DBIloscKmExit() {
    runAction(m_forms.context.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (!t.isActive() || t.state() != Table::State::Edit || !m_window.isVisible() ||
            !m_window.onTripsTab())
            return;
        showTripAmountPreview();
        // The running kilometres of the month as they will be after the save: those of the trip before
        // this one plus this trip's.
        const int row = t.recNo();
        const qint64 before =
            row > 0 ? t.displayRecord(row - 1).value(t.fieldIndex(kKmRunning)).toLongLong() : qint64(0);
        const qint64 running = before + t.asInteger(kKm);
        if (t.isNull(kKmRunning) || t.asInteger(kKmRunning) != running)
            t.setValue(kKmRunning, running);
    });
}

void TripsTab::DataPrzejazduChange() {
    runAction(m_forms.context.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (t.isActive() && t.state() == Table::State::Browse && !t.isEmpty() && !t.isBrowseOnly())
            t.edit();
    });
}

void TripsTab::DBGridPrzejazdyCellClick() {
    runAction(m_forms.context.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        // A pending trip keeps the date being entered.
        if (!t.isActive() || t.state() != Table::State::Browse || t.isEmpty())
            return;
        const QDate date = t.asDate(kDate);
        if (date.isValid())
            m_ui->DataPrzejazdu->setDate(date);
    });
}

} // namespace tarlok
