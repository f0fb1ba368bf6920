// dialogs.h: the program's three dialogs, each its shared layout with its values filled in.
#pragma once

#include "app/layout_dialog.h"
#include "game/game_host.h"

namespace vennaloop {

/// The version box: the program icon, the version and the copyright line.
class AboutDialog : public LayoutDialog {
 public:
  explicit AboutDialog(QWidget* owner = nullptr);
};

/// The author's profile, in a scrolling read-only box.
class AuthorDialog : public LayoutDialog {
 public:
  explicit AuthorDialog(QWidget* owner = nullptr);
};

/// The stage result: how the stage ended, in two lines, and its four counters.
class StageResultDialog : public LayoutDialog {
 public:
  explicit StageResultDialog(const StageResult& result, QWidget* owner = nullptr);
};

}  // namespace vennaloop
