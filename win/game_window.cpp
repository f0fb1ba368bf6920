// game_window.cpp: the view's size, paint, key and timer handlers, and what the game asks of its
// window.
#include "win/game_window.h"

#include <imm.h>

#include <algorithm>

#include "ui/key_table.h"
#include "view/renderer.h"
#include "win/dpi.h"
#include "win/key_message.h"

namespace vennaloop::win {

namespace {

constexpr wchar_t CLASS_NAME[] = L"VennaloopView";
constexpr UINT_PTR GAME_TIMER = 1;

// The pacer's clock: the performance counter, in milliseconds.
double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000;
  }();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

}  // namespace

bool GameWindow::RegisterWindowClasses(HINSTANCE instance) {
  // Redrawn whole when resized; no background brush, since the picture covers the client area,
  // and no cursor of its own.
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = ObjectWindowProc<GameWindow>;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = CLASS_NAME;
  return RegisterClassExW(&windowClass) != 0 && TitleOverlay::RegisterWindowClass(instance);
}

GameWindow::GameWindow() : game_(*this) {}

GameWindow::~GameWindow() {
  dialog_.reset();
  title_.reset();
  if (hwnd_) DestroyWindow(hwnd_);
}

bool GameWindow::Create(HWND frame, int childId) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(frame, GWLP_HINSTANCE));
  // The sunken edge is the view's own; it never draws over the title, which shows the picture
  // itself.
  CreateWindowExW(WS_EX_CLIENTEDGE, CLASS_NAME, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                  0, 0, frame, reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)), instance,
                  this);
  return hwnd_ != nullptr;
}

LRESULT GameWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_SIZE:
      OnSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the client area
    case WM_TIMER:
      if (wParam == GAME_TIMER) {
        WakePacer();
        return 0;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKey(wParam, lParam)) return 0;
      break;
    case WM_DIALOG_CLOSED:
      DialogClosed(static_cast<DialogAnswer>(wParam));
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd_, GAME_TIMER);
      dialog_.reset();
      title_.reset();
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

// ---- Window handlers ---------------------------------------------------------------------------

void GameWindow::OnCreate() {
  // The view takes keys, not text: no input method composes on it.
  ImmAssociateContext(hwnd_, nullptr);
  FollowDisplay();
  game_.Start();
  title_ = std::make_unique<TitleOverlay>(
      hwnd_, [this]() -> const PixelBuffer& { return PreparePicture(); });
}

void GameWindow::OnSize(int width, int height) {
  PreparePicture();  // a new size is drawn whole, and the whole view is painted anyway
  if (title_) title_->CoverView(width, height);
  FollowDisplay();  // moved to another display, the window takes a new size for its scale
}

const PixelBuffer& GameWindow::PreparePicture() {
  // Client coordinates are the screen's pixels (the program is per-monitor DPI aware), so the
  // picture reaches the window one to one at any scale.
  RECT client{};
  GetClientRect(hwnd_, &client);
  // A size that could not be allocated is not tried again until the size changes.
  if (client.right != pictureWidth_ || client.bottom != pictureHeight_) {
    pictureWidth_ = client.right;
    pictureHeight_ = client.bottom;
    picture_.Resize(pictureWidth_, pictureHeight_);  // none for an empty client area
  }
  const double scale = DpiScale(GetDpiForWindow(hwnd_));
  const PictureUpdate update = updater_.Update(picture_, CellSide(game_.zoom, scale));
  for (const PixelRect& band : update.flush) {
    const RECT rect{band.left, band.top, band.right, band.bottom};
    InvalidateRect(hwnd_, &rect, FALSE);
  }
  return picture_;
}

void GameWindow::CopyToWindow(HDC dc, const RECT& rect) const {
  const int left = std::max(0L, rect.left), top = std::max(0L, rect.top);
  const int right = std::min(static_cast<int>(rect.right), picture_.Width());
  const int bottom = std::min(static_cast<int>(rect.bottom), picture_.Height());
  if (left >= right || top >= bottom) return;
  // The rows of the rectangle as a top-down image of their own: 0xFFRRGGBB words are the blue,
  // green, red and unused bytes of a 32-bit DIB.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture_.Width();
  info.bmiHeader.biHeight = -(bottom - top);
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  const std::uint32_t* rows = picture_.Pixels() + static_cast<std::size_t>(top) * picture_.Width();
  SetDIBitsToDevice(dc, left, top, right - left, bottom - top, left, 0, 0, bottom - top, rows,
                    &info, DIB_RGB_COLORS);
}

void GameWindow::OnPaint() {
  // What the game changed since the last frame joins what Windows asks for.
  PreparePicture();
  HRGN asked = CreateRectRgn(0, 0, 0, 0);
  const bool region = asked && GetUpdateRgn(hwnd_, asked, FALSE) > NULLREGION;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  if (picture_.Pixels()) {
    // Each rectangle of the asked region is copied alone, so a frame's bands copy only their rows.
    const DWORD size = region ? GetRegionData(asked, 0, nullptr) : 0;
    regionData_.resize(size);
    auto* data = reinterpret_cast<RGNDATA*>(regionData_.data());
    if (size > 0 && GetRegionData(asked, size, data) == size) {
      const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
      for (DWORD i = 0; i < data->rdh.nCount; ++i)
        CopyToWindow(dc, rects[i]);
    } else {
      CopyToWindow(dc, paint.rcPaint);
    }
  }
  EndPaint(hwnd_, &paint);
  if (asked) DeleteObject(asked);
}

bool GameWindow::OnKey(WPARAM wParam, LPARAM lParam) {
  return PressKey(game_, KeyPressOf(wParam, lParam, HeldModifiers()), KeySurface::Window);
}

void GameWindow::DialogClosed(DialogAnswer answer) {
  dialog_.reset();
  SetFocus(hwnd_);
  game_.DialogClosed(answer);
}

// ---- GameHost ----------------------------------------------------------------------------------

void GameWindow::StartTimer(int periodMs) {
  pacer_.Start(periodMs, NowMs());
  ScheduleWake();
}

void GameWindow::StopTimer() {
  pacer_.Stop();
  ScheduleWake();
}

void GameWindow::RepaintView() {
  pacer_.PictureChanged();
  ScheduleWake();
}

// ---- Pacing ------------------------------------------------------------------------------------

void GameWindow::WakePacer() {
  waking_ = true;
  const PacerWake wake = pacer_.Wake(NowMs());
  waking_ = false;
  if (wake.frameDue) {
    PreparePicture();
    UpdateWindow(hwnd_);
  }
  ScheduleWake();
}

void GameWindow::ScheduleWake() {
  if (waking_) return;
  // One repeating timer at the pace the game needs: a cycle's period or a refresh, whichever
  // is shorter, but no sooner than the system's USER_TIMER_MINIMUM (10 ms); faster speeds run
  // several cycles a wake, which the pacer counts from the clock. Setting the timer anew on
  // every wake would let its messages fall behind.
  UINT interval = 0;
  if (pacer_.NextWakeMs() != NEVER) {
    const double pace = pacer_.PeriodMs() > 0
                            ? std::min<double>(pacer_.PeriodMs(), pacer_.RefreshIntervalMs())
                            : pacer_.RefreshIntervalMs();
    interval = std::max<UINT>(USER_TIMER_MINIMUM, static_cast<UINT>(pace));
  }
  if (interval == wakeInterval_) return;
  wakeInterval_ = interval;
  if (interval == 0) {
    KillTimer(hwnd_, GAME_TIMER);
  } else {
    SetTimer(hwnd_, GAME_TIMER, interval, nullptr);
  }
}

void GameWindow::FollowDisplay() {
  HDC dc = GetDC(hwnd_);
  const int hertz = dc ? GetDeviceCaps(dc, VREFRESH) : 0;
  if (dc) ReleaseDC(hwnd_, dc);
  // 0 and 1 stand for the hardware's default rate, which the system does not tell.
  pacer_.SetRefreshRate(hertz > 1 ? hertz : 0);
}

bool GameWindow::TitleExists() {
  return title_ != nullptr;
}

void GameWindow::RepaintTitle() {
  if (title_) title_->Repaint();
}

void GameWindow::CloseTitle() {
  title_.reset();
  // What the title covered is the view's to paint again, from the picture.
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void GameWindow::OpenDialog(const DialogRequest& request) {
  HWND frame = GetParent(hwnd_);
  dialog_ = LayoutDialog::Open(request, frame, hwnd_);
  // A dialog that could not be made is answered as closed, after this call.
  if (!dialog_) PostMessageW(hwnd_, WM_DIALOG_CLOSED, static_cast<WPARAM>(DialogAnswer::Cancel), 0);
}

bool GameWindow::IsShiftDown() {
  return HeldModifiers().shift;
}

bool GameWindow::IsCtrlDown() {
  return HeldModifiers().ctrl;
}

}  // namespace vennaloop::win
