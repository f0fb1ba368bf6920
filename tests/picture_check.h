// picture_check.h: follows a PixelBuffer through resizes and renders with a shadow copy drawn by
// the plain reference renderer, and a screen that sees only what a PictureUpdater says to flush,
// and reports any pixel where they part from what they should show. Used by the long runs, the
// soak and the fuzz target; plain C++, no test framework.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "reference_renderer.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"

namespace vennaloop::testing {

namespace detail {

inline std::string FirstDifference(const std::uint32_t* ours, const std::uint32_t* theirs,
                                   int width, int height) {
  const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  const auto [a, b] = std::mismatch(ours, ours + n, theirs);
  if (a == ours + n) return {};
  const auto k = static_cast<std::size_t>(a - ours);
  return "pixel (" + std::to_string(k % width) + ", " + std::to_string(k / width) + ") of " +
         std::to_string(width) + "x" + std::to_string(height) + " is " + std::to_string(*a) +
         " where " + std::to_string(*b) + " belongs";
}

}  // namespace detail

class ShadowPicture {
 public:
  /// After buffer.Resize(width, height) answered `ok`: a refused size leaves no buffer at all, a
  /// granted one has exactly the size asked for and is opaque black throughout.
  std::string AfterResize(const PixelBuffer& buffer, int width, int height, bool ok) {
    shadow_.clear();
    if (!ok || width <= 0 || height <= 0) {
      if (ok) return "a buffer of an empty size was granted";
      if (buffer.Pixels() != nullptr || buffer.Width() != 0 || buffer.Height() != 0)
        return "a refused size left a buffer behind";
      return {};
    }
    if (buffer.Pixels() == nullptr || buffer.Width() != width || buffer.Height() != height)
      return "granted buffer has not the size asked for";
    shadow_.assign(PixelCount(buffer), reference::kCleared);
    if (!std::equal(shadow_.begin(), shadow_.end(), buffer.Pixels()))
      return "new buffer not cleared to opaque black";
    return {};
  }

  /// After RenderView(buffer, side): every pixel a cell covers has that cell's colour, every
  /// other pixel kept what it held.
  std::string AfterRender(const PixelBuffer& buffer, int side) {
    if (buffer.Pixels() == nullptr) return shadow_.empty() ? "" : "buffer vanished in a render";
    reference::Render(shadow_, buffer.Width(), buffer.Height(), std::clamp(side, 1, MAX_CELL_SIDE));
    const auto [ours, theirs] = std::mismatch(shadow_.begin(), shadow_.end(), buffer.Pixels());
    if (ours == shadow_.end()) return {};
    const auto k = static_cast<std::size_t>(ours - shadow_.begin());
    return "pixel (" + std::to_string(k % buffer.Width()) + ", " +
           std::to_string(k / buffer.Width()) + ") of " + std::to_string(buffer.Width()) + "x" +
           std::to_string(buffer.Height()) + " at side " + std::to_string(side) + " is " +
           std::to_string(*theirs) + ", the reference draws " + std::to_string(*ours);
  }

  /// Takes the buffer as it is, for renders that were not followed.
  void Resync(const PixelBuffer& buffer) {
    if (buffer.Pixels() == nullptr) return;
    shadow_.assign(buffer.Pixels(), buffer.Pixels() + PixelCount(buffer));
  }

 private:
  static std::size_t PixelCount(const PixelBuffer& buffer) {
    return static_cast<std::size_t>(buffer.Width()) * static_cast<std::size_t>(buffer.Height());
  }
  std::vector<std::uint32_t> shadow_;
};

/// The screen in front of a buffer kept by a PictureUpdater: it receives the whole buffer after
/// a full render and otherwise only the squares the updater says it drew, each of which must lie
/// inside the flushed rectangles, as a window that copies and flushes no more than the updater
/// says. After every update both the buffer and the screen must equal a fresh full render of the
/// present state into a new buffer.
class ShownPicture {
 public:
  /// After updater.Update(kept, side) answered `update`.
  std::string AfterUpdate(const PixelBuffer& kept, const PictureUpdate& update, int side) {
    if (kept.Pixels() == nullptr) {
      screen_.clear();
      return update.flush.empty() ? "" : "flush without a buffer";
    }
    const int width = kept.Width();
    const int height = kept.Height();
    if ((fresh_.Width() != width || fresh_.Height() != height) && !fresh_.Resize(width, height))
      return "no memory for a fresh render";
    std::fill_n(fresh_.Pixels(), static_cast<std::size_t>(width) * height, reference::kCleared);
    RenderView(fresh_, side);
    if (update.full) {
      screen_.assign(kept.Pixels(), kept.Pixels() + static_cast<std::size_t>(width) * height);
      width_ = width;
      height_ = height;
    } else if (width_ != width || height_ != height) {
      return "a buffer of a new size was updated without a full render";
    }
    flushed_.assign(static_cast<std::size_t>(width) * height, 0);
    for (const PixelRect& r : update.flush) {
      if (r.left < 0 || r.top < 0 || r.right > width || r.bottom > height || r.left >= r.right ||
          r.top >= r.bottom)
        return "flushed rectangle outside the buffer or empty";
      for (int y = r.top; y < r.bottom; ++y)
        std::fill_n(flushed_.begin() + static_cast<std::ptrdiff_t>(y) * width + r.left,
                    r.right - r.left, 1);
    }
    for (const PixelRect& r : update.drawn) {
      for (int y = r.top; y < r.bottom; ++y) {
        const std::size_t row = static_cast<std::size_t>(y) * width;
        for (int x = r.left; x < r.right; ++x) {
          if (!flushed_[row + x]) return "a drawn pixel lies outside the flushed rectangles";
          screen_[row + x] = kept.Pixels()[row + x];
        }
      }
    }
    std::string fault = detail::FirstDifference(kept.Pixels(), fresh_.Pixels(), width, height);
    if (!fault.empty()) return "kept buffer: " + fault + " in a full render";
    fault = detail::FirstDifference(screen_.data(), fresh_.Pixels(), width, height);
    if (!fault.empty()) return "screen: " + fault + " in a full render (not flushed)";
    return {};
  }

 private:
  std::vector<std::uint32_t> screen_;
  std::vector<std::uint8_t> flushed_;
  int width_ = 0;
  int height_ = 0;
  PixelBuffer fresh_;
};

}  // namespace vennaloop::testing
