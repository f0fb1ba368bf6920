// walker_steps.cpp: the ways on from a cell and the two memoryless stepping rules.
#include "movers/walker_steps.h"

#include "random/random_source.h"

namespace vennaloop {

WayList GatherWaysOn(Cell current, Cell previous) {
  const Cell neighbours[4] = {StepUp(current), StepRight(current), StepDown(current),
                              StepLeft(current)};
  WayList ways{};
  for (const Cell c : neighbours) {
    if (IsOpen(c) && c != previous) ways.cells[ways.count++] = c;
  }
  return ways;
}

Cell WanderStep(Cell current, Cell previous) {
  const WayList ways = GatherWaysOn(current, previous);
  if (ways.count == 0) return previous;
  if (ways.count == 1) return ways.cells[0];
  return ways.cells[RandomBelow(ways.count)];
}

Cell CorridorStep(Cell current, Cell previous) {
  const WayList ways = GatherWaysOn(current, previous);
  return ways.count == 1 ? ways.cells[0] : NO_CELL;
}

}  // namespace vennaloop
