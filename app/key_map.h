// key_map.h: turns Qt key presses into the virtual-key codes the game takes: digits by their
// physical top-row key whatever the layout and Shift, letters as upper-case codes, keypad
// digits as keys of their own.
#pragma once

class QKeyEvent;

namespace vennaloop {

inline constexpr int VK_BACK = 8;
inline constexpr int VK_TAB = 9;
inline constexpr int VK_RETURN = 13;
inline constexpr int VK_SHIFT = 16;
inline constexpr int VK_CONTROL = 17;
inline constexpr int VK_MENU = 18;
inline constexpr int VK_ESCAPE = 27;
inline constexpr int VK_SPACE = 32;
inline constexpr int VK_INSERT = 45;
inline constexpr int VK_DELETE = 46;
inline constexpr int VK_NUMPAD0 = 96;
inline constexpr int VK_F1 = 112;
inline constexpr int VK_F6 = 117;

/// Whether the platform's native scan codes are XKB key codes (X11 and Wayland), on which the
/// top-row digit keys are 10 ("1") to 19 ("0") on every layout.
bool PlatformHasXkbKeycodes();

/// The virtual-key code of a key press, or 0 for a key that has none the program knows.
/// With `xkbKeycodes`, the top-row digits are found by their scan code, so Shift+1 is 49 even
/// where the layout puts "!" or "&" on that key. Without, a shifted US symbol on a digit key
/// falls back to its digit.
int VirtualKeyOf(const QKeyEvent& event, bool xkbKeycodes);

}  // namespace vennaloop
