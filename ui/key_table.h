// key_table.h: which physical key is which game key, for every front end. Keys are named by their
// place on the keyboard as the browser's KeyboardEvent.code names them ("Digit1", "KeyV",
// "Numpad1", "Escape", "ArrowLeft"); a front end turns its own key events into these names.
#pragma once

#include <span>
#include <string_view>

namespace vennaloop {

struct KeyBinding {
  std::string_view code;
  int gameKey;  ///< a key code of game/virtual_keys.h
};

/// The sixteen keys the game takes. The keypad's digits are keys of their own and not among them.
std::span<const KeyBinding> GameKeyBindings();

/// The game key of a physical key, or 0 for one the game does not take.
int GameKeyOf(std::string_view code);

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool meta = false;  ///< the Windows or Command key
  friend bool operator==(const KeyModifiers&, const KeyModifiers&) = default;
};

struct KeyChord {
  std::string_view code;
  KeyModifiers modifiers;  ///< wanted exactly: Shift+Ctrl+C is not Ctrl+C
};

/// The editing and pane keys the main window keeps for itself, Ctrl+V and Ctrl+Z among them.
std::span<const KeyChord> WindowChords();

/// A key a browser page offers in place of a chord that some browsers keep for themselves
/// (Ctrl+1, 2 and 3 switch tabs in some): pressing `code` gives the game `gameKey`, read at the
/// tick as if the modifiers in `adds` were held too.
struct KeyStandIn {
  std::string_view code;
  int gameKey;  ///< a key code of game/virtual_keys.h
  KeyModifiers adds;
};

/// 7, 8 and 9 for Ctrl+1, 2 and 3: with Shift they are Ctrl+Shift+1, 2 and 3 as well.
std::span<const KeyStandIn> BrowserStandInKeys();

/// False for a window chord and for any key with Alt but not Ctrl (a system key): neither reaches
/// the game, so Ctrl+V does nothing while V alone opens the about box.
bool KeyReachesGame(std::string_view code, KeyModifiers modifiers);

/// The chords a browser page takes from the browser for the game: every game key and stand-in
/// alone or with Shift (a letter is the same key whatever the Shift state), and the three digits
/// with Ctrl or Ctrl+Shift too (the speeds). Nothing else: Ctrl+R, Ctrl+F, Ctrl+S and every Alt
/// or Meta chord stay the browser's, as the game binds none of them.
std::span<const KeyChord> PageChords();

/// Whether a browser page takes the key for the game: it is one of PageChords().
bool PageTakesKey(std::string_view code, KeyModifiers modifiers);

}  // namespace vennaloop
