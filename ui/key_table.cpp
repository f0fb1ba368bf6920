// key_table.cpp: the game's keys and the window's chords.
#include "ui/key_table.h"

#include "game/virtual_keys.h"

namespace vennaloop {

namespace {

constexpr KeyBinding GAME_KEYS[] = {
    {"Escape", KEY_ESCAPE}, {"Space", KEY_SPACE},      {"ArrowLeft", KEY_LEFT},
    {"ArrowUp", KEY_UP},    {"ArrowRight", KEY_RIGHT}, {"ArrowDown", KEY_DOWN},
    {"Digit1", KEY_1},      {"Digit2", KEY_2},         {"Digit3", KEY_3},
    {"KeyA", KEY_A},        {"KeyF", KEY_F},           {"KeyN", KEY_N},
    {"KeyR", KEY_R},        {"KeyS", KEY_S},           {"KeyV", KEY_V},
    {"KeyW", KEY_W},
};

constexpr KeyModifiers CTRL{.ctrl = true};
constexpr KeyModifiers SHIFT{.shift = true};
constexpr KeyModifiers ALT{.alt = true};

constexpr KeyChord WINDOW_CHORDS[] = {
    {"KeyC", CTRL},    {"Insert", CTRL}, {"KeyV", CTRL},     {"Insert", SHIFT},      {"KeyX", CTRL},
    {"Delete", SHIFT}, {"KeyZ", CTRL},   {"Backspace", ALT}, {"F6", KeyModifiers{}}, {"F6", SHIFT},
};

// The digits' row goes on past 3, so the slow speeds sit right of the zooms.
constexpr KeyStandIn BROWSER_STAND_INS[] = {
    {"Digit7", KEY_1, CTRL},
    {"Digit8", KEY_2, CTRL},
    {"Digit9", KEY_3, CTRL},
};

}  // namespace

std::span<const KeyBinding> GameKeyBindings() {
  return GAME_KEYS;
}

int GameKeyOf(std::string_view code) {
  for (const KeyBinding& binding : GAME_KEYS)
    if (binding.code == code) return binding.gameKey;
  return 0;
}

std::span<const KeyChord> WindowChords() {
  return WINDOW_CHORDS;
}

std::span<const KeyStandIn> BrowserStandInKeys() {
  return BROWSER_STAND_INS;
}

bool KeyReachesGame(std::string_view code, KeyModifiers modifiers) {
  if (modifiers.alt && !modifiers.ctrl) return false;
  for (const KeyChord& chord : WINDOW_CHORDS)
    if (chord.code == code && chord.modifiers == modifiers) return false;
  return true;
}

}  // namespace vennaloop
