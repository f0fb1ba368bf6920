// child_view.h: the game view: owns the game, its pixel buffer and the title overlay, draws the
// maze, takes the keys and runs timer 1. It is the game's window, its GameHost.
#pragma once

#include <QBasicTimer>
#include <QFrame>
#include <array>
#include <cstdint>
#include <memory>

#include "app/title_wnd.h"
#include "game/game.h"
#include "game/game_host.h"
#include "view/pixel_buffer.h"
#include "world/cell_grid.h"

namespace vennaloop {

class CChildView : public QFrame, public GameHost {
 public:
  /// The view's creation: builds the colour table, starts the game (explorer memory, first
  /// stage with timer 1 at 16 ms, full hit points) and creates the hidden title overlay.
  explicit CChildView(QWidget* parent = nullptr);
  ~CChildView() override;

  Game& game() { return game_; }
  const PixelBuffer& buffer() const { return buffer_; }
  /// The title overlay while its window exists, else null.
  CTitleWnd* title() const { return title_.get(); }
  /// The period timer 1 runs at, 0 while it is stopped.
  int timerPeriod() const { return timer_.isActive() ? timerPeriod_ : 0; }

  /// Command routing: the view handles no command.
  bool OnCmdMsg(int command);

  // GameHost
  void StartTimer(int periodMs) override;
  void StopTimer() override;
  void RepaintView() override;
  bool TitleExists() override;
  void RepaintTitle() override;
  void CloseTitle() override;
  DialogAnswer RunStageResult(const StageResult& result) override;
  void ShowAbout() override;
  void ShowAuthorProfile() override;
  bool IsShiftDown() override;
  bool IsCtrlDown() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  void ReturnFocus();
  /// The client area in device pixels, the size the buffer must have.
  QSize DeviceClientSize() const;
  /// Renders the picture into the buffer unless it already shows the present cells, colours
  /// and zoom, as it does on the title's ticks and when a dialog uncovers the view.
  void PreparePicture();

  std::unique_ptr<CTitleWnd> title_;
  PixelBuffer buffer_;
  // What the buffer was last rendered from; valid only while pictureCurrent_ holds.
  bool pictureCurrent_ = false;
  int renderedZoom_ = 0;
  std::array<std::uint8_t, CELL_COUNT> renderedCells_{};
  std::array<std::uint32_t, 256> renderedPalette_{};
  Game game_;
  QBasicTimer timer_;
  int timerPeriod_ = 0;
  bool xkbKeycodes_;
};

}  // namespace vennaloop
