// key_table.cpp: the game's keys, the window's chords, the page's stand-ins, and the gate.
#include "ui/key_table.h"

#include <array>
#include <iterator>

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

constexpr bool IsDigit(int gameKey) {
  return gameKey == KEY_1 || gameKey == KEY_2 || gameKey == KEY_3;
}

constexpr auto PAGE_CHORDS = [] {
  constexpr KeyModifiers NONE{}, CTRL_SHIFT{.shift = true, .ctrl = true};
  std::array<KeyChord, 2 * (std::size(GAME_KEYS) + std::size(BROWSER_STAND_INS)) + 2 * 3> chords{};
  std::size_t n = 0;
  for (const KeyBinding& key : GAME_KEYS) {
    chords[n++] = {key.name, NONE};
    chords[n++] = {key.name, SHIFT};
    if (IsDigit(key.gameKey)) {
      chords[n++] = {key.name, CTRL};
      chords[n++] = {key.name, CTRL_SHIFT};
    }
  }
  for (const KeyStandIn& standIn : BROWSER_STAND_INS) {
    chords[n++] = {standIn.name, NONE};
    chords[n++] = {standIn.name, SHIFT};
  }
  return chords;
}();

}  // namespace

std::span<const KeyBinding> GameKeyBindings() {
  return GAME_KEYS;
}

int GameKeyOf(std::string_view name) {
  for (const KeyBinding& binding : GAME_KEYS)
    if (binding.name == name) return binding.gameKey;
  return 0;
}

std::span<const KeyChord> WindowChords() {
  return WINDOW_CHORDS;
}

std::span<const KeyStandIn> BrowserStandInKeys() {
  return BROWSER_STAND_INS;
}

bool KeyReachesGame(std::string_view name, KeyModifiers modifiers) {
  if (modifiers.alt && !modifiers.ctrl) return false;
  for (const KeyChord& chord : WINDOW_CHORDS)
    if (chord.name == name && chord.modifiers == modifiers) return false;
  return true;
}

std::span<const KeyChord> PageChords() {
  return PAGE_CHORDS;
}

bool PageTakesKey(std::string_view name, KeyModifiers modifiers) {
  for (const KeyChord& chord : PAGE_CHORDS)
    if (chord.name == name && chord.modifiers == modifiers) return true;
  return false;
}

GameKeyPress ReadKeyPress(const KeyPress& press, KeySurface surface) {
  const std::string_view name = KeyNameOf(press.place, press.key);
  if (name.empty()) return {};
  if (surface == KeySurface::Window)
    return {KeyReachesGame(name, press.modifiers) ? GameKeyOf(name) : 0, {}};
  if (!PageTakesKey(name, press.modifiers)) return {};
  if (const int gameKey = GameKeyOf(name)) return {gameKey, {}};
  for (const KeyStandIn& standIn : BROWSER_STAND_INS)
    if (standIn.name == name) return {standIn.gameKey, standIn.adds};
  return {};
}

bool PressKey(Game& game, const KeyPress& press, KeySurface surface, KeyModifiers alsoHeld) {
  const GameKeyPress read = ReadKeyPress(press, surface);
  if (read.gameKey == 0) return false;
  game.KeyDown(read.gameKey, {read.adds.shift || alsoHeld.shift, read.adds.ctrl || alsoHeld.ctrl});
  return true;
}

}  // namespace vennaloop
