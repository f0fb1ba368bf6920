// explorer.h: the explorer's stepping rule, a depth-first walk that remembers the five most
// recent junctions, the ways it came in by and the ways it has not taken yet.
#pragma once

#include <cstdint>

#include "world/cell_grid.h"

namespace vennaloop {

/// Number of junctions the memory holds; a sixth pushes the oldest out.
inline constexpr int EXPLORER_CAPACITY = 5;

struct JunctionEntry {
  Cell junction;         ///< the cell where a way was chosen
  Cell cameFrom;         ///< the `previous` given to the call that made the choice
  Cell alternatives[4];  ///< ways on not taken yet, in slots 0 to remaining - 1 (at most 3 used)
  std::int32_t remaining;
};

struct ExplorerMemory {
  std::int32_t depth;                        ///< entries in use, 0 to EXPLORER_CAPACITY
  JunctionEntry entries[EXPLORER_CAPACITY];  ///< entry 0 is the most recent
};

/// The one memory of the process; empty at start.
extern ExplorerMemory Explorer;

/// Forgets every junction; the old entries stay in place but are never read again.
void ResetExplorerMemory();

/// The next cell of the explorer from `current`, having come from `previous`: on the most recent
/// junction a remembered way, or its way in once they are used up; elsewhere the wander rule,
/// recording any junction where it chooses. Updates the memory whether or not the move happens.
Cell ExplorerStep(Cell current, Cell previous);

}  // namespace vennaloop
