// application.cpp: the application's names, icon and fonts.
#include "app/application.h"

#include <QApplication>
#include <QImageReader>

#include "app/fonts.h"
#include "ui/texts.h"

namespace vennaloop {

namespace {

/// Where the program's settings would live; it reads and writes none.
constexpr char ORGANIZATION[] = "アプリケーション ウィザードで生成されたローカル アプリケーション";

}  // namespace

QIcon ProgramIcon() {
  QIcon icon;
  // The drawing itself, where the toolkit can read SVG; the pictures at fixed sizes always.
  if (QImageReader::supportedImageFormats().contains("svg"))
    icon.addFile(QStringLiteral(":/vennaloop/vennaloop.svg"));
  for (int size : {VENNALOOP_ICON_SIZES})
    icon.addFile(QStringLiteral(":/vennaloop/vennaloop-%1.png").arg(size), QSize(size, size));
  return icon;
}

void ConfigureApplication(QApplication& app) {
  app.setApplicationName(QString::fromUtf8(APP_NAME));
  app.setApplicationVersion(QString::fromUtf8(AppVersion()));
  // Lets a Wayland desktop match the window to the installed entry and its icon.
  app.setDesktopFileName(QStringLiteral(VENNALOOP_APP_ID));
  app.setOrganizationName(QString::fromUtf8(ORGANIZATION));
  app.setWindowIcon(ProgramIcon());
  InstallFontSubstitutions();
}

}  // namespace vennaloop
