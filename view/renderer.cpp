// renderer.cpp: the unfolding of the glued grid onto the plane and the drawing of the picture.
#include "view/renderer.h"

#include <algorithm>
#include <cstddef>

#include "view/cell_palette.h"

namespace vennaloop {

ViewLayout ComputeViewLayout(int width, int height, int zoom) {
  const int z = std::clamp(zoom, MIN_ZOOM, MAX_ZOOM);
  const int h = z / 2;
  ViewLayout layout{};
  layout.width = width;
  layout.height = height;
  layout.zoom = z;
  // Integer division truncates toward zero, so a 1-pixel client still gets A = B = 1.
  layout.cells_left = (width / 2 - h) / z + 1;
  layout.cells_above = (height / 2 - h) / z + 1;
  layout.centre_left = width / 2 - h;
  layout.centre_top = height / 2 - h;
  return layout;
}

PixelRect CellSquare(const ViewLayout& layout, int i, int j) {
  const int left = layout.centre_left + layout.zoom * i;
  const int top = layout.centre_top + layout.zoom * j;
  return PixelRect{left, top, left + layout.zoom, top + layout.zoom};
}

Cell UnfoldCell(int x, int y) {
  const auto c = static_cast<std::uint8_t>(x);
  const auto r = static_cast<std::uint8_t>(y);
  // Bit 8 tells whether the copy is turned over across the left/right (p) or top/bottom (q) seam.
  const bool p = (static_cast<unsigned>(x) >> 8) & 1;
  const bool q = (static_cast<unsigned>(y) >> 8) & 1;
  // Row 255 and column 255 lie on the seams themselves: there the other copy's turn applies.
  const bool flip_row = p != (q && c == 255);
  const bool flip_column = q != (p && r == 255);
  return MakeCell(flip_row ? MirrorCoord(r) : r, flip_column ? MirrorCoord(c) : c);
}

void PlotCell(PixelBuffer& buffer, const PixelRect& square, std::uint32_t value) {
  std::uint32_t* pixels = buffer.Pixels();
  if (pixels == nullptr) return;
  const int width = buffer.Width();
  const int left = std::max(square.left, 0);
  const int top = std::max(square.top, 0);
  const int right = std::min(square.right, width);
  const int bottom = std::min(square.bottom, buffer.Height());
  if (left >= right || top >= bottom) return;
  for (int y = top; y < bottom; ++y) {
    std::uint32_t* row = pixels + static_cast<std::size_t>(y) * width;
    std::fill(row + left, row + right, value);
  }
}

namespace {

std::uint32_t CellColour(int x, int y) {
  return CellPalette[CellMap[UnfoldCell(x, y)]];
}

void PlotScreenCell(PixelBuffer& buffer, const ViewLayout& layout, int i, int j) {
  PlotCell(buffer, CellSquare(layout, i, j), CellColour(128 + i, 128 + j));
}

}  // namespace

void RenderView(PixelBuffer& buffer, int zoom) {
  std::uint32_t* pixels = buffer.Pixels();
  if (pixels == nullptr) return;
  const ViewLayout layout = ComputeViewLayout(buffer.Width(), buffer.Height(), zoom);
  const int a = layout.cells_left;
  const int b = layout.cells_above;
  const int z = layout.zoom;
  const auto stride = static_cast<std::size_t>(layout.width);

  for (int i = -a; i < a; ++i)
    PlotScreenCell(buffer, layout, i, -b);
  for (int j = 1 - b; j <= b - 2; ++j) {
    PlotScreenCell(buffer, layout, -a, j);
    // Inner cells lie wholly inside the client area and need no clipping.
    for (int i = 1 - a; i <= a - 2; ++i) {
      const std::uint32_t value = CellColour(128 + i, 128 + j);
      std::uint32_t* block = pixels + static_cast<std::size_t>(layout.centre_top + z * j) * stride +
                             (layout.centre_left + z * i);
      for (int dy = 0; dy < z; ++dy, block += stride) {
        for (int dx = 0; dx < z; ++dx)
          block[dx] = value;
      }
    }
    PlotScreenCell(buffer, layout, a - 1, j);
  }
  for (int i = -a; i < a; ++i)
    PlotScreenCell(buffer, layout, i, b - 1);
}

}  // namespace vennaloop
