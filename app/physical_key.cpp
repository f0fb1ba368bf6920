// physical_key.cpp: Qt key presses to physical key names.
#include "app/physical_key.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <cstddef>

namespace vennaloop {

namespace {

constexpr quint32 XKB_KEYCODE_ONE = 10;   // the top-row "1" key
constexpr quint32 XKB_KEYCODE_ZERO = 19;  // the top-row "0" key

QString Digit(int digit) {
  return QStringLiteral("Digit%1").arg(digit);
}

// The digit whose key a US layout gives this symbol with Shift, or -1.
int DigitOfShiftedUsSymbol(int key) {
  static const int symbols[] = {Qt::Key_ParenRight,  Qt::Key_Exclam,    Qt::Key_At,
                                Qt::Key_NumberSign,  Qt::Key_Dollar,    Qt::Key_Percent,
                                Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                Qt::Key_ParenLeft};
  for (int digit = 0; digit < 10; ++digit)
    if (symbols[digit] == key) return digit;
  return -1;
}

struct NamedQtKey {
  int key;
  const char* name;
};

// The keypad's own keys; its arrows and the like, without Num Lock, are named as usual.
constexpr NamedQtKey KEYPAD_KEYS[] = {
    {Qt::Key_Asterisk, "NumpadMultiply"}, {Qt::Key_Plus, "NumpadAdd"},
    {Qt::Key_Minus, "NumpadSubtract"},    {Qt::Key_Period, "NumpadDecimal"},
    {Qt::Key_Comma, "NumpadDecimal"},     {Qt::Key_Slash, "NumpadDivide"},
    {Qt::Key_Enter, "NumpadEnter"},
};

constexpr NamedQtKey NAMED_KEYS[] = {
    {Qt::Key_Escape, "Escape"},       {Qt::Key_Space, "Space"},      {Qt::Key_Left, "ArrowLeft"},
    {Qt::Key_Up, "ArrowUp"},          {Qt::Key_Right, "ArrowRight"}, {Qt::Key_Down, "ArrowDown"},
    {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Tab, "Tab"},          {Qt::Key_Backtab, "Tab"},
    {Qt::Key_Return, "Enter"},        {Qt::Key_Insert, "Insert"},    {Qt::Key_Delete, "Delete"},
    {Qt::Key_Home, "Home"},           {Qt::Key_End, "End"},          {Qt::Key_PageUp, "PageUp"},
    {Qt::Key_PageDown, "PageDown"},
};

template <std::size_t N>
QString NameIn(const NamedQtKey (&table)[N], int key) {
  for (const NamedQtKey& entry : table)
    if (entry.key == key) return QString::fromLatin1(entry.name);
  return {};
}

QString KeypadKeyName(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return QStringLiteral("Numpad%1").arg(key - Qt::Key_0);
  return NameIn(KEYPAD_KEYS, key);
}

QString NamedKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return QStringLiteral("Key") + QChar(u'A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return Digit(key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
  return NameIn(NAMED_KEYS, key);
}

}  // namespace

bool PlatformHasXkbKeycodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

QString PhysicalKeyName(const QKeyEvent& event, bool xkbKeycodes) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    const QString keypad = KeypadKeyName(key);
    if (!keypad.isEmpty()) return keypad;
  } else if (xkbKeycodes) {
    const quint32 code = event.nativeScanCode();
    if (code >= XKB_KEYCODE_ONE && code <= XKB_KEYCODE_ZERO)
      return Digit(static_cast<int>(code - XKB_KEYCODE_ONE + 1) % 10);
  } else if (event.modifiers() & Qt::ShiftModifier) {
    if (const int digit = DigitOfShiftedUsSymbol(key); digit >= 0) return Digit(digit);
  }
  return NamedKey(key);
}

KeyModifiers ModifiersOf(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers();
  return {.shift = modifiers.testFlag(Qt::ShiftModifier),
          .ctrl = modifiers.testFlag(Qt::ControlModifier),
          .alt = modifiers.testFlag(Qt::AltModifier)};
}

}  // namespace vennaloop
