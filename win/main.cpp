// main.cpp: the Windows program's entry: the frame and its view, and the one message loop, which
// also serves the dialog that is up, if any.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <timeapi.h>

#include "win/main_frame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using vennaloop::win::MainFrame;
  // Themed controls in the dialogs (the manifest asks for common controls 6).
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  // The game's timer asks for periods down to 1 ms; the system's default tick is 15.6 ms.
  timeBeginPeriod(1);

  MainFrame frame;
  if (!MainFrame::RegisterWindowClass(instance) || !frame.Create(instance)) {
    timeEndPeriod(1);
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // The dialog that is up takes its keys as a dialog does: Tab, Enter, Esc.
    if (HWND dialog = frame.view().dialog(); dialog && IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  timeEndPeriod(1);
  return static_cast<int>(message.wParam);
}
