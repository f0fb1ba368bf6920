// picture_updater.h: keeps a pixel buffer showing the CellMap from frame to frame. It redraws
// only the cells that changed since the last frame and says which rows to flush, and falls back
// to a whole picture when the buffer, its size, the cell side or the palette is new, or when the
// whole map changed. Toolkit-free: the window calls Update when it is about to show a frame.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "view/flush_region.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "world/cell_changes.h"

namespace vennaloop {

/// Changed cells beyond which a whole picture costs less than redrawing them with 1-pixel cells;
/// the limit grows with the square of the side, as the whole picture has fewer cells to draw. A
/// redrawn copy of a cell lands far from the last one in memory and costs some 15 ns, a pixel of
/// the whole picture 0.15 ns, and a cell has about one copy per 65,536 screen cells.
inline constexpr int MAX_REDRAWN_CELLS = 1024;

/// What one Update did to the buffer.
struct PictureUpdate {
  bool full = false;  ///< the whole picture was rendered: flush the whole buffer
  /// Rectangles of buffer pixels to flush: row bands (flush_region.h), ordered from the top; the
  /// whole buffer after a full render, empty when nothing on screen changed or there is no buffer.
  std::span<const PixelRect> flush;
  /// The squares redrawn, exactly, when the whole picture was not: every pixel that changed
  /// lies in one of them.
  std::span<const PixelRect> drawn;
  int cells = 0;    ///< changed cells taken (0 after a full render)
  int squares = 0;  ///< squares redrawn
};

class PictureUpdater {
 public:
  /// Brings the buffer up to the present CellMap with cells `side` pixels wide and takes the cell
  /// changes, so that it holds what RenderView draws into a new buffer of its size. Renders the
  /// whole picture (and clears the pixels no cell covers) on the first call, for a buffer resized
  /// since the last call (a new size or screen scale), on a new side or palette, after
  /// Invalidate, and when the changes taken cover the whole map (a new stage, or more cells than
  /// the record lists) or are more than MAX_REDRAWN_CELLS x side^2; otherwise redraws the changed
  /// cells alone. Call it where a frame is about to be shown, not on every tick: the changes of
  /// the ticks in between gather and are drawn once. The result is valid until the next call.
  /// Only one updater may take the changes of a process.
  PictureUpdate Update(PixelBuffer& buffer, int side);

  /// The next Update renders the whole picture: for a buffer something else has drawn into.
  void Invalidate() { valid_ = false; }

 private:
  bool valid_ = false;
  // What the buffer's picture was drawn for, while valid_ holds.
  const PixelBuffer* buffer_ = nullptr;
  std::uint64_t generation_ = 0;
  int side_ = 0;
  std::uint32_t palette_[256] = {};

  CellChangeSet changes_;
  std::vector<PixelRect> drawn_;
  PixelRect whole_{};
  FlushRegionShaper shaper_;
};

}  // namespace vennaloop
