// world_invariants.h: what must hold of the world and the game between two ticks, checked by the
// long runs, the soak and the fuzz target after every tick. Plain C++, no test framework.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/game.h"
#include "game/virtual_keys.h"
#include "movers/explorer.h"
#include "world/maze_generator.h"

namespace vennaloop::testing {

namespace detail {

constexpr int kRoomCount = CELL_COUNT / 4;

constexpr int RoomIndex(Cell room) {
  return (RowOf(room) >> 1) * (GRID_SIZE / 2) + (ColumnOf(room) >> 1);
}

constexpr bool Adjacent(Cell a, Cell b) {
  return StepUp(a) == b || StepRight(a) == b || StepDown(a) == b || StepLeft(a) == b;
}

// Union-find over the rooms, the open passages being the edges: the open cells form a tree
// exactly when no passage joins two rooms already joined and there is one passage fewer than
// rooms. Cheaper than a search over all cells, which matters when it runs after every tick.
class RoomSets {
 public:
  void Clear() {
    for (int k = 0; k < kRoomCount; ++k)
      parent_[k] = static_cast<std::uint16_t>(k);
  }
  /// False when a and b were joined already.
  bool Join(int a, int b) {
    a = Find(a);
    b = Find(b);
    if (a == b) return false;
    parent_[a] = static_cast<std::uint16_t>(b);
    return true;
  }

 private:
  int Find(int k) {
    while (parent_[k] != k) {
      parent_[k] = parent_[parent_[k]];
      k = parent_[k];
    }
    return k;
  }
  std::array<std::uint16_t, kRoomCount> parent_;
};

inline std::string At(const char* what, int cell) {
  return std::string(what) + " (cell " + std::to_string(cell) + ")";
}

}  // namespace detail

/// Checks the world after a tick; returns an empty string when all is well, else the first
/// fault found.
inline std::string WorldFault(const Game& game) {
  using detail::Adjacent;
  using detail::At;
  static detail::RoomSets rooms;
  static std::array<std::uint8_t, CELL_COUNT> alienHere;

  alienHere.fill(0);
  for (const Alien& alien : game.aliens) {
    alienHere[alien.current] = 1;
    // Aliens stand on open cells, or on the closed room they were put or thrown to.
    if (!IsOpen(alien.current) && !IsRoom(alien.current))
      return At("alien inside a wall", alien.current);
    if (alien.previous != alien.current && !Adjacent(alien.current, alien.previous))
      return At("alien's previous cell not next to it", alien.current);
  }

  rooms.Clear();
  int openRooms = 0, openPassages = 0, playerMarks = 0, goalMarks = 0;
  for (int i = 0; i < CELL_COUNT; ++i) {
    const Cell cell = static_cast<Cell>(i);
    const std::uint8_t flags = CellMap[cell];
    if (flags & 0xF0) return At("flag bits 4-7 set", i);
    if (flags & CELL_PLAYER) ++playerMarks;
    if (flags & CELL_GOAL) ++goalMarks;
    // A lost alien flag is allowed (aliens sharing a cell), a stray one is not.
    if ((flags & CELL_ALIEN) && !alienHere[cell]) return At("alien flag where no alien is", i);
    if (flags & CELL_WALL) continue;
    if (IsPillar(cell)) return At("pillar open", i);
    if (IsRoom(cell)) {
      ++openRooms;
      continue;
    }
    ++openPassages;
    const bool vertical = RowOf(cell) & 1;
    const Cell a = vertical ? StepUp(cell) : StepLeft(cell);
    const Cell b = vertical ? StepDown(cell) : StepRight(cell);
    if (!IsOpen(a) || !IsOpen(b)) return At("open passage beside a closed room", i);
    if (!rooms.Join(detail::RoomIndex(a), detail::RoomIndex(b)))
      return At("open cells are not a tree: passage closes a cycle", i);
  }
  // No cycle and one passage fewer than rooms: a single tree. It must hold the start room.
  if (openPassages != openRooms - 1) return "open cells are not connected";
  if (!IsOpen(START_ROOM)) return "start room closed";
  if (goalMarks != 1 || !(CellMap[GOAL_ROOM] & CELL_GOAL)) return "goal mark not on the goal room";

  if (playerMarks != 1 || !(CellMap[game.playerCell] & CELL_PLAYER) || !IsOpen(game.playerCell))
    return "player mark not exactly on the player's open cell";
  if (game.playerPrevious != game.playerCell && !Adjacent(game.playerCell, game.playerPrevious))
    return "player's previous cell not next to it";
  // The last hit point ends the stage within the tick, which gives full hit points back.
  if (game.hitPoints < 1 || game.hitPoints > FULL_HIT_POINTS) return "hit points out of range";
  if (game.moveMode < MoveMode::Manual || game.moveMode > MoveMode::Explorer)
    return "move mode out of range";
  if ((game.leftRightReversed | game.upDownReversed) & ~1) return "orientation flag not 0 or 1";
  if (game.pendingKey != 0 && !IsAcceptedKey(game.pendingKey)) return "pending key not accepted";
  if (game.elapsedCycles < 0 || game.titleTicks < 0) return "negative counter";
  if (game.skippedCycle < 0 || game.skippedCycle > game.elapsedCycles)
    return "skipped cycle outside the stage";

  if (Maze.frontierCount < 0 || Maze.frontierCount >= FRONTIER_CAPACITY)
    return "frontier count out of range";
  for (int k = 0; k < Maze.frontierCount; ++k) {
    const Cell passage = Maze.frontier[k];
    if (!IsPassage(passage)) return At("frontier entry not a passage", passage);
    if (Maze.frontierSlot[passage] != k) return At("frontier slot out of step", passage);
  }
  if (!IsRoom(Maze.cursor) || !IsOpen(Maze.cursor)) return "maze cursor not an open room";
  if (Maze.finished && openRooms != detail::kRoomCount) return "maze finished with rooms closed";

  if (Explorer.depth < 0 || Explorer.depth > EXPLORER_CAPACITY)
    return "explorer depth out of range";
  for (int k = 0; k < Explorer.depth; ++k) {
    if (Explorer.entries[k].remaining < 0 || Explorer.entries[k].remaining > 3)
      return "explorer junction with more than three ways left";
  }
  return {};
}

}  // namespace vennaloop::testing
