// accelerators.h: the frame's accelerator table: key combinations that become commands before
// the game view sees them. Each entry wants its modifiers exactly: Shift+Ctrl+C is not Ctrl+C.
#pragma once

#include <Qt>
#include <span>

namespace vennaloop {

// Command ids.
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

struct Accelerator {
  int virtualKey;
  bool shift;
  bool ctrl;
  bool alt;
  int command;
};

/// The ten entries of accelerator table 128.
std::span<const Accelerator> FrameAccelerators();

/// The command of the entry that a key press matches, or 0.
int TranslateAccelerator(int virtualKey, Qt::KeyboardModifiers modifiers);

}  // namespace vennaloop
