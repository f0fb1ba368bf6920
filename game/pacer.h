// pacer.h: how the game keeps time on every platform. A front end wakes the pacer with the time
// of its monotonic clock (a timer, animation frames, whatever its platform has); the pacer runs
// the game cycles that are due by then and says whether a frame is to be presented and when it
// wants to be woken next. So the speeds are the same everywhere, whatever the platform's timers
// can do, and frames reach the screen at most once a refresh.
#pragma once

#include <limits>

namespace vennaloop {

class Game;

/// A wake never runs the cycles of more than this much lateness; the rest are dropped, so a
/// hidden tab or a suspended machine does not come back to a burst of play.
inline constexpr double MAX_CATCH_UP_MS = 50;
/// The refresh intervals a screen is taken to have: a screen that reports a rate outside
/// 30 to 250 Hz, or none, is paced within these.
inline constexpr double MIN_REFRESH_INTERVAL_MS = 4;
inline constexpr double MAX_REFRESH_INTERVAL_MS = 33;
/// A screen that reports no rate is taken for a 60 Hz one.
inline constexpr double DEFAULT_REFRESH_HERTZ = 60;

/// "No wake is needed": the game's timer is stopped and no picture waits.
inline constexpr double NEVER = std::numeric_limits<double>::infinity();

/// What one wake did, and what the front end is to do.
struct PacerWake {
  int cycles = 0;         ///< game cycles run by this wake
  bool frameDue = false;  ///< present the picture now
  double nextMs = NEVER;  ///< when to wake again, on the clock the wake was given
};

class Pacer {
 public:
  explicit Pacer(Game& game) : game_(game) {}

  /// The game's timer, as GameHost::StartTimer and StopTimer ask for it: the first cycle is a
  /// period after `nowMs`, in place of any schedule running.
  void Start(int periodMs, double nowMs);
  void Stop();
  /// GameHost::RepaintView: the picture changed and waits for a frame.
  void PictureChanged() { picturePending_ = true; }

  /// The refresh rate of the screen the game is shown on; 0 or less where it is not known.
  void SetRefreshRate(double hertz);
  /// The screen's refresh interval in milliseconds, where the platform gives that instead.
  void SetRefreshInterval(double intervalMs);

  /// Runs the cycles due by `nowMs`, none while a dialog is open, and says whether a frame is
  /// due. The clock never runs backwards between wakes. A platform that wakes the pacer from
  /// its frame callback, one a refresh (a browser's animation frames), says so with
  /// `atRefresh`: a changed picture is then due at once, however those callbacks jitter.
  PacerWake Wake(double nowMs, bool atRefresh = false);

  /// When the next wake is wanted, on the front end's clock; NEVER when none is.
  double NextWakeMs() const;
  /// The timer's period, 0 while it is stopped.
  int PeriodMs() const { return running_ ? periodMs_ : 0; }
  double RefreshIntervalMs() const { return refreshMs_; }
  /// A changed picture waits for its frame.
  bool PicturePending() const { return picturePending_; }

 private:
  Game& game_;
  bool running_ = false;
  int periodMs_ = 0;
  double nextCycleMs_ = 0;
  bool picturePending_ = false;
  double refreshMs_ = 1000 / DEFAULT_REFRESH_HERTZ;
  double nextFrameMs_ = -NEVER;  ///< the earliest refresh the next frame may take
};

}  // namespace vennaloop
