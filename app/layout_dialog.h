// layout_dialog.h: a game dialog built from its shared layout: dialog units become pixels of the
// dialog font, roles become widgets showing the texts the shared data gives them, and the dialog
// is shown modal over its owner's window without holding up the event loop.
#pragma once

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <QRect>
#include <functional>
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
  /// Builds the requested dialog's controls at their places, with their texts and the tab order
  /// of the layout. The owner is the window of `owner`; null leaves the dialog without one. A
  /// dialog larger than the screen's free area is fitted into it.
  explicit LayoutDialog(const DialogRequest& request, QWidget* owner = nullptr);

  const DialogRequest& request() const { return request_; }
  /// The controls in the layout's order.
  const std::vector<QWidget*>& controls() const { return controls_; }
  /// The control that shows `value`, or null.
  QWidget* control(ControlValue value) const;

  /// Shrinks the dialog whole, font and every rectangle alike, until it fits in `area`
  /// (DialogFitScale). At its design size where it fits already.
  void fitInto(QSize area);

  /// Shows the dialog centred over its owner, modal, and returns at once. The owner is disabled
  /// while it is up. When it closes, the owner is enabled again and `answered` gets OK (the
  /// default button, Enter) or Cancel (Esc, the close box).
  void openModal(std::function<void(DialogAnswer)> answered);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  DialogRequest request_;
  const DialogLayout& layout_;
  QPointer<QWidget> owner_;
  std::vector<QWidget*> controls_;

  /// Sets the dialog's font, its size and every control's place from the layout, all scaled by
  /// `scale`.
  void placeControls(double scale);
};

}  // namespace vennaloop
