// main_frame.cpp: the main frame's creation, accelerators, focus and command routing.
#include "app/main_frame.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QResizeEvent>

#include "app/accelerators.h"
#include "app/app_info.h"
#include "app/child_view.h"
#include "app/key_map.h"
#include "app/vennaloop_app.h"

namespace vennaloop {

CMainFrame::CMainFrame() : view_(new CChildView(this)) {
  setWindowTitle(QString::fromUtf8(kAppName));
  setCentralWidget(view_);
  setFocusProxy(view_);
  // Accelerators are translated before the view's key-down handler runs.
  view_->installEventFilter(this);
  view_->setFocus(Qt::OtherFocusReason);
}

bool CMainFrame::OnCmdMsg(int command) {
  if (view_->OnCmdMsg(command)) return true;
  if (auto* app = dynamic_cast<CVennaloopApp*>(QCoreApplication::instance()))
    return app->OnCmdMsg(command);
  return false;
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const int command = TranslateAccelerator(VirtualKeyOf(*key, PlatformHasXkbKeycodes()),
                                             key->modifiers() & ~Qt::KeypadModifier);
    if (command != 0) {
      lastAcceleratorCommand_ = command;
      OnCmdMsg(command);
      return true;  // an accelerator key never reaches the view
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::focusInEvent(QFocusEvent* event) {
  QMainWindow::focusInEvent(event);
  view_->setFocus(event->reason());
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // With no client area left, the main window's layout parks the view out of sight at its old
  // size, picture and all. The view follows the client area down to nothing instead, as it
  // does at every other size, and so gives its buffer up.
  if (rect().isEmpty()) view_->setGeometry(rect());
}

}  // namespace vennaloop
