// window_fit.h: how the game's windows meet the screen, the same on every front end: the main
// window's first size and a dialog larger than the room the screen leaves it (the title on a
// small view: title_layout.h). Front ends measure their platform's edges and free area and apply
// what these say.
#pragma once

namespace vennaloop {

/// Pixels, device or logical as the caller's platform counts them.
struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct ScreenRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

/// The main window's first client size: the title's whole layout (title_layout.h) at `scale`
/// pixels to a logical pixel, inside the sunken `edges` that lie between the client area and
/// the title's own area, but no larger than `room`, the largest client area the screen leaves.
PixelSize InitialClientSize(PixelSize edges, double scale, PixelSize room);

/// A dialog larger than the room the screen leaves it is shrunk whole, its font and every
/// rectangle alike, by this factor, so it keeps its layout and every control stays in reach; 1
/// when it fits. Never enlarged.
double DialogFitScale(PixelSize dialog, PixelSize room);

/// Where a dialog of `size` goes: centred over its owner's window, then moved as little as it
/// takes to lie inside `room` (the screen's free area), its top-left corner inside it first.
ScreenRect PlaceDialog(ScreenRect owner, PixelSize size, ScreenRect room);

}  // namespace vennaloop
