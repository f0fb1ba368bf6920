// flush_region.cpp: the shapes of the flushed region, each covering every drawn square.
#include "view/flush_region.h"

#include <algorithm>
#include <climits>
#include <cstddef>

namespace vennaloop {

namespace {

PixelRect BoundingBox(std::span<const PixelRect> rects) {
  PixelRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
  for (const PixelRect& r : rects) {
    box.left = std::min(box.left, r.left);
    box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  }
  return box;
}

}  // namespace

const std::vector<PixelRect>& FlushRegionShaper::Shape(std::span<const PixelRect> drawn, int width,
                                                       int height, const FlushShape& shape) {
  out_.clear();
  if (drawn.empty()) return out_;
  switch (shape.kind) {
    case FlushShapeKind::Squares:
      Squares(drawn);
      break;
    case FlushShapeKind::Blocks:
      Blocks(drawn, width, height, std::max(1, shape.block_size));
      break;
    case FlushShapeKind::RowBands:
      RowBands(drawn, height, std::max(0, shape.band_gap));
      break;
    case FlushShapeKind::BoundingBox:
      break;
  }
  if (out_.empty() || out_.size() > static_cast<std::size_t>(std::max(1, shape.max_rects))) {
    out_.clear();
    out_.push_back(BoundingBox(drawn));
  }
  return out_;
}

void FlushRegionShaper::Squares(std::span<const PixelRect> drawn) {
  sorted_.assign(drawn.begin(), drawn.end());
  std::sort(sorted_.begin(), sorted_.end(), [](const PixelRect& a, const PixelRect& b) {
    if (a.top != b.top) return a.top < b.top;
    if (a.bottom != b.bottom) return a.bottom < b.bottom;
    return a.left < b.left;
  });
  for (const PixelRect& r : sorted_) {
    if (!out_.empty()) {
      PixelRect& last = out_.back();
      if (last.top == r.top && last.bottom == r.bottom && last.right >= r.left) {
        last.right = std::max(last.right, r.right);
        continue;
      }
    }
    out_.push_back(r);
  }
}

void FlushRegionShaper::Blocks(std::span<const PixelRect> drawn, int width, int height, int size) {
  const int columns = (width + size - 1) / size;
  const int rows = (height + size - 1) / size;
  marked_.assign(static_cast<std::size_t>(columns) * rows, 0);
  for (const PixelRect& r : drawn) {
    for (int by = r.top / size; by <= (r.bottom - 1) / size; ++by) {
      for (int bx = r.left / size; bx <= (r.right - 1) / size; ++bx)
        marked_[static_cast<std::size_t>(by) * columns + bx] = 1;
    }
  }
  // Runs of marked blocks across each row of blocks. A run that repeats one of the row above
  // lengthens that rectangle; the rectangles no run lengthens are finished.
  open_.clear();
  for (int by = 0; by < rows; ++by) {
    const int top = by * size;
    const int bottom = std::min(top + size, height);
    const std::uint8_t* marks = marked_.data() + static_cast<std::size_t>(by) * columns;
    next_open_.clear();
    std::size_t k = 0;  // open_ is ordered by left, as the runs are found
    for (int bx = 0; bx < columns;) {
      if (!marks[bx]) {
        ++bx;
        continue;
      }
      const int left = bx * size;
      while (bx < columns && marks[bx])
        ++bx;
      const int right = std::min(bx * size, width);
      for (; k < open_.size() && open_[k].left < left; ++k)
        out_.push_back(open_[k]);
      if (k < open_.size() && open_[k].left == left && open_[k].right == right) {
        next_open_.push_back(PixelRect{left, open_[k].top, right, bottom});
        ++k;
      } else {
        next_open_.push_back(PixelRect{left, top, right, bottom});
      }
    }
    out_.insert(out_.end(), open_.begin() + static_cast<std::ptrdiff_t>(k), open_.end());
    open_.swap(next_open_);
  }
  out_.insert(out_.end(), open_.begin(), open_.end());
}

void FlushRegionShaper::RowBands(std::span<const PixelRect> drawn, int height, int gap) {
  row_left_.assign(static_cast<std::size_t>(height), INT_MAX);
  row_right_.assign(static_cast<std::size_t>(height), INT_MIN);
  for (const PixelRect& r : drawn) {
    for (int y = r.top; y < r.bottom; ++y) {
      row_left_[y] = std::min(row_left_[y], r.left);
      row_right_[y] = std::max(row_right_[y], r.right);
    }
  }
  for (int y = 0; y < height; ++y) {
    if (row_right_[y] == INT_MIN) continue;
    if (!out_.empty() && y - out_.back().bottom <= gap) {
      PixelRect& band = out_.back();
      band.left = std::min(band.left, row_left_[y]);
      band.right = std::max(band.right, row_right_[y]);
      band.bottom = y + 1;
    } else {
      out_.push_back(PixelRect{row_left_[y], y, row_right_[y], y + 1});
    }
  }
}

}  // namespace vennaloop
