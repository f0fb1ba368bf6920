// key_table.h: which key is which game key, for every front end, and the gate a key press goes
// through to reach the game. Keys are named as key_press.h reads them: "KeyV" is the key that
// types V on the player's layout, "Digit1" the top row's first key, "ArrowLeft" the arrow.
#pragma once

#include <span>
#include <string_view>

#include "game/game.h"
#include "ui/key_press.h"

namespace vennaloop {

struct KeyBinding {
  std::string_view name;
  int gameKey;  ///< a key code of game/virtual_keys.h
};

/// The sixteen keys the game takes. The keypad's digits are keys of their own and not among them.
std::span<const KeyBinding> GameKeyBindings();

/// The game key of a key's name, or 0 for one the game does not take.
int GameKeyOf(std::string_view name);

struct KeyChord {
  std::string_view name;
  KeyModifiers modifiers;  ///< wanted exactly: Shift+Ctrl+C is not Ctrl+C
};

/// The editing and pane keys the main window keeps for itself, Ctrl+V and Ctrl+Z among them.
std::span<const KeyChord> WindowChords();

/// A key a browser page offers in place of a chord that some browsers keep for themselves
/// (Ctrl+1, 2 and 3 switch tabs in some): pressing `name` gives the game `gameKey`, read at the
/// tick as if the modifiers in `adds` were held too.
struct KeyStandIn {
  std::string_view name;
  int gameKey;  ///< a key code of game/virtual_keys.h
  KeyModifiers adds;
};

/// 7, 8 and 9 for Ctrl+1, 2 and 3: with Shift they are Ctrl+Shift+1, 2 and 3 as well.
std::span<const KeyStandIn> BrowserStandInKeys();

/// False for a window chord and for any key with Alt but not Ctrl (a system key): neither reaches
/// the game, so Ctrl+V does nothing while V alone opens the about box.
bool KeyReachesGame(std::string_view name, KeyModifiers modifiers);

/// The chords a browser page takes from the browser for the game: every game key and stand-in
/// alone or with Shift (a letter is the same key whatever the Shift state), and the three digits
/// with Ctrl or Ctrl+Shift too (the speeds). Nothing else: Ctrl+R, Ctrl+F, Ctrl+S and every Alt
/// or Meta chord stay the browser's, as the game binds none of them.
std::span<const KeyChord> PageChords();

/// Whether a browser page takes the key for the game: it is one of PageChords().
bool PageTakesKey(std::string_view name, KeyModifiers modifiers);

/// Where key presses arrive: a desktop window, which keeps its own chords from the game, or a
/// browser page, which takes only the game's chords and offers the stand-ins.
enum class KeySurface { Window, Page };

/// What the game makes of a key press.
struct GameKeyPress {
  int gameKey = 0;    ///< the key the game records for its next tick; 0: the press is not the
                      ///< game's, and the front end leaves it to its window or browser
  KeyModifiers adds;  ///< held for the tick that takes the key, as a stand-in's Ctrl
};

/// The gate every key press goes through, on every front end.
GameKeyPress ReadKeyPress(const KeyPress& press, KeySurface surface);

/// A key press as the front end saw it, through the gate to the game: true when the game took
/// it; false when the front end is to leave it to its window or browser. `alsoHeld` are
/// modifiers the press brings beyond its own (a touch control's Shift).
bool PressKey(Game& game, const KeyPress& press, KeySurface surface, KeyModifiers alsoHeld = {});

}  // namespace vennaloop
