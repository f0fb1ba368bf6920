// lifecycle_test.cpp: the whole program's life in one process, as main() runs it: the
// application object, the frame it allocates, the title, play, both dialogs, an empty window,
// the fastest speed and the Exit command, after which the frame must have deleted itself.
// Built with the sanitizers, LeakSanitizer then checks at exit that nothing of ours is left.
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/accelerators.h"
#include "app/child_view.h"
#include "app/main_frame.h"
#include "app/vennaloop_app.h"
#include "game/game.h"
#include "modal_helper.h"

namespace {

using vennaloop::apptest::SpinUntil;
using vennaloop::apptest::WhenModalShows;

int failures = 0;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "lifecycle: %s\n", what);
  ++failures;
}

// Opens a dialog with `key` and answers it with `answer`; true once it has closed again.
bool DialogRoundTrip(vennaloop::CChildView* view, Qt::Key key, Qt::Key answer) {
  bool answered = false;
  WhenModalShows([&answered, answer](QDialog* up) {
    QTest::keyClick(up, answer);
    answered = true;
  });
  QTest::keyClick(view, key);
  return SpinUntil([&] { return answered && !QApplication::activeModalWidget(); }, 10000);
}

void Play(vennaloop::CVennaloopApp& app) {
  using namespace vennaloop;
  CMainFrame* frame = app.mainFrame();
  CChildView* view = frame->view();
  Check(QTest::qWaitForWindowExposed(frame), "the frame is shown");
  view->StartTimer(1);  // the title phase at full speed
  Check(SpinUntil([&] { return view->game().elapsedCycles >= 20; }, 20000), "the game plays");
  Check(view->title() == nullptr, "the title is gone");

  Check(DialogRoundTrip(view, Qt::Key_V, Qt::Key_Return), "the About box opens and closes");
  Check(DialogRoundTrip(view, Qt::Key_Escape, Qt::Key_Return), "the stage result, then anew");

  frame->resize(0, 0);
  Check(view->buffer().Pixels() == nullptr, "an empty frame leaves the view without a picture");
  frame->resize(320, 240);
  Check(view->buffer().Pixels() != nullptr, "and the next size gives it one again");

  QTest::keyPress(view, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier);
  const int cycles = view->game().elapsedCycles;
  Check(SpinUntil([&] { return view->game().elapsedCycles > cycles + 50; }, 20000),
        "the fastest speed plays");
  QTest::keyRelease(view, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier);
  Check(view->timerPeriod() == 1, "Ctrl+Shift+1 sets one tick a millisecond");

  app.OnCmdMsg(ID_APP_EXIT);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  vennaloop::CVennaloopApp app(argc, argv);
  if (!app.InitInstance()) {
    std::fprintf(stderr, "lifecycle: the application did not start\n");
    return 1;
  }
  const QPointer<vennaloop::CMainFrame> frame = app.mainFrame();
  QTimer::singleShot(0, &app, [&app] { Play(app); });
  // A script that stalls must not hang the test run.
  QTimer::singleShot(120000, &app, [] {
    std::fprintf(stderr, "lifecycle: still running after two minutes\n");
    QCoreApplication::exit(2);
  });
  const int status = app.exec();
  Check(status == 0, "the message loop ends normally");
  Check(frame.isNull(), "closing the frame deletes it");
  if (failures == 0) std::printf("lifecycle: passed\n");
  return failures == 0 ? 0 : 1;
}
