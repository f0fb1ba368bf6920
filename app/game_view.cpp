// game_view.cpp: the game view's size, paint, key and timer handlers, and what the game asks of
// its window.
#include "app/game_view.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/key_event.h"
#include "ui/key_table.h"
#include "view/renderer.h"

namespace vennaloop {

GameView::GameView(QWidget* parent)
    : QFrame(parent),
      // X11's and the offscreen backing store is one image that keeps every pixel until it is
      // painted again; Wayland's swaps buffers and clears what is repainted in a buffer with
      // alpha, so there every repainted pixel must come from the picture.
      persistentStore_(QGuiApplication::platformName() == QLatin1String("xcb") ||
                       QGuiApplication::platformName() == QLatin1String("offscreen")),
      game_(*this),
      xkbKeycodes_(PlatformHasXkbKeycodes()) {
  // A sunken edge; inside it the picture covers every pixel, so nothing is erased beforehand.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);

  clock_.start();
  game_.Start();
  title_ = std::make_unique<TitleOverlay>(this);  // hidden until the first size
}

GameView::~GameView() {
  wakeTimer_.stop();
}

// ---- Window handlers ---------------------------------------------------------------------------

void GameView::PreparePicture() {
  // The picture holds device pixels, so it reaches the screen one to one at any screen scale.
  const qreal ratio = devicePixelRatioF();
  const QSize client = contentsRect().size();
  const QSize device(static_cast<int>(std::lround(client.width() * ratio)),
                     static_cast<int>(std::lround(client.height() * ratio)));
  // A size that could not be allocated is not tried again until the size changes.
  if (device != pictureSize_) {
    pictureSize_ = device;
    picture_.Resize(device.width(), device.height());  // none for an empty client area
  }
#ifdef VENNALOOP_WHOLE_FRAMES
  // Only in the benchmark's baseline program (bench/CMakeLists.txt): every frame rendered and
  // flushed whole, as the game once drew. The game itself never builds this.
  updater_.Invalidate();
#endif
  const PictureUpdate update = updater_.Update(picture_, CellSide(game_.zoom, ratio));
  // Past a few frames' worth of squares, copying the whole picture once is cheaper.
  constexpr std::size_t MANY_SQUARES = 1 << 16;
  if (update.full || !picture_.Pixels() || unpaintedSquares_.size() > MANY_SQUARES) {
    wholeUnpainted_ = true;
    unpaintedSquares_.clear();
  } else if (!wholeUnpainted_) {
    unpaintedSquares_.insert(unpaintedSquares_.end(), update.drawn.begin(), update.drawn.end());
  }
  // Device pixels to the client area's, rounded outward.
  const QPoint origin = contentsRect().topLeft();
  flushRects_.clear();
  bool banded = true;  // each below the last, as row bands are: one region of them at once
  for (const PixelRect& r : update.flush) {
    const int left = static_cast<int>(std::floor(r.left / ratio));
    const int top = static_cast<int>(std::floor(r.top / ratio));
    const int right = static_cast<int>(std::ceil(r.right / ratio));
    const int bottom = static_cast<int>(std::ceil(r.bottom / ratio));
    const QRect rect = QRect(left, top, right - left, bottom - top).translated(origin);
    if (!flushRects_.empty() && rect.top() <= flushRects_.back().bottom()) banded = false;
    flushRects_.push_back(rect);
  }
  if (banded) {
    QRegion region;
    region.setRects(flushRects_.data(), static_cast<int>(flushRects_.size()));
    unshown_ += region;
  } else {
    for (const QRect& rect : flushRects_)
      unshown_ += rect;
  }
}

void GameView::PresentFrame() {
  PreparePicture();
  if (unshown_.isEmpty()) return;
  presenting_ = unshown_;
  repaint(unshown_);
  presenting_ = QRegion();
}

bool GameView::CopyChangedSquares() {
  if (wholeUnpainted_ || !persistentStore_) return false;
  QBackingStore* store = window()->backingStore();
  QPaintDevice* device = store ? store->paintDevice() : nullptr;
  const qreal ratio = devicePixelRatioF();
  if (!device || device->devType() != QInternal::Image || ratio != std::floor(ratio)) return false;
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return false;
  // Opaque 0xFFRRGGBB is the same pixel in all three formats.
  const QPoint origin = mapTo(window(), contentsRect().topLeft()) * ratio;
  const QRect bounds = image->rect().translated(-origin);
  for (const PixelRect& square : unpaintedSquares_) {
    const QRect r =
        QRect(square.left, square.top, square.right - square.left, square.bottom - square.top) &
        bounds;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      const std::uint32_t* from =
          picture_.Pixels() + static_cast<std::size_t>(y) * picture_.Width();
      // Through the const line: the store's image is written in place, never detached.
      auto* to = reinterpret_cast<std::uint32_t*>(
                     const_cast<uchar*>(image->constScanLine(origin.y() + y))) +
                 origin.x();
      std::copy(from + r.left(), from + r.left() + r.width(), to + r.left());
    }
  }
  unpaintedSquares_.clear();
  return true;
}

void GameView::FollowScreen() {
  const QScreen* shown = screen();
  pacer_.SetRefreshRate(shown ? shown->refreshRate() : 0);
}

void GameView::WakePacer() {
  waking_ = true;
  const PacerWake wake = pacer_.Wake(NowMs());
  waking_ = false;
  if (wake.frameDue) PresentFrame();
  ScheduleWake();
}

void GameView::ScheduleWake() {
  if (waking_) return;
  const double next = pacer_.NextWakeMs();
  if (next == NEVER) {
    wakeTimer_.stop();
    return;
  }
  // Qt's precise timers count whole milliseconds; a wake a little late runs what is due then.
  const double delay = std::max(0.0, std::ceil(next - NowMs()));
  wakeTimer_.start(static_cast<int>(std::min(delay, 1e6)), Qt::PreciseTimer, this);
}

void GameView::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  PreparePicture();  // a new size is drawn whole, and the whole view is painted anyway
  if (title_) {
    title_->setGeometry(contentsRect());
    title_->raise();
    title_->show();
  }
}

void GameView::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  FollowScreen();
  // Moved to a screen of another scale, the window keeps its size but not its device pixels.
  if (QWindow* window = this->window()->windowHandle(); window && !watchingScreen_) {
    watchingScreen_ = true;
    connect(window, &QWindow::screenChanged, this, [this] {
      FollowScreen();
      PreparePicture();
      wholeUnpainted_ = true;  // the store may be made anew for the new screen
      update();
    });
  }
}

void GameView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // The game repaints the client area alone; the sunken edge only needs drawing when the
  // window system asks for more.
  if (!contentsRect().contains(event->rect())) drawFrame(&painter);
  unshown_ -= event->region();
  if (!picture_.Pixels()) return;
  // A frame's own repaint needs only the squares that changed: the rest of its rows already
  // hold the picture. Qt merges whatever else is due into the same paint (the title closing, a
  // new size or screen), and such a request may cross the frame's rows; then every asked pixel
  // is copied.
  const QRegion asked = event->region() & contentsRect();
  const bool framesOwn = !presenting_.isEmpty() && (asked - presenting_).isEmpty();
  if (framesOwn && CopyChangedSquares()) return;
  if (asked.isEmpty()) return;
  // The image borrows the picture's pixels, opaque 0xFFRRGGBB as Format_RGB32 wants them, and
  // only the asked-for parts are copied out of it.
  const qreal ratio = devicePixelRatioF();
  const QImage image(reinterpret_cast<const uchar*>(picture_.Pixels()), picture_.Width(),
                     picture_.Height(), picture_.Width() * 4, QImage::Format_RGB32);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect client = contentsRect();
  for (const QRect& target : asked) {
    const QRectF source((target.left() - client.left()) * ratio,
                        (target.top() - client.top()) * ratio, target.width() * ratio,
                        target.height() * ratio);
    painter.drawImage(QRectF(target), image, source);
  }
  if ((QRegion(client) - asked).isEmpty()) {
    wholeUnpainted_ = false;
    unpaintedSquares_.clear();
  }
}

void GameView::keyPressEvent(QKeyEvent* event) {
  if (!PressKey(game_, KeyPressOf(*event, xkbKeycodes_).view(), KeySurface::Window)) {
    QFrame::keyPressEvent(event);  // the window's chords, the system's keys and the rest
    return;
  }
  event->accept();
}

void GameView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == wakeTimer_.timerId()) {
    WakePacer();
  } else {
    QFrame::timerEvent(event);
  }
}

// ---- GameHost ----------------------------------------------------------------------------------

void GameView::StartTimer(int periodMs) {
  pacer_.Start(periodMs, NowMs());
  ScheduleWake();
}

void GameView::StopTimer() {
  pacer_.Stop();
  ScheduleWake();
}

void GameView::RepaintView() {
  pacer_.PictureChanged();
  ScheduleWake();
}

bool GameView::TitleExists() {
  return title_ != nullptr;
}

void GameView::RepaintTitle() {
  if (title_) title_->repaint();
}

void GameView::CloseTitle() {
  if (!title_) return;
  title_->hide();
  title_.reset();
  // The store holds the title's pixels, not the picture, even where the frame's rows lie.
  wholeUnpainted_ = true;
}

void GameView::OpenDialog(const DialogRequest& request) {
  dialog_ = new LayoutDialog(request, this);
  dialog_->openModal([this, dialog = dialog_](DialogAnswer answer) {
    dialog->deleteLater();
    dialog_ = nullptr;
    ReturnFocus();
    game_.DialogClosed(answer);  // may open the next dialog
  });
}

bool GameView::IsShiftDown() {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

bool GameView::IsCtrlDown() {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

void GameView::ReturnFocus() {
  setFocus(Qt::OtherFocusReason);
  // Not every desktop gives the activation back to the main window when a dialog closes.
  window()->activateWindow();
}

}  // namespace vennaloop
