// main.cpp: the program's entry: the command line, one main window, the event loop.
#include <QApplication>
#include <cstdio>

#include "app/application.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/startup_guard.h"

int main(int argc, char** argv) {
  if (const std::optional<int> status = vennaloop::AnswerCommandLine(argc, argv)) return *status;
  if (!vennaloop::DisplayConfigured()) {
    std::fprintf(stderr, "%s\n", vennaloop::kNoDisplayMessage);
    return 1;
  }
  // The toolkit's own options are not taken: the application sees only the name.
  int qtArgc = 1;
  vennaloop::StartupGuard guard;
  QApplication app(qtArgc, argv);
  guard.Release();
  vennaloop::ConfigureApplication(app);
  vennaloop::OpenMainWindow();
  return app.exec();
}
