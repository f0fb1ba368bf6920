// dialog_layouts.h: the three modal dialogs as data: caption, font, size and controls, with
// positions and sizes in dialog units (dialog_units.h turns them into pixels of the dialog font).
//
// Every dialog has a caption with a close box and a fixed size, and is centred over the main
// window (window_fit.h), which it disables while it is up. Enter presses the default button,
// which answers OK; Esc and the close box answer Cancel. The focus starts on the first control
// that Tab reaches. The icon is drawn DIALOG_ICON_SIZE logical pixels square. A dialog larger
// than the screen's free area shrinks whole to fit it (window_fit.h).
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "game/game_host.h"
#include "ui/text_align.h"

namespace vennaloop {

/// The side of a dialog's icon, in logical pixels: the desktop's standard icon size.
inline constexpr int DIALOG_ICON_SIZE = 32;

enum class ControlRole {
  Label,          ///< static text, wrapped at word boundaries within its rectangle
  Icon,           ///< the program icon at the standard icon size, at the rectangle's top left
  ReadOnlyField,  ///< one line that can be selected but not changed; scrolls sideways
  ScrollingText,  ///< many read-only lines, a vertical scroll bar always, no wrapping
  Button,         ///< a push button that closes the dialog with OK
};

/// The edge drawn around a control. Read-only fields lie on the dialog's face colour, so the
/// edge is all that sets them apart.
enum class ControlEdge {
  None,
  Line,    ///< a thin flat dark line
  Sunken,  ///< a thin sunken edge: dark above and left, light below and right
};

/// What a control shows that is not fixed text: ControlTexts fills it in.
enum class ControlValue {
  None,
  StageLine1,     ///< StageMessageFor(outcome).line1
  StageLine2,     ///< StageMessageFor(outcome).line2
  ElapsedCycles,  ///< signed decimal, as are the three below
  SkippedCycle,
  HitPoints,
  NextStageAliens,
  AuthorProfile,  ///< AuthorProfileText()
};

struct DialogControl {
  ControlRole role;
  int x, y, width, height;  ///< dialog units
  const char* text;         ///< fixed text, UTF-8; empty where `value` fills the control
  TextAlign align;
  ControlEdge edge;
  bool tabStop;    ///< reached by Tab, in the order of the list
  bool isDefault;  ///< the button that Enter presses
  ControlValue value;
};

struct DialogFont {
  const char* face;  ///< a face of faces.h
  int pointSize;
  int weight;  ///< 400 normal, 700 bold; 0 leaves it to the face (normal)
};

struct DialogLayout {
  const char* caption;  ///< UTF-8
  DialogFont font;
  int width, height;  ///< client size, dialog units
  std::span<const DialogControl> controls;
};

/// The version box: the program icon, the version and the copyright line. Opened by V.
const DialogLayout& AboutDialogLayout();
/// The author's profile in a scrolling box. Opened by A.
const DialogLayout& AuthorDialogLayout();
/// The stage result: two message lines and four counters. Opened when a stage ends.
const DialogLayout& StageResultDialogLayout();

/// The layout of a dialog the game opens.
const DialogLayout& DialogLayoutOf(DialogKind kind);

/// What every control of the requested dialog shows, in the layout's order: its fixed text, or
/// the value it stands for, filled in (the stage's message lines, its counters in signed
/// decimal, the author's profile). Front ends show these texts as they are.
std::vector<std::string> ControlTexts(const DialogRequest& request);

/// Whether a screen reader needs a name given for the control: the read-only fields and the
/// scrolling text, which show a value rather than say what they are.
bool IsNamedField(const DialogControl& control);

/// The label that names a field (IsNamedField) to a screen reader: the nearest label to its left
/// on its row (their vertical spans overlap). None for other controls, and for fields without
/// one, such as the stage's message lines and the profile, which the dialog's caption names.
std::optional<std::size_t> NamingLabelOf(const DialogLayout& layout, std::size_t control);

}  // namespace vennaloop
