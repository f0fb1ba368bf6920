// cell_palette.h: the fixed table that turns a cell's flag byte into the pixel value drawn for it.
// Pixel values are 0x00RRGGBB.
#pragma once

#include <cstdint>

namespace vennaloop {

inline constexpr std::uint32_t PIXEL_OPEN = 0x000000;    ///< black: open, nobody on it
inline constexpr std::uint32_t PIXEL_WALL = 0x008000;    ///< dark green
inline constexpr std::uint32_t PIXEL_ALIEN = 0xFF0000;   ///< red
inline constexpr std::uint32_t PIXEL_PLAYER = 0xC0FFFF;  ///< pale cyan
inline constexpr std::uint32_t PIXEL_GOAL = 0xFFFF00;    ///< yellow

/// Pixel value for every flag byte; filled once by BuildCellPalette when the view is created.
extern std::uint32_t CellPalette[256];

/// Fills CellPalette: a wall hides everything on it, an alien hides the player, the player hides
/// the goal.
void BuildCellPalette();

}  // namespace vennaloop
