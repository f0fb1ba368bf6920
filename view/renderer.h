// renderer.h: draws the grid and its unfolded copies around it into the view's pixel buffer.
// The grid's centre cell (row 128, column 128) sits at the centre of the client area.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "view/pixel_buffer.h"
#include "world/cell_grid.h"

namespace vennaloop {

/// The game's zoom levels: zoom n draws a cell n logical pixels wide.
inline constexpr int MIN_ZOOM = 1;
inline constexpr int MAX_ZOOM = 3;

/// The widest cell drawn, in device pixels: the largest zoom on a screen of four device pixels
/// to a logical one.
inline constexpr int MAX_CELL_SIDE = 12;

/// The picture repeats every this many cells across and down: two copies of the square side by
/// side bring it back upright.
inline constexpr int PICTURE_PERIOD_CELLS = 512;

/// The side of a cell in device pixels, for a zoom (clamped to MIN_ZOOM..MAX_ZOOM) on a screen of
/// `devicePixelRatio` device pixels to a logical one: the zoom in logical pixels, rounded to
/// whole device pixels, at least 1 and at most MAX_CELL_SIDE. At ratio 1 it is the zoom.
int CellSide(int zoom, double devicePixelRatio);

/// A rectangle of client pixels; right and bottom are one past the last pixel.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

/// The smallest rectangle holding both.
inline PixelRect BoundsOf(const PixelRect& a, const PixelRect& b) {
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

/// Where the screen cells of a client area fall. Screen cell (i, j), i in [-A, A - 1] and
/// j in [-B, B - 1], is the side x side square whose top-left pixel is
/// (centre_left + side * i, centre_top + side * j) and shows UnfoldCell(128 + i, 128 + j).
struct ViewLayout {
  int width;
  int height;
  int side;         ///< side of a cell's square in pixels, 1 to MAX_CELL_SIDE
  int cells_left;   ///< A: cells left of the centre cell (A - 1 lie right of it)
  int cells_above;  ///< B: cells above the centre cell (B - 1 lie below it)
  int centre_left;  ///< left pixel column of the centre cell's square
  int centre_top;   ///< top pixel row of the centre cell's square
};

/// The layout of a width x height client whose cells are `side` pixels wide. A side outside
/// 1..MAX_CELL_SIDE is clamped into it, so a stray value still draws a sane picture.
ViewLayout ComputeViewLayout(int width, int height, int side);

/// The square of screen cell (i, j); it may reach outside the client area.
PixelRect CellSquare(const ViewLayout& layout, int i, int j);

/// The grid cell shown at the unbounded grid coordinates x (column direction) and y (row
/// direction): the square for x and y in 0..255, copies turned over across the glued edges
/// around it, so that any two touching screen cells are one step apart on the grid.
Cell UnfoldCell(int x, int y);

/// A range of unbounded grid coordinates: x in [x_first, x_last], y in [y_first, y_last].
struct GridWindow {
  int x_first;
  int x_last;
  int y_first;
  int y_last;
};

/// The grid coordinates of the screen cells whose squares reach into the client area: screen
/// cell (i, j) is grid coordinates (128 + i, 128 + j). Never empty for a non-empty client.
GridWindow VisibleGrid(const ViewLayout& layout);

/// Calls visit(x, y) for every (x, y) in `window` where UnfoldCell(x, y) is `cell`, copy by copy
/// of the square, row of copies by row of copies: the inverse of UnfoldCell. Each copy of the
/// square shows every cell exactly once. Within copy (p, q), p and q being bit 8 of x and y, a
/// cell's row is mirrored when p is 1 and its column when q is 1; on the seam lines, column 255
/// and row 255, the mirror follows p xor q instead, as it does in UnfoldCell.
template <typename Visit>
void ForEachCopy(Cell cell, const GridWindow& window, Visit&& visit) {
  const std::uint8_t row = RowOf(cell);
  const std::uint8_t column = ColumnOf(cell);
  int place_x[2][2];  // [p][q]: offset within the copy
  int place_y[2][2];
  for (int p = 0; p < 2; ++p) {
    for (int q = 0; q < 2; ++q) {
      const bool turn_row = column == 255 ? p != q : p != 0;
      const bool turn_column = row == 255 ? p != q : q != 0;
      place_y[p][q] = turn_row ? MirrorCoord(row) : row;
      place_x[p][q] = turn_column ? MirrorCoord(column) : column;
    }
  }
  // Copy (tx, ty) covers x in [256 tx, 256 tx + 255]; the shifts floor, negatives included.
  for (int ty = window.y_first >> 8; ty <= window.y_last >> 8; ++ty) {
    const int q = ty & 1;
    for (int tx = window.x_first >> 8; tx <= window.x_last >> 8; ++tx) {
      const int p = tx & 1;
      const int x = tx * GRID_SIZE + place_x[p][q];
      const int y = ty * GRID_SIZE + place_y[p][q];
      if (x >= window.x_first && x <= window.x_last && y >= window.y_first && y <= window.y_last)
        visit(x, y);
    }
  }
}

/// Fills the part of square that lies inside the buffer with value; nothing without a buffer.
void PlotCell(PixelBuffer& buffer, const PixelRect& square, std::uint32_t value);

/// Draws every screen cell, `side` pixels wide, from CellMap through CellPalette, in the
/// buffer's pixel format. Pixels no cell covers (up to `side` columns at the right and rows at
/// the bottom) are left as they are. Does nothing without a buffer; a side outside
/// 1..MAX_CELL_SIDE is clamped into it. Not reentrant: it keeps the frame's colour tables in
/// static storage, for the window thread alone.
void RenderView(PixelBuffer& buffer, int side);

/// The pixels of a width x height client that no cell `side` pixels wide covers: a strip at the
/// right and one at the bottom, each up to side - 1 pixels across and either possibly empty.
std::array<PixelRect, 2> UncoveredPixels(int width, int height, int side);

/// Paints opaque black the pixels no cell `side` pixels wide covers, which RenderView leaves as
/// they were: after a change of side they would still show cells of the old picture.
void ClearUncoveredPixels(PixelBuffer& buffer, int side);

/// Redraws every screen cell that shows one of `cells`, at each of its unfolded copies in the
/// buffer, from CellMap through CellPalette, and appends the square drawn, cut to the buffer, to
/// `drawn`. The buffer must hold the picture of an earlier state at the same side (RenderView,
/// then RedrawCells for every cell changed since), so that afterwards it holds the picture
/// RenderView would draw now. A cell whose copy already shows its colour is left alone, as all
/// its copies do. Nothing without a buffer; a side outside 1..MAX_CELL_SIDE is clamped.
void RedrawCells(PixelBuffer& buffer, int side, std::span<const Cell> cells,
                 std::vector<PixelRect>& drawn);

}  // namespace vennaloop
