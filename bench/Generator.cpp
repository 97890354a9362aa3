#include "Generator.h"

#include "app/Application.h"
#include "common/Money.h"
#include "common/Months.h"
#include "common/Paths.h"
#include "core/AppContext.h"
#include "platform/Clock.h"
#include "platform/Help.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "store/Database.h"
#include "store/Table.h"

#include <QVariantMap>

namespace tarlok::bench {

namespace {

// A deterministic spread of values.
quint32 mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

void put(Table& t, const QVariantMap& values) {
    t.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        t.setValue(it.key(), it.value());
    t.post();
}

Table& opened(Table& t, const QString& name) {
    t.setTableName(name);
    t.open();
    return t;
}

} // namespace

QDate benchDay(const GeneratorOptions& options) {
    return QDate(options.lastYear, 12, 15);
}

void generate(const QString& drive, const GeneratorOptions& o) {
    // The program's own start-up makes the tables of a new installation.
    {
        FixedClock clock(QDateTime(benchDay(o), QTime(9, 0)));
        ScriptedDialogs dialogs;
        RecordingHelp help;
        RecordingShell shell;
        Database database;
        AppContext context{clock, dialogs, help, shell, database, drive, {}};
        Application application(context);
        application.start();
    }
    Database db(paths::resolve(drive, QString::fromLatin1(paths::kDataFolder)));
    const double rateLow = 0.5214;
    const double rateHigh = 0.8358;
    const int firstYear = o.lastYear - o.years + 1;

    Table rates(db);
    put(opened(rates, "Stawki.db"), {{"Data", benchDay(o)},
                                     {"Stawka_do_900", rateLow},
                                     {"Stawka_po_900", rateHigh},
                                     {"Stawka_inna", 0.2302},
                                     {"Pom2", 300.0}});
    Table periods(db);
    opened(periods, "Okresy.db");
    {
        Transaction tx(periods);
        for (int y = firstYear; y <= o.lastYear; ++y)
            for (int m = 1; m <= 12; ++m)
                put(periods, {{"Rok", y}, {"Miesiac", m}, {"Data", QDate(y, m, 15)}});
        tx.commit();
    }
    Table kinds(db);
    opened(kinds, "Wydatki.db");
    for (const auto& [name, fuel, vat] :
         {std::tuple{"Paliwo", true, 23}, std::tuple{"Myjnia", false, 23}, std::tuple{"Serwis", false, 23},
          std::tuple{"Ubezpieczenie", false, 0}, std::tuple{"Parking", false, 8}})
        put(kinds, {{"Data", QDateTime(benchDay(o), QTime(9, 0))},
                    {"Wydatek", name},
                    {"CzyPaliwo", fuel},
                    {"Pom3", vat}});
    Table routes(db);
    opened(routes, "Trasy.db");
    Table purposes(db);
    opened(purposes, "Cel_Wyj.db");
    for (int i = 1; i <= 20; ++i) {
        put(routes, {{"Trasa", QStringLiteral("Kraków - Miejscowość %1 - Kraków").arg(i)},
                     {"Kilometry", 10 + i * 7}});
        put(purposes,
            {{"Cel_Wyjazdu", QStringLiteral("Spotkanie z klientem nr %1").arg(i)}, {"Pom1", "Sprzedaż"}});
    }

    Table vehicles(db);
    opened(vehicles, "Pojazdy.db");
    Table trips(db);
    opened(trips, "Przejazdy.db");
    Table costs(db);
    opened(costs, "Koszty.db");
    for (int v = 1; v <= o.vehicles; ++v) {
        const int capacity = v % 2 ? 1598 : 899;
        const double rate = capacity > 900 ? rateHigh : rateLow;
        const QString name = QStringLiteral("Auto%1").arg(v);
        qint64 odometer = 10000 + v * 1000;
        const qint64 start = odometer;
        {
            Transaction tx(trips);
            for (int y = firstYear; y <= o.lastYear; ++y) {
                double yearValue = 0;
                qint64 yearKm = 0;
                for (int m = 1; m <= 12; ++m) {
                    const int days = months::daysInMonth(y, m);
                    std::vector<std::pair<qint64, double>> month;
                    for (int i = 0; i < o.tripsPerMonth; ++i) {
                        const quint32 r = mix(quint32(v * 1000003 + y * 1009 + m * 101 + i));
                        const qint64 km = 5 + r % 140;
                        month.emplace_back(km, ZaokraglijDoGroszy(rate * double(km)));
                    }
                    qint64 monthKm = 0;
                    double monthValue = 0;
                    for (const auto& [km, value] : month) {
                        monthKm += km;
                        monthValue += value;
                    }
                    qint64 runningKm = 0;
                    double runningValue = 0;
                    for (int i = 0; i < o.tripsPerMonth; ++i) {
                        const auto [km, value] = month[size_t(i)];
                        runningKm += km;
                        runningValue += value;
                        yearKm += km;
                        yearValue += value;
                        QVariantMap row{{"NrKol_Pojazdu", v},
                                        {"Rok", y},
                                        {"Miesiac", m},
                                        {"Data", QDate(y, m, 1 + i * days / o.tripsPerMonth)},
                                        {"Pojazd", name},
                                        {"Trasa", QStringLiteral("Kraków - Miejscowość %1").arg(i % 20)},
                                        {"Cel_Wyj", "Spotkanie z klientem"},
                                        {"Kilometry", km},
                                        {"Kilometry_Narastajaca", runningKm},
                                        {"Kilometry_NarastajacaRok", yearKm},
                                        {"KilometrySuma", monthKm},
                                        {"Stawka", rate},
                                        {"Wartosc", value},
                                        {"Wartosc_Narastajaco", runningValue},
                                        {"Wartosc_NarastajacoRok", yearValue},
                                        {"WartoscSuma", monthValue},
                                        {"Imie", "Jan"},
                                        {"Nazwisko", "Kowalski"},
                                        {"StanLicznikaPrzed", odometer},
                                        {"StanLicznikaPo", odometer + km}};
                        if (i == o.tripsPerMonth - 1)
                            row.insert("IloscPrzejKilometrow", monthKm);
                        odometer += km;
                        put(trips, row);
                    }
                }
            }
            tx.commit();
        }
        {
            Transaction tx(costs);
            for (int y = firstYear; y <= o.lastYear; ++y) {
                double yearValue = 0;
                for (int m = 1; m <= 12; ++m) {
                    struct Cost {
                        double net, value, vz, vnz, gross, litres;
                        bool fuel;
                        qint64 km;
                    };
                    std::vector<Cost> month;
                    for (int i = 0; i < o.costsPerMonth; ++i) {
                        const quint32 r = mix(quint32(v * 7919 + y * 31 + m * 7 + i * 104729));
                        Cost c{};
                        c.net = double(5000 + r % 45000) / 100.0;
                        const double vat = c.net * 23 / 100;
                        c.vz = ZaokraglijDoGroszy(vat * 0.5);
                        c.vnz = ZaokraglijDoGroszy(vat - c.vz);
                        c.value = ZaokraglijDoGroszy(c.net + c.vz);
                        c.gross = ZaokraglijDoGroszy(c.net + vat);
                        c.fuel = i % 3 == 0;
                        c.litres = c.fuel ? double(30 + r % 21) : 0.0;
                        c.km = c.fuel ? qint64(400 + r % 300) : 0;
                        month.push_back(c);
                    }
                    double monthValue = 0;
                    double fuelValue = 0;
                    double fuelLitres = 0;
                    for (const Cost& c : month) {
                        monthValue += c.value;
                        if (c.fuel) {
                            fuelValue += c.value;
                            fuelLitres += c.litres;
                        }
                    }
                    const int days = months::daysInMonth(y, m);
                    double running = 0;
                    for (int i = 0; i < o.costsPerMonth; ++i) {
                        const Cost& c = month[size_t(i)];
                        running += c.value;
                        yearValue += c.value;
                        QVariantMap row{
                            {"NrKol_Pojazdu", v},
                            {"Rok", y},
                            {"Miesiac", m},
                            {"Data", QDate(y, m, 1 + i * days / o.costsPerMonth)},
                            {"Pojazd", name},
                            {"Nr_Rachunku", QStringLiteral("FV %1/%2/%3").arg(i + 1).arg(m).arg(y)},
                            {"Rodzaj_Wyd", c.fuel ? "Paliwo" : "Serwis"},
                            {"Wartosc", c.value},
                            {"Wartosc_Narastajaca", running},
                            {"Wartosc_NarastajacaRok", yearValue},
                            {"WartoscSuma", monthValue},
                            {"SumaWartPaliwo", fuelValue},
                            {"SumaIloscPaliwo", fuelLitres},
                            {"CzyPaliwo", c.fuel},
                            {"Pom2", c.vz},
                            {"Pom3", 23},
                            {"VatProcent", 23},
                            {"VatZaliczonyProcent", 50},
                            {"VatNieZaliczony", c.vnz},
                            {"VatWartosc", c.net * 23 / 100},
                            {"VatZaliczony", c.vz},
                            {"WartBrutto", c.gross}};
                        if (c.fuel) {
                            row.insert("IloscPaliwa", c.litres);
                            row.insert("Pom1", QString::number(c.km));
                            row.insert("IloscPrzejKilometrow", c.km);
                        }
                        put(costs, row);
                    }
                }
            }
            tx.commit();
        }
        put(vehicles, {{"NrKol_Pojazdu", v},
                       {"Data", benchDay(o)},
                       {"Nazwa_Poj", name},
                       {"Marka_Poj", v % 3 ? "Skoda" : "Opel"},
                       {"Nr_rej", QStringLiteral("KR %1").arg(10000 + v)},
                       {"Dane_Poj_Wszystko", QStringLiteral("KR %1 %2 %3 poj. %4")
                                                 .arg(10000 + v)
                                                 .arg(v % 3 ? "Skoda" : "Opel", name)
                                                 .arg(capacity)},
                       {"Wlasciciel", "Firma Przykładowa"},
                       {"Pojemnosc", capacity},
                       {"Pojazd_Wlasc", v % 4 == 0},
                       {"Uzywany", true},
                       {"StanPoczLIcznika", start},
                       {"StanAktLicznika", odometer}});
    }
    generateDeadlines(drive, o);
}

void generateDeadlines(const QString& drive, const GeneratorOptions& o) {
    Database db(paths::resolve(drive, QString::fromLatin1(paths::kDataFolder)));
    Table deadlines(db);
    opened(deadlines, QStringLiteral("Terminy.db"));
    Transaction tx(deadlines);
    for (int v = 1; v <= o.vehicles; ++v) {
        for (int y = o.lastYear - o.years + 1; y <= o.lastYear; ++y) {
            const quint32 r = mix(quint32(v * 613 + y));
            const double oc = double(800 + r % 700);
            const double ac = double(1500 + r % 2000);
            const double tech = 98;
            const double repairs = double(r % 3000);
            put(deadlines, {{"NrKol_Pojazdu", v},
                            {"Rok", y},
                            {"SprawdzOC", true},
                            {"SprawdzAC", v % 2 == 0},
                            {"SprawdzPrzegTechniczny", true},
                            {"SprawdzTermNaprawy", r % 4 == 0},
                            {"TerminOC", QDate(y, 1 + int(r % 12), 10)},
                            {"Termin1", QDate(y, 1 + int((r + 6) % 12), 10)},
                            {"TerminAC", QDate(y, 1 + int(r % 12), 10)},
                            {"Termin2", QDate(y, 1 + int((r + 6) % 12), 10)},
                            {"TerminPrzegTechnicznego", QDate(y, 1 + int(r / 7 % 12), 20)},
                            {"TerminNaprawy", QDate(y, 1 + int(r / 11 % 12), 5)},
                            {"KosztOC", oc / 2},
                            {"Pom3", oc / 2},
                            {"KosztAC", ac},
                            {"Pom7", 0.0},
                            {"Pom4", 60},
                            {"KosztPrzegTech", tech},
                            {"KosztPrzegGwar", 0.0},
                            {"KosztNapraw", repairs},
                            {"KosztyCalkowite", oc + ac + 60 + tech + repairs},
                            {"InformujPrzed", 14},
                            {"InformujPo", 7},
                            {"KoniecInformacji", 10},
                            {"IloscKmDoInfPrzed", 500},
                            {"IloscKmDoInfPo", 300}});
        }
    }
    tx.commit();
}

} // namespace tarlok::bench
