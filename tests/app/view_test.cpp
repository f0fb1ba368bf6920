// view_test.cpp: the game view and the main frame: creation order, size and paint handlers, the
// title phase through real timer events, keys through real key events, accelerators, the
// modal dialogs opened by the game, and focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "app/accelerators.h"
#include "app/child_view.h"
#include "app/dialog_template.h"
#include "app/main_frame.h"
#include "app/template_dialog.h"
#include "game/virtual_keys.h"
#include "modal_helper.h"
#include "qt_printers.h"
#include "view/cell_palette.h"
#include "view/renderer.h"
#include "world/cell_grid.h"

namespace vennaloop {
namespace {

using apptest::SpinUntil;
using apptest::WhenModalShows;

constexpr int kEdge = 2;  // the view's sunken edge

// ---- Creation
// ------------------------------------------------------------------------------------

TEST(ViewCreationTest, CreatingTheViewSetsUpTheFirstStage) {
  std::fill(std::begin(CellPalette), std::end(CellPalette), 0u);
  std::fill(std::begin(CellMap), std::end(CellMap), std::uint8_t{0});
  CChildView view;
  EXPECT_EQ(CellPalette[CELL_WALL], PIXEL_WALL) << "colour table built";
  EXPECT_EQ(CellPalette[CELL_ALIEN | CELL_PLAYER], PIXEL_ALIEN);
  EXPECT_TRUE(CellMap[START_ROOM] & CELL_PLAYER) << "stage set up";
  EXPECT_TRUE(CellMap[GOAL_ROOM] & CELL_GOAL);
  EXPECT_EQ(view.game().hitPoints, 20);
  EXPECT_EQ(view.timerPeriod(), 16);
  ASSERT_NE(view.title(), nullptr);
  EXPECT_TRUE(view.title()->isHidden()) << "the overlay waits for the first size";
  EXPECT_EQ(view.buffer().Pixels(), nullptr);
  EXPECT_EQ(view.game().titleTicks, 0);
}

TEST(ViewCreationTest, TheFrameHostsTheViewWithoutAMenuBar) {
  CMainFrame frame;
  EXPECT_EQ(frame.centralWidget(), frame.view());
  EXPECT_EQ(frame.windowTitle(), QStringLiteral("Vennaloop"));
  EXPECT_EQ(frame.menuWidget(), nullptr);
  EXPECT_EQ(frame.focusProxy(), frame.view());
}

// ---- Size and paint
// ------------------------------------------------------------------------------

class ShownView : public ::testing::Test {
 protected:
  void SetUp() override {
    host_.resize(400, 300);
    view_ = new CChildView(&host_);
    view_->StopTimer();  // the tests drive the game themselves
    view_->setGeometry(0, 0, 300, 200);
    host_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host_));
  }
  QWidget host_;
  CChildView* view_ = nullptr;
};

TEST_F(ShownView, TheFirstSizeAllocatesTheBufferAndShowsTheOverlayOverTheView) {
  EXPECT_EQ(view_->buffer().Width(), 300 - 2 * kEdge);
  EXPECT_EQ(view_->buffer().Height(), 200 - 2 * kEdge);
  ASSERT_NE(view_->title(), nullptr);
  EXPECT_TRUE(view_->title()->isVisible());
  EXPECT_EQ(view_->title()->geometry(), view_->contentsRect());
  EXPECT_EQ(view_->children().last(), view_->title()) << "on top of the view's children";
}

TEST_F(ShownView, AResizeToNothingDropsTheBufferAndTheNextOneBringsItBack) {
  view_->setGeometry(0, 0, 0, 0);
  EXPECT_EQ(view_->buffer().Pixels(), nullptr);
  view_->repaint();  // painting without a buffer draws nothing and does not crash
  view_->setGeometry(0, 0, 120, 90);
  EXPECT_NE(view_->buffer().Pixels(), nullptr);
  EXPECT_EQ(view_->buffer().Width(), 120 - 2 * kEdge);
  EXPECT_EQ(view_->title()->geometry(), view_->contentsRect()) << "the overlay follows";
}

TEST_F(ShownView, ThePaintShowsTheRenderedBufferPixelForPixel) {
  view_->CloseTitle();
  for (int zoom : {1, 2, 3}) {
    SCOPED_TRACE(testing::Message() << "zoom " << zoom);
    view_->game().zoom = zoom;
    const QImage client =
        view_->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(view_->contentsRect());
    const PixelBuffer& shown = view_->buffer();
    ASSERT_EQ(client.size(), QSize(shown.Width(), shown.Height()));
    // What the paint rendered, as a fresh rendering of the same state; at zoom 2 and 3 a
    // column or two at the right and a row or two at the bottom belong to no cell.
    PixelBuffer fresh;
    ASSERT_TRUE(fresh.Resize(shown.Width(), shown.Height()));
    RenderView(fresh, zoom);
    const ViewLayout layout = ComputeViewLayout(shown.Width(), shown.Height(), zoom);
    const int coveredWidth = std::min(shown.Width(), layout.centre_left + zoom * layout.cells_left);
    const int coveredHeight =
        std::min(shown.Height(), layout.centre_top + zoom * layout.cells_above);
    int notPresented = 0;
    int notRendered = 0;
    for (int y = 0; y < shown.Height(); ++y) {
      for (int x = 0; x < shown.Width(); ++x) {
        const std::uint32_t pixel = client.pixel(x, y) & 0xFFFFFF;
        if (pixel != shown.Pixels()[y * shown.Width() + x]) ++notPresented;
        if (x < coveredWidth && y < coveredHeight && pixel != fresh.Pixels()[y * fresh.Width() + x])
          ++notRendered;
      }
    }
    EXPECT_EQ(notPresented, 0);
    EXPECT_EQ(notRendered, 0);
  }
}

TEST_F(ShownView, TheOverlayLetsTheMazeShowThroughBetweenItsLetters) {
  const QImage shot = view_->grab().toImage();
  // Far from every title line, the overlay shows the maze's own pixels.
  PixelBuffer expected;
  ASSERT_TRUE(expected.Resize(view_->buffer().Width(), view_->buffer().Height()));
  RenderView(expected, view_->game().zoom);
  const QPoint probe(40, 190 - kEdge);  // under the overlay, inside its edge
  EXPECT_EQ(shot.pixel(probe + QPoint(kEdge, kEdge)) & 0xFFFFFF,
            expected.Pixels()[probe.y() * expected.Width() + probe.x()]);
}

// ---- The title phase, through real timer events
// -----------------------------------------------------

TEST(TitlePhaseTest, FiftyNineTitleTicksThenTheOverlayGoesAndCyclesBegin) {
  CMainFrame frame;
  frame.resize(400, 300);
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  CChildView* view = frame.view();
  view->StartTimer(1);  // the same ticks, faster
  ASSERT_TRUE(SpinUntil([&] { return view->game().titleTicks >= 30; }));
  EXPECT_NE(view->title(), nullptr);
  EXPECT_EQ(view->game().elapsedCycles, 0);
  ASSERT_TRUE(SpinUntil([&] { return view->game().titleTicks >= 65; }));
  view->StopTimer();
  EXPECT_EQ(view->title(), nullptr);
  EXPECT_EQ(view->game().elapsedCycles, view->game().titleTicks - 59);
  frame.resize(500, 320);
  QApplication::processEvents();
  EXPECT_EQ(view->title(), nullptr) << "a resize does not bring the title back";
  EXPECT_EQ(view->buffer().Width(), view->contentsRect().width());
}

// ---- Keys
// ----------------------------------------------------------------------------------------

class FrameKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    frame_.resize(400, 300);
    frame_.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame_));
    view_ = frame_.view();
    view_->StopTimer();
    view_->game().pendingKey = 0;
  }
  int Pending() {
    const int key = view_->game().pendingKey;
    view_->game().pendingKey = 0;
    return key;
  }
  CMainFrame frame_;
  CChildView* view_ = nullptr;
};

TEST_F(FrameKeys, KeysReachThePendingKeyAsVirtualKeyCodes) {
  QTest::keyClick(view_, Qt::Key_Left);
  EXPECT_EQ(Pending(), KEY_LEFT);
  QTest::keyClick(view_, Qt::Key_Down);
  EXPECT_EQ(Pending(), KEY_DOWN);
  QTest::keyClick(view_, Qt::Key_Exclam, Qt::ShiftModifier);
  EXPECT_EQ(Pending(), KEY_1);
  QTest::keyClick(view_, Qt::Key_W, Qt::ShiftModifier);
  EXPECT_EQ(Pending(), KEY_W);
  QTest::keyClick(view_, Qt::Key_2, Qt::ControlModifier);  // no accelerator for Ctrl+digits
  EXPECT_EQ(Pending(), KEY_2);
  QTest::keyClick(view_, Qt::Key_Escape);
  EXPECT_EQ(Pending(), KEY_ESCAPE);
}

TEST_F(FrameKeys, KeypadDigitsAndAltCombinationsDoNotReachTheGame) {
  QTest::keyClick(view_, Qt::Key_1, Qt::KeypadModifier);
  EXPECT_EQ(Pending(), 0);
  QTest::keyClick(view_, Qt::Key_V, Qt::AltModifier);  // a system key
  EXPECT_EQ(Pending(), 0);
  QTest::keyClick(view_, Qt::Key_4);
  EXPECT_EQ(Pending(), 0);
}

TEST_F(FrameKeys, CtrlVIsTakenByTheFrameWhileVAndShiftVReachTheView) {
  QTest::keyClick(view_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Pending(), 0);
  EXPECT_EQ(frame_.lastAcceleratorCommand(), ID_EDIT_PASTE);
  QTest::keyClick(view_, Qt::Key_V);
  EXPECT_EQ(Pending(), KEY_V);
  QTest::keyClick(view_, Qt::Key_V, Qt::ShiftModifier);
  EXPECT_EQ(Pending(), KEY_V);
}

TEST_F(FrameKeys, EveryAcceleratorIsTakenByTheFrame) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int command;
  };
  const Case cases[] = {
      {Qt::Key_C, Qt::ControlModifier, ID_EDIT_COPY},
      {Qt::Key_Insert, Qt::ControlModifier, ID_EDIT_COPY},
      {Qt::Key_V, Qt::ControlModifier, ID_EDIT_PASTE},
      {Qt::Key_Insert, Qt::ShiftModifier, ID_EDIT_PASTE},
      {Qt::Key_X, Qt::ControlModifier, ID_EDIT_CUT},
      {Qt::Key_Delete, Qt::ShiftModifier, ID_EDIT_CUT},
      {Qt::Key_Z, Qt::ControlModifier, ID_EDIT_UNDO},
      {Qt::Key_Backspace, Qt::AltModifier, ID_EDIT_UNDO},
      {Qt::Key_F6, Qt::NoModifier, ID_NEXT_PANE},
      {Qt::Key_F6, Qt::ShiftModifier, ID_PREV_PANE},
  };
  for (const Case& c : cases) {
    view_->game().pendingKey = KEY_R;  // a key the view would replace if it saw anything
    QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
    QApplication::sendEvent(view_, &press);
    EXPECT_EQ(frame_.lastAcceleratorCommand(), c.command) << c.key;
    EXPECT_EQ(Pending(), KEY_R) << c.key;
    EXPECT_FALSE(frame_.OnCmdMsg(c.command)) << "nobody handles " << c.command;
  }
}

TEST_F(FrameKeys, ShiftIsReadLiveWhenTheTickRuns) {
  view_->game().titleTicks = 100;           // past the title phase
  QTest::keyRelease(view_, Qt::Key_Shift);  // whatever earlier tests held, nothing is down
  EXPECT_FALSE(view_->IsShiftDown());
  QTest::keyPress(view_, Qt::Key_At, Qt::ShiftModifier);  // Shift+2, Shift still held
  EXPECT_TRUE(view_->IsShiftDown());
  EXPECT_FALSE(view_->IsCtrlDown());
  view_->game().GameTick();
  EXPECT_EQ(view_->timerPeriod(), 20);
  QTest::keyRelease(view_, Qt::Key_Shift);
}

TEST_F(FrameKeys, TheFrameHandsItsFocusToTheView) {
  frame_.setFocus();
  EXPECT_TRUE(view_->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), view_);
}

// ---- Dialogs opened by the game
// ------------------------------------------------------------------

TEST_F(FrameKeys, GivingUpShowsTheStageResultAndCancelKeepsTheStage) {
  view_->game().titleTicks = 100;
  view_->game().elapsedCycles = 41;
  QStringList lines;
  bool frameEnabled = true;
  WhenModalShows([&](QDialog* up) {
    for (int id : {IDC_STAGE_LINE1, IDC_STAGE_LINE2, IDC_ELAPSED_CYCLES, IDC_NEXT_STAGE_ALIENS})
      lines << static_cast<TemplateDialog*>(up)->GetDlgItem(id)->property("text").toString();
    frameEnabled = frame_.isEnabled();
    QTest::keyClick(up, Qt::Key_Escape);
  });
  QTest::keyClick(view_, Qt::Key_Escape);
  view_->game().GameTick();
  EXPECT_EQ(lines, QStringList({QString::fromUtf8("あきらめるな。まだまだだ！"),
                                "Neverrrr, Give Up! Go To Next.", "42", "30"}));
  EXPECT_FALSE(frameEnabled);
  EXPECT_TRUE(frame_.isEnabled());
  EXPECT_EQ(view_->game().elapsedCycles, 42) << "Cancel after giving up keeps the stage";
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view_; }, 2000))
      << "the focus comes back to the view";
}

TEST_F(FrameKeys, TheGameIsFrozenWhileTheAboutBoxIsUp) {
  view_->game().titleTicks = 100;
  view_->StartTimer(1);
  int cyclesWhenShown = -1;
  int cyclesLater = -2;
  WhenModalShows([&](QDialog* up) {
    cyclesWhenShown = view_->game().elapsedCycles;
    QTest::qWait(30);  // thirty timer periods
    cyclesLater = view_->game().elapsedCycles;
    QTest::keyClick(up, Qt::Key_Return);
  });
  QTest::keyClick(view_, Qt::Key_V);
  ASSERT_TRUE(SpinUntil([&] { return cyclesLater >= 0; }));
  view_->StopTimer();
  EXPECT_EQ(cyclesLater, cyclesWhenShown);
}

}  // namespace
}  // namespace vennaloop
