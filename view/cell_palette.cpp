// cell_palette.cpp: the colour of each flag byte, chosen by the first flag that matches.
#include "view/cell_palette.h"

#include "world/cell_grid.h"

namespace vennaloop {

std::uint32_t CellPalette[256];

void BuildCellPalette() {
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
    CellPalette[k] = value;
  }
}

}  // namespace vennaloop
