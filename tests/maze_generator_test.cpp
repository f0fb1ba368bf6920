// Tests of the growing maze: the worked first steps, the frontier order the random picks depend
// on, the glued seams, and over many seeds that a finished maze is a spanning tree of all rooms.
#include "world/maze_generator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "fake_random_platform.h"
#include "random/random_source.h"
#include "random_peek.h"
#include "reference_maze.h"

namespace vennaloop {
namespace {

using testing::PeekRandomByte;
using testing::ScopedFakeRandomPlatform;

Cell At(int row, int column) {
  return MakeCell(row, column);
}

std::vector<Cell> Frontier() {
  return {Maze.frontier, Maze.frontier + Maze.frontierCount};
}

void PutInFrontier(Cell passage) {
  Maze.frontierSlot[passage] = static_cast<std::uint16_t>(Maze.frontierCount);
  Maze.frontier[Maze.frontierCount++] = passage;
}

int CountOpen() {
  int open = 0;
  for (int v = 0; v < CELL_COUNT; ++v)
    open += IsOpen(static_cast<Cell>(v));
  return open;
}

// Rooms reachable from the start room through open cells.
int ReachableRooms() {
  std::vector<char> seen(CELL_COUNT, 0);
  std::vector<Cell> stack{START_ROOM};
  seen[START_ROOM] = 1;
  int rooms = 0;
  while (!stack.empty()) {
    const Cell c = stack.back();
    stack.pop_back();
    rooms += IsRoom(c);
    for (Cell n : {StepUp(c), StepRight(c), StepDown(c), StepLeft(c)}) {
      if (IsOpen(n) && !seen[n]) {
        seen[n] = 1;
        stack.push_back(n);
      }
    }
  }
  return rooms;
}

class MazeGeneratorTest : public ::testing::Test {
 protected:
  // Reseeds with fake seeds until `accept` likes the stream; the maze is then freshly reset.
  template <typename Accept>
  void ResetWithStream(Accept accept) {
    for (int seed = 0; seed < 256; ++seed) {
      platform_.reset();  // restore the system platform before the next fake installs itself
      platform_ = std::make_unique<ScopedFakeRandomPlatform>(static_cast<std::uint8_t>(seed));
      ResetMaze();
      if (accept()) return;
    }
    FAIL() << "no seed gives the wanted stream";
  }

  void SetUp() override { ResetMaze(); }

  std::unique_ptr<ScopedFakeRandomPlatform> platform_ =
      std::make_unique<ScopedFakeRandomPlatform>();
};

TEST_F(MazeGeneratorTest, ResetClosesEverythingButTheStartRoom) {
  std::memset(CellMap, 0xAB, sizeof CellMap);
  Maze.finished = 1;
  Maze.frontierCount = 123;
  Maze.cursor = 0x1234;
  ResetMaze();
  for (int v = 0; v < CELL_COUNT; ++v)
    ASSERT_EQ(CellMap[v], v == START_ROOM ? 0 : CELL_WALL) << v;
  EXPECT_EQ(Maze.frontierCount, 0);
  EXPECT_EQ(Maze.cursor, START_ROOM);
  EXPECT_EQ(Maze.finished, 0);
  EXPECT_EQ(Random.pos, 8u);  // reseeded: the next byte starts a new block
}

TEST_F(MazeGeneratorTest, FirstTwoStepsFollowTheWorkedExample) {
  ResetWithStream(
      [] { return ByteBelow(PeekRandomByte(0), 4) == 1 && ByteBelow(PeekRandomByte(1), 3) == 0; });

  GrowStep();
  ASSERT_EQ(Maze.candidateCount, 4);
  const CandidatePair expected[4] = {{At(63, 64), At(62, 64)},
                                     {At(64, 65), At(64, 66)},
                                     {At(65, 64), At(66, 64)},
                                     {At(64, 63), At(64, 62)}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Maze.candidates[i].passage, expected[i].passage) << i;
    EXPECT_EQ(Maze.candidates[i].room, expected[i].room) << i;
  }
  EXPECT_TRUE(IsOpen(At(64, 65)));
  EXPECT_TRUE(IsOpen(At(64, 66)));
  EXPECT_EQ(Maze.cursor, At(64, 66));
  // The last entry filled the gap left by the opened passage.
  EXPECT_EQ(Frontier(), (std::vector<Cell>{At(63, 64), At(64, 63), At(65, 64)}));

  GrowStep();
  ASSERT_EQ(Maze.candidateCount, 3);  // the open passage on the left is skipped
  EXPECT_EQ(Maze.candidates[0].passage, At(63, 66));
  EXPECT_EQ(Maze.candidates[1].passage, At(64, 67));
  EXPECT_EQ(Maze.candidates[2].passage, At(65, 66));
  EXPECT_TRUE(IsOpen(At(63, 66)));
  EXPECT_TRUE(IsOpen(At(62, 66)));
  EXPECT_EQ(Maze.cursor, At(62, 66));
  EXPECT_EQ(Frontier(),
            (std::vector<Cell>{At(63, 64), At(64, 63), At(65, 64), At(65, 66), At(64, 67)}));
}

TEST_F(MazeGeneratorTest, FirstStepRemovesEachChoiceByFillingItsSlot) {
  for (int want = 0; want < 4; ++want) {
    ResetWithStream([want] { return ByteBelow(PeekRandomByte(), 4) == want; });
    GrowStep();
    std::vector<Cell> expected{At(63, 64), At(64, 65), At(65, 64), At(64, 63)};
    expected[want] = expected[3];
    expected.pop_back();
    EXPECT_EQ(Frontier(), expected) << "choice " << want;
  }
}

TEST_F(MazeGeneratorTest, CursorOnTheSeamsProbesAcrossThem) {
  // Room (0, 0) meets room (254, 254) twice: upward through (255, 254), leftward through (254,
  // 255).
  Maze.cursor = At(0, 0);
  CellMap[At(0, 0)] = 0;
  CollectCandidates();
  ASSERT_EQ(Maze.candidateCount, 4);
  EXPECT_EQ(Maze.candidates[0].passage, At(255, 254));
  EXPECT_EQ(Maze.candidates[0].room, At(254, 254));
  EXPECT_EQ(Maze.candidates[3].passage, At(254, 255));
  EXPECT_EQ(Maze.candidates[3].room, At(254, 254));

  ResetMaze();
  Maze.cursor = At(0, 10);
  CellMap[At(0, 10)] = 0;
  CollectCandidates();
  EXPECT_EQ(Maze.candidates[0].passage, At(255, 244));
  EXPECT_EQ(Maze.candidates[0].room, At(254, 244));

  ResetMaze();
  Maze.cursor = At(20, 254);
  CellMap[At(20, 254)] = 0;
  CollectCandidates();
  EXPECT_EQ(Maze.candidates[1].passage, At(20, 255));
  EXPECT_EQ(Maze.candidates[1].room, At(234, 0));
}

TEST_F(MazeGeneratorTest, OpeningTheDoubleNeighbourDropsItsOtherPassage) {
  // With (0, 0) and (254, 254) both open, the collect pass of (254, 254) finds the still closed
  // one of their two passages, removes it from the frontier, and leaves it a wall.
  ResetMaze();
  CellMap[At(0, 0)] = 0;
  PutInFrontier(At(255, 254));
  PutInFrontier(At(254, 255));
  PutInFrontier(At(10, 11));  // unrelated entry that keeps the list from running empty
  CellMap[At(255, 254)] = 0;  // (254, 254) was reached through the upward passage
  CellMap[At(254, 254)] = 0;
  Maze.cursor = At(254, 254);
  RemoveFromFrontier(At(255, 254));
  CollectCandidates();
  EXPECT_FALSE(IsOpen(At(254, 255)));
  for (Cell c : Frontier())
    EXPECT_NE(c, At(254, 255));
  EXPECT_EQ(Maze.finished, 0);
}

TEST_F(MazeGeneratorTest, PickAcrossTheSeamOpensTheClosedRoom) {
  // Passage (255, 10) lies between (254, 10) above and (0, 244) below, across the seam.
  ResetMaze();
  CellMap[At(254, 10)] = 0;
  PutInFrontier(At(255, 10));
  PickFromFrontier();
  EXPECT_TRUE(IsOpen(At(255, 10)));
  EXPECT_TRUE(IsOpen(At(0, 244)));
  EXPECT_EQ(Maze.cursor, At(0, 244));
  EXPECT_EQ(Frontier(), std::vector<Cell>{At(255, 10)});  // an opened pick stays listed

  // Passage (20, 255) lies between (20, 254) on the left and (234, 0) on the right.
  ResetMaze();
  CellMap[At(20, 254)] = 0;
  PutInFrontier(At(20, 255));
  PickFromFrontier();
  EXPECT_TRUE(IsOpen(At(234, 0)));
  EXPECT_EQ(Maze.cursor, At(234, 0));
}

TEST_F(MazeGeneratorTest, PickThrowsOutOpenEntriesUntilTheListIsEmpty) {
  ResetMaze();
  PutInFrontier(At(64, 65));
  PutInFrontier(At(63, 64));
  CellMap[At(64, 65)] = 0;
  CellMap[At(63, 64)] = 0;
  PickFromFrontier();
  EXPECT_EQ(Maze.frontierCount, 0);
  EXPECT_EQ(Maze.finished, 1);
}

TEST_F(MazeGeneratorTest, FinishedMazeIgnoresFurtherSteps) {
  while (!Maze.finished)
    GrowStep();
  std::vector<std::uint8_t> cells(CellMap, CellMap + CELL_COUNT);
  const Cell cursor = Maze.cursor;
  const RandomSource stream = Random;
  GrowStep();
  EXPECT_EQ(std::memcmp(cells.data(), CellMap, CELL_COUNT), 0);
  EXPECT_EQ(Maze.cursor, cursor);
  EXPECT_EQ(Maze.frontierCount, 0);
  EXPECT_EQ(std::memcmp(&stream, &Random, sizeof stream), 0);
}

TEST_F(MazeGeneratorTest, StepWithOneCandidateAndNoPickDrawsNothing) {
  int checked = 0;
  while (!Maze.finished) {
    const RandomSource before = Random;
    const Cell cursor = Maze.cursor;
    GrowStep();
    const Cell c = Maze.cursor;
    const bool extendedOnly = StepUp(StepUp(cursor)) == c || StepDown(StepDown(cursor)) == c ||
                              StepLeft(StepLeft(cursor)) == c || StepRight(StepRight(cursor)) == c;
    if (!Maze.finished && extendedOnly && Maze.candidateCount == 1) {
      ASSERT_EQ(std::memcmp(&before, &Random, sizeof before), 0);
      ++checked;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST_F(MazeGeneratorTest, GrowsTheSameMazeAsThePlainReference) {
  // The slot index must find exactly the slot a backward scan finds, or the order of the list,
  // and with it every later pick, would drift.
  for (std::uint8_t seed : {3, 77}) {
    ScopedFakeRandomPlatform fake(seed);
    ResetMaze();
    const RandomSource seeded = Random;
    std::vector<std::vector<Cell>> orders;
    while (!Maze.finished) {
      GrowStep();
      orders.push_back(Frontier());
    }

    Random = seeded;
    testing::ReferenceMaze reference;
    std::size_t step = 0;
    while (!reference.finished()) {
      reference.GrowStep();
      ASSERT_LT(step, orders.size());
      ASSERT_EQ(reference.frontier(), orders[step]) << "seed " << int(seed) << " step " << step;
      ++step;
    }
    EXPECT_EQ(step, orders.size());
    for (int v = 0; v < CELL_COUNT; ++v)
      ASSERT_EQ(reference.IsOpenCell(static_cast<Cell>(v)), IsOpen(static_cast<Cell>(v))) << v;
  }
}

TEST_F(MazeGeneratorTest, FrontierHoldsDistinctPassagesBetweenSteps) {
  ScopedFakeRandomPlatform fake(9);
  ResetMaze();
  std::vector<char> listed(CELL_COUNT);
  int steps = 0;
  while (!Maze.finished) {
    GrowStep();
    if (++steps % 7 != 0) continue;  // every seventh step keeps this quick
    std::fill(listed.begin(), listed.end(), 0);
    for (int i = 0; i < Maze.frontierCount; ++i) {
      const Cell p = Maze.frontier[i];
      ASSERT_TRUE(IsPassage(p));
      ASSERT_FALSE(listed[p]) << "duplicate entry";
      listed[p] = 1;
      ASSERT_EQ(Maze.frontierSlot[p], i);
      if (!IsOpen(p)) {
        const bool vertical = RowOf(p) & 1;
        const Cell a = vertical ? StepUp(p) : StepLeft(p);
        const Cell b = vertical ? StepDown(p) : StepRight(p);
        ASSERT_TRUE(IsOpen(a) || IsOpen(b));
        ASSERT_TRUE(!(IsOpen(a) && IsOpen(b)) || a == Maze.cursor || b == Maze.cursor);
      }
    }
  }
}

TEST_F(MazeGeneratorTest, FinishedMazesAreSpanningTreesOverManySeeds) {
  constexpr int kGrowths = 100;
  long totalCalls = 0, totalPicks = 0, totalPeak = 0;
  for (int seed = 0; seed < kGrowths; ++seed) {
    ScopedFakeRandomPlatform fake(static_cast<std::uint8_t>(seed));
    ResetMaze();
    // Flags that stage setup puts on closed rooms must survive their opening.
    CellMap[GOAL_ROOM] |= CELL_GOAL;
    CellMap[At(10, 20)] |= CELL_ALIEN;
    CellMap[START_ROOM] |= CELL_PLAYER;
    int calls = 0, peak = 0;
    while (!Maze.finished) {
      GrowStep();
      ++calls;
      ASSERT_LE(Maze.frontierCount, FRONTIER_CAPACITY - 1);
      peak = std::max(peak, Maze.frontierCount);
    }
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    ASSERT_LE(calls, 16384);
    ASSERT_EQ(CountOpen(), 32767);
    int rooms = 0, passages = 0;
    for (int v = 0; v < CELL_COUNT; ++v) {
      const Cell c = static_cast<Cell>(v);
      if (!IsOpen(c)) continue;
      ASSERT_FALSE(IsPillar(c));
      rooms += IsRoom(c);
      passages += IsPassage(c);
    }
    ASSERT_EQ(rooms, 16384);
    ASSERT_EQ(passages, 16383);
    // Connected with one passage fewer than rooms: a tree.
    ASSERT_EQ(ReachableRooms(), 16384);
    ASSERT_EQ(CellMap[GOAL_ROOM], CELL_GOAL);
    ASSERT_EQ(CellMap[At(10, 20)], CELL_ALIEN);
    ASSERT_EQ(CellMap[START_ROOM], CELL_PLAYER);
    totalCalls += calls;
    // Every call but the last opens one room by extension; all other rooms came from picks.
    totalPicks += 16383 - (calls - 1);
    totalPeak += peak;
  }
  std::printf(
      "Over %d growths: %.1f calls of GrowStep, %.1f rooms opened by frontier picks, "
      "peak frontier %.1f\n",
      kGrowths, double(totalCalls) / kGrowths, double(totalPicks) / kGrowths,
      double(totalPeak) / kGrowths);
}

}  // namespace
}  // namespace vennaloop
