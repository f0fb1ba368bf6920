// child_view.cpp: the game view's creation, size, paint, key and timer handlers, and the host
// operations the game calls.
#include "app/child_view.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

#include "app/about_dlg.h"
#include "app/dlg_about_author.h"
#include "app/dlg_next_stage.h"
#include "app/key_map.h"
#include "view/cell_palette.h"
#include "view/renderer.h"

namespace vennaloop {

namespace {

constexpr int kMinPeriodMs = 1;
constexpr int kMaxPeriodMs = 300;

}  // namespace

CChildView::CChildView(QWidget* parent)
    : QFrame(parent), game_(*this), xkbKeycodes_(PlatformHasXkbKeycodes()) {
  // A sunken edge; inside it the paint covers every pixel, so nothing is erased beforehand.
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);

  BuildCellPalette();
  game_.Start();
  title_ = std::make_unique<CTitleWnd>(this);  // hidden until the first size
}

CChildView::~CChildView() {
  timer_.stop();
}

bool CChildView::OnCmdMsg(int) {
  return false;
}

// ---- Window handlers ---------------------------------------------------------------------------

QSize CChildView::DeviceClientSize() const {
  // The buffer holds device pixels, so the picture is copied one to one on any screen scale.
  const qreal ratio = devicePixelRatioF();
  const QSize client = contentsRect().size();
  return QSize(static_cast<int>(std::lround(client.width() * ratio)),
               static_cast<int>(std::lround(client.height() * ratio)));
}

void CChildView::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  const QSize size = DeviceClientSize();
  buffer_.Resize(size.width(), size.height());  // no buffer for an empty client area
  pictureCurrent_ = false;
  if (title_) {
    title_->setGeometry(contentsRect());
    title_->raise();
    title_->show();
  }
}

void CChildView::PreparePicture() {
  if (pictureCurrent_ && renderedZoom_ == game_.zoom &&
      std::equal(renderedCells_.begin(), renderedCells_.end(), std::begin(CellMap)) &&
      std::equal(renderedPalette_.begin(), renderedPalette_.end(), std::begin(CellPalette)))
    return;
  RenderView(buffer_, game_.zoom);
  std::copy(std::begin(CellMap), std::end(CellMap), renderedCells_.begin());
  std::copy(std::begin(CellPalette), std::end(CellPalette), renderedPalette_.begin());
  renderedZoom_ = game_.zoom;
  pictureCurrent_ = true;
}

void CChildView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // The game repaints the client area alone; the sunken edge only needs drawing when the
  // window system asks for more.
  if (!contentsRect().contains(event->rect())) drawFrame(&painter);
  // Moved to a screen of another scale, the window keeps its size but not its device pixels.
  if (buffer_.Pixels() && DeviceClientSize() != QSize(buffer_.Width(), buffer_.Height())) {
    const QSize size = DeviceClientSize();
    buffer_.Resize(size.width(), size.height());
    pictureCurrent_ = false;
  }
  if (!buffer_.Pixels()) return;
  PreparePicture();
  // The image borrows the buffer's pixels: 0x00RRGGBB is exactly Format_RGB32.
  QImage picture(reinterpret_cast<const uchar*>(buffer_.Pixels()), buffer_.Width(),
                 buffer_.Height(), buffer_.Width() * 4, QImage::Format_RGB32);
  picture.setDevicePixelRatio(devicePixelRatioF());
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(contentsRect().topLeft(), picture);
}

void CChildView::keyPressEvent(QKeyEvent* event) {
  // With Alt and without Ctrl a key is a system key, which never reaches the key-down handler.
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if ((modifiers & Qt::AltModifier) && !(modifiers & Qt::ControlModifier)) {
    QFrame::keyPressEvent(event);
    return;
  }
  if (const int virtualKey = VirtualKeyOf(*event, xkbKeycodes_)) game_.KeyDown(virtualKey);
  event->accept();
}

void CChildView::timerEvent(QTimerEvent* event) {
  if (event->timerId() == timer_.timerId())
    game_.GameTick();
  else
    QFrame::timerEvent(event);
}

// ---- GameHost ----------------------------------------------------------------------------------

void CChildView::StartTimer(int periodMs) {
  timerPeriod_ = std::clamp(periodMs, kMinPeriodMs, kMaxPeriodMs);
  timer_.start(timerPeriod_, Qt::PreciseTimer, this);
}

void CChildView::StopTimer() {
  timer_.stop();
}

void CChildView::RepaintView() {
  repaint(contentsRect());  // the client area: the sunken edge stays as it is
}

bool CChildView::TitleExists() {
  return title_ != nullptr;
}

void CChildView::RepaintTitle() {
  if (title_) title_->repaint();
}

void CChildView::CloseTitle() {
  if (!title_) return;
  title_->hide();
  title_.reset();
}

DialogAnswer CChildView::RunStageResult(const StageResult& result) {
  DialogAnswer answer;
  {
    CDlgNextStage dialog(this);
    dialog.SetStageOutcome(static_cast<int>(result.outcome));
    dialog.elapsedCycles = result.elapsedCycles;
    dialog.skippedCycle = result.skippedCycle;
    dialog.currentHitPoints = result.hitPoints;
    dialog.nextStageAliens = result.nextStageAliens;
    answer = dialog.DoModal() == IDOK ? DialogAnswer::Ok : DialogAnswer::Cancel;
  }
  ReturnFocus();
  return answer;
}

void CChildView::ShowAbout() {
  CAboutDlg(this).DoModal();
  ReturnFocus();
}

void CChildView::ShowAuthorProfile() {
  CDlgAboutAuthor(this).DoModal();
  ReturnFocus();
}

bool CChildView::IsShiftDown() {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}

bool CChildView::IsCtrlDown() {
  return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}

void CChildView::ReturnFocus() {
  setFocus(Qt::OtherFocusReason);
  // Not every desktop gives the activation back to the frame when a dialog closes: ask for it.
  window()->activateWindow();
}

}  // namespace vennaloop
