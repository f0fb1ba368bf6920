// null_host.h: a window for benchmarks that paints nothing, a tick whose dialogs are answered at
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
  void OpenDialog(const DialogRequest&) override {}
  bool IsShiftDown() override { return false; }
  bool IsCtrlDown() override { return false; }
};

/// One tick; a dialog it opened (a stage's result) is confirmed at once.
inline void Tick(Game& game) {
  game.GameTick();
  if (game.DialogOpen()) game.DialogClosed(DialogAnswer::Ok);
}

/// A fresh stage past the title, the player wandering, and enough hit points that the aliens
/// never end it; `warmUp` cycles are played before timing starts.
inline void PrepareStage(Game& game, int warmUp) {
  game.StageSetup();
  game.titleTicks = TITLE_TICKS;
  game.hitPoints = INT_MAX;
  game.moveMode = MoveMode::Wander;
  for (int i = 0; i < warmUp; ++i)
    Tick(game);
}

}  // namespace vennaloop::bench
