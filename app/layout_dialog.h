// layout_dialog.h: a modal dialog built from a shared dialog layout: dialog units become pixels
// of the dialog font, roles become widgets, and the dialog runs over its owner's window.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <vector>

#include "game/game_host.h"
#include "ui/dialog_layouts.h"
#include "ui/dialog_units.h"

namespace vennaloop {

/// The layout's font: its face at its point size and weight, at the screen's logical resolution.
QFont QFontOf(const DialogFont& font);

/// The dialog units of `font`: the mean width of its letters and its height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

class LayoutDialog : public QDialog {
 public:
  /// Builds the layout's controls at their places, with the tab order of the layout. The owner
  /// is the window of `owner`; null leaves the dialog without one. A dialog larger than the
  /// screen's free area is fitted into it.
  LayoutDialog(const DialogLayout& layout, QWidget* owner);

  /// The controls in the layout's order.
  const std::vector<QWidget*>& controls() const { return controls_; }
  /// The control that shows `value`, or null.
  QWidget* control(ControlValue value) const;
  /// Shows `text` in the control of `value`.
  void setValue(ControlValue value, const QString& text);

  /// Shrinks the dialog until it fits in `area`: the scrolling text gives up the room, and the
  /// controls beyond its right or bottom edge move with that edge. At its design size where it
  /// fits already.
  void fitInto(QSize area);

  /// Runs the dialog: disables the owner, centres over it and waits for OK (the default button,
  /// Enter) or Cancel (Esc, the close box). The owner is enabled again afterwards.
  DialogAnswer run();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  const DialogLayout& layout_;
  QPointer<QWidget> owner_;
  std::vector<QWidget*> controls_;
};

}  // namespace vennaloop
