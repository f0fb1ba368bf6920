// help.cpp: the goal, the colours, the keys, and the key help in the forms the docs take.
#include "ui/help.h"

#include <algorithm>
#include <cstdio>

#include "view/cell_palette.h"

namespace vennaloop {

namespace {

constexpr std::uint32_t RGB_MASK = 0xFFFFFF;

constexpr ColourMeaning LEGEND[] = {
    {PIXEL_PLAYER & RGB_MASK, "pale cyan", "you"},
    {PIXEL_GOAL & RGB_MASK, "yellow", "the goal"},
    {PIXEL_ALIEN & RGB_MASK, "red", "an alien"},
    {PIXEL_WALL & RGB_MASK, "green", "a wall"},
    {PIXEL_OPEN & RGB_MASK, "black", "the open rooms and passages"},
};

constexpr KeyHelp KEYS[] = {
    {"Arrows", "step once and keep running along the corridor to the next junction", false},
    {"Space", "undo the left/right and up/down exchanges that crossing a seam brings", false},
    {"N", "corridor walker: run along corridors, stop at junctions", false},
    {"F", "wanderer: walk at random, never turning back while another way is open", false},
    {"W", "explorer: walk depth-first, remembering the last five junctions", false},
    {"R", "stop walking (manual)", false},
    {"S", "finish growing the maze at once", false},
    {"1, 2, 3", "zoom: 1, 2 or 3 pixels per cell", false},
    {"Shift+1/2/3", "speed: 10, 20, 30 ms per cycle", false},
    {"Ctrl+1/2/3", "speed: 100, 200, 300 ms per cycle", false},
    {"7, 8, 9",
     "speed as Ctrl+1/2/3, for browsers that keep Ctrl with a digit for their tabs (with Shift, "
     "as Ctrl+Shift+1/2/3)",
     true},
    {"Ctrl+Shift+1/2/3", "speed: 1, 2, 3 ms per cycle (a new stage goes back to 16 ms)", false},
    {"Esc", "give up the stage (Esc again in the result dialog returns to it)", false},
    {"V", "about Vennaloop", false},
    {"A", "about the author", false},
};

// `text` broken at spaces into lines of at most `width` characters, each ended by a newline.
std::string Wrapped(std::string_view text, std::size_t width) {
  std::string out;
  std::size_t line = 0;
  while (!text.empty()) {
    const std::size_t end = text.find(' ');
    const std::string_view word = text.substr(0, end);
    if (line > 0 && line + 1 + word.size() > width) {
      out += '\n';
      line = 0;
    } else if (line > 0) {
      out += ' ';
      ++line;
    }
    out.append(word);
    line += word.size();
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return out + '\n';
}

}  // namespace

std::span<const ColourMeaning> ColourLegend() {
  return LEGEND;
}

std::span<const KeyHelp> KeyHelpTable() {
  return KEYS;
}

std::string KeyHelpMarkdown() {
  std::string out = "| Key | What it does |\n|---|---|\n";
  for (const KeyHelp& key : KEYS) {
    if (key.pageOnly) continue;
    out.append("| ").append(key.keys).append(" | ").append(key.action).append(" |\n");
  }
  return out.append("\n").append(Wrapped(KEY_LAYOUT_NOTE, 100));
}

std::string KeyHelpManSection() {
  std::string out = std::string(KEY_LAYOUT_NOTE) + "\n";
  for (const KeyHelp& key : KEYS) {
    if (key.pageOnly) continue;
    out.append(".TP\n.B ").append(key.keys).append("\n").append(key.action).append("\n");
  }
  return out;
}

std::string KeyHelpPlainText() {
  std::string out;
  out.append(Wrapped(GOAL_SENTENCE, 78)).append("\nColours:\n");
  for (const ColourMeaning& colour : LEGEND)
    out.append("  ").append(colour.name).append(": ").append(colour.meaning).append("\n");
  out.append("\nKeys:\n");
  std::size_t width = 0;
  for (const KeyHelp& key : KEYS)
    if (!key.pageOnly) width = std::max(width, key.keys.size());
  for (const KeyHelp& key : KEYS) {
    if (key.pageOnly) continue;
    out.append("  ").append(key.keys).append(width - key.keys.size() + 2, ' ');
    out.append(key.action).append("\n");
  }
  return out.append("\n").append(Wrapped(KEY_LAYOUT_NOTE, 78));
}

}  // namespace vennaloop
