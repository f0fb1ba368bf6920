// help.h: what the game tells a new player, written once for every front end: the goal, what the
// colours mean and what each key does. The page's key panel, the manual page, the README and the
// Windows README are all made from these.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vennaloop {

/// One sentence on what the player is after.
inline constexpr char GOAL_SENTENCE[] =
    "Find the way from your start room to the goal, the room on the opposite side of the plane, "
    "while the maze grows around you; every alien that catches you costs a hit point.";

/// Where the keys are on any keyboard, as ui/key_press.h reads them.
inline constexpr char KEY_LAYOUT_NOTE[] =
    "The letters are the keys labelled with them, on any keyboard layout (on one without Latin "
    "letters, the keys where a US keyboard has them); 1, 2 and 3 are the top row's first three "
    "keys, whatever they type.";

struct ColourMeaning {
  std::uint32_t colour;  ///< 0xRRGGBB, as the maze draws it
  std::string_view name;
  std::string_view meaning;
};

/// The five colours of the maze, the player's first.
std::span<const ColourMeaning> ColourLegend();

struct KeyHelp {
  std::string_view keys;    ///< as a player reads them: "Shift+1/2/3"
  std::string_view action;  ///< what they do, in lower case
  bool pageOnly;            ///< a key the browser page adds (key_table.h's stand-ins)
};

/// Every key, in the order a player learns them.
std::span<const KeyHelp> KeyHelpTable();

/// The key help as a Markdown table, the page-only rows left out, and the layout note under it:
/// the README's.
std::string KeyHelpMarkdown();
/// The key help as the body of a help2man section, the layout note first and the page-only rows
/// left out: the manual page's KEYS.
std::string KeyHelpManSection();
/// The key help as plain text in two columns, with the goal and the colours above it and the
/// layout note under it, the page-only rows left out: for a README.txt beside a program.
std::string KeyHelpPlainText();

}  // namespace vennaloop
