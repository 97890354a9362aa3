#include "TEwidencja_przejazdow.h"

#include "ui_TEwidencja_przejazdow.h"

namespace tarlok {

void TEwidencja_przejazdow::PrzeliczKosztyMiesiac() {}
void TEwidencja_przejazdow::PrzeliczKosztyRok() {}
void TEwidencja_przejazdow::PrzeliczPaliwo() {}
void TEwidencja_przejazdow::SpalanieAktualne() {}
void TEwidencja_przejazdow::SpalanieSrednie() {}
void TEwidencja_przejazdow::PokazPolaVat() {}
void TEwidencja_przejazdow::SprawdzStanLicznika() {}
void TEwidencja_przejazdow::SprawdzIloscKm() {}
void TEwidencja_przejazdow::applyCostEntryMode() {}
void TEwidencja_przejazdow::DodajKosztClick() {}
void TEwidencja_przejazdow::EdytujKosztClick() {}
void TEwidencja_przejazdow::ZapiszKosztClick() {}
void TEwidencja_przejazdow::AnulujKosztClick() {}
void TEwidencja_przejazdow::UsunKosztClick() {}
void TEwidencja_przejazdow::RadioGroupPrzeliczanieVatClick() {}
void TEwidencja_przejazdow::RadioGroupCoPodajemyClick() {}
void TEwidencja_przejazdow::DBGridKosztyCellClick() {}
void TEwidencja_przejazdow::DBGridKosztyKeyDown() {}
void TEwidencja_przejazdow::saveCost() {}
void TEwidencja_przejazdow::SumyKosztow(int) {}
void TEwidencja_przejazdow::SumyVat(int) {}
double TEwidencja_przejazdow::SumaVatMiesiaca(int, int) { return 0; }
void TEwidencja_przejazdow::OpisySumKosztow(int) {}
void TEwidencja_przejazdow::showFuelFields(bool) {}
void TEwidencja_przejazdow::TableKosztyCalcFields(Table&) {}

} // namespace tarlok
