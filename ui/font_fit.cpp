// font_fit.cpp: fonts fitted to a character cell.
#include "ui/font_fit.h"

#include <algorithm>
#include <cmath>

namespace vennaloop {

int FitPixelSize(int cellHeight, const std::function<int(int pixelSize)>& cellHeightAt) {
  cellHeight = std::max(cellHeight, 1);
  int size = std::max(1, cellHeight * cellHeight / std::max(1, cellHeightAt(cellHeight)));
  while (size > 1 && cellHeightAt(size) > cellHeight)
    --size;
  // No face has a cell under a quarter of its size; the bound keeps a measurement that never
  // grows from walking on for ever.
  const int largest = 4 * cellHeight;
  while (size < largest && cellHeightAt(size + 1) <= cellHeight)
    ++size;
  return size;
}

int StretchPercent(int averageWidth, double naturalAverageWidth) {
  if (averageWidth <= 0 || !(naturalAverageWidth > 0)) return 100;
  const double percent = std::round(100.0 * averageWidth / naturalAverageWidth);
  return static_cast<int>(std::clamp(percent, 1.0, double{MAX_STRETCH_PERCENT}));
}

}  // namespace vennaloop
