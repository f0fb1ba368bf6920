// maze_generator.cpp: growth of the maze by cursor extension and frontier picks. The order of the
// frontier list matters: a random index picks an entry by its position.
#include "world/maze_generator.h"

#include <algorithm>

#include "random/random_source.h"
#include "world/cell_changes.h"

namespace vennaloop {

MazeGenerator Maze;

namespace {

inline void Open(Cell cell) {
  ClearCellFlags(cell, CELL_WALL);
}

inline void AppendToFrontier(Cell passage) {
  Maze.frontierSlot[passage] = static_cast<std::uint16_t>(Maze.frontierCount);
  Maze.frontier[Maze.frontierCount++] = passage;
}

}  // namespace

void ResetMaze() {
  std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
  NoteAllCellsChanged();
  Maze.frontierCount = 0;
  Open(START_ROOM);
  Maze.cursor = START_ROOM;
  Maze.finished = 0;
  SeedRandom();
}

Cell RandomRoom() {
  return static_cast<Cell>(RandomWord() & 0xFEFE);
}

void RemoveFromFrontier(Cell cell) {
  // The slot index finds the cell at once; the order of the other entries stays as the random
  // picks expect it.
  const int j = Maze.frontierSlot[cell];
  --Maze.frontierCount;
  if (Maze.frontierCount == 0) {
    Maze.finished = 1;
    return;
  }
  // The last entry fills the gap; no other entry moves.
  const Cell last = Maze.frontier[Maze.frontierCount];
  Maze.frontier[j] = last;
  Maze.frontierSlot[last] = static_cast<std::uint16_t>(j);
}

void CollectCandidates() {
  Maze.candidateCount = 0;
  const Cell cursor = Maze.cursor;
  const Cell passages[4] = {StepUp(cursor), StepRight(cursor), StepDown(cursor), StepLeft(cursor)};
  const Cell rooms[4] = {StepUp(passages[0]), StepRight(passages[1]), StepDown(passages[2]),
                         StepLeft(passages[3])};
  for (int d = 0; d < 4; ++d) {
    const Cell p = passages[d];
    if (IsOpen(p)) continue;
    const Cell r = rooms[d];
    if (!IsOpen(r)) {
      AppendToFrontier(p);
      Maze.candidates[Maze.candidateCount++] = {p, r};
    } else {
      // Both rooms of the passage are open now: it stays a wall for good.
      RemoveFromFrontier(p);
    }
  }
}

void ExtendFromCursor() {
  const int k = Maze.candidateCount == 1 ? 0 : RandomBelow(Maze.candidateCount);
  const CandidatePair chosen = Maze.candidates[k];
  Open(chosen.passage);
  Open(chosen.room);
  Maze.cursor = chosen.room;
  RemoveFromFrontier(chosen.passage);
}

void PickFromFrontier() {
  for (;;) {
    if (Maze.frontierCount == 0) {
      Maze.finished = 1;
      return;
    }
    const Cell p = Maze.frontier[RandomWordBelow(Maze.frontierCount)];
    if (IsOpen(p)) {
      // Opened by an earlier pick; it has served its purpose.
      RemoveFromFrontier(p);
      if (Maze.finished) return;
      continue;
    }
    Open(p);  // it stays in the list until a later pick throws it out
    Cell r;
    if (RowOf(p) & 1) {
      r = StepUp(p);
      if (IsOpen(r)) r = StepDown(p);
    } else {
      r = StepLeft(p);
      if (IsOpen(r)) r = StepRight(p);
    }
    Open(r);
    Maze.cursor = r;
    return;
  }
}

void GrowStep() {
  if (Maze.finished) return;
  for (;;) {
    CollectCandidates();
    if (Maze.finished) return;
    if (Maze.candidateCount >= 1) {
      ExtendFromCursor();
      return;
    }
    PickFromFrontier();
    if (Maze.finished) return;
  }
}

}  // namespace vennaloop
