// key_places.h: a key's place on the keyboard from the number the hardware gives it, named as
// KeyboardEvent.code names places ("KeyQ", "Digit1", "Numpad4"). Windows reports PC scan codes
// (set 1); Linux numbers the keys of the main block the same way (evdev), and XKB adds 8.
#pragma once

#include <string_view>

namespace vennaloop {

/// The place of the key whose scan code (set 1) is `scanCode`, `extended` for those that come
/// with the E0 prefix (the arrows, Insert, Delete, the right Ctrl...); empty for a code no key of
/// a PC keyboard sends.
std::string_view ScanCodePlace(unsigned scanCode, bool extended);

/// The place of a key of the main block (letters, digits, punctuation, the keypad) from its XKB
/// key code, as X11 and Wayland report it; empty for every other key.
std::string_view XkbKeycodePlace(unsigned keycode);

}  // namespace vennaloop
