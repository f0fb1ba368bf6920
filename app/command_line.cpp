// command_line.cpp: the program's options, parsed with Qt's parser and no application object.
#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "ui/texts.h"

namespace vennaloop {

namespace {

// The name the program answers under; the window's caption is another matter.
constexpr char kProgram[] = "vennaloop";

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

}  // namespace

std::optional<int> AnswerCommandLine(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("A maze game on the projective plane. Without options it opens the game "
                     "window."));
  // Spelled out rather than addHelpOption(): that one also offers --help-all for the toolkit's
  // own options, which the game does not take.
  const QCommandLineOption help({"h", "help"}, QStringLiteral("Show this help and exit."));
  const QCommandLineOption version({"v", "version"}, QStringLiteral("Show the version and exit."));
  parser.addOption(help);
  parser.addOption(version);

  QString error;
  if (!parser.parse(arguments))
    error = parser.errorText();
  else if (!parser.positionalArguments().isEmpty())
    error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
  if (!error.isEmpty()) {
    Print(stderr, QStringLiteral("%1: %2 Try '%1 --help'.\n").arg(kProgram, error));
    return 2;
  }
  if (parser.isSet(help)) {
    // The usage line names the program as it was started, which only an application object
    // knows; a core one needs no display.
    int one = 1;
    QCoreApplication core(one, argv);
    Print(stdout, parser.helpText());
    return 0;
  }
  if (parser.isSet(version)) {
    Print(stdout, QStringLiteral("%1 %2\n").arg(kProgram, QString::fromUtf8(AppVersion())));
    return 0;
  }
  return std::nullopt;
}

}  // namespace vennaloop
