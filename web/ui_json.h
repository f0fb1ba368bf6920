// ui_json.h: the shared interface data (texts, faces, title, dialogs, keys) written out as JSON,
// for the page's script and the build's font subsetter, so that neither keeps a copy of it.
#pragma once

#include <string>

#include "game/game_host.h"

namespace vennaloop::web {

/// Everything the page shows that is not the maze: one JSON object.
std::string InterfaceJson();

/// What the stage result dialog fills in: its two lines and four counters.
std::string StageResultJson(const StageResult& result);

}  // namespace vennaloop::web
