// scan_codes.h: a key's place on the keyboard, as Windows reports it in a key message, named as
// ui/key_table.h names keys (KeyboardEvent.code), so the game reads the same physical keys on
// every layout: the key right of C is "KeyV" whether it types V or something else.
#pragma once

#include <string_view>

namespace vennaloop::win {

/// The name of the key whose scan code (set 1) is `scanCode`, `extended` for those that come with
/// the E0 prefix (the arrows, Insert, Delete, the right Ctrl...); empty for a key without one.
std::string_view KeyCodeName(unsigned scanCode, bool extended);

/// The name of the key of a WM_KEYDOWN or WM_SYSKEYDOWN message, from its lParam.
std::string_view KeyCodeNameOf(long long lParam);

}  // namespace vennaloop::win
