// Tests of the glued grid: the steps across the seams, their inverse laws and the opposite room.
#include "world/cell_grid.h"

#include <gtest/gtest.h>

namespace vennaloop {
namespace {

Cell At(int row, int column) {
  return MakeCell(row, column);
}

TEST(CellGridTest, StepsAreInversesEverywhere) {
  // The gluing must never lose a cell: up/down and left/right undo each other, seams included.
  for (int v = 0; v < CELL_COUNT; ++v) {
    const Cell c = static_cast<Cell>(v);
    ASSERT_EQ(StepDown(StepUp(c)), c) << v;
    ASSERT_EQ(StepUp(StepDown(c)), c) << v;
    ASSERT_EQ(StepLeft(StepRight(c)), c) << v;
    ASSERT_EQ(StepRight(StepLeft(c)), c) << v;
  }
}

TEST(CellGridTest, FourNeighboursAreDistinctAndNeverTheCellItself) {
  for (int v = 0; v < CELL_COUNT; ++v) {
    const Cell c = static_cast<Cell>(v);
    const Cell n[4] = {StepUp(c), StepRight(c), StepDown(c), StepLeft(c)};
    for (int i = 0; i < 4; ++i) {
      ASSERT_NE(n[i], c) << v;
      for (int j = i + 1; j < 4; ++j)
        ASSERT_NE(n[i], n[j]) << v;
    }
  }
}

TEST(CellGridTest, TwoStepsFromARoomPassAPassageToARoom) {
  for (int v = 0; v < CELL_COUNT; ++v) {
    const Cell c = static_cast<Cell>(v);
    if (!IsRoom(c)) continue;
    ASSERT_TRUE(IsPassage(StepUp(c)) && IsRoom(StepUp(StepUp(c)))) << v;
    ASSERT_TRUE(IsPassage(StepRight(c)) && IsRoom(StepRight(StepRight(c)))) << v;
    ASSERT_TRUE(IsPassage(StepDown(c)) && IsRoom(StepDown(StepDown(c)))) << v;
    ASSERT_TRUE(IsPassage(StepLeft(c)) && IsRoom(StepLeft(StepLeft(c)))) << v;
  }
}

TEST(CellGridTest, MirrorCoordSwapsAcrossTheSeam) {
  EXPECT_EQ(MirrorCoord(0), 254);
  EXPECT_EQ(MirrorCoord(1), 253);
  EXPECT_EQ(MirrorCoord(126), 128);
  EXPECT_EQ(MirrorCoord(127), 127);
  EXPECT_EQ(MirrorCoord(255), 255);
  for (int t = 0; t < 256; ++t) {
    EXPECT_EQ(MirrorCoord(MirrorCoord(static_cast<std::uint8_t>(t))), t);
    EXPECT_EQ(MirrorCoord(static_cast<std::uint8_t>(t)) % 2, t % 2);
  }
}

TEST(CellGridTest, SeamExamples) {
  EXPECT_EQ(StepUp(At(0, 10)), At(255, 244));
  EXPECT_EQ(StepDown(At(255, 244)), At(0, 10));
  EXPECT_EQ(StepRight(At(10, 255)), At(244, 0));
  EXPECT_EQ(StepLeft(At(244, 0)), At(10, 255));
  EXPECT_EQ(StepUp(At(0, 0)), At(255, 254));
  EXPECT_EQ(StepDown(At(255, 254)), At(0, 0));
  EXPECT_EQ(StepRight(At(0, 255)), At(254, 0));
  EXPECT_EQ(StepLeft(At(254, 0)), At(0, 255));
  EXPECT_EQ(StepUp(At(0, 255)), At(255, 255));
  EXPECT_EQ(StepRight(At(127, 255)), At(127, 0));
  // Away from the seams the steps are plain.
  EXPECT_EQ(StepUp(At(5, 7)), At(4, 7));
  EXPECT_EQ(StepRight(At(5, 7)), At(5, 8));
  EXPECT_EQ(StepDown(At(5, 7)), At(6, 7));
  EXPECT_EQ(StepLeft(At(5, 7)), At(5, 6));
}

TEST(CellGridTest, TwoCellMovesAcrossTheSeams) {
  for (int c = 0; c < 256; c += 2) {
    EXPECT_EQ(StepUp(At(0, c)), At(255, 254 - c));
    EXPECT_EQ(StepUp(StepUp(At(0, c))), At(254, 254 - c));
  }
  for (int r = 0; r < 256; r += 2) {
    EXPECT_EQ(StepRight(At(r, 254)), At(r, 255));
    EXPECT_EQ(StepRight(StepRight(At(r, 254))), At(254 - r, 0));
  }
}

TEST(CellGridTest, SeamCrossingTests) {
  EXPECT_TRUE(CrossedRowSeam(At(0, 16), At(255, 236)));
  EXPECT_TRUE(CrossedRowSeam(At(255, 236), At(0, 16)));
  EXPECT_FALSE(CrossedRowSeam(At(1, 16), At(0, 16)));
  EXPECT_FALSE(CrossedRowSeam(At(0, 0), At(0, 255)));
  EXPECT_TRUE(CrossedColumnSeam(At(16, 0), At(16, 255)));
  EXPECT_TRUE(CrossedColumnSeam(At(16, 255), At(16, 0)));
  EXPECT_FALSE(CrossedColumnSeam(At(16, 1), At(16, 0)));
  EXPECT_FALSE(CrossedColumnSeam(At(0, 5), At(255, 5)));
  // Every vertical step across the seam is seen by the row test and by no other.
  for (int c = 0; c < 256; ++c) {
    EXPECT_TRUE(CrossedRowSeam(StepUp(At(0, c)), At(0, c)));
    EXPECT_FALSE(CrossedColumnSeam(StepUp(At(0, c)), At(0, c)) && c != 0 && c != 255);
  }
}

TEST(CellGridTest, OppositeRoom) {
  EXPECT_EQ(OppositeRoom(At(64, 64)), At(192, 192));
  EXPECT_EQ(OppositeRoom(At(64, 65)), At(192, 192));
  EXPECT_EQ(OppositeRoom(At(0, 255)), At(128, 126));
  EXPECT_EQ(OppositeRoom(At(127, 127)), At(254, 254));
  EXPECT_EQ(OppositeRoom(START_ROOM), GOAL_ROOM);
  for (int v = 0; v < CELL_COUNT; ++v) {
    const Cell c = static_cast<Cell>(v);
    ASSERT_TRUE(IsRoom(OppositeRoom(c))) << v;
    if (IsRoom(c)) {
      ASSERT_EQ(OppositeRoom(OppositeRoom(c)), c) << v;
    }
  }
}

TEST(CellGridTest, CellKinds) {
  int rooms = 0, passages = 0, pillars = 0;
  for (int v = 0; v < CELL_COUNT; ++v) {
    const Cell c = static_cast<Cell>(v);
    rooms += IsRoom(c);
    passages += IsPassage(c);
    pillars += IsPillar(c);
  }
  EXPECT_EQ(rooms, 16384);
  EXPECT_EQ(passages, 32768);
  EXPECT_EQ(pillars, 16384);
  EXPECT_TRUE(IsPillar(0xFFFF));
}

}  // namespace
}  // namespace vennaloop
