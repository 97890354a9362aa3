// The trips tab of the register: starting, editing, saving, cancelling and deleting a trip, the
// running totals of the month and the year that every save rewrites, the sums under the grid and the
// vehicle's current odometer.
#include "TEwidencja_przejazdow.h"

#include "SumLabels.h"
#include "calc/TripCalc.h"
#include "calc/VehicleRows.h"
#include "core/Actions.h"
#include "core/AppContext.h"
#include "core/Forms.h"
#include "common/Limits.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "store/Database.h"
#include "store/EngineError.h"
#include "store/Table.h"
#include "store/Tables.h"
#include "ui_TEwidencja_przejazdow.h"

#include <QSet>
#include <algorithm>
#include <set>

#include <functional>
#include <utility>
#include <vector>

namespace tarlok {

namespace {

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

const QString kError = QStringLiteral("Błąd");
const QString kInformation = QStringLiteral("Informacja");
const QString kChoose = QStringLiteral("WYBIERZ");

const QString kNoVehicle = QStringLiteral("Wprowadź najpierw jakiś pojazd");
const QString kVehicleNotUsed =
    QStringLiteral("Pojazd nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów");
const QString kSaveFirst = QStringLiteral("Prosze najpierw zapisać przejazd - przycisk \"Zapisz\"");
const QString kNothingStarted = QStringLiteral(
    "Jeżeli poprawiasz dane użyj najpierw przycisku \"Edytuj przejazd\", a jeżeli wprowadzasz nowy "
    "zapis użyj przycisku \"Nowy przejazd\" ");
const QString kNoNewTrip = QStringLiteral("Nie użyłeś przycisku \"Nowy przejazd\"");
const QString kIncomplete = QStringLiteral(
    "Przejazd musi posiadać datę, trasę, cel wyjazdu, stawkę za km i Stan licznika pocz. i kon. - "
    "Użyj przycisku \"Nowy przejazd\"");
const QString kWrongMonth = QStringLiteral("Miesiąc daty nie zgadza się z miesiącem okresu");
const QString kWrongYear = QStringLiteral("Rok daty nie zgadza się z rokiem okresu");
const QString kFinalBelowStart =
    QStringLiteral("Stan licznika końcowy nie może być mniejszy od początkowego");
const QString kNegativeKm = QStringLiteral("Ilość km nie może być mniejsza od zera");
const QString kNothingToDelete = QStringLiteral("Brak Przejazdu do USUNIĘCIA");
const QString kNothingToEdit = QStringLiteral("Brak Przejazdu do edycji");
const QString kDeleteQuestion = QStringLiteral("Czy usunąć wybraną pozycję");
const QString kInvalidQuestion = QStringLiteral("Czy sprawdzamy i usuwamy niepoprawnie zapisane pozycje");
const QString kInvalidCount = QStringLiteral("Liczba usunętych Zapisów ");

// Keeps the controls bound to a table still for the time of a walk over its rows; they show the
// result once at the end.
class QuietControls {
public:
    explicit QuietControls(Table& table) : m_table(table) { m_table.disableControls(); }
    ~QuietControls() {
        try {
            m_table.enableControls();
        } catch (...) {
            // The controls read the table again at its next move.
        }
    }
    QuietControls(const QuietControls&) = delete;
    QuietControls& operator=(const QuietControls&) = delete;

private:
    Table& m_table;
};

// For the time of a walk, the view shows the current vehicle's trips that `admit` accepts (every trip
// of the vehicle when it is empty) in place of the trips of the chosen period. Afterwards the view
// holds exactly the trips it held before: they are remembered by number, so that the period filter
// need not judge every trip of the vehicle again. A changed pending trip refuses before anything is
// switched.
class TripsView {
public:
    TripsView(Table& table, std::function<bool(Table&)> admit)
        : m_table(table), m_periodFilter(table.onFilterRecord), m_wasFiltered(table.isFiltered()),
          m_number(table.fieldIndex(kNrKol)) {
        m_table.checkBrowseMode();
        if (!m_table.isEmpty())
            m_current = m_table.asInteger(kNrKol);
        for (int row = 0; row < m_table.recordCount(); ++row)
            m_shown.insert(m_table.displayRecord(row).value(m_number).toLongLong());
        const bool filtered = bool(admit);
        m_table.onFilterRecord = std::move(admit);
        try {
            m_table.setFiltered(false);
            m_table.setFiltered(filtered);
        } catch (...) {
            restore();
            throw;
        }
    }
    ~TripsView() {
        try {
            restore();
        } catch (...) {
            m_table.onFilterRecord = m_periodFilter; // the view is read again at the next refresh
        }
    }
    TripsView(const TripsView&) = delete;
    TripsView& operator=(const TripsView&) = delete;

private:
    void restore() {
        if (m_table.isEditing())
            m_table.cancel(); // a walk's own row, left by a failure
        m_table.onFilterRecord = [this](Table& row) {
            return m_shown.contains(row.value(m_number).toLongLong());
        };
        m_table.setFiltered(false);
        m_table.setFiltered(m_wasFiltered);
        m_table.onFilterRecord = m_periodFilter;
        if (m_current != 0)
            m_table.locate(kNrKol, {m_current});
    }

    Table& m_table;
    std::function<bool(Table&)> m_periodFilter;
    bool m_wasFiltered;
    int m_number;
    qint64 m_current = 0; // the trip under the cursor, which it is on again afterwards
    QSet<qint64> m_shown;
};

// For the time of a walk, the trips table covers the trips of every vehicle and every period: no link
// to the vehicle, no filter, the stored order. Afterwards it is linked to the vehicle again, on its
// index, with its filter on.
class EveryTrip {
public:
    EveryTrip(Table& table, Table* vehicles) : m_table(table), m_vehicles(vehicles) {
        try {
            m_table.setFiltered(false);
            m_table.setIndexName(QString());
            m_table.clearMasterSource();
        } catch (...) {
            restore();
            throw;
        }
    }
    ~EveryTrip() {
        try {
            restore();
        } catch (...) {
            // The link is set first; the next refresh reads the rows again.
        }
    }
    EveryTrip(const EveryTrip&) = delete;
    EveryTrip& operator=(const EveryTrip&) = delete;

private:
    void restore() {
        if (m_table.isEditing())
            m_table.cancel(); // a walk's own row, left by a failure
        // Linked while still in the stored order, so that only the vehicle's rows are read again.
        m_table.setMasterSource(m_vehicles, kVehicle);
        m_table.setIndexName(kByVehicleAndDate);
        m_table.setFiltered(true);
    }

    Table& m_table;
    Table* m_vehicles;
};

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

// ---------------------------------------------------------------- rate

double TEwidencja_przejazdow::rateOfVehicle() const {
    if (!TableStawki->isActive())
        return 0.0;
    const bool above900 =
        TablePojazdy->isActive() && TablePojazdy->asInteger(QStringLiteral("Pojemnosc")) > 900;
    return TableStawki->asFloat(above900 ? QStringLiteral("Stawka_po_900") : QStringLiteral("Stawka_do_900"));
}

void TEwidencja_przejazdow::UstawStawke() {
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

void TEwidencja_przejazdow::PrzeliczPrzejazdyMiesiac() {
    Table& t = *TablePrzejazdy;
    if (!t.isActive())
        return;
    t.checkBrowseMode();
    Transaction tx(t);
    QuietControls quiet(t);
    writeMonthPass(t, m_forms.context.schema.tripsUpgraded && t.hasField(kMonthKm));
    tx.commit();
}

void TEwidencja_przejazdow::PrzeliczPrzejazdyRok() {
    tripYearPass(selectedYear());
}

void TEwidencja_przejazdow::tripYearPass(int year) {
    Table& t = *TablePrzejazdy;
    if (!t.isActive())
        return;
    t.checkBrowseMode();
    Transaction tx(t);
    QuietControls quiet(t);
    {
        // The whole year, so that a change in any month leaves every later month right.
        TripsView wholeYear(t, tripsOfYear(t, year));
        writeYearPass(t);
    }
    tx.commit();
}

void TEwidencja_przejazdow::recomputeTripsOfYear(qint64 vehicle, int year) {
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

void TEwidencja_przejazdow::SumyPrzejazdow(int month) {
    QTableWidget* grid = m_ui->StringGridPrzejazdy;
    for (int c = 0; c < 2; ++c)
        for (int r = 0; r < 3; ++r)
            setCell(grid, c, r, QStringLiteral("0"));
    Table& t = *TablePrzejazdy;
    if (!t.isActive() || !TablePojazdy->isActive() || TablePojazdy->isEmpty())
        return;
    const int year = selectedYear();
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
        TripsView wholeYear(t, tripsOfYear(t, year));
        totals = totalsInView(t);
    }
    const trips::SumGrid texts = trips::sumGrid(month, totals);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 2; ++c)
            setCell(grid, c, r, texts[size_t(r)][size_t(c)]);
}

void TEwidencja_przejazdow::OpisySumPrzejazdow(int month) {
    sums::applySumLabels(m_ui->LabelDoMiesiaca, m_ui->LabelZaMiesiac, m_ui->LabelRazem, month);
}

// ---------------------------------------------------------------- odometer

void TEwidencja_przejazdow::updateVehicleOdometer() {
    Table& cars = *TablePojazdy;
    if (!cars.isActive() || cars.isEmpty() || cars.state() == Table::State::Insert || cars.isNull(kVehicle))
        return;
    std::optional<qint64> reading;
    Table& t = *TablePrzejazdy;
    if (t.isActive() && !t.isEditing() && t.master() == &cars) {
        // The trips table holds every trip of the vehicle already: its rows are read from the latest
        // (by date, then in the order of entry) back to one with a final reading.
        QuietControls quiet(t);
        TripsView everyTrip(t, {});
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

void TEwidencja_przejazdow::DodajPrzejazdClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        if (!TablePojazdy->isActive() || TablePojazdy->isEmpty()) {
            ctx.dialogs.message(kNoVehicle);
            return;
        }
        if (refuseVehicleWithoutNumber())
            return;
        if (!TablePojazdy->asBool(QStringLiteral("Uzywany"))) {
            ctx.dialogs.message(kVehicleNotUsed);
            return;
        }
        Table& t = *TablePrzejazdy;
        if (refuseBrowseOnly(t))
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
            WybranyMiesiac(month);
            QDate date = today;
            if (!m_ui->ComboBoxRok->currentText().trimmed().isEmpty() &&
                !m_ui->ComboBoxMiesiac->currentText().isEmpty() && month >= 1)
                date = months::dayInMonth(selectedYear(), month, today.day());
            m_ui->DataPrzejazdu->setDate(date);
            m_ui->DBTrasa->setFocus();
        } catch (const Error&) {
            ctx.dialogs.message(kSaveFirst);
        }
    });
}

void TEwidencja_przejazdow::EdytujPrzejazdClick() {
    AppContext& ctx = m_forms.context;
    runAction(ctx.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (!t.isActive() || t.isEditing() || refuseBrowseOnly(t))
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

void TEwidencja_przejazdow::ZapiszPrzejazdClick() {
    runAction(m_forms.context.dialogs, [&] { saveTrip(); });
}

void TEwidencja_przejazdow::cancelTrip() {
    if (TablePrzejazdy->isActive())
        TablePrzejazdy->cancel();
    NowyPrzejazd = false;
}

void TEwidencja_przejazdow::saveTrip() {
    Dialogs& dialogs = m_forms.context.dialogs;
    Table& t = *TablePrzejazdy;
    auto* ui = m_ui.get();

    if (!t.isActive() || !t.isEditing()) {
        dialogs.message(kNothingStarted);
        return;
    }
    // The trip stays pending: it can be saved once the vehicle is.
    if (refuseVehicleWithoutNumber())
        return;
    const bool inserting = t.state() == Table::State::Insert;
    const QString rateText = ui->DBStawka_km->text().trimmed();
    if (rateText.isEmpty() && !(inserting && NowyPrzejazd)) {
        dialogs.message(kNoNewTrip);
        cancelTrip();
        return;
    }
    // What was typed goes into the trip first: a text that is no number stops the save with the
    // conversion message, and the trip stays as it is.
    for (DbEdit* box :
         {ui->DBTrasa, ui->DBCelWyjazdu, ui->DBIloscKm, ui->DBStawka_km, ui->DBEditStanLIcznikaPoczatkowy,
          ui->DBEditStanLicznikaKoncowy, ui->DBEditImie, ui->DBEditNazwisko})
        box->updateRecord();
    // The box shows the rate to four decimals: a trip keeps its stored rate unless the user changed
    // it (what is typed is in the record by now).
    const double rate = !t.isNull(kRate)     ? t.asFloat(kRate)
                        : rateText.isEmpty() ? 0.0
                                             : numbers::parse(rateText);

    const QDate date = ui->DataPrzejazdu->date();
    t.setValue(kDate, date.isValid() ? QVariant(date) : QVariant());
    const bool byFinalReading = ui->RadioGroup1CoPodajemy->itemIndex() != 1;
    const qint64 kmValue = byFinalReading ? t.asInteger(kEnd) : t.asInteger(kKm);
    if (t.asString(kRoute).trimmed().isEmpty() || t.asString(kPurpose).trimmed().isEmpty() ||
        t.isNull(kStart) || kmValue == 0 || !date.isValid() || rateText.isEmpty()) {
        dialogs.messageBox(kIncomplete, kError);
        cancelTrip();
        return;
    }
    if (!TablePojazdy->isActive() || TablePojazdy->isEmpty()) {
        dialogs.message(kNoVehicle);
        cancelTrip();
        return;
    }
    t.setValue(kVehicle, TablePojazdy->value(kVehicle));
    t.setValue(QStringLiteral("Pojazd"), TablePojazdy->value(QStringLiteral("Nazwa_Poj")));

    int year = 0;
    int month = 0;
    WybranyOkres(year, month);
    if (date.month() != month) {
        dialogs.message(kWrongMonth);
        cancelTrip();
        return;
    }
    if (date.year() != year) {
        dialogs.message(kWrongYear);
        cancelTrip();
        return;
    }
    t.setValue(kMonth, date.month());
    t.setValue(kYear, date.year());

    const qint64 start = t.asInteger(kStart);
    const qint64 km = byFinalReading ? t.asInteger(kEnd) - start : t.asInteger(kKm);
    if (km < 0) {
        // Nothing typed is lost: the trip stays pending to be put right.
        dialogs.messageBox(byFinalReading ? kFinalBelowStart : kNegativeKm, kError);
        return;
    }
    using limits::Quantity;
    const QString beyond = limits::refusal({{Quantity::Rate, rate},
                                            {Quantity::Odometer, double(start)},
                                            {Quantity::Distance, double(km)},
                                            {Quantity::Odometer, double(start + km)}});
    if (!beyond.isEmpty()) {
        dialogs.messageBox(beyond, kError); // the trip stays pending to be put right
        return;
    }
    t.setValue(kKm, km);
    t.setValue(kEnd, start + km);
    t.setValue(kRate, rate);
    t.setValue(kValue, trips::amount(rate, km));

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
    SumyPrzejazdow(WybranyMiesiac());
    updateVehicleOdometer();
    t.locate(kNrKol, {saved});
}

void TEwidencja_przejazdow::AnulujPrzejazdClick() {
    runAction(m_forms.context.dialogs, [&] { cancelTrip(); });
}

void TEwidencja_przejazdow::UsunPrzejazdClick() {
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
        const int year = t.isNull(kYear) ? selectedYear() : int(t.asInteger(kYear));
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
        SumyPrzejazdow(WybranyMiesiac());
        if (t.recordCount() > 0)
            t.moveTo(std::min(row, t.recordCount() - 1));
        updateVehicleOdometer();
    });
}

void TEwidencja_przejazdow::UsunNiepoprwaneRekordyClick() {
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

int TEwidencja_przejazdow::deleteInvalidTrips() {
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
            EveryTrip all(t, TablePojazdy);

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
        SumyPrzejazdow(WybranyMiesiac());
        updateVehicleOdometer();
    }
    return count;
}

// ---------------------------------------------------------------- boxes, picker and grid

void TEwidencja_przejazdow::RadioGroup1CoPodajemyClick() {
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

void TEwidencja_przejazdow::showTripAmountPreview() {
    Table& t = *TablePrzejazdy;
    if (!t.isActive() || !t.isEditing())
        return;
    const QString rateText = m_ui->DBStawka_km->text();
    const QString kmText = m_ui->DBIloscKm->text();
    const double rate = numbers::isNumber(rateText) ? numbers::parse(rateText) : t.asFloat(kRate);
    const qint64 km = numbers::isInteger(kmText) ? numbers::parseInteger(kmText) : t.asInteger(kKm);
    m_ui->DBWartoscPrzejazdu->setText(numbers::general(rate * double(km)));
}

void TEwidencja_przejazdow::DBIloscKmClick() {
    runAction(m_forms.context.dialogs, [&] { showTripAmountPreview(); });
}

void TEwidencja_przejazdow::DBIloscKmExit() {
    runAction(m_forms.context.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (!t.isActive() || t.state() != Table::State::Edit || !isVisible() || !onTripsTab())
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

void TEwidencja_przejazdow::DataPrzejazduChange() {
    runAction(m_forms.context.dialogs, [&] {
        Table& t = *TablePrzejazdy;
        if (t.isActive() && t.state() == Table::State::Browse && !t.isEmpty() && !t.isBrowseOnly())
            t.edit();
    });
}

void TEwidencja_przejazdow::DBGridPrzejazdyCellClick() {
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
