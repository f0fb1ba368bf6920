// flush_region.cpp: the row bands of the flushed region.
#include "view/flush_region.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace vennaloop {

const std::vector<PixelRect>& FlushRegionShaper::Shape(std::span<const PixelRect> drawn,
                                                       int height) {
  out_.clear();
  if (drawn.empty()) return out_;
  row_left_.assign(static_cast<std::size_t>(height), INT_MAX);
  row_right_.assign(static_cast<std::size_t>(height), INT_MIN);
  PixelRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const PixelRect& r : drawn) {
    for (int y = r.top; y < r.bottom; ++y) {
      row_left_[y] = std::min(row_left_[y], r.left);
      row_right_[y] = std::max(row_right_[y], r.right);
    }
    box = BoundsOf(box, r);
  }
  for (int y = box.top; y < box.bottom; ++y) {
    if (row_right_[y] == INT_MIN) continue;
    if (!out_.empty() && out_.back().bottom == y) {
      PixelRect& band = out_.back();
      band.left = std::min(band.left, row_left_[y]);
      band.right = std::max(band.right, row_right_[y]);
      band.bottom = y + 1;
    } else {
      out_.push_back(PixelRect{row_left_[y], y, row_right_[y], y + 1});
    }
  }
  if (out_.size() > static_cast<std::size_t>(MAX_FLUSH_BANDS)) {
    out_.clear();
    out_.push_back(box);
  }
  return out_;
}

}  // namespace vennaloop
