// spin_until.h: waits for window events without sleeping blindly.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>

namespace vennaloop::apptest {

/// Handles events as they come until `done` holds or `timeoutMs` passed; true if it holds.
/// Unlike a polling wait, every timer event is handled as soon as it is due.
template <typename Predicate>
bool SpinUntil(Predicate done, int timeoutMs = 5000) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
  }
  return true;
}

}  // namespace vennaloop::apptest
