// maze_generator.h: the maze that grows while the stage is played. From a cursor (the room opened
// last) each step carves into a random closed neighbour room; at a dead end it opens a random
// passage of the frontier, the passages between the grown region and the rest.
#pragma once

#include <cstdint>

#include "world/cell_grid.h"

namespace vennaloop {

/// The frontier holds distinct passages only, and never the very first one opened, so it never
/// reaches this size.
inline constexpr int FRONTIER_CAPACITY = 32768;

struct CandidatePair {
  Cell passage;  ///< closed passage one step from the cursor
  Cell room;     ///< closed room one further step in the same direction
};

struct MazeGenerator {
  std::int32_t finished;        ///< 1 once the frontier ran empty: every room is open
  Cell cursor;                  ///< the room opened last; the next step starts from it
  CandidatePair candidates[4];  ///< scratch of CollectCandidates, in direction order
  int candidateCount;
  Cell frontier[FRONTIER_CAPACITY];  ///< used entries are the first frontierCount
  int frontierCount;
  /// Slot of each cell in `frontier`; meaningful only for cells in the list. Lets a removal find
  /// its slot at once instead of scanning, without changing the order the random picks rely on.
  std::uint16_t frontierSlot[CELL_COUNT];
};

/// The one generator of the process.
extern MazeGenerator Maze;

/// Closes every cell, opens the start room, empties the frontier and reseeds the random source.
void ResetMaze();

/// A uniformly chosen room (both coordinates even) from one random word: RandomWord() & 0xFEFE.
/// Nothing is checked: it may be closed, taken, the start or the goal.
Cell RandomRoom();

/// Opens at least one room, unless the maze is finished, in which case it does nothing at all.
void GrowStep();

// Internal operations of GrowStep, exposed for tests.
void CollectCandidates();
void ExtendFromCursor();
void PickFromFrontier();
/// Removes a cell that is in the frontier; the last entry takes its slot.
void RemoveFromFrontier(Cell cell);

}  // namespace vennaloop
