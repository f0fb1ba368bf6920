// key_commands_test.cpp: which keys the key-down handler records, and what the tick does with
// each command: arrows under the reversal flags and across seams, the mode keys, S, the digits
// and the dialog keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/virtual_keys.h"
#include "game_test_support.h"
#include "movers/walker_steps.h"
#include "random/random_source.h"
#include "random_peek.h"

namespace vennaloop {
namespace {

using testing::GameTest;
using testing::SameStreamPlace;
using testing::StreamAfter;
using Calls = std::vector<std::string>;

TEST_F(GameTest, KeyDownRecordsOnlyTheGamesKeysAndTheLastOneWins) {
  const int accepted[] = {27, 32, 37, 38, 39, 40, 49, 50, 51, 65, 70, 78, 82, 83, 86, 87};
  for (int key : accepted) {
    game.pendingKey = 0;
    game.KeyDown(key);
    EXPECT_EQ(game.pendingKey, key);
  }
  game.pendingKey = KEY_LEFT;
  for (int key : {0, 13, 48, 52, 57, 90, 97, 119, 36, 41, 256, -1}) {
    game.KeyDown(key);
    EXPECT_EQ(game.pendingKey, KEY_LEFT) << "key " << key << " is ignored";
  }
  game.KeyDown(KEY_F);
  game.KeyDown(KEY_S);
  EXPECT_EQ(game.pendingKey, KEY_S);
}

TEST_F(GameTest, TwoKeysInOneTickCarryOutOnlyTheSecond) {
  ClearWorld();
  Open({StepLeft(START_ROOM), StepRight(START_ROOM)});
  game.KeyDown(KEY_LEFT);
  game.KeyDown(KEY_RIGHT);
  game.GameTick();
  EXPECT_EQ(game.playerCell, StepRight(START_ROOM));
  EXPECT_EQ(game.pendingKey, 0);
}

TEST_F(GameTest, PressingFourDoesNothingAtAll) {
  ClearWorld();
  game.KeyDown('4');
  game.GameTick();
  EXPECT_EQ(game.zoom, 1);
  EXPECT_EQ(host.calls, (Calls{"RepaintView"}));
}

TEST_F(GameTest, DigitsBeyondThreeAreNotCarriedOutEvenIfPending) {
  // Only 1-3 are zoom levels the picture can be drawn at.
  ClearWorld();
  for (int key = '4'; key <= '9'; ++key) {
    game.pendingKey = key;
    host.ctrlDown = key % 2;
    game.GameTick();
  }
  EXPECT_EQ(game.zoom, 1);
  EXPECT_EQ(host.CountOf("StartTimer(16)") + host.CountOf("StopTimer"), 0);
}

// ---------------------------------------------------------------------------------------------
// Arrows

struct ArrowCase {
  int key;
  int leftRight, upDown;
  Cell (*expectedStep)(Cell);
};

TEST_F(GameTest, ArrowsFollowTheReversalFlags) {
  const ArrowCase cases[] = {
      {KEY_LEFT, 0, 0, StepLeft},   {KEY_LEFT, 1, 0, StepRight},  {KEY_LEFT, 0, 1, StepLeft},
      {KEY_LEFT, 1, 1, StepRight},  {KEY_RIGHT, 0, 0, StepRight}, {KEY_RIGHT, 1, 0, StepLeft},
      {KEY_RIGHT, 0, 1, StepRight}, {KEY_RIGHT, 1, 1, StepLeft},  {KEY_UP, 0, 0, StepUp},
      {KEY_UP, 1, 0, StepUp},       {KEY_UP, 0, 1, StepDown},     {KEY_UP, 1, 1, StepDown},
      {KEY_DOWN, 0, 0, StepDown},   {KEY_DOWN, 1, 0, StepDown},   {KEY_DOWN, 0, 1, StepUp},
      {KEY_DOWN, 1, 1, StepUp},
  };
  for (const ArrowCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "key " << c.key << " reversed " << c.leftRight << "," << c.upDown);
    ClearWorld();
    Open({StepUp(START_ROOM), StepRight(START_ROOM), StepDown(START_ROOM), StepLeft(START_ROOM)});
    game.leftRightReversed = c.leftRight;
    game.upDownReversed = c.upDown;
    game.pendingKey = c.key;
    game.GameTick();
    EXPECT_EQ(game.playerCell, c.expectedStep(START_ROOM));
    EXPECT_EQ(game.playerPrevious, START_ROOM);
    EXPECT_EQ(game.moveMode, MoveMode::Corridor);
    EXPECT_EQ(game.leftRightReversed, c.leftRight) << "no seam crossed";
    EXPECT_EQ(game.upDownReversed, c.upDown);
  }
}

TEST_F(GameTest, ArrowsAcrossTheTopSeamExchangeLeftAndRight) {
  // Up from (0, 10) lands on (255, 244); from there Left is a step to the right on the grid.
  ClearWorld(MakeCell(0, 10));
  Open({MakeCell(255, 244), MakeCell(255, 245), MakeCell(255, 243)});
  game.pendingKey = KEY_UP;
  game.GameTick();
  EXPECT_EQ(game.playerCell, MakeCell(255, 244));
  EXPECT_EQ(game.leftRightReversed, 1);
  game.pendingKey = KEY_LEFT;
  game.GameTick();
  EXPECT_EQ(game.playerCell, MakeCell(255, 245));

  game.pendingKey = KEY_SPACE;
  game.GameTick();
  EXPECT_EQ(game.leftRightReversed, 0);
  EXPECT_EQ(game.playerCell, MakeCell(255, 245)) << "space does not move";
  game.pendingKey = KEY_LEFT;
  game.GameTick();
  EXPECT_EQ(game.playerCell, MakeCell(255, 244));
}

TEST_F(GameTest, ArrowsAcrossTheSideSeamExchangeUpAndDown) {
  ClearWorld(MakeCell(10, 0));
  Open({MakeCell(244, 255), MakeCell(243, 255), MakeCell(245, 255)});
  game.pendingKey = KEY_LEFT;
  game.GameTick();
  EXPECT_EQ(game.playerCell, MakeCell(244, 255));
  EXPECT_EQ(game.upDownReversed, 1);
  game.pendingKey = KEY_UP;
  game.GameTick();
  EXPECT_EQ(game.playerCell, MakeCell(245, 255));
  // Crossing back toggles the flag back.
  game.moveMode = MoveMode::Manual;
  game.MovePlayer(MakeCell(244, 255));
  game.pendingKey = KEY_RIGHT;
  game.GameTick();
  EXPECT_EQ(game.playerCell, MakeCell(10, 0));
  EXPECT_EQ(game.upDownReversed, 0);
}

TEST_F(GameTest, ArrowIntoAWallSwitchesToCorridorModeWithoutMoving) {
  ClearWorld();
  const Cell down = StepDown(START_ROOM), below = StepDown(down);
  Open({down, below, StepRight(START_ROOM)});
  game.playerPrevious = down;  // came up from below, so the corridor step goes right
  game.pendingKey = KEY_UP;
  game.GameTick();
  EXPECT_EQ(game.playerCell, START_ROOM);
  EXPECT_EQ(game.playerPrevious, down);
  EXPECT_EQ(game.moveMode, MoveMode::Corridor);
  game.GameTick();
  EXPECT_EQ(game.playerCell, StepRight(START_ROOM));
}

TEST_F(GameTest, CorridorModeRunsToTheJunctionAndWaitsThere) {
  // A corridor of three rooms ending in a junction; the player stops there and stays.
  ClearWorld();
  Cell c = START_ROOM;
  for (int i = 0; i < 6; ++i) {
    c = StepRight(c);
    Open({c});
  }
  const Cell junction = c;
  Open({StepUp(junction), StepDown(junction)});
  game.pendingKey = KEY_RIGHT;
  for (int i = 0; i < 10; ++i)
    game.GameTick();
  EXPECT_EQ(game.playerCell, junction);
  EXPECT_EQ(game.moveMode, MoveMode::Corridor);
}

// ---------------------------------------------------------------------------------------------
// Mode keys

TEST_F(GameTest, ModeKeysComputeTheirStepButDoNotMove) {
  // On a junction of two ways: F draws one byte, N draws none, W records the junction.
  ClearWorld();
  const Cell up = StepUp(START_ROOM), right = StepRight(START_ROOM);
  Open({up, right});
  SeedRandom();

  RandomSource afterOne = StreamAfter(1);
  game.pendingKey = KEY_F;
  game.GameTick();
  EXPECT_EQ(game.moveMode, MoveMode::Wander);
  EXPECT_EQ(game.playerCell, START_ROOM);
  EXPECT_TRUE(SameStreamPlace(Random, afterOne));

  RandomSource before = Random;
  game.pendingKey = KEY_N;
  game.GameTick();
  EXPECT_EQ(game.moveMode, MoveMode::Corridor);
  EXPECT_EQ(game.playerCell, START_ROOM);
  EXPECT_TRUE(SameStreamPlace(Random, before));

  Explorer.depth = 4;
  game.pendingKey = KEY_W;
  game.GameTick();
  EXPECT_EQ(game.moveMode, MoveMode::Explorer);
  EXPECT_EQ(game.playerCell, START_ROOM);
  ASSERT_EQ(Explorer.depth, 1) << "memory emptied, then the junction recorded";
  EXPECT_EQ(Explorer.entries[0].junction, START_ROOM);
  EXPECT_EQ(Explorer.entries[0].remaining, 1);

  // From the next tick on the explorer walks, taking the way it did not choose above first.
  const Cell other = Explorer.entries[0].alternatives[0];
  game.GameTick();
  EXPECT_EQ(game.playerCell, other);

  game.pendingKey = KEY_R;
  game.GameTick();
  EXPECT_EQ(game.moveMode, MoveMode::Manual);
  EXPECT_EQ(game.playerCell, other);
  game.GameTick();
  EXPECT_EQ(game.playerCell, other) << "manual mode stands still";
}

TEST_F(GameTest, WanderModeMovesEveryTick) {
  ClearWorld();
  const Cell right = StepRight(START_ROOM), room = StepRight(right);
  Open({right, room});
  game.pendingKey = KEY_F;
  game.GameTick();
  game.GameTick();
  EXPECT_EQ(game.playerCell, right);
  game.GameTick();
  EXPECT_EQ(game.playerCell, room);
  game.GameTick();
  EXPECT_EQ(game.playerCell, right) << "turned back at the dead end";
}

// ---------------------------------------------------------------------------------------------
// S: finish the maze at once

TEST_F(GameTest, SFinishesTheMazeAndRecordsTheCycle) {
  EndTitlePhase();
  for (int i = 0; i < 5; ++i)
    game.GameTick();
  const Cell player = game.playerCell;
  game.pendingKey = KEY_S;
  game.GameTick();
  EXPECT_EQ(Maze.finished, 1);
  EXPECT_EQ(game.skippedCycle, 6);
  EXPECT_EQ(game.playerCell, player);
  int open = 0;
  for (int cell = 0; cell < CELL_COUNT; ++cell)
    open += (CellMap[cell] & CELL_WALL) == 0;
  EXPECT_EQ(open, 32767);
}

TEST_F(GameTest, SOnAFinishedMazeOnlyRecordsTheCycle) {
  ClearWorld();
  for (int i = 0; i < 3; ++i)
    game.GameTick();
  const std::vector<std::uint8_t> before(std::begin(CellMap), std::end(CellMap));
  const RandomSource stream = Random;
  game.pendingKey = KEY_S;
  game.GameTick();
  EXPECT_EQ(game.skippedCycle, 4);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), std::begin(CellMap)));
  EXPECT_TRUE(SameStreamPlace(Random, stream));
}

// ---------------------------------------------------------------------------------------------
// Digits, dialogs

struct DigitCase {
  int key;
  bool shift, ctrl;
  int period;  // 0: the digit sets the zoom instead
};

TEST_F(GameTest, DigitsSetZoomOrWithModifiersTheSpeed) {
  const DigitCase cases[] = {
      {KEY_1, false, false, 0},  {KEY_2, false, false, 0},  {KEY_3, false, false, 0},
      {KEY_1, false, true, 100}, {KEY_2, false, true, 200}, {KEY_3, false, true, 300},
      {KEY_1, true, false, 10},  {KEY_2, true, false, 20},  {KEY_3, true, false, 30},
      {KEY_1, true, true, 1},    {KEY_2, true, true, 2},    {KEY_3, true, true, 3},
  };
  ClearWorld();
  for (const DigitCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "key " << c.key << " shift " << c.shift << " ctrl " << c.ctrl);
    game.zoom = 2;
    host.ClearLog();
    host.shiftDown = c.shift;
    host.ctrlDown = c.ctrl;
    game.pendingKey = c.key;
    game.GameTick();
    if (c.period == 0) {
      EXPECT_EQ(game.zoom, c.key - KEY_1 + 1);
      EXPECT_EQ(host.calls, (Calls{"RepaintView"}));
    } else {
      EXPECT_EQ(game.zoom, 2);
      EXPECT_EQ(host.calls, (Calls{"StopTimer", "StartTimer(" + std::to_string(c.period) + ")",
                                   "RepaintView"}));
      // The range every host is promised.
      EXPECT_GE(c.period, MIN_TIMER_PERIOD_MS);
      EXPECT_LE(c.period, MAX_TIMER_PERIOD_MS);
    }
  }
}

TEST_F(GameTest, ModifiersAreReadWhenTheTickRunsAndSpeedLastsUntilTheNextStage) {
  ClearWorld();
  host.shiftDown = true;
  game.KeyDown(KEY_2);
  EXPECT_EQ(host.modifierQueries, 0);
  host.shiftDown = false;
  game.GameTick();
  EXPECT_EQ(game.zoom, 2) << "Shift was released before the tick";

  host.shiftDown = true;
  game.KeyDown(KEY_2);
  game.GameTick();
  EXPECT_EQ(host.timerPeriod, 20);
  game.GameTick();
  EXPECT_EQ(host.timerPeriod, 20);

  game.KeyDown(KEY_ESCAPE);
  game.GameTick();
  game.DialogClosed(DialogAnswer::Ok);
  EXPECT_EQ(host.timerPeriod, DEFAULT_PERIOD_MS);
  EXPECT_EQ(game.zoom, 2) << "zoom outlasts the stage";
}

TEST_F(GameTest, ModifiersAKeyBringsCountForItsOwnTickOnly) {
  // A stand-in key or a touch button brings Shift or Ctrl with it; they join the live keys.
  struct Case {
    AddedModifiers adds;
    bool liveShift, liveCtrl;
    int period;  // 0: the digit zooms
  };
  const Case cases[] = {
      {{false, true}, false, false, 100},
      {{true, true}, false, false, 1},
      {{true, false}, false, true, 1},
      {{false, false}, false, false, 0},
  };
  ClearWorld();
  for (const Case& c : cases) {
    host.StartTimer(DEFAULT_PERIOD_MS);
    host.shiftDown = c.liveShift;
    host.ctrlDown = c.liveCtrl;
    game.zoom = 3;
    game.KeyDown(KEY_1, c.adds);
    game.GameTick();
    EXPECT_EQ(host.timerPeriod, c.period ? c.period : DEFAULT_PERIOD_MS) << c.period;
    EXPECT_EQ(game.zoom, c.period ? 3 : 1) << c.period;
  }

  // A key that replaces the pending one drops what that one brought, and so does its tick.
  host.shiftDown = host.ctrlDown = false;
  game.KeyDown(KEY_1, {.shift = false, .ctrl = true});
  game.KeyDown(KEY_2);
  game.GameTick();
  EXPECT_EQ(game.zoom, 2);
  game.KeyDown(KEY_3, {.shift = false, .ctrl = true});
  game.GameTick();
  game.KeyDown(KEY_1);
  game.GameTick();
  EXPECT_EQ(game.zoom, 1) << "Ctrl outlived the key that brought it";
}

TEST_F(GameTest, DialogKeysOpenTheirDialogsWithoutMoving) {
  ClearWorld();
  Open({StepRight(START_ROOM)});
  game.moveMode = MoveMode::Corridor;
  game.pendingKey = KEY_A;
  game.GameTick();
  game.DialogClosed(DialogAnswer::Ok);
  game.pendingKey = KEY_V;
  game.GameTick();
  game.DialogClosed(DialogAnswer::Cancel);
  EXPECT_EQ(host.calls, (Calls{"OpenAuthorProfile", "RepaintView", "OpenAbout", "RepaintView"}));
  EXPECT_EQ(game.playerCell, START_ROOM) << "a key replaces the mode's step in its tick";
  game.GameTick();
  EXPECT_EQ(game.playerCell, StepRight(START_ROOM));
}

}  // namespace
}  // namespace vennaloop
