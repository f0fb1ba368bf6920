// dialog_units.cpp: dialog units to pixels.
#include "ui/dialog_units.h"

#include <cstdint>
#include <cstdlib>

namespace vennaloop {

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return 0;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const std::int64_t divisor = std::llabs(denominator);
  const std::int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
  const bool negative = (product < 0) != (denominator < 0);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

DialogBaseUnits BaseUnitsFrom(int lettersAdvance, int fontHeight) {
  return {(lettersAdvance + 26) / 52, fontHeight};
}

DialogRect DialogUnitsToPixels(const DialogRect& units, DialogBaseUnits base) {
  return {MulDiv(units.x, base.x, 4), MulDiv(units.y, base.y, 8), MulDiv(units.width, base.x, 4),
          MulDiv(units.height, base.y, 8)};
}

int PointsToPixels(int points, int dotsPerInch) {
  return MulDiv(points, dotsPerInch, 72);
}

}  // namespace vennaloop
