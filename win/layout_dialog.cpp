// layout_dialog.cpp: building, showing and closing the dialogs.
#include "win/layout_dialog.h"

#include <algorithm>
#include <string>
#include <vector>

#include "ui/dialog_layouts.h"
#include "win/dialog_template.h"
#include "win/font_choice.h"
#include "win/wide_text.h"

namespace vennaloop::win {

std::unique_ptr<LayoutDialog> LayoutDialog::Open(const DialogRequest& request, HWND owner,
                                                 HWND notify) {
  const DialogLayout& layout = DialogLayoutOf(request.kind);
  const std::vector<std::string> texts = ControlTexts(request);
  // One face for the whole dialog, which has every character of its texts where one does.
  std::wstring shown = Widen(layout.caption);
  for (const std::string& text : texts)
    shown += Widen(text);
  const std::vector<std::uint32_t> dialogTemplate =
      BuildDialogTemplate(layout, ChooseInstalledFace(layout.font.face, shown), texts);
  std::unique_ptr<LayoutDialog> dialog(new LayoutDialog(owner, notify));
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  CreateDialogIndirectParamW(instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                             owner, DialogProc, reinterpret_cast<LPARAM>(dialog.get()));
  if (!dialog->hwnd_) return nullptr;
  EnableWindow(owner, FALSE);
  ShowWindow(dialog->hwnd_, SW_SHOW);
  return dialog;
}

LayoutDialog::~LayoutDialog() {
  if (!hwnd_) return;
  EnableWindow(owner_, TRUE);
  DestroyWindow(hwnd_);
}

INT_PTR CALLBACK LayoutDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<LayoutDialog*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    self->CentreOverOwner();
    return TRUE;  // the focus goes to the first control that Tab reaches
  }
  auto* self = reinterpret_cast<LayoutDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND:
      // The button and Enter send IDOK; Esc and the close box IDCANCEL.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        self->Close(LOWORD(wParam) == IDOK ? DialogAnswer::Ok : DialogAnswer::Cancel);
        return TRUE;
      }
      break;
    case WM_NCDESTROY:
      self->hwnd_ = nullptr;
      break;
  }
  return FALSE;
}

void LayoutDialog::CentreOverOwner() {
  RECT owner, dialog;
  GetWindowRect(owner_, &owner);
  GetWindowRect(hwnd_, &dialog);
  const int width = dialog.right - dialog.left, height = dialog.bottom - dialog.top;
  int left = (owner.left + owner.right - width) / 2;
  int top = (owner.top + owner.bottom - height) / 2;
  // Kept on the owner's screen, caption first.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left =
        std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
    top =
        std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
  }
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayoutDialog::Close(DialogAnswer answer) {
  // The owner is enabled before the dialog goes, so the activation returns to it.
  EnableWindow(owner_, TRUE);
  DestroyWindow(hwnd_);
  PostMessageW(notify_, WM_DIALOG_CLOSED, static_cast<WPARAM>(answer), 0);
}

}  // namespace vennaloop::win
