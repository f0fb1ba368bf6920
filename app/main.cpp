// main.cpp: the program's entry: no command-line options, one main window, the event loop.
#include <QApplication>
#include <cstdio>

#include "app/application.h"
#include "app/main_window.h"
#include "app/startup_guard.h"

int main(int argc, char** argv) {
  if (!vennaloop::DisplayConfigured()) {
    std::fprintf(stderr, "%s\n", vennaloop::kNoDisplayMessage);
    return 1;
  }
  // Options are not taken, not even the toolkit's own: the application sees only the name.
  (void)argc;
  int qtArgc = 1;
  vennaloop::StartupGuard guard;
  QApplication app(qtArgc, argv);
  guard.Release();
  vennaloop::ConfigureApplication(app);
  vennaloop::OpenMainWindow();
  return app.exec();
}
