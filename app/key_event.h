// key_event.h: a Qt key press in the words of the shared key rule (ui/key_press.h): what the key
// types from key() and text(), and its place from the native scan code where that is an XKB key
// code (X11 and Wayland).
#pragma once

#include <string>
#include <string_view>

#include "ui/key_press.h"

class QKeyEvent;

namespace vennaloop {

/// Whether the platform's native scan codes are XKB key codes (X11 and Wayland).
bool PlatformHasXkbKeycodes();

/// A Qt key press, holding the text the shared rule's KeyPress views.
struct QtKeyPress {
  std::string_view place;
  std::string key;
  KeyModifiers modifiers;
  KeyPress view() const { return {place, key, modifiers}; }
};

/// The press of `event`. With `xkbKeycodes` its place comes from the scan code; without, only the
/// keypad's keys and a shifted US symbol on a top-row key (Shift+1 types "!") have a place.
QtKeyPress KeyPressOf(const QKeyEvent& event, bool xkbKeycodes);

}  // namespace vennaloop
