// pixel_buffer.cpp: allocation of the view's pixels; a failure leaves the view without a picture.
#include "view/pixel_buffer.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>

#include "view/cell_palette.h"

namespace vennaloop {

bool PixelBuffer::Resize(int width, int height) {
  // Free first, so the old and the new picture never have to fit in memory together.
  pixels_.reset();
  width_ = 0;
  height_ = 0;
  static std::atomic<std::uint64_t> last_generation{0};
  generation_ = ++last_generation;
  if (width <= 0 || height <= 0) return false;

  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  // A size whose byte count does not fit is as good as a failed allocation.
  constexpr std::size_t kMaxPixels = PTRDIFF_MAX / sizeof(std::uint32_t);
  if (w > kMaxPixels / h) return false;

  // Cleared to opaque black, so pixels that no cell covers never show stale memory, nor let a
  // compositor see through them.
  std::uint32_t* pixels = new (std::nothrow) std::uint32_t[w * h];
  if (pixels == nullptr) return false;
  std::fill(pixels, pixels + w * h, PixelValue(PIXEL_OPEN, format_));
  pixels_.reset(pixels);
  width_ = width;
  height_ = height;
  return true;
}

}  // namespace vennaloop
