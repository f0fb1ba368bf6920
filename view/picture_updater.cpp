// picture_updater.cpp: the choice between a whole picture and a redraw of the changed cells.
#include "view/picture_updater.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "view/cell_palette.h"

namespace vennaloop {

PictureUpdate PictureUpdater::Update(PixelBuffer& buffer, int side) {
  TakeCellChanges(changes_);
  PictureUpdate update;
  if (buffer.Pixels() == nullptr) {
    valid_ = false;
    return update;
  }
  side = std::clamp(side, 1, MAX_CELL_SIDE);
  const bool same_picture =
      valid_ && buffer_ == &buffer && generation_ == buffer.Generation() && side_ == side &&
      std::equal(std::begin(palette_), std::end(palette_), std::begin(CellPalette));
  const auto many = static_cast<std::size_t>(MAX_REDRAWN_CELLS) * side * side;
  if (!same_picture || changes_.everything || changes_.cells.size() > many) {
    RenderView(buffer, side);
    // What a former side left outside the cells must not stay on screen.
    ClearUncoveredPixels(buffer, side);
    valid_ = true;
    buffer_ = &buffer;
    generation_ = buffer.Generation();
    side_ = side;
    std::copy(std::begin(CellPalette), std::end(CellPalette), std::begin(palette_));
    whole_ = PixelRect{0, 0, buffer.Width(), buffer.Height()};
    update.full = true;
    update.flush = std::span<const PixelRect>(&whole_, 1);
    return update;
  }
  drawn_.clear();
  RedrawCells(buffer, side, changes_.cells, drawn_);
  update.cells = static_cast<int>(changes_.cells.size());
  update.squares = static_cast<int>(drawn_.size());
  update.drawn = drawn_;
  update.flush = shaper_.Shape(drawn_, buffer.Height());
  return update;
}

}  // namespace vennaloop
