// main_window.cpp: the main window and its opening.
#include "app/main_window.h"

#include <QGuiApplication>
#include <QScreen>

#include "app/game_view.h"
#include "app/window_room.h"
#include "ui/texts.h"
#include "ui/window_fit.h"

namespace vennaloop {

namespace {

// The window's client edge, the view's and the title overlay's each take 2 pixels on every side
// of the title's own area.
constexpr int EDGES = 3 * 2 * 2;

}  // namespace

MainWindow::MainWindow() : view_(new GameView(this)) {
  setWindowTitle(QString::fromUtf8(APP_NAME));
  // A top-level frame: its sunken edge is the window's client edge, with the view's inside it.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setFocusProxy(view_);
  view_->setFocus(Qt::OtherFocusReason);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  // The view fills the client area, down to nothing when the edge leaves no room.
  const QRect client = contentsRect();
  view_->setGeometry(QRect(client.topLeft(), client.size().expandedTo(QSize(0, 0))));
}

MainWindow* OpenMainWindow() {
  auto* window = new MainWindow;
  window->setAttribute(Qt::WA_DeleteOnClose);
  // Qt counts logical pixels, which the screen's scale turns into device pixels itself.
  PixelSize room{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize free = ClientRoom(*screen);
    room = {free.width(), free.height()};
  }
  const PixelSize size = InitialClientSize({EDGES, EDGES}, 1, room);
  window->resize(size.width, size.height);
  window->show();
  window->view()->setFocus(Qt::ActiveWindowFocusReason);
  return window;
}

}  // namespace vennaloop
