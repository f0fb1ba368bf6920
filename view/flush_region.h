// flush_region.h: turns the squares a redraw drew into the rectangles a window flushes to the
// screen: bands of the rows that hold drawn pixels. A cycle's aliens scatter copies over the
// whole window; many tiny rectangles cost the display server more than a few bands, and one box
// around everything costs it as much as a whole frame, while bands cover about a fifth of the
// window in under two hundred rectangles.
#pragma once

#include <span>
#include <vector>

#include "view/renderer.h"

namespace vennaloop {

/// Past this many bands a frame flushes one rectangle around them instead: the changes are then
/// spread over so many rows that the bands would cover most of the window anyway.
inline constexpr int MAX_FLUSH_BANDS = 256;

/// Keeps the scratch of the shaping between frames, so a frame allocates nothing once the
/// sizes have been seen.
class FlushRegionShaper {
 public:
  /// Rectangles that cover every square of `drawn` (all inside a buffer `height` rows high), in
  /// order from the top, none overlapping another: each is a run of rows holding drawn pixels,
  /// as wide as the squares in them. Empty when nothing was drawn. Valid until the next call.
  const std::vector<PixelRect>& Shape(std::span<const PixelRect> drawn, int height);

 private:
  std::vector<PixelRect> out_;
  std::vector<int> row_left_;
  std::vector<int> row_right_;
};

}  // namespace vennaloop
