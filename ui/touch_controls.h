// touch_controls.h: the page's touch controls as data: the bar of buttons under the view, the
// menu its last button opens, and the help in that menu. Each button has its label and the key
// it presses, so the page only turns them into elements.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vennaloop {

struct TouchButton {
  std::string label;         ///< what the button shows
  std::string_view caption;  ///< a small line under the label; empty for none
  std::string_view key;      ///< the key it presses, as KeyboardEvent.key names it
  bool shift = false;        ///< held for the key
  bool ctrl = false;
};

struct TouchMenuRow {
  std::string_view heading;  ///< empty: the row goes on under the one above
  std::vector<TouchButton> buttons;
};

/// The bar: the walkers, the growth and the zooms. Neighbours with the same caption (the zooms)
/// share one caption under them all, which leaves each caption room to be read.
std::span<const TouchButton> TouchBarButtons();
/// The bar's last button, which opens and closes the menu; it presses no key.
const TouchButton& TouchMenuButton();
/// The menu: the speeds, labelled with their periods in milliseconds, fastest first, six to a
/// row; then the stage's keys and the about boxes.
std::span<const TouchMenuRow> TouchMenuRows();

/// The menu's help: the line it opens by, and what it says of the touch controls before the
/// help every front end shows (ui/help.h).
inline constexpr char TOUCH_HELP_SUMMARY[] = "How to play";
inline constexpr char TOUCH_HELP_NOTE[] =
    "Swipe on the maze for the arrow keys; the buttons below it are the keys of the same letters.";

}  // namespace vennaloop
