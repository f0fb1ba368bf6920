// flush_region.h: turns the squares a redraw drew into the rectangles a window flushes to the
// screen. Many tiny rectangles can cost the display server more than a few larger ones, so the
// shape is chosen: the squares themselves, blocks of a grid, bands of rows, or one box.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "view/renderer.h"

namespace vennaloop {

enum class FlushShapeKind {
  Squares,      ///< the squares drawn, side by side ones joined: exact, and the most rectangles
  Blocks,       ///< the blocks of a grid that hold a drawn pixel, runs joined across and down
  RowBands,     ///< the rows holding drawn pixels, in bands as wide as the squares they hold
  BoundingBox,  ///< one rectangle around everything
};

/// The default, row bands, came out best in the frame benchmark: a cycle's aliens scatter copies
/// over the whole window, which blocks of 64 turn into half its area and blocks of 16 into
/// thousands of rectangles, while bands cover a fifth of it in under two hundred.
struct FlushShape {
  FlushShapeKind kind = FlushShapeKind::RowBands;
  int block_size = 64;  ///< Blocks: side of a block in pixels
  int band_gap = 0;     ///< RowBands: bands this many clean rows apart or closer become one
  /// A region of more rectangles than this is flushed as its bounding box instead.
  int max_rects = 256;
};

/// Keeps the scratch of the shaping between frames, so a frame allocates nothing once the
/// sizes have been seen.
class FlushRegionShaper {
 public:
  /// Rectangles that cover every square of `drawn` (all inside a width x height buffer), shaped
  /// as `shape` says; empty when nothing was drawn. Valid until the next call.
  const std::vector<PixelRect>& Shape(std::span<const PixelRect> drawn, int width, int height,
                                      const FlushShape& shape);

 private:
  void Squares(std::span<const PixelRect> drawn);
  void Blocks(std::span<const PixelRect> drawn, int width, int height, int size);
  void RowBands(std::span<const PixelRect> drawn, int height, int gap);

  std::vector<PixelRect> out_;
  std::vector<PixelRect> sorted_;
  std::vector<std::uint8_t> marked_;
  std::vector<PixelRect> open_;
  std::vector<PixelRect> next_open_;
  std::vector<int> row_left_;
  std::vector<int> row_right_;
};

}  // namespace vennaloop
