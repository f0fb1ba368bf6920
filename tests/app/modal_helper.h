// modal_helper.h: lets a test act on a modal dialog from inside its event loop, the way a player
// would, and wait for window events without sleeping blindly.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace vennaloop::apptest {

/// Runs `action` on the modal dialog as soon as one is up. Gives up after `timeoutMs` so that a
/// dialog that never shows fails its test instead of hanging it; cancels a dialog still up two
/// seconds after the action.
inline void WhenModalShows(std::function<void(QDialog*)> action, int timeoutMs = 5000) {
  auto* poll = new QTimer;
  auto* started = new int(0);
  poll->setInterval(1);
  QObject::connect(poll, &QTimer::timeout, [poll, started, action, timeoutMs] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        dialog && dialog->isVisible()) {
      poll->stop();
      poll->deleteLater();
      delete started;
      action(dialog);
      // A dialog the action failed to close would hang its test: close it after a while, so
      // that the test fails instead.
      QTimer::singleShot(2000, dialog, [dialog] {
        if (dialog->isVisible()) dialog->reject();
      });
    } else if (++*started > timeoutMs) {
      poll->stop();
      poll->deleteLater();
      delete started;
    }
  });
  poll->start();
}

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
