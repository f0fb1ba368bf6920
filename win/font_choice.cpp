// font_choice.cpp: stand-ins for the program's faces, and the system's list of faces.
#include "win/font_choice.h"

#include <windows.h>

#include <array>
#include <string_view>

#include "ui/faces.h"
#include "win/wide_text.h"

namespace vennaloop::win {

namespace {

struct WindowsStandIn {
  std::string_view face;
  std::array<const wchar_t*, 2> standIns;
};

// What current Windows installs: the Mincho and the UI Gothic of recent versions and of older
// ones, Times New Roman for the Century of the Latin lines, Segoe UI for the dialog face.
const WindowsStandIn WINDOWS_STAND_INS[] = {
    {FACE_MINCHO, {L"Yu Mincho", L"MS Mincho"}},
    {FACE_CENTURY, {L"Times New Roman", nullptr}},
    {FACE_UI_GOTHIC, {L"Yu Gothic UI", L"Meiryo"}},
    {FACE_SHELL_DLG, {L"Segoe UI", nullptr}},
};

int CALLBACK StopAtFirst(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

std::span<const wchar_t* const> WindowsStandIns(std::string_view face) {
  for (const WindowsStandIn& entry : WINDOWS_STAND_INS) {
    if (entry.face != face) continue;
    std::size_t count = 0;
    while (count < entry.standIns.size() && entry.standIns[count]) ++count;
    return {entry.standIns.data(), count};
  }
  return {};
}

std::wstring ChooseFace(std::string_view face,
                        const std::function<bool(const std::wstring&)>& installed) {
  const std::wstring asked = Widen(face);
  if (installed(asked)) return asked;
  for (const wchar_t* standIn : WindowsStandIns(face))
    if (installed(standIn)) return standIn;
  for (const FaceStandIn& entry : FaceStandIns()) {
    if (std::string_view(entry.face) != face) continue;
    for (const char* standIn : entry.standIns) {
      if (!standIn) break;
      if (const std::wstring wide = Widen(standIn); installed(wide)) return wide;
    }
  }
  return asked;
}

bool FaceInstalled(const std::wstring& family) {
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;  // any script
  family.copy(wanted.lfFaceName, family.size());
  HDC screen = GetDC(nullptr);
  bool found = false;
  EnumFontFamiliesExW(screen, &wanted, StopAtFirst, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

}  // namespace vennaloop::win
