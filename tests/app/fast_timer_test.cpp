// fast_timer_test.cpp: the real window at its fastest speed, Ctrl+Shift+1 (one tick every
// millisecond): keys and dialogs still come through within a few ticks, and the game stays frozen
// while a dialog is up. Everything is counted in ticks, not in milliseconds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "app/layout_dialog.h"
#include "game/game.h"
#include "window_fixture.h"

namespace vennaloop {
namespace {

// "A few ticks": what a key or a dialog may take at the fastest speed. Ordinarily it is one or
// two; the margin is for slow (sanitized, loaded) machines, yet far below a pile-up.
constexpr int kFewTicks = 25;

// Counts the timer events the view receives: its only timer wakes the game's pacer, about once a
// tick at this speed, so the count stands for ticks.
class TickCounter : public QObject {
 public:
  explicit TickCounter(QObject* watched) { watched->installEventFilter(this); }
  int ticks() const { return ticks_; }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Timer) ++ticks_;
    return false;
  }

 private:
  int ticks_ = 0;
};

// A key as the queue delivers it: the press (and with `release` the release, modifiers and all)
// reaches the widget from the event loop, behind whatever is already waiting there.
void QueueKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers, bool press,
              bool release) {
  QPointer<QWidget> receiver(target);
  QMetaObject::invokeMethod(
      target,
      [receiver, key, modifiers, press, release] {
        if (!receiver) return;
        if (press) QTest::keyPress(receiver, key, modifiers);
        if (release && receiver) QTest::keyRelease(receiver, key, modifiers);
      },
      Qt::QueuedConnection);
}

class FastTimer : public apptest::ShownWindow {
 protected:
  void SetUp() override {
    ShownWindow::SetUp();
    window_.resize(800, 600);
    view_->StartTimer(DEFAULT_PERIOD_MS);
    counter_ = std::make_unique<TickCounter>(view_);
    view_->game().titleTicks = TITLE_TICKS - 1;  // the next tick ends the title phase

    // Ctrl+Shift+1, with both modifiers still down when the tick carries the digit out.
    QueueKey(view_, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, true, false);
    ASSERT_TRUE(WithinTicks([&] { return view_->timerPeriod() == 1; }, kFewTicks))
        << "period " << view_->timerPeriod();
    QueueKey(view_, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, false, true);
    QueueKey(view_, Qt::Key_Shift, Qt::NoModifier, false, true);
    ASSERT_TRUE(WithinTicks(
        [] { return QGuiApplication::queryKeyboardModifiers() == Qt::NoModifier; }, kFewTicks));
  }
  void TearDown() override { view_->StopTimer(); }

  // Handles events as they come until `done` holds; false if `maxTicks` timer events came
  // first. The deadline only keeps a stopped timer from hanging the test.
  bool WithinTicks(const std::function<bool()>& done, int maxTicks) {
    const int start = counter_->ticks();
    const QDeadlineTimer deadline(20000);
    while (!done()) {
      if (counter_->ticks() - start > maxTicks || deadline.hasExpired()) return false;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
  }
  // Handles events until at least `count` more ticks came.
  void RunTicks(int count) {
    const int start = counter_->ticks();
    const QDeadlineTimer deadline(20000);
    while (counter_->ticks() - start < count && !deadline.hasExpired())
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  int Ticks() const { return counter_->ticks(); }

  std::unique_ptr<TickCounter> counter_;
};

// ---- Keys ---------------------------------------------------------------------------------------

TEST_F(FastTimer, EveryKeyIsCarriedOutWithinAFewTicks) {
  ASSERT_EQ(view_->title(), nullptr) << "the game is playing";
  struct Case {
    Qt::Key key;
    std::function<bool()> done;
  };
  Game& game = view_->game();
  const Case cases[] = {
      {Qt::Key_2, [&] { return game.zoom == 2; }},
      {Qt::Key_3, [&] { return game.zoom == 3; }},
      {Qt::Key_F, [&] { return game.moveMode == MoveMode::Wander; }},
      {Qt::Key_W, [&] { return game.moveMode == MoveMode::Explorer; }},
      {Qt::Key_R, [&] { return game.moveMode == MoveMode::Manual; }},
      {Qt::Key_1, [&] { return game.zoom == 1; }},
      {Qt::Key_S, [&] { return game.skippedCycle != 0; }},
  };
  for (const Case& c : cases) {
    RunTicks(10);  // keys amid a running game, not right after each other
    QueueKey(view_, c.key, Qt::NoModifier, true, true);
    EXPECT_TRUE(WithinTicks(c.done, kFewTicks)) << "key " << c.key;
    EXPECT_EQ(view_->timerPeriod(), 1) << "key " << c.key;
  }
}

// ---- Dialogs ------------------------------------------------------------------------------------

// What the game did while a dialog was up.
struct DialogRecord {
  DialogKind kind = DialogKind::About;
  int ticksWhenShown = -1;
  int cyclesWhenShown = -1;
  int cyclesBeforeClosing = -2;
  int zoomBeforeClosing = 0;
};

class FastDialogs : public FastTimer {
 protected:
  // Waits for the dialog the game opens, lets thirty ticks come while it is up, with a key sent
  // to the game's window among them, then answers it with `answer` as a key press; false if the
  // dialog did not open or close within a few ticks.
  bool AnswerDialog(DialogRecord& record, Qt::Key answer) {
    if (!WithinTicks([&] { return view_->dialog() != nullptr; }, kFewTicks)) return false;
    QPointer<LayoutDialog> up = view_->dialog();
    record.ticksWhenShown = Ticks();
    record.kind = up->request().kind;
    record.cyclesWhenShown = view_->game().elapsedCycles;
    QueueKey(view_, Qt::Key_3, Qt::NoModifier, true, true);  // the window takes no keys
    RunTicks(30);
    record.cyclesBeforeClosing = view_->game().elapsedCycles;
    record.zoomBeforeClosing = view_->game().zoom;
    QueueKey(up, answer, Qt::NoModifier, true, true);
    return WithinTicks([&] { return !up || !up->isVisible(); }, kFewTicks);
  }
  // The game plays again: cycles advance within a few ticks.
  bool Plays() {
    const int cycles = view_->game().elapsedCycles;
    return WithinTicks([&] { return view_->game().elapsedCycles > cycles; }, kFewTicks);
  }
  // What a dialog must not have let through: a cycle, or the key sent to the window.
  void ExpectFrozen(const DialogRecord& record) {
    EXPECT_EQ(record.cyclesBeforeClosing, record.cyclesWhenShown) << "the game is frozen";
    EXPECT_EQ(record.zoomBeforeClosing, 1) << "the game's window took a key";
  }
};

TEST_F(FastDialogs, TheStageResultOpensAfterEscapeAndCancelKeepsTheStageAtFullSpeed) {
  RunTicks(20);
  DialogRecord record;
  const int sent = Ticks();
  QueueKey(view_, Qt::Key_Escape, Qt::NoModifier, true, true);
  ASSERT_TRUE(AnswerDialog(record, Qt::Key_Escape));
  EXPECT_EQ(record.kind, DialogKind::StageResult);
  EXPECT_LE(record.ticksWhenShown - sent, kFewTicks) << "the dialog shows within a few ticks";
  ExpectFrozen(record);
  EXPECT_EQ(view_->timerPeriod(), 1) << "Cancel after giving up keeps the stage and its speed";
  EXPECT_TRUE(Plays());
}

TEST_F(FastDialogs, TheStageResultConfirmedStartsANewStageAtTheDefaultSpeed) {
  RunTicks(20);
  DialogRecord record;
  QueueKey(view_, Qt::Key_Escape, Qt::NoModifier, true, true);
  ASSERT_TRUE(AnswerDialog(record, Qt::Key_Return));
  EXPECT_EQ(record.kind, DialogKind::StageResult);
  ExpectFrozen(record);
  EXPECT_EQ(view_->timerPeriod(), DEFAULT_PERIOD_MS);
  EXPECT_LT(view_->game().elapsedCycles, record.cyclesWhenShown) << "a new stage";
  EXPECT_TRUE(Plays());
}

TEST_F(FastDialogs, TheAboutBoxOpensAfterVAndClosesWithEnter) {
  RunTicks(20);
  DialogRecord record;
  const int sent = Ticks();
  QueueKey(view_, Qt::Key_V, Qt::NoModifier, true, true);
  ASSERT_TRUE(AnswerDialog(record, Qt::Key_Return));
  EXPECT_EQ(record.kind, DialogKind::About);
  EXPECT_LE(record.ticksWhenShown - sent, kFewTicks);
  ExpectFrozen(record);
  EXPECT_EQ(view_->timerPeriod(), 1);
  EXPECT_TRUE(Plays());
  EXPECT_EQ(view_->dialog(), nullptr);
  // The keys reach the game again.
  QueueKey(view_, Qt::Key_2, Qt::NoModifier, true, true);
  EXPECT_TRUE(WithinTicks([&] { return view_->game().zoom == 2; }, kFewTicks));
}

}  // namespace
}  // namespace vennaloop
