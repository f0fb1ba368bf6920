// dialog_units.h: the rules that turn dialog units into pixels of the dialog font, the same for
// every front end: a horizontal unit is a quarter of the font's mean letter width, a vertical
// unit an eighth of its height, each converted with rounding.
#pragma once

namespace vennaloop {

/// The letters whose mean advance is the horizontal base unit.
inline constexpr char BASE_UNIT_LETTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

/// Pixels per 4 horizontal and per 8 vertical dialog units.
struct DialogBaseUnits {
  int x;  ///< mean advance of BASE_UNIT_LETTERS, rounded
  int y;  ///< the font's height, ascent plus descent
};

struct DialogRect {
  int x, y, width, height;
};

/// number * numerator / denominator without overflow, rounded half away from zero; 0 when the
/// denominator is 0.
int MulDiv(int number, int numerator, int denominator);

/// The base units of a font whose 52 letters advance `lettersAdvance` pixels in all.
DialogBaseUnits BaseUnitsFrom(int lettersAdvance, int fontHeight);

/// A rectangle in dialog units as pixels; x, y, width and height are each converted alone.
DialogRect DialogUnitsToPixels(const DialogRect& units, DialogBaseUnits base);

/// A font's point size in pixels at a screen's logical resolution.
int PointsToPixels(int points, int dotsPerInch);

}  // namespace vennaloop
