// texts.h: the program's own words, shared by every front end: its name and version, the credit
// and copyright lines, the stage result's messages and the author's profile. All UTF-8.
#pragma once

#include "game/game_host.h"
#include "ui/product.h"

namespace vennaloop {

inline constexpr char APP_NAME[] = VENNALOOP_PRODUCT_NAME;  ///< also the main window's caption
inline constexpr char AUTHOR_CREDIT[] = "Programmed by 凪沙 輪音 (Rinne Nagisa)";
inline constexpr char COPYRIGHT_LINE[] = VENNALOOP_COPYRIGHT;
/// The about box's version line; its version stops at three parts, as it always has.
inline constexpr char ABOUT_VERSION_LINE[] = "Vennaloop, Version 0.5.0";

/// The project's version, as the build gives it ("0.5.0.1").
const char* AppVersion();

/// The two lines of the stage result: Japanese, then English.
struct StageMessage {
  const char* line1;
  const char* line2;
};

/// The message for how a stage ended; an outcome outside the three gets two empty lines.
StageMessage StageMessageFor(Outcome outcome);

/// The author's profile: 261 lines, each ended by "\n".
const char* AuthorProfileText();

}  // namespace vennaloop
