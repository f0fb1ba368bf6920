// layout_dialog.cpp: building, showing and closing the dialogs.
#include "win/layout_dialog.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "ui/dialog_layouts.h"
#include "ui/window_fit.h"
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
  const std::wstring face = ChooseInstalledFace(layout.font.face, shown);
  std::unique_ptr<LayoutDialog> dialog(new LayoutDialog(owner, notify));
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE));
  // A dialog larger than the work area is made again at a smaller point size, which shrinks its
  // font and every rectangle alike, until it fits.
  for (int pointSize = layout.font.pointSize;;) {
    const std::vector<std::uint32_t> dialogTemplate =
        BuildDialogTemplate(layout, face, texts, pointSize);
    CreateDialogIndirectParamW(instance,
                               reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                               DialogProc, reinterpret_cast<LPARAM>(dialog.get()));
    if (!dialog->hwnd_) return nullptr;
    const double scale = dialog->FitScale();
    if (scale >= 1 || pointSize <= 1) break;
    DestroyWindow(dialog->hwnd_);
    dialog->hwnd_ = nullptr;
    pointSize = std::max(1, std::min(pointSize - 1, static_cast<int>(pointSize * scale)));
  }
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

ScreenRect LayoutDialog::WorkArea() const {
  ScreenRect room{INT_MIN / 4, INT_MIN / 4, INT_MAX / 2, INT_MAX / 2};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    room = {work.left, work.top, work.right - work.left, work.bottom - work.top};
  }
  return room;
}

double LayoutDialog::FitScale() const {
  RECT dialog;
  GetWindowRect(hwnd_, &dialog);
  const ScreenRect room = WorkArea();
  return DialogFitScale({dialog.right - dialog.left, dialog.bottom - dialog.top},
                        {room.width, room.height});
}

void LayoutDialog::CentreOverOwner() {
  RECT owner, dialog;
  GetWindowRect(owner_, &owner);
  GetWindowRect(hwnd_, &dialog);
  const PixelSize size{dialog.right - dialog.left, dialog.bottom - dialog.top};
  const ScreenRect ownerRect{owner.left, owner.top, owner.right - owner.left,
                             owner.bottom - owner.top};
  const ScreenRect place = PlaceDialog(ownerRect, size, WorkArea());
  SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LayoutDialog::Close(DialogAnswer answer) {
  // The owner is enabled before the dialog goes, so the activation returns to it.
  EnableWindow(owner_, TRUE);
  DestroyWindow(hwnd_);
  PostMessageW(notify_, WM_DIALOG_CLOSED, static_cast<WPARAM>(answer), 0);
}

}  // namespace vennaloop::win
