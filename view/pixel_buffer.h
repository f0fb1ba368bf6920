// pixel_buffer.h: the off-screen picture of the game view, W x H opaque pixels in the layout its
// front end shows them in.
#pragma once

#include <cstdint>
#include <memory>

namespace vennaloop {

/// How a pixel lies in memory.
enum class PixelFormat {
  Argb32,  ///< one 32-bit word 0xAARRGGBB, as Qt's RGB32 images and Windows' DIBs take it
  Rgba8,   ///< four bytes red, green, blue, alpha, as a canvas's image data takes it
};

/// An opaque 0xFFRRGGBB colour as a pixel of `format`, read as one word of the machine's byte
/// order (little-endian on every platform the game runs on).
constexpr std::uint32_t PixelValue(std::uint32_t argb, PixelFormat format) {
  if (format == PixelFormat::Argb32) return argb;
  return (argb & 0xFF00FF00u) | (argb >> 16 & 0xFFu) | (argb & 0xFFu) << 16;
}

/// Owns W x H pixels, row after row, no gaps: pixel (x, y) is element y * W + x.
class PixelBuffer {
 public:
  explicit PixelBuffer(PixelFormat format = PixelFormat::Argb32) : format_(format) {}

  /// Drops the old pixels and allocates new ones, cleared to opaque black. Returns false, and
  /// leaves no buffer, for an empty or negative size or a failed allocation; never throws.
  bool Resize(int width, int height);

  /// nullptr when there is no buffer.
  std::uint32_t* Pixels() { return pixels_.get(); }
  const std::uint32_t* Pixels() const { return pixels_.get(); }

  /// 0 when there is no buffer.
  int Width() const { return width_; }
  int Height() const { return height_; }

  PixelFormat Format() const { return format_; }

  /// Changes with every Resize, and is never the same for two buffers of the process: a picture
  /// drawn before the last Resize is gone, even where the new pixels, or a new buffer, happen to
  /// sit at the old address.
  std::uint64_t Generation() const { return generation_; }

 private:
  std::unique_ptr<std::uint32_t[]> pixels_;
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_;
  std::uint64_t generation_ = 0;
};

}  // namespace vennaloop
