// pacer_test.cpp: the game's pacing on a hand-stepped clock: the speeds over many wakes of any
// cadence, late and very late wakes, dialogs, new stages and the frames a screen gets.
#include "game/pacer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/virtual_keys.h"
#include "game_test_support.h"

namespace vennaloop {
namespace {

// The scripted host whose timer is the pacer, as every front end's is.
class PacedHost : public testing::ScriptedHost {
 public:
  void StartTimer(int periodMs) override {
    ScriptedHost::StartTimer(periodMs);
    if (pacer) pacer->Start(periodMs, nowMs);
  }
  void StopTimer() override {
    ScriptedHost::StopTimer();
    if (pacer) pacer->Stop();
  }
  void RepaintView() override {
    ScriptedHost::RepaintView();
    if (pacer) pacer->PictureChanged();
  }

  Pacer* pacer = nullptr;
  double nowMs = 0;
};

class PacerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.pacer = &pacer;
    game.Start();  // the first stage starts the timer at the default period, at time 0
    // A quiet world: growth done, aliens parked, the title over, so every wake is plain cycles.
    std::fill(std::begin(CellMap), std::end(CellMap), CELL_WALL);
    Maze.finished = 1;
    CellMap[START_ROOM] = CELL_PLAYER;
    for (Alien& alien : game.aliens)
      alien = {testing::PARKING_ROOM, testing::PARKING_ROOM};
    game.titleTicks = TITLE_TICKS;
    host.titleExists = false;
  }

  PacerWake WakeAt(double nowMs, bool atRefresh = false) {
    host.nowMs = nowMs;
    return pacer.Wake(nowMs, atRefresh);
  }

  /// Wakes every `everyMs` from now until `untilMs`; the cycles and frames of all those wakes.
  struct Totals {
    int cycles = 0;
    int frames = 0;
  };
  Totals WakeEvery(double everyMs, double untilMs) {
    Totals totals;
    const double from = host.nowMs;
    for (int k = 1; from + k * everyMs <= untilMs + 1e-9; ++k) {
      const PacerWake wake = WakeAt(from + k * everyMs);
      totals.cycles += wake.cycles;
      totals.frames += wake.frameDue ? 1 : 0;
    }
    return totals;
  }

  void SetSpeed(int periodMs) {
    host.StopTimer();
    host.StartTimer(periodMs);
  }

  testing::ScopedFakeRandomPlatform fake;
  PacedHost host;
  Game game{host};
  Pacer pacer{game};
};

TEST_F(PacerTest, EverySpeedKeepsItsPeriodWhateverTheWakeCadence) {
  // Windows' timers wake no faster than every 10 ms, animation frames every 16.7 or 6.9 ms, Qt's
  // timer at the period itself.
  const double cadences[] = {1, 10, 1000.0 / 60, 1000.0 / 144, 33};
  for (int period : {1, 2, 3, 10, 16, 20, 30, 100, 200, 300}) {
    for (double every : cadences) {
      SCOPED_TRACE("period " + std::to_string(period) + " ms, a wake every " +
                   std::to_string(every) + " ms");
      const double start = host.nowMs;
      SetSpeed(period);
      const int before = game.elapsedCycles;
      const Totals totals = WakeEvery(every, start + 6000);
      // Every cycle due by the last wake ran, and none more.
      const int due = static_cast<int>(std::floor((host.nowMs - start) / period));
      EXPECT_EQ(totals.cycles, due);
      EXPECT_EQ(game.elapsedCycles - before, due);
      EXPECT_EQ(pacer.PeriodMs(), period);
    }
  }
}

TEST_F(PacerTest, ALateWakeCatchesUpButALongAbsenceIsNotReplayed) {
  struct Case {
    int period;
    double gapMs;
    int cycles;  // run by the one wake after the gap
  };
  const Case cases[] = {
      {16, 16, 1},    {16, 40, 2},     {16, 64, 4},  // late, within the limit: every cycle
      {1, 50, 50},    {16, 60000, 4},                // a hidden tab: the last 50 ms only
      {1, 3.6e7, 51}, {300, 3.6e7, 1},               // ten hours suspended
      {300, 299, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("period " + std::to_string(c.period) + " ms, woken after " +
                 std::to_string(c.gapMs) + " ms");
    host.nowMs += 1000;
    SetSpeed(c.period);
    EXPECT_EQ(WakeAt(host.nowMs + c.gapMs).cycles, c.cycles);
    // Afterwards the timer keeps its beat: the next wake a period on runs one cycle.
    EXPECT_EQ(WakeAt(host.nowMs + c.period).cycles, 1);
  }
}

TEST_F(PacerTest, ADialogFreezesTheGameAndLeavesNoBacklog) {
  game.KeyDown(KEY_V);  // the about box opens in the next cycle
  // Three cycles are due, but the first opens the dialog and the other two never run.
  EXPECT_EQ(WakeAt(48).cycles, 1);
  ASSERT_TRUE(game.DialogOpen());
  const int cycles = game.elapsedCycles;
  EXPECT_EQ(WakeEvery(16, 5000).cycles, 0);
  EXPECT_EQ(game.elapsedCycles, cycles);

  const double lastFrozen = host.nowMs;
  host.nowMs += 8;
  game.DialogClosed(DialogAnswer::Ok);
  EXPECT_EQ(WakeAt(lastFrozen + 15).cycles, 0) << "the frozen time came back as a burst";
  EXPECT_EQ(WakeAt(lastFrozen + 16).cycles, 1);
}

TEST_F(PacerTest, ANewStageStartsAgainAtTheDefaultPeriod) {
  host.ctrlDown = true;
  host.shiftDown = true;
  game.KeyDown(KEY_1);
  WakeAt(16);
  EXPECT_EQ(pacer.PeriodMs(), 1);
  EXPECT_EQ(WakeEvery(1, 116).cycles, 100);

  host.ctrlDown = host.shiftDown = false;
  game.KeyDown(KEY_ESCAPE);  // give up: the stage result opens, and OK sets up the next stage
  WakeAt(117);
  ASSERT_TRUE(game.DialogOpen());
  host.nowMs = 200;
  game.DialogClosed(DialogAnswer::Ok);
  EXPECT_EQ(pacer.PeriodMs(), DEFAULT_PERIOD_MS);
  EXPECT_EQ(WakeEvery(1, 200 + 10 * DEFAULT_PERIOD_MS).cycles, 10);
}

TEST_F(PacerTest, FramesComeAtMostOnceARefreshAndJitterCostsNone) {
  struct Case {
    int period;
    // Animation frames come every `cadenceMs`, each `jitterMs` early or late by turns; a timer
    // (cadence 0) is set for the wake the pacer asks, but no sooner than `floorMs` on.
    double cadenceMs, jitterMs, floorMs;
    double refreshHz;
    int minFrames, maxFrames;  // in one second
  };
  const Case cases[] = {
      {1, 0, 0, 1, 60, 59, 61},      // fast cycles on Qt's timer: one frame a refresh
      {1, 0, 0, 10, 60, 49, 61},     // on Windows' 10 ms timer: about every other wake
      {16, 0, 0, 1, 60, 59, 61},     // the default speed, a little faster than the screen
      {100, 0, 0, 1, 60, 10, 10},    // slow cycles: a frame for each
      {1, 0, 0, 1, 1000, 249, 251},  // a rate beyond reason is paced at 4 ms
      // Animation frames: one for each that follows a cycle, however they jitter.
      {1, 1000.0 / 60, 2, 0, 60, 59, 61},
      {3, 1000.0 / 144, 0.5, 0, 144, 143, 145},
      {16, 1000.0 / 60, 1, 0, 60, 56, 61},
      {16, 1000.0 / 60, 6, 0, 60, 35, 61},  // frames that come in pairs
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("period " + std::to_string(c.period) + " ms, cadence " +
                 std::to_string(c.cadenceMs) + " ms, floor " + std::to_string(c.floorMs) +
                 " ms, at " + std::to_string(c.refreshHz) + " Hz");
    const double start = host.nowMs + 1000;
    SetSpeed(c.period);
    pacer.SetRefreshRate(c.refreshHz);
    WakeAt(start);
    int frames = 0;
    for (int k = 1;; ++k) {
      const double t = c.cadenceMs > 0 ? start + k * c.cadenceMs + (k % 2 ? -1 : 1) * c.jitterMs
                                       : std::max(pacer.NextWakeMs(), host.nowMs + c.floorMs);
      if (t > start + 1000) break;
      const PacerWake wake = WakeAt(t, c.cadenceMs > 0);
      frames += wake.frameDue ? 1 : 0;
      // An animation frame that follows a cycle always shows it.
      if (c.cadenceMs > 0 && wake.cycles > 0) {
        EXPECT_TRUE(wake.frameDue) << "at " << t;
      }
    }
    EXPECT_GE(frames, c.minFrames);
    EXPECT_LE(frames, c.maxFrames);
  }
}

TEST_F(PacerTest, WakesAreAskedForOnlyWhileSomethingIsDue) {
  WakeAt(16);  // a cycle ran and its picture was presented
  EXPECT_EQ(pacer.NextWakeMs(), 32);
  host.StopTimer();
  EXPECT_EQ(pacer.NextWakeMs(), NEVER);
  host.RepaintView();  // a picture waits: the next refresh is wanted
  EXPECT_NEAR(pacer.NextWakeMs(), 16 + 1000.0 / 60 * 0.75, 1e-9);
  EXPECT_TRUE(WakeAt(40).frameDue);
  EXPECT_EQ(pacer.NextWakeMs(), NEVER);
  EXPECT_EQ(WakeAt(1000).cycles, 0);

  // A screen that reports no rate, or a mad one, is paced within the usual bounds.
  for (const auto& [hertz, interval] : {std::pair{0.0, 1000.0 / 60},
                                        {-5.0, 1000.0 / 60},
                                        {1000.0, MIN_REFRESH_INTERVAL_MS},
                                        {10.0, MAX_REFRESH_INTERVAL_MS},
                                        {120.0, 1000.0 / 120}}) {
    pacer.SetRefreshRate(hertz);
    EXPECT_DOUBLE_EQ(pacer.RefreshIntervalMs(), interval) << hertz << " Hz";
  }
}

}  // namespace
}  // namespace vennaloop
