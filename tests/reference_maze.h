// reference_maze.h: the maze's growth written out plainly, as an oracle for the generator: its
// own open-cell map and frontier list, and a backward scan where the generator keeps a slot index.
// Drawing from the same random stream, it must grow the same maze in the same list order.
#pragma once

#include <vector>

#include "random/random_source.h"
#include "world/cell_grid.h"

namespace vennaloop::testing {

class ReferenceMaze {
 public:
  ReferenceMaze() : open_(CELL_COUNT, false) { open_[START_ROOM] = true; }

  bool finished() const { return finished_; }
  const std::vector<Cell>& frontier() const { return frontier_; }
  bool IsOpenCell(Cell cell) const { return open_[cell]; }

  void GrowStep() {
    if (finished_) return;
    for (;;) {
      struct Pair {
        Cell passage, room;
      };
      std::vector<Pair> candidates;
      const Cell passages[4] = {StepUp(cursor_), StepRight(cursor_), StepDown(cursor_),
                                StepLeft(cursor_)};
      const Cell rooms[4] = {StepUp(passages[0]), StepRight(passages[1]), StepDown(passages[2]),
                             StepLeft(passages[3])};
      for (int d = 0; d < 4; ++d) {
        if (open_[passages[d]]) continue;
        if (!open_[rooms[d]]) {
          frontier_.push_back(passages[d]);
          candidates.push_back({passages[d], rooms[d]});
        } else {
          Remove(passages[d]);
        }
      }
      if (finished_) return;
      if (!candidates.empty()) {
        const int n = static_cast<int>(candidates.size());
        const Pair chosen = candidates[n == 1 ? 0 : RandomBelow(n)];
        open_[chosen.passage] = open_[chosen.room] = true;
        cursor_ = chosen.room;
        Remove(chosen.passage);
        return;
      }
      if (PickFromFrontier()) return;
    }
  }

 private:
  // The plain search: from the back of the list towards its front.
  void Remove(Cell cell) {
    int j = static_cast<int>(frontier_.size()) - 1;
    while (j > 0 && frontier_[j] != cell)
      --j;
    const Cell last = frontier_.back();
    frontier_.pop_back();
    if (frontier_.empty()) {
      finished_ = true;
      return;
    }
    if (j < static_cast<int>(frontier_.size())) frontier_[j] = last;
  }

  // True when the step is over: a room was opened or the maze is finished.
  bool PickFromFrontier() {
    for (;;) {
      if (frontier_.empty()) {
        finished_ = true;
        return true;
      }
      const Cell p = frontier_[RandomWordBelow(static_cast<int>(frontier_.size()))];
      if (open_[p]) {
        Remove(p);
        if (finished_) return true;
        continue;
      }
      open_[p] = true;
      const bool vertical = RowOf(p) & 1;
      Cell r = vertical ? StepUp(p) : StepLeft(p);
      if (open_[r]) r = vertical ? StepDown(p) : StepRight(p);
      open_[r] = true;
      cursor_ = r;
      return false;
    }
  }

  std::vector<bool> open_;
  std::vector<Cell> frontier_;
  Cell cursor_ = START_ROOM;
  bool finished_ = false;
};

}  // namespace vennaloop::testing
