// keys_test.cpp: key presses become the game's virtual-key codes, and the frame's accelerator
// table matches its combinations exactly.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "app/accelerators.h"
#include "app/key_map.h"

namespace vennaloop {
namespace {

// A press as X11 reports it: Qt key, modifiers, XKB key code and text.
int XkbKey(int key, Qt::KeyboardModifiers modifiers, quint32 keycode, const QString& text = {}) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, keycode, 0, 0, text);
  return VirtualKeyOf(event, true);
}

int PlainKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers);
  return VirtualKeyOf(event, false);
}

TEST(KeyMapTest, TopRowDigitsFollowTheKeyNotTheLayoutOrShift) {
  EXPECT_EQ(XkbKey(Qt::Key_1, Qt::NoModifier, 10, "1"), 49);
  EXPECT_EQ(XkbKey(Qt::Key_Exclam, Qt::ShiftModifier, 10, "!"), 49);     // US
  EXPECT_EQ(XkbKey(Qt::Key_Ampersand, Qt::NoModifier, 10, "&"), 49);     // French
  EXPECT_EQ(XkbKey(Qt::Key_QuoteDbl, Qt::ShiftModifier, 11, "\""), 50);  // German Shift+2
  EXPECT_EQ(XkbKey(Qt::Key_NumberSign, Qt::ShiftModifier | Qt::ControlModifier, 12), 51);
  EXPECT_EQ(XkbKey(Qt::Key_ParenRight, Qt::ShiftModifier, 19, ")"), 48);
}

TEST(KeyMapTest, KeypadDigitsAreKeysOfTheirOwn) {
  EXPECT_EQ(XkbKey(Qt::Key_1, Qt::KeypadModifier, 87, "1"), 97);
  EXPECT_EQ(PlainKey(Qt::Key_3, Qt::KeypadModifier), 99);
  EXPECT_EQ(PlainKey(Qt::Key_0, Qt::KeypadModifier), 96);
  // Without Num Lock the keypad's arrows are arrows.
  EXPECT_EQ(XkbKey(Qt::Key_Left, Qt::KeypadModifier, 83), 37);
}

TEST(KeyMapTest, WithoutKeyCodesShiftedUsSymbolsFallBackToTheirDigits) {
  EXPECT_EQ(PlainKey(Qt::Key_Exclam, Qt::ShiftModifier), 49);
  EXPECT_EQ(PlainKey(Qt::Key_At, Qt::ShiftModifier), 50);
  EXPECT_EQ(PlainKey(Qt::Key_2), 50);
  EXPECT_EQ(PlainKey(Qt::Key_Exclam), 0) << "an unshifted symbol is no digit";
}

TEST(KeyMapTest, LettersAreUpperCaseWhateverShift) {
  EXPECT_EQ(XkbKey(Qt::Key_V, Qt::NoModifier, 55, "v"), 86);
  EXPECT_EQ(XkbKey(Qt::Key_V, Qt::ShiftModifier, 55, "V"), 86);
  EXPECT_EQ(PlainKey(Qt::Key_A, Qt::ShiftModifier), 65);
  EXPECT_EQ(PlainKey(Qt::Key_W), 87);
}

TEST(KeyMapTest, NamedKeys) {
  EXPECT_EQ(PlainKey(Qt::Key_Left), 37);
  EXPECT_EQ(PlainKey(Qt::Key_Up), 38);
  EXPECT_EQ(PlainKey(Qt::Key_Right), 39);
  EXPECT_EQ(PlainKey(Qt::Key_Down), 40);
  EXPECT_EQ(PlainKey(Qt::Key_Escape), 27);
  EXPECT_EQ(PlainKey(Qt::Key_Space), 32);
  EXPECT_EQ(PlainKey(Qt::Key_F6, Qt::ShiftModifier), 117);
  EXPECT_EQ(PlainKey(Qt::Key_Insert), 45);
  EXPECT_EQ(PlainKey(Qt::Key_Backspace, Qt::AltModifier), 8);
  EXPECT_EQ(PlainKey(Qt::Key_Eacute), 0);
}

TEST(AcceleratorTest, EveryEntryMatchesItsExactCombination) {
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    int command;
  };
  const Case cases[] = {
      {'C', Qt::ControlModifier, ID_EDIT_COPY},  {45, Qt::ControlModifier, ID_EDIT_COPY},
      {'V', Qt::ControlModifier, ID_EDIT_PASTE}, {45, Qt::ShiftModifier, ID_EDIT_PASTE},
      {'X', Qt::ControlModifier, ID_EDIT_CUT},   {46, Qt::ShiftModifier, ID_EDIT_CUT},
      {'Z', Qt::ControlModifier, ID_EDIT_UNDO},  {8, Qt::AltModifier, ID_EDIT_UNDO},
      {117, Qt::NoModifier, ID_NEXT_PANE},       {117, Qt::ShiftModifier, ID_PREV_PANE},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TranslateAccelerator(c.key, c.modifiers), c.command) << c.key;
  EXPECT_EQ(FrameAccelerators().size(), std::size(cases));
}

TEST(AcceleratorTest, OtherCombinationsPassThrough) {
  EXPECT_EQ(TranslateAccelerator('V', Qt::NoModifier), 0);
  EXPECT_EQ(TranslateAccelerator('V', Qt::ShiftModifier), 0);
  EXPECT_EQ(TranslateAccelerator('V', Qt::ControlModifier | Qt::ShiftModifier), 0);
  EXPECT_EQ(TranslateAccelerator('C', Qt::ControlModifier | Qt::AltModifier), 0);
  EXPECT_EQ(TranslateAccelerator('1', Qt::ControlModifier), 0);
  EXPECT_EQ(TranslateAccelerator(45, Qt::NoModifier), 0);
  EXPECT_EQ(TranslateAccelerator(117, Qt::ControlModifier), 0);
}

}  // namespace
}  // namespace vennaloop
