// key_message.cpp: virtual-key codes to what the key types, and lParam to the key's place.
#include "win/key_message.h"

#include <string_view>

#include "ui/key_places.h"

namespace vennaloop::win {

namespace {

constexpr std::string_view LETTERS_AND_DIGITS = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::string_view FUNCTION_KEYS[] = {
    "F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",  "F9",  "F10", "F11", "F12",
    "F13", "F14", "F15", "F16", "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

struct NamedVirtualKey {
  WPARAM virtualKey;
  std::string_view key;
};

constexpr NamedVirtualKey NAMED[] = {
    {VK_ESCAPE, "Escape"},    {VK_SPACE, " "},        {VK_LEFT, "ArrowLeft"}, {VK_UP, "ArrowUp"},
    {VK_RIGHT, "ArrowRight"}, {VK_DOWN, "ArrowDown"}, {VK_BACK, "Backspace"}, {VK_TAB, "Tab"},
    {VK_RETURN, "Enter"},     {VK_INSERT, "Insert"},  {VK_DELETE, "Delete"},  {VK_HOME, "Home"},
    {VK_END, "End"},          {VK_PRIOR, "PageUp"},   {VK_NEXT, "PageDown"},  {VK_SHIFT, "Shift"},
    {VK_CONTROL, "Control"},  {VK_MENU, "Alt"},
};

// What the key types, as far as its virtual key tells. The keypad's digits and the layout's
// punctuation keys (VK_OEM_...) say nothing the game reads.
std::string_view KeyOf(WPARAM virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return LETTERS_AND_DIGITS.substr(virtualKey - 'A', 1);
  if (virtualKey >= '0' && virtualKey <= '9')
    return LETTERS_AND_DIGITS.substr(26 + virtualKey - '0', 1);
  if (virtualKey >= VK_F1 && virtualKey <= VK_F24) return FUNCTION_KEYS[virtualKey - VK_F1];
  for (const NamedVirtualKey& named : NAMED)
    if (named.virtualKey == virtualKey) return named.key;
  return "Unidentified";
}

bool Held(int virtualKey) {
  return (GetKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

KeyPress KeyPressOf(WPARAM virtualKey, LPARAM lParam, KeyModifiers modifiers) {
  // Bits 16 to 23 hold the scan code, bit 24 the E0 prefix.
  const unsigned scanCode = static_cast<unsigned>(lParam >> 16) & 0xFF;
  const bool extended = (lParam >> 24) & 1;
  return {ScanCodePlace(scanCode, extended), KeyOf(virtualKey), modifiers};
}

KeyModifiers HeldModifiers() {
  return {.shift = Held(VK_SHIFT), .ctrl = Held(VK_CONTROL), .alt = Held(VK_MENU)};
}

}  // namespace vennaloop::win
