// command_line.h: what the program's command line asks for: the game, its help, its version, or
// a usage error. Answered before any window system is touched, so it works without a display.
#pragma once

#include <optional>

namespace vennaloop {

/// Answers --help and --version on standard output, a wrong option or argument with one line on
/// standard error. Returns the exit status when the program should stop there (0 after help or
/// version, 2 after an error) and nothing when it should start the game.
std::optional<int> AnswerCommandLine(int argc, char** argv);

}  // namespace vennaloop
