// explorer_test.cpp: the explorer's step and its junction memory: the worked cases of each rule,
// and the depth-first walk they add up to on a small tree.
#include "movers/explorer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <vector>

#include "fake_random_platform.h"
#include "movers/walker_steps.h"
#include "random/random_source.h"
#include "random_peek.h"

namespace vennaloop {
namespace {

using testing::AdvanceRandomUntil;
using testing::SameStreamPlace;
using testing::StreamAfter;

class ExplorerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
    SeedRandom();
    ResetExplorerMemory();
  }
  static void Open(Cell cell) { CellMap[cell] &= static_cast<std::uint8_t>(~CELL_WALL); }
  static void OpenAll(std::initializer_list<Cell> cells) {
    for (Cell c : cells)
      Open(c);
  }
  // A room with its passages up, right and down open: entered from below, two ways on.
  static void OpenTee(Cell room) { OpenAll({room, StepUp(room), StepRight(room), StepDown(room)}); }
  static std::vector<Cell> Alternatives(const JunctionEntry& entry) {
    return {entry.alternatives, entry.alternatives + entry.remaining};
  }

  vennaloop::testing::ScopedFakeRandomPlatform fake_;
};

TEST_F(ExplorerTest, EmptyMemoryFollowsCorridorsAndTurnsAtDeadEnds) {
  const Cell room = MakeCell(10, 10);
  OpenAll({room, StepDown(room), StepRight(room)});
  const RandomSource before = Random;
  EXPECT_EQ(ExplorerStep(room, StepDown(room)), StepRight(room));
  EXPECT_EQ(ExplorerStep(StepRight(room), room), room) << "dead end: back where it came from";
  EXPECT_EQ(Explorer.depth, 0);
  EXPECT_TRUE(SameStreamPlace(Random, before));
}

TEST_F(ExplorerTest, JunctionIsChosenByOneByteAndRemembered) {
  const Cell room = MakeCell(10, 10);
  const Cell x = StepUp(room), y = StepRight(room), p = StepDown(room);
  OpenTee(room);
  for (auto [lo, hi, chosen, other] : {std::tuple{0, 127, x, y}, std::tuple{128, 255, y, x}}) {
    ResetExplorerMemory();
    AdvanceRandomUntil(lo, hi);
    const RandomSource afterOne = StreamAfter(1);
    EXPECT_EQ(ExplorerStep(room, p), chosen);
    EXPECT_TRUE(SameStreamPlace(Random, afterOne));
    ASSERT_EQ(Explorer.depth, 1);
    EXPECT_EQ(Explorer.entries[0].junction, room);
    EXPECT_EQ(Explorer.entries[0].cameFrom, p);
    EXPECT_EQ(Alternatives(Explorer.entries[0]), std::vector<Cell>{other});
  }
}

TEST_F(ExplorerTest, StandingStillOnAJunctionUsesItUpThenLeavesAndStartsOver) {
  // The caller never moves: the other way without a draw, then the way in, then a fresh choice.
  const Cell room = MakeCell(10, 10);
  const Cell x = StepUp(room), y = StepRight(room), p = StepDown(room);
  OpenTee(room);
  AdvanceRandomUntil(0, 127);
  EXPECT_EQ(ExplorerStep(room, p), x);

  RandomSource before = Random;
  EXPECT_EQ(ExplorerStep(room, p), y);
  EXPECT_EQ(Explorer.depth, 1);
  EXPECT_EQ(Explorer.entries[0].remaining, 0);
  EXPECT_EQ(ExplorerStep(room, p), p);
  EXPECT_EQ(Explorer.depth, 0);
  EXPECT_TRUE(SameStreamPlace(Random, before));

  const RandomSource afterOne = StreamAfter(1);
  ExplorerStep(room, p);
  EXPECT_TRUE(SameStreamPlace(Random, afterOne));
  EXPECT_EQ(Explorer.depth, 1);
}

TEST_F(ExplorerTest, DrawnAlternativeIsFilledByTheLastOne) {
  // [a, b, c]: slot 0 leaves [c, b], slot 1 leaves [a, c], slot 2 leaves [a, b].
  const Cell j = MakeCell(20, 20);
  const Cell a = StepUp(j), b = StepRight(j), c = StepDown(j);
  const struct {
    int lo, hi;
    Cell result;
    std::vector<Cell> left;
  } cases[] = {{0, 85, a, {c, b}}, {86, 170, b, {a, c}}, {171, 255, c, {a, b}}};
  for (const auto& k : cases) {
    Explorer.depth = 1;
    Explorer.entries[0] = {j, StepLeft(j), {a, b, c, 0}, 3};
    AdvanceRandomUntil(k.lo, k.hi);
    EXPECT_EQ(ExplorerStep(j, MakeCell(1, 1)), k.result) << "bytes " << k.lo << "-" << k.hi;
    EXPECT_EQ(Alternatives(Explorer.entries[0]), k.left);
  }
}

TEST_F(ExplorerTest, FourWayRoomAfterStageSetupRecordsThreeAlternatives) {
  const Cell room = START_ROOM;
  OpenAll({room, StepUp(room), StepRight(room), StepDown(room), StepLeft(room)});
  AdvanceRandomUntil(64, 127);
  EXPECT_EQ(ExplorerStep(room, room), StepRight(room));
  ASSERT_EQ(Explorer.depth, 1);
  EXPECT_EQ(Alternatives(Explorer.entries[0]),
            (std::vector<Cell>{StepUp(room), StepDown(room), StepLeft(room)}));
  EXPECT_EQ(Explorer.entries[0].cameFrom, room);
}

TEST_F(ExplorerTest, SixthJunctionPushesOutTheFirst) {
  Cell junctions[6];
  for (int k = 0; k < 6; ++k) {
    junctions[k] = MakeCell(10, 10 + 4 * k);
    OpenTee(junctions[k]);
    ExplorerStep(junctions[k], StepDown(junctions[k]));
  }
  ASSERT_EQ(Explorer.depth, EXPLORER_CAPACITY);
  for (int k = 0; k < EXPLORER_CAPACITY; ++k)
    EXPECT_EQ(Explorer.entries[k].junction, junctions[5 - k]) << "entry " << k;
}

TEST_F(ExplorerTest, DroppingAnEntryMovesTheOlderOnesUp) {
  Cell junctions[4];
  for (int k = 0; k < 4; ++k) {
    junctions[k] = MakeCell(10, 10 + 4 * k);
    OpenTee(junctions[k]);
    ExplorerStep(junctions[k], StepDown(junctions[k]));
  }
  Explorer.entries[0].remaining = 0;
  EXPECT_EQ(ExplorerStep(junctions[3], MakeCell(1, 1)), StepDown(junctions[3]));
  ASSERT_EQ(Explorer.depth, 3);
  for (int k = 0; k < 3; ++k)
    EXPECT_EQ(Explorer.entries[k].junction, junctions[2 - k]);
}

TEST_F(ExplorerTest, OlderJunctionIsTreatedAsNew) {
  // On the junction of entry 1 while entry 0 is another cell: a second entry for it is added.
  const Cell first = MakeCell(10, 10), second = MakeCell(10, 20);
  OpenTee(first);
  OpenTee(second);
  ExplorerStep(first, StepDown(first));
  ExplorerStep(second, StepDown(second));
  ExplorerStep(first, StepDown(first));
  ASSERT_EQ(Explorer.depth, 3);
  EXPECT_EQ(Explorer.entries[0].junction, first);
  EXPECT_EQ(Explorer.entries[1].junction, second);
  EXPECT_EQ(Explorer.entries[2].junction, first);
}

TEST_F(ExplorerTest, EntryMadeWithoutAWayInLeavesTheWalkerStanding) {
  // Recorded with previous == current: used up, it answers the junction itself.
  const Cell room = MakeCell(10, 10);
  OpenAll({room, StepUp(room), StepRight(room)});
  ExplorerStep(room, room);
  EXPECT_EQ(Explorer.entries[0].cameFrom, room);
  ExplorerStep(room, room);
  EXPECT_EQ(ExplorerStep(room, room), room);
  EXPECT_EQ(Explorer.depth, 0);
}

TEST_F(ExplorerTest, OnTheRecentJunctionPreviousDoesNotMatter) {
  const Cell room = MakeCell(10, 10);
  OpenTee(room);
  Explorer.depth = 1;
  Explorer.entries[0] = {room, StepDown(room), {StepRight(room), 0, 0, 0}, 1};
  EXPECT_EQ(ExplorerStep(room, StepRight(room)), StepRight(room));
  EXPECT_EQ(ExplorerStep(room, MakeCell(99, 99)), StepDown(room));
}

TEST_F(ExplorerTest, ResetMemoryIgnoresTheOldEntries) {
  const Cell room = MakeCell(10, 10);
  OpenTee(room);
  Explorer.depth = 2;
  Explorer.entries[0] = {room, MakeCell(7, 7), {MakeCell(8, 8), 0, 0, 0}, 1};
  ResetExplorerMemory();
  EXPECT_EQ(Explorer.depth, 0);
  const Cell result = ExplorerStep(room, StepDown(room));
  EXPECT_TRUE(result == StepUp(room) || result == StepRight(room));
  EXPECT_EQ(Explorer.depth, 1);
  EXPECT_EQ(Explorer.entries[0].cameFrom, StepDown(room));
}

// A comb: a spine running right from the dead-end root (40, 40), four teeth up and down from it,
// and a fork at the end of two upper teeth. At most five junctions lie on any path from the root,
// so the memory never has to forget one.
std::vector<Cell> BuildComb() {
  std::vector<Cell> cells;
  auto line = [&](Cell from, Cell (*step)(Cell), int rooms) {
    Cell c = from;
    for (int i = 0; i < 2 * rooms; ++i) {
      c = step(c);
      cells.push_back(c);
    }
    return c;
  };
  const Cell root = MakeCell(40, 40);
  cells.push_back(root);
  Cell spine = root;
  for (int tooth = 0; tooth < 4; ++tooth) {
    spine = line(spine, StepRight, 3);
    const Cell up_end = line(spine, StepUp, 2 + tooth);
    line(spine, StepDown, 1 + tooth);
    if (tooth % 2 == 1) {  // a fork at the end of the upper tooth
      line(up_end, StepLeft, 1);
      line(up_end, StepRight, 1);
    }
  }
  return cells;
}

TEST_F(ExplorerTest, WalkOnASmallTreeIsDepthFirst) {
  // From the dead-end root every cell is reached and the walker is back at the root after
  // exactly two moves per tree edge, whatever the random choices.
  const std::vector<Cell> tree = BuildComb();
  for (Cell c : tree)
    Open(c);
  const std::set<Cell> all(tree.begin(), tree.end());
  ASSERT_EQ(all.size(), tree.size());
  for (std::uint8_t seed = 0; seed < 20; ++seed) {
    SCOPED_TRACE(::testing::Message() << "fake random seed " << int{seed});
    vennaloop::testing::ScopedFakeRandomPlatform fake(seed);
    SeedRandom();
    ResetExplorerMemory();
    Cell cur = tree.front(), prev = tree.front();
    std::set<Cell> seen{cur};
    const int moves = 2 * (static_cast<int>(tree.size()) - 1);
    for (int m = 0; m < moves; ++m) {
      const Cell next = ExplorerStep(cur, prev);
      ASSERT_TRUE(all.count(next)) << "left the tree at move " << m;
      ASSERT_NE(next, cur);
      prev = cur;
      cur = next;
      seen.insert(cur);
      ASSERT_GE(Explorer.depth, 0);
      ASSERT_LE(Explorer.depth, EXPLORER_CAPACITY);
    }
    EXPECT_EQ(cur, tree.front());
    EXPECT_EQ(seen.size(), all.size());
    EXPECT_EQ(Explorer.depth, 0);
  }
}

}  // namespace
}  // namespace vennaloop
