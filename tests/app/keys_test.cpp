// keys_test.cpp: Qt key presses named as the shared key table names physical keys.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "app/physical_key.h"
#include "qt_printers.h"

namespace vennaloop {
namespace {

// A press as X11 reports it: Qt key, modifiers, XKB key code and text.
QString XkbKey(int key, Qt::KeyboardModifiers modifiers, quint32 keycode,
               const QString& text = {}) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, keycode, 0, 0, text);
  return PhysicalKeyName(event, true);
}

QString PlainKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers);
  return PhysicalKeyName(event, false);
}

TEST(PhysicalKeyTest, TopRowDigitsFollowTheKeyNotTheLayoutOrShift) {
  EXPECT_EQ(XkbKey(Qt::Key_1, Qt::NoModifier, 10, "1"), "Digit1");
  EXPECT_EQ(XkbKey(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!"), "Digit1");     // US
  EXPECT_EQ(XkbKey(Qt::Key_Ampersand, Qt::NoModifier, 10, "&"), "Digit1");     // French
  EXPECT_EQ(XkbKey(Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, "\""), "Digit2");  // German Shift+2
  EXPECT_EQ(XkbKey(Qt::Key_NumberSign, Qt::ShiftModifier | Qt::ControlModifier, 12), "Digit3");
  EXPECT_EQ(XkbKey(Qt::Key_ParenRight, Qt::ShiftModifier, 19, ")"), "Digit0");
}

TEST(PhysicalKeyTest, KeypadKeysAreKeysOfTheirOwn) {
  EXPECT_EQ(XkbKey(Qt::Key_1, Qt::KeypadModifier, 87, "1"), "Numpad1");
  EXPECT_EQ(PlainKey(Qt::Key_3, Qt::KeypadModifier), "Numpad3");
  EXPECT_EQ(PlainKey(Qt::Key_Asterisk, Qt::KeypadModifier), "NumpadMultiply");
  // Without Num Lock the keypad's arrows are arrows.
  EXPECT_EQ(XkbKey(Qt::Key_Left, Qt::KeypadModifier, 83), "ArrowLeft");
}

TEST(PhysicalKeyTest, WithoutKeyCodesShiftedUsSymbolsFallBackToTheirDigits) {
  EXPECT_EQ(PlainKey(Qt::Key_Exclam, Qt::ShiftModifier), "Digit1");
  EXPECT_EQ(PlainKey(Qt::Key_At, Qt::ShiftModifier), "Digit2");
  EXPECT_EQ(PlainKey(Qt::Key_2), "Digit2");
  EXPECT_EQ(PlainKey(Qt::Key_Exclam), "") << "an unshifted symbol is no digit";
}

TEST(PhysicalKeyTest, LettersAndNamedKeys) {
  EXPECT_EQ(XkbKey(Qt::Key_V, Qt::NoModifier, 55, "v"), "KeyV");
  EXPECT_EQ(XkbKey(Qt::Key_V, Qt::ShiftModifier, 55, "V"), "KeyV");
  EXPECT_EQ(PlainKey(Qt::Key_W), "KeyW");
  EXPECT_EQ(PlainKey(Qt::Key_Left), "ArrowLeft");
  EXPECT_EQ(PlainKey(Qt::Key_Down), "ArrowDown");
  EXPECT_EQ(PlainKey(Qt::Key_Escape), "Escape");
  EXPECT_EQ(PlainKey(Qt::Key_Space), "Space");
  EXPECT_EQ(PlainKey(Qt::Key_F6, Qt::ShiftModifier), "F6");
  EXPECT_EQ(PlainKey(Qt::Key_Insert), "Insert");
  EXPECT_EQ(PlainKey(Qt::Key_Backspace, Qt::AltModifier), "Backspace");
  EXPECT_EQ(PlainKey(Qt::Key_Eacute), "");
}

}  // namespace
}  // namespace vennaloop
