// window_fit.cpp: the first window size, a dialog's shrink factor and its place.
#include "ui/window_fit.h"

#include <algorithm>
#include <cmath>

#include "ui/title_layout.h"

namespace vennaloop {

PixelSize InitialClientSize(PixelSize edges, double scale, PixelSize room) {
  const auto scaled = [scale](int pixels) { return static_cast<int>(std::lround(pixels * scale)); };
  return {std::clamp(scaled(TITLE_LAYOUT_WIDTH) + edges.width, 0, std::max(room.width, 0)),
          std::clamp(scaled(TITLE_LAYOUT_HEIGHT) + edges.height, 0, std::max(room.height, 0))};
}

double DialogFitScale(PixelSize dialog, PixelSize room) {
  double scale = 1;
  if (dialog.width > room.width && dialog.width > 0)
    scale = std::min(scale, static_cast<double>(std::max(room.width, 1)) / dialog.width);
  if (dialog.height > room.height && dialog.height > 0)
    scale = std::min(scale, static_cast<double>(std::max(room.height, 1)) / dialog.height);
  return scale;
}

ScreenRect PlaceDialog(ScreenRect owner, PixelSize size, ScreenRect room) {
  int x = owner.x + (owner.width - size.width) / 2;
  int y = owner.y + (owner.height - size.height) / 2;
  // The far edges first, so that a dialog larger than the room keeps its caption on the screen.
  x = std::max(std::min(x, room.x + room.width - size.width), room.x);
  y = std::max(std::min(y, room.y + room.height - size.height), room.y);
  return {x, y, size.width, size.height};
}

}  // namespace vennaloop
