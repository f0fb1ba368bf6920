// key_map.cpp: Qt keys to virtual-key codes.
#include "app/key_map.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QString>

namespace vennaloop {

namespace {

constexpr quint32 kXkbKeycodeOne = 10;   // the top-row "1" key
constexpr quint32 kXkbKeycodeZero = 19;  // the top-row "0" key

int DigitOfShiftedUsSymbol(int key) {
  switch (key) {
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_Asterisk:
      return '8';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_ParenRight:
      return '0';
    default:
      return 0;
  }
}

int KeypadKey(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return VK_NUMPAD0 + (key - Qt::Key_0);
  switch (key) {
    case Qt::Key_Asterisk:
      return 106;  // multiply
    case Qt::Key_Plus:
      return 107;
    case Qt::Key_Minus:
      return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return 110;  // decimal
    case Qt::Key_Slash:
      return 111;
    default:
      return -1;  // not a keypad-only key: arrows and the like map as usual
  }
}

int NamedKey(int key) {
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;  // Qt's codes are the upper-case letters
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key;
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
  switch (key) {
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Pause:
      return 19;
    case Qt::Key_CapsLock:
      return 20;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Print:
      return 44;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Meta:
      return 91;
    case Qt::Key_Menu:
      return 93;
    default:
      return 0;
  }
}

}  // namespace

bool PlatformHasXkbKeycodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

int VirtualKeyOf(const QKeyEvent& event, bool xkbKeycodes) {
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    const int keypad = KeypadKey(key);
    if (keypad >= 0) return keypad;
  } else if (xkbKeycodes) {
    const quint32 code = event.nativeScanCode();
    if (code >= kXkbKeycodeOne && code <= kXkbKeycodeZero)
      return code == kXkbKeycodeZero ? '0' : static_cast<int>('1' + (code - kXkbKeycodeOne));
  } else if (event.modifiers() & Qt::ShiftModifier) {
    if (const int digit = DigitOfShiftedUsSymbol(key)) return digit;
  }
  return NamedKey(key);
}

}  // namespace vennaloop
