// game_tick_test.cpp: stage setup, the moves of player and aliens with their flags, and the tick:
// the title phase, the order of a cycle, the game frozen while a dialog is up, and how a stage
// ends.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/virtual_keys.h"
#include "game_test_support.h"
#include "random/random_source.h"

namespace vennaloop {
namespace {

using testing::GameTest;
using testing::PARKING_ROOM;
using Calls = std::vector<std::string>;

// ---------------------------------------------------------------------------------------------
// Stage setup and start

TEST_F(GameTest, StartForgetsJunctionsAndGivesFullHitPoints) {
  Explorer.depth = 3;
  game.hitPoints = 4;
  game.Start();
  EXPECT_EQ(Explorer.depth, 0);
  EXPECT_EQ(game.hitPoints, FULL_HIT_POINTS);
  EXPECT_EQ(host.calls, (Calls{"StopTimer", "StartTimer(16)"}));
}

TEST_F(GameTest, StageSetupPlacesPlayerGoalAndAliensAndResetsTheStage) {
  game.hitPoints = 7;
  game.zoom = 3;
  game.titleTicks = 200;
  game.moveMode = MoveMode::Explorer;
  game.leftRightReversed = game.upDownReversed = 1;
  game.elapsedCycles = game.skippedCycle = 55;
  game.pendingKey = KEY_LEFT;
  Explorer.depth = 2;

  game.StageSetup();

  EXPECT_EQ(host.calls, (Calls{"StopTimer", "StartTimer(16)"}));
  EXPECT_EQ(game.playerCell, START_ROOM);
  EXPECT_EQ(game.playerPrevious, START_ROOM);
  EXPECT_EQ(CellMap[START_ROOM] & ~CELL_ALIEN, CELL_PLAYER);
  EXPECT_EQ(CellMap[GOAL_ROOM] & ~CELL_ALIEN, CELL_WALL | CELL_GOAL);
  for (const Alien& alien : game.aliens) {
    EXPECT_TRUE(IsRoom(alien.current));
    EXPECT_EQ(alien.previous, alien.current);
    EXPECT_TRUE(CellMap[alien.current] & CELL_ALIEN);
  }
  EXPECT_EQ(game.moveMode, MoveMode::Manual);
  EXPECT_EQ(game.leftRightReversed, 0);
  EXPECT_EQ(game.upDownReversed, 0);
  EXPECT_EQ(game.elapsedCycles, 0);
  EXPECT_EQ(game.skippedCycle, 0);
  EXPECT_EQ(game.pendingKey, 0);
  // Kept across stages.
  EXPECT_EQ(game.hitPoints, 7);
  EXPECT_EQ(game.zoom, 3);
  EXPECT_EQ(game.titleTicks, 200);
  EXPECT_EQ(Explorer.depth, 2);
}

TEST_F(GameTest, AliensAreTheFirstThirtyRoomsOfTheFreshStream) {
  // The fake platform seeds every stage alike, so the rooms can be drawn again after a reset.
  ResetMaze();
  Cell expected[ALIEN_COUNT];
  for (Cell& room : expected)
    room = RandomRoom();
  game.StageSetup();
  for (int i = 0; i < ALIEN_COUNT; ++i)
    EXPECT_EQ(game.aliens[i].current, expected[i]) << i;
}

// ---------------------------------------------------------------------------------------------
// Moves and flags

TEST_F(GameTest, PlayerMoveCarriesTheFlagAndTogglesReversals) {
  ClearWorld(MakeCell(0, 10));
  Open({MakeCell(255, 244), MakeCell(10, 0), MakeCell(244, 255)});
  game.MovePlayer(MakeCell(255, 244));  // up across the top seam
  EXPECT_EQ(game.playerPrevious, MakeCell(0, 10));
  EXPECT_EQ(CellMap[MakeCell(0, 10)] & CELL_PLAYER, 0);
  EXPECT_EQ(CellMap[MakeCell(255, 244)] & CELL_PLAYER, CELL_PLAYER);
  EXPECT_EQ(game.leftRightReversed, 1);
  EXPECT_EQ(game.upDownReversed, 0);
  game.MovePlayer(MakeCell(0, 10));  // and back down
  EXPECT_EQ(game.leftRightReversed, 0);

  game.MovePlayer(MakeCell(10, 0));
  game.MovePlayer(MakeCell(244, 255));  // left across the side seam
  EXPECT_EQ(game.leftRightReversed, 0);
  EXPECT_EQ(game.upDownReversed, 1);
}

TEST_F(GameTest, SharedCellLosesItsFlagUntilTheAliensAreRemarked) {
  ClearWorld();
  const Cell shared = MakeCell(10, 10), elsewhere = MakeCell(10, 11);
  PlaceAlien(0, shared);
  PlaceAlien(1, shared);
  game.MoveAlien(0, elsewhere);
  EXPECT_EQ(game.aliens[0].previous, shared);
  EXPECT_EQ(CellMap[shared] & CELL_ALIEN, 0) << "alien 1 still stands there, unshown";
  EXPECT_TRUE(CellMap[elsewhere] & CELL_ALIEN);

  game.AlienHit(2);
  EXPECT_TRUE(CellMap[shared] & CELL_ALIEN) << "every hit re-marks all aliens";
  EXPECT_EQ(game.aliens[2].current, OppositeRoom(PARKING_ROOM));
  EXPECT_EQ(game.aliens[2].previous, game.aliens[2].current);
}

TEST_F(GameTest, HitPointsNeverDropBelowZero) {
  ClearWorld();
  game.hitPoints = 1;
  game.AlienHit(0);
  game.AlienHit(1);
  EXPECT_EQ(game.hitPoints, 0);
}

// ---------------------------------------------------------------------------------------------
// Title phase

TEST_F(GameTest, TitlePhasePlaysNoCycleUntilTheSixtiethTick) {
  const std::vector<std::uint8_t> before(std::begin(CellMap), std::end(CellMap));
  for (int tick = 1; tick <= 59; ++tick)
    game.GameTick();
  EXPECT_EQ(game.elapsedCycles, 0);
  EXPECT_EQ(host.CountOf("RepaintTitle"), 59);
  EXPECT_EQ(host.calls.size(), 59u) << "neither the view nor the title is touched otherwise";
  EXPECT_TRUE(std::equal(before.begin(), before.end(), std::begin(CellMap)));

  host.ClearLog();
  game.GameTick();
  EXPECT_EQ(game.elapsedCycles, 1);
  EXPECT_EQ(host.calls, (Calls{"CloseTitle", "RepaintView"}));

  host.ClearLog();
  game.GameTick();
  EXPECT_EQ(host.calls, (Calls{"RepaintView"}));
}

TEST_F(GameTest, MissingTitleIsNeitherPaintedNorClosed) {
  host.titleExists = false;
  for (int tick = 1; tick <= 60; ++tick)
    game.GameTick();
  EXPECT_EQ(host.calls, (Calls{"RepaintView"}));
  EXPECT_EQ(game.elapsedCycles, 1);
}

TEST_F(GameTest, CountersStopAtTheirLimitInsteadOfRestartingTheTitle) {
  game.titleTicks = INT_MAX - 1;
  game.elapsedCycles = INT_MAX - 1;
  for (int tick = 0; tick < 3; ++tick)
    game.GameTick();
  EXPECT_EQ(game.titleTicks, INT_MAX);
  EXPECT_EQ(game.elapsedCycles, INT_MAX);
  EXPECT_EQ(host.CountOf("RepaintView"), 3);
}

// ---------------------------------------------------------------------------------------------
// Order of one cycle

TEST_F(GameTest, AliensMoveBeforeTheCommand) {
  EndTitlePhase();
  PlaceAlien(0, START_ROOM);  // an alien placed on the start room hits in the first cycle
  game.pendingKey = KEY_V;
  int hitPointsDuringCommand = -1;
  host.onOpenDialog = [&](const DialogRequest&) { hitPointsDuringCommand = game.hitPoints; };
  game.GameTick();
  EXPECT_EQ(hitPointsDuringCommand, FULL_HIT_POINTS - 1);
  EXPECT_EQ(game.aliens[0].current, GOAL_ROOM) << "thrown to the opposite room";
}

TEST_F(GameTest, CommandThenGoalThenGrowthThenRepaintThenStageEnd) {
  EndTitlePhase();
  const Cell goal = StepRight(START_ROOM);
  Open({goal});
  CellMap[goal] |= CELL_GOAL;
  const int openBefore = OpenCellCount();
  game.pendingKey = KEY_V;
  host.onOpenDialog = [&](const DialogRequest&) {
    EXPECT_EQ(game.playerCell, START_ROOM) << "the about key does not move";
    EXPECT_EQ(OpenCellCount(), openBefore) << "no growth before the command";
    game.pendingKey = KEY_RIGHT;  // a key pressed before the tick went on waits for the next
  };
  game.GameTick();
  EXPECT_EQ(host.calls, (Calls{"OpenAbout", "RepaintView"}));
  EXPECT_EQ(game.pendingKey, KEY_RIGHT);
  EXPECT_GE(OpenCellCount(), openBefore + 2 * GROW_STEPS_PER_CYCLE);
  game.DialogClosed(DialogAnswer::Ok);

  host.ClearLog();
  bool repainted = false;
  host.onRepaintView = [&] {
    repainted = true;
    EXPECT_EQ(game.playerCell, goal);
    EXPECT_TRUE(host.results.empty()) << "the view is painted before the stage result";
  };
  host.onOpenDialog = [&](const DialogRequest&) { EXPECT_TRUE(repainted); };
  game.GameTick();
  EXPECT_EQ(host.calls, (Calls{"RepaintView", "OpenStageResult"}));
  ASSERT_EQ(host.results.size(), 1u);
  EXPECT_EQ(host.results[0].outcome, Outcome::GoalReached);
  game.DialogClosed(DialogAnswer::Ok);
  EXPECT_EQ(host.calls, (Calls{"RepaintView", "OpenStageResult", "StopTimer", "StartTimer(16)"}));
}

TEST_F(GameTest, PlayerWalkingOntoAnAlienHidesItAndIsHitNextCycle) {
  ClearWorld();
  const Cell passage = StepRight(START_ROOM), room = StepRight(passage);
  Open({passage, room});
  PlaceAlien(0, room);  // steps into the passage first, then the player steps onto it
  game.pendingKey = KEY_RIGHT;
  game.GameTick();
  EXPECT_EQ(game.aliens[0].current, passage);
  EXPECT_EQ(game.playerCell, passage);
  EXPECT_EQ(CellMap[passage] & CELL_ALIEN, 0) << "hidden under the player";
  EXPECT_EQ(game.hitPoints, FULL_HIT_POINTS);

  game.GameTick();
  EXPECT_EQ(game.hitPoints, FULL_HIT_POINTS - 1) << "an alien standing on the player hits";
  EXPECT_EQ(game.aliens[0].current, OppositeRoom(passage));
}

TEST_F(GameTest, AlienSteppingOntoThePlayerHits) {
  ClearWorld();
  const Cell passage = StepDown(START_ROOM), room = StepDown(passage);
  Open({passage, room});
  PlaceAlien(3, room);
  game.GameTick();
  EXPECT_EQ(game.aliens[3].current, passage);
  EXPECT_EQ(game.hitPoints, FULL_HIT_POINTS);
  game.GameTick();
  EXPECT_EQ(game.hitPoints, FULL_HIT_POINTS - 1);
  EXPECT_EQ(game.aliens[3].current, OppositeRoom(START_ROOM));
  EXPECT_TRUE(CellMap[OppositeRoom(START_ROOM)] & CELL_ALIEN);
  EXPECT_EQ(CellMap[START_ROOM] & CELL_ALIEN, 0);
}

TEST_F(GameTest, FlagLostToASharedCellComesBackWhenTheOtherAlienMoves) {
  ClearWorld();
  const Cell shared = MakeCell(10, 10);  // a closed room: an alien there stays put
  PlaceAlien(0, shared);
  PlaceAlien(1, shared);
  game.MoveAlien(0, PARKING_ROOM);
  ASSERT_EQ(CellMap[shared] & CELL_ALIEN, 0);
  game.GameTick();
  EXPECT_EQ(game.aliens[1].current, shared);
  EXPECT_TRUE(CellMap[shared] & CELL_ALIEN);
}

// ---------------------------------------------------------------------------------------------
// Frozen while a dialog is up

TEST_F(GameTest, TicksDoNothingWhileADialogIsUp) {
  ClearWorld();
  for (const int key : {KEY_V, KEY_A, KEY_ESCAPE}) {
    SCOPED_TRACE(key);
    game.pendingKey = key;
    game.GameTick();
    ASSERT_TRUE(game.DialogOpen());
    host.ClearLog();
    const int ticks = game.titleTicks, cycles = game.elapsedCycles;
    game.pendingKey = KEY_S;
    game.GameTick();
    game.GameTick();
    EXPECT_TRUE(host.calls.empty()) << "no repaint, no second dialog";
    EXPECT_EQ(game.titleTicks, ticks);
    EXPECT_EQ(game.elapsedCycles, cycles);
    EXPECT_EQ(game.pendingKey, KEY_S) << "the key waits for the next real tick";
    game.pendingKey = 0;
    game.DialogClosed(DialogAnswer::Cancel);  // a give-up cancelled returns to the stage
    EXPECT_FALSE(game.DialogOpen());
    game.GameTick();
    EXPECT_EQ(game.elapsedCycles, cycles + 1) << "ticks run again";
  }
}

TEST_F(GameTest, AnAnswerWithNoDialogOpenDoesNothing) {
  ClearWorld();
  game.DialogClosed(DialogAnswer::Ok);
  EXPECT_TRUE(host.calls.empty());
  game.pendingKey = KEY_ESCAPE;
  game.GameTick();
  game.DialogClosed(DialogAnswer::Cancel);
  host.ClearLog();
  game.DialogClosed(DialogAnswer::Ok);  // a second answer to the same give-up
  EXPECT_TRUE(host.calls.empty()) << "no new stage";
}

TEST_F(GameTest, AStageEndingUnderTheAboutBoxShowsItsResultWhenTheBoxCloses) {
  // The about key and the last hit point in one cycle: the about box comes first, as it did
  // when it held the cycle up, and the stage result follows it.
  ClearWorld();
  game.hitPoints = 1;
  PlaceAlien(0, START_ROOM);
  game.pendingKey = KEY_V;
  game.GameTick();
  EXPECT_EQ(host.calls, (Calls{"OpenAbout", "RepaintView"}));
  EXPECT_EQ(game.hitPoints, 0);
  game.GameTick();
  EXPECT_EQ(host.calls.size(), 2u) << "frozen under the about box";

  game.DialogClosed(DialogAnswer::Ok);
  EXPECT_EQ(host.calls, (Calls{"OpenAbout", "RepaintView", "OpenStageResult"}));
  ASSERT_EQ(host.results.size(), 1u);
  EXPECT_EQ(host.results[0].outcome, Outcome::HitPointsExhausted);
  EXPECT_TRUE(game.DialogOpen());

  game.DialogClosed(DialogAnswer::Cancel);
  EXPECT_EQ(host.calls.back(), "StartTimer(16)") << "exhausted hit points start anew";
  EXPECT_EQ(game.hitPoints, FULL_HIT_POINTS);
  EXPECT_FALSE(game.DialogOpen());
}

// ---------------------------------------------------------------------------------------------
// Stage end: outcome precedence and the dialog's answer

struct Ending {
  const char* name;
  bool giveUp, goal, exhausted;
  DialogAnswer answer;
  Outcome outcome;
  bool newStage;
};

void PrintTo(const Ending& e, std::ostream* os) {
  *os << e.name;
}

class StageEndTest : public GameTest, public ::testing::WithParamInterface<Ending> {
 protected:
  // After the answer: full hit points back if they ran out, and a new stage or the same one.
  void ExpectWhatTheAnswerDid(const Ending& e, int cycles) {
    EXPECT_EQ(game.hitPoints, e.exhausted ? FULL_HIT_POINTS : 9);
    if (e.newStage) {
      EXPECT_EQ(host.calls,
                (Calls{"RepaintView", "OpenStageResult", "StopTimer", "StartTimer(16)"}));
      EXPECT_EQ(game.elapsedCycles, 0);
    } else {
      EXPECT_EQ(host.calls, (Calls{"RepaintView", "OpenStageResult"}));
      EXPECT_EQ(game.elapsedCycles, cycles);
    }
  }
};

TEST_P(StageEndTest, OutcomeAndWhatTheAnswerDoes) {
  const Ending e = GetParam();
  ClearWorld();
  game.hitPoints = e.exhausted ? 1 : 9;
  for (int i = 0; i < 3; ++i)
    game.GameTick();  // nothing happens in the empty world
  host.ClearLog();
  game.skippedCycle = 2;
  const int cycles = 4;
  if (e.giveUp) game.pendingKey = KEY_ESCAPE;
  if (e.goal) CellMap[START_ROOM] |= CELL_GOAL;
  if (e.exhausted) PlaceAlien(0, START_ROOM);

  game.GameTick();

  ASSERT_EQ(host.results.size(), 1u);
  const StageResult& r = host.results[0];
  EXPECT_EQ(r.outcome, e.outcome);
  EXPECT_EQ(r.elapsedCycles, cycles);
  EXPECT_EQ(r.skippedCycle, 2);
  EXPECT_EQ(r.hitPoints, e.exhausted ? 0 : 9);
  EXPECT_EQ(r.nextStageAliens, ALIEN_COUNT);
  ASSERT_TRUE(game.DialogOpen());
  EXPECT_EQ(game.hitPoints, r.hitPoints) << "hit points are restored after the answer";
  game.GameTick();  // frozen: no cycle, no stage setup
  EXPECT_EQ(host.calls, (Calls{"RepaintView", "OpenStageResult"}));

  game.DialogClosed(e.answer);
  EXPECT_FALSE(game.DialogOpen());
  ExpectWhatTheAnswerDid(e, cycles);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, StageEndTest,
    ::testing::Values(
        Ending{"GiveUpOk", true, false, false, DialogAnswer::Ok, Outcome::GaveUp, true},
        Ending{"GiveUpCancel", true, false, false, DialogAnswer::Cancel, Outcome::GaveUp, false},
        Ending{"GoalOk", false, true, false, DialogAnswer::Ok, Outcome::GoalReached, true},
        Ending{"GoalCancel", false, true, false, DialogAnswer::Cancel, Outcome::GoalReached, true},
        Ending{"ExhaustedOk", false, false, true, DialogAnswer::Ok, Outcome::HitPointsExhausted,
               true},
        Ending{"ExhaustedCancel", false, false, true, DialogAnswer::Cancel,
               Outcome::HitPointsExhausted, true},
        Ending{"GoalBeatsExhausted", false, true, true, DialogAnswer::Cancel, Outcome::GoalReached,
               true},
        Ending{"ExhaustedBeatsGiveUpOk", true, false, true, DialogAnswer::Ok,
               Outcome::HitPointsExhausted, true},
        Ending{"ExhaustedBeatsGiveUpCancel", true, false, true, DialogAnswer::Cancel,
               Outcome::HitPointsExhausted, false},
        Ending{"GoalBeatsGiveUpOk", true, true, false, DialogAnswer::Ok, Outcome::GoalReached,
               true},
        Ending{"GoalBeatsGiveUpCancel", true, true, false, DialogAnswer::Cancel,
               Outcome::GoalReached, false}),
    [](const ::testing::TestParamInfo<Ending>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace vennaloop
