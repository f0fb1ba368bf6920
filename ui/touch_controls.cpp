// touch_controls.cpp: the touch bar's buttons and the menu's rows.
#include "ui/touch_controls.h"

#include <utility>

#include "game/game.h"

namespace vennaloop {

namespace {

// Fastest first: Ctrl+Shift, Shift, then Ctrl, as the key help lists them.
constexpr std::pair<bool, bool> SPEED_CHORDS[] = {{true, true}, {true, false}, {false, true}};
constexpr std::size_t SPEEDS_TO_A_ROW = 6;

std::vector<TouchButton> SpeedButtons() {
  std::vector<TouchButton> buttons;
  for (const auto& [shift, ctrl] : SPEED_CHORDS) {
    for (const char* digit : {"1", "2", "3"}) {
      const int period = SpeedPeriodMs(digit[0] - '0', shift, ctrl);
      buttons.push_back({std::to_string(period), "", digit, shift, ctrl});
    }
  }
  return buttons;
}

std::vector<TouchMenuRow> MenuRows() {
  const std::vector<TouchButton> speeds = SpeedButtons();
  const auto split = speeds.begin() + SPEEDS_TO_A_ROW;
  return {
      {"Speed, ms a cycle", {speeds.begin(), split}},
      {"", {split, speeds.end()}},
      {"Stage", {{"Undo exchanges", "", " "}, {"Give up", "", "Escape"}}},
      {"Vennaloop", {{"About", "", "v"}, {"Author", "", "a"}}},
  };
}

}  // namespace

std::span<const TouchButton> TouchBarButtons() {
  static const std::vector<TouchButton> bar = {
      {"N", "corridor", "n"}, {"F", "wander", "f"}, {"W", "explore", "w"}, {"R", "stop", "r"},
      {"S", "grow", "s"},     {"1", "zoom", "1"},   {"2", "zoom", "2"},    {"3", "zoom", "3"},
  };
  return bar;
}

const TouchButton& TouchMenuButton() {
  static const TouchButton more{"\u2630", "more", ""};
  return more;
}

std::span<const TouchMenuRow> TouchMenuRows() {
  static const std::vector<TouchMenuRow> rows = MenuRows();
  return rows;
}

}  // namespace vennaloop
