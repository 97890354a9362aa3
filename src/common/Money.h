#pragma once

namespace tarlok {

// The money rounding of every stored amount: the whole part of x plus 0.01 x R(100 x the fractional
// part of x + 0.000001), the whole and fractional parts taken toward zero and R rounding to the
// nearest integer with halves to even. 12.345 -> 12.35, -1.235 -> -1.23.
double ZaokraglijDoGroszy(double x);

} // namespace tarlok
