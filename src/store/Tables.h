#pragma once

#include "TableDef.h"

#include <QString>
#include <QStringList>

#include <vector>

// The definitions of the program's thirteen tables: fields in physical order with type and width,
// indexes with names and options. Creation, the windows' field checks and the tests all use these.
namespace tarlok::tables {

const TableDef& pojazdy();    // vehicles
const TableDef& przejazdy();  // trips
const TableDef& koszty();     // costs
const TableDef& wydatki();    // expense kinds
const TableDef& celWyj();     // trip purposes
const TableDef& trasy();      // routes
const TableDef& stawki();     // per-kilometre rates
const TableDef& okresy();     // accounting periods
const TableDef& kierowcy();   // drivers
const TableDef& wlasciciel(); // owner and taxpayer
const TableDef& parametry();  // schema flags
const TableDef& terminy();    // deadlines
const TableDef& ryczalt();    // lump sums

// The eight tables of an installed data folder, created empty with their base fields on a new
// installation.
const std::vector<const TableDef*>& installed();
// All thirteen.
const std::vector<const TableDef*>& all();

} // namespace tarlok::tables

// The field names of the thirteen tables, one namespace per table, exactly as the definitions spell
// them: fields::przejazdy::Kilometry is "Kilometry". The definitions in Tables.cpp are built from these
// constants, so a definition and its constant cannot differ; `all` lists a table's names in the
// physical order of its fields.
//
// Each name is an `inline const QString` made by QStringLiteral: its text lives in the program's
// read-only data, so making it allocates nothing, and it is a QString wherever one is expected
// (Table::value(), QStringList, operator+, QVariant, QHash keys) with no conversion at each use. QString
// has no constexpr constructor in Qt 6.4, so the names cannot be constexpr; a constexpr
// QLatin1StringView could, but it would be converted to a new QString at every call that takes one.
// The names are initialised before main(), and before any namespace-scope variable of a file that
// includes this header (an inline variable is initialised before the variables defined after it).
// The name of the index that orders a vehicle's trips or costs by date (the order of entry within a
// date), in both files.
namespace tarlok::indexes {
inline const QString NrKol_Pojazdu_DataInd = QStringLiteral("NrKol_Pojazdu_DataInd");
} // namespace tarlok::indexes

namespace tarlok::fields {
// Pojazdy: vehicles
namespace pojazdy {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString NrKol_Pojazdu = QStringLiteral("NrKol_Pojazdu");
inline const QString Data = QStringLiteral("Data");
inline const QString Nazwa_Poj = QStringLiteral("Nazwa_Poj");
inline const QString Marka_Poj = QStringLiteral("Marka_Poj");
inline const QString Nr_rej = QStringLiteral("Nr_rej");
inline const QString Dane_Poj_Wszystko = QStringLiteral("Dane_Poj_Wszystko");
inline const QString Wlasciciel = QStringLiteral("Wlasciciel");
inline const QString Pojemnosc = QStringLiteral("Pojemnosc");
inline const QString Adr_Wlasciciela = QStringLiteral("Adr_Wlasciciela");
inline const QString Pojazd_Wlasc = QStringLiteral("Pojazd_Wlasc");
inline const QString Uzywany = QStringLiteral("Uzywany");
inline const QString Uwagi = QStringLiteral("Uwagi");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString ImiePodatnika = QStringLiteral("ImiePodatnika");
inline const QString NazwiskoPodatnika = QStringLiteral("NazwiskoPodatnika");
inline const QString StanPoczLIcznika = QStringLiteral("StanPoczLIcznika");
inline const QString StanAktLicznika = QStringLiteral("StanAktLicznika");
inline const QString StanLicznikaPo = QStringLiteral("StanLicznikaPo");
inline const QString CoIleKmSerwis = QStringLiteral("CoIleKmSerwis");
inline const QString DataOstSerwisu = QStringLiteral("DataOstSerwisu");
inline const QString IloscPrzejKilometrow = QStringLiteral("IloscPrzejKilometrow");
inline const QString IloscKmDoInfPrzed = QStringLiteral("IloscKmDoInfPrzed");
inline const QString IloscKmDoInfPo = QStringLiteral("IloscKmDoInfPo");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString pom13 = QStringLiteral("pom13");
inline const QStringList all = {NrKol,
                                NrKol_Pojazdu,
                                Data,
                                Nazwa_Poj,
                                Marka_Poj,
                                Nr_rej,
                                Dane_Poj_Wszystko,
                                Wlasciciel,
                                Pojemnosc,
                                Adr_Wlasciciela,
                                Pojazd_Wlasc,
                                Uzywany,
                                Uwagi,
                                Pom1,
                                Pom2,
                                Pom3,
                                ImiePodatnika,
                                NazwiskoPodatnika,
                                StanPoczLIcznika,
                                StanAktLicznika,
                                StanLicznikaPo,
                                CoIleKmSerwis,
                                DataOstSerwisu,
                                IloscPrzejKilometrow,
                                IloscKmDoInfPrzed,
                                IloscKmDoInfPo,
                                Pom4,
                                Pom5,
                                Pom6,
                                Pom7,
                                Pom8,
                                Pom9,
                                Pom10,
                                Pom11,
                                Pom12,
                                pom13};
} // namespace pojazdy

// Przejazdy: trips
namespace przejazdy {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString NrKol_Pojazdu = QStringLiteral("NrKol_Pojazdu");
inline const QString Rok = QStringLiteral("Rok");
inline const QString Miesiac = QStringLiteral("Miesiac");
inline const QString Data = QStringLiteral("Data");
inline const QString Pojazd = QStringLiteral("Pojazd");
inline const QString Trasa = QStringLiteral("Trasa");
inline const QString Cel_Wyj = QStringLiteral("Cel_Wyj");
inline const QString Kilometry = QStringLiteral("Kilometry");
inline const QString Kilometry_Narastajaca = QStringLiteral("Kilometry_Narastajaca");
inline const QString Kilometry_NarastajacaRok = QStringLiteral("Kilometry_NarastajacaRok");
inline const QString KilometrySuma = QStringLiteral("KilometrySuma");
inline const QString Stawka = QStringLiteral("Stawka");
inline const QString Wartosc = QStringLiteral("Wartosc");
inline const QString Wartosc_Narastajaco = QStringLiteral("Wartosc_Narastajaco");
inline const QString Wartosc_NarastajacoRok = QStringLiteral("Wartosc_NarastajacoRok");
inline const QString WartoscSuma = QStringLiteral("WartoscSuma");
inline const QString Uwagi = QStringLiteral("Uwagi");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Imie = QStringLiteral("Imie");
inline const QString Nazwisko = QStringLiteral("Nazwisko");
inline const QString StanLicznika = QStringLiteral("StanLicznika");
inline const QString IloscPrzejKilometrow = QStringLiteral("IloscPrzejKilometrow");
inline const QString StanLicznikaPrzed = QStringLiteral("StanLicznikaPrzed");
inline const QString StanLicznikaPo = QStringLiteral("StanLicznikaPo");
inline const QString StanLicznikaSerwis = QStringLiteral("StanLicznikaSerwis");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString pom13 = QStringLiteral("pom13");
inline const QStringList all = {NrKol,
                                NrKol_Pojazdu,
                                Rok,
                                Miesiac,
                                Data,
                                Pojazd,
                                Trasa,
                                Cel_Wyj,
                                Kilometry,
                                Kilometry_Narastajaca,
                                Kilometry_NarastajacaRok,
                                KilometrySuma,
                                Stawka,
                                Wartosc,
                                Wartosc_Narastajaco,
                                Wartosc_NarastajacoRok,
                                WartoscSuma,
                                Uwagi,
                                Pom1,
                                Pom2,
                                Pom3,
                                Imie,
                                Nazwisko,
                                StanLicznika,
                                IloscPrzejKilometrow,
                                StanLicznikaPrzed,
                                StanLicznikaPo,
                                StanLicznikaSerwis,
                                Pom4,
                                Pom5,
                                Pom6,
                                Pom7,
                                Pom8,
                                Pom9,
                                Pom10,
                                Pom11,
                                Pom12,
                                pom13};
} // namespace przejazdy

// Koszty: costs
namespace koszty {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString NrKol_Pojazdu = QStringLiteral("NrKol_Pojazdu");
inline const QString Rok = QStringLiteral("Rok");
inline const QString Miesiac = QStringLiteral("Miesiac");
inline const QString Data = QStringLiteral("Data");
inline const QString Pojazd = QStringLiteral("Pojazd");
inline const QString Nr_Rachunku = QStringLiteral("Nr_Rachunku");
inline const QString Rodzaj_Wyd = QStringLiteral("Rodzaj_Wyd");
inline const QString Wartosc = QStringLiteral("Wartosc");
inline const QString Wartosc_Narastajaca = QStringLiteral("Wartosc_Narastajaca");
inline const QString Wartosc_NarastajacaRok = QStringLiteral("Wartosc_NarastajacaRok");
inline const QString WartoscSuma = QStringLiteral("WartoscSuma");
inline const QString SumaWartPaliwo = QStringLiteral("SumaWartPaliwo");
inline const QString SumaIloscPaliwo = QStringLiteral("SumaIloscPaliwo");
inline const QString IloscPaliwa = QStringLiteral("IloscPaliwa");
inline const QString Wartosc_Zaliczona = QStringLiteral("Wartosc_Zaliczona");
inline const QString CzyPaliwo = QStringLiteral("CzyPaliwo");
inline const QString Uwagi = QStringLiteral("Uwagi");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Imie = QStringLiteral("Imie");
inline const QString Nazwisko = QStringLiteral("Nazwisko");
inline const QString StanLicznikaPrzed = QStringLiteral("StanLicznikaPrzed");
inline const QString StanLicznikaPo = QStringLiteral("StanLicznikaPo");
inline const QString StanLicznika = QStringLiteral("StanLicznika");
inline const QString VatProcent = QStringLiteral("VatProcent");
inline const QString VatZaliczonyProcent = QStringLiteral("VatZaliczonyProcent");
inline const QString VatNieZaliczony = QStringLiteral("VatNieZaliczony");
inline const QString VatWartosc = QStringLiteral("VatWartosc");
inline const QString VatZaliczony = QStringLiteral("VatZaliczony");
inline const QString VatSumaryczny = QStringLiteral("VatSumaryczny");
inline const QString IloscPrzejKilometrow = QStringLiteral("IloscPrzejKilometrow");
inline const QString WartBrutto = QStringLiteral("WartBrutto");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString pom13 = QStringLiteral("pom13");
inline const QStringList all = {NrKol,
                                NrKol_Pojazdu,
                                Rok,
                                Miesiac,
                                Data,
                                Pojazd,
                                Nr_Rachunku,
                                Rodzaj_Wyd,
                                Wartosc,
                                Wartosc_Narastajaca,
                                Wartosc_NarastajacaRok,
                                WartoscSuma,
                                SumaWartPaliwo,
                                SumaIloscPaliwo,
                                IloscPaliwa,
                                Wartosc_Zaliczona,
                                CzyPaliwo,
                                Uwagi,
                                Pom1,
                                Pom2,
                                Pom3,
                                Imie,
                                Nazwisko,
                                StanLicznikaPrzed,
                                StanLicznikaPo,
                                StanLicznika,
                                VatProcent,
                                VatZaliczonyProcent,
                                VatNieZaliczony,
                                VatWartosc,
                                VatZaliczony,
                                VatSumaryczny,
                                IloscPrzejKilometrow,
                                WartBrutto,
                                Pom4,
                                Pom5,
                                Pom6,
                                Pom7,
                                Pom8,
                                Pom9,
                                Pom10,
                                Pom11,
                                Pom12,
                                pom13};
} // namespace koszty

// Wydatki: expense kinds
namespace wydatki {
inline const QString Data = QStringLiteral("Data");
inline const QString Wydatek = QStringLiteral("Wydatek");
inline const QString CzyPaliwo = QStringLiteral("CzyPaliwo");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QStringList all = {Data, Wydatek, CzyPaliwo, Pom1, Pom2, Pom3};
} // namespace wydatki

// Cel_Wyj: trip purposes
namespace celWyj {
inline const QString Cel_Wyjazdu = QStringLiteral("Cel_Wyjazdu");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QStringList all = {Cel_Wyjazdu, Pom1, Pom2, Pom3};
} // namespace celWyj

// Trasy: routes
namespace trasy {
inline const QString Trasa = QStringLiteral("Trasa");
inline const QString Kilometry = QStringLiteral("Kilometry");
inline const QString Uwagi = QStringLiteral("Uwagi");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QStringList all = {Trasa, Kilometry, Uwagi, Pom1, Pom2, Pom3};
} // namespace trasy

// Stawki: per-kilometre rates
namespace stawki {
inline const QString Data = QStringLiteral("Data");
inline const QString Stawka_do_900 = QStringLiteral("Stawka_do_900");
inline const QString Stawka_po_900 = QStringLiteral("Stawka_po_900");
inline const QString Stawka_inna = QStringLiteral("Stawka_inna");
inline const QString Uwagi = QStringLiteral("Uwagi");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QStringList all = {Data, Stawka_do_900, Stawka_po_900, Stawka_inna, Uwagi, Pom1, Pom2, Pom3};
} // namespace stawki

// Okresy: accounting periods
namespace okresy {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString Rok = QStringLiteral("Rok");
inline const QString Miesiac = QStringLiteral("Miesiac");
inline const QString Data = QStringLiteral("Data");
inline const QString Koszty_Wartosc = QStringLiteral("Koszty_Wartosc");
inline const QString Przejazd_Wartosc = QStringLiteral("Przejazd_Wartosc");
inline const QString Przejazd_Kilometry = QStringLiteral("Przejazd_Kilometry");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QStringList all = {
    NrKol, Rok, Miesiac, Data, Koszty_Wartosc, Przejazd_Wartosc, Przejazd_Kilometry, Pom1, Pom2, Pom3};
} // namespace okresy

// Kierowcy: drivers
namespace kierowcy {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString NrKol_Pojazdu = QStringLiteral("NrKol_Pojazdu");
inline const QString DataPrzyjecia = QStringLiteral("DataPrzyjecia");
inline const QString DataZwolnienia = QStringLiteral("DataZwolnienia");
inline const QString Imie = QStringLiteral("Imie");
inline const QString Nazwisko = QStringLiteral("Nazwisko");
inline const QString IloscPrzejKm = QStringLiteral("IloscPrzejKm");
inline const QString ImieNazwisko = QStringLiteral("ImieNazwisko");
inline const QString Adres = QStringLiteral("Adres");
inline const QString Telefon = QStringLiteral("Telefon");
inline const QString mail = QStringLiteral("mail");
inline const QString Parametr1 = QStringLiteral("Parametr1");
inline const QString Parametr2 = QStringLiteral("Parametr2");
inline const QString Parametr3 = QStringLiteral("Parametr3");
inline const QString Parametr4 = QStringLiteral("Parametr4");
inline const QString Parametr5 = QStringLiteral("Parametr5");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString Pom13 = QStringLiteral("Pom13");
inline const QString Pom14 = QStringLiteral("Pom14");
inline const QString Pom15 = QStringLiteral("Pom15");
inline const QString Pom16 = QStringLiteral("Pom16");
inline const QStringList all = {
    NrKol, NrKol_Pojazdu, DataPrzyjecia, DataZwolnienia, Imie,      Nazwisko,  IloscPrzejKm, ImieNazwisko,
    Adres, Telefon,       mail,          Parametr1,      Parametr2, Parametr3, Parametr4,    Parametr5,
    Pom1,  Pom2,          Pom3,          Pom4,           Pom5,      Pom6,      Pom7,         Pom8,
    Pom9,  Pom10,         Pom11,         Pom12,          Pom13,     Pom14,     Pom15,        Pom16};
} // namespace kierowcy

// Wlasciciel: owner and taxpayer
namespace wlasciciel {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString Imie = QStringLiteral("Imie");
inline const QString Nazwisko = QStringLiteral("Nazwisko");
inline const QString DataPowstania = QStringLiteral("DataPowstania");
inline const QString NazwaFirmy = QStringLiteral("NazwaFirmy");
inline const QString NazwaFirmySkrot = QStringLiteral("NazwaFirmySkrot");
inline const QString AdresFirmy = QStringLiteral("AdresFirmy");
inline const QString Nip = QStringLiteral("Nip");
inline const QString Nip1 = QStringLiteral("Nip1");
inline const QString Regon = QStringLiteral("Regon");
inline const QString WWW = QStringLiteral("WWW");
inline const QString mail = QStringLiteral("mail");
inline const QString Fax = QStringLiteral("Fax");
inline const QString Telefon = QStringLiteral("Telefon");
inline const QString Telefon1 = QStringLiteral("Telefon1");
inline const QString mail1 = QStringLiteral("mail1");
inline const QString Bank = QStringLiteral("Bank");
inline const QString konto = QStringLiteral("konto");
inline const QString Bank1 = QStringLiteral("Bank1");
inline const QString Konto1 = QStringLiteral("Konto1");
inline const QString Parametr1 = QStringLiteral("Parametr1");
inline const QString Parametr2 = QStringLiteral("Parametr2");
inline const QString Parametr3 = QStringLiteral("Parametr3");
inline const QString Parametr4 = QStringLiteral("Parametr4");
inline const QString Parametr5 = QStringLiteral("Parametr5");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString Pom13 = QStringLiteral("Pom13");
inline const QString Pom14 = QStringLiteral("Pom14");
inline const QString Pom15 = QStringLiteral("Pom15");
inline const QString Pom16 = QStringLiteral("Pom16");
inline const QStringList all = {NrKol,      Imie,    Nazwisko,  DataPowstania, NazwaFirmy, NazwaFirmySkrot,
                                AdresFirmy, Nip,     Nip1,      Regon,         WWW,        mail,
                                Fax,        Telefon, Telefon1,  mail1,         Bank,       konto,
                                Bank1,      Konto1,  Parametr1, Parametr2,     Parametr3,  Parametr4,
                                Parametr5,  Pom1,    Pom2,      Pom3,          Pom4,       Pom5,
                                Pom6,       Pom7,    Pom8,      Pom9,          Pom10,      Pom11,
                                Pom12,      Pom13,   Pom14,     Pom15,         Pom16};
} // namespace wlasciciel

// Parametry: schema flags
namespace parametry {
inline const QString JestTabParametry = QStringLiteral("JestTabParametry");
inline const QString RozszerzonoTabPrzejazdy = QStringLiteral("RozszerzonoTabPrzejazdy");
inline const QString RozszerzonoTabKoszty = QStringLiteral("RozszerzonoTabKoszty");
inline const QString RozszerzonoTabTerminy = QStringLiteral("RozszerzonoTabTerminy");
inline const QString UtworzonoTabKierowcy = QStringLiteral("UtworzonoTabKierowcy");
inline const QString UtworzonoTabWlasciciel = QStringLiteral("UtworzonoTabWlasciciel");
inline const QString RozszerzonoTabStawki = QStringLiteral("RozszerzonoTabStawki");
inline const QString RozszerzonoTabTrasy = QStringLiteral("RozszerzonoTabTrasy");
inline const QString RozszerzonoTabPojazdy = QStringLiteral("RozszerzonoTabPojazdy");
inline const QString RozszerzonoTabCele = QStringLiteral("RozszerzonoTabCele");
inline const QString RozszerzonoTabRyczalt = QStringLiteral("RozszerzonoTabRyczalt");
inline const QString JestTabKierowcy = QStringLiteral("JestTabKierowcy");
inline const QString JestTabWlasciciel = QStringLiteral("JestTabWlasciciel");
inline const QString JestTabTerminy = QStringLiteral("JestTabTerminy");
inline const QString PokazOC = QStringLiteral("PokazOC");
inline const QString PokazAC = QStringLiteral("PokazAC");
inline const QString PokazPrzegTech = QStringLiteral("PokazPrzegTech");
inline const QString PokazPrzegGwar = QStringLiteral("PokazPrzegGwar");
inline const QString PokazNapPojazdu = QStringLiteral("PokazNapPojazdu");
inline const QString PokazWymOlejuWyp = QStringLiteral("PokazWymOlejuWyp");
inline const QString PokazWaznoscDok = QStringLiteral("PokazWaznoscDok");
inline const QString PokazInne = QStringLiteral("PokazInne");
inline const QString PokazStanLicznika = QStringLiteral("PokazStanLicznika");
inline const QString PokazIloscKm = QStringLiteral("PokazIloscKm");
inline const QString PokazPlynySerwisowe = QStringLiteral("PokazPlynySerwisowe");
inline const QString PokazKlimatyzacja = QStringLiteral("PokazKlimatyzacja");
inline const QString PokazAutoSerwis = QStringLiteral("PokazAutoSerwis");
inline const QString Parametr1 = QStringLiteral("Parametr1");
inline const QString Parametr2 = QStringLiteral("Parametr2");
inline const QString Parametr3 = QStringLiteral("Parametr3");
inline const QString Parametr4 = QStringLiteral("Parametr4");
inline const QString Parametr5 = QStringLiteral("Parametr5");
inline const QString Parametr6 = QStringLiteral("Parametr6");
inline const QString Parametr7 = QStringLiteral("Parametr7");
inline const QString Parametr8 = QStringLiteral("Parametr8");
inline const QString Parametr9 = QStringLiteral("Parametr9");
inline const QString Parametr10 = QStringLiteral("Parametr10");
inline const QString Parametr11 = QStringLiteral("Parametr11");
inline const QString Parametr12 = QStringLiteral("Parametr12");
inline const QString Parametr13 = QStringLiteral("Parametr13");
inline const QString Parametr14 = QStringLiteral("Parametr14");
inline const QString Parametr15 = QStringLiteral("Parametr15");
inline const QString Parametr16 = QStringLiteral("Parametr16");
inline const QString Data1 = QStringLiteral("Data1");
inline const QString Data2 = QStringLiteral("Data2");
inline const QString Data3 = QStringLiteral("Data3");
inline const QString Data4 = QStringLiteral("Data4");
inline const QString Data5 = QStringLiteral("Data5");
inline const QString Data6 = QStringLiteral("Data6");
inline const QString InformujPrzed = QStringLiteral("InformujPrzed");
inline const QString InformujPo = QStringLiteral("InformujPo");
inline const QString KoniecInformacji = QStringLiteral("KoniecInformacji");
inline const QString Informacje = QStringLiteral("Informacje");
inline const QString KosztyCalkowite = QStringLiteral("KosztyCalkowite");
inline const QString KosztyCalkowite1 = QStringLiteral("KosztyCalkowite1");
inline const QString KosztyCalkowite2 = QStringLiteral("KosztyCalkowite2");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString Pom13 = QStringLiteral("Pom13");
inline const QString Pom14 = QStringLiteral("Pom14");
inline const QString Pom15 = QStringLiteral("Pom15");
inline const QString Pom16 = QStringLiteral("Pom16");
inline const QString Pom17 = QStringLiteral("Pom17");
inline const QString Pom18 = QStringLiteral("Pom18");
inline const QStringList all = {JestTabParametry,
                                RozszerzonoTabPrzejazdy,
                                RozszerzonoTabKoszty,
                                RozszerzonoTabTerminy,
                                UtworzonoTabKierowcy,
                                UtworzonoTabWlasciciel,
                                RozszerzonoTabStawki,
                                RozszerzonoTabTrasy,
                                RozszerzonoTabPojazdy,
                                RozszerzonoTabCele,
                                RozszerzonoTabRyczalt,
                                JestTabKierowcy,
                                JestTabWlasciciel,
                                JestTabTerminy,
                                PokazOC,
                                PokazAC,
                                PokazPrzegTech,
                                PokazPrzegGwar,
                                PokazNapPojazdu,
                                PokazWymOlejuWyp,
                                PokazWaznoscDok,
                                PokazInne,
                                PokazStanLicznika,
                                PokazIloscKm,
                                PokazPlynySerwisowe,
                                PokazKlimatyzacja,
                                PokazAutoSerwis,
                                Parametr1,
                                Parametr2,
                                Parametr3,
                                Parametr4,
                                Parametr5,
                                Parametr6,
                                Parametr7,
                                Parametr8,
                                Parametr9,
                                Parametr10,
                                Parametr11,
                                Parametr12,
                                Parametr13,
                                Parametr14,
                                Parametr15,
                                Parametr16,
                                Data1,
                                Data2,
                                Data3,
                                Data4,
                                Data5,
                                Data6,
                                InformujPrzed,
                                InformujPo,
                                KoniecInformacji,
                                Informacje,
                                KosztyCalkowite,
                                KosztyCalkowite1,
                                KosztyCalkowite2,
                                Pom1,
                                Pom2,
                                Pom3,
                                Pom4,
                                Pom5,
                                Pom6,
                                Pom7,
                                Pom8,
                                Pom9,
                                Pom10,
                                Pom11,
                                Pom12,
                                Pom13,
                                Pom14,
                                Pom15,
                                Pom16,
                                Pom17,
                                Pom18};
} // namespace parametry

// Terminy: deadlines
namespace terminy {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString NrKol_Pojazdu = QStringLiteral("NrKol_Pojazdu");
inline const QString Rok = QStringLiteral("Rok");
inline const QString Miesiac = QStringLiteral("Miesiac");
inline const QString TerminOC = QStringLiteral("TerminOC");
inline const QString TerminAC = QStringLiteral("TerminAC");
inline const QString TerminPrzegTechnicznego = QStringLiteral("TerminPrzegTechnicznego");
inline const QString TerminPrzegGwarancyjnego = QStringLiteral("TerminPrzegGwarancyjnego");
inline const QString TerminNaprawy = QStringLiteral("TerminNaprawy");
inline const QString TerminWymianyWyposazenia = QStringLiteral("TerminWymianyWyposazenia");
inline const QString TerminWaznosciDokumentu = QStringLiteral("TerminWaznosciDokumentu");
inline const QString TerminWaznosciInny = QStringLiteral("TerminWaznosciInny");
inline const QString SprawdzOC = QStringLiteral("SprawdzOC");
inline const QString SprawdzAC = QStringLiteral("SprawdzAC");
inline const QString SprawdzPrzegTechniczny = QStringLiteral("SprawdzPrzegTechniczny");
inline const QString SprawdzPrzegGwarancyjny = QStringLiteral("SprawdzPrzegGwarancyjny");
inline const QString SprawdzTermNaprawy = QStringLiteral("SprawdzTermNaprawy");
inline const QString SprawdzTermWymiany = QStringLiteral("SprawdzTermWymiany");
inline const QString SprawdzTermWazDokumentu = QStringLiteral("SprawdzTermWazDokumentu");
inline const QString SprawdzTermWazInny = QStringLiteral("SprawdzTermWazInny");
inline const QString KosztAC = QStringLiteral("KosztAC");
inline const QString KosztOC = QStringLiteral("KosztOC");
inline const QString KosztPrzegTech = QStringLiteral("KosztPrzegTech");
inline const QString KosztPrzegGwar = QStringLiteral("KosztPrzegGwar");
inline const QString KosztNapraw = QStringLiteral("KosztNapraw");
inline const QString InformujPrzed = QStringLiteral("InformujPrzed");
inline const QString InformujPo = QStringLiteral("InformujPo");
inline const QString KoniecInformacji = QStringLiteral("KoniecInformacji");
inline const QString Informacje = QStringLiteral("Informacje");
inline const QString KosztyCalkowite = QStringLiteral("KosztyCalkowite");
inline const QString KosztyCalkowite1 = QStringLiteral("KosztyCalkowite1");
inline const QString KosztyCalkowite2 = QStringLiteral("KosztyCalkowite2");
inline const QString Termin1 = QStringLiteral("Termin1");
inline const QString Termin2 = QStringLiteral("Termin2");
inline const QString Termin3 = QStringLiteral("Termin3");
inline const QString Termin4 = QStringLiteral("Termin4");
inline const QString Termin5 = QStringLiteral("Termin5");
inline const QString Parametr1 = QStringLiteral("Parametr1");
inline const QString Parametr2 = QStringLiteral("Parametr2");
inline const QString Parametr3 = QStringLiteral("Parametr3");
inline const QString Parametr4 = QStringLiteral("Parametr4");
inline const QString Parametr5 = QStringLiteral("Parametr5");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString CoIlecKmSerwis = QStringLiteral("CoIlecKmSerwis");
inline const QString IleKmDoInf = QStringLiteral("IleKmDoInf");
inline const QString StanLicznika = QStringLiteral("StanLicznika");
inline const QString IloscKmDoInfPrzed = QStringLiteral("IloscKmDoInfPrzed");
inline const QString IloscKmDoInfPo = QStringLiteral("IloscKmDoInfPo");
inline const QString StanLicznikaPo = QStringLiteral("StanLicznikaPo");
inline const QString StanLicznikaSerwis = QStringLiteral("StanLicznikaSerwis");
inline const QString CzyInformujemy = QStringLiteral("CzyInformujemy");
inline const QString WylaczInform = QStringLiteral("WylaczInform");
inline const QString WlaczInform = QStringLiteral("WlaczInform");
inline const QString KosztySerwis = QStringLiteral("KosztySerwis");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString Pom13 = QStringLiteral("Pom13");
inline const QString pom14 = QStringLiteral("pom14");
inline const QStringList all = {NrKol,
                                NrKol_Pojazdu,
                                Rok,
                                Miesiac,
                                TerminOC,
                                TerminAC,
                                TerminPrzegTechnicznego,
                                TerminPrzegGwarancyjnego,
                                TerminNaprawy,
                                TerminWymianyWyposazenia,
                                TerminWaznosciDokumentu,
                                TerminWaznosciInny,
                                SprawdzOC,
                                SprawdzAC,
                                SprawdzPrzegTechniczny,
                                SprawdzPrzegGwarancyjny,
                                SprawdzTermNaprawy,
                                SprawdzTermWymiany,
                                SprawdzTermWazDokumentu,
                                SprawdzTermWazInny,
                                KosztAC,
                                KosztOC,
                                KosztPrzegTech,
                                KosztPrzegGwar,
                                KosztNapraw,
                                InformujPrzed,
                                InformujPo,
                                KoniecInformacji,
                                Informacje,
                                KosztyCalkowite,
                                KosztyCalkowite1,
                                KosztyCalkowite2,
                                Termin1,
                                Termin2,
                                Termin3,
                                Termin4,
                                Termin5,
                                Parametr1,
                                Parametr2,
                                Parametr3,
                                Parametr4,
                                Parametr5,
                                Pom1,
                                Pom2,
                                Pom3,
                                Pom4,
                                Pom5,
                                Pom6,
                                Pom7,
                                Pom8,
                                CoIlecKmSerwis,
                                IleKmDoInf,
                                StanLicznika,
                                IloscKmDoInfPrzed,
                                IloscKmDoInfPo,
                                StanLicznikaPo,
                                StanLicznikaSerwis,
                                CzyInformujemy,
                                WylaczInform,
                                WlaczInform,
                                KosztySerwis,
                                Pom9,
                                Pom10,
                                Pom11,
                                Pom12,
                                Pom13,
                                pom14};
} // namespace terminy

// Ryczalt: lump sums
namespace ryczalt {
inline const QString NrKol = QStringLiteral("NrKol");
inline const QString NrKol_Pojazdu = QStringLiteral("NrKol_Pojazdu");
inline const QString DataOswiadczenia = QStringLiteral("DataOswiadczenia");
inline const QString DataWprowadzenia = QStringLiteral("DataWprowadzenia");
inline const QString Rok = QStringLiteral("Rok");
inline const QString Miesiac = QStringLiteral("Miesiac");
inline const QString Limit_km = QStringLiteral("Limit_km");
inline const QString Ryczalt_zl = QStringLiteral("Ryczalt_zl");
inline const QString Stawka_km = QStringLiteral("Stawka_km");
inline const QString Dni_Urlopu = QStringLiteral("Dni_Urlopu");
inline const QString Dni_Bez_Samochodu = QStringLiteral("Dni_Bez_Samochodu");
inline const QString Inne_Nieobecnosci = QStringLiteral("Inne_Nieobecnosci");
inline const QString SumaPotracenia = QStringLiteral("SumaPotracenia");
inline const QString Naleznosc_Mc = QStringLiteral("Naleznosc_Mc");
inline const QString Naleznosc_Rok = QStringLiteral("Naleznosc_Rok");
inline const QString Naleznosc_wszyscy_Mc = QStringLiteral("Naleznosc_wszyscy_Mc");
inline const QString Naleznosc_Wszyscy_Rok = QStringLiteral("Naleznosc_Wszyscy_Rok");
inline const QString Parametr1 = QStringLiteral("Parametr1");
inline const QString Parametr2 = QStringLiteral("Parametr2");
inline const QString Parametr3 = QStringLiteral("Parametr3");
inline const QString Parametr4 = QStringLiteral("Parametr4");
inline const QString Parametr5 = QStringLiteral("Parametr5");
inline const QString Pom1 = QStringLiteral("Pom1");
inline const QString Pom2 = QStringLiteral("Pom2");
inline const QString Pom3 = QStringLiteral("Pom3");
inline const QString Pom4 = QStringLiteral("Pom4");
inline const QString Pom5 = QStringLiteral("Pom5");
inline const QString Pom6 = QStringLiteral("Pom6");
inline const QString Pom7 = QStringLiteral("Pom7");
inline const QString Pom8 = QStringLiteral("Pom8");
inline const QString Pom9 = QStringLiteral("Pom9");
inline const QString Pom10 = QStringLiteral("Pom10");
inline const QString Pom11 = QStringLiteral("Pom11");
inline const QString Pom12 = QStringLiteral("Pom12");
inline const QString Pom13 = QStringLiteral("Pom13");
inline const QString Pom14 = QStringLiteral("Pom14");
inline const QStringList all = {NrKol,
                                NrKol_Pojazdu,
                                DataOswiadczenia,
                                DataWprowadzenia,
                                Rok,
                                Miesiac,
                                Limit_km,
                                Ryczalt_zl,
                                Stawka_km,
                                Dni_Urlopu,
                                Dni_Bez_Samochodu,
                                Inne_Nieobecnosci,
                                SumaPotracenia,
                                Naleznosc_Mc,
                                Naleznosc_Rok,
                                Naleznosc_wszyscy_Mc,
                                Naleznosc_Wszyscy_Rok,
                                Parametr1,
                                Parametr2,
                                Parametr3,
                                Parametr4,
                                Parametr5,
                                Pom1,
                                Pom2,
                                Pom3,
                                Pom4,
                                Pom5,
                                Pom6,
                                Pom7,
                                Pom8,
                                Pom9,
                                Pom10,
                                Pom11,
                                Pom12,
                                Pom13,
                                Pom14};
} // namespace ryczalt
} // namespace tarlok::fields
