// world_invariants_test.cpp: the checks the long runs, the soak and the fuzz target lean on must
// see each kind of damage, or those runs would pass whatever the game did.
#include "world_invariants.h"

#include <gtest/gtest.h>

#include <vector>

#include "game_test_support.h"
#include "picture_check.h"

namespace vennaloop {
namespace {

using testing::WorldFault;

class WorldInvariantsTest : public testing::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    // A grown maze with the player somewhere inside it.
    for (int i = 0; i < 200; ++i)
      GrowStep();
    game.KeyDown(KEY_W);
    EndTitlePhase();
    for (int i = 0; i < 30; ++i)
      game.GameTick();
    ASSERT_EQ(WorldFault(game), "");
  }

  // The first open passage found, and the two rooms it joins.
  static Cell SomeOpenPassage() {
    for (int i = 0; i < CELL_COUNT; ++i) {
      if (IsPassage(static_cast<Cell>(i)) && IsOpen(static_cast<Cell>(i)))
        return static_cast<Cell>(i);
    }
    return NO_CELL_FOUND;
  }
  static constexpr Cell NO_CELL_FOUND = 0xFFFF;
};

TEST_F(WorldInvariantsTest, SeesBrokenTreesAndCells) {
  // Closing a passage inside the maze cuts it in two.
  const Cell passage = SomeOpenPassage();
  ASSERT_NE(passage, NO_CELL_FOUND);
  CellMap[passage] |= CELL_WALL;
  EXPECT_NE(WorldFault(game), "") << "cut tree";
  CellMap[passage] &= ~CELL_WALL;

  // An open passage between two open rooms that were already joined closes a cycle.
  bool madeCycle = false;
  for (int i = 0; i < CELL_COUNT && !madeCycle; ++i) {
    const Cell c = static_cast<Cell>(i);
    if (!IsPassage(c) || IsOpen(c)) continue;
    const bool vertical = RowOf(c) & 1;
    if (IsOpen(vertical ? StepUp(c) : StepLeft(c)) &&
        IsOpen(vertical ? StepDown(c) : StepRight(c))) {
      CellMap[c] &= ~CELL_WALL;
      EXPECT_NE(WorldFault(game), "") << "cycle";
      CellMap[c] |= CELL_WALL;
      madeCycle = true;
    }
  }
  EXPECT_TRUE(madeCycle) << "the maze has no two joined rooms side by side";

  const Cell pillar = MakeCell(1, 1);
  CellMap[pillar] &= ~CELL_WALL;
  EXPECT_NE(WorldFault(game), "") << "open pillar";
  CellMap[pillar] |= CELL_WALL;

  CellMap[MakeCell(200, 3)] |= 0x10;
  EXPECT_NE(WorldFault(game), "") << "unknown flag bit";
  CellMap[MakeCell(200, 3)] &= 0x0F;

  EXPECT_EQ(WorldFault(game), "");
}

TEST_F(WorldInvariantsTest, SeesMarksThatDisagreeWithTheGame) {
  const Cell elsewhere = MakeCell(2, 200);
  ASSERT_FALSE(CellMap[elsewhere] & (CELL_PLAYER | CELL_ALIEN | CELL_GOAL));

  CellMap[elsewhere] |= CELL_PLAYER;
  EXPECT_NE(WorldFault(game), "") << "second player mark";
  CellMap[elsewhere] &= ~CELL_PLAYER;

  CellMap[elsewhere] |= CELL_ALIEN;
  EXPECT_NE(WorldFault(game), "") << "stray alien mark";
  CellMap[elsewhere] &= ~CELL_ALIEN;

  CellMap[elsewhere] |= CELL_GOAL;
  EXPECT_NE(WorldFault(game), "") << "second goal";
  CellMap[elsewhere] &= ~CELL_GOAL;

  const Alien saved = game.aliens[3];
  game.aliens[3].current = MakeCell(0, 1);  // a closed passage
  EXPECT_NE(WorldFault(game), "") << "alien in a wall";
  game.aliens[3] = saved;

  const Cell savedPrevious = game.playerPrevious;
  game.playerPrevious = OppositeRoom(game.playerCell);
  EXPECT_NE(WorldFault(game), "") << "player jumped";
  game.playerPrevious = savedPrevious;

  game.pendingKey = '4';
  EXPECT_NE(WorldFault(game), "") << "pending key the game does not take";
  game.pendingKey = 0;

  game.hitPoints = 0;
  EXPECT_NE(WorldFault(game), "") << "playing on without hit points";
  game.hitPoints = FULL_HIT_POINTS;

  game.moveMode = static_cast<MoveMode>(4);
  EXPECT_NE(WorldFault(game), "") << "unknown mode";
  game.moveMode = MoveMode::Manual;

  EXPECT_EQ(WorldFault(game), "");
}

TEST_F(WorldInvariantsTest, SeesAGeneratorOrExplorerOutOfStep) {
  ASSERT_GE(Maze.frontierCount, 2);
  std::swap(Maze.frontier[0], Maze.frontier[1]);
  EXPECT_NE(WorldFault(game), "") << "frontier slots";
  std::swap(Maze.frontier[0], Maze.frontier[1]);

  Maze.finished = 1;
  EXPECT_NE(WorldFault(game), "") << "finished with closed rooms";
  Maze.finished = 0;

  Explorer.depth = EXPLORER_CAPACITY + 1;
  EXPECT_NE(WorldFault(game), "") << "explorer too deep";
  Explorer.depth = 0;

  EXPECT_EQ(WorldFault(game), "");
}

TEST(ShadowPictureTest, SeesAPixelAmissAndARefusedSizeThatLeftABuffer) {
  std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
  PixelBuffer buffer;
  testing::ShadowPicture shadow;
  ASSERT_EQ(shadow.AfterResize(buffer, 9, 7, buffer.Resize(9, 7)), "");
  RenderView(buffer, 2);
  ASSERT_EQ(shadow.AfterRender(buffer, 2), "");

  // At zoom 2 a width of 9 leaves the last column uncovered: it must keep what it held.
  buffer.Pixels()[8] = 0x123456;
  shadow.Resync(buffer);
  RenderView(buffer, 2);
  EXPECT_EQ(shadow.AfterRender(buffer, 2), "");
  buffer.Pixels()[8] = 0;
  RenderView(buffer, 2);
  EXPECT_NE(shadow.AfterRender(buffer, 2), "") << "uncovered pixel changed";

  shadow.Resync(buffer);
  buffer.Pixels()[20] ^= 1;
  EXPECT_NE(shadow.AfterRender(buffer, 2), "") << "covered pixel wrong";

  EXPECT_NE(shadow.AfterResize(buffer, 0, 5, true), "") << "empty size granted";
  EXPECT_NE(shadow.AfterResize(buffer, 9, 7, false), "") << "refused, yet a buffer is there";
  std::fill(std::begin(CellMap), std::end(CellMap), 0);
}

}  // namespace
}  // namespace vennaloop
