// key_press.h: which key a press is, on any keyboard layout, from what the platform says of it.
// The game's letters are mnemonics (V for version, A for author), so a letter is the key the
// layout types it with, wherever that key lies; on a layout that types no Latin letters the
// letters keep their US places, as Windows' virtual keys do there. The top row's digits are read
// by place, since AZERTY types "&", "é" and '"' on them. Arrows, Space, Esc and the other named
// keys are the same keys everywhere.
#pragma once

#include <string_view>

namespace vennaloop {

struct KeyModifiers {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool meta = false;  ///< the Windows or Command key
  friend bool operator==(const KeyModifiers&, const KeyModifiers&) = default;
};

/// A key press in the browser's words, which every front end can give.
struct KeyPress {
  /// The key's place, as KeyboardEvent.code names places on a US keyboard ("KeyQ", "Digit1",
  /// "Numpad4"); empty where the platform does not say.
  std::string_view place;
  /// What the layout gives on the key, as KeyboardEvent.key says it: the character it types, in
  /// UTF-8 ("a", "Q", "é", "ц", "&"), or the key's name ("ArrowLeft", "Escape", "F6", "Dead");
  /// empty or "Unidentified" where the platform does not say.
  std::string_view key;
  KeyModifiers modifiers;
};

/// The key as the game reads it, in the key table's names: "KeyA" to "KeyZ" for the keys that
/// type those letters, "Digit0" to "Digit9" for the top row's keys, and a named key's own name
/// ("Space" for the space bar). Empty for any other key: punctuation, a letter with an accent,
/// a dead key, or a letter's place whose letter the platform does not tell.
std::string_view KeyNameOf(std::string_view place, std::string_view key);

}  // namespace vennaloop
