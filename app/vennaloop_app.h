// vennaloop_app.h: the application object: names the program, maps its fonts, creates and shows
// the main frame, and handles the application's own commands (About, Exit).
#pragma once

#include <QApplication>
#include <QPointer>

#include "app/main_frame.h"

namespace vennaloop {

class CVennaloopApp : public QApplication {
 public:
  /// Sets the application name "Vennaloop", version 0.5.0.1, the organisation name (the
  /// registry key name; no settings are read or written) and the program icon.
  CVennaloopApp(int& argc, char** argv);

  /// Creates the main frame, sizes it for the title layout within the screen and shows it.
  bool InitInstance();

  /// The About command opens the version box; Exit closes the frame. Others: not handled.
  bool OnCmdMsg(int command);

  CMainFrame* mainFrame() const { return mainFrame_; }

 private:
  QPointer<CMainFrame> mainFrame_;
};

/// The program icon, at every size it comes in.
QIcon ProgramIcon();

}  // namespace vennaloop
