#include "TEwidencja_przejazdow.h"

#include "ui_TEwidencja_przejazdow.h"

namespace tarlok {

void TEwidencja_przejazdow::UstawStawke() {}
void TEwidencja_przejazdow::PrzeliczPrzejazdyMiesiac() {}
void TEwidencja_przejazdow::PrzeliczPrzejazdyRok() {}
void TEwidencja_przejazdow::updateVehicleOdometer() {}
void TEwidencja_przejazdow::DodajPrzejazdClick() {}
void TEwidencja_przejazdow::EdytujPrzejazdClick() {}
void TEwidencja_przejazdow::ZapiszPrzejazdClick() {}
void TEwidencja_przejazdow::AnulujPrzejazdClick() {}
void TEwidencja_przejazdow::UsunPrzejazdClick() {}
void TEwidencja_przejazdow::UsunNiepoprwaneRekordyClick() {}
void TEwidencja_przejazdow::RadioGroup1CoPodajemyClick() {}
void TEwidencja_przejazdow::DBIloscKmClick() {}
void TEwidencja_przejazdow::DBIloscKmExit() {}
void TEwidencja_przejazdow::DataPrzejazduChange() {}
void TEwidencja_przejazdow::DBGridPrzejazdyCellClick() {}
void TEwidencja_przejazdow::saveTrip() {}
void TEwidencja_przejazdow::deleteInvalidTrips() {}
double TEwidencja_przejazdow::rateOfVehicle() const { return 0; }
void TEwidencja_przejazdow::SumyPrzejazdow(int) {}
void TEwidencja_przejazdow::OpisySumPrzejazdow(int) {}

} // namespace tarlok
