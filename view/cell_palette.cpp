// cell_palette.cpp: the colour of each flag byte, chosen by the first flag that matches.
#include "view/cell_palette.h"

#include "world/cell_grid.h"

namespace vennaloop {

namespace {

constexpr std::array<std::uint32_t, 256> GameColours() {
  std::array<std::uint32_t, 256> colours{};
  for (int k = 0; k < 256; ++k) {
    std::uint32_t value = PIXEL_GOAL;
    if (k == 0) {
      value = PIXEL_OPEN;
    } else if (k & CELL_WALL) {
      value = PIXEL_WALL;
    } else if (k & CELL_ALIEN) {
      value = PIXEL_ALIEN;
    } else if (k & CELL_PLAYER) {
      value = PIXEL_PLAYER;
    }
    colours[k] = value;
  }
  return colours;
}

}  // namespace

// Constant-initialized: filled before any code runs.
constinit std::array<std::uint32_t, 256> CellPalette = GameColours();

void ResetCellPalette() {
  CellPalette = GameColours();
}

}  // namespace vennaloop
