// font_choice.cpp: stand-ins for the program's faces, and the system's faces and glyphs.
#include "win/font_choice.h"

#include <array>

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
    while (count < entry.standIns.size() && entry.standIns[count])
      ++count;
    return {entry.standIns.data(), count};
  }
  return {};
}

std::vector<std::wstring> FaceCandidates(std::string_view face) {
  std::vector<std::wstring> candidates{Widen(face)};
  for (const wchar_t* standIn : WindowsStandIns(face))
    candidates.emplace_back(standIn);
  for (const FaceStandIn& entry : FaceStandIns()) {
    if (std::string_view(entry.face) != face) continue;
    for (const char* standIn : entry.standIns)
      if (standIn) candidates.push_back(Widen(standIn));
  }
  return candidates;
}

std::wstring ChooseFace(std::string_view face, std::wstring_view text,
                        const FaceInstalledTest& installed, const FaceCoversTest& covers) {
  const std::vector<std::wstring> candidates = FaceCandidates(face);
  const std::wstring* firstInstalled = nullptr;
  for (const std::wstring& candidate : candidates) {
    if (!installed(candidate)) continue;
    if (covers(candidate, text)) return candidate;
    if (!firstInstalled) firstInstalled = &candidate;
  }
  return firstInstalled ? *firstInstalled : candidates.front();
}

std::wstring ChooseInstalledFace(std::string_view face, std::wstring_view text) {
  return ChooseFace(face, text, FaceInstalled, FaceCovers);
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

bool FontHasGlyph(HDC dc, wchar_t c) {
  WORD index = 0;
  return GetGlyphIndicesW(dc, &c, 1, &index, GGI_MARK_NONEXISTING_GLYPHS) == 1 && index != 0xFFFF;
}

bool FaceCovers(const std::wstring& family, std::wstring_view text) {
  if (family.empty() || family.size() >= LF_FACESIZE) return false;
  LOGFONTW wanted{};
  wanted.lfHeight = -16;
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, family.size());
  HFONT font = CreateFontIndirectW(&wanted);
  if (!font) return false;
  HDC screen = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(screen, font);
  bool covered = true;
  for (wchar_t c : text) {
    if (c == L'\r' || c == L'\n') continue;
    if (!FontHasGlyph(screen, c)) {
      covered = false;
      break;
    }
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return covered;
}

}  // namespace vennaloop::win
