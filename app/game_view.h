// game_view.h: the game's window: owns the game, its picture and the title overlay, draws the
// maze, takes the keys and runs the game's timer. It is the game's GameHost.
//
// The picture is kept from frame to frame: a frame redraws the cells the game changed and flushes
// only the rows they lie in; where the window's backing store keeps its pixels it writes just the
// changed squares into it. Frames follow the game's repaints, one each, unless the game ticks
// faster than the screen shows: then a frame comes once a screen refresh, with the latest tick's
// picture.
#pragma once

#include <QBasicTimer>
#include <QFrame>
#include <QPointer>
#include <QRegion>
#include <memory>
#include <vector>

#include "app/layout_dialog.h"
#include "app/title_overlay.h"
#include "game/game.h"
#include "game/game_host.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"

namespace vennaloop {

class GameView : public QFrame, public GameHost {
 public:
  /// Builds the colour table, starts the game (explorer memory, first stage with the timer at
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
  int timerPeriod() const { return timer_.isActive() ? timerPeriod_ : 0; }

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
  /// Prepares the picture and shows what changed, at once.
  void PresentFrame();
  /// Writes the squares changed since the last frame straight into the window's backing store;
  /// false where the store does not keep its pixels between paints, is no image of whole device
  /// pixels, or the whole picture is due.
  bool CopyChangedSquares();
  /// Milliseconds between two refreshes of the screen the view is on.
  int FrameInterval() const;
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
  bool fullFrames_;       ///< every frame rendered and flushed whole: the old path, for comparison
  bool persistentStore_;  ///< the window's backing store keeps its pixels between paints
  Game game_;
  QBasicTimer timer_;
  int timerPeriod_ = 0;
  QBasicTimer frameTimer_;  ///< runs while frames are paced to the screen
  bool framePending_ = false;
  bool xkbKeycodes_;
  bool watchingScreen_ = false;
};

}  // namespace vennaloop
