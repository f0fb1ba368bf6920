// view_test.cpp: the game view in the main window: creation, the picture and its paint, the title
// phase through real timer events, keys through real key events, the window's own chords, the
// dialogs opened by the game, and focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <algorithm>

#include "app/layout_dialog.h"
#include "game/virtual_keys.h"
#include "qt_printers.h"
#include "spin_until.h"
#include "ui/key_table.h"
#include "window_fixture.h"
#include "world/cell_grid.h"

namespace vennaloop {
namespace {

using apptest::EDGE;
using GameWindowTest = apptest::ShownWindow;
using apptest::SpinUntil;

// ---- Creation -----------------------------------------------------------------------------------

TEST(ViewCreationTest, CreatingTheViewSetsUpTheFirstStage) {
  std::fill(std::begin(CellMap), std::end(CellMap), std::uint8_t{0});
  GameView view;
  EXPECT_TRUE(CellMap[START_ROOM] & CELL_PLAYER) << "stage set up";
  EXPECT_TRUE(CellMap[GOAL_ROOM] & CELL_GOAL);
  EXPECT_EQ(view.game().hitPoints, 20);
  EXPECT_EQ(view.timerPeriod(), 16);
  ASSERT_NE(view.title(), nullptr);
  EXPECT_TRUE(view.title()->isHidden()) << "the overlay waits for the first size";
  EXPECT_EQ(view.picture().Pixels(), nullptr);
  EXPECT_EQ(view.game().titleTicks, 0);
}

TEST_F(GameWindowTest, TheWindowHostsTheViewInsideTwoNestedEdges) {
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Vennaloop"));
  EXPECT_EQ(window_.focusProxy(), view_);
  EXPECT_EQ(window_.frameWidth(), EDGE) << "the window's own client edge";
  EXPECT_EQ(view_->frameWidth(), EDGE) << "and the view's inside it";
  EXPECT_EQ(view_->geometry(), window_.contentsRect());
  EXPECT_EQ(view_->picture().Width(), 400 - 4 * EDGE);
  EXPECT_EQ(view_->picture().Height(), 300 - 4 * EDGE);
  ASSERT_NE(view_->title(), nullptr);
  EXPECT_TRUE(view_->title()->isVisible());
  EXPECT_EQ(view_->title()->geometry(), view_->contentsRect());
  EXPECT_EQ(view_->children().last(), view_->title()) << "on top of the view's children";
}

// ---- The picture --------------------------------------------------------------------------------

TEST_F(GameWindowTest, EveryRepaintShowsTheRenderedPicturePixelForPixel) {
  view_->CloseTitle();
  for (int zoom : {1, 2, 3}) {
    SCOPED_TRACE(testing::Message() << "zoom " << zoom);
    view_->game().zoom = zoom;
    RepaintAndPresent();
    const QImage client =
        view_->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(view_->contentsRect());
    const PixelBuffer& shown = view_->picture();
    ASSERT_EQ(client.size(), QSize(shown.Width(), shown.Height()));
    // What the paint showed is the picture, and the picture is a fresh rendering of the game; at
    // zoom 2 and 3 a column or two at the right and a row or two at the bottom belong to no cell.
    PixelBuffer fresh;
    ASSERT_TRUE(fresh.Resize(shown.Width(), shown.Height()));
    RenderView(fresh, zoom);
    const ViewLayout layout = ComputeViewLayout(shown.Width(), shown.Height(), zoom);
    const QRect covered(0, 0, layout.centre_left + zoom * layout.cells_left,
                        layout.centre_top + zoom * layout.cells_above);
    int notPresented = 0;
    int notRendered = 0;
    for (int y = 0; y < shown.Height(); ++y) {
      for (int x = 0; x < shown.Width(); ++x) {
        const std::uint32_t pixel = client.pixel(x, y);
        const int i = y * shown.Width() + x;
        if (pixel != shown.Pixels()[i]) ++notPresented;
        if (covered.contains(x, y) && pixel != fresh.Pixels()[i]) ++notRendered;
      }
    }
    EXPECT_EQ(notPresented, 0);
    EXPECT_EQ(notRendered, 0);
  }
}

TEST_F(GameWindowTest, TheOverlayLetsTheMazeShowThroughBetweenItsLetters) {
  const QImage shot = view_->grab().toImage();
  PixelBuffer expected;
  ASSERT_TRUE(expected.Resize(view_->picture().Width(), view_->picture().Height()));
  RenderView(expected, view_->game().zoom);
  const QPoint probe(40, 280);  // under the overlay, far from every title line
  EXPECT_EQ(shot.pixel(probe + QPoint(EDGE, EDGE)),
            expected.Pixels()[probe.y() * expected.Width() + probe.x()]);
}

// ---- The title phase, through real timer events -------------------------------------------------

TEST_F(GameWindowTest, FiftyNineTitleTicksThenTheOverlayGoesAndCyclesBegin) {
  view_->StartTimer(1);  // the same ticks, faster
  ASSERT_TRUE(SpinUntil([&] { return view_->game().titleTicks >= 30; }));
  EXPECT_NE(view_->title(), nullptr);
  EXPECT_EQ(view_->game().elapsedCycles, 0);
  ASSERT_TRUE(SpinUntil([&] { return view_->game().titleTicks >= 65; }));
  view_->StopTimer();
  EXPECT_EQ(view_->title(), nullptr);
  EXPECT_EQ(view_->game().elapsedCycles, view_->game().titleTicks - 59);
  window_.resize(500, 320);
  QApplication::processEvents();
  EXPECT_EQ(view_->title(), nullptr) << "a resize does not bring the title back";
  EXPECT_EQ(view_->picture().Width(), view_->contentsRect().width());
}

// ---- Keys ---------------------------------------------------------------------------------------

TEST_F(GameWindowTest, KeysReachTheGameAsItsKeyCodes) {
  QTest::keyClick(view_, Qt::Key_Left);
  EXPECT_EQ(TakePendingKey(), KEY_LEFT);
  QTest::keyClick(view_, Qt::Key_Down);
  EXPECT_EQ(TakePendingKey(), KEY_DOWN);
  QTest::keyClick(view_, Qt::Key_Exclam, Qt::ShiftModifier);
  EXPECT_EQ(TakePendingKey(), KEY_1);
  QTest::keyClick(view_, Qt::Key_W, Qt::ShiftModifier);
  EXPECT_EQ(TakePendingKey(), KEY_W);
  QTest::keyClick(view_, Qt::Key_2, Qt::ControlModifier);  // Ctrl+digits are the speed keys
  EXPECT_EQ(TakePendingKey(), KEY_2);
  QTest::keyClick(view_, Qt::Key_V, Qt::ShiftModifier);
  EXPECT_EQ(TakePendingKey(), KEY_V);
  QTest::keyClick(view_, Qt::Key_Escape);
  EXPECT_EQ(TakePendingKey(), KEY_ESCAPE);
}

TEST_F(GameWindowTest, KeypadDigitsAltKeysAndOtherKeysDoNotReachTheGame) {
  QTest::keyClick(view_, Qt::Key_1, Qt::KeypadModifier);
  EXPECT_EQ(TakePendingKey(), 0);
  QTest::keyClick(view_, Qt::Key_V, Qt::AltModifier);  // a system key
  EXPECT_EQ(TakePendingKey(), 0);
  QTest::keyClick(view_, Qt::Key_4);
  EXPECT_EQ(TakePendingKey(), 0);
}

// The Qt key of a chord's physical key.
Qt::Key QtKeyOf(std::string_view code) {
  if (code.size() == 4 && code.starts_with("Key")) return Qt::Key(Qt::Key_A + (code[3] - 'A'));
  if (code == "Insert") return Qt::Key_Insert;
  if (code == "Delete") return Qt::Key_Delete;
  if (code == "Backspace") return Qt::Key_Backspace;
  if (code == "F6") return Qt::Key_F6;
  return Qt::Key_unknown;
}

TEST_F(GameWindowTest, TheWindowsChordsNeverReachTheGame) {
  for (const KeyChord& chord : WindowChords()) {
    const Qt::Key key = QtKeyOf(chord.name);
    ASSERT_NE(key, Qt::Key_unknown) << chord.name;
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, chord.modifiers.shift);
    modifiers.setFlag(Qt::ControlModifier, chord.modifiers.ctrl);
    modifiers.setFlag(Qt::AltModifier, chord.modifiers.alt);
    view_->game().pendingKey = KEY_R;  // a key the view would replace if anything came through
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(view_, &press);
    EXPECT_EQ(TakePendingKey(), KEY_R) << chord.name;
  }
  QTest::keyClick(view_, Qt::Key_V);
  EXPECT_EQ(TakePendingKey(), KEY_V) << "V alone opens the about box";
}

TEST_F(GameWindowTest, ShiftIsReadLiveWhenTheTickRuns) {
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

TEST_F(GameWindowTest, TheWindowHandsItsFocusToTheView) {
  window_.setFocus();
  EXPECT_TRUE(view_->hasFocus());
  EXPECT_EQ(QApplication::focusWidget(), view_);
}

// ---- Dialogs opened by the game -----------------------------------------------------------------

TEST_F(GameWindowTest, GivingUpShowsTheStageResultAndCancelKeepsTheStage) {
  view_->game().titleTicks = 100;
  view_->game().elapsedCycles = 41;
  QTest::keyClick(view_, Qt::Key_Escape);
  view_->game().GameTick();
  // The tick has returned, and the dialog is up over the disabled window.
  LayoutDialog* dialog = view_->dialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  EXPECT_EQ(dialog->request().kind, DialogKind::StageResult);
  QStringList lines;
  for (ControlValue value : {ControlValue::StageLine1, ControlValue::StageLine2,
                             ControlValue::ElapsedCycles, ControlValue::NextStageAliens})
    lines << qobject_cast<QLineEdit*>(dialog->control(value))->text();
  EXPECT_EQ(lines, QStringList({QString::fromUtf8("あきらめるな。まだまだだ！"),
                                "Neverrrr, Give Up! Go To Next.", "42", "30"}));
  EXPECT_FALSE(window_.isEnabled());
  EXPECT_EQ(QApplication::activeModalWidget(), dialog);
  view_->game().GameTick();
  EXPECT_EQ(view_->game().elapsedCycles, 42) << "frozen while the dialog is up";

  QTest::keyClick(dialog, Qt::Key_Escape);
  EXPECT_EQ(view_->dialog(), nullptr);
  EXPECT_TRUE(window_.isEnabled());
  EXPECT_FALSE(view_->game().DialogOpen());
  view_->game().GameTick();
  EXPECT_EQ(view_->game().elapsedCycles, 43) << "Cancel after giving up keeps the stage";
  ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view_; }, 2000))
      << "the focus comes back to the view";
}

}  // namespace
}  // namespace vennaloop
