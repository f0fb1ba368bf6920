// startup_guard.cpp: the display check and the start-up message handler.
#include "app/startup_guard.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vennaloop {

namespace {

struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};

std::vector<HeldMessage>& Held() {
  static std::vector<HeldMessage> held;
  return held;
}

// The xcb and Wayland plugins say so when their display cannot be reached, before Qt gives up
// on every plugin; nothing else tells that failure apart from a plugin that is missing or broken.
bool DisplayUnreachable() {
  for (const HeldMessage& message : Held()) {
    if (message.text.startsWith(QLatin1String("could not connect to display")) ||
        message.text.startsWith(QLatin1String("Failed to create wl_display")))
      return true;
  }
  return false;
}

void PrintAsQtWould(QtMsgType type, const char* category, const QString& text) {
  const QMessageLogContext context(nullptr, 0, nullptr, category);
  std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    if (DisplayUnreachable()) {
      std::fprintf(stderr, "%s\n", kNoDisplayMessage);
    } else {
      for (const HeldMessage& message : Held())
        PrintAsQtWould(message.type, message.category.c_str(), message.text);
      PrintAsQtWould(type, context.category ? context.category : "default", text);
    }
    std::fflush(stderr);
    std::_Exit(1);
  }
  Held().push_back({type, context.category ? context.category : "default", text});
}

}  // namespace

bool DisplayConfigured() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  const bool hasX = !qgetenv("DISPLAY").isEmpty();
  const bool hasWayland = !qgetenv("WAYLAND_DISPLAY").isEmpty();
  if (platform.isEmpty()) return hasX || hasWayland;
  if (platform.startsWith("xcb")) return hasX;
  if (platform.startsWith("wayland")) return hasWayland;
  return true;
}

StartupGuard::StartupGuard() : previous_(qInstallMessageHandler(HoldMessage)) {}

StartupGuard::~StartupGuard() {
  Release();
}

void StartupGuard::Release() {
  if (released_) return;
  released_ = true;
  qInstallMessageHandler(previous_);
  for (const HeldMessage& message : Held()) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
    qt_message_output(message.type, context, message.text);
  }
  Held().clear();
}

}  // namespace vennaloop
