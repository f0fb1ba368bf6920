// key_message.h: a Windows key message as the shared key rule reads it (ui/key_press.h): what
// the key types from its virtual-key code, which follows the layout for letters (and keeps the
// US places on layouts without Latin letters), and its place from the scan code.
#pragma once

#include <windows.h>

#include "ui/key_press.h"

namespace vennaloop::win {

/// The press of a WM_KEYDOWN or WM_SYSKEYDOWN with `virtualKey` (wParam) and `lParam`, with the
/// modifiers held at the time.
KeyPress KeyPressOf(WPARAM virtualKey, LPARAM lParam, KeyModifiers modifiers);

/// The Shift, Ctrl and Alt the thread's key state holds now.
KeyModifiers HeldModifiers();

}  // namespace vennaloop::win
