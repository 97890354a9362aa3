#include "Tables.h"

namespace tarlok::tables {

namespace {

using T = FieldType;
constexpr FieldOrigin Up = FieldOrigin::Upgrade;

FieldDef f(const QString& name, FieldType type, int size = 0, FieldOrigin origin = FieldOrigin::Base) {
    return FieldDef{name, type, size, origin};
}
FieldDef a(const QString& name, int size, FieldOrigin origin = FieldOrigin::Base) {
    return f(name, T::Alpha, size, origin);
}
FieldDef u(const QString& name, FieldType type, int size = 0) {
    return f(name, type, size, Up);
}

IndexDef primary(const QString& key) {
    return IndexDef{QString(), {key}, true, true, false};
}
IndexDef secondary(const QString& name, QStringList fields, bool caseInsensitive = true) {
    return IndexDef{name, std::move(fields), false, false, caseInsensitive};
}

TableDef makePojazdy() {
    namespace F = fields::pojazdy;
    TableDef t{QStringLiteral("Pojazdy"), {}, {}};
    t.fields = {
        f(F::NrKol, T::AutoInc),
        f(F::NrKol_Pojazdu, T::Integer),
        f(F::Data, T::Date),
        a(F::Nazwa_Poj, 25),
        a(F::Marka_Poj, 25),
        a(F::Nr_rej, 15),
        a(F::Dane_Poj_Wszystko, 70),
        a(F::Wlasciciel, 40),
        f(F::Pojemnosc, T::Integer),
        a(F::Adr_Wlasciciela, 50),
        f(F::Pojazd_Wlasc, T::Logical),
        f(F::Uzywany, T::Logical),
        a(F::Uwagi, 50),
        a(F::Pom1, 50),
        f(F::Pom2, T::Number),
        f(F::Pom3, T::Integer),
        u(F::ImiePodatnika, T::Alpha, 20),
        u(F::NazwiskoPodatnika, T::Alpha, 35),
        u(F::StanPoczLIcznika, T::Integer),
        u(F::StanAktLicznika, T::Integer),
        u(F::StanLicznikaPo, T::Integer),
        u(F::CoIleKmSerwis, T::Integer),
        u(F::DataOstSerwisu, T::Date),
        u(F::IloscPrzejKilometrow, T::Integer),
        u(F::IloscKmDoInfPrzed, T::Integer),
        u(F::IloscKmDoInfPo, T::Integer),
        u(F::Pom4, T::Logical),
        u(F::Pom5, T::Logical),
        u(F::Pom6, T::Integer),
        u(F::Pom7, T::Integer),
        u(F::Pom8, T::Integer),
        u(F::Pom9, T::Alpha, 100),
        u(F::Pom10, T::Alpha, 70),
        u(F::Pom11, T::Number),
        u(F::Pom12, T::Number),
        u(F::pom13, T::Integer),
    };
    t.indexes = {primary(F::NrKol)};
    return t;
}

TableDef makePrzejazdy() {
    namespace F = fields::przejazdy;
    TableDef t{QStringLiteral("Przejazdy"), {}, {}};
    t.fields = {
        f(F::NrKol, T::AutoInc),
        f(F::NrKol_Pojazdu, T::Integer),
        f(F::Rok, T::Integer),
        f(F::Miesiac, T::Integer),
        f(F::Data, T::Date),
        a(F::Pojazd, 25),
        a(F::Trasa, 40),
        a(F::Cel_Wyj, 50),
        f(F::Kilometry, T::Integer),
        f(F::Kilometry_Narastajaca, T::Integer),
        f(F::Kilometry_NarastajacaRok, T::Integer),
        f(F::KilometrySuma, T::Integer),
        f(F::Stawka, T::Number),
        f(F::Wartosc, T::Number),
        f(F::Wartosc_Narastajaco, T::Number),
        f(F::Wartosc_NarastajacoRok, T::Number),
        f(F::WartoscSuma, T::Number),
        a(F::Uwagi, 50),
        a(F::Pom1, 50),
        f(F::Pom2, T::Number),
        f(F::Pom3, T::Integer),
        u(F::Imie, T::Alpha, 20),
        u(F::Nazwisko, T::Alpha, 35),
        u(F::StanLicznika, T::Integer),
        u(F::IloscPrzejKilometrow, T::Integer),
        u(F::StanLicznikaPrzed, T::Integer),
        u(F::StanLicznikaPo, T::Integer),
        u(F::StanLicznikaSerwis, T::Integer),
        u(F::Pom4, T::Logical),
        u(F::Pom5, T::Logical),
        u(F::Pom6, T::Logical),
        u(F::Pom7, T::Number),
        u(F::Pom8, T::Alpha, 80),
        u(F::Pom9, T::Alpha, 100),
        u(F::Pom10, T::Alpha, 70),
        u(F::Pom11, T::Number),
        u(F::Pom12, T::Alpha, 150),
        u(F::pom13, T::Integer),
    };
    t.indexes = {primary(F::NrKol), secondary(indexes::NrKol_Pojazdu_DataInd, {F::NrKol_Pojazdu, F::Data})};
    return t;
}

TableDef makeKoszty() {
    namespace F = fields::koszty;
    TableDef t{QStringLiteral("Koszty"), {}, {}};
    t.fields = {
        f(F::NrKol, T::AutoInc),
        f(F::NrKol_Pojazdu, T::Integer),
        f(F::Rok, T::Integer),
        f(F::Miesiac, T::Integer),
        f(F::Data, T::Date),
        a(F::Pojazd, 25),
        a(F::Nr_Rachunku, 20),
        a(F::Rodzaj_Wyd, 25),
        f(F::Wartosc, T::Number),
        f(F::Wartosc_Narastajaca, T::Number),
        f(F::Wartosc_NarastajacaRok, T::Number),
        f(F::WartoscSuma, T::Number),
        f(F::SumaWartPaliwo, T::Number),
        f(F::SumaIloscPaliwo, T::Number),
        f(F::IloscPaliwa, T::Number),
        f(F::Wartosc_Zaliczona, T::Number),
        f(F::CzyPaliwo, T::Logical),
        a(F::Uwagi, 50),
        a(F::Pom1, 50),
        f(F::Pom2, T::Number),
        f(F::Pom3, T::Integer),
        u(F::Imie, T::Alpha, 20),
        u(F::Nazwisko, T::Alpha, 35),
        u(F::StanLicznikaPrzed, T::Integer),
        u(F::StanLicznikaPo, T::Integer),
        u(F::StanLicznika, T::Integer),
        u(F::VatProcent, T::Integer),
        u(F::VatZaliczonyProcent, T::Integer),
        u(F::VatNieZaliczony, T::Number),
        u(F::VatWartosc, T::Number),
        u(F::VatZaliczony, T::Number),
        u(F::VatSumaryczny, T::Number),
        u(F::IloscPrzejKilometrow, T::Integer),
        u(F::WartBrutto, T::Number),
        u(F::Pom4, T::Logical),
        u(F::Pom5, T::Logical),
        u(F::Pom6, T::Logical),
        u(F::Pom7, T::Number),
        u(F::Pom8, T::Alpha, 80),
        u(F::Pom9, T::Alpha, 100),
        u(F::Pom10, T::Alpha, 70),
        u(F::Pom11, T::Number),
        u(F::Pom12, T::Alpha, 150),
        u(F::pom13, T::Integer),
    };
    t.indexes = {primary(F::NrKol), secondary(indexes::NrKol_Pojazdu_DataInd, {F::NrKol_Pojazdu, F::Data})};
    return t;
}

TableDef makeWydatki() {
    namespace F = fields::wydatki;
    TableDef t{QStringLiteral("Wydatki"), {}, {}};
    t.fields = {f(F::Data, T::Timestamp), a(F::Wydatek, 50),     f(F::CzyPaliwo, T::Logical),
                a(F::Pom1, 50),           f(F::Pom2, T::Number), f(F::Pom3, T::Integer)};
    return t;
}

TableDef makeCelWyj() {
    namespace F = fields::celWyj;
    TableDef t{QStringLiteral("Cel_Wyj"), {}, {}};
    t.fields = {a(F::Cel_Wyjazdu, 50), a(F::Pom1, 50), f(F::Pom2, T::Number), f(F::Pom3, T::Integer)};
    return t;
}

TableDef makeTrasy() {
    namespace F = fields::trasy;
    TableDef t{QStringLiteral("Trasy"), {}, {}};
    t.fields = {a(F::Trasa, 50), f(F::Kilometry, T::Integer), a(F::Uwagi, 50),
                a(F::Pom1, 50),  f(F::Pom2, T::Number),       f(F::Pom3, T::Integer)};
    return t;
}

TableDef makeStawki() {
    namespace F = fields::stawki;
    TableDef t{QStringLiteral("Stawki"), {}, {}};
    t.fields = {f(F::Data, T::Date),
                f(F::Stawka_do_900, T::Number),
                f(F::Stawka_po_900, T::Number),
                f(F::Stawka_inna, T::Number),
                a(F::Uwagi, 50),
                a(F::Pom1, 50),
                f(F::Pom2, T::Number),
                f(F::Pom3, T::Integer)};
    return t;
}

TableDef makeOkresy() {
    namespace F = fields::okresy;
    TableDef t{QStringLiteral("Okresy"), {}, {}};
    t.fields = {f(F::NrKol, T::AutoInc),
                f(F::Rok, T::Integer),
                f(F::Miesiac, T::Integer),
                f(F::Data, T::Date),
                f(F::Koszty_Wartosc, T::Number),
                f(F::Przejazd_Wartosc, T::Number),
                f(F::Przejazd_Kilometry, T::Integer),
                a(F::Pom1, 50),
                f(F::Pom2, T::Number),
                f(F::Pom3, T::Integer)};
    t.indexes = {primary(F::NrKol)};
    return t;
}

TableDef makeKierowcy() {
    namespace F = fields::kierowcy;
    TableDef t{QStringLiteral("Kierowcy"), {}, {}};
    t.fields = {f(F::NrKol, T::AutoInc),
                f(F::NrKol_Pojazdu, T::Integer),
                f(F::DataPrzyjecia, T::Date),
                f(F::DataZwolnienia, T::Date),
                a(F::Imie, 20),
                a(F::Nazwisko, 30),
                f(F::IloscPrzejKm, T::Integer),
                a(F::ImieNazwisko, 55),
                a(F::Adres, 100),
                a(F::Telefon, 25),
                a(F::mail, 40)};
    t.fields.insert(t.fields.end(),
                    {f(F::Parametr1, T::Logical), f(F::Parametr2, T::Logical), f(F::Parametr3, T::Logical),
                     f(F::Parametr4, T::Logical), f(F::Parametr5, T::Logical)});
    t.fields.insert(t.fields.end(), {a(F::Pom1, 100), a(F::Pom2, 50), a(F::Pom3, 50), a(F::Pom4, 50),
                                     a(F::Pom5, 150), a(F::Pom6, 50)});
    t.fields.insert(t.fields.end(),
                    {f(F::Pom7, T::Date), f(F::Pom8, T::Date), f(F::Pom9, T::Date), f(F::Pom10, T::Date)});
    t.fields.insert(t.fields.end(), {f(F::Pom11, T::Integer), f(F::Pom12, T::Integer),
                                     f(F::Pom13, T::Integer), f(F::Pom14, T::Integer)});
    t.fields.insert(t.fields.end(), {f(F::Pom15, T::Number), f(F::Pom16, T::Number)});
    t.indexes = {primary(F::NrKol), secondary("NrKolInd", {F::NrKol}),
                 secondary("NrKol_PojazduInd", {F::NrKol_Pojazdu}), secondary("NazwiskoInd", {F::Nazwisko})};
    return t;
}

TableDef makeWlasciciel() {
    namespace F = fields::wlasciciel;
    TableDef t{QStringLiteral("Wlasciciel"), {}, {}};
    t.fields = {f(F::NrKol, T::AutoInc), a(F::Imie, 20),
                a(F::Nazwisko, 30),      f(F::DataPowstania, T::Date),
                a(F::NazwaFirmy, 100),   a(F::NazwaFirmySkrot, 35),
                a(F::AdresFirmy, 100),   a(F::Nip, 20),
                a(F::Nip1, 20),          a(F::Regon, 30),
                a(F::WWW, 80),           a(F::mail, 100),
                a(F::Fax, 30),           a(F::Telefon, 25),
                a(F::Telefon1, 25),      a(F::mail1, 40),
                a(F::Bank, 100),         a(F::konto, 50),
                a(F::Bank1, 100),        a(F::Konto1, 50)};
    t.fields.insert(t.fields.end(),
                    {f(F::Parametr1, T::Logical), f(F::Parametr2, T::Logical), f(F::Parametr3, T::Logical),
                     f(F::Parametr4, T::Logical), f(F::Parametr5, T::Logical)});
    t.fields.insert(t.fields.end(), {a(F::Pom1, 100), a(F::Pom2, 50), a(F::Pom3, 50), a(F::Pom4, 50),
                                     a(F::Pom5, 150), a(F::Pom6, 50)});
    t.fields.insert(t.fields.end(),
                    {f(F::Pom7, T::Date), f(F::Pom8, T::Date), f(F::Pom9, T::Date), f(F::Pom10, T::Date)});
    t.fields.insert(t.fields.end(), {f(F::Pom11, T::Integer), f(F::Pom12, T::Integer),
                                     f(F::Pom13, T::Integer), f(F::Pom14, T::Integer)});
    t.fields.insert(t.fields.end(), {f(F::Pom15, T::Number), f(F::Pom16, T::Number)});
    t.indexes = {primary(F::NrKol), secondary("NrKolInd", {F::NrKol})};
    return t;
}

TableDef makeParametry() {
    namespace F = fields::parametry;
    TableDef t{QStringLiteral("Parametry"), {}, {}};
    t.fields = {f(F::JestTabParametry, T::Logical),
                f(F::RozszerzonoTabPrzejazdy, T::Logical),
                f(F::RozszerzonoTabKoszty, T::Logical),
                f(F::RozszerzonoTabTerminy, T::Logical),
                f(F::UtworzonoTabKierowcy, T::Logical),
                f(F::UtworzonoTabWlasciciel, T::Logical),
                f(F::RozszerzonoTabStawki, T::Logical),
                f(F::RozszerzonoTabTrasy, T::Logical),
                f(F::RozszerzonoTabPojazdy, T::Logical),
                f(F::RozszerzonoTabCele, T::Logical),
                f(F::RozszerzonoTabRyczalt, T::Logical),
                f(F::JestTabKierowcy, T::Logical),
                f(F::JestTabWlasciciel, T::Logical),
                f(F::JestTabTerminy, T::Logical),
                f(F::PokazOC, T::Logical),
                f(F::PokazAC, T::Logical),
                f(F::PokazPrzegTech, T::Logical),
                f(F::PokazPrzegGwar, T::Logical),
                f(F::PokazNapPojazdu, T::Logical),
                f(F::PokazWymOlejuWyp, T::Logical),
                f(F::PokazWaznoscDok, T::Logical),
                f(F::PokazInne, T::Logical),
                f(F::PokazStanLicznika, T::Logical),
                f(F::PokazIloscKm, T::Logical),
                f(F::PokazPlynySerwisowe, T::Logical),
                f(F::PokazKlimatyzacja, T::Logical),
                f(F::PokazAutoSerwis, T::Logical)};
    t.fields.insert(t.fields.end(),
                    {f(F::Parametr1, T::Logical), f(F::Parametr2, T::Logical), f(F::Parametr3, T::Logical),
                     f(F::Parametr4, T::Logical), f(F::Parametr5, T::Logical), f(F::Parametr6, T::Logical),
                     f(F::Parametr7, T::Logical), f(F::Parametr8, T::Logical), f(F::Parametr9, T::Logical),
                     f(F::Parametr10, T::Logical), f(F::Parametr11, T::Logical), f(F::Parametr12, T::Logical),
                     f(F::Parametr13, T::Logical), f(F::Parametr14, T::Logical), f(F::Parametr15, T::Logical),
                     f(F::Parametr16, T::Logical)});
    t.fields.insert(t.fields.end(), {f(F::Data1, T::Date), f(F::Data2, T::Date), f(F::Data3, T::Date),
                                     f(F::Data4, T::Date), f(F::Data5, T::Date), f(F::Data6, T::Date)});
    t.fields.insert(t.fields.end(),
                    {f(F::InformujPrzed, T::Integer), f(F::InformujPo, T::Integer),
                     f(F::KoniecInformacji, T::Integer), f(F::Informacje, T::Memo),
                     f(F::KosztyCalkowite, T::Number), f(F::KosztyCalkowite1, T::Number),
                     f(F::KosztyCalkowite2, T::Number), f(F::Pom1, T::Integer), f(F::Pom2, T::Integer)});
    t.fields.insert(t.fields.end(), {f(F::Pom3, T::Number), f(F::Pom4, T::Number), f(F::Pom5, T::Number),
                                     f(F::Pom6, T::Number), f(F::Pom7, T::Number), f(F::Pom8, T::Number),
                                     f(F::Pom9, T::Number), f(F::Pom10, T::Number)});
    t.fields.insert(t.fields.end(),
                    {a(F::Pom11, 100), a(F::Pom12, 50), f(F::Pom13, T::Number), f(F::Pom14, T::Integer),
                     a(F::Pom15, 150), a(F::Pom16, 50), f(F::Pom17, T::Number), f(F::Pom18, T::Integer)});
    return t;
}

TableDef makeTerminy() {
    namespace F = fields::terminy;
    TableDef t{QStringLiteral("Terminy"), {}, {}};
    t.fields = {f(F::NrKol, T::AutoInc),
                f(F::NrKol_Pojazdu, T::Integer),
                f(F::Rok, T::Integer),
                f(F::Miesiac, T::Short),
                f(F::TerminOC, T::Date),
                f(F::TerminAC, T::Date),
                f(F::TerminPrzegTechnicznego, T::Date),
                f(F::TerminPrzegGwarancyjnego, T::Date),
                f(F::TerminNaprawy, T::Date),
                f(F::TerminWymianyWyposazenia, T::Date),
                f(F::TerminWaznosciDokumentu, T::Date),
                f(F::TerminWaznosciInny, T::Date),
                f(F::SprawdzOC, T::Logical),
                f(F::SprawdzAC, T::Logical),
                f(F::SprawdzPrzegTechniczny, T::Logical),
                f(F::SprawdzPrzegGwarancyjny, T::Logical),
                f(F::SprawdzTermNaprawy, T::Logical),
                f(F::SprawdzTermWymiany, T::Logical),
                f(F::SprawdzTermWazDokumentu, T::Logical),
                f(F::SprawdzTermWazInny, T::Logical),
                f(F::KosztAC, T::Number),
                f(F::KosztOC, T::Number),
                f(F::KosztPrzegTech, T::Number),
                f(F::KosztPrzegGwar, T::Number),
                f(F::KosztNapraw, T::Number),
                f(F::InformujPrzed, T::Integer),
                f(F::InformujPo, T::Integer),
                f(F::KoniecInformacji, T::Integer),
                f(F::Informacje, T::Memo),
                f(F::KosztyCalkowite, T::Number),
                f(F::KosztyCalkowite1, T::Number),
                f(F::KosztyCalkowite2, T::Number)};
    t.fields.insert(t.fields.end(), {f(F::Termin1, T::Date), f(F::Termin2, T::Date), f(F::Termin3, T::Date),
                                     f(F::Termin4, T::Date), f(F::Termin5, T::Date)});
    t.fields.insert(t.fields.end(),
                    {f(F::Parametr1, T::Logical), f(F::Parametr2, T::Logical), f(F::Parametr3, T::Logical),
                     f(F::Parametr4, T::Logical), f(F::Parametr5, T::Logical)});
    t.fields.insert(t.fields.end(),
                    {a(F::Pom1, 100), a(F::Pom2, 50), f(F::Pom3, T::Number), f(F::Pom4, T::Integer),
                     a(F::Pom5, 150), a(F::Pom6, 50), f(F::Pom7, T::Number), f(F::Pom8, T::Integer)});
    t.fields.insert(t.fields.end(), {u(F::CoIlecKmSerwis, T::Integer), u(F::IleKmDoInf, T::Integer),
                                     u(F::StanLicznika, T::Integer), u(F::IloscKmDoInfPrzed, T::Integer),
                                     u(F::IloscKmDoInfPo, T::Integer), u(F::StanLicznikaPo, T::Integer),
                                     u(F::StanLicznikaSerwis, T::Integer), u(F::CzyInformujemy, T::Logical),
                                     u(F::WylaczInform, T::Logical), u(F::WlaczInform, T::Logical),
                                     u(F::KosztySerwis, T::Number), u(F::Pom9, T::Integer),
                                     u(F::Pom10, T::Number), u(F::Pom11, T::Integer), u(F::Pom12, T::Number),
                                     u(F::Pom13, T::Alpha, 150), u(F::pom14, T::Integer)});
    t.indexes = {primary(F::NrKol), secondary("NrKolInd", {F::NrKol}),
                 secondary("NrKol_PojazduInd", {F::NrKol_Pojazdu}),
                 secondary("NrKol_PojRokInd", {F::NrKol_Pojazdu, F::Rok})};
    return t;
}

TableDef makeRyczalt() {
    namespace F = fields::ryczalt;
    TableDef t{QStringLiteral("Ryczalt"), {}, {}};
    t.fields = {f(F::NrKol, T::AutoInc),
                f(F::NrKol_Pojazdu, T::Integer),
                f(F::DataOswiadczenia, T::Date),
                f(F::DataWprowadzenia, T::Date),
                f(F::Rok, T::Integer),
                f(F::Miesiac, T::Short),
                f(F::Limit_km, T::Number),
                f(F::Ryczalt_zl, T::Number),
                f(F::Stawka_km, T::Number),
                f(F::Dni_Urlopu, T::Short),
                f(F::Dni_Bez_Samochodu, T::Short),
                f(F::Inne_Nieobecnosci, T::Short),
                f(F::SumaPotracenia, T::Number),
                f(F::Naleznosc_Mc, T::Number),
                f(F::Naleznosc_Rok, T::Number),
                f(F::Naleznosc_wszyscy_Mc, T::Number),
                f(F::Naleznosc_Wszyscy_Rok, T::Number)};
    t.fields.insert(t.fields.end(),
                    {f(F::Parametr1, T::Logical), f(F::Parametr2, T::Logical), f(F::Parametr3, T::Logical),
                     f(F::Parametr4, T::Logical), f(F::Parametr5, T::Logical)});
    t.fields.insert(t.fields.end(),
                    {a(F::Pom1, 100), a(F::Pom2, 50), f(F::Pom3, T::Number), f(F::Pom4, T::Integer),
                     a(F::Pom5, 150), a(F::Pom6, 50), f(F::Pom7, T::Number), f(F::Pom8, T::Integer),
                     f(F::Pom9, T::Number), f(F::Pom10, T::Integer), f(F::Pom11, T::Number),
                     f(F::Pom12, T::Integer), f(F::Pom13, T::Number), f(F::Pom14, T::Integer)});
    t.indexes = {primary(F::NrKol), secondary("NrKolInd", {F::NrKol}),
                 secondary("NrKol_PojazduInd", {F::NrKol_Pojazdu}),
                 secondary("NrKol_PojRokMiesiacInd", {F::NrKol_Pojazdu, F::Rok, F::Miesiac})};
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
