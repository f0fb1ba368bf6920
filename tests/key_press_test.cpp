// key_press_test.cpp: the one rule that reads a key press on every layout and front end, and the
// scan-code places it is given.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "game/virtual_keys.h"
#include "ui/key_places.h"
#include "ui/key_table.h"

namespace vennaloop {
namespace {

constexpr KeyModifiers NONE{}, SHIFT{.shift = true}, CTRL{.ctrl = true};
constexpr KeyModifiers CTRL_SHIFT{.shift = true, .ctrl = true};

struct LayoutCase {
  const char* layout;
  std::string_view place;  ///< KeyboardEvent.code
  std::string_view key;    ///< KeyboardEvent.key, as the layout gives it with the modifiers
  KeyModifiers modifiers;
  int window;  ///< the game key a desktop window reads, 0 for none
  int page;    ///< the game key a page reads, 0 where it leaves the key to the browser
};

// Each letter command is the key labelled with its letter and no other; the digits are the top
// row by place; on a layout without Latin letters the letters keep their US places.
const LayoutCase LAYOUT_CASES[] = {
    {"US", "KeyV", "v", NONE, KEY_V, KEY_V},
    {"US", "KeyV", "V", SHIFT, KEY_V, KEY_V},
    {"US", "KeyV", "v", CTRL, 0, 0},  // the window's paste; the browser's
    {"US", "KeyS", "s", CTRL, KEY_S, 0},
    {"US", "Digit1", "!", SHIFT, KEY_1, KEY_1},
    {"US", "Digit2", "2", CTRL_SHIFT, KEY_2, KEY_2},
    {"US", "Numpad1", "1", NONE, 0, 0},
    {"US", "Numpad4", "ArrowLeft", NONE, KEY_LEFT, KEY_LEFT},  // Num Lock off
    {"US", "Space", " ", NONE, KEY_SPACE, KEY_SPACE},
    {"US", "Escape", "Escape", SHIFT, KEY_ESCAPE, KEY_ESCAPE},
    {"AZERTY", "KeyQ", "a", NONE, KEY_A, KEY_A},
    {"AZERTY", "KeyQ", "A", SHIFT, KEY_A, KEY_A},
    {"AZERTY", "KeyA", "q", NONE, 0, 0},
    {"AZERTY", "KeyZ", "w", NONE, KEY_W, KEY_W},
    {"AZERTY", "KeyW", "z", NONE, 0, 0},
    {"AZERTY", "KeyW", "z", CTRL, 0, 0},  // Ctrl+Z, the window's undo, by the letter
    {"AZERTY", "KeyZ", "w", CTRL, KEY_W, 0},
    {"AZERTY", "Digit1", "&", NONE, KEY_1, KEY_1},
    {"AZERTY", "Digit2", "é", NONE, KEY_2, KEY_2},
    {"AZERTY", "Digit3", "\"", CTRL, KEY_3, KEY_3},
    {"AZERTY", "Digit2", "2", CTRL_SHIFT, KEY_2, KEY_2},
    {"AZERTY", "Semicolon", "m", NONE, 0, 0},
    {"QWERTZ", "KeyY", "z", NONE, 0, 0},
    {"QWERTZ", "KeyZ", "y", CTRL, 0, 0},
    {"QWERTZ", "KeyW", "W", SHIFT, KEY_W, KEY_W},
    {"QWERTZ", "Digit3", "§", SHIFT, KEY_3, KEY_3},
    {"Dvorak", "KeyW", ",", NONE, 0, 0},
    {"Dvorak", "Comma", "w", NONE, KEY_W, KEY_W},
    {"Dvorak", "Comma", "W", SHIFT, KEY_W, KEY_W},
    {"Dvorak", "KeyS", "o", NONE, 0, 0},
    {"Dvorak", "Semicolon", "s", NONE, KEY_S, KEY_S},
    {"Dvorak", "Period", "v", NONE, KEY_V, KEY_V},
    {"Dvorak", "KeyK", "t", NONE, 0, 0},
    {"Dvorak", "KeyY", "f", SHIFT, KEY_F, KEY_F},
    {"Dvorak", "KeyL", "n", NONE, KEY_N, KEY_N},
    {"Dvorak", "KeyO", "r", CTRL, KEY_R, 0},
    {"Dvorak", "KeyB", "x", CTRL, 0, 0},  // Ctrl+X, the window's cut
    {"Russian", "KeyW", "ц", NONE, KEY_W, KEY_W},
    {"Russian", "KeyV", "М", SHIFT, KEY_V, KEY_V},
    {"Russian", "KeyV", "м", CTRL, 0, 0},  // Ctrl+V on the V key's place
    {"Russian", "KeyA", "ф", NONE, KEY_A, KEY_A},
    {"Russian", "Comma", "б", NONE, 0, 0},
    {"Russian", "Digit3", "№", SHIFT, KEY_3, KEY_3},
    {"Greek", "KeyW", "ς", NONE, KEY_W, KEY_W},
    {"Japanese kana", "KeyS", "と", NONE, KEY_S, KEY_S},
    {"US, no place", "", "v", NONE, KEY_V, KEY_V},
    {"US, no place", "", "2", NONE, KEY_2, KEY_2},
    {"US, no place", "", "ArrowUp", NONE, KEY_UP, KEY_UP},
    {"no character", "Escape", "Unidentified", NONE, KEY_ESCAPE, KEY_ESCAPE},
    {"no character", "KeyV", "", NONE, 0, 0},
    {"dead key", "KeyN", "Dead", NONE, 0, 0},
    {"accented", "KeyS", "ś", NONE, 0, 0},
    {"broken UTF-8", "KeyV", "\xD0", NONE, 0, 0},
    {"Alt", "KeyV", "v", {.alt = true}, 0, 0},
    {"stand-in", "Digit8", "8", NONE, 0, KEY_2},
};

TEST(KeyRuleTest, LettersByLabelDigitsByPlaceOnEveryLayout) {
  for (const LayoutCase& c : LAYOUT_CASES) {
    const KeyPress press{c.place, c.key, c.modifiers};
    const std::string label = std::string(c.layout) + " " + std::string(c.place) + " '" +
                              std::string(c.key) + "'" + (c.modifiers.shift ? " shift" : "") +
                              (c.modifiers.ctrl ? " ctrl" : "");
    EXPECT_EQ(ReadKeyPress(press, KeySurface::Window).gameKey, c.window) << label;
    EXPECT_EQ(ReadKeyPress(press, KeySurface::Page).gameKey, c.page) << label;
  }
}

TEST(KeyRuleTest, AStandInHoldsItsModifiersAndAKeyHoldsNone) {
  const GameKeyPress standIn = ReadKeyPress({"Digit7", "&", SHIFT}, KeySurface::Page);
  EXPECT_EQ(standIn.gameKey, KEY_1);
  EXPECT_EQ(standIn.adds, CTRL);
  EXPECT_EQ(ReadKeyPress({"Digit7", "7", NONE}, KeySurface::Window).gameKey, 0)
      << "the desktop has Ctrl+digit itself";
  EXPECT_EQ(ReadKeyPress({"Digit1", "1", CTRL}, KeySurface::Page).adds, NONE);
}

// ---- Places ------------------------------------------------------------------------------------

// Every place a scan code can have, with the code that has it.
struct PlacedScanCode {
  unsigned scanCode;
  bool extended;
  std::string_view place;
};

std::vector<PlacedScanCode> AllPlacedScanCodes() {
  std::vector<PlacedScanCode> all;
  for (unsigned code = 0; code < 0x100; ++code)
    for (bool extended : {false, true})
      if (const std::string_view place = ScanCodePlace(code, extended); !place.empty())
        all.push_back({code, extended, place});
  return all;
}

// One key, one place, so no key acts for another; and every key the game takes by place (the
// digits, the named keys) and every chord the window keeps is a key a keyboard has.
TEST(KeyPlacesTest, EachPlaceBelongsToOneKeyAndTheGamesKeysAreAmongThem) {
  std::set<std::string_view> places;
  for (const PlacedScanCode& key : AllPlacedScanCodes())
    EXPECT_TRUE(places.insert(key.place).second) << key.place;
  for (const KeyBinding& binding : GameKeyBindings())
    EXPECT_TRUE(places.count(binding.name)) << binding.name;
  for (const KeyChord& chord : WindowChords())
    EXPECT_TRUE(places.count(chord.name)) << chord.name;
}

// The E0 prefix parts the arrows and editing keys from the keypad keys with the same code; an
// XKB key code is the main block's scan code plus 8.
TEST(KeyPlacesTest, ScanCodesAndXkbKeycodesNameTheSamePlaces) {
  EXPECT_EQ(ScanCodePlace(0x2F, false), "KeyV");
  EXPECT_EQ(ScanCodePlace(0x10, false), "KeyQ");
  EXPECT_EQ(ScanCodePlace(0x02, false), "Digit1");
  EXPECT_EQ(ScanCodePlace(0x4B, true), "ArrowLeft");
  EXPECT_EQ(ScanCodePlace(0x4B, false), "Numpad4");
  EXPECT_EQ(ScanCodePlace(0x1C, false), "Enter");
  EXPECT_EQ(ScanCodePlace(0x1C, true), "NumpadEnter");
  EXPECT_EQ(ScanCodePlace(0x7F, false), "");
  EXPECT_EQ(XkbKeycodePlace(10), "Digit1");
  EXPECT_EQ(XkbKeycodePlace(24), "KeyQ");
  EXPECT_EQ(XkbKeycodePlace(55), "KeyV");
  EXPECT_EQ(XkbKeycodePlace(87), "Numpad1");
  EXPECT_EQ(XkbKeycodePlace(113), "") << "the arrows' codes are no scan codes";
  EXPECT_EQ(XkbKeycodePlace(0), "");
}

}  // namespace
}  // namespace vennaloop
