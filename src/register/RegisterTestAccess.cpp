// The register's old public names, used by the tests until they drive the window through the buttons:
// each forwards to the tab that now holds it.
#include "TEwidencja_przejazdow.h"

#include "CostsTab.h"
#include "GridCells.h"
#include "TripsTab.h"

namespace tarlok {

void TEwidencja_przejazdow::DodajPrzejazdClick() {
    m_trips->DodajPrzejazdClick();
}
void TEwidencja_przejazdow::EdytujPrzejazdClick() {
    m_trips->EdytujPrzejazdClick();
}
void TEwidencja_przejazdow::ZapiszPrzejazdClick() {
    m_trips->ZapiszPrzejazdClick();
}
void TEwidencja_przejazdow::AnulujPrzejazdClick() {
    m_trips->AnulujPrzejazdClick();
}
void TEwidencja_przejazdow::UsunPrzejazdClick() {
    m_trips->UsunPrzejazdClick();
}
void TEwidencja_przejazdow::UsunNiepoprwaneRekordyClick() {
    m_trips->UsunNiepoprwaneRekordyClick();
}
void TEwidencja_przejazdow::RadioGroup1CoPodajemyClick() {
    m_trips->RadioGroup1CoPodajemyClick();
}
void TEwidencja_przejazdow::DodajKosztClick() {
    m_costs->DodajKosztClick();
}
void TEwidencja_przejazdow::EdytujKosztClick() {
    m_costs->EdytujKosztClick();
}
void TEwidencja_przejazdow::ZapiszKosztClick() {
    m_costs->ZapiszKosztClick();
}
void TEwidencja_przejazdow::AnulujKosztClick() {
    m_costs->AnulujKosztClick();
}
void TEwidencja_przejazdow::UsunKosztClick() {
    m_costs->UsunKosztClick();
}
void TEwidencja_przejazdow::RadioGroupPrzeliczanieVatClick() {
    m_costs->RadioGroupPrzeliczanieVatClick();
}
void TEwidencja_przejazdow::RadioGroupCoPodajemyClick() {
    m_costs->RadioGroupCoPodajemyClick();
}
void TEwidencja_przejazdow::SumyKosztow(int month) {
    m_costs->SumyKosztow(month);
}
void TEwidencja_przejazdow::SumyVat(int month) {
    m_costs->SumyVat(month);
}
void TEwidencja_przejazdow::showFuelFields(bool fuel) {
    m_costs->showFuelFields(fuel);
}
QString TEwidencja_przejazdow::cell(const QTableWidget* grid, int column, int row) {
    return grids::cell(grid, column, row);
}

} // namespace tarlok
