// cell_changes_test.cpp: the record of changed cells: each cell listed once until taken, an
// overflow or a new maze taken as a change of everything, and the game's writers noting what
// they change.
#include "world/cell_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "fake_random_platform.h"
#include "world/maze_generator.h"

namespace vennaloop {
namespace {

class CellChangesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
    TakeCellChanges(changes);
  }
  CellChangeSet changes;
};

TEST_F(CellChangesTest, ListsEachChangedCellOnceInOrderUntilTaken) {
  SetCellFlags(0x1234, CELL_ALIEN);
  ClearCellFlags(0x0001, CELL_WALL);
  SetCellFlags(0x1234, CELL_PLAYER);   // listed already
  SetCellFlags(0x0001, CELL_GOAL);     // listed already
  SetCellFlags(0x4040, CELL_WALL);     // no change: not listed
  ClearCellFlags(0x4041, CELL_ALIEN);  // no change either
  ClearCellFlags(0xFFFF, CELL_WALL);
  TakeCellChanges(changes);
  EXPECT_FALSE(changes.everything);
  EXPECT_EQ(changes.cells, (std::vector<Cell>{0x1234, 0x0001, 0xFFFF}));

  // Taken means gone; a cell taken before is listed again when it changes again.
  TakeCellChanges(changes);
  EXPECT_FALSE(changes.everything);
  EXPECT_TRUE(changes.cells.empty());
  ClearCellFlags(0x1234, CELL_ALIEN);
  TakeCellChanges(changes);
  EXPECT_EQ(changes.cells, std::vector<Cell>{0x1234});
}

TEST_F(CellChangesTest, MoreCellsThanTheListHoldsAreEverythingAndTheNextRecordStartsClean) {
  for (int k = 0; k <= CHANGE_CAPACITY; ++k)
    ClearCellFlags(static_cast<Cell>(3 * k), CELL_WALL);
  TakeCellChanges(changes);
  EXPECT_TRUE(changes.everything);
  EXPECT_TRUE(changes.cells.empty());

  // The cells listed before the overflow are listed afresh.
  SetCellFlags(0, CELL_WALL);
  SetCellFlags(3, CELL_WALL);
  TakeCellChanges(changes);
  EXPECT_FALSE(changes.everything);
  EXPECT_EQ(changes.cells, (std::vector<Cell>{0, 3}));
}

TEST_F(CellChangesTest, ANewMazeChangesEverythingAndGrowthListsTheCellsItOpens) {
  testing::ScopedFakeRandomPlatform fake;
  ResetMaze();
  TakeCellChanges(changes);
  EXPECT_TRUE(changes.everything);

  std::vector<std::uint8_t> before(std::begin(CellMap), std::end(CellMap));
  for (int k = 0; k < 200; ++k)
    GrowStep();
  TakeCellChanges(changes);
  ASSERT_FALSE(changes.everything);
  std::vector<Cell> opened;
  for (int v = 0; v < CELL_COUNT; ++v) {
    if (CellMap[v] != before[v]) opened.push_back(static_cast<Cell>(v));
  }
  std::sort(changes.cells.begin(), changes.cells.end());
  EXPECT_EQ(changes.cells, opened);
}

}  // namespace
}  // namespace vennaloop
