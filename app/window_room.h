// window_room.h: how much of a screen a window's client area may take: the screen's free area
// less the room a window manager's frame and title bar take around it. One allowance for the
// main window and the dialogs alike.
#pragma once

#include <QScreen>
#include <QSize>

namespace vennaloop {

inline QSize ClientRoom(const QScreen& screen) {
  constexpr QSize DECORATION(16, 64);
  return screen.availableGeometry().size() - DECORATION;
}

}  // namespace vennaloop
