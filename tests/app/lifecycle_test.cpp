// lifecycle_test.cpp: the whole program's life in one process, as main() runs it: the
// application, the main window it opens, the title, play, both dialogs, an empty window, the
// fastest speed and closing, after which the window must have deleted itself.
// Built with the sanitizers, LeakSanitizer then checks at exit that nothing of ours is left.
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "app/application.h"
#include "app/game_view.h"
#include "app/main_window.h"
#include "game/game.h"
#include "spin_until.h"

namespace {

using vennaloop::apptest::SpinUntil;

int failures = 0;

void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "lifecycle: %s\n", what);
  ++failures;
}

// Opens a dialog with `key` and answers it with `answer`; true once it has closed again.
bool DialogRoundTrip(vennaloop::GameView* view, Qt::Key key, Qt::Key answer) {
  QTest::keyClick(view, key);
  if (!SpinUntil([&] { return view->dialog() != nullptr; }, 10000)) return false;
  QTest::keyClick(view->dialog(), answer);
  return SpinUntil([&] { return view->dialog() == nullptr; }, 10000);
}

void Play(vennaloop::MainWindow* window) {
  using namespace vennaloop;
  GameView* view = window->view();
  Check(QTest::qWaitForWindowExposed(window), "the window is shown");
  view->StartTimer(1);  // the title phase at full speed
  Check(SpinUntil([&] { return view->game().elapsedCycles >= 20; }, 20000), "the game plays");
  Check(view->title() == nullptr, "the title is gone");

  Check(DialogRoundTrip(view, Qt::Key_V, Qt::Key_Return), "the About box opens and closes");
  Check(DialogRoundTrip(view, Qt::Key_Escape, Qt::Key_Return), "the stage result, then anew");

  window->resize(0, 0);
  Check(view->picture().Pixels() == nullptr, "an empty window leaves the view without a picture");
  window->resize(320, 240);
  Check(view->picture().Pixels() != nullptr, "and the next size gives it one again");

  QTest::keyPress(view, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier);
  const int cycles = view->game().elapsedCycles;
  Check(SpinUntil([&] { return view->game().elapsedCycles > cycles + 50; }, 20000),
        "the fastest speed plays");
  QTest::keyRelease(view, Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier);
  Check(view->timerPeriod() == 1, "Ctrl+Shift+1 sets one tick a millisecond");

  window->close();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vennaloop::ConfigureApplication(app);
  const QPointer<vennaloop::MainWindow> window = vennaloop::OpenMainWindow();
  QTimer::singleShot(0, &app, [&window] { Play(window); });
  // A script that stalls must not hang the test run.
  QTimer::singleShot(120000, &app, [] {
    std::fprintf(stderr, "lifecycle: still running after two minutes\n");
    QCoreApplication::exit(2);
  });
  const int status = app.exec();
  Check(status == 0, "the message loop ends normally");
  Check(window.isNull(), "closing the window deletes it");
  if (failures == 0) std::printf("lifecycle: passed\n");
  return failures == 0 ? 0 : 1;
}
