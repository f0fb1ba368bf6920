// font_choice.h: which installed face draws each face the program asks for: the face itself
// where it is installed, else the first installed of its stand-ins, Windows' own first, then the
// freely available ones of ui/faces.h (which Wine finds among the system's fonts).
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace vennaloop::win {

/// The faces that stand in for `face` on Windows, nearest first; empty for a face not listed.
std::span<const wchar_t* const> WindowsStandIns(std::string_view face);

/// The face to ask GDI for: `face` (UTF-8) or one of its stand-ins, whichever `installed` says is
/// there first; `face` itself when none is, so that the font mapper picks what it can.
std::wstring ChooseFace(std::string_view face,
                        const std::function<bool(const std::wstring&)>& installed);

/// Whether the system has a face of this family name, as EnumFontFamiliesEx lists them.
bool FaceInstalled(const std::wstring& family);

}  // namespace vennaloop::win
