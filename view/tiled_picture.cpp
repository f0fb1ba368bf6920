// tiled_picture.cpp: the tile of the repeating picture and where its copies go.
#include "view/tiled_picture.h"

#include <algorithm>

namespace vennaloop {

TileLayout ComputeTileLayout(int view_width, int view_height, int side) {
  TileLayout tile;
  if (view_width <= 0 || view_height <= 0) return tile;
  const int z = std::clamp(side, 1, MAX_CELL_SIDE);
  tile.period = PICTURE_PERIOD_CELLS * z;
  // A period alone may leave its last pixels uncovered, as a view's right and bottom edges are;
  // one more cell's worth makes every pixel of the first period a cell's.
  tile.width = std::min(view_width, tile.period + z);
  tile.height = std::min(view_height, tile.period + z);
  tile.is_view = tile.width == view_width && tile.height == view_height;
  // The tile is laid out as a view of its own size (so RenderView draws it): its cells fall on
  // the view's where their centre cells do, a whole number of periods apart.
  const ViewLayout view = ComputeViewLayout(view_width, view_height, z);
  const ViewLayout own = ComputeViewLayout(tile.width, tile.height, z);
  const auto first = [&](int offset) {
    const int phase = offset % tile.period;
    return phase > 0 ? phase - tile.period : phase;
  };
  tile.first_left = first(view.centre_left - own.centre_left);
  tile.first_top = first(view.centre_top - own.centre_top);
  const std::array<PixelRect, 2> uncovered = UncoveredPixels(view_width, view_height, z);
  tile.covered_right = uncovered[0].left;
  tile.covered_bottom = uncovered[1].top;
  return tile;
}

void AppendTileCopies(const TileLayout& layout, const PixelRect& changed,
                      std::vector<TileCopy>& copies) {
  if (layout.is_view || layout.period <= 0) return;
  const int period = layout.period;
  // Along each axis the copies start a period apart and each takes at most the tile's first
  // period, cut to the pixels the cells cover and to the changed ones.
  for (int top = layout.first_top; top < layout.covered_bottom; top += period) {
    const int source_top = std::max({0, -top, changed.top});
    const int source_bottom =
        std::min({period, layout.height, layout.covered_bottom - top, changed.bottom});
    if (source_top >= source_bottom) continue;
    for (int left = layout.first_left; left < layout.covered_right; left += period) {
      const int source_left = std::max({0, -left, changed.left});
      const int source_right =
          std::min({period, layout.width, layout.covered_right - left, changed.right});
      if (source_left >= source_right) continue;
      copies.push_back(TileCopy{PixelRect{source_left, source_top, source_right, source_bottom},
                                left + source_left, top + source_top});
    }
  }
}

bool TiledPicture::Resize(int view_width, int view_height, int side) {
  view_width_ = view_width;
  view_height_ = view_height;
  side_ = 0;
  updater_.Invalidate();
  if (view_width <= 0 || view_height <= 0) {
    tile_.Resize(0, 0);
    return false;
  }
  return Lay(std::clamp(side, 1, MAX_CELL_SIDE));
}

bool TiledPicture::Lay(int side) {
  layout_ = ComputeTileLayout(view_width_, view_height_, side);
  // A tile of the same size keeps its buffer: the updater renders it anew for the new side.
  if ((tile_.Width() != layout_.width || tile_.Height() != layout_.height) &&
      !tile_.Resize(layout_.width, layout_.height)) {
    side_ = 0;
    return false;
  }
  side_ = side;
  return true;
}

TiledUpdate TiledPicture::Update(int side) {
  TiledUpdate result;
  side = std::clamp(side, 1, MAX_CELL_SIDE);
  if (view_width_ <= 0 || view_height_ <= 0) return result;
  if (side != side_ && !Lay(side)) return result;
  const PictureUpdate update = updater_.Update(tile_, side);
  copies_.clear();
  if (update.full) {
    AppendTileCopies(layout_, PixelRect{0, 0, layout_.width, layout_.height}, copies_);
    result.full = true;
    result.copies = copies_;
    if (!layout_.is_view) {
      uncovered_ = UncoveredPixels(view_width_, view_height_, side);
      result.uncovered = uncovered_;
    }
    return result;
  }
  result.drawn = update.drawn;
  if (!update.drawn.empty()) {
    PixelRect bounds = update.drawn.front();
    for (const PixelRect& square : update.drawn)
      bounds = BoundsOf(bounds, square);
    AppendTileCopies(layout_, bounds, copies_);
  }
  result.copies = copies_;
  return result;
}

}  // namespace vennaloop
