// startup_guard.h: keeps a failure to open a window from ending in an abort: without a display
// the program prints one line and exits with status 1; any other failure keeps Qt's own words.
#pragma once

#include <QtGlobal>

namespace vennaloop {

/// Whether the environment names a display for the platform Qt will use (DISPLAY for X11,
/// WAYLAND_DISPLAY for Wayland; other platforms are assumed to have one).
bool DisplayConfigured();

/// The one line printed when no window can be opened.
inline constexpr char kNoDisplayMessage[] =
    "vennaloop: no display to open the game window on (is DISPLAY set and reachable?)";

/// While alive, holds Qt's messages back. A fatal one exits with status 1 after printing
/// kNoDisplayMessage when the platform plugin could not reach its display, and the held messages
/// and the fatal one as Qt words them otherwise (a missing or broken plugin, say).
/// Release() passes the held messages on and restores the previous handler.
class StartupGuard {
 public:
  StartupGuard();
  ~StartupGuard();
  StartupGuard(const StartupGuard&) = delete;
  StartupGuard& operator=(const StartupGuard&) = delete;

  void Release();

 private:
  QtMessageHandler previous_;
  bool released_ = false;
};

}  // namespace vennaloop
