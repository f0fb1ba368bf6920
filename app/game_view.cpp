// game_view.cpp: the game view's size, paint, key and timer handlers, and what the game asks of
// its window.
#include "app/game_view.h"

#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/dialogs.h"
#include "app/physical_key.h"
#include "view/cell_palette.h"
#include "view/renderer.h"

namespace vennaloop {

namespace {

constexpr int MIN_PERIOD_MS = 1;
constexpr int MAX_PERIOD_MS = 300;

}  // namespace

GameView::GameView(QWidget* parent)
    : QFrame(parent), game_(*this), xkbKeycodes_(PlatformHasXkbKeycodes()) {
  // A sunken edge; inside it the picture covers every pixel, so nothing is erased beforehand.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);

  BuildCellPalette();
  game_.Start();
  title_ = std::make_unique<TitleOverlay>(this);  // hidden until the first size
}

GameView::~GameView() {
  timer_.stop();
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
  RenderView(picture_, game_.zoom);
}

void GameView::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  PreparePicture();
  if (title_) {
    title_->setGeometry(contentsRect());
    title_->raise();
    title_->show();
  }
}

void GameView::showEvent(QShowEvent* event) {
  QFrame::showEvent(event);
  // Moved to a screen of another scale, the window keeps its size but not its device pixels.
  if (QWindow* window = this->window()->windowHandle(); window && !watchingScreen_) {
    watchingScreen_ = true;
    connect(window, &QWindow::screenChanged, this, [this] {
      PreparePicture();
      update();
    });
  }
}

void GameView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // The game repaints the client area alone; the sunken edge only needs drawing when the
  // window system asks for more.
  if (!contentsRect().contains(event->rect())) drawFrame(&painter);
  if (!picture_.Pixels()) return;
  // The image borrows the picture's pixels: 0x00RRGGBB is Format_RGB32's layout.
  QImage image(reinterpret_cast<const uchar*>(picture_.Pixels()), picture_.Width(),
               picture_.Height(), picture_.Width() * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(devicePixelRatioF());
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(contentsRect().topLeft(), image);
}

void GameView::keyPressEvent(QKeyEvent* event) {
  // The window keeps its editing and pane chords, and the system its Alt keys: neither reaches
  // the game. Every other key is the game's to take or to ignore.
  const QString name = PhysicalKeyName(*event, xkbKeycodes_);
  const std::string code = name.toStdString();
  if (!KeyReachesGame(code, ModifiersOf(*event))) {
    QFrame::keyPressEvent(event);
    return;
  }
  game_.KeyDown(GameKeyOf(code));
  event->accept();
}

void GameView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == timer_.timerId())
    game_.GameTick();
  else
    QFrame::timerEvent(event);
}

// ---- GameHost ----------------------------------------------------------------------------------

void GameView::StartTimer(int periodMs) {
  timerPeriod_ = std::clamp(periodMs, MIN_PERIOD_MS, MAX_PERIOD_MS);
  timer_.start(timerPeriod_, Qt::PreciseTimer, this);
}

void GameView::StopTimer() {
  timer_.stop();
}

void GameView::RepaintView() {
  PreparePicture();
  repaint(contentsRect());  // the client area: the sunken edge stays as it is
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
}

DialogAnswer GameView::RunStageResult(const StageResult& result) {
  const DialogAnswer answer = StageResultDialog(result, this).run();
  ReturnFocus();
  return answer;
}

void GameView::ShowAbout() {
  AboutDialog(this).run();
  ReturnFocus();
}

void GameView::ShowAuthorProfile() {
  AuthorDialog(this).run();
  ReturnFocus();
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
