// key_event.cpp: Qt key presses in the shared rule's words.
#include "app/key_event.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <cstddef>

#include "ui/key_places.h"

namespace vennaloop {

namespace {

struct NamedQtKey {
  int key;
  std::string_view name;
};

template <std::size_t N>
std::string_view NameIn(const NamedQtKey (&table)[N], int key) {
  for (const NamedQtKey& entry : table)
    if (entry.key == key) return entry.name;
  return {};
}

// Places where no scan code tells them: the keypad's keys, and the top row's digits for the
// symbols a US layout gives them with Shift.
constexpr NamedQtKey KEYPAD_PLACES[] = {
    {Qt::Key_0, "Numpad0"},
    {Qt::Key_1, "Numpad1"},
    {Qt::Key_2, "Numpad2"},
    {Qt::Key_3, "Numpad3"},
    {Qt::Key_4, "Numpad4"},
    {Qt::Key_5, "Numpad5"},
    {Qt::Key_6, "Numpad6"},
    {Qt::Key_7, "Numpad7"},
    {Qt::Key_8, "Numpad8"},
    {Qt::Key_9, "Numpad9"},
    {Qt::Key_Asterisk, "NumpadMultiply"},
    {Qt::Key_Plus, "NumpadAdd"},
    {Qt::Key_Minus, "NumpadSubtract"},
    {Qt::Key_Period, "NumpadDecimal"},
    {Qt::Key_Comma, "NumpadDecimal"},
    {Qt::Key_Slash, "NumpadDivide"},
    {Qt::Key_Enter, "NumpadEnter"},
};
constexpr NamedQtKey SHIFTED_US_DIGITS[] = {
    {Qt::Key_ParenRight, "Digit0"},  {Qt::Key_Exclam, "Digit1"},    {Qt::Key_At, "Digit2"},
    {Qt::Key_NumberSign, "Digit3"},  {Qt::Key_Dollar, "Digit4"},    {Qt::Key_Percent, "Digit5"},
    {Qt::Key_AsciiCircum, "Digit6"}, {Qt::Key_Ampersand, "Digit7"}, {Qt::Key_Asterisk, "Digit8"},
    {Qt::Key_ParenLeft, "Digit9"},
};

// The keys whose names KeyboardEvent.key gives, as the rule reads them.
constexpr NamedQtKey NAMED_KEYS[] = {
    {Qt::Key_Escape, "Escape"},       {Qt::Key_Space, " "},           {Qt::Key_Left, "ArrowLeft"},
    {Qt::Key_Up, "ArrowUp"},          {Qt::Key_Right, "ArrowRight"},  {Qt::Key_Down, "ArrowDown"},
    {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Tab, "Tab"},           {Qt::Key_Backtab, "Tab"},
    {Qt::Key_Return, "Enter"},        {Qt::Key_Enter, "Enter"},       {Qt::Key_Insert, "Insert"},
    {Qt::Key_Delete, "Delete"},       {Qt::Key_Home, "Home"},         {Qt::Key_End, "End"},
    {Qt::Key_PageUp, "PageUp"},       {Qt::Key_PageDown, "PageDown"}, {Qt::Key_Shift, "Shift"},
    {Qt::Key_Control, "Control"},     {Qt::Key_Alt, "Alt"},           {Qt::Key_Meta, "Meta"},
};

std::string_view PlaceOf(const QKeyEvent& event, bool xkbKeycodes) {
  if (xkbKeycodes) return XkbKeycodePlace(event.nativeScanCode());
  if (event.modifiers() & Qt::KeypadModifier) return NameIn(KEYPAD_PLACES, event.key());
  if (event.modifiers() & Qt::ShiftModifier) return NameIn(SHIFTED_US_DIGITS, event.key());
  return {};
}

// What the key types: Qt's key for the letters, named keys and dead keys, else the text, which
// Ctrl turns into a control character, else the character Qt names the key by.
std::string KeyOf(const QKeyEvent& event) {
  const int key = event.key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return std::string(1, static_cast<char>('a' + key - Qt::Key_A));
  if (const std::string_view named = NameIn(NAMED_KEYS, key); !named.empty())
    return std::string(named);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F35) {
    // Appended rather than "F" + ..., which GCC 12 at -O2 misreads as an overlapping copy.
    std::string name = "F";
    name += std::to_string(key - Qt::Key_F1 + 1);
    return name;
  }
  if (key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay) return "Dead";
  const QString text = event.text();
  if (text.size() == 1 || (text.size() == 2 && text[0].isHighSurrogate())) {
    if (text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F) return text.toStdString();
  }
  if (key > 0x20 && key < Qt::Key_Escape) {
    const auto character = static_cast<char32_t>(key);
    return QString::fromUcs4(&character, 1).toStdString();
  }
  return "Unidentified";
}

}  // namespace

bool PlatformHasXkbKeycodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

QtKeyPress KeyPressOf(const QKeyEvent& event, bool xkbKeycodes) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return {PlaceOf(event, xkbKeycodes),
          KeyOf(event),
          {.shift = modifiers.testFlag(Qt::ShiftModifier),
           .ctrl = modifiers.testFlag(Qt::ControlModifier),
           .alt = modifiers.testFlag(Qt::AltModifier)}};
}

}  // namespace vennaloop
