// walker_steps.cpp: the ways on from a cell and the two memoryless stepping rules.
#include "movers/walker_steps.h"

#include "random/random_source.h"

namespace vennaloop {

WayList WayCandidates;

int GatherWaysOn(Cell current, Cell previous) {
  const Cell neighbours[4] = {StepUp(current), StepRight(current), StepDown(current),
                              StepLeft(current)};
  int n = 0;
  for (const Cell c : neighbours) {
    if (IsOpen(c) && c != previous) WayCandidates.cells[n++] = c;
  }
  WayCandidates.count = n;
  return n;
}

Cell WanderStep(Cell current, Cell previous) {
  const int n = GatherWaysOn(current, previous);
  if (n == 0) return previous;
  if (n == 1) return WayCandidates.cells[0];
  return WayCandidates.cells[RandomBelow(n)];
}

Cell CorridorStep(Cell current, Cell previous) {
  return GatherWaysOn(current, previous) == 1 ? WayCandidates.cells[0] : NO_CELL;
}

}  // namespace vennaloop
