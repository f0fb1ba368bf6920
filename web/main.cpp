// main.cpp: the functions the page's script calls. The page owns the loop and the elements; the
// game, its host, the picture and the shared interface data live here. Only what the page uses:
// what its tests and benchmark add is built into their own copy of the core (web/tests/).
#include <emscripten.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/pacer.h"
#include "random/random_platform.h"
#include "ui/dialog_units.h"
#include "ui/font_fit.h"
#include "ui/key_table.h"
#include "ui/window_fit.h"
#include "view/cell_palette.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "view/tiled_picture.h"
#include "web/page_game.h"
#include "web/ui_json.h"
#include "web/web_host.h"

namespace vennaloop::web {
namespace {

WebHost host;
Game game(host);
Pacer pacer(game);

// The picture in device pixels, kept from frame to frame as one tile of the part that repeats
// (tiled_picture.h): the core redraws only the cells the game changed, at their few copies in the
// tile, and says where the page's copy of the tile goes on its canvas. A view no larger than the
// tile is its own tile.
TiledPicture picture(PixelFormat::Rgba8);
double viewRatio = 1;
// What the last update asks the page to draw (vl_update), and the squares it redrew, gathered by
// colour: a frame draws a handful of colours.
std::vector<int> frameWords;
struct ColourRun {
  std::uint32_t colour;
  std::vector<int> squares;  ///< x, y, width, height of each
};
std::vector<ColourRun> runs;
// The view's own: what no cell covers, black, after a whole tile.
ColourRun uncovered{PixelValue(PIXEL_OPEN, PixelFormat::Rgba8), {}};

int CurrentSide() {
  return CellSide(game.zoom, viewRatio);
}

void AppendSquare(std::vector<int>& squares, const PixelRect& square) {
  squares.insert(squares.end(),
                 {square.left, square.top, square.right - square.left, square.bottom - square.top});
}

// Runs of squares of one colour each, after their count.
void AppendRuns(std::span<const ColourRun> list) {
  const std::size_t count = frameWords.size();
  frameWords.push_back(0);
  for (const ColourRun& run : list) {
    if (run.squares.empty()) continue;
    ++frameWords[count];
    frameWords.insert(frameWords.end(),
                      {static_cast<int>(run.colour), static_cast<int>(run.squares.size() / 4)});
    frameWords.insert(frameWords.end(), run.squares.begin(), run.squares.end());
  }
}

// A redrawn square is one cell, all of one colour. The page fills them colour by colour: a
// canvas draws many small rectangles of a colour it was given faster than it puts as many
// pieces of an image, and changing the colour is the costly part.
const int* Update() {
  const TiledUpdate update = picture.Update(CurrentSide());
  const PixelBuffer& tile = picture.Tile();
  frameWords.assign({update.full ? 1 : 0, tile.Width(), tile.Height()});
  for (ColourRun& run : runs)
    run.squares.clear();
  const std::uint32_t* pixels = tile.Pixels();
  for (const PixelRect& square : update.drawn) {
    const std::uint32_t colour =
        pixels[static_cast<std::size_t>(square.top) * tile.Width() + square.left];
    auto run = std::find_if(runs.begin(), runs.end(),
                            [colour](const ColourRun& r) { return r.colour == colour; });
    if (run == runs.end()) run = runs.insert(runs.end(), ColourRun{colour, {}});
    AppendSquare(run->squares, square);
  }
  AppendRuns(runs);
  frameWords.push_back(static_cast<int>(update.copies.size()));
  for (const TileCopy& copy : update.copies) {
    frameWords.insert(frameWords.end(),
                      {copy.source.left, copy.source.top, copy.source.right - copy.source.left,
                       copy.source.bottom - copy.source.top, copy.left, copy.top});
  }
  uncovered.squares.clear();
  for (const PixelRect& strip : update.uncovered) {
    if (strip.left < strip.right && strip.top < strip.bottom)
      AppendSquare(uncovered.squares, strip);
  }
  AppendRuns(std::span<const ColourRun>(&uncovered, 1));
  return frameWords.data();
}

KeyModifiers ModifiersOf(int shift, int ctrl, int alt, int meta) {
  return KeyModifiers{.shift = shift != 0, .ctrl = ctrl != 0, .alt = alt != 0, .meta = meta != 0};
}

}  // namespace

const Game& PageGame() {
  return game;
}

const Pacer& PagePacer() {
  return pacer;
}

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

/// A new client size in device pixels, on a screen of `ratio` device pixels to a CSS pixel; the
/// picture is drawn whole at the next vl_update. 0 when there is no picture.
EMSCRIPTEN_KEEPALIVE int vl_resize(int width, int height, double ratio) {
  viewRatio = ratio;
  return picture.Resize(width, height, CurrentSide()) ? 1 : 0;
}

/// The tile's pixels, in the canvas's byte order; null when there is no picture.
EMSCRIPTEN_KEEPALIVE const std::uint32_t* vl_pixels() {
  return picture.Tile().Pixels();
}

/// Brings the kept tile up to the cell map, whole on a new size, pixel ratio, zoom or stage, and
/// says what changes on the canvas, as ints: whole (1 when the tile was drawn whole, to be put
/// from vl_pixels), the tile's width and height (the view's when it is its own tile), then three
/// lists, each its count first. The tile's squares: runs of one colour (as a pixel of the
/// picture), each its count m and m squares as x, y, width, height. The copies of the tile
/// onto the view, once the tile has them: x, y, width, height in the tile, x, y in the view. The
/// view's own squares, as runs again, drawn last. Every pixel that changed is in one of them.
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

}  // extern "C"
