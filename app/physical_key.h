// physical_key.h: a Qt key press as the name of the physical key the shared key table uses
// ("Digit1", "KeyV", "Numpad1", "ArrowLeft", "Escape"): top-row digits by their place whatever
// the layout and Shift, letters by the letter the layout puts on the key, the keypad's keys as
// keys of their own.
#pragma once

#include <QString>

#include "ui/key_table.h"

class QKeyEvent;

namespace vennaloop {

/// Whether the platform's native scan codes are XKB key codes (X11 and Wayland), on which the
/// top-row digit keys are 10 ("1") to 19 ("0") on every layout.
bool PlatformHasXkbKeycodes();

/// The key's name, or an empty string for a key with none the program knows. With
/// `xkbKeycodes` the top-row digits are found by their scan code, so Shift+1 is "Digit1" even
/// where the layout puts "!" or "&" on that key; without, a shifted US symbol on a digit key
/// falls back to its digit.
QString PhysicalKeyName(const QKeyEvent& event, bool xkbKeycodes);

/// The Shift, Ctrl and Alt of a key press.
KeyModifiers ModifiersOf(const QKeyEvent& event);

}  // namespace vennaloop
