// main_frame.h: the main frame: a top-level window without a menu bar whose only child, the game
// view, fills it; it takes the accelerator keys and passes the focus on to the view.
#pragma once

#include <QMainWindow>

namespace vennaloop {

class CChildView;

class CMainFrame : public QMainWindow {
 public:
  /// Creates the game view as the whole client area, with caption "Vennaloop".
  CMainFrame();

  CChildView* view() const { return view_; }

  /// Offers a command to the view, then the frame, then the application object. True if one of
  /// them handled it; the accelerators' editing and pane commands are handled by none.
  bool OnCmdMsg(int command);
  /// The command the last accelerator key produced, 0 before any.
  int lastAcceleratorCommand() const { return lastAcceleratorCommand_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  CChildView* view_;
  int lastAcceleratorCommand_ = 0;
};

}  // namespace vennaloop
