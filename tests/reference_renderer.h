// reference_renderer.h: a slow, plainly written per-pixel reading of the picture's rules, kept
// apart from the renderer so the two can be held against each other.
#pragma once

#include <cstdint>
#include <vector>

#include "world/cell_grid.h"

namespace vennaloop::reference {

inline int FloorDiv(int a, int b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

inline int Mirror(int t) {
  return (254 - t + 256) % 256;
}

/// The unfolding case by case, copy (p, q) by copy, exceptions on row and column 255 first.
inline Cell Unfold(int x, int y) {
  const int c = x - 256 * FloorDiv(x, 256);
  const int r = y - 256 * FloorDiv(y, 256);
  const bool p = FloorDiv(x, 256) % 2 != 0;
  const bool q = FloorDiv(y, 256) % 2 != 0;
  if (!p && !q) return MakeCell(r, c);
  if (!p) return c == 255 ? MakeCell(Mirror(r), 255) : MakeCell(r, Mirror(c));
  if (!q) return r == 255 ? MakeCell(255, Mirror(c)) : MakeCell(Mirror(r), c);
  if (r == 255) return MakeCell(255, c);
  if (c == 255) return MakeCell(r, 255);
  return MakeCell(Mirror(r), Mirror(c));
}

/// The first rule that matches: open, wall, alien, player, else goal; always opaque.
inline std::uint32_t Colour(std::uint8_t flags) {
  if (flags == 0) return 0xFF000000;
  if (flags & CELL_WALL) return 0xFF008000;
  if (flags & CELL_ALIEN) return 0xFFFF0000;
  if (flags & CELL_PLAYER) return 0xFFC0FFFF;
  return 0xFFFFFF00;
}

/// What a new buffer holds: opaque black.
inline constexpr std::uint32_t kCleared = 0xFF000000;

/// Colours every pixel of a width x height picture that some cell's square, `side` pixels wide,
/// covers; the others keep what they held.
inline void Render(std::vector<std::uint32_t>& pixels, int width, int height, int side) {
  const int half = side / 2;
  const int a = (width / 2 - half) / side + 1;
  const int b = (height / 2 - half) / side + 1;
  for (int py = 0; py < height; ++py) {
    for (int px = 0; px < width; ++px) {
      const int i = FloorDiv(px - (width / 2 - half), side);
      const int j = FloorDiv(py - (height / 2 - half), side);
      if (i < -a || i >= a || j < -b || j >= b) continue;
      pixels[py * width + px] = Colour(CellMap[Unfold(128 + i, 128 + j)]);
    }
  }
}

}  // namespace vennaloop::reference
