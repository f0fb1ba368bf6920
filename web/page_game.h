// page_game.h: the one game the page plays (web/main.cpp), for the exports that only the test
// build of the core adds (web/tests/test_exports.cpp) to look at it.
#pragma once

#include "game/game.h"
#include "game/pacer.h"

namespace vennaloop::web {

const Game& PageGame();
const Pacer& PagePacer();

}  // namespace vennaloop::web
