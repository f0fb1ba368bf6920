// dialog_template.h: a dialog of ui/'s layouts as an extended dialog template in memory, in the
// dialog units the layouts are written in, with the styles of the game's own dialogs; the dialog
// manager creates the dialog and its controls from it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/dialog_layouts.h"

namespace vennaloop::win {

/// The program icon's resource id, which the icon control shows.
inline constexpr int ICON_RESOURCE_ID = 128;
/// Controls that show a value are numbered from here, in the layout's order.
inline constexpr int FIRST_VALUE_CONTROL_ID = 1000;

/// The window class, styles and id of one control.
struct ControlStyle {
  std::uint16_t classAtom;  ///< 0x80 button, 0x81 edit, 0x82 static
  std::uint32_t style;
  std::uint32_t exStyle;
  std::uint32_t id;  ///< IDOK for the button, numbered from FIRST_VALUE_CONTROL_ID for the
                     ///< controls that show a value, 0xFFFFFFFF (none) for the others
};

/// The control's class and styles; `valueIndex` counts the controls before it that show a value.
ControlStyle StyleOf(const DialogControl& control, int valueIndex);

/// The dialog's own styles: a caption with a close box, a modal frame, the font given; the shell
/// font flag with the shell dialog face.
std::uint32_t DialogStyleOf(const DialogLayout& layout);

/// The order the template lists the layout's controls in: the layout's, but for each label that
/// names a field (NamingLabelOf), which comes just before that field. A screen reader names an
/// edit control by the static text before it; Tab visits the same controls in the same order.
std::vector<std::size_t> TemplateOrder(const DialogLayout& layout);

/// The template, DWORD-aligned as the dialog manager wants it: the layout's caption, size and
/// controls in TemplateOrder, `face` at the layout's point size and weight, and `texts`, one UTF-8
/// text for each control in the layout's order (an icon's is not used). `pointSize`, where not 0,
/// takes the place of the layout's: a dialog shrunk to fit the screen.
std::vector<std::uint32_t> BuildDialogTemplate(const DialogLayout& layout, const std::wstring& face,
                                               std::span<const std::string> texts,
                                               int pointSize = 0);

}  // namespace vennaloop::win
