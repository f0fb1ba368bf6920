// title_overlay.h: the title written over the first picture of the maze: a child window of the
// game's view, with a sunken edge, that shows the view's picture with the six lines of ui/'s
// title drawn over it in GDI text. It takes no input.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/title_layout.h"
#include "view/pixel_buffer.h"

namespace vennaloop::win {

class TitleOverlay {
 public:
  /// Brings the view's picture up to date and returns it, for the overlay to show under its
  /// letters; its pixels are the view's client area.
  using PictureSource = std::function<const PixelBuffer&()>;

  /// Registers the window class once per process.
  static bool RegisterWindowClass(HINSTANCE instance);

  /// Creates the hidden overlay window as a child of `view`. Without a window nothing is drawn
  /// over the view, and the game goes on.
  TitleOverlay(HWND view, PictureSource picture);
  ~TitleOverlay();
  TitleOverlay(const TitleOverlay&) = delete;
  TitleOverlay& operator=(const TitleOverlay&) = delete;

  HWND hwnd() const { return hwnd_; }

  /// Covers the view's client area, `width` x `height`, on top of its children, and shows.
  void CoverView(int width, int height);

  /// Paints the overlay now.
  void Repaint();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  /// One title item as drawn at the window's screen scale.
  struct Line {
    HFONT font = nullptr;      ///< the item's face, or its first stand-in, sized for the scale
    HFONT fallback = nullptr;  ///< for the characters `font` has no glyph for, if there are any
    std::wstring text;
    RECT rect{};
    COLORREF colour = 0;
    TextAlign align = TextAlign::Left;
  };

  void Paint();
  /// The lines for the window's screen scale, made again when it changes.
  void PrepareLines(UINT dpi);
  void DeleteLines();
  /// Draws a line whose text needs two faces, run by run, on one baseline.
  void DrawRuns(const Line& line);
  /// The off-screen image the overlay is composed in, at least `width` x `height`.
  bool PrepareCanvas(HDC screen, int width, int height);
  void DeleteCanvas();

  HWND hwnd_ = nullptr;
  PictureSource picture_;
  std::vector<Line> lines_;  ///< one for each title item
  UINT linesDpi_ = 0;
  HDC canvasDc_ = nullptr;
  HBITMAP canvas_ = nullptr;
  HGDIOBJ canvasOld_ = nullptr;
  std::uint32_t* canvasPixels_ = nullptr;
  int canvasWidth_ = 0;
  int canvasHeight_ = 0;
};

}  // namespace vennaloop::win
