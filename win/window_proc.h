// window_proc.h: the window procedure that hands a window's messages to the object that created
// it, passed as CreateWindowExW's last argument. The object keeps its handle in `hwnd_` from
// WM_NCCREATE to WM_NCDESTROY and answers the messages in Handle(); it names this procedure a
// friend.
#pragma once

#include <windows.h>

namespace vennaloop::win {

template <typename Window>
LRESULT CALLBACK ObjectWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  // Messages before WM_NCCREATE, and after the object let go of its window, are the system's.
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return self->Handle(message, wParam, lParam);
}

}  // namespace vennaloop::win
