// tiled_picture.h: a view's picture kept as one tile of the part that repeats. The picture
// repeats every PICTURE_PERIOD_CELLS cells across and down, so a view larger than that is one
// tile a period (and a cell) on a side, copied to every place the view shows it: a changed cell
// is drawn at its four copies in the tile, not at every copy in the view, and the copying is
// bulk work a canvas does cheaply. A view no larger than the tile is its own tile. Toolkit-free:
// the browser page keeps the tile on a canvas of its own and copies it as told here.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "view/picture_updater.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"

namespace vennaloop {

/// Where the tile of a view lies. Tile pixel (u, v) shows what view pixel
/// (u + first_left + k period, v + first_top + m period) shows, for every whole k and m.
struct TileLayout {
  int width = 0;          ///< the tile's size in pixels: the view's, or a period and a cell if less
  int height = 0;         ///< likewise down
  int period = 0;         ///< pixels after which the picture repeats
  int first_left = 0;     ///< where the tile's first copy starts in the view, in (-period, 0]
  int first_top = 0;      ///< likewise down
  int covered_right = 0;  ///< one past the last view pixel column a cell covers
  int covered_bottom = 0;  ///< one past the last view pixel row a cell covers
  bool is_view = true;     ///< the tile is the view itself, nothing is copied
};

/// The tile of a width x height view whose cells are `side` pixels wide (clamped to
/// 1..MAX_CELL_SIDE). RenderView into a buffer of the tile's size draws the tile.
TileLayout ComputeTileLayout(int view_width, int view_height, int side);

/// A piece of the tile copied to the view: `source` in tile pixels, its top-left pixel landing
/// on view pixel (left, top).
struct TileCopy {
  PixelRect source;
  int left;
  int top;
};

/// Appends the copies that bring every view pixel a cell covers, and whose picture lies in the
/// tile's `changed` pixels, up to the tile: each such pixel is written by exactly one copy, from
/// the tile's first period, and no other pixel is. Nothing when the tile is the view.
void AppendTileCopies(const TileLayout& layout, const PixelRect& changed,
                      std::vector<TileCopy>& copies);

/// What one TiledPicture::Update asks the view to take.
struct TiledUpdate {
  /// The tile was rendered whole: take all of it, then the copies of all of it, then paint
  /// `uncovered` black.
  bool full = false;
  /// The tile's squares redrawn, exactly, when it was not rendered whole.
  std::span<const PixelRect> drawn;
  /// Where the tile goes in the view, after the tile has taken the above.
  std::span<const TileCopy> copies;
  /// On a full update of a tile that is not the view: the view pixels no cell covers.
  std::span<const PixelRect> uncovered;
};

class TiledPicture {
 public:
  explicit TiledPicture(PixelFormat format) : tile_(format) {}

  /// A view of a new size, its cells `side` pixels wide; the next Update draws everything. False,
  /// and no picture, for an empty size or a tile that could not be allocated.
  bool Resize(int view_width, int view_height, int side);

  /// Brings the tile up to the present CellMap with cells `side` pixels wide, laying it out
  /// anew for a new side, and says what the view must take (PictureUpdater::Update's rules
  /// decide between a whole render and the changed cells). Nothing without a picture. The result
  /// is valid until the next call.
  TiledUpdate Update(int side);

  const PixelBuffer& Tile() const { return tile_; }
  const TileLayout& Layout() const { return layout_; }

 private:
  bool Lay(int side);

  PixelBuffer tile_;
  PictureUpdater updater_;
  TileLayout layout_{};
  int view_width_ = 0;
  int view_height_ = 0;
  int side_ = 0;  ///< the side laid out for; 0 when there is no picture
  std::vector<TileCopy> copies_;
  std::array<PixelRect, 2> uncovered_{};
};

}  // namespace vennaloop
