// virtual_keys.h: the virtual-key codes the game view acts on. The window translates its
// toolkit's key events into these codes; letters always arrive as their upper-case codes.
#pragma once

namespace vennaloop {

inline constexpr int KEY_ESCAPE = 27;
inline constexpr int KEY_SPACE = 32;
inline constexpr int KEY_LEFT = 37;
inline constexpr int KEY_UP = 38;
inline constexpr int KEY_RIGHT = 39;
inline constexpr int KEY_DOWN = 40;
inline constexpr int KEY_1 = 49;
inline constexpr int KEY_2 = 50;
inline constexpr int KEY_3 = 51;
inline constexpr int KEY_A = 65;
inline constexpr int KEY_F = 70;
inline constexpr int KEY_N = 78;
inline constexpr int KEY_R = 82;
inline constexpr int KEY_S = 83;
inline constexpr int KEY_V = 86;
inline constexpr int KEY_W = 87;

/// True for the sixteen codes above; the key-down handler records only these.
constexpr bool IsAcceptedKey(int virtualKey) {
  switch (virtualKey) {
    case KEY_ESCAPE:
    case KEY_SPACE:
    case KEY_LEFT:
    case KEY_UP:
    case KEY_RIGHT:
    case KEY_DOWN:
    case KEY_1:
    case KEY_2:
    case KEY_3:
    case KEY_A:
    case KEY_F:
    case KEY_N:
    case KEY_R:
    case KEY_S:
    case KEY_V:
    case KEY_W:
      return true;
    default:
      return false;
  }
}

}  // namespace vennaloop
