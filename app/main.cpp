// main.cpp: the program's entry: the command line, one frame, the message loop.
#include <cstdio>

#include "app/command_line.h"
#include "app/startup_guard.h"
#include "app/vennaloop_app.h"

int main(int argc, char** argv) {
  if (const std::optional<int> status = vennaloop::AnswerCommandLine(argc, argv)) return *status;
  if (!vennaloop::DisplayConfigured()) {
    std::fprintf(stderr, "%s\n", vennaloop::kNoDisplayMessage);
    return 1;
  }
  // The toolkit's own options are not taken: the application sees only the name.
  int qtArgc = 1;
  vennaloop::StartupGuard guard;
  vennaloop::CVennaloopApp app(qtArgc, argv);
  guard.Release();
  if (!app.InitInstance()) return 1;
  return app.exec();
}
