#include "TripsTab.h"

#include "EntryTab.h"
#include "GridCells.h"
#include "SumLabels.h"
#include "TEwidencja_przejazdow.h"
#include "TImportCsv.h"
#include "TripRunningTotals.h"
#include "calc/SaveChecks.h"
#include "calc/TripCalc.h"
#include "calc/VehicleRows.h"
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

namespace J = fields::przejazdy;
namespace P = fields::pojazdy;

const QString kInformation = QStringLiteral("Informacja");
const QString kChoose = QStringLiteral("WYBIERZ");

const QString kSaveFirst = QStringLiteral("Prosze najpierw zapisać przejazd - przycisk \"Zapisz\"");
const QString kNothingToDelete = QStringLiteral("Brak Przejazdu do USUNIĘCIA");
const QString kNothingToEdit = QStringLiteral("Brak Przejazdu do edycji");
const QString kDeleteQuestion = QStringLiteral("Czy usunąć wybraną pozycję");
const QString kInvalidQuestion = QStringLiteral("Czy sprawdzamy i usuwamy niepoprawnie zapisane pozycje");
const QString kInvalidCount = QStringLiteral("Liczba usunętych Zapisów ");

using triptotals::monthTotals;
using triptotals::tripsInView;
using triptotals::tripsOfYearInRange;
using triptotals::writeMonthPass;
using triptotals::writeYearPass;

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
    grid->addColumn(J::Data, QStringLiteral("Data"), 72, left);
    grid->addColumn(J::Trasa, QStringLiteral("Trasa"), 108, left);
    grid->addColumn(J::Cel_Wyj, QStringLiteral("Cel wyjazdu"), 108, left);
    grid->addColumn(J::Kilometry, QStringLiteral("Km"), 42, right);
    grid->addColumn(J::Kilometry_Narastajaca, QStringLiteral("Km nar. mc"), 74, right);
    grid->addColumn(J::Wartosc, QStringLiteral("Wartość"), 64, right, false, QStringLiteral("0.00"));
    grid->addColumn(J::Wartosc_Narastajaco, QStringLiteral("Wart. nar. mc"), 88, right, false,
                    QStringLiteral("0.00"));
    grid->addColumn(J::Kilometry_NarastajacaRok, QStringLiteral("Km nar. rok"), 76, right);
    grid->addColumn(J::Wartosc_NarastajacoRok, QStringLiteral("Wart. nar. rok"), 92, right, false,
                    QStringLiteral("0.00"));
    grid->addColumn(J::StanLicznikaPo, QStringLiteral("Licznik "), 60, right);
    grid->addColumn(J::Nazwisko, QStringLiteral("Nazwisko kierowcy"), 118, left);

    // The boxes bound to the current trip.
    ui->DBTrasa->setDataSource(TablePrzejazdy, J::Trasa);
    ui->DBCelWyjazdu->setDataSource(TablePrzejazdy, J::Cel_Wyj);
    ui->DBIloscKm->setDataSource(TablePrzejazdy, J::Kilometry);
    ui->DBStawka_km->setDataSource(TablePrzejazdy, J::Stawka);
    ui->DBStawka_km->setDisplayPattern(QStringLiteral("0.0000"));
    ui->DBWartoscPrzejazdu->setDataSource(TablePrzejazdy, J::Wartosc);
    ui->DBWartoscPrzejazdu->setDisplayPattern(QStringLiteral("0.00"));
    ui->DBWartoscPrzejazdu->setReadOnly(true);
    ui->DBWartoscPrzejazdu->setFlat(true);
    ui->DBEditStanLIcznikaPoczatkowy->setDataSource(TablePrzejazdy, J::StanLicznikaPrzed);
    ui->DBEditStanLicznikaKoncowy->setDataSource(TablePrzejazdy, J::StanLicznikaPo);
    ui->DBEditImie->setDataSource(TablePrzejazdy, J::Imie);
    ui->DBEditNazwisko->setDataSource(TablePrzejazdy, J::Nazwisko);

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
    entrytab::connectGridMoves(dialogs, grid, this, &TripsTab::DBGridPrzejazdyCellClick,
                               &TripsTab::DBGridPrzejazdyCellClick);
    connectAction(dialogs, grid, &DbGrid::dblClick, this, &TripsTab::DBGridPrzejazdyCellClick);
    // The boxes follow "Co podajemy" from the start, also when the register first opens on the first
    // period (Tab must not stop in a kilometres box that the reading decides).
    resetEntryMode();
}

// ---------------------------------------------------------------- period and tab

void TripsTab::setButtonsEnabled(bool enabled) {
    entrytab::setEnabled(
        {m_ui->DodajPrzejazd, m_ui->ZapiszPrzejazd, m_ui->AnulujPrzejazd, m_ui->UsunPrzejazd}, enabled);
}

void TripsTab::monthShown(int month) {
    setButtonsEnabled(month != 0);
    TablePrzejazdy->refresh();
    if (month == 0)
        PrzeliczPrzejazdyRok();
    showSums(month);
    TablePrzejazdy->first();
    TablePrzejazdy->refresh();
    m_ui->DataPrzejazdu->setDate(entrytab::pickerDate(m_window, *TablePrzejazdy));
}

void TripsTab::tabShown(int month) {
    setButtonsEnabled(month != 0);
    TablePrzejazdy->refresh();
    if (month == 0)
        PrzeliczPrzejazdyRok();
    UstawStawke();
    showSums(month);
    if (TableOkresy->asDate(fields::okresy::Data) > QDate(1990, 12, 30))
        m_ui->DataPrzejazdu->setDate(TableOkresy->asDate(fields::okresy::Data));
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
    const bool above900 = TablePojazdy->isActive() && TablePojazdy->asInteger(P::Pojemnosc) > 900;
    return TableStawki->asFloat(above900 ? fields::stawki::Stawka_po_900 : fields::stawki::Stawka_do_900);
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
    QuietControls quiet(t); // the controls show the figures once, when all are written
    writeMonthPass(t, tripsInView(t),
                   m_forms.context.schema.tripsUpgraded && t.hasField(J::IloscPrzejKilometrow));
    tx.commit();
}

void TripsTab::PrzeliczPrzejazdyRok() {
    tripYearPass(m_window.selectedYear());
}

void TripsTab::tripYearPass(int year) {
    Table& t = *TablePrzejazdy;
    if (!t.isActive())
        return;
    if (!t.fieldRangesAdmit(J::Rok, year)) {
        // A year the register does not hold: its rows are read by a reader of their own.
        if (TablePojazdy->isActive() && !TablePojazdy->isEmpty())
            recomputeTripsOfYear(TablePojazdy->asInteger(P::NrKol_Pojazdu), year);
        return;
    }
    t.checkBrowseMode();
    Transaction tx(t);
    t.keepRangeCurrent();
    QuietControls quiet(t);
    // The whole year, so that a change in any month leaves every later month right.
    writeYearPass(t, tripsOfYearInRange(t, year));
    tx.commit();
}

void TripsTab::recomputeTripsOfYear(qint64 vehicle, int year) {
    // A reader of its own: any vehicle's trips, whatever the register shows.
    const VehicleRows rows =
        vehicleRowsOfYear(m_forms.context.database, tables::przejazdy().fileName(), vehicle, year);
    Table* reader = rows.table();
    if (!reader)
        return;
    const triptotals::StoredTrips ofYear = tripsOfYearInRange(*reader, year);
    writeMonthPass(*reader, ofYear,
                   m_forms.context.schema.tripsUpgraded && reader->hasField(J::IloscPrzejKilometrow));
    writeYearPass(*reader, ofYear); // fields of its own: what the month pass wrote does not matter
}

// ---------------------------------------------------------------- sums under the grid

void TripsTab::SumyPrzejazdow(int month) {
    QTableWidget* grid = m_ui->StringGridPrzejazdy;
    grids::fill(grid, QStringLiteral("0"));
    Table& t = *TablePrzejazdy;
    if (!t.isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    const int year = m_window.selectedYear();
    trips::YearTotals totals{};
    if (t.isEditing() || !t.fieldRangesAdmit(J::Rok, year)) {
        // A pending trip keeps its place, and a year the register does not hold is not read into it:
        // the stored trips are read through a reader of their own.
        const VehicleRows rows = vehicleRowsOfYear(m_forms.context.database, tables::przejazdy().fileName(),
                                                   TablePojazdy->asInteger(P::NrKol_Pojazdu), year);
        if (Table* reader = rows.table())
            totals = monthTotals(*reader, tripsOfYearInRange(*reader, year));
    } else {
        t.keepRangeCurrent();
        totals = monthTotals(t, tripsOfYearInRange(t, year));
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
    if (!cars.isActive() || cars.isEmpty() || cars.state() == Table::State::Insert ||
        cars.isNull(P::NrKol_Pojazdu))
        return;
    std::optional<qint64> reading;
    Table& t = *TablePrzejazdy;
    if (t.isActive() && t.master() == &cars) {
        // The latest stored trip with a final reading (by date, then in the order of entry), of any
        // year: one query, whatever period the table holds.
        if (const QVariant value = t.lastFilledValue(J::StanLicznikaPo); !value.isNull())
            reading = value.toLongLong();
    } else {
        reading = latestFinalReading(m_forms.context.database, cars.asInteger(P::NrKol_Pojazdu));
    }
    // With no trip left the odometer is where the vehicle started.
    if (!reading && !cars.isNull(P::StanPoczLIcznika))
        reading = cars.asInteger(P::StanPoczLIcznika);
    if (!reading || (!cars.isNull(P::StanAktLicznika) && cars.asInteger(P::StanAktLicznika) == *reading))
        return;
    if (cars.isEditing()) {
        // A vehicle being changed in the vehicles window keeps what the user is typing there: the
        // reading goes into its stored row only (its save writes just the fields the user changed).
        setVehicleOdometer(m_forms.context.database, cars.asInteger(P::NrKol_Pojazdu), *reading);
        return;
    }
    cars.edit();
    cars.setValue(P::StanAktLicznika, *reading);
    cars.post();
}

// ---------------------------------------------------------------- buttons

void TripsTab::DodajPrzejazdClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (entrytab::refuseNewRow(m_window, ctx.dialogs, *TablePojazdy, t, trips::noVehicleText()))
            return;
        try {
            // The new trip starts where the last trip of the month ended; the first trip of a month
            // starts at the vehicle's initial reading.
            QVariant lastReading;
            if (t.recordCount() > 0) {
                t.last();
                lastReading = t.value(J::StanLicznikaPo);
            } else {
                t.checkBrowseMode();
            }
            const qint64 start = lastReading.isNull() ? TablePojazdy->asInteger(P::StanPoczLIcznika)
                                                      : lastReading.toLongLong();
            t.append();
            NowyPrzejazd = true;
            t.setValue(J::StanLicznikaPrzed, start);
            m_ui->DBStawka_km->setTextSilently(numbers::general(rateOfVehicle()));

            m_ui->DataPrzejazdu->setDate(entrytab::newRowDate(m_window, ctx.clock.today()));
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
        if (!t.isActive() || t.isEditing() || entrytab::refuseBrowseOnly(m_forms.context.dialogs, t))
            return;
        if (t.isEmpty()) {
            ctx.dialogs.messageBox(kNothingToEdit, kInformation);
            return;
        }
        t.edit();
        // The trip is saved with the picker's date: it starts from the trip's own.
        entrytab::showRowDate(t, J::Data, m_ui->DataPrzejazdu);
    });
}

void TripsTab::ZapiszPrzejazdClick() {
    runAction(m_forms.context.dialogs, [&] { saveTrip(); });
}

void TripsTab::cancelTrip() {
    entrytab::cancelPending(*TablePrzejazdy, NowyPrzejazd);
}

// A refused save is shown; the checks before the distance cancel the pending trip, the later ones
// leave it to be put right.
bool TripsTab::refuse(const std::optional<trips::SaveRefusal>& refusal) {
    if (!refusal)
        return false;
    entrytab::showRefusal(m_forms.context.dialogs, refusal->message, refusal->caption);
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
    trip.rate = !t.isNull(J::Stawka) ? t.asFloat(J::Stawka)
                : rateText.isEmpty() ? 0.0
                                     : numbers::parse(rateText);
    trip.rateEmpty = rateText.isEmpty();
    trip.date = ui->DataPrzejazdu->date();
    t.setValue(J::Data, trip.date.isValid() ? QVariant(trip.date) : QVariant());
    trip.byFinalReading = ui->RadioGroup1CoPodajemy->itemIndex() != 1;
    trip.route = t.asString(J::Trasa);
    trip.purpose = t.asString(J::Cel_Wyj);
    if (!t.isNull(J::StanLicznikaPrzed))
        trip.start = t.asInteger(J::StanLicznikaPrzed);
    trip.finalReading = t.asInteger(J::StanLicznikaPo);
    trip.km = t.asInteger(J::Kilometry);
    trip.hasVehicle = TablePojazdy->isActive() && !TablePojazdy->isEmpty();
    m_window.WybranyOkres(trip.periodYear, trip.periodMonth);
    const std::optional<trips::SaveRefusal> refusal = trips::entryRefusal(trip);
    const QDate date = trip.date;
    // Past the period checks the trip belongs to the vehicle and the month, also when its distance
    // is refused and it stays pending to be put right.
    using trips::SaveCheck;
    if (!refusal || refusal->check == SaveCheck::Negative || refusal->check == SaveCheck::BeyondLimits) {
        t.setValue(J::NrKol_Pojazdu, TablePojazdy->value(P::NrKol_Pojazdu));
        t.setValue(J::Pojazd, TablePojazdy->value(P::Nazwa_Poj));
        t.setValue(J::Miesiac, date.month());
        t.setValue(J::Rok, date.year());
    }
    if (refuse(refusal))
        return;

    const qint64 start = trip.start.value_or(0);
    const qint64 km = trips::distance(trip);
    t.setValue(J::Kilometry, km);
    t.setValue(J::StanLicznikaPo, start + km);
    t.setValue(J::Stawka, trip.rate);
    t.setValue(J::Wartosc, trips::amount(trip.rate, km));

    // The trip and the running totals of its month and year are committed together: a failure
    // leaves the file as it was and gives the pending trip back.
    qint64 saved = 0;
    {
        Transaction tx(t);
        QuietControls quiet(t);
        t.post();
        saved = t.asInteger(J::NrKol);
        PrzeliczPrzejazdyMiesiac();
        tripYearPass(date.year());
        tx.commit();
    }
    NowyPrzejazd = false;
    SumyPrzejazdow(m_window.WybranyMiesiac());
    updateVehicleOdometer();
    m_forms.context.data().tripsWritten();
    t.locate(J::NrKol, {saved});
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
        const int year = t.isNull(J::Rok) ? m_window.selectedYear() : int(t.asInteger(J::Rok));
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

            const int vehicle = t.fieldIndex(J::NrKol_Pojazdu);
            const int year = t.fieldIndex(J::Rok);
            const int month = t.fieldIndex(J::Miesiac);
            const int date = t.fieldIndex(J::Data);
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
    const double rate = numbers::isNumber(rateText) ? numbers::parse(rateText) : t.asFloat(J::Stawka);
    const qint64 km = numbers::isInteger(kmText) ? numbers::parseInteger(kmText) : t.asInteger(J::Kilometry);
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
            row > 0 ? t.displayRecord(row - 1).value(t.fieldIndex(J::Kilometry_Narastajaca)).toLongLong()
                    : qint64(0);
        const qint64 running = before + t.asInteger(J::Kilometry);
        if (t.isNull(J::Kilometry_Narastajaca) || t.asInteger(J::Kilometry_Narastajaca) != running)
            t.setValue(J::Kilometry_Narastajaca, running);
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
        entrytab::showRowDate(t, J::Data, m_ui->DataPrzejazdu);
    });
}

} // namespace tarlok
