#include "TEwidencja_przejazdow.h"

#include "ui_TEwidencja_przejazdow.h"

namespace tarlok {

void TEwidencja_przejazdow::NaglowkiZestawienia() {}
void TEwidencja_przejazdow::WyliczZestawienie() {}
double TEwidencja_przejazdow::SpalanieMiesiaca(int) { return 0; }

} // namespace tarlok
