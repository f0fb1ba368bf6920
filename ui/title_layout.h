// title_layout.h: the title written over the first picture of the maze: six fixed lines, each
// with its own rectangle, face, size and colour. It shows while the game counts its first
// TITLE_TICKS - 1 ticks (game/game.h) and is gone from the TITLE_TICKS-th on, for the whole run.
#pragma once

#include <cstdint>
#include <span>

#include "ui/text_align.h"

namespace vennaloop {

/// The client size the rectangles are laid out for, in logical pixels. They do not follow the
/// window: on every front end a smaller view cuts the title off at its right and bottom edges.
/// The title is a second's greeting laid out for a window of its own size, which the main window
/// opens at wherever the screen has room (window_fit.h); shrinking it instead would squeeze the
/// lettering that the layout sets in fixed face widths.
inline constexpr int TITLE_LAYOUT_WIDTH = 1200;
inline constexpr int TITLE_LAYOUT_HEIGHT = 600;

/// One line of the title. The text starts at the rectangle's top edge, is placed across it by
/// `align`, never wraps and is never clipped to the rectangle.
struct TitleItem {
  const char* text;              ///< UTF-8
  int left, top, right, bottom;  ///< pixels of the overlay's client area
  int fontHeight;                ///< the character cell (ascent plus descent), in pixels
  int fontWidth;  ///< the average character width, in pixels: the face is squeezed to it
  bool italic;
  const char* face;      ///< a face of faces.h
  std::uint32_t colour;  ///< 0xRRGGBB
  TextAlign align;
};

/// The six items, drawn in this order over a transparent background.
std::span<const TitleItem> TitleItems();

}  // namespace vennaloop
