// null_host.h: a window for benchmarks that paints nothing and confirms every stage result at
// once, and the stage the game benchmarks play on.
#pragma once

#include <climits>

#include "game/game.h"
#include "game/game_host.h"

namespace vennaloop::bench {

class NullHost : public GameHost {
 public:
  void StartTimer(int) override {}
  void StopTimer() override {}
  void RepaintView() override {}
  bool TitleExists() override { return false; }
  void RepaintTitle() override {}
  void CloseTitle() override {}
  DialogAnswer RunStageResult(const StageResult&) override { return DialogAnswer::Ok; }
  void ShowAbout() override {}
  void ShowAuthorProfile() override {}
  bool IsShiftDown() override { return false; }
  bool IsCtrlDown() override { return false; }
};

/// A fresh stage past the title, the player wandering, and enough hit points that the aliens
/// never end it; `warmUp` cycles are played before timing starts.
inline void PrepareStage(Game& game, int warmUp) {
  game.StageSetup();
  game.titleTicks = TITLE_TICKS;
  game.hitPoints = INT_MAX;
  game.moveMode = MoveMode::Wander;
  for (int i = 0; i < warmUp; ++i)
    game.GameTick();
}

}  // namespace vennaloop::bench
