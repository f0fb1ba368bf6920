// web_host.h: the game's host in a browser page. A page cannot block inside a tick, so the host
// records what the game asks (timer, repaint, dialogs) and the page's script acts on it after
// the tick: it runs the ticks on the animation frames, shows the dialogs and freezes the game
// while one is up.
#pragma once

#include <string>

#include "game/game_host.h"
#include "random/random_platform.h"

namespace vennaloop::web {

/// The dialog the last tick asked for, if any.
enum class DialogRequest { None = 0, StageResult = 1, About = 2, AuthorProfile = 3 };

class WebHost : public GameHost {
 public:
  void StartTimer(int periodMs) override;
  void StopTimer() override;
  void RepaintView() override { repaintPending = true; }
  bool TitleExists() override { return titleShown; }
  void RepaintTitle() override {}  // the title is a layer of its own; it stays drawn
  void CloseTitle() override { titleShown = false; }
  DialogAnswer RunStageResult(const StageResult& result) override;
  void ShowAbout() override { dialog = DialogRequest::About; }
  void ShowAuthorProfile() override { dialog = DialogRequest::AuthorProfile; }
  bool IsShiftDown() override { return shiftDown || standInAdds.shift; }
  bool IsCtrlDown() override { return ctrlDown || standInAdds.ctrl; }

  /// Timer 1: its period in milliseconds (1 to 300), 0 while stopped; `timerStarts` counts the
  /// starts, so the page sees a restart at an unchanged period too.
  int timerPeriod = 0;
  int timerStarts = 0;
  bool repaintPending = false;
  bool titleShown = true;
  DialogRequest dialog = DialogRequest::None;
  std::string stageResultJson;
  /// The modifier keys as the page last saw them.
  bool shiftDown = false;
  bool ctrlDown = false;
  /// Modifiers a browser stand-in key adds for the digit it left pending (key_table.h).
  struct {
    bool shift = false;
    bool ctrl = false;
  } standInAdds;
};

/// The browser's services for the random source: its cryptographic generator, its clock and its
/// high-resolution counter.
const RandomPlatform& BrowserRandomPlatform();

}  // namespace vennaloop::web
