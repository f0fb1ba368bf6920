// vennaloop_app.cpp: start-up and the application's commands.
#include "app/vennaloop_app.h"

#include <QIcon>
#include <QImageReader>
#include <QScreen>
#include <algorithm>

#include "app/about_dlg.h"
#include "app/accelerators.h"
#include "app/app_info.h"
#include "app/child_view.h"
#include "app/fonts.h"
#include "app/main_frame.h"

namespace vennaloop {

namespace {

// The title is laid out for a client area of 1200 x 600; the view and the title overlay each
// take a sunken edge of 2 pixels from it.
constexpr int kClientWidth = 1200 + 8;
constexpr int kClientHeight = 600 + 8;
// Room left on the screen for the window manager's frame and title bar.
constexpr int kDecorationWidth = 16;
constexpr int kDecorationHeight = 64;

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  // The drawing itself, where the toolkit can read SVG; the pictures at fixed sizes always.
  if (QImageReader::supportedImageFormats().contains("svg"))
    icon.addFile(QStringLiteral(":/vennaloop/vennaloop.svg"));
  for (int size : {256, 128, 96, 64, 48, 32, 16})
    icon.addFile(QStringLiteral(":/vennaloop/vennaloop-%1.png").arg(size), QSize(size, size));
  return icon;
}

CVennaloopApp::CVennaloopApp(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QString::fromUtf8(kAppName));
  setApplicationVersion(QString::fromUtf8(kAppVersion));
  // Lets a Wayland desktop match the window to the installed entry and its icon.
  setDesktopFileName(QString::fromUtf8(kDesktopFileName));
  setOrganizationName(QString::fromUtf8(kRegistryKey));
  setWindowIcon(ProgramIcon());
  InstallFontSubstitutions();
}

bool CVennaloopApp::InitInstance() {
  auto* frame = new CMainFrame;
  mainFrame_ = frame;
  frame->setAttribute(Qt::WA_DeleteOnClose);  // the frame deletes itself when closed
  QSize size(kClientWidth, kClientHeight);
  if (const QScreen* screen = primaryScreen()) {
    const QRect available = screen->availableGeometry();
    size = size.boundedTo(
        QSize(available.width() - kDecorationWidth, available.height() - kDecorationHeight));
  }
  frame->resize(size);
  frame->show();
  frame->view()->setFocus(Qt::ActiveWindowFocusReason);
  return true;
}

bool CVennaloopApp::OnCmdMsg(int command) {
  switch (command) {
    case ID_APP_ABOUT: {
      CAboutDlg dialog(mainFrame_);
      dialog.DoModal();
      return true;
    }
    case ID_APP_EXIT:
      if (mainFrame_) mainFrame_->close();
      return true;
    default:
      return false;
  }
}

}  // namespace vennaloop
