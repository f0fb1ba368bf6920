// layout_dialog.h: the game's dialogs, made from ui/'s layouts as in-memory templates and shown
// modal to the game's window without a loop of their own: the owner is disabled while the dialog
// is up, the program's one message loop serves both, and the answer comes back as a message.
#pragma once

#include <windows.h>

#include <memory>

#include "game/game_host.h"
#include "ui/window_fit.h"

namespace vennaloop::win {

/// Posted to the notified window when a dialog closes; wParam is the DialogAnswer.
inline constexpr UINT WM_DIALOG_CLOSED = WM_APP + 1;

class LayoutDialog {
 public:
  /// Shows the dialog of `request` centred over `owner`, which it disables, with the focus on the
  /// first control that Tab reaches; returns at once. When the player closes it (OK or Enter:
  /// Ok; Esc or the close box: Cancel), its window is destroyed, the owner enabled again and
  /// WM_DIALOG_CLOSED posted to `notify`. Null when the dialog could not be made.
  static std::unique_ptr<LayoutDialog> Open(const DialogRequest& request, HWND owner, HWND notify);

  ~LayoutDialog();
  LayoutDialog(const LayoutDialog&) = delete;
  LayoutDialog& operator=(const LayoutDialog&) = delete;

  /// The dialog window while it is up, else null.
  HWND hwnd() const { return hwnd_; }

 private:
  LayoutDialog(HWND owner, HWND notify) : owner_(owner), notify_(notify) {}
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void CentreOverOwner();
  /// The free area of the owner's monitor.
  ScreenRect WorkArea() const;
  /// The factor the dialog would have to shrink by to fit the work area (window_fit.h).
  double FitScale() const;
  void Close(DialogAnswer answer);

  HWND hwnd_ = nullptr;
  HWND owner_;
  HWND notify_;
};

}  // namespace vennaloop::win
