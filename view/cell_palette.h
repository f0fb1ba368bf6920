// cell_palette.h: the fixed table that turns a cell's flag byte into the pixel value drawn for it.
// Pixel values are 0xFFRRGGBB: the top byte is the alpha, always opaque, since a compositor that
// honours alpha shows nothing of a picture whose top byte is 0.
#pragma once

#include <array>
#include <cstdint>

namespace vennaloop {

inline constexpr std::uint32_t PIXEL_OPAQUE = 0xFF000000;  ///< the alpha byte of every pixel

inline constexpr std::uint32_t PIXEL_OPEN = PIXEL_OPAQUE | 0x000000;    ///< black: open, empty
inline constexpr std::uint32_t PIXEL_WALL = PIXEL_OPAQUE | 0x008000;    ///< dark green
inline constexpr std::uint32_t PIXEL_ALIEN = PIXEL_OPAQUE | 0xFF0000;   ///< red
inline constexpr std::uint32_t PIXEL_PLAYER = PIXEL_OPAQUE | 0xC0FFFF;  ///< pale cyan
inline constexpr std::uint32_t PIXEL_GOAL = PIXEL_OPAQUE | 0xFFFF00;    ///< yellow

/// Pixel value for every flag byte. It holds the game's colours from the program's start, so no
/// front end can forget to fill it; tests may change it and put it back with ResetCellPalette.
extern std::array<std::uint32_t, 256> CellPalette;

/// Puts back the game's colours: a wall hides everything on it, an alien hides the player, the
/// player hides the goal.
void ResetCellPalette();

}  // namespace vennaloop
