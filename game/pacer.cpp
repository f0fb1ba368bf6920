// pacer.cpp: the cycles due by a wake, and the frames kept to one a refresh.
#include "game/pacer.h"

#include <algorithm>
#include <cmath>

#include "game/game.h"

namespace vennaloop {
namespace {

// Timers and animation frames come a little early or late. A frame may take a refresh that is
// up to a quarter of an interval early, so such jitter never costs a frame, while frames still
// keep to one a refresh on average.
constexpr double REFRESH_SLACK = 0.25;

}  // namespace

void Pacer::Start(int periodMs, double nowMs) {
  running_ = true;
  periodMs_ = std::clamp(periodMs, MIN_TIMER_PERIOD_MS, MAX_TIMER_PERIOD_MS);
  nextCycleMs_ = nowMs + periodMs_;
}

void Pacer::Stop() {
  running_ = false;
}

void Pacer::SetRefreshRate(double hertz) {
  SetRefreshInterval(1000 / (hertz > 0 ? hertz : DEFAULT_REFRESH_HERTZ));
}

void Pacer::SetRefreshInterval(double intervalMs) {
  if (!(intervalMs > 0)) return;  // no reading, or not a number: keep the last
  refreshMs_ = std::clamp(intervalMs, MIN_REFRESH_INTERVAL_MS, MAX_REFRESH_INTERVAL_MS);
}

PacerWake Pacer::Wake(double nowMs, bool atRefresh) {
  PacerWake wake;
  if (running_ && game_.DialogOpen()) {
    // Frozen: no backlog gathers while the player reads, and the first cycle after the dialog
    // comes at most a period after it closed.
    nextCycleMs_ = nowMs + periodMs_;
  } else if (running_) {
    // Cycles older than the catch-up limit are dropped, keeping the timer's phase; the latest
    // one due still runs, however late.
    const double oldest = nowMs - MAX_CATCH_UP_MS;
    if (nextCycleMs_ < oldest) {
      nextCycleMs_ += std::ceil((oldest - nextCycleMs_) / periodMs_) * periodMs_;
      if (nextCycleMs_ > nowMs) nextCycleMs_ -= periodMs_;
    }
    while (running_ && nextCycleMs_ <= nowMs && !game_.DialogOpen()) {
      nextCycleMs_ += periodMs_;
      game_.GameTick();  // a speed key or a new stage starts the timer again, from now
      ++wake.cycles;
    }
  }
  if (picturePending_ && (atRefresh || nowMs >= nextFrameMs_ - refreshMs_ * REFRESH_SLACK)) {
    wake.frameDue = true;
    picturePending_ = false;
    // The next frame takes the next refresh; a late one starts a fresh count.
    nextFrameMs_ = std::max(nextFrameMs_, nowMs) + refreshMs_;
  }
  wake.nextMs = NextWakeMs();
  return wake;
}

double Pacer::NextWakeMs() const {
  double next = running_ ? nextCycleMs_ : NEVER;
  if (picturePending_) next = std::min(next, nextFrameMs_ - refreshMs_ * REFRESH_SLACK);
  return next;
}

}  // namespace vennaloop
