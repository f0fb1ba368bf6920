// explorer.cpp: the explorer's step and the upkeep of its junction memory.
#include "movers/explorer.h"

#include "movers/walker_steps.h"
#include "random/random_source.h"

namespace vennaloop {

ExplorerMemory Explorer;

void ResetExplorerMemory() {
  Explorer.depth = 0;
}

namespace {

// Back on the most recent junction: hand out a way not taken yet, or leave the way it was
// entered and forget it.
Cell LeaveRecentJunction() {
  JunctionEntry& entry = Explorer.entries[0];
  if (entry.remaining >= 2) {
    const int i = RandomBelow(entry.remaining);
    const Cell result = entry.alternatives[i];
    --entry.remaining;
    entry.alternatives[i] = entry.alternatives[entry.remaining];
    return result;
  }
  if (entry.remaining == 1) {
    entry.remaining = 0;
    return entry.alternatives[0];
  }
  const Cell back = entry.cameFrom;
  --Explorer.depth;
  for (int k = 0; k < Explorer.depth; ++k)
    Explorer.entries[k] = Explorer.entries[k + 1];
  return back;
}

// A new junction goes on top; at capacity the oldest one is forgotten.
void RecordJunction(Cell current, Cell previous, const WayList& ways, int chosen) {
  if (Explorer.depth < EXPLORER_CAPACITY) ++Explorer.depth;
  for (int k = Explorer.depth - 1; k > 0; --k)
    Explorer.entries[k] = Explorer.entries[k - 1];
  JunctionEntry& entry = Explorer.entries[0];
  entry.junction = current;
  entry.cameFrom = previous;
  int kept = 0;
  for (int j = 0; j < ways.count; ++j) {
    if (j != chosen) entry.alternatives[kept++] = ways.cells[j];
  }
  entry.remaining = kept;
}

}  // namespace

Cell ExplorerStep(Cell current, Cell previous) {
  if (Explorer.depth >= 1 && current == Explorer.entries[0].junction) return LeaveRecentJunction();
  const WayList ways = GatherWaysOn(current, previous);
  if (ways.count == 0) return previous;
  if (ways.count == 1) return ways.cells[0];
  const int chosen = RandomBelow(ways.count);
  RecordJunction(current, previous, ways, chosen);
  return ways.cells[chosen];
}

}  // namespace vennaloop
