// main_frame.cpp: the frame's creation, layout and focus.
#include "win/main_frame.h"

#include <climits>

#include "ui/texts.h"
#include "ui/window_fit.h"
#include "win/dialog_template.h"
#include "win/dpi.h"
#include "win/wide_text.h"

namespace vennaloop::win {

namespace {

constexpr wchar_t CLASS_NAME[] = L"VennaloopFrame";
constexpr DWORD FRAME_STYLE = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD FRAME_EX_STYLE = WS_EX_CLIENTEDGE;
/// The child id a frame gives the view that fills its client area.
constexpr int VIEW_ID = 0xE900;

// The outer size of the frame whose client area the shared rule gives: the title inside the
// view's and the overlay's sunken edges, at the screen's scale, within the work area.
SIZE InitialSize(HWND frame) {
  const UINT dpi = GetDpiForWindow(frame);
  const int edge = 2 * GetSystemMetricsForDpi(SM_CXEDGE, dpi);
  // What the frame's caption, borders and client edge take around a client area.
  RECT around{0, 0, 0, 0};
  AdjustWindowRectExForDpi(&around, FRAME_STYLE, FALSE, FRAME_EX_STYLE, dpi);
  const PixelSize decoration{around.right - around.left, around.bottom - around.top};
  PixelSize room{INT_MAX / 2, INT_MAX / 2};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(frame, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    room = {monitor.rcWork.right - monitor.rcWork.left - decoration.width,
            monitor.rcWork.bottom - monitor.rcWork.top - decoration.height};
  }
  const PixelSize client = InitialClientSize({2 * edge, 2 * edge}, DpiScale(dpi), room);
  return {client.width + decoration.width, client.height + decoration.height};
}

}  // namespace

bool MainFrame::RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = ObjectWindowProc<MainFrame>;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(ICON_RESOURCE_ID));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ICON_RESOURCE_ID),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = CLASS_NAME;
  return RegisterClassExW(&windowClass) != 0 && GameWindow::RegisterWindowClasses(instance);
}

bool MainFrame::Create(HINSTANCE instance) {
  const std::wstring caption = Widen(APP_NAME);
  CreateWindowExW(FRAME_EX_STYLE, CLASS_NAME, caption.c_str(), FRAME_STYLE, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
  if (!hwnd_) return false;
  const SIZE size = InitialSize(hwnd_);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd_, SW_SHOW);
  UpdateWindow(hwnd_);
  return true;
}

LRESULT MainFrame::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return view_.Create(hwnd_, VIEW_ID) ? 0 : -1;
    case WM_SIZE:
      // The view fills the client area; minimised, the client area is empty and so is the view.
      if (view_.hwnd()) MoveWindow(view_.hwnd(), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS:
      // Keys always go to the view, whatever part of the frame was clicked.
      if (view_.hwnd()) SetFocus(view_.hwnd());
      return 0;
    case WM_DPICHANGED: {
      // Moved to a screen of another scale: the size Windows suggests keeps the physical size.
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace vennaloop::win
