// physical_key.cpp: Qt key presses to physical key names.
#include "app/physical_key.h"

#include <QGuiApplication>
#include <QKeyEvent>

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

QString KeypadKeyName(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return QStringLiteral("Numpad%1").arg(key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk:
      return QStringLiteral("NumpadMultiply");
    case Qt::Key_Plus:
      return QStringLiteral("NumpadAdd");
    case Qt::Key_Minus:
      return QStringLiteral("NumpadSubtract");
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return QStringLiteral("NumpadDecimal");
    case Qt::Key_Slash:
      return QStringLiteral("NumpadDivide");
    case Qt::Key_Enter:
      return QStringLiteral("NumpadEnter");
    default:
      return {};  // not a keypad-only key: arrows and the like are named as usual
  }
}

QString NamedKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return QStringLiteral("Key") + QChar(u'A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return Digit(key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return QStringLiteral("F%1").arg(key - Qt::Key_F1 + 1);
  switch (key) {
    case Qt::Key_Escape:
      return QStringLiteral("Escape");
    case Qt::Key_Space:
      return QStringLiteral("Space");
    case Qt::Key_Left:
      return QStringLiteral("ArrowLeft");
    case Qt::Key_Up:
      return QStringLiteral("ArrowUp");
    case Qt::Key_Right:
      return QStringLiteral("ArrowRight");
    case Qt::Key_Down:
      return QStringLiteral("ArrowDown");
    case Qt::Key_Backspace:
      return QStringLiteral("Backspace");
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return QStringLiteral("Tab");
    case Qt::Key_Return:
      return QStringLiteral("Enter");
    case Qt::Key_Insert:
      return QStringLiteral("Insert");
    case Qt::Key_Delete:
      return QStringLiteral("Delete");
    case Qt::Key_Home:
      return QStringLiteral("Home");
    case Qt::Key_End:
      return QStringLiteral("End");
    case Qt::Key_PageUp:
      return QStringLiteral("PageUp");
    case Qt::Key_PageDown:
      return QStringLiteral("PageDown");
    default:
      return {};
  }
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
