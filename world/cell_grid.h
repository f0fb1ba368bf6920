// cell_grid.h: the 256 x 256 grid of the game, its flag map and the projective gluing of its edges.
// Every 16-bit value is a valid cell, so nothing here checks bounds or allocates.
#pragma once

#include <cstdint>

namespace vennaloop {

/// A cell index: high byte the row (0-255, downward), low byte the column (0-255, rightward).
using Cell = std::uint16_t;

inline constexpr int GRID_SIZE = 256;
inline constexpr int CELL_COUNT = GRID_SIZE * GRID_SIZE;

/// Flag bits of a CellMap byte; they combine freely.
inline constexpr std::uint8_t CELL_WALL = 1;    ///< solid: no walker moves into it
inline constexpr std::uint8_t CELL_PLAYER = 2;  ///< the player stands here
inline constexpr std::uint8_t CELL_ALIEN = 4;   ///< at least one alien stands here
inline constexpr std::uint8_t CELL_GOAL = 8;    ///< the stage's goal

/// One flag byte per cell, indexed by the Cell value itself; lives for the whole process.
inline std::uint8_t CellMap[CELL_COUNT];

constexpr std::uint8_t RowOf(Cell cell) {
  return static_cast<std::uint8_t>(cell >> 8);
}
constexpr std::uint8_t ColumnOf(Cell cell) {
  return static_cast<std::uint8_t>(cell & 0xFF);
}

/// The cell at (row, column); both are folded into 0-255 as byte arithmetic does.
constexpr Cell MakeCell(int row, int column) {
  return static_cast<Cell>(((row & 0xFF) << 8) | (column & 0xFF));
}

/// Start room of the player and the goal room, its opposite.
inline constexpr Cell START_ROOM = 0x4040;
inline constexpr Cell GOAL_ROOM = MakeCell(192, 192);

/// The coordinate seen across a glued edge: (254 - t) mod 256. Keeps even values even, so rooms
/// stay rooms; fixes 127 and 255.
constexpr std::uint8_t MirrorCoord(std::uint8_t t) {
  return static_cast<std::uint8_t>(254 - t);
}

constexpr Cell StepUp(Cell cell) {
  std::uint8_t row = RowOf(cell);
  std::uint8_t column = ColumnOf(cell);
  if (row == 0) column = MirrorCoord(column);
  return MakeCell(row - 1, column);
}

constexpr Cell StepDown(Cell cell) {
  const std::uint8_t row = static_cast<std::uint8_t>(RowOf(cell) + 1);
  std::uint8_t column = ColumnOf(cell);
  if (row == 0) column = MirrorCoord(column);
  return MakeCell(row, column);
}

constexpr Cell StepRight(Cell cell) {
  std::uint8_t row = RowOf(cell);
  const std::uint8_t column = static_cast<std::uint8_t>(ColumnOf(cell) + 1);
  if (column == 0) row = MirrorCoord(row);
  return MakeCell(row, column);
}

constexpr Cell StepLeft(Cell cell) {
  std::uint8_t row = RowOf(cell);
  const std::uint8_t column = ColumnOf(cell);
  if (column == 0) row = MirrorCoord(row);
  return MakeCell(row, column - 1);
}

/// True when one cell lies in row 0 and the other in row 255: a move across the top/bottom seam.
constexpr bool CrossedRowSeam(Cell a, Cell b) {
  return (RowOf(a) == 0 && RowOf(b) == 255) || (RowOf(a) == 255 && RowOf(b) == 0);
}

/// True when one cell lies in column 0 and the other in column 255.
constexpr bool CrossedColumnSeam(Cell a, Cell b) {
  return (ColumnOf(a) == 0 && ColumnOf(b) == 255) || (ColumnOf(a) == 255 && ColumnOf(b) == 0);
}

/// The room half a plane away; always a room, whatever cell it is given.
constexpr Cell OppositeRoom(Cell cell) {
  return MakeCell((RowOf(cell) + 128) & 0xFE, (ColumnOf(cell) + 128) & 0xFE);
}

constexpr bool IsRoom(Cell cell) {
  return (cell & 0x0101) == 0;
}
constexpr bool IsPillar(Cell cell) {
  return (cell & 0x0101) == 0x0101;
}
constexpr bool IsPassage(Cell cell) {
  return !IsRoom(cell) && !IsPillar(cell);
}

inline bool IsOpen(Cell cell) {
  return (CellMap[cell] & CELL_WALL) == 0;
}

}  // namespace vennaloop
