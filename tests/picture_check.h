// picture_check.h: follows a PixelBuffer through resizes and renders with a shadow copy drawn by
// the plain reference renderer, and reports any pixel where the two part. Used by the soak and
// the fuzz target; plain C++, no test framework.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "reference_renderer.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"

namespace vennaloop::testing {

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

  /// After RenderView(buffer, zoom): every pixel a cell covers has that cell's colour, every
  /// other pixel kept what it held.
  std::string AfterRender(const PixelBuffer& buffer, int zoom) {
    if (buffer.Pixels() == nullptr) return shadow_.empty() ? "" : "buffer vanished in a render";
    reference::Render(shadow_, buffer.Width(), buffer.Height(),
                      std::clamp(zoom, MIN_ZOOM, MAX_ZOOM));
    const auto [ours, theirs] = std::mismatch(shadow_.begin(), shadow_.end(), buffer.Pixels());
    if (ours == shadow_.end()) return {};
    const auto k = static_cast<std::size_t>(ours - shadow_.begin());
    return "pixel (" + std::to_string(k % buffer.Width()) + ", " +
           std::to_string(k / buffer.Width()) + ") of " + std::to_string(buffer.Width()) + "x" +
           std::to_string(buffer.Height()) + " at zoom " + std::to_string(zoom) + " is " +
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

}  // namespace vennaloop::testing
