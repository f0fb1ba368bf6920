// key_places.cpp: scan codes to places, one table for the plain codes and one for the E0 ones.
#include "ui/key_places.h"

#include <array>

namespace vennaloop {

namespace {

// Indexed by the scan code; empty where no key of a PC keyboard sends the code.
constexpr std::array<std::string_view, 0x59> PLAIN = {
    "",
    "Escape",
    "Digit1",
    "Digit2",
    "Digit3",
    "Digit4",
    "Digit5",
    "Digit6",
    "Digit7",
    "Digit8",
    "Digit9",
    "Digit0",
    "Minus",
    "Equal",
    "Backspace",
    "Tab",
    "KeyQ",
    "KeyW",
    "KeyE",
    "KeyR",
    "KeyT",
    "KeyY",
    "KeyU",
    "KeyI",
    "KeyO",
    "KeyP",
    "BracketLeft",
    "BracketRight",
    "Enter",
    "ControlLeft",
    "KeyA",
    "KeyS",
    "KeyD",
    "KeyF",
    "KeyG",
    "KeyH",
    "KeyJ",
    "KeyK",
    "KeyL",
    "Semicolon",
    "Quote",
    "Backquote",
    "ShiftLeft",
    "Backslash",
    "KeyZ",
    "KeyX",
    "KeyC",
    "KeyV",
    "KeyB",
    "KeyN",
    "KeyM",
    "Comma",
    "Period",
    "Slash",
    "ShiftRight",
    "NumpadMultiply",
    "AltLeft",
    "Space",
    "CapsLock",
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6",
    "F7",
    "F8",
    "F9",
    "F10",
    "Pause",
    "ScrollLock",
    "Numpad7",
    "Numpad8",
    "Numpad9",
    "NumpadSubtract",
    "Numpad4",
    "Numpad5",
    "Numpad6",
    "NumpadAdd",
    "Numpad1",
    "Numpad2",
    "Numpad3",
    "Numpad0",
    "NumpadDecimal",
    "",
    "",
    "IntlBackslash",
    "F11",
    "F12",
};

struct ExtendedKey {
  unsigned scanCode;
  std::string_view name;
};

constexpr ExtendedKey EXTENDED[] = {
    {0x1C, "NumpadEnter"}, {0x1D, "ControlRight"}, {0x35, "NumpadDivide"}, {0x37, "PrintScreen"},
    {0x38, "AltRight"},    {0x45, "NumLock"},      {0x47, "Home"},         {0x48, "ArrowUp"},
    {0x49, "PageUp"},      {0x4B, "ArrowLeft"},    {0x4D, "ArrowRight"},   {0x4F, "End"},
    {0x50, "ArrowDown"},   {0x51, "PageDown"},     {0x52, "Insert"},       {0x53, "Delete"},
    {0x5B, "MetaLeft"},    {0x5C, "MetaRight"},    {0x5D, "ContextMenu"},
};

}  // namespace

std::string_view ScanCodePlace(unsigned scanCode, bool extended) {
  if (!extended) return scanCode < PLAIN.size() ? PLAIN[scanCode] : std::string_view{};
  for (const ExtendedKey& key : EXTENDED)
    if (key.scanCode == scanCode) return key.name;
  return {};
}

std::string_view XkbKeycodePlace(unsigned keycode) {
  constexpr unsigned EVDEV_OFFSET = 8;
  return keycode >= EVDEV_OFFSET ? ScanCodePlace(keycode - EVDEV_OFFSET, false)
                                 : std::string_view{};
}

}  // namespace vennaloop
