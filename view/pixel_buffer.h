// pixel_buffer.h: the off-screen picture of the game view, W x H opaque pixels of 0xFFRRGGBB.
#pragma once

#include <cstdint>
#include <memory>

namespace vennaloop {

/// Owns W x H pixels, row after row, no gaps: pixel (x, y) is element y * W + x.
class PixelBuffer {
 public:
  /// Drops the old pixels and allocates new ones, cleared to opaque black. Returns false, and
  /// leaves no buffer, for an empty or negative size or a failed allocation; never throws.
  bool Resize(int width, int height);

  /// nullptr when there is no buffer.
  std::uint32_t* Pixels() { return pixels_.get(); }
  const std::uint32_t* Pixels() const { return pixels_.get(); }

  /// 0 when there is no buffer.
  int Width() const { return width_; }
  int Height() const { return height_; }

  /// Changes with every Resize, and is never the same for two buffers of the process: a picture
  /// drawn before the last Resize is gone, even where the new pixels, or a new buffer, happen to
  /// sit at the old address.
  std::uint64_t Generation() const { return generation_; }

 private:
  std::unique_ptr<std::uint32_t[]> pixels_;
  int width_ = 0;
  int height_ = 0;
  std::uint64_t generation_ = 0;
};

}  // namespace vennaloop
