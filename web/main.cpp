// main.cpp: the functions the page's script calls. The page owns the loop and the elements; the
// game, its host, the picture and the shared interface data live here.
#include <emscripten.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/pacer.h"
#include "random/random_platform.h"
#include "ui/dialog_units.h"
#include "ui/font_fit.h"
#include "ui/key_table.h"
#include "ui/window_fit.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "web/ui_json.h"
#include "web/web_host.h"
#include "world/maze_generator.h"

namespace vennaloop::web {
namespace {

// No pixel the core draws has it: every one is opaque.
constexpr std::uint32_t UNCOVERED_PIXEL = 0x01000000;

WebHost host;
Game game(host);
Pacer pacer(game);

// Two ways to a frame. The page's own: a picture of the whole view in device pixels, kept from
// frame to frame by the picture updater, which redraws only the cells the game changed, so the
// page puts only the squares it redrew. The old one, kept to compare against (?frames=full): the
// picture repeats every PICTURE_PERIOD_CELLS cells across and down, so the core renders a tile a
// little larger than a period, at the same phase as the whole view, every frame, and the page
// puts it down as many times as the view needs.
enum class FrameWay { Changes = 0, Full = 1 };
FrameWay frameWay = FrameWay::Changes;

PixelBuffer viewPicture(PixelFormat::Rgba8);
PictureUpdater updater;
// What the last update asks the page to draw (vl_update), and the squares it redrew, gathered by
// colour: a frame draws a handful of colours.
std::vector<int> frameRects;
struct ColourRun {
  std::uint32_t colour;
  std::vector<int> squares;  ///< x, y, width, height of each
};
std::vector<ColourRun> runs;

struct Placement {
  int period;     ///< pixels after which the picture repeats
  int tileWidth;  ///< the tile the core draws
  int tileHeight;
  int offsetX;  ///< where the tile's top-left pixel lies in the view
  int offsetY;
  int coveredRight;  ///< one past the last view pixel a cell covers
  int coveredBottom;
};

// The tile, in the byte order of a canvas's image data, so the page hands it over as it is.
PixelBuffer picture(PixelFormat::Rgba8);
int viewWidth = 0, viewHeight = 0;
double viewRatio = 1;
int tileSide = 0;
Placement placement{};

int CurrentSide() {
  return CellSide(game.zoom, viewRatio);
}

int TileSide(int viewSide, int side) {
  return std::min(viewSide, PICTURE_PERIOD_CELLS * side + 4 * side);
}

// Sizes the tile for the view and the cell side; false when there is no picture.
bool PrepareTile() {
  const int side = CurrentSide();
  tileSide = side;
  const int width = TileSide(viewWidth, side), height = TileSide(viewHeight, side);
  if ((picture.Width() != width || picture.Height() != height) && !picture.Resize(width, height)) {
    return false;
  }
  const ViewLayout view = ComputeViewLayout(viewWidth, viewHeight, side);
  const ViewLayout tile = ComputeViewLayout(width, height, side);
  placement = {PICTURE_PERIOD_CELLS * side,
               width,
               height,
               view.centre_left - tile.centre_left,
               view.centre_top - tile.centre_top,
               std::min(viewWidth, view.centre_left + side * view.cells_left),
               std::min(viewHeight, view.centre_top + side * view.cells_above)};
  return true;
}

void Render() {
  if (CurrentSide() != tileSide && !PrepareTile()) return;
  RenderView(picture, tileSide);
}

// A redrawn square is one cell, all of one colour. The page fills them colour by colour: a
// canvas draws thousands of small rectangles of a colour it was given faster than it puts as
// many pieces of an image, and changing the colour is the costly part.
const int* Update() {
  const PictureUpdate update = updater.Update(viewPicture, CurrentSide());
  frameRects.assign({update.full ? 1 : 0, 0});
  if (update.full) return frameRects.data();
  for (ColourRun& run : runs)
    run.squares.clear();
  const std::uint32_t* pixels = viewPicture.Pixels();
  for (const PixelRect& square : update.drawn) {
    const std::uint32_t colour =
        pixels[static_cast<std::size_t>(square.top) * viewPicture.Width() + square.left];
    auto run = std::find_if(runs.begin(), runs.end(),
                            [colour](const ColourRun& r) { return r.colour == colour; });
    if (run == runs.end()) run = runs.insert(runs.end(), ColourRun{colour, {}});
    run->squares.insert(run->squares.end(), {square.left, square.top, square.right - square.left,
                                             square.bottom - square.top});
  }
  for (const ColourRun& run : runs) {
    if (run.squares.empty()) continue;
    ++frameRects[1];
    frameRects.insert(frameRects.end(),
                      {static_cast<int>(run.colour), static_cast<int>(run.squares.size() / 4)});
    frameRects.insert(frameRects.end(), run.squares.begin(), run.squares.end());
  }
  return frameRects.data();
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

/// The view's creation: the browser's random services, the first stage.
EMSCRIPTEN_KEEPALIVE void vl_start() {
  SetRandomPlatform(BrowserRandomPlatform());
  host.pacer = &pacer;
  game.Start();
}

/// The way to a frame from here on: 0 the picture kept and its changes put (vl_update), 1 the
/// tile rendered whole every frame (vl_render, vl_placement). Before the first vl_resize.
EMSCRIPTEN_KEEPALIVE void vl_use_frames(int way) {
  frameWay = way == 1 ? FrameWay::Full : FrameWay::Changes;
}

/// A new client size in device pixels, on a screen of `ratio` device pixels to a CSS pixel.
/// The tile is drawn at once; the kept picture at its next vl_update, whole. 0 when there is no
/// picture.
EMSCRIPTEN_KEEPALIVE int vl_resize(int width, int height, double ratio) {
  viewWidth = width;
  viewHeight = height;
  viewRatio = ratio;
  picture.Resize(0, 0);
  viewPicture.Resize(0, 0);
  if (width <= 0 || height <= 0) return 0;
  if (frameWay == FrameWay::Changes) return viewPicture.Resize(width, height) ? 1 : 0;
  if (!PrepareTile()) return 0;
  Render();
  return 1;
}

/// The picture's pixels, the whole view's or the tile's, in the canvas's byte order; null when
/// there is no picture.
EMSCRIPTEN_KEEPALIVE std::uint32_t* vl_pixels() {
  return frameWay == FrameWay::Changes ? viewPicture.Pixels() : picture.Pixels();
}

/// Where the tile goes in the view: seven ints, as Placement lists them.
EMSCRIPTEN_KEEPALIVE const Placement* vl_placement() {
  return &placement;
}

/// Draws the tile from the cell map; the page then puts it.
EMSCRIPTEN_KEEPALIVE void vl_render() {
  Render();
}

/// Brings the kept picture up to the cell map, whole on a new size, pixel ratio, zoom or stage,
/// and says what changed on the canvas: [1, 0] for the whole picture; or [0, n] and n runs of
/// squares of one colour, each run its colour (as a pixel of the picture), its count m and m
/// squares as x, y, width, height. Every pixel that changed lies in one of the squares.
EMSCRIPTEN_KEEPALIVE const int* vl_update() {
  return Update();
}

/// An animation frame: runs the game cycles due by `nowMs` (performance.now()). 1 when a frame
/// is to be drawn.
EMSCRIPTEN_KEEPALIVE int vl_wake(double nowMs) {
  return pacer.Wake(nowMs, /*atRefresh=*/true).frameDue ? 1 : 0;
}

/// A key press as the browser reports it (KeyboardEvent.code and .key). 1: the game took it; 0:
/// the page leaves it to the browser, as every chord the game does not bind.
EMSCRIPTEN_KEEPALIVE int vl_key_down(const char* code, const char* key, int shift, int ctrl,
                                     int alt, int meta) {
  return PressKey(game, {code, key, ModifiersOf(shift, ctrl, alt, meta)}, KeySurface::Page) ? 1 : 0;
}

/// A key pressed by the page's own controls (a touch button, a swipe), named by what it types
/// (KeyboardEvent.key), with Shift and Ctrl held for the game until the tick that takes the key
/// reads them. 1: the game took it.
EMSCRIPTEN_KEEPALIVE int vl_press(const char* key, int shift, int ctrl) {
  return PressKey(game, {"", key, {}}, KeySurface::Page, ModifiersOf(shift, ctrl, 0, 0)) ? 1 : 0;
}

/// The live state of Shift and Ctrl, which the game reads when a digit's tick runs.
EMSCRIPTEN_KEEPALIVE void vl_modifiers(int shift, int ctrl) {
  host.shiftDown = shift != 0;
  host.ctrlDown = ctrl != 0;
}

EMSCRIPTEN_KEEPALIVE int vl_title_shown() {
  return host.titleShown ? 1 : 0;
}

/// The kind of the dialog the game opened (the interface data's dialogs[...].kind), 0 when none
/// is open.
EMSCRIPTEN_KEEPALIVE int vl_dialog_request() {
  return host.dialog ? static_cast<int>(host.dialog->kind) : 0;
}

/// The texts of the open dialog's controls, in its layout's order, as a JSON array.
EMSCRIPTEN_KEEPALIVE const char* vl_dialog_texts_json() {
  static std::string json;
  json = host.dialog ? ControlTextsJson(*host.dialog) : "[]";
  return json.c_str();
}

/// The open dialog was closed with `answer` (the interface data's answers); anything but OK is
/// taken as Cancel, as Esc and the close box are.
EMSCRIPTEN_KEEPALIVE void vl_dialog_closed(int answer) {
  if (!host.dialog) return;
  host.dialog.reset();
  // The answer may open the next dialog (a stage that ended while the about box was up).
  game.DialogClosed(answer == static_cast<int>(DialogAnswer::Ok) ? DialogAnswer::Ok
                                                                 : DialogAnswer::Cancel);
}

/// The game's fields the page and its tests look at.
EMSCRIPTEN_KEEPALIVE const char* vl_state_json() {
  static char json[512];
  std::snprintf(json, sizeof json,
                "{\"zoom\":%d,\"titleTicks\":%d,\"elapsedCycles\":%d,\"skippedCycle\":%d,"
                "\"hitPoints\":%d,\"moveMode\":%d,\"playerCell\":%d,\"mazeFinished\":%s,"
                "\"timerPeriod\":%d,\"dialogOpen\":%s,\"pendingKey\":%d}",
                game.zoom, game.titleTicks, game.elapsedCycles, game.skippedCycle, game.hitPoints,
                static_cast<int>(game.moveMode), game.playerCell, Maze.finished ? "true" : "false",
                pacer.PeriodMs(), game.DialogOpen() ? "true" : "false", game.pendingKey);
  return json;
}

/// The factor a dialog of `width` x `height` CSS pixels is shrunk by to fit the room
/// (window_fit.h).
EMSCRIPTEN_KEEPALIVE double vl_dialog_fit_scale(int width, int height, int roomWidth,
                                                int roomHeight) {
  return DialogFitScale({width, height}, {roomWidth, roomHeight});
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

/// The title's font rule (ui/font_fit.h) for a face whose character cell at pixel size n the
/// page measured as heights[n - 1], for n = 1 to count; larger sizes count as too tall.
EMSCRIPTEN_KEEPALIVE int vl_fit_pixel_size(int cellHeight, const int* heights, int count) {
  return FitPixelSize(cellHeight, [heights, count](int size) {
    return size >= 1 && size <= count ? heights[size - 1] : INT_MAX;
  });
}

EMSCRIPTEN_KEEPALIVE int vl_stretch_percent(int averageWidth, double naturalAverageWidth) {
  return StretchPercent(averageWidth, naturalAverageWidth);
}

/// What the reference picture holds where no cell is drawn; no pixel the core draws has it.
EMSCRIPTEN_KEEPALIVE std::uint32_t vl_uncovered_pixel() {
  return UNCOVERED_PIXEL;
}

/// The core's own picture of the current cell map at a size, zoom and pixel ratio, in the
/// canvas's byte order, for the page's tests to hold the canvas against. Pixels no cell covers
/// keep whatever the canvas had; here they hold vl_uncovered_pixel().
EMSCRIPTEN_KEEPALIVE std::uint32_t* vl_reference_render(int width, int height, int zoom,
                                                        double ratio) {
  static PixelBuffer reference(PixelFormat::Rgba8);
  if (!reference.Resize(width, height)) return nullptr;
  std::fill_n(reference.Pixels(), static_cast<std::size_t>(width) * height, UNCOVERED_PIXEL);
  RenderView(reference, CellSide(zoom, ratio));
  return reference.Pixels();
}

}  // extern "C"
