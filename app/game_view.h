// game_view.h: the game's window: owns the game, its picture and the title overlay, draws the
// maze, takes the keys and runs the game's timer. It is the game's GameHost.
//
// The picture is kept from frame to frame: a frame redraws the cells the game changed and flushes
// only the rows they lie in; where the window's backing store keeps its pixels it writes just the
// changed squares into it. The game's pacer says when cycles run and when a frame is due; the
// view only wakes it with one timer, set for the time the pacer asks.
#pragma once

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QFrame>
#include <QPointer>
#include <QRegion>
#include <memory>
#include <vector>

#include "app/layout_dialog.h"
#include "app/title_overlay.h"
#include "game/game.h"
#include "game/game_host.h"
#include "game/pacer.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"

namespace vennaloop {

class GameView : public QFrame, public GameHost {
 public:
  /// Starts the game (explorer memory, first stage with the timer at
  /// 16 ms, full hit points) and creates the hidden title overlay.
  explicit GameView(QWidget* parent = nullptr);
  ~GameView() override;

  Game& game() { return game_; }
  /// The picture, in device pixels of the client area; empty while the client area is.
  const PixelBuffer& picture() const { return picture_; }
  /// The title overlay while it exists, else null.
  TitleOverlay* title() const { return title_.get(); }
  /// The dialog the game opened, while it is up; else null.
  LayoutDialog* dialog() const { return dialog_; }
  /// The period the game's timer runs at, 0 while it is stopped.
  int timerPeriod() const { return pacer_.PeriodMs(); }
  /// A changed picture waits for the frame the pacer will ask for.
  bool framePending() const { return pacer_.PicturePending(); }
  /// Prepares the picture and shows what changed, at once: the frame the pacer asks for. Tests
  /// that sweep thousands of window sizes call it so as not to wait a refresh for each.
  void PresentFrame();

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  /// Brings the picture, sized to the client area's device pixels, up to the game; what it
  /// changed joins the part of the client area still to be shown.
  void PreparePicture();
  /// Writes the squares changed since the last frame straight into the window's backing store;
  /// false where the store does not keep its pixels between paints, is no image of whole device
  /// pixels, or the whole picture is due.
  bool CopyChangedSquares();
  /// Runs what the pacer says is due, and sets the timer for the wake it asks next.
  void WakePacer();
  void ScheduleWake();
  double NowMs() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }
  /// Tells the pacer the refresh rate of the screen the view is on now.
  void FollowScreen();
  void ReturnFocus();

  std::unique_ptr<TitleOverlay> title_;
  PixelBuffer picture_;
  QSize pictureSize_;  ///< the device size last asked of the picture, allocated or not
  PictureUpdater updater_;
  QRegion unshown_;                ///< where the picture changed since it was last painted
  std::vector<QRect> flushRects_;  ///< scratch of PreparePicture
  std::vector<PixelRect> unpaintedSquares_;  ///< what changed in it since, exactly, in pixels
  /// The window's store may not hold the picture anywhere (a new picture, the title closed, a
  /// new screen): every pixel a paint is asked for is copied until the whole was painted once.
  bool wholeUnpainted_ = true;
  QRegion presenting_;  ///< what a frame is repainting, while it does
  QPointer<LayoutDialog> dialog_;
  bool persistentStore_;  ///< the window's backing store keeps its pixels between paints
  Game game_;
  Pacer pacer_{game_};
  QElapsedTimer clock_;
  QBasicTimer wakeTimer_;
  bool waking_ = false;  ///< within a wake, which sets the timer once it is done
  bool xkbKeycodes_;
  bool watchingScreen_ = false;
};

}  // namespace vennaloop
