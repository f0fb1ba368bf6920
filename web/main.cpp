// main.cpp: the functions the page's script calls. The page owns the loop and the elements; the
// game, its host, the picture and the shared interface data live here.
#include <emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

#include "game/game.h"
#include "random/random_platform.h"
#include "ui/dialog_units.h"
#include "ui/key_table.h"
#include "view/cell_palette.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "web/ui_json.h"
#include "web/web_host.h"
#include "world/maze_generator.h"

namespace vennaloop::web {
namespace {

// Neither a 0x00RRGGBB nor an opaque 0xFFRRGGBB palette value.
constexpr std::uint32_t UNCOVERED_PIXEL = 0x01000000;

WebHost host;
Game game(host);

// The picture repeats every 512 cells across and down (two copies of the square bring it back
// upright), so the page's canvas needs only one period of it: the core draws a tile a little
// larger than a period, at the same phase as the whole view, and the page puts it down as many
// times as the view needs. A view within a period and a bit is drawn whole.
constexpr int PICTURE_PERIOD_CELLS = 512;

struct Placement {
  int period;     ///< pixels after which the picture repeats
  int tileWidth;  ///< the tile the core draws
  int tileHeight;
  int offsetX;  ///< where the tile's top-left pixel lies in the view
  int offsetY;
  int coveredRight;  ///< one past the last view pixel a cell covers
  int coveredBottom;
};

PixelBuffer picture;  // the tile
int viewWidth = 0, viewHeight = 0;
int tileZoom = 0;
Placement placement{};

int TileSide(int viewSide, int zoom) {
  return std::min(viewSide, PICTURE_PERIOD_CELLS * zoom + 4 * zoom);
}

// Sizes the tile for the view and the zoom; false when there is no picture.
bool PrepareTile() {
  const int zoom = std::clamp(game.zoom, MIN_ZOOM, MAX_ZOOM);
  tileZoom = game.zoom;
  const int width = TileSide(viewWidth, zoom), height = TileSide(viewHeight, zoom);
  if ((picture.Width() != width || picture.Height() != height) && !picture.Resize(width, height)) {
    return false;
  }
  const ViewLayout view = ComputeViewLayout(viewWidth, viewHeight, zoom);
  const ViewLayout tile = ComputeViewLayout(width, height, zoom);
  placement = {PICTURE_PERIOD_CELLS * zoom,
               width,
               height,
               view.centre_left - tile.centre_left,
               view.centre_top - tile.centre_top,
               std::min(viewWidth, view.centre_left + zoom * view.cells_left),
               std::min(viewHeight, view.centre_top + zoom * view.cells_above)};
  return true;
}

void Render() {
  host.repaintPending = false;
  if (game.zoom != tileZoom && !PrepareTile()) return;
  RenderView(picture, game.zoom);
}

// The picture is handed to the canvas as it is, so its pixels must be the canvas's bytes: red,
// green, blue, then an opaque alpha. Turning the palette into that order once spares every
// frame a pass over its two million pixels.
void UseCanvasByteOrder() {
  for (std::uint32_t& value : CellPalette) {
    const std::uint32_t red = (value >> 16) & 0xFF, green = (value >> 8) & 0xFF,
                        blue = value & 0xFF;
    value = 0xFF000000u | blue << 16 | green << 8 | red;
  }
}

KeyModifiers ModifiersOf(int shift, int ctrl, int alt, int meta) {
  return KeyModifiers{.shift = shift != 0, .ctrl = ctrl != 0, .alt = alt != 0, .meta = meta != 0};
}

}  // namespace
}  // namespace vennaloop::web

using namespace vennaloop;
using namespace vennaloop::web;

extern "C" {

/// The shared interface data as one JSON object (ui_json.h).
EMSCRIPTEN_KEEPALIVE const char* vl_interface_json() {
  static const std::string json = InterfaceJson();
  return json.c_str();
}

/// The view's creation: palette, the browser's random services, the first stage.
EMSCRIPTEN_KEEPALIVE void vl_start() {
  BuildCellPalette();
  UseCanvasByteOrder();
  SetRandomPlatform(BrowserRandomPlatform());
  game.Start();
}

/// A new client size in device pixels; draws the picture at once. 0 when there is no picture.
EMSCRIPTEN_KEEPALIVE int vl_resize(int width, int height) {
  viewWidth = width;
  viewHeight = height;
  picture.Resize(0, 0);
  if (width <= 0 || height <= 0 || !PrepareTile()) return 0;
  Render();
  return 1;
}

/// The tile's pixels, in the canvas's byte order; null when there is no picture.
EMSCRIPTEN_KEEPALIVE std::uint32_t* vl_pixels() {
  return picture.Pixels();
}

/// Where the tile goes in the view: seven ints, as Placement lists them.
EMSCRIPTEN_KEEPALIVE const Placement* vl_placement() {
  return &placement;
}

/// Draws the picture from the cell map; the page then presents it.
EMSCRIPTEN_KEEPALIVE void vl_render() {
  Render();
}

/// One timer tick. A stand-in's modifiers go with the digit they came with.
EMSCRIPTEN_KEEPALIVE void vl_tick() {
  game.GameTick();
  if (game.pendingKey == 0) host.standInAdds = {};
}

/// A key press by its physical name. 1: the game took it; 0: the page leaves it to the browser,
/// as every chord the game does not bind (key_table.h's PageChords).
EMSCRIPTEN_KEEPALIVE int vl_key_down(const char* code, int shift, int ctrl, int alt, int meta) {
  if (!PageTakesKey(code, ModifiersOf(shift, ctrl, alt, meta))) return 0;
  if (const int gameKey = GameKeyOf(code)) {
    game.KeyDown(gameKey);
    host.standInAdds = {};
    return 1;
  }
  for (const KeyStandIn& standIn : BrowserStandInKeys()) {
    if (standIn.code != code) continue;
    game.KeyDown(standIn.gameKey);
    host.standInAdds = {standIn.adds.shift, standIn.adds.ctrl};
    return 1;
  }
  return 0;
}

/// A key pressed by the page's own controls (a touch button, a swipe), with Shift and Ctrl held
/// for the game until the tick that takes the key reads them. 1: the game took it.
EMSCRIPTEN_KEEPALIVE int vl_press(const char* code, int shift, int ctrl) {
  const int taken = vl_key_down(code, shift, ctrl, 0, 0);
  if (taken && GameKeyOf(code)) host.standInAdds = {shift != 0, ctrl != 0};
  return taken;
}

/// The live state of Shift and Ctrl, which the game reads when a digit's tick runs.
EMSCRIPTEN_KEEPALIVE void vl_modifiers(int shift, int ctrl) {
  host.shiftDown = shift != 0;
  host.ctrlDown = ctrl != 0;
}

EMSCRIPTEN_KEEPALIVE int vl_timer_period() {
  return host.timerPeriod;
}
EMSCRIPTEN_KEEPALIVE int vl_timer_starts() {
  return host.timerStarts;
}
EMSCRIPTEN_KEEPALIVE int vl_repaint_pending() {
  return host.repaintPending ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int vl_title_shown() {
  return host.titleShown ? 1 : 0;
}

/// The dialog the game asked for (DialogRequest), until vl_dialog_closed.
EMSCRIPTEN_KEEPALIVE int vl_dialog_request() {
  return static_cast<int>(host.dialog);
}
EMSCRIPTEN_KEEPALIVE const char* vl_stage_result_json() {
  return host.stageResultJson.c_str();
}

/// The dialog was closed with `answer` (1 OK, 2 Cancel); a stage result's answer finishes the
/// stage end, which may set up the next stage.
EMSCRIPTEN_KEEPALIVE void vl_dialog_closed(int answer) {
  const DialogRequest closed = host.dialog;
  host.dialog = DialogRequest::None;
  if (closed == DialogRequest::StageResult)
    game.AnswerStageResult(answer == 1 ? DialogAnswer::Ok : DialogAnswer::Cancel);
}

/// The game's fields the page and its tests look at.
EMSCRIPTEN_KEEPALIVE const char* vl_state_json() {
  static char json[512];
  std::snprintf(json, sizeof json,
                "{\"zoom\":%d,\"titleTicks\":%d,\"elapsedCycles\":%d,\"skippedCycle\":%d,"
                "\"hitPoints\":%d,\"moveMode\":%d,\"playerCell\":%d,\"mazeFinished\":%s,"
                "\"timerPeriod\":%d,\"awaitingStageResult\":%s,\"pendingKey\":%d}",
                game.zoom, game.titleTicks, game.elapsedCycles, game.skippedCycle, game.hitPoints,
                static_cast<int>(game.moveMode), game.playerCell, Maze.finished ? "true" : "false",
                host.timerPeriod, game.AwaitingStageResult() ? "true" : "false", game.pendingKey);
  return json;
}

/// A dialog-unit rectangle in pixels of a font whose 52 letters advance `lettersAdvance` pixels
/// and whose height is `fontHeight`: x, y, width, height.
EMSCRIPTEN_KEEPALIVE const int* vl_dialog_rect(int x, int y, int width, int height,
                                               int lettersAdvance, int fontHeight) {
  static int rect[4];
  const DialogRect pixels = DialogUnitsToPixels(DialogRect{x, y, width, height},
                                                BaseUnitsFrom(lettersAdvance, fontHeight));
  rect[0] = pixels.x;
  rect[1] = pixels.y;
  rect[2] = pixels.width;
  rect[3] = pixels.height;
  return rect;
}

EMSCRIPTEN_KEEPALIVE int vl_points_to_pixels(int points, int dotsPerInch) {
  return PointsToPixels(points, dotsPerInch);
}

/// What the reference picture holds where no cell is drawn; no palette colour has it.
EMSCRIPTEN_KEEPALIVE std::uint32_t vl_uncovered_pixel() {
  return UNCOVERED_PIXEL;
}

/// The core's own picture of the current cell map at a size and zoom, with the core's palette
/// (0x00RRGGBB), for the page's tests to hold the canvas against. Pixels no cell covers keep
/// whatever the canvas had; here they hold vl_uncovered_pixel().
EMSCRIPTEN_KEEPALIVE std::uint32_t* vl_reference_render(int width, int height, int zoom) {
  static PixelBuffer reference;
  if (!reference.Resize(width, height)) return nullptr;
  std::fill_n(reference.Pixels(), static_cast<std::size_t>(width) * height, UNCOVERED_PIXEL);
  std::uint32_t canvasPalette[256];
  std::copy(std::begin(CellPalette), std::end(CellPalette), canvasPalette);
  BuildCellPalette();
  RenderView(reference, zoom);
  std::copy(std::begin(canvasPalette), std::end(canvasPalette), CellPalette);
  return reference.Pixels();
}

}  // extern "C"
