// walker_steps_test.cpp: the ways on from a cell, the wander step and the corridor step, on
// hand-made maze pieces with the random stream lined up on chosen bytes.
#include "movers/walker_steps.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "fake_random_platform.h"
#include "random/random_source.h"
#include "random_peek.h"

namespace vennaloop {
namespace {

using testing::AdvanceRandomUntil;
using testing::PeekRandomByte;
using testing::SameStreamPlace;
using testing::StreamAfter;

class WalkerStepsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
    SeedRandom();
  }
  static void Open(Cell cell) { CellMap[cell] &= static_cast<std::uint8_t>(~CELL_WALL); }

  vennaloop::testing::ScopedFakeRandomPlatform fake_;
};

TEST_F(WalkerStepsTest, NoWayOnTurnsBackOrStopsWithoutDrawing) {
  // A walker boxed in by walls: wander gives its previous cell, corridor gives NO_CELL.
  const Cell room = MakeCell(10, 10);
  const Cell previous = MakeCell(9, 10);
  const RandomSource before = Random;
  EXPECT_EQ(WanderStep(room, previous), previous);
  EXPECT_EQ(CorridorStep(room, previous), NO_CELL);
  EXPECT_TRUE(SameStreamPlace(Random, before));
  EXPECT_TRUE(CellMap[NO_CELL] & CELL_WALL);
}

TEST_F(WalkerStepsTest, AlienOnAClosedRoomStaysOnIt) {
  // Placed on a room the maze has not reached yet, previous equal to current.
  const Cell room = MakeCell(100, 36);
  EXPECT_EQ(WanderStep(room, room), room);
}

TEST_F(WalkerStepsTest, CorridorCellGoesOnWithoutDrawing) {
  const Cell passage = MakeCell(10, 11);
  Open(MakeCell(10, 10));
  Open(passage);
  Open(MakeCell(10, 12));
  const RandomSource before = Random;
  EXPECT_EQ(WanderStep(passage, MakeCell(10, 10)), MakeCell(10, 12));
  EXPECT_EQ(CorridorStep(passage, MakeCell(10, 10)), MakeCell(10, 12));
  EXPECT_EQ(WanderStep(passage, MakeCell(10, 12)), MakeCell(10, 10));
  EXPECT_TRUE(SameStreamPlace(Random, before));
}

TEST_F(WalkerStepsTest, DeadEndTurnsWanderBackAndStopsCorridor) {
  const Cell room = MakeCell(10, 10);
  const Cell way_in = MakeCell(11, 10);
  Open(room);
  Open(way_in);
  EXPECT_EQ(WanderStep(room, way_in), way_in);
  EXPECT_EQ(CorridorStep(room, way_in), NO_CELL);
}

TEST_F(WalkerStepsTest, JunctionOfTwoWaysSplitsTheBytesInHalves) {
  // Room (10, 10) entered from below, open up and right: up for bytes 0-127, right for 128-255.
  const Cell room = MakeCell(10, 10);
  const Cell up = MakeCell(9, 10), right = MakeCell(10, 11), below = MakeCell(11, 10);
  for (Cell c : {room, up, right, below})
    Open(c);

  const WayList ways = GatherWaysOn(room, below);
  ASSERT_EQ(ways.count, 2);
  EXPECT_EQ(ways.cells[0], up);
  EXPECT_EQ(ways.cells[1], right);
  EXPECT_EQ(CorridorStep(room, below), NO_CELL);

  for (auto [lo, hi, expected] : {std::tuple{0, 127, up}, std::tuple{128, 255, right}}) {
    AdvanceRandomUntil(lo, hi);
    const RandomSource afterOne = StreamAfter(1);
    EXPECT_EQ(WanderStep(room, below), expected) << "bytes " << lo << "-" << hi;
    EXPECT_TRUE(SameStreamPlace(Random, afterOne)) << "exactly one byte is drawn";
  }
}

TEST_F(WalkerStepsTest, FourWaysTakeAQuarterOfTheBytesEach) {
  const Cell room = MakeCell(20, 20);
  const Cell ways[4] = {StepUp(room), StepRight(room), StepDown(room), StepLeft(room)};
  Open(room);
  for (Cell c : ways)
    Open(c);
  EXPECT_EQ(GatherWaysOn(room, room).count, 4);
  EXPECT_EQ(CorridorStep(room, room), NO_CELL);
  for (int quarter = 0; quarter < 4; ++quarter) {
    AdvanceRandomUntil(64 * quarter, 64 * quarter + 63);
    EXPECT_EQ(WanderStep(room, room), ways[quarter]) << "quarter " << quarter;
  }
}

TEST_F(WalkerStepsTest, WanderPicksTheCandidateOfEachByte) {
  // Law over many bytes of the stream: candidate floor(b * n / 256), for n = 2, 3 and 4.
  const Cell room = MakeCell(30, 30);
  Open(room);
  for (Cell c : {StepUp(room), StepRight(room), StepDown(room), StepLeft(room)})
    Open(c);
  const Cell excluded[3] = {room, StepUp(room), StepDown(room)};
  const int expected_n[3] = {4, 3, 3};
  for (int k = 0; k < 3; ++k) {
    const WayList ways = GatherWaysOn(room, excluded[k]);
    ASSERT_EQ(ways.count, expected_n[k]);
    for (int draw = 0; draw < 300; ++draw) {
      const int b = PeekRandomByte();
      ASSERT_EQ(WanderStep(room, excluded[k]), ways.cells[b * ways.count / 256]) << "byte " << b;
    }
  }
}

TEST_F(WalkerStepsTest, UpwardWayAcrossTheTopSeamComesFirst) {
  // From (0, 10) the up neighbour is (255, 244), across the glued edge.
  const Cell room = MakeCell(0, 10);
  Open(room);
  Open(MakeCell(255, 244));
  Open(MakeCell(0, 11));
  const WayList ways = GatherWaysOn(room, room);
  ASSERT_EQ(ways.count, 2);
  EXPECT_EQ(ways.cells[0], MakeCell(255, 244));
  EXPECT_EQ(ways.cells[1], MakeCell(0, 11));
  EXPECT_EQ(CorridorStep(room, MakeCell(0, 11)), MakeCell(255, 244));
}

TEST_F(WalkerStepsTest, LeftwardWayAcrossTheSideSeamIsFound) {
  const Cell room = MakeCell(10, 0);
  Open(room);
  Open(MakeCell(244, 255));
  EXPECT_EQ(CorridorStep(room, room), MakeCell(244, 255));
}

TEST_F(WalkerStepsTest, OtherFlagsDoNotBlockAWay) {
  const Cell room = MakeCell(40, 40);
  Open(room);
  CellMap[StepUp(room)] = CELL_PLAYER;
  CellMap[StepRight(room)] = CELL_ALIEN;
  CellMap[StepDown(room)] = CELL_GOAL;
  CellMap[StepLeft(room)] = CELL_WALL | CELL_ALIEN;
  const WayList ways = GatherWaysOn(room, room);
  ASSERT_EQ(ways.count, 3);
  EXPECT_EQ(ways.cells[0], StepUp(room));
  EXPECT_EQ(ways.cells[1], StepRight(room));
  EXPECT_EQ(ways.cells[2], StepDown(room));
}

TEST_F(WalkerStepsTest, PreviousThatIsNoNeighbourExcludesNothing) {
  const Cell room = MakeCell(50, 50);
  Open(room);
  Open(StepRight(room));
  Open(StepLeft(room));
  EXPECT_EQ(GatherWaysOn(room, MakeCell(200, 3)).count, 2);
  EXPECT_EQ(CorridorStep(room, MakeCell(200, 3)), NO_CELL);
  EXPECT_EQ(CorridorStep(room, StepLeft(room)), StepRight(room));
}

}  // namespace
}  // namespace vennaloop
