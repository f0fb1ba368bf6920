// accelerators.cpp: accelerator table 128 and its lookup.
#include "app/accelerators.h"

#include "app/key_map.h"

namespace vennaloop {

namespace {

constexpr Accelerator kFrameAccelerators[] = {
    {'C', false, true, false, ID_EDIT_COPY},    {VK_INSERT, false, true, false, ID_EDIT_COPY},
    {'V', false, true, false, ID_EDIT_PASTE},   {VK_INSERT, true, false, false, ID_EDIT_PASTE},
    {'X', false, true, false, ID_EDIT_CUT},     {VK_DELETE, true, false, false, ID_EDIT_CUT},
    {'Z', false, true, false, ID_EDIT_UNDO},    {VK_BACK, false, false, true, ID_EDIT_UNDO},
    {VK_F6, false, false, false, ID_NEXT_PANE}, {VK_F6, true, false, false, ID_PREV_PANE},
};

}  // namespace

std::span<const Accelerator> FrameAccelerators() {
  return kFrameAccelerators;
}

int TranslateAccelerator(int virtualKey, Qt::KeyboardModifiers modifiers) {
  const bool shift = modifiers & Qt::ShiftModifier;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool alt = modifiers & Qt::AltModifier;
  for (const Accelerator& entry : kFrameAccelerators)
    if (entry.virtualKey == virtualKey && entry.shift == shift && entry.ctrl == ctrl &&
        entry.alt == alt)
      return entry.command;
  return 0;
}

}  // namespace vennaloop
