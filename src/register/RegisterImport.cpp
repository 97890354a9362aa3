#include "RegisterImport.h"

#include "RegisterExport.h"

#include "calc/SaveChecks.h"
#include "calc/TripCalc.h"
#include "calc/VehicleRows.h"
#include "common/Csv.h"
#include "common/Error.h"
#include "common/Money.h"
#include "common/Months.h"
#include "common/Numbers.h"
#include "store/DataTable.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Tables.h"

#include <QHash>

#include <cmath>

namespace tarlok::registerimport {

namespace {

namespace P = fields::pojazdy;
namespace J = fields::przejazdy;
namespace K = fields::koszty;

// A line refused, with the reason shown beside its number.
struct Refused {
    QString reason;
};

QString normalisedRegistration(const QString& text) {
    QString out;
    for (const QChar c : text) {
        if (!c.isSpace())
            out += c.toUpper();
    }
    return out;
}

bool sameAmount(double a, double b) {
    return std::fabs(a - b) < 0.005;
}

// The columns of the file by the export's field names, found by their header titles.
class Columns {
public:
    Columns(const QStringList& header, const std::vector<registerexport::Column>& columns) {
        for (int i = 0; i < header.size(); ++i) {
            const QString title = header[i].trimmed();
            if (title.compare(kRegistrationColumn, Qt::CaseInsensitive) == 0)
                m_registration = i;
            for (const registerexport::Column& c : columns) {
                if (title.compare(c.title, Qt::CaseInsensitive) == 0)
                    m_byField.insert(c.field, i);
            }
        }
        for (const registerexport::Column& c : columns)
            m_titles.insert(c.field, c.title);
        m_count = int(header.size());
    }

    bool has(const QString& field) const { return m_byField.contains(field); }
    bool hasRegistration() const { return m_registration >= 0; }
    QString title(const QString& field) const { return m_titles.value(field); }
    int count() const { return m_count; }

    // The trimmed text of a field of a row; empty without the column.
    QString text(const QStringList& row, const QString& field) const {
        const int i = m_byField.value(field, -1);
        return i >= 0 && i < row.size() ? row[i].trimmed() : QString();
    }
    QString registration(const QStringList& row) const {
        return m_registration >= 0 && m_registration < row.size() ? row[m_registration].trimmed() : QString();
    }

    // A number of the row; none when its field is empty. Refused when it is no number.
    std::optional<double> number(const QStringList& row, const QString& field) const {
        const QString t = text(row, field);
        if (t.isEmpty())
            return std::nullopt;
        try {
            return numbers::parse(t);
        } catch (const ConversionError& e) {
            throw Refused{QStringLiteral("%1: %2").arg(title(field), e.text())};
        }
    }
    std::optional<qint64> integer(const QStringList& row, const QString& field) const {
        const QString t = text(row, field);
        if (t.isEmpty())
            return std::nullopt;
        try {
            return numbers::parseInteger(t);
        } catch (const ConversionError& e) {
            throw Refused{QStringLiteral("%1: %2").arg(title(field), e.text())};
        }
    }
    // A text that must be there and fit its field of `def`.
    QString required(const QStringList& row, const QString& field, const TableDef& def) const {
        const QString t = optional(row, field, def);
        if (t.isEmpty())
            throw Refused{QStringLiteral("Brak wartości w kolumnie \"%1\"").arg(title(field))};
        return t;
    }
    QString optional(const QStringList& row, const QString& field, const TableDef& def) const {
        const QString t = text(row, field);
        const FieldDef* f = def.field(field);
        if (f && f->size > 0 && t.size() > f->size)
            throw Refused{QStringLiteral("%1: tekst dłuższy niż %2 znaków").arg(title(field)).arg(f->size)};
        return t;
    }

private:
    QHash<QString, int> m_byField;
    QHash<QString, QString> m_titles;
    int m_registration = -1;
    int m_count = 0;
};

// The vehicle of a line: by its registration, or the register's vehicle.
const Vehicle& vehicleOf(const Columns& columns, const QStringList& row, const Known& known) {
    const Vehicle* found = nullptr;
    if (columns.hasRegistration()) {
        const QString registration = columns.registration(row);
        if (registration.isEmpty())
            throw Refused{QStringLiteral("Brak numeru rejestracyjnego pojazdu")};
        const QString wanted = normalisedRegistration(registration);
        for (const Vehicle& v : known.vehicles) {
            if (normalisedRegistration(v.registration) == wanted) {
                found = &v;
                break;
            }
        }
        if (!found)
            throw Refused{QStringLiteral("Nieznany pojazd \"%1\" - wprowadź go najpierw w formatce POJAZDY")
                              .arg(registration)};
    } else {
        for (const Vehicle& v : known.vehicles) {
            if (known.current && v.number == *known.current)
                found = &v;
        }
        if (!found)
            throw Refused{trips::noVehicleText()};
    }
    if (!found->inUse)
        throw Refused{
            QStringLiteral("Pojazd %1 nie jest zaznaczony jako \"Używany\" - zaznacz w formatce Pojazdów")
                .arg(found->registration)};
    return *found;
}

// The date of a line, in an opened period.
QDate dateOf(const Columns& columns, const QStringList& row, const Known& known) {
    const QString text = columns.text(row, J::Data);
    if (text.isEmpty())
        throw Refused{QStringLiteral("Brak daty")};
    QDate date;
    try {
        date = numbers::parseDate(text);
    } catch (const ConversionError& e) {
        throw Refused{QStringLiteral("%1: %2").arg(columns.title(J::Data), e.text())};
    }
    if (!known.periods.count({date.year(), date.month()}))
        throw Refused{
            QStringLiteral("Okres %1 %2 nie jest otwarty - dodaj go przyciskiem \"Dodaj nowy okres\"")
                .arg(months::name(date.month()))
                .arg(date.year())};
    return date;
}

void checkTrip(const Columns& c, const QStringList& row, const Known& known, Line& line) {
    const TableDef& def = tables::przejazdy();
    line.vehicle = &vehicleOf(c, row, known);
    line.date = dateOf(c, row, known);
    Trip& trip = line.trip;
    trip.route = c.required(row, J::Trasa, def);
    trip.purpose = c.required(row, J::Cel_Wyj, def);
    trip.firstName = c.optional(row, J::Imie, def);
    trip.lastName = c.optional(row, J::Nazwisko, def);
    std::optional<qint64> start = c.integer(row, J::StanLicznikaPrzed);
    const std::optional<qint64> end = c.integer(row, J::StanLicznikaPo);
    const std::optional<qint64> km = c.integer(row, J::Kilometry);
    const std::optional<double> rate = c.number(row, J::Stawka);
    const std::optional<double> value = c.number(row, J::Wartosc);

    // "Co podajemy": the final reading when the line has one, else the kilometres.
    trips::TripEntry entry;
    entry.byFinalReading = end.has_value();
    if (end && !start && km)
        start = *end - *km;
    if (!start)
        throw Refused{
            QStringLiteral("Brak stanu licznika w kolumnie \"%1\"").arg(c.title(J::StanLicznikaPrzed))};
    if (!end && !km)
        throw Refused{QStringLiteral("Brak kilometrów i stanu licznika końcowego")};
    if (end && km && *km != *end - *start)
        throw Refused{QStringLiteral("Km (%1) nie zgadzają się ze stanami licznika (%2 - %3)")
                          .arg(*km)
                          .arg(*start)
                          .arg(*end)};
    entry.route = trip.route;
    entry.purpose = trip.purpose;
    entry.start = start;
    entry.finalReading = end.value_or(0);
    entry.km = km.value_or(0);
    entry.date = line.date;
    entry.rate = rate ? *rate : line.vehicle->capacity > 900 ? known.rateAbove900 : known.rateUpTo900;
    entry.hasVehicle = true;
    entry.periodYear = line.date.year();
    entry.periodMonth = line.date.month();
    if (const auto refusal = trips::entryRefusal(entry))
        throw Refused{refusal->message};

    trip.start = *start;
    trip.km = trips::distance(entry);
    trip.end = trip.start + trip.km;
    trip.rate = entry.rate;
    trip.value = trips::amount(trip.rate, trip.km);
    if (value && !sameAmount(*value, trip.value))
        throw Refused{QStringLiteral("Wartość %1 nie zgadza się ze stawką i kilometrami (%2)")
                          .arg(numbers::pattern(*value, QStringLiteral("0.00")),
                               numbers::pattern(trip.value, QStringLiteral("0.00")))};
}

void checkCost(const Columns& c, const QStringList& row, const Known& known, Line& line) {
    const TableDef& def = tables::koszty();
    line.vehicle = &vehicleOf(c, row, known);
    line.date = dateOf(c, row, known);
    Cost& cost = line.cost;
    cost.document = c.required(row, K::Nr_Rachunku, def);
    cost.kind = c.required(row, K::Rodzaj_Wyd, def);
    const std::optional<double> value = c.number(row, K::Wartosc);
    if (!value || *value == 0.0)
        throw Refused{QStringLiteral("Brak wartości kosztu")};
    cost.vatRate = c.integer(row, K::Pom3);
    const std::optional<double> counted = c.number(row, K::Pom2);
    cost.litres = c.number(row, K::IloscPaliwa);
    cost.fuel = cost.litres.has_value() || known.fuelKinds.contains(cost.kind.toLower());

    costs::CostEntry entry;
    entry.date = line.date;
    entry.documentNumber = cost.document;
    entry.kind = cost.kind;
    entry.fuel = cost.fuel;
    entry.rate = cost.vatRate;
    if (cost.vatRate) {
        if (*cost.vatRate < 0 || *cost.vatRate > 100)
            throw Refused{
                QStringLiteral("%1: stawka VAT musi być liczbą całkowitą od 0 do 100").arg(c.title(K::Pom3))};
        if (!counted)
            throw Refused{QStringLiteral("Brak VAT-u zaliczonego w kolumnie \"%1\"").arg(c.title(K::Pom2))};
        // The share of the VAT counted into costs that gives the line's amounts, as typed in manual mode.
        const double net = ZaokraglijDoGroszy(*value - *counted);
        const double fullVat = net * double(*cost.vatRate) / 100.0;
        const long long percent = fullVat == 0.0 ? 0 : std::llround(*counted / fullVat * 100.0);
        entry.net = net;
        entry.manual = true;
        entry.percentText = QString::number(percent);
    } else {
        if (counted && *counted != 0.0)
            throw Refused{
                QStringLiteral("VAT zaliczony bez stawki VAT w kolumnie \"%1\"").arg(c.title(K::Pom3))};
        entry.net = *value;
    }
    costs::CostSave saved;
    try {
        saved = costs::checkCost(entry);
    } catch (const ConversionError& e) {
        throw Refused{e.text()};
    }
    if (saved.refusal)
        throw Refused{saved.refusal->message};
    if (saved.split &&
        (!sameAmount(saved.split->value, *value) || !sameAmount(saved.split->counted, *counted)))
        throw Refused{
            QStringLiteral("VAT zaliczony %1 nie jest całkowitym procentem (od 0 do 100) VAT-u %2% od "
                           "kwoty netto %3")
                .arg(numbers::pattern(*counted, QStringLiteral("0.00")))
                .arg(*cost.vatRate)
                .arg(numbers::pattern(*entry.net, QStringLiteral("0.00")))};
    cost.split = saved.split;
    cost.value = saved.value;
}

} // namespace

int Preview::count(Verdict verdict) const {
    int n = 0;
    for (const Line& line : lines)
        n += line.verdict == verdict ? 1 : 0;
    return n;
}

int Preview::taken() const {
    int n = 0;
    for (const Line& line : lines)
        n += line.take ? 1 : 0;
    return n;
}

Preview check(What what, const QString& text, const Known& known) {
    Preview preview;
    preview.what = what;
    const QList<csv::Record> records = csv::parse(text);
    if (records.isEmpty()) {
        preview.fileError = QStringLiteral("Plik jest pusty");
        return preview;
    }
    const csv::Record& head = records.first();
    if (!head.error.isEmpty()) {
        preview.fileError = QStringLiteral("Wiersz nagłówka: %1").arg(head.error);
        return preview;
    }
    const std::vector<registerexport::Column>& exported =
        what == What::Trips ? registerexport::tripColumns() : registerexport::costColumns();
    const Columns columns(head.fields, exported);
    const QStringList required = what == What::Trips
                                     ? QStringList{J::Data, J::Trasa, J::Cel_Wyj, J::Kilometry}
                                     : QStringList{K::Data, K::Nr_Rachunku, K::Rodzaj_Wyd, K::Wartosc};
    for (const QString& field : required) {
        if (!columns.has(field)) {
            preview.fileError =
                QStringLiteral("W pierwszym wierszu pliku brak kolumny \"%1\"").arg(columns.title(field));
            return preview;
        }
    }
    for (qsizetype r = 1; r < records.size(); ++r) {
        const csv::Record& record = records[r];
        Line line;
        line.number = record.line;
        try {
            if (!record.error.isEmpty())
                throw Refused{QStringLiteral("Błąd zapisu pliku: %1").arg(record.error)};
            for (qsizetype f = columns.count(); f < record.fields.size(); ++f) {
                if (!record.fields[f].trimmed().isEmpty())
                    throw Refused{
                        QStringLiteral("Wiersz ma więcej pól niż nagłówek (%1)").arg(columns.count())};
            }
            if (what == What::Trips)
                checkTrip(columns, record.fields, known, line);
            else
                checkCost(columns, record.fields, known, line);
            line.verdict = Verdict::Accepted;
            line.take = true;
        } catch (const Refused& refused) {
            line.verdict = Verdict::Refused;
            line.reason = refused.reason;
            line.take = false;
        }
        preview.lines.push_back(line);
    }
    return preview;
}

QString tripKey(qint64 vehicle, const QDate& date, const QString& route, qint64 km) {
    return QStringLiteral("%1|%2|%3|%4")
        .arg(vehicle)
        .arg(date.toString(Qt::ISODate), route.trimmed())
        .arg(km);
}

QString costKey(qint64 vehicle, const QDate& date, const QString& document, double value) {
    return QStringLiteral("%1|%2|%3|%4")
        .arg(vehicle)
        .arg(date.toString(Qt::ISODate), document.trimmed())
        .arg(std::llround(value * 100.0));
}

void markDuplicates(Preview& preview, const QSet<QString>& stored) {
    for (Line& line : preview.lines) {
        if (line.verdict != Verdict::Accepted)
            continue;
        const QString key =
            preview.what == What::Trips
                ? tripKey(line.vehicle->number, line.date, line.trip.route, line.trip.km)
                : costKey(line.vehicle->number, line.date, line.cost.document, line.cost.value);
        if (stored.contains(key)) {
            line.verdict = Verdict::Duplicate;
            line.take = false;
        }
    }
}

namespace {

bool exists(Database& database, const QString& file) {
    return database.tableExists(QString::fromLatin1(Database::kAlias), file);
}

} // namespace

Known readKnown(Database& database, std::optional<qint64> currentVehicle) {
    Known known;
    known.current = currentVehicle;
    if (exists(database, tables::pojazdy().fileName())) {
        const auto cars = dataFolderTable(database, tables::pojazdy().fileName());
        cars->open();
        for (cars->first(); !cars->eof(); cars->next()) {
            if (cars->isNull(P::NrKol_Pojazdu))
                continue;
            known.vehicles.push_back({cars->asInteger(P::NrKol_Pojazdu), cars->asString(P::Nr_rej).trimmed(),
                                      cars->asString(P::Nazwa_Poj), cars->asBool(P::Uzywany),
                                      cars->asInteger(P::Pojemnosc)});
        }
    }
    if (exists(database, tables::okresy().fileName())) {
        const auto periods = dataFolderTable(database, tables::okresy().fileName());
        periods->open();
        namespace O = fields::okresy;
        for (periods->first(); !periods->eof(); periods->next()) {
            if (!periods->isNull(O::Rok) && !periods->isNull(O::Miesiac))
                known.periods.insert({int(periods->asInteger(O::Rok)), int(periods->asInteger(O::Miesiac))});
        }
    }
    if (exists(database, tables::wydatki().fileName())) {
        const auto kinds = dataFolderTable(database, tables::wydatki().fileName());
        kinds->open();
        namespace W = fields::wydatki;
        for (kinds->first(); !kinds->eof(); kinds->next()) {
            if (kinds->asBool(W::CzyPaliwo))
                known.fuelKinds.insert(kinds->asString(W::Wydatek).trimmed().toLower());
        }
    }
    return known;
}

QSet<QString> storedKeys(Database& database, const Preview& preview) {
    std::set<qint64> vehicles;
    QDate from;
    QDate to;
    for (const Line& line : preview.lines) {
        if (line.verdict == Verdict::Refused)
            continue;
        vehicles.insert(line.vehicle->number);
        from = from.isValid() ? std::min(from, line.date) : line.date;
        to = to.isValid() ? std::max(to, line.date) : line.date;
    }
    QSet<QString> keys;
    const bool trips = preview.what == What::Trips;
    const QString file = trips ? tables::przejazdy().fileName() : tables::koszty().fileName();
    for (qint64 vehicle : vehicles) {
        const VehicleRows rows(database, file, indexes::NrKol_Pojazdu_DataInd, vehicle);
        Table* t = rows.table();
        if (!t)
            continue;
        const int date = t->fieldIndex(J::Data);
        const int text = t->fieldIndex(trips ? J::Trasa : K::Nr_Rachunku);
        const int amount = t->fieldIndex(trips ? J::Kilometry : K::Wartosc);
        for (int i = 0; i < t->rangeCount(); ++i) {
            const Record r = t->rangeRecord(i);
            const QDate d = r.value(date).toDate();
            if (!d.isValid() || d < from || d > to)
                continue;
            keys.insert(trips ? tripKey(vehicle, d, r.value(text).toString(), r.value(amount).toLongLong())
                              : costKey(vehicle, d, r.value(text).toString(), r.value(amount).toDouble()));
        }
    }
    return keys;
}

std::set<std::pair<qint64, int>> store(Database& database, const Preview& preview,
                                       const std::function<void(qint64, int)>& recompute,
                                       const std::function<void(int)>& stored) {
    const bool trips = preview.what == What::Trips;
    const auto t =
        dataFolderTable(database, trips ? tables::przejazdy().fileName() : tables::koszty().fileName());
    t->open();
    std::set<std::pair<qint64, int>> touched;
    int written = 0;
    const auto set = [&](const QString& field, const QVariant& value) {
        if (t->hasField(field))
            t->setValue(field, value);
    };
    Transaction tx(*t);
    for (const Line& line : preview.lines) {
        if (!line.take)
            continue;
        t->append();
        set(J::NrKol_Pojazdu, line.vehicle->number);
        set(J::Pojazd, line.vehicle->name);
        set(J::Data, line.date);
        set(J::Rok, line.date.year());
        set(J::Miesiac, line.date.month());
        if (trips) {
            const Trip& trip = line.trip;
            set(J::Trasa, trip.route);
            set(J::Cel_Wyj, trip.purpose);
            set(J::Kilometry, trip.km);
            set(J::StanLicznikaPrzed, trip.start);
            set(J::StanLicznikaPo, trip.end);
            set(J::Stawka, trip.rate);
            set(J::Wartosc, trip.value);
            if (!trip.firstName.isEmpty())
                set(J::Imie, trip.firstName);
            if (!trip.lastName.isEmpty())
                set(J::Nazwisko, trip.lastName);
        } else {
            const Cost& cost = line.cost;
            set(K::Nr_Rachunku, cost.document);
            set(K::Rodzaj_Wyd, cost.kind);
            set(K::CzyPaliwo, cost.fuel);
            if (cost.litres)
                set(K::IloscPaliwa, *cost.litres);
            if (cost.vatRate)
                set(K::Pom3, *cost.vatRate);
            if (const auto& split = cost.split) {
                set(K::WartBrutto, split->gross);
                set(K::VatProcent, *cost.vatRate);
                set(K::VatZaliczonyProcent, split->countedPercent);
                set(K::VatWartosc, split->fullVat);
                set(K::VatZaliczony, split->counted);
                set(K::VatNieZaliczony, split->notCounted);
                set(K::Pom2, split->counted);
            }
            set(K::Wartosc, cost.value);
        }
        t->post();
        touched.insert({line.vehicle->number, line.date.year()});
        if (stored)
            stored(++written);
    }
    for (const auto& [vehicle, year] : touched)
        recompute(vehicle, year);
    tx.commit();
    return touched;
}

void updateOdometers(Database& database, const std::set<qint64>& vehicles) {
    if (vehicles.empty() || !exists(database, tables::pojazdy().fileName()))
        return;
    std::vector<std::pair<qint64, qint64>> readings;
    for (qint64 vehicle : vehicles) {
        if (const auto reading = latestFinalReading(database, vehicle))
            readings.emplace_back(vehicle, *reading);
    }
    const auto cars = dataFolderTable(database, tables::pojazdy().fileName());
    cars->open();
    if (!cars->hasField(P::StanAktLicznika))
        return;
    Transaction tx(*cars);
    for (const auto& [vehicle, reading] : readings) {
        if (!cars->locate(P::NrKol_Pojazdu, {vehicle}))
            continue;
        if (!cars->isNull(P::StanAktLicznika) && cars->asInteger(P::StanAktLicznika) == reading)
            continue;
        cars->edit();
        cars->setValue(P::StanAktLicznika, reading);
        cars->post();
    }
    tx.commit();
}

} // namespace tarlok::registerimport
