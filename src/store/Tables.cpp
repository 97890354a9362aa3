#include "Tables.h"

namespace tarlok::tables {

namespace {

using T = FieldType;
constexpr FieldOrigin Up = FieldOrigin::Upgrade;

FieldDef f(const char* name, FieldType type, int size = 0, FieldOrigin origin = FieldOrigin::Base) {
    return FieldDef{QString::fromLatin1(name), type, size, origin};
}
FieldDef a(const char* name, int size, FieldOrigin origin = FieldOrigin::Base) {
    return f(name, T::Alpha, size, origin);
}
FieldDef u(const char* name, FieldType type, int size = 0) {
    return f(name, type, size, Up);
}

IndexDef primary() {
    return IndexDef{QString(), {QStringLiteral("NrKol")}, true, true, false};
}
IndexDef secondary(const char* name, QStringList fields, bool caseInsensitive = true) {
    return IndexDef{QString::fromLatin1(name), std::move(fields), false, false, caseInsensitive};
}

// Appends `prefix` + first..last of one type: Pom7..Pom10, Parametr1..Parametr5.
void series(std::vector<FieldDef>& fields, const char* prefix, int first, int last, FieldType type,
            int size = 0) {
    for (int i = first; i <= last; ++i)
        fields.push_back(
            FieldDef{QString::fromLatin1(prefix) + QString::number(i), type, size, FieldOrigin::Base});
}

TableDef makePojazdy() {
    TableDef t{QStringLiteral("Pojazdy"), {}, {}};
    t.fields = {
        f("NrKol", T::AutoInc),
        f("NrKol_Pojazdu", T::Integer),
        f("Data", T::Date),
        a("Nazwa_Poj", 25),
        a("Marka_Poj", 25),
        a("Nr_rej", 15),
        a("Dane_Poj_Wszystko", 70),
        a("Wlasciciel", 40),
        f("Pojemnosc", T::Integer),
        a("Adr_Wlasciciela", 50),
        f("Pojazd_Wlasc", T::Logical),
        f("Uzywany", T::Logical),
        a("Uwagi", 50),
        a("Pom1", 50),
        f("Pom2", T::Number),
        f("Pom3", T::Integer),
        u("ImiePodatnika", T::Alpha, 20),
        u("NazwiskoPodatnika", T::Alpha, 35),
        u("StanPoczLIcznika", T::Integer),
        u("StanAktLicznika", T::Integer),
        u("StanLicznikaPo", T::Integer),
        u("CoIleKmSerwis", T::Integer),
        u("DataOstSerwisu", T::Date),
        u("IloscPrzejKilometrow", T::Integer),
        u("IloscKmDoInfPrzed", T::Integer),
        u("IloscKmDoInfPo", T::Integer),
        u("Pom4", T::Logical),
        u("Pom5", T::Logical),
        u("Pom6", T::Integer),
        u("Pom7", T::Integer),
        u("Pom8", T::Integer),
        u("Pom9", T::Alpha, 100),
        u("Pom10", T::Alpha, 70),
        u("Pom11", T::Number),
        u("Pom12", T::Number),
        u("pom13", T::Integer),
    };
    t.indexes = {primary()};
    return t;
}

TableDef makePrzejazdy() {
    TableDef t{QStringLiteral("Przejazdy"), {}, {}};
    t.fields = {
        f("NrKol", T::AutoInc),
        f("NrKol_Pojazdu", T::Integer),
        f("Rok", T::Integer),
        f("Miesiac", T::Integer),
        f("Data", T::Date),
        a("Pojazd", 25),
        a("Trasa", 40),
        a("Cel_Wyj", 50),
        f("Kilometry", T::Integer),
        f("Kilometry_Narastajaca", T::Integer),
        f("Kilometry_NarastajacaRok", T::Integer),
        f("KilometrySuma", T::Integer),
        f("Stawka", T::Number),
        f("Wartosc", T::Number),
        f("Wartosc_Narastajaco", T::Number),
        f("Wartosc_NarastajacoRok", T::Number),
        f("WartoscSuma", T::Number),
        a("Uwagi", 50),
        a("Pom1", 50),
        f("Pom2", T::Number),
        f("Pom3", T::Integer),
        u("Imie", T::Alpha, 20),
        u("Nazwisko", T::Alpha, 35),
        u("StanLicznika", T::Integer),
        u("IloscPrzejKilometrow", T::Integer),
        u("StanLicznikaPrzed", T::Integer),
        u("StanLicznikaPo", T::Integer),
        u("StanLicznikaSerwis", T::Integer),
        u("Pom4", T::Logical),
        u("Pom5", T::Logical),
        u("Pom6", T::Logical),
        u("Pom7", T::Number),
        u("Pom8", T::Alpha, 80),
        u("Pom9", T::Alpha, 100),
        u("Pom10", T::Alpha, 70),
        u("Pom11", T::Number),
        u("Pom12", T::Alpha, 150),
        u("pom13", T::Integer),
    };
    t.indexes = {primary(), secondary("NrKol_Pojazdu_DataInd",
                                      {QStringLiteral("NrKol_Pojazdu"), QStringLiteral("Data")})};
    return t;
}

TableDef makeKoszty() {
    TableDef t{QStringLiteral("Koszty"), {}, {}};
    t.fields = {
        f("NrKol", T::AutoInc),
        f("NrKol_Pojazdu", T::Integer),
        f("Rok", T::Integer),
        f("Miesiac", T::Integer),
        f("Data", T::Date),
        a("Pojazd", 25),
        a("Nr_Rachunku", 20),
        a("Rodzaj_Wyd", 25),
        f("Wartosc", T::Number),
        f("Wartosc_Narastajaca", T::Number),
        f("Wartosc_NarastajacaRok", T::Number),
        f("WartoscSuma", T::Number),
        f("SumaWartPaliwo", T::Number),
        f("SumaIloscPaliwo", T::Number),
        f("IloscPaliwa", T::Number),
        f("Wartosc_Zaliczona", T::Number),
        f("CzyPaliwo", T::Logical),
        a("Uwagi", 50),
        a("Pom1", 50),
        f("Pom2", T::Number),
        f("Pom3", T::Integer),
        u("Imie", T::Alpha, 20),
        u("Nazwisko", T::Alpha, 35),
        u("StanLicznikaPrzed", T::Integer),
        u("StanLicznikaPo", T::Integer),
        u("StanLicznika", T::Integer),
        u("VatProcent", T::Integer),
        u("VatZaliczonyProcent", T::Integer),
        u("VatNieZaliczony", T::Number),
        u("VatWartosc", T::Number),
        u("VatZaliczony", T::Number),
        u("VatSumaryczny", T::Number),
        u("IloscPrzejKilometrow", T::Integer),
        u("WartBrutto", T::Number),
        u("Pom4", T::Logical),
        u("Pom5", T::Logical),
        u("Pom6", T::Logical),
        u("Pom7", T::Number),
        u("Pom8", T::Alpha, 80),
        u("Pom9", T::Alpha, 100),
        u("Pom10", T::Alpha, 70),
        u("Pom11", T::Number),
        u("Pom12", T::Alpha, 150),
        u("pom13", T::Integer),
    };
    t.indexes = {primary(), secondary("NrKol_Pojazdu_DataInd",
                                      {QStringLiteral("NrKol_Pojazdu"), QStringLiteral("Data")})};
    return t;
}

TableDef makeWydatki() {
    TableDef t{QStringLiteral("Wydatki"), {}, {}};
    t.fields = {f("Data", T::Timestamp), a("Wydatek", 50),     f("CzyPaliwo", T::Logical),
                a("Pom1", 50),           f("Pom2", T::Number), f("Pom3", T::Integer)};
    return t;
}

TableDef makeCelWyj() {
    TableDef t{QStringLiteral("Cel_Wyj"), {}, {}};
    t.fields = {a("Cel_Wyjazdu", 50), a("Pom1", 50), f("Pom2", T::Number), f("Pom3", T::Integer)};
    return t;
}

TableDef makeTrasy() {
    TableDef t{QStringLiteral("Trasy"), {}, {}};
    t.fields = {a("Trasa", 50), f("Kilometry", T::Integer), a("Uwagi", 50),
                a("Pom1", 50),  f("Pom2", T::Number),       f("Pom3", T::Integer)};
    return t;
}

TableDef makeStawki() {
    TableDef t{QStringLiteral("Stawki"), {}, {}};
    t.fields = {f("Data", T::Date),
                f("Stawka_do_900", T::Number),
                f("Stawka_po_900", T::Number),
                f("Stawka_inna", T::Number),
                a("Uwagi", 50),
                a("Pom1", 50),
                f("Pom2", T::Number),
                f("Pom3", T::Integer)};
    return t;
}

TableDef makeOkresy() {
    TableDef t{QStringLiteral("Okresy"), {}, {}};
    t.fields = {f("NrKol", T::AutoInc),
                f("Rok", T::Integer),
                f("Miesiac", T::Integer),
                f("Data", T::Date),
                f("Koszty_Wartosc", T::Number),
                f("Przejazd_Wartosc", T::Number),
                f("Przejazd_Kilometry", T::Integer),
                a("Pom1", 50),
                f("Pom2", T::Number),
                f("Pom3", T::Integer)};
    t.indexes = {primary()};
    return t;
}

TableDef makeKierowcy() {
    TableDef t{QStringLiteral("Kierowcy"), {}, {}};
    t.fields = {f("NrKol", T::AutoInc),
                f("NrKol_Pojazdu", T::Integer),
                f("DataPrzyjecia", T::Date),
                f("DataZwolnienia", T::Date),
                a("Imie", 20),
                a("Nazwisko", 30),
                f("IloscPrzejKm", T::Integer),
                a("ImieNazwisko", 55),
                a("Adres", 100),
                a("Telefon", 25),
                a("mail", 40)};
    series(t.fields, "Parametr", 1, 5, T::Logical);
    t.fields.insert(t.fields.end(), {a("Pom1", 100), a("Pom2", 50), a("Pom3", 50), a("Pom4", 50),
                                     a("Pom5", 150), a("Pom6", 50)});
    series(t.fields, "Pom", 7, 10, T::Date);
    series(t.fields, "Pom", 11, 14, T::Integer);
    series(t.fields, "Pom", 15, 16, T::Number);
    t.indexes = {primary(), secondary("NrKolInd", {QStringLiteral("NrKol")}),
                 secondary("NrKol_PojazduInd", {QStringLiteral("NrKol_Pojazdu")}),
                 secondary("NazwiskoInd", {QStringLiteral("Nazwisko")})};
    return t;
}

TableDef makeWlasciciel() {
    TableDef t{QStringLiteral("Wlasciciel"), {}, {}};
    t.fields = {f("NrKol", T::AutoInc), a("Imie", 20),
                a("Nazwisko", 30),      f("DataPowstania", T::Date),
                a("NazwaFirmy", 100),   a("NazwaFirmySkrot", 35),
                a("AdresFirmy", 100),   a("Nip", 20),
                a("Nip1", 20),          a("Regon", 30),
                a("WWW", 80),           a("mail", 100),
                a("Fax", 30),           a("Telefon", 25),
                a("Telefon1", 25),      a("mail1", 40),
                a("Bank", 100),         a("konto", 50),
                a("Bank1", 100),        a("Konto1", 50)};
    series(t.fields, "Parametr", 1, 5, T::Logical);
    t.fields.insert(t.fields.end(), {a("Pom1", 100), a("Pom2", 50), a("Pom3", 50), a("Pom4", 50),
                                     a("Pom5", 150), a("Pom6", 50)});
    series(t.fields, "Pom", 7, 10, T::Date);
    series(t.fields, "Pom", 11, 14, T::Integer);
    series(t.fields, "Pom", 15, 16, T::Number);
    t.indexes = {primary(), secondary("NrKolInd", {QStringLiteral("NrKol")})};
    return t;
}

TableDef makeParametry() {
    TableDef t{QStringLiteral("Parametry"), {}, {}};
    for (const char* name : {"JestTabParametry",
                             "RozszerzonoTabPrzejazdy",
                             "RozszerzonoTabKoszty",
                             "RozszerzonoTabTerminy",
                             "UtworzonoTabKierowcy",
                             "UtworzonoTabWlasciciel",
                             "RozszerzonoTabStawki",
                             "RozszerzonoTabTrasy",
                             "RozszerzonoTabPojazdy",
                             "RozszerzonoTabCele",
                             "RozszerzonoTabRyczalt",
                             "JestTabKierowcy",
                             "JestTabWlasciciel",
                             "JestTabTerminy",
                             "PokazOC",
                             "PokazAC",
                             "PokazPrzegTech",
                             "PokazPrzegGwar",
                             "PokazNapPojazdu",
                             "PokazWymOlejuWyp",
                             "PokazWaznoscDok",
                             "PokazInne",
                             "PokazStanLicznika",
                             "PokazIloscKm",
                             "PokazPlynySerwisowe",
                             "PokazKlimatyzacja",
                             "PokazAutoSerwis"})
        t.fields.push_back(f(name, T::Logical));
    series(t.fields, "Parametr", 1, 16, T::Logical);
    series(t.fields, "Data", 1, 6, T::Date);
    t.fields.insert(t.fields.end(),
                    {f("InformujPrzed", T::Integer), f("InformujPo", T::Integer),
                     f("KoniecInformacji", T::Integer), f("Informacje", T::Memo),
                     f("KosztyCalkowite", T::Number), f("KosztyCalkowite1", T::Number),
                     f("KosztyCalkowite2", T::Number), f("Pom1", T::Integer), f("Pom2", T::Integer)});
    series(t.fields, "Pom", 3, 10, T::Number);
    t.fields.insert(t.fields.end(),
                    {a("Pom11", 100), a("Pom12", 50), f("Pom13", T::Number), f("Pom14", T::Integer),
                     a("Pom15", 150), a("Pom16", 50), f("Pom17", T::Number), f("Pom18", T::Integer)});
    return t;
}

TableDef makeTerminy() {
    TableDef t{QStringLiteral("Terminy"), {}, {}};
    t.fields = {f("NrKol", T::AutoInc),
                f("NrKol_Pojazdu", T::Integer),
                f("Rok", T::Integer),
                f("Miesiac", T::Short),
                f("TerminOC", T::Date),
                f("TerminAC", T::Date),
                f("TerminPrzegTechnicznego", T::Date),
                f("TerminPrzegGwarancyjnego", T::Date),
                f("TerminNaprawy", T::Date),
                f("TerminWymianyWyposazenia", T::Date),
                f("TerminWaznosciDokumentu", T::Date),
                f("TerminWaznosciInny", T::Date),
                f("SprawdzOC", T::Logical),
                f("SprawdzAC", T::Logical),
                f("SprawdzPrzegTechniczny", T::Logical),
                f("SprawdzPrzegGwarancyjny", T::Logical),
                f("SprawdzTermNaprawy", T::Logical),
                f("SprawdzTermWymiany", T::Logical),
                f("SprawdzTermWazDokumentu", T::Logical),
                f("SprawdzTermWazInny", T::Logical),
                f("KosztAC", T::Number),
                f("KosztOC", T::Number),
                f("KosztPrzegTech", T::Number),
                f("KosztPrzegGwar", T::Number),
                f("KosztNapraw", T::Number),
                f("InformujPrzed", T::Integer),
                f("InformujPo", T::Integer),
                f("KoniecInformacji", T::Integer),
                f("Informacje", T::Memo),
                f("KosztyCalkowite", T::Number),
                f("KosztyCalkowite1", T::Number),
                f("KosztyCalkowite2", T::Number)};
    series(t.fields, "Termin", 1, 5, T::Date);
    series(t.fields, "Parametr", 1, 5, T::Logical);
    t.fields.insert(t.fields.end(),
                    {a("Pom1", 100), a("Pom2", 50), f("Pom3", T::Number), f("Pom4", T::Integer),
                     a("Pom5", 150), a("Pom6", 50), f("Pom7", T::Number), f("Pom8", T::Integer)});
    t.fields.insert(t.fields.end(), {u("CoIlecKmSerwis", T::Integer), u("IleKmDoInf", T::Integer),
                                     u("StanLicznika", T::Integer), u("IloscKmDoInfPrzed", T::Integer),
                                     u("IloscKmDoInfPo", T::Integer), u("StanLicznikaPo", T::Integer),
                                     u("StanLicznikaSerwis", T::Integer), u("CzyInformujemy", T::Logical),
                                     u("WylaczInform", T::Logical), u("WlaczInform", T::Logical),
                                     u("KosztySerwis", T::Number), u("Pom9", T::Integer),
                                     u("Pom10", T::Number), u("Pom11", T::Integer), u("Pom12", T::Number),
                                     u("Pom13", T::Alpha, 150), u("pom14", T::Integer)});
    t.indexes = {primary(), secondary("NrKolInd", {QStringLiteral("NrKol")}),
                 secondary("NrKol_PojazduInd", {QStringLiteral("NrKol_Pojazdu")}),
                 secondary("NrKol_PojRokInd", {QStringLiteral("NrKol_Pojazdu"), QStringLiteral("Rok")})};
    return t;
}

TableDef makeRyczalt() {
    TableDef t{QStringLiteral("Ryczalt"), {}, {}};
    t.fields = {f("NrKol", T::AutoInc),
                f("NrKol_Pojazdu", T::Integer),
                f("DataOswiadczenia", T::Date),
                f("DataWprowadzenia", T::Date),
                f("Rok", T::Integer),
                f("Miesiac", T::Short),
                f("Limit_km", T::Number),
                f("Ryczalt_zl", T::Number),
                f("Stawka_km", T::Number),
                f("Dni_Urlopu", T::Short),
                f("Dni_Bez_Samochodu", T::Short),
                f("Inne_Nieobecnosci", T::Short),
                f("SumaPotracenia", T::Number),
                f("Naleznosc_Mc", T::Number),
                f("Naleznosc_Rok", T::Number),
                f("Naleznosc_wszyscy_Mc", T::Number),
                f("Naleznosc_Wszyscy_Rok", T::Number)};
    series(t.fields, "Parametr", 1, 5, T::Logical);
    t.fields.insert(t.fields.end(),
                    {a("Pom1", 100), a("Pom2", 50), f("Pom3", T::Number), f("Pom4", T::Integer),
                     a("Pom5", 150), a("Pom6", 50), f("Pom7", T::Number), f("Pom8", T::Integer),
                     f("Pom9", T::Number), f("Pom10", T::Integer), f("Pom11", T::Number),
                     f("Pom12", T::Integer), f("Pom13", T::Number), f("Pom14", T::Integer)});
    t.indexes = {primary(), secondary("NrKolInd", {QStringLiteral("NrKol")}),
                 secondary("NrKol_PojazduInd", {QStringLiteral("NrKol_Pojazdu")}),
                 secondary("NrKol_PojRokMiesiacInd", {QStringLiteral("NrKol_Pojazdu"), QStringLiteral("Rok"),
                                                      QStringLiteral("Miesiac")})};
    return t;
}

} // namespace

#define TARLOK_TABLE(fn, maker)                                                                              \
    const TableDef& fn() {                                                                                   \
        static const TableDef def = maker();                                                                 \
        return def;                                                                                          \
    }

TARLOK_TABLE(pojazdy, makePojazdy)
TARLOK_TABLE(przejazdy, makePrzejazdy)
TARLOK_TABLE(koszty, makeKoszty)
TARLOK_TABLE(wydatki, makeWydatki)
TARLOK_TABLE(celWyj, makeCelWyj)
TARLOK_TABLE(trasy, makeTrasy)
TARLOK_TABLE(stawki, makeStawki)
TARLOK_TABLE(okresy, makeOkresy)
TARLOK_TABLE(kierowcy, makeKierowcy)
TARLOK_TABLE(wlasciciel, makeWlasciciel)
TARLOK_TABLE(parametry, makeParametry)
TARLOK_TABLE(terminy, makeTerminy)
TARLOK_TABLE(ryczalt, makeRyczalt)

#undef TARLOK_TABLE

const std::vector<const TableDef*>& installed() {
    static const std::vector<const TableDef*> list = {&pojazdy(), &przejazdy(), &koszty(), &wydatki(),
                                                      &celWyj(),  &trasy(),     &stawki(), &okresy()};
    return list;
}

const std::vector<const TableDef*>& all() {
    static const std::vector<const TableDef*> list = {
        &pojazdy(), &przejazdy(), &koszty(),     &wydatki(),   &celWyj(),  &trasy(),  &stawki(),
        &okresy(),  &kierowcy(),  &wlasciciel(), &parametry(), &terminy(), &ryczalt()};
    return list;
}

} // namespace tarlok::tables
