// main.cpp: the program's entry: no command-line options, one frame, the message loop.
#include <cstdio>

#include "app/startup_guard.h"
#include "app/vennaloop_app.h"

int main(int argc, char** argv) {
  if (!vennaloop::DisplayConfigured()) {
    std::fprintf(stderr, "%s\n", vennaloop::kNoDisplayMessage);
    return 1;
  }
  // Options are not taken, not even the toolkit's own: the application sees only the name.
  (void)argc;
  int qtArgc = 1;
  vennaloop::StartupGuard guard;
  vennaloop::CVennaloopApp app(qtArgc, argv);
  guard.Release();
  if (!app.InitInstance()) return 1;
  return app.exec();
}
