// keys_test.cpp: Qt key presses as X11 and Wayland report them on an AZERTY and a Russian
// keyboard, read by the shared key rule: letters by their label, digits by place.
#include <gtest/gtest.h>

#include <QKeyEvent>

#include "app/key_event.h"
#include "game/virtual_keys.h"
#include "qt_printers.h"
#include "ui/key_table.h"

namespace vennaloop {
namespace {

struct QtKeyCase {
  const char* layout;
  int key;  ///< Qt::Key
  Qt::KeyboardModifiers modifiers;
  quint32 keycode;  ///< XKB key code, 0 where the platform gives none
  const char* text;
  int gameKey;  ///< what the game window reads
};

// What Qt's xcb and Wayland plugins give for these keys: key() follows the layout's keysym
// (Qt's key for a Cyrillic letter is the capital's code point), text() what it types, the native
// scan code the XKB key code of the key's place.
const QtKeyCase CASES[] = {
    {"AZERTY", Qt::Key_A, Qt::NoModifier, 24, "a", KEY_A},  // the US Q place
    {"AZERTY", Qt::Key_A, Qt::ShiftModifier, 24, "A", KEY_A},
    {"AZERTY", Qt::Key_Q, Qt::NoModifier, 38, "q", 0},
    {"AZERTY", Qt::Key_W, Qt::ControlModifier, 52, "\x17", KEY_W},
    {"AZERTY", Qt::Key_Z, Qt::ControlModifier, 25, "\x1A", 0},  // the window's undo
    {"AZERTY", Qt::Key_Comma, Qt::NoModifier, 58, ",", 0},      // the US M place
    {"AZERTY", Qt::Key_Ampersand, Qt::NoModifier, 10, "&", KEY_1},
    {"AZERTY", Qt::Key_Eacute, Qt::NoModifier, 11, "é", KEY_2},
    {"AZERTY", Qt::Key_2, Qt::ShiftModifier, 11, "2", KEY_2},
    {"AZERTY", Qt::Key_QuoteDbl, Qt::ControlModifier | Qt::ShiftModifier, 12, "", KEY_3},
    {"AZERTY", Qt::Key_1, Qt::KeypadModifier, 87, "1", 0},
    {"AZERTY", Qt::Key_Left, Qt::KeypadModifier, 83, "", KEY_LEFT},  // Num Lock off
    {"AZERTY", Qt::Key_Dead_Circumflex, Qt::NoModifier, 34, "", 0},
    {"Russian", 0x426, Qt::NoModifier, 25, "ц", KEY_W},  // Ц, on the US W place
    {"Russian", 0x41C, Qt::ShiftModifier, 55, "М", KEY_V},
    {"Russian", Qt::Key_V, Qt::ControlModifier, 55, "\x16", 0},  // Qt's Latin key for Ctrl
    {"Russian", 0x411, Qt::NoModifier, 59, "б", 0},              // the US comma place
    {"Russian", Qt::Key_Escape, Qt::NoModifier, 9, "\x1B", KEY_ESCAPE},
    {"Russian", Qt::Key_Space, Qt::NoModifier, 65, " ", KEY_SPACE},
    {"no scan codes", Qt::Key_Exclam, Qt::ShiftModifier, 0, "!", KEY_1},
    {"no scan codes", Qt::Key_3, Qt::NoModifier, 0, "3", KEY_3},
    {"no scan codes", Qt::Key_3, Qt::KeypadModifier, 0, "3", 0},
    {"no scan codes", Qt::Key_S, Qt::NoModifier, 0, "s", KEY_S},
};

TEST(QtKeyTest, AzertyAndRussianKeysReadAsTheirLabelsAndPlaces) {
  for (const QtKeyCase& c : CASES) {
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.keycode, 0, 0,
                          QString::fromUtf8(c.text));
    const QtKeyPress press = KeyPressOf(event, c.keycode != 0);
    EXPECT_EQ(ReadKeyPress(press.view(), KeySurface::Window).gameKey, c.gameKey)
        << c.layout << " key 0x" << std::hex << c.key << " code " << std::dec << c.keycode;
  }
}

}  // namespace
}  // namespace vennaloop
