// renderer.cpp: the unfolding of the glued grid onto the plane and the drawing of the picture.
#include "view/renderer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "view/cell_palette.h"

namespace vennaloop {

int CellSide(int zoom, double devicePixelRatio) {
  const double logical = std::clamp(zoom, MIN_ZOOM, MAX_ZOOM);
  // A ratio that is no number, or none at all, is taken as 1.
  const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
  const double side = std::round(logical * ratio);
  return side < 1 ? 1 : side > MAX_CELL_SIDE ? MAX_CELL_SIDE : static_cast<int>(side);
}

ViewLayout ComputeViewLayout(int width, int height, int side) {
  const int z = std::clamp(side, 1, MAX_CELL_SIDE);
  // The centre cell's square is centred on the client's centre, as nearly as whole pixels allow.
  const int h = z / 2;
  ViewLayout layout{};
  layout.width = width;
  layout.height = height;
  layout.side = z;
  // Integer division truncates toward zero, so a 1-pixel client still gets A = B = 1.
  layout.cells_left = (width / 2 - h) / z + 1;
  layout.cells_above = (height / 2 - h) / z + 1;
  layout.centre_left = width / 2 - h;
  layout.centre_top = height / 2 - h;
  return layout;
}

PixelRect CellSquare(const ViewLayout& layout, int i, int j) {
  const int left = layout.centre_left + layout.side * i;
  const int top = layout.centre_top + layout.side * j;
  return PixelRect{left, top, left + layout.side, top + layout.side};
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

// Colours of the frame being drawn, per grid row: CellColours[(row, c)] is the colour of cell
// (row, c), MirroredColours[(row, c)] that of (row, MirrorCoord(c)). A large window shows each
// grid cell many times, so one palette lookup per grid cell beats one per screen cell, and a
// screen row, which runs along grid rows forward or backward, becomes a few plain copies out of
// these tables. Only the window thread renders, so one pair of tables serves.
std::uint32_t CellColours[CELL_COUNT];
std::uint32_t MirroredColours[CELL_COUNT];

void PrepareCellColours(PixelFormat format) {
  std::uint32_t palette[256];
  for (int k = 0; k < 256; ++k)
    palette[k] = PixelValue(CellPalette[k], format);
  for (int row = 0; row < GRID_SIZE; ++row) {
    for (int c = 0; c < GRID_SIZE; ++c) {
      const std::uint32_t colour = palette[CellMap[MakeCell(row, c)]];
      CellColours[MakeCell(row, c)] = colour;
      MirroredColours[MakeCell(row, MirrorCoord(static_cast<std::uint8_t>(c)))] = colour;
    }
  }
}

int FloorDiv(int a, int b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The drawing of a row is compiled for the sides 1 to 3, the zooms of a plain screen, where a
// frame's cost matters most; Z = 0 takes the side at run time, for denser screens.
template <int Z>
std::uint32_t* PutBlock(std::uint32_t* out, std::uint32_t colour, int side) {
  const int z = Z > 0 ? Z : side;
  for (int k = 0; k < z; ++k) {
    out[k] = colour;
  }
  return out + z;
}

// Copies n colours out as blocks of the side.
template <int Z>
std::uint32_t* CopyRun(std::uint32_t* out, const std::uint32_t* from, int n, int side) {
  int k = 0;
#if defined(__SSE2__)
  if constexpr (Z > 0) {
    // Four cells at a time: one load, then 4, 8 or 12 pixels stored.
    for (; k + 4 <= n; k += 4, out += 4 * Z) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + k));
      auto* o = reinterpret_cast<__m128i*>(out);
      if constexpr (Z == 1) {
        _mm_storeu_si128(o, v);
      } else if constexpr (Z == 2) {
        _mm_storeu_si128(o, _mm_unpacklo_epi32(v, v));
        _mm_storeu_si128(o + 1, _mm_unpackhi_epi32(v, v));
      } else {
        _mm_storeu_si128(o, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0)));
        _mm_storeu_si128(o + 1, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1)));
        _mm_storeu_si128(o + 2, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2)));
      }
    }
  }
#endif
  for (; k < n; ++k) {
    out = PutBlock<Z>(out, from[k], side);
  }
  return out;
}

// One pixel row of the screen cells at grid coordinates x = first .. last (all wholly inside
// the client area) and y. Within one copy of the square a screen row runs along one grid row,
// forward or backward, so it is drawn as runs of at most 255 cells; the column-255 line,
// whose row turns with the neighbouring copy, is drawn a cell at a time.
template <int Z>
void DrawRow(std::uint32_t* out, int first, int last, int y, int side) {
  const auto r = static_cast<std::uint8_t>(y);
  const auto mirrored_r = MirrorCoord(r);
  const bool q = (static_cast<unsigned>(y) >> 8) & 1;
  for (int x = first; x <= last;) {
    const int c = x & 0xFF;
    const bool p = (static_cast<unsigned>(x) >> 8) & 1;
    if (c == 255) {
      out = PutBlock<Z>(out, CellColours[MakeCell(p != q ? mirrored_r : r, 255)], side);
      ++x;
      continue;
    }
    const int n = std::min(last - x + 1, 255 - c);
    // On the row-255 line the columns turn with the neighbouring copy.
    const bool mirrored = q != (p && r == 255);
    const std::uint32_t* colours = mirrored ? MirroredColours : CellColours;
    out = CopyRun<Z>(out, colours + MakeCell(p ? mirrored_r : r, c), n, side);
    x += n;
  }
}

}  // namespace

GridWindow VisibleGrid(const ViewLayout& layout) {
  const int z = layout.side;
  const int a = layout.cells_left;
  const int b = layout.cells_above;
  return GridWindow{
      128 + std::max(-a, FloorDiv(-layout.centre_left, z)),
      128 + std::min(a - 1, FloorDiv(layout.width - 1 - layout.centre_left, z)),
      128 + std::max(-b, FloorDiv(-layout.centre_top, z)),
      128 + std::min(b - 1, FloorDiv(layout.height - 1 - layout.centre_top, z)),
  };
}

void RenderView(PixelBuffer& buffer, int side) {
  std::uint32_t* pixels = buffer.Pixels();
  if (pixels == nullptr) return;
  const int width = buffer.Width();
  const int height = buffer.Height();
  const ViewLayout layout = ComputeViewLayout(width, height, side);
  const int z = layout.side;
  PrepareCellColours(buffer.Format());

  // The screen cells that reach into the client area. Only the first and last of a row can be
  // cut by its left or right edge; they go through the clipped plot.
  const GridWindow visible = VisibleGrid(layout);
  const int i_first = visible.x_first - 128;
  const int i_last = visible.x_last - 128;
  const int j_first = visible.y_first - 128;
  const int j_last = visible.y_last - 128;
  const auto stride = static_cast<std::size_t>(width);
  const int inner_left = layout.centre_left + z * (i_first + 1);
  const auto inner_count = static_cast<std::size_t>(std::max(0, z * (i_last - i_first - 1)));

  for (int j = j_first; j <= j_last; ++j) {
    const int y = 128 + j;
    PlotCell(buffer, CellSquare(layout, i_first, j), CellColours[UnfoldCell(128 + i_first, y)]);
    if (i_last == i_first) continue;
    PlotCell(buffer, CellSquare(layout, i_last, j), CellColours[UnfoldCell(128 + i_last, y)]);
    if (inner_count == 0) continue;

    // The first pixel row of the cell row is drawn, the rest of its z rows are copies.
    const PixelRect square = CellSquare(layout, 0, j);
    const int top = std::max(square.top, 0);
    const int bottom = std::min(square.bottom, height);
    std::uint32_t* first_row = pixels + static_cast<std::size_t>(top) * stride + inner_left;
    // The picture repeats along a row, so only its first period is drawn from the tables and
    // the rest copied in bulk.
    const int first = 129 + i_first;
    const int last = std::min(127 + i_last, first + PICTURE_PERIOD_CELLS - 1);
    switch (z) {
      case 1:
        DrawRow<1>(first_row, first, last, y, z);
        break;
      case 2:
        DrawRow<2>(first_row, first, last, y, z);
        break;
      case 3:
        DrawRow<3>(first_row, first, last, y, z);
        break;
      default:
        DrawRow<0>(first_row, first, last, y, z);
        break;
    }
    for (std::size_t done = static_cast<std::size_t>(z) * PICTURE_PERIOD_CELLS; done < inner_count;
         done *= 2) {
      std::memcpy(first_row + done, first_row,
                  std::min(done, inner_count - done) * sizeof *first_row);
    }
    for (int row = top + 1; row < bottom; ++row) {
      std::memcpy(first_row + (row - top) * stride, first_row, inner_count * sizeof *first_row);
    }
  }
}

std::array<PixelRect, 2> UncoveredPixels(int width, int height, int side) {
  const ViewLayout layout = ComputeViewLayout(width, height, side);
  // Cells start at or left of the first column and above the first row; only the far edges can
  // fall short.
  const int covered_width = std::min(width, layout.centre_left + layout.side * layout.cells_left);
  const int covered_height = std::min(height, layout.centre_top + layout.side * layout.cells_above);
  return {PixelRect{covered_width, 0, width, height},
          PixelRect{0, covered_height, covered_width, height}};
}

void ClearUncoveredPixels(PixelBuffer& buffer, int side) {
  if (buffer.Pixels() == nullptr) return;
  const std::uint32_t black = PixelValue(PIXEL_OPEN, buffer.Format());
  for (const PixelRect& strip : UncoveredPixels(buffer.Width(), buffer.Height(), side))
    PlotCell(buffer, strip, black);
}

void RedrawCells(PixelBuffer& buffer, int side, std::span<const Cell> cells,
                 std::vector<PixelRect>& drawn) {
  std::uint32_t* pixels = buffer.Pixels();
  if (pixels == nullptr) return;
  const int width = buffer.Width();
  const int height = buffer.Height();
  const ViewLayout layout = ComputeViewLayout(width, height, side);
  const GridWindow visible = VisibleGrid(layout);
  const auto stride = static_cast<std::size_t>(width);
  const PixelFormat format = buffer.Format();
  for (const Cell cell : cells) {
    const std::uint32_t colour = PixelValue(CellPalette[CellMap[cell]], format);
    // Every copy of a cell shows the same colour, so the first copy tells whether any needs
    // drawing: a cell whose byte changed without changing its colour costs nothing on screen.
    bool first = true;
    bool shown = false;
    ForEachCopy(cell, visible, [&](int x, int y) {
      if (shown) return;
      const PixelRect square = CellSquare(layout, x - 128, y - 128);
      const PixelRect cut{std::max(square.left, 0), std::max(square.top, 0),
                          std::min(square.right, width), std::min(square.bottom, height)};
      std::uint32_t* row = pixels + static_cast<std::size_t>(cut.top) * stride;
      if (first) {
        first = false;
        shown = row[cut.left] == colour;
        if (shown) return;
      }
      for (int k = cut.top; k < cut.bottom; ++k, row += stride)
        std::fill(row + cut.left, row + cut.right, colour);
      drawn.push_back(cut);
    });
  }
}

}  // namespace vennaloop
