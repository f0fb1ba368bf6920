// main_frame.h: the program's top-level window: a caption "Vennaloop", a sizing border, a sunken
// client edge and no menu bar, with the game's view as its only child, filling the client area
// and keeping the keyboard focus.
#pragma once

#include <windows.h>

#include "win/game_window.h"
#include "win/window_proc.h"

namespace vennaloop::win {

class MainFrame {
 public:
  static bool RegisterWindowClass(HINSTANCE instance);

  MainFrame() = default;
  MainFrame(const MainFrame&) = delete;
  MainFrame& operator=(const MainFrame&) = delete;

  /// Creates the frame and its view, sized for the title on the primary screen within its work
  /// area, and shows it whatever the program was started with; false when either window could not
  /// be made.
  bool Create(HINSTANCE instance);

  HWND hwnd() const { return hwnd_; }
  GameWindow& view() { return view_; }

 private:
  template <typename Window>
  friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  GameWindow view_;
};

}  // namespace vennaloop::win
