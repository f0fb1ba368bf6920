// renderer.h: draws the grid and its unfolded copies around it into the view's pixel buffer.
// The grid's centre cell (row 128, column 128) sits at the centre of the client area.
#pragma once

#include <cstdint>

#include "view/pixel_buffer.h"
#include "world/cell_grid.h"

namespace vennaloop {

inline constexpr int MIN_ZOOM = 1;
inline constexpr int MAX_ZOOM = 3;

/// A rectangle of client pixels; right and bottom are one past the last pixel.
struct PixelRect {
  int left;
  int top;
  int right;
  int bottom;
};

/// Where the screen cells of a client area fall. Screen cell (i, j), i in [-A, A - 1] and
/// j in [-B, B - 1], is the zoom x zoom square whose top-left pixel is
/// (centre_left + zoom * i, centre_top + zoom * j) and shows UnfoldCell(128 + i, 128 + j).
struct ViewLayout {
  int width;
  int height;
  int zoom;         ///< side of a cell's square in pixels, 1 to 3
  int cells_left;   ///< A: cells left of the centre cell (A - 1 lie right of it)
  int cells_above;  ///< B: cells above the centre cell (B - 1 lie below it)
  int centre_left;  ///< left pixel column of the centre cell's square
  int centre_top;   ///< top pixel row of the centre cell's square
};

/// The layout of a width x height client at a zoom. A zoom outside 1..3 is clamped into it, so a
/// stray value still draws a sane picture.
ViewLayout ComputeViewLayout(int width, int height, int zoom);

/// The square of screen cell (i, j); it may reach outside the client area.
PixelRect CellSquare(const ViewLayout& layout, int i, int j);

/// The grid cell shown at the unbounded grid coordinates x (column direction) and y (row
/// direction): the square for x and y in 0..255, copies turned over across the glued edges
/// around it, so that any two touching screen cells are one step apart on the grid.
Cell UnfoldCell(int x, int y);

/// Fills the part of square that lies inside the buffer with value; nothing without a buffer.
void PlotCell(PixelBuffer& buffer, const PixelRect& square, std::uint32_t value);

/// Draws every screen cell from CellMap through CellPalette. Pixels no cell covers (a column or
/// two at the right, a row or two at the bottom, at zoom 2 and 3) are left as they are.
/// Does nothing without a buffer; a zoom outside 1..3 is clamped into it. Not reentrant: it
/// keeps the frame's colour tables in static storage, for the window thread alone.
void RenderView(PixelBuffer& buffer, int zoom);

}  // namespace vennaloop
