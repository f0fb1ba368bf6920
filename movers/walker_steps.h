// walker_steps.h: the stepping rules shared by the aliens and the player's automatic modes: the
// ways on from a cell, the wander step and the corridor step. None of them writes the CellMap.
#pragma once

#include "world/cell_grid.h"

namespace vennaloop {

/// The answer of CorridorStep when there is not exactly one way on. It is the pillar (255, 255),
/// a wall at all times, so a caller that only moves into open cells leaves the walker standing.
inline constexpr Cell NO_CELL = 0xFFFF;

/// The ways on from a cell.
struct WayList {
  Cell cells[4];  ///< open neighbours other than `previous`, in the order up, right, down, left
  int count;      ///< number of valid slots, 0 to 4
};

/// The open neighbours of `current` other than `previous`. The player, alien and goal flags play
/// no part.
WayList GatherWaysOn(Cell current, Cell previous);

/// Follows corridors, turns back at dead ends and takes a random way at junctions. Returns an
/// open neighbour other than `previous`, or `previous` when there is none. Draws one random byte
/// when there are two ways on or more, none otherwise.
Cell WanderStep(Cell current, Cell previous);

/// Returns the one open neighbour other than `previous`, or NO_CELL when there is not exactly
/// one. Never draws a random byte.
Cell CorridorStep(Cell current, Cell previous);

}  // namespace vennaloop
