// wide_text.h: the program's UTF-8 texts as the UTF-16 strings Windows takes.
#pragma once

#include <string>
#include <string_view>

namespace vennaloop::win {

/// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::wstring Widen(std::string_view utf8);

/// Lines ended by "\n" ended by "\r\n" instead, as an edit control wants them.
std::wstring WithCrLf(std::wstring_view text);

}  // namespace vennaloop::win
