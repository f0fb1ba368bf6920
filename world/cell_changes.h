// cell_changes.h: the record of the cells whose CellMap byte changed since the picture last took
// them, so that it redraws those cells alone. Every writer of the CellMap in the game notes its
// cells here; nothing ever compares the map with an older copy.
#pragma once

#include <cstdint>
#include <vector>

#include "world/cell_grid.h"

namespace vennaloop {

/// Cells the record lists before it gives up and says everything changed. A game cycle changes
/// about a hundred; finishing the maze at once changes tens of thousands, more than redrawing
/// them one by one would save over a whole picture.
inline constexpr int CHANGE_CAPACITY = 4096;

struct CellChangeRecord {
  /// The whole map may have changed (a new maze, or more cells than the list holds); the list
  /// no longer matters. Set at process start, when no picture of the map exists yet.
  bool everything = true;
  int count = 0;                               ///< cells listed
  Cell cells[CHANGE_CAPACITY] = {};            ///< in the order first noted, each once
  std::uint64_t listed[CELL_COUNT / 64] = {};  ///< one bit per cell: already in the list
};

/// The one record of the process, beside the CellMap it follows.
inline CellChangeRecord CellChanges;

/// Lists a cell whose byte changed, unless it is listed already.
inline void NoteCellChanged(Cell cell) {
  CellChangeRecord& record = CellChanges;
  if (record.everything) return;
  std::uint64_t& word = record.listed[cell >> 6];
  const std::uint64_t bit = std::uint64_t{1} << (cell & 63);
  if (word & bit) return;
  if (record.count == CHANGE_CAPACITY) {
    record.everything = true;
    return;
  }
  word |= bit;
  record.cells[record.count++] = cell;
}

/// The whole map changed at once.
inline void NoteAllCellsChanged() {
  CellChanges.everything = true;
}

/// Sets flags on a cell's byte; the cell is noted if its byte changed.
inline void SetCellFlags(Cell cell, std::uint8_t flags) {
  const std::uint8_t before = CellMap[cell];
  CellMap[cell] = before | flags;
  if (CellMap[cell] != before) NoteCellChanged(cell);
}

/// Clears flags on a cell's byte; the cell is noted if its byte changed.
inline void ClearCellFlags(Cell cell, std::uint8_t flags) {
  const std::uint8_t before = CellMap[cell];
  CellMap[cell] = before & static_cast<std::uint8_t>(~flags);
  if (CellMap[cell] != before) NoteCellChanged(cell);
}

/// What changed between two takes.
struct CellChangeSet {
  bool everything = true;   ///< the whole map may differ: draw it all, `cells` is empty
  std::vector<Cell> cells;  ///< otherwise each cell whose byte changed, once
};

/// Hands over everything noted since the last take and starts an empty record. Changes of
/// several ticks gather until they are taken, so a picture shown less often than the game ticks
/// takes them all at once. `into` keeps its capacity, so taking allocates only the first times.
void TakeCellChanges(CellChangeSet& into);

}  // namespace vennaloop
