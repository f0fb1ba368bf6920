// main_window.h: the game's top-level window: the caption "Vennaloop", a sunken client edge and
// the game view inside it, which takes the focus whenever the window has it.
#pragma once

#include <QFrame>

namespace vennaloop {

class GameView;

class MainWindow : public QFrame {
 public:
  MainWindow();

  GameView* view() const { return view_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  GameView* view_;
};

/// Creates the main window, sized for the title's layout within the screen, deleted when it is
/// closed, and shows it.
MainWindow* OpenMainWindow();

}  // namespace vennaloop
