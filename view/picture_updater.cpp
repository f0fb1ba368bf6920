// picture_updater.cpp: the choice between a whole picture and a redraw of the changed cells.
#include "view/picture_updater.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

#include "view/cell_palette.h"

namespace vennaloop {

PictureUpdate PictureUpdater::Update(PixelBuffer& buffer, int zoom) {
  TakeCellChanges(changes_);
  PictureUpdate update;
  if (buffer.Pixels() == nullptr) {
    valid_ = false;
    return update;
  }
  zoom = std::clamp(zoom, MIN_ZOOM, MAX_ZOOM);
  const bool same_picture =
      valid_ && buffer_ == &buffer && generation_ == buffer.Generation() && zoom_ == zoom &&
      std::equal(std::begin(palette_), std::end(palette_), std::begin(CellPalette));
  const auto many = static_cast<std::size_t>(MAX_REDRAWN_CELLS) * zoom * zoom;
  if (!same_picture || changes_.everything || changes_.cells.size() > many) {
    RenderView(buffer, zoom);
    // What a former zoom left outside the cells must not stay on screen.
    ClearUncoveredPixels(buffer, zoom);
    valid_ = true;
    buffer_ = &buffer;
    generation_ = buffer.Generation();
    zoom_ = zoom;
    std::copy(std::begin(CellPalette), std::end(CellPalette), std::begin(palette_));
    whole_ = PixelRect{0, 0, buffer.Width(), buffer.Height()};
    update.full = true;
    update.flush = std::span<const PixelRect>(&whole_, 1);
    return update;
  }
  drawn_.clear();
  RedrawCells(buffer, zoom, changes_.cells, drawn_);
  update.cells = static_cast<int>(changes_.cells.size());
  update.squares = static_cast<int>(drawn_.size());
  update.drawn = drawn_;
  update.flush = shaper_.Shape(drawn_, buffer.Width(), buffer.Height(), shape_);
  return update;
}

}  // namespace vennaloop
