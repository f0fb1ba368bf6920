// font_choice.h: which installed face draws each face the program asks for: the face itself
// where it is installed, else the first installed of its stand-ins, Windows' own first, then the
// freely available ones of ui/faces.h (which Wine finds among the system's fonts). A face that
// lacks a character of the text it is to draw gives way to a later one that has them all.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vennaloop::win {

/// The faces that stand in for `face` on Windows, nearest first; empty for a face not listed.
std::span<const wchar_t* const> WindowsStandIns(std::string_view face);

/// `face` (UTF-8) and its stand-ins, in the order they are tried.
std::vector<std::wstring> FaceCandidates(std::string_view face);

using FaceInstalledTest = std::function<bool(const std::wstring& family)>;
using FaceCoversTest = std::function<bool(const std::wstring& family, std::wstring_view text)>;

/// The face to ask GDI for to draw `text`: the first installed candidate that has a glyph for
/// every character of it; else the first installed one; else `face` itself, so that the font
/// mapper picks what it can.
std::wstring ChooseFace(std::string_view face, std::wstring_view text,
                        const FaceInstalledTest& installed, const FaceCoversTest& covers);

/// ChooseFace with the system's list of faces and their glyphs.
std::wstring ChooseInstalledFace(std::string_view face, std::wstring_view text);

/// Whether the system has a face of this family name, as EnumFontFamiliesEx lists them.
bool FaceInstalled(const std::wstring& family);

/// Whether the face has a glyph of its own for every character of `text` but line ends.
bool FaceCovers(const std::wstring& family, std::wstring_view text);

/// Whether the font selected into `dc` has a glyph of its own for `c`.
bool FontHasGlyph(HDC dc, wchar_t c);

}  // namespace vennaloop::win
