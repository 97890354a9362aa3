#pragma once

namespace Ui {
class TEwidencja_przejazdow;
}

namespace tarlok {

class Table;

// The register's vehicles grid: its columns over the vehicles table, a vehicle not in use in red, and
// the current vehicle's name above the tabs.
void setupVehicleGrid(Ui::TEwidencja_przejazdow& form, Table* vehicles);

} // namespace tarlok
