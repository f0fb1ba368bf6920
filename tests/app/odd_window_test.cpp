// odd_window_test.cpp: the real window at odd sizes and under cover: every small size at every
// zoom shows the picture a fresh rendering gives, a picture no memory can hold leaves the view
// blank until the next size, and the title comes back after the window was covered.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "../asan_allocator_options.h"
#include "qt_printers.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "window_fixture.h"

namespace vennaloop {
namespace {

#ifdef VENNALOOP_ASAN
// The sanitized build is several times slower: every fifth size. Five shares no factor with the
// periods the layout repeats with (4 pixels at zoom 2, 6 at zoom 3), so every remainder still
// comes up.
constexpr int kSizeStride = 5;
#else
constexpr int kSizeStride = 1;
#endif

using apptest::DifferingPixels;
using apptest::EDGE;
using apptest::Presented;
using apptest::PresentedClient;

constexpr int kLargest = 300;
// The window's client edge and the view's, on both sides.
constexpr int kEdges = 4 * EDGE;

class OddWindow : public apptest::ShownWindow {
 protected:
  void TearDown() override { view_->game().zoom = 1; }

  // Resizes the window, paints the view as a game cycle does and checks the picture against the
  // client area and what the window shows against a fresh rendering.
  void ResizeAndCheck(int windowWidth, int windowHeight) {
    window_.resize(windowWidth, windowHeight);
    ASSERT_EQ(window_.size(), QSize(windowWidth, windowHeight));
    SCOPED_TRACE(testing::Message() << "window " << windowWidth << " x " << windowHeight
                                    << ", zoom " << view_->game().zoom);
    // The view fills the window's client area, down to nothing.
    const QRect inside = window_.contentsRect();
    EXPECT_EQ(view_->geometry(), QRect(inside.topLeft(), inside.size().expandedTo(QSize(0, 0))));
    const QSize client = view_->contentsRect().size();
    const bool empty = client.width() <= 0 || client.height() <= 0;
    const PixelBuffer& buffer = view_->picture();
    if (empty) {
      EXPECT_EQ(buffer.Pixels(), nullptr);
      EXPECT_EQ(QSize(buffer.Width(), buffer.Height()), QSize(0, 0));
    } else {
      ASSERT_NE(buffer.Pixels(), nullptr);
      EXPECT_EQ(QSize(buffer.Width(), buffer.Height()), client);
    }
    view_->PresentFrame();
    if (empty) return;
    const QImage shown = PresentedClient(window_, *view_);
    ASSERT_EQ(shown.size(), client);
    EXPECT_EQ(DifferingPixels(shown, view_->game().zoom), 0);
  }
};

// ---- Every small size ---------------------------------------------------------------------------

// Window sides 0 .. kLargest + kEdges: client sides from nothing (and less, while the edges
// themselves do not fit) to kLargest. Consecutive sizes always differ, so every step allocates.
std::vector<int> EverySide() {
  std::vector<int> sides;
  for (int side = 0; side <= kLargest + kEdges; side += kSizeStride)
    sides.push_back(side);
  return sides;
}

TEST_F(OddWindow, EveryWidthAtAFewHeightsShowsTheRenderedPicture) {
  view_->CloseTitle();
  for (int zoom = MIN_ZOOM; zoom <= MAX_ZOOM; ++zoom) {
    view_->game().zoom = zoom;
    for (int height : {0, 1, 2 * EDGE, kEdges, kEdges + 1, kEdges + 2, kEdges + 5, 163}) {
      for (int width : EverySide()) {
        ResizeAndCheck(width, height);
        if (HasFatalFailure() || HasFailure()) return;  // one size's report is enough
      }
    }
  }
}

TEST_F(OddWindow, EveryHeightAtAFewWidthsShowsTheRenderedPicture) {
  view_->CloseTitle();
  for (int zoom = MIN_ZOOM; zoom <= MAX_ZOOM; ++zoom) {
    view_->game().zoom = zoom;
    for (int width : {0, 1, 2 * EDGE, kEdges, kEdges + 1, kEdges + 2, kEdges + 5, 171}) {
      for (int height : EverySide()) {
        ResizeAndCheck(width, height);
        if (HasFailure()) return;
      }
    }
  }
}

TEST_F(OddWindow, ASampledGridOfSizesShowsTheRenderedPicture) {
  view_->CloseTitle();
  for (int zoom = MIN_ZOOM; zoom <= MAX_ZOOM; ++zoom) {
    view_->game().zoom = zoom;
    for (int height = 0; height <= kLargest + kEdges; height += 7 * kSizeStride) {
      // Widths run up on one row and down on the next, so the size always changes.
      for (int step = 0; step <= (kLargest + kEdges) / 11; ++step) {
        const int width = (height / 7) % 2 ? kLargest + kEdges - 11 * step : 11 * step;
        ResizeAndCheck(width, height);
        if (HasFailure()) return;
      }
    }
  }
}

TEST_F(OddWindow, DuringTheTitleTheOverlayFollowsEverySize) {
  ASSERT_NE(view_->title(), nullptr);
  for (int width : EverySide()) {
    const int height = kEdges + (width * 7) % 97;
    window_.resize(width, height);
    view_->PresentFrame();
    view_->RepaintTitle();
    ASSERT_NE(view_->title(), nullptr);
    // A client area the edge leaves no room for gives the overlay no size at all.
    const QRect client = view_->contentsRect();
    EXPECT_EQ(view_->title()->geometry(),
              QRect(client.topLeft(), client.size().expandedTo(QSize(0, 0))))
        << width << " x " << height;
    EXPECT_TRUE(view_->title()->isVisibleTo(view_));
  }
}

// ---- A picture no memory can hold ---------------------------------------------------------------

TEST_F(OddWindow, AViewTooBigForAnyBufferDrawsNothingAndRecoversOnTheNextSize) {
  view_->CloseTitle();
  view_->game().zoom = 2;
  window_.resize(260, 200);
  RepaintAndPresent();
  ASSERT_NE(view_->picture().Pixels(), nullptr);

  // The largest widget there is: some 2.8e14 pixels, more than any address space holds.
  view_->setGeometry(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  ASSERT_EQ(view_->width(), QWIDGETSIZE_MAX);
  EXPECT_EQ(view_->picture().Pixels(), nullptr);
  EXPECT_EQ(view_->picture().Width(), 0);
  EXPECT_EQ(view_->picture().Height(), 0);

  // Its paint leaves every client pixel as it was.
  RepaintAndPresent();
  constexpr QRgb kMark = qRgb(0x12, 0x34, 0x56);
  QImage picture(120, 90, QImage::Format_RGB32);
  picture.fill(kMark);
  view_->render(&picture, QPoint(), QRegion(0, 0, 120, 90), QWidget::RenderFlags());
  int touched = 0;
  for (int y = EDGE; y < picture.height(); ++y)
    for (int x = EDGE; x < picture.width(); ++x)
      if (picture.pixel(x, y) != kMark) ++touched;
  EXPECT_EQ(touched, 0);

  // The next size of the window gives the view a picture again.
  window_.resize(230, 170);
  EXPECT_EQ(view_->geometry(), window_.contentsRect());
  ASSERT_NE(view_->picture().Pixels(), nullptr);
  EXPECT_EQ(view_->picture().Width(), 230 - kEdges);
  EXPECT_EQ(view_->picture().Height(), 170 - kEdges);
  RepaintAndPresent();
  const QImage shown = PresentedClient(window_, *view_);
  EXPECT_EQ(DifferingPixels(shown, 2), 0);
}

// ---- Covered and uncovered during the title -----------------------------------------------------

constexpr QRgb kCoverColour = qRgb(0xFF, 0x00, 0xFF);

// A plain widget of the window's that paints itself magenta.
class Cover : public QWidget {
 public:
  explicit Cover(QWidget* parent) : QWidget(parent) {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor::fromRgb(kCoverColour));
    setPalette(palette);
    setAutoFillBackground(true);
  }
};

class CoveredTitle : public OddWindow {
 protected:
  void SetUp() override {
    OddWindow::SetUp();
    window_.resize(640, 420);
    QApplication::processEvents();
  }
  // Lets the real timer deliver at least one title tick.
  void OneTick() {
    const int before = view_->game().titleTicks;
    view_->StartTimer(16);
    EXPECT_TRUE(QTest::qWaitFor([&] { return view_->game().titleTicks > before; }, 5000));
    view_->StopTimer();
  }
  // Title-red pixels inside `area` of the window's picture.
  static int RedPixels(const QImage& picture, const QRect& area) {
    int red = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (picture.pixel(x, y) == qRgb(255, 0, 0)) ++red;
    return red;
  }
  // Covers the middle of the title with a magenta widget raised over the view, then takes it
  // away with `uncover`: within one tick the window shows again what it showed before.
  template <typename Uncover>
  void CoverAndUncover(Uncover uncover) {
    ASSERT_NE(view_->title(), nullptr);
    OneTick();
    const QImage before = Presented(window_);
    const QRect covered(300, 90, 330, 260);  // across both red title lines
    ASSERT_GT(RedPixels(before, covered), 1000) << "the title is on the screen";

    auto* cover = new Cover(&window_);
    cover->setGeometry(covered);
    cover->show();
    cover->raise();
    cover->repaint();
    const QImage hidden = Presented(window_);
    EXPECT_EQ(hidden.pixel(covered.center()), kCoverColour) << "the cover is on the screen";
    EXPECT_EQ(RedPixels(hidden, covered), 0);

    uncover(cover);
    QApplication::processEvents();
    OneTick();
    ASSERT_NE(view_->title(), nullptr);
    const QImage after = Presented(window_);
    EXPECT_GT(RedPixels(after, covered), 1000) << "the title is back";
    EXPECT_TRUE(after == before) << "the window shows what it showed before it was covered";
    delete cover;
  }
};

TEST_F(CoveredTitle, ACoverHidden) {
  CoverAndUncover([](Cover* cover) { cover->hide(); });
}

TEST_F(CoveredTitle, ACoverLoweredBehindTheView) {
  CoverAndUncover([](Cover* cover) { cover->lower(); });
}

TEST_F(CoveredTitle, ACoverDestroyed) {
  CoverAndUncover([](Cover*& cover) {
    delete cover;
    cover = nullptr;
  });
}

TEST_F(CoveredTitle, TheFrameHiddenAndShownAgain) {
  ASSERT_NE(view_->title(), nullptr);
  OneTick();
  const QImage before = Presented(window_);
  window_.hide();
  QApplication::processEvents();
  EXPECT_FALSE(window_.windowHandle()->isExposed());
  window_.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  OneTick();
  const QImage after = Presented(window_);
  EXPECT_GT(RedPixels(after, window_.rect()), 1000) << "the title is back";
  EXPECT_TRUE(after == before);
}

}  // namespace
}  // namespace vennaloop
