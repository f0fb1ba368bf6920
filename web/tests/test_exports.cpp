// test_exports.cpp: what the page's tests and benchmark ask of the core beyond what the page
// uses, built only into their own copy of the core (vennaloop_web_test; test_hooks.js is its
// script side): the game's state, the core's reference picture to hold the canvas against, and
// the old whole-tile frames the benchmark compares the page's own against.
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "game/game.h"
#include "game/pacer.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "web/page_game.h"
#include "world/maze_generator.h"

namespace vennaloop::web {
namespace {

// No pixel the core draws has it: every one is opaque.
constexpr std::uint32_t UNCOVERED_PIXEL = 0x01000000;

// The whole-tile frames: the picture repeats every PICTURE_PERIOD_CELLS cells across and down,
// so the core renders a tile a little larger than a period, at the same phase as the whole view,
// every frame, and the page puts it down as many times as the view needs.
struct Placement {
  int period;     ///< pixels after which the picture repeats
  int tileWidth;  ///< the tile the core draws
  int tileHeight;
  int offsetX;  ///< where the tile's top-left pixel lies in the view
  int offsetY;
  int coveredRight;  ///< one past the last view pixel a cell covers
  int coveredBottom;
};

PixelBuffer tile(PixelFormat::Rgba8);
int viewWidth = 0, viewHeight = 0;
double viewRatio = 1;
int tileSide = 0;
Placement placement{};

int CurrentSide() {
  return CellSide(PageGame().zoom, viewRatio);
}

int TileSide(int viewSide, int side) {
  return std::min(viewSide, PICTURE_PERIOD_CELLS * side + 4 * side);
}

// Sizes the tile for the view and the cell side; false when there is no picture.
bool PrepareTile() {
  const int side = CurrentSide();
  tileSide = side;
  const int width = TileSide(viewWidth, side), height = TileSide(viewHeight, side);
  if ((tile.Width() != width || tile.Height() != height) && !tile.Resize(width, height)) {
    return false;
  }
  const ViewLayout view = ComputeViewLayout(viewWidth, viewHeight, side);
  const ViewLayout at = ComputeViewLayout(width, height, side);
  placement = {PICTURE_PERIOD_CELLS * side,
               width,
               height,
               view.centre_left - at.centre_left,
               view.centre_top - at.centre_top,
               std::min(viewWidth, view.centre_left + side * view.cells_left),
               std::min(viewHeight, view.centre_top + side * view.cells_above)};
  return true;
}

void RenderTile() {
  if (CurrentSide() != tileSide && !PrepareTile()) return;
  RenderView(tile, tileSide);
}

}  // namespace
}  // namespace vennaloop::web

using namespace vennaloop;
using namespace vennaloop::web;

extern "C" {

/// The game's fields the tests look at, as JSON.
EMSCRIPTEN_KEEPALIVE const char* vl_state_json() {
  static char json[512];
  const Game& game = PageGame();
  std::snprintf(json, sizeof json,
                "{\"zoom\":%d,\"titleTicks\":%d,\"elapsedCycles\":%d,\"skippedCycle\":%d,"
                "\"hitPoints\":%d,\"moveMode\":%d,\"playerCell\":%d,\"mazeFinished\":%s,"
                "\"timerPeriod\":%d,\"dialogOpen\":%s,\"pendingKey\":%d}",
                game.zoom, game.titleTicks, game.elapsedCycles, game.skippedCycle, game.hitPoints,
                static_cast<int>(game.moveMode), game.playerCell, Maze.finished ? "true" : "false",
                PagePacer().PeriodMs(), game.DialogOpen() ? "true" : "false", game.pendingKey);
  return json;
}

/// What the reference picture holds where no cell is drawn; no pixel the core draws has it.
EMSCRIPTEN_KEEPALIVE std::uint32_t vl_uncovered_pixel() {
  return UNCOVERED_PIXEL;
}

/// The core's own picture of the current cell map at a size, zoom and pixel ratio, in the
/// canvas's byte order, for the tests to hold the canvas against. Pixels no cell covers keep
/// whatever the canvas had; here they hold vl_uncovered_pixel().
EMSCRIPTEN_KEEPALIVE std::uint32_t* vl_reference_render(int width, int height, int zoom,
                                                        double ratio) {
  static PixelBuffer reference(PixelFormat::Rgba8);
  if (!reference.Resize(width, height)) return nullptr;
  std::fill_n(reference.Pixels(), static_cast<std::size_t>(width) * height, UNCOVERED_PIXEL);
  RenderView(reference, CellSide(zoom, ratio));
  return reference.Pixels();
}

/// The whole-tile frames' vl_resize: sizes the tile for a view of `width` x `height` device
/// pixels at `ratio` and draws it. 0 when there is no picture.
EMSCRIPTEN_KEEPALIVE int vl_tile_resize(int width, int height, double ratio) {
  viewWidth = width;
  viewHeight = height;
  viewRatio = ratio;
  tile.Resize(0, 0);
  if (width <= 0 || height <= 0 || !PrepareTile()) return 0;
  RenderTile();
  return 1;
}

/// Draws the tile from the cell map; the page then puts it.
EMSCRIPTEN_KEEPALIVE void vl_tile_render() {
  RenderTile();
}

/// The tile's pixels in the canvas's byte order; null when there is none.
EMSCRIPTEN_KEEPALIVE std::uint32_t* vl_tile_pixels() {
  return tile.Pixels();
}

/// Where the tile goes in the view: seven ints, as Placement lists them.
EMSCRIPTEN_KEEPALIVE const Placement* vl_tile_placement() {
  return &placement;
}

/// An update that asks the page to draw nothing, as vl_update says it: not whole, no tile, and
/// no squares, copies or squares of the view.
EMSCRIPTEN_KEEPALIVE const int* vl_no_changes() {
  static const int nothing[6] = {0, 0, 0, 0, 0, 0};
  return nothing;
}

}  // extern "C"
