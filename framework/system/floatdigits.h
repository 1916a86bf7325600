#pragma once
// Decimal digits of a double, rounded half away from zero as the original run-time library.
#include <string>

namespace floatdigits {

// value = 0.digits * 10^exp; digits has no leading or trailing zeros; empty means zero.
struct Dec {
  bool neg = false;
  std::string digits;
  int exp = 0;
};

Dec Significant(double v, int prec);   // `prec` significant digits
Dec Fixed(double v, int decimals);     // rounded to `decimals` places
Dec RoundDec(const Dec &d, int decimals);
std::string IntPart(const Dec &d);     // "" for values below 1
std::string FracPart(const Dec &d);

}  // namespace floatdigits
