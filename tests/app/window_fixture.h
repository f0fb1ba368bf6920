// window_fixture.h: the real main window on the offscreen platform, shown and with the game's
// timer stopped so that each test drives the game itself, and what a test needs to compare the
// window's picture with a fresh rendering.
#pragma once

#include <gtest/gtest.h>

#include <QBackingStore>
#include <QImage>
#include <QTest>
#include <cstdint>

#include "app/game_view.h"
#include "app/main_window.h"
#include "spin_until.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"

namespace vennaloop::apptest {

/// Each of the window's and the view's sunken edges, on every side.
inline constexpr int EDGE = 2;

/// What the window has flushed to its screen: its backing store, in device pixels, not a fresh
/// rendering.
inline QImage Presented(QWidget& window) {
  const QPaintDevice* device = window.backingStore()->paintDevice();
  if (device->devType() != QInternal::Image) return {};
  return static_cast<const QImage*>(device)->convertToFormat(QImage::Format_RGB32);
}

/// The view's client area as the window presents it, in device pixels.
inline QImage PresentedClient(QWidget& window, const GameView& view) {
  const qreal ratio = view.devicePixelRatioF();
  const QRect client = view.contentsRect().translated(view.geometry().topLeft());
  return Presented(window).copy(QRect(client.topLeft() * ratio, client.size() * ratio));
}

/// Pixels of `client` that differ from a fresh rendering of the present game, cells `side` device
/// pixels wide, into a new picture of the same size; pixels no cell covers are black in both.
/// Every pixel is opaque.
inline int DifferingPixels(const QImage& client, int side) {
  PixelBuffer fresh;
  if (!fresh.Resize(client.width(), client.height())) return -1;
  RenderView(fresh, side);
  int differing = 0;
  for (int y = 0; y < client.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(client.constScanLine(y));
    for (int x = 0; x < client.width(); ++x)
      if (row[x] != fresh.Pixels()[y * fresh.Width() + x]) ++differing;
  }
  return differing;
}

/// The main window, shown and active, its timer stopped and no key pending.
class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.resize(400, 300);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    view_ = window_.view();
    view_->StopTimer();
    view_->game().pendingKey = 0;
  }
  /// The game's repaint, and the frame that follows it at the screen's next refresh.
  void RepaintAndPresent() {
    view_->RepaintView();
    ASSERT_TRUE(SpinUntil([&] { return !view_->framePending(); }));
  }
  /// The pending key, which is then cleared.
  int TakePendingKey() {
    const int key = view_->game().pendingKey;
    view_->game().pendingKey = 0;
    return key;
  }

  MainWindow window_;
  GameView* view_ = nullptr;
};

}  // namespace vennaloop::apptest
