// game_window.h: the game's view: the frame's only child, which owns the game, its picture and
// the title overlay, shows the maze, takes the keys and runs the game's timer. It is the game's
// GameHost.
//
// The picture is kept from frame to frame: a frame redraws the cells the game changed, and only
// the rows they lie in reach the window. Every paint Windows asks for is answered from the
// picture, so nothing stale stays after the title, a dialog or a window passing over.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "game/game.h"
#include "game/game_host.h"
#include "game/pacer.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"
#include "win/layout_dialog.h"
#include "win/title_overlay.h"
#include "win/window_proc.h"

namespace vennaloop::win {

class GameWindow final : public GameHost {
 public:
  /// Registers the view's window class and the overlay's, once per process.
  static bool RegisterWindowClasses(HINSTANCE instance);

  GameWindow();
  ~GameWindow() override;
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  /// Creates the view as a child of `frame`: starts the game (first stage, timer at the default
  /// period, full hit points) and creates the hidden title overlay.
  bool Create(HWND frame, int childId);

  HWND hwnd() const { return hwnd_; }
  Game& game() { return game_; }
  /// The dialog window while one is open, for the message loop's keyboard handling.
  HWND dialog() const { return dialog_ ? dialog_->hwnd() : nullptr; }
  /// The period the game's timer runs at, 0 while it is stopped.
  int timerPeriod() const { return pacer_.PeriodMs(); }

  // GameHost
  void StartTimer(int periodMs) override;
  void StopTimer() override;
  void RepaintView() override;
  bool TitleExists() override;
  void RepaintTitle() override;
  void CloseTitle() override;
  void OpenDialog(const DialogRequest& request) override;
  bool IsShiftDown() override;
  bool IsCtrlDown() override;

 private:
  template <typename Window>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate();
  void OnSize(int width, int height);
  void OnPaint();
  /// Whether a key message went to the game; the others are left to the system.
  bool OnKey(WPARAM wParam, LPARAM lParam);
  /// Brings the picture, sized to the client area, up to the game at the screen's scale, and
  /// marks what changed in it for painting.
  const PixelBuffer& PreparePicture();
  /// Copies the rectangle (client pixels, inside the picture) from the picture to `dc`.
  void CopyToWindow(HDC dc, const RECT& rect) const;
  void DialogClosed(DialogAnswer answer);
  /// Runs what the pacer says is due, and sets the timer for the wake it asks next.
  void WakePacer();
  void ScheduleWake();
  /// Tells the pacer the refresh rate of the display the view is on.
  void FollowDisplay();

  HWND hwnd_ = nullptr;
  Game game_;
  Pacer pacer_{game_};
  bool waking_ = false;    ///< within a wake, which sets the timer once it is done
  UINT wakeInterval_ = 0;  ///< the repeating timer's interval, 0 while it is killed
  PixelBuffer picture_;
  int pictureWidth_ = 0;  ///< the size last asked of the picture, allocated or not
  int pictureHeight_ = 0;
  PictureUpdater updater_;
  std::unique_ptr<TitleOverlay> title_;
  std::unique_ptr<LayoutDialog> dialog_;
  std::vector<char> regionData_;  ///< scratch of OnPaint
};

}  // namespace vennaloop::win
