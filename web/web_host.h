// web_host.h: the game's host in a browser page. The timer and the repaints go to the game's
// pacer, which the page wakes on its animation frames; the dialogs the game asks for are
// recorded, and the page's script shows them, their answers coming back through
// Game::DialogClosed.
#pragma once

#include <optional>

#include "game/game_host.h"
#include "game/pacer.h"
#include "random/random_platform.h"

namespace vennaloop::web {

class WebHost : public GameHost {
 public:
  void StartTimer(int periodMs) override;
  void StopTimer() override;
  void RepaintView() override { pacer->PictureChanged(); }
  bool TitleExists() override { return titleShown; }
  void RepaintTitle() override {}  // the title is a layer of its own; it stays drawn
  void CloseTitle() override { titleShown = false; }
  void OpenDialog(const DialogRequest& request) override { dialog = request; }
  bool IsShiftDown() override { return shiftDown; }
  bool IsCtrlDown() override { return ctrlDown; }

  /// The game's pacer, set before the game starts.
  Pacer* pacer = nullptr;
  bool titleShown = true;
  /// The dialog the game opened, until the page reports it closed.
  std::optional<DialogRequest> dialog;
  /// The modifier keys as the page last saw them.
  bool shiftDown = false;
  bool ctrlDown = false;
};

/// The browser's services for the random source: its cryptographic generator, its clock and its
/// high-resolution counter.
const RandomPlatform& BrowserRandomPlatform();

}  // namespace vennaloop::web
