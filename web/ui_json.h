// ui_json.h: the shared interface data (texts, faces, title, dialogs, keys, help) written out as
// JSON, for the page's script and the build's font subsetter, so that neither keeps a copy of it.
#pragma once

#include <string>

#include "game/game_host.h"

namespace vennaloop::web {

/// Everything the page shows that is not the maze: one JSON object.
std::string InterfaceJson();

/// The finished text of every control of a dialog, in its layout's order: a JSON array.
std::string ControlTextsJson(const DialogRequest& request);

}  // namespace vennaloop::web
