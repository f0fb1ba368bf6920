// scaled_screen_test.cpp: the window on a screen of any device pixel ratio (run once plain and
// once with QT_SCALE_FACTOR=2): the maze is presented one picture pixel per device pixel and,
// drawn a few changed cells at a time, always shows what a fresh rendering draws; the title keeps
// its layout and its letters, and the dialogs grow with their fonts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "app/application.h"
#include "app/layout_dialog.h"
#include "app/title_overlay.h"
#include "game/virtual_keys.h"
#include "qt_printers.h"
#include "spin_until.h"
#include "title_picture.h"
#include "view/pixel_buffer.h"
#include "window_fixture.h"

namespace vennaloop {
namespace {

// The ratio the test run was started for: VENNALOOP_EXPECT_RATIO, 1 when unset.
qreal ExpectedRatio() {
  const QByteArray value = qgetenv("VENNALOOP_EXPECT_RATIO");
  return value.isEmpty() ? 1.0 : value.toDouble();
}

using ScaledWindow = apptest::ShownWindow;

TEST(ScaledScreenTest, TheScreenHasTheRatioTheRunAskedFor) {
  // Without this a scaled run that silently ran at ratio 1 would prove nothing.
  EXPECT_EQ(qApp->devicePixelRatio(), ExpectedRatio());
}

// ---- The maze -----------------------------------------------------------------------------------

TEST_F(ScaledWindow, TheMazeIsPresentedOnePicturePixelPerDevicePixel) {
  GameView* view = view_;
  view->CloseTitle();
  const qreal ratio = view->devicePixelRatioF();
  const QRect client = view->contentsRect();
  for (int zoom : {1, 2, 3}) {
    SCOPED_TRACE(testing::Message() << "zoom " << zoom << ", ratio " << ratio);
    view->game().zoom = zoom;
    RepaintAndPresent();
    const QPixmap shot = view->grab();
    const PixelBuffer& buffer = view->picture();
    // The picture covers the client area in device pixels...
    ASSERT_EQ(buffer.Width(), std::lround(client.width() * ratio));
    ASSERT_EQ(buffer.Height(), std::lround(client.height() * ratio));
    // ...with cells of the zoom in logical pixels: zoom x ratio device pixels wide...
    const int side = static_cast<int>(zoom * ratio);
    EXPECT_EQ(CellSide(zoom, ratio), side);
    EXPECT_EQ(
        apptest::DifferingPixels(QImage(reinterpret_cast<const uchar*>(buffer.Pixels()),
                                        buffer.Width(), buffer.Height(), QImage::Format_RGB32),
                                 side),
        0);
    // ...and reaches the screen unscaled and unsmoothed: every device pixel is its own pixel,
    // so a cell stays a sharp square of side x side device pixels.
    const QImage picture = shot.toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin(std::lround(client.left() * ratio), std::lround(client.top() * ratio));
    int wrong = 0;
    for (int y = 0; y < buffer.Height(); ++y) {
      const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(origin.y() + y));
      for (int x = 0; x < buffer.Width(); ++x)
        if (row[origin.x() + x] != buffer.Pixels()[y * buffer.Width() + x]) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(ScaledWindow, LongPlayShowsAFreshRenderingAfterEveryFrame) {
  // From the title's last tick on, random keys, sizes and zooms, frames after every tick and at
  // the fastest speed after many: what the window's backing store holds is always a fresh
  // rendering of the game, although each frame draws only the cells that changed. The first
  // frame comes in the tick that closes the title, so the title's letters must go with it.
  const unsigned seed = std::random_device{}();
  std::printf("Long play: seed %u\n", seed);
  std::mt19937 rng(seed);
  window_.resize(1000, 700);  // room for the title's letters
  ASSERT_TRUE(QTest::qWaitFor([&] { return view_->title() && view_->title()->isVisible(); }));
  QApplication::processEvents();  // the title is painted over the first picture
  // Any dialog the play opens (a stage's end) is answered at once.
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
  });
  answer.start(1);
  const int keys[] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN, KEY_1, KEY_2,    KEY_3,
                      KEY_F,    KEY_N,  KEY_W,     KEY_R,    KEY_S, KEY_SPACE};
  Game& game = view_->game();
  game.titleTicks = TITLE_TICKS - 1;
  for (int frame = 0; frame < 150; ++frame) {
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", frame " << frame);
    if (frame > 0 && rng() % 20 == 0) window_.resize(60 + rng() % 400, 60 + rng() % 300);
    if (rng() % 4 == 0) game.pendingKey = keys[rng() % std::size(keys)];
    if (rng() % 8 == 0) {
      // Ticks faster than the screen: their changes gather until the next refresh.
      view_->StartTimer(1);
      const int cycles = game.elapsedCycles;
      apptest::SpinUntil([&] { return game.elapsedCycles >= cycles + 20; });
      view_->StopTimer();
    } else {
      game.GameTick();
    }
    // After the fastest ticks the next screen refresh shows the last one.
    const auto showsTheGame = [&] {
      const int side = CellSide(game.zoom, view_->devicePixelRatioF());
      return apptest::DifferingPixels(apptest::PresentedClient(window_, *view_), side) == 0;
    };
    ASSERT_TRUE(QTest::qWaitFor(showsTheGame, 1000));
  }
}

// ---- The title ----------------------------------------------------------------------------------

using apptest::BEHIND_TITLE;
using apptest::FindColour;
using apptest::PaintTitle;

constexpr int kEdge = 2;

// The same six items drawn straight onto the background, each time, with no picture kept.
QImage DrawTitleDirectly(QSize size, qreal ratio) {
  QWidget host;
  TitleOverlay title(&host);
  QImage picture(size * ratio, QImage::Format_RGB32);
  picture.setDevicePixelRatio(ratio);
  picture.fill(BEHIND_TITLE);
  QPainter painter(&picture);
  painter.setClipRect(QRect(kEdge, kEdge, size.width() - 2 * kEdge, size.height() - 2 * kEdge));
  painter.translate(kEdge, kEdge);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const TitleOverlay::Line& line : title.lines()) {
    painter.setFont(line.font);
    painter.setPen(line.colour);
    painter.drawText(line.rect, line.flags, line.text);
  }
  return picture;
}

TEST(ScaledScreenTest, TheTitleKeepsItsLayoutInLogicalPixels) {
  const QImage picture = PaintTitle(QSize(1204, 604));
  ASSERT_EQ(picture.width(), std::lround(1204 * ExpectedRatio()));
  // Each line starts at its rectangle's top edge, not centred in it.
  const QRectF title = FindColour(picture, Qt::red, QRect(0, 0, 1204, kEdge + 300));
  ASSERT_FALSE(title.isEmpty());
  EXPECT_GE(title.top(), kEdge + 100);
  EXPECT_LT(title.top(), kEdge + 100 + 45) << "drawn from the top, not centred in 100..300";
  EXPECT_LT(title.bottom(), kEdge + 100 + 140);
  EXPECT_NEAR(title.center().x(), kEdge + 600, 12);
  const QRectF subtitle = FindColour(picture, Qt::red, QRect(0, kEdge + 300, 1204, 100));
  ASSERT_FALSE(subtitle.isEmpty());
  EXPECT_LT(subtitle.top(), kEdge + 300 + 30);
  EXPECT_LT(subtitle.bottom(), kEdge + 300 + 80);
  EXPECT_NEAR(subtitle.center().x(), kEdge + 600, 12);
  const QRectF copyright = FindColour(picture, Qt::white, QRect(kEdge + 500, kEdge + 550, 680, 50));
  ASSERT_FALSE(copyright.isEmpty());
  EXPECT_LE(copyright.right(), kEdge + 1100 + 1);
  EXPECT_GE(copyright.right(), kEdge + 1100 - 6);
  EXPECT_LT(copyright.top(), kEdge + 550 + 20);
}

TEST(ScaledScreenTest, TheKeptLettersMatchLettersDrawnAfresh) {
  // The overlay draws its letters once and shows that picture on every tick; no letter may be
  // cut short by the area it is shown through, and none may be blurred by scaling.
  const QSize size(1204, 604);
  PaintTitle(size);  // large glyphs take another path the first time they are drawn
  const QImage kept = PaintTitle(size);
  const QImage fresh = DrawTitleDirectly(size, kept.devicePixelRatio());
  ASSERT_EQ(kept.size(), fresh.size());
  int differing = 0;
  int worst = 0;
  // Inside the overlay's edge, which the test does not draw.
  const int edge = std::lround(kEdge * kept.devicePixelRatio());
  for (int y = edge; y < kept.height() - edge; ++y) {
    for (int x = edge; x < kept.width() - edge; ++x) {
      const QRgb a = kept.pixel(x, y);
      const QRgb b = fresh.pixel(x, y);
      const int d = std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
      worst = std::max(worst, d);
      if (d > 0) ++differing;
    }
  }
  EXPECT_EQ(differing, 0) << "worst channel difference " << worst;
}

// ---- Dialogs ------------------------------------------------------------------------------------

TEST(ScaledScreenTest, TheAboutIconIsDrawnAtTheScreensResolution) {
  QApplication::setWindowIcon(ProgramIcon());
  LayoutDialog dialog({DialogKind::About, {}});
  auto* icon = qobject_cast<QLabel*>(dialog.controls()[0]);
  ASSERT_TRUE(icon);
  const QPixmap pixmap = icon->pixmap();
  // A picture of as many device pixels as the icon covers, so nothing scales it up.
  EXPECT_EQ(pixmap.devicePixelRatio(), ExpectedRatio());
  EXPECT_EQ(pixmap.width(), std::lround(pixmap.deviceIndependentSize().width() * ExpectedRatio()));
}

TEST(ScaledScreenTest, DialogTextsFitTheirControls) {
  // Controls are placed in dialog units of the dialog font's logical metrics, so they grow
  // with the text on any screen; a size taken from device pixels would cut the texts.
  LayoutDialog about({DialogKind::About, {}});
  LayoutDialog stage({DialogKind::StageResult, {Outcome::HitPointsExhausted, 1234, 0, 0, 30}});
  for (LayoutDialog* dialog : {&about, &stage}) {
    SCOPED_TRACE(dialog->windowTitle().toStdString());
    for (QWidget* control : dialog->controls()) {
      QString text;
      if (auto* label = qobject_cast<QLabel*>(control))
        text = label->text();
      else if (auto* button = qobject_cast<QPushButton*>(control))
        text = button->text();
      if (text.isEmpty()) continue;
      EXPECT_LE(control->fontMetrics().horizontalAdvance(text), control->width())
          << text.toStdString();
      EXPECT_LE(control->fontMetrics().height(), control->height()) << text.toStdString();
      EXPECT_TRUE(dialog->rect().contains(control->geometry())) << text.toStdString();
    }
  }
}

}  // namespace
}  // namespace vennaloop
