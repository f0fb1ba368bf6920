// title_overlay.cpp: the title overlay's window, fonts and painting.
#include "win/title_overlay.h"

#include <algorithm>
#include <cstring>

#include "ui/faces.h"
#include "ui/title_layout.h"
#include "win/dpi.h"
#include "win/font_choice.h"
#include "win/gdi_fonts.h"
#include "win/wide_text.h"

namespace vennaloop::win {

namespace {

constexpr wchar_t CLASS_NAME[] = L"VennaloopTitle";
// The text starts at the rectangle's top edge, is placed across it and is never clipped.
UINT DrawFlagsOf(TextAlign align) {
  const UINT across = align == TextAlign::Center  ? DT_CENTER
                      : align == TextAlign::Right ? DT_RIGHT
                                                  : DT_LEFT;
  return across | DT_TOP | DT_NOCLIP | DT_NOPREFIX;
}

COLORREF ColourRefOf(std::uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

bool TitleOverlay::RegisterWindowClass(HINSTANCE instance) {
  // No background brush and no cursor: the paint covers the whole client area.
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = CLASS_NAME;
  return RegisterClassExW(&windowClass) != 0;
}

TitleOverlay::TitleOverlay(HWND view, PictureSource picture) : picture_(std::move(picture)) {
  hwnd_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, CLASS_NAME, L"", WS_CHILD, 0, 0, 0, 0, view, nullptr,
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(view, GWLP_HINSTANCE)), this);
}

TitleOverlay::~TitleOverlay() {
  if (hwnd_) DestroyWindow(hwnd_);
  DeleteLines();
  DeleteCanvas();
}

void TitleOverlay::CoverView(int width, int height) {
  if (!hwnd_) return;
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, std::max(width, 0), std::max(height, 0), SWP_SHOWWINDOW);
}

void TitleOverlay::Repaint() {
  if (hwnd_) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CALLBACK TitleOverlay::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TitleOverlay*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (self) {
        self->Paint();
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks go to the view beneath
    case WM_NCDESTROY:
      if (self) self->hwnd_ = nullptr;
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void TitleOverlay::PrepareLines(UINT dpi) {
  if (dpi == linesDpi_ && !lines_.empty()) return;
  DeleteLines();
  linesDpi_ = dpi;
  for (const TitleItem& item : TitleItems()) {
    Line line;
    line.text = Widen(item.text);
    line.rect = {ScaledForDpi(item.left, dpi), ScaledForDpi(item.top, dpi),
                 ScaledForDpi(item.right, dpi), ScaledForDpi(item.bottom, dpi)};
    line.colour = ColourRefOf(item.colour);
    line.align = item.align;
    const int cell = ScaledForDpi(item.fontHeight, dpi), width = ScaledForDpi(item.fontWidth, dpi);
    const std::wstring face = ChooseInstalledFace(item.face, line.text);
    line.font = CreateCellSizedFont(face, cell, width, item.italic);
    // The Latin faces have no Japanese: the author's name comes from the Gothic, as the
    // desktop's font fallback takes it.
    if (!FaceCovers(face, line.text)) {
      const std::wstring other = ChooseInstalledFace(FACE_UI_GOTHIC, line.text);
      if (other != face) line.fallback = CreateCellSizedFont(other, cell, width, item.italic);
    }
    lines_.push_back(line);
  }
}

void TitleOverlay::DeleteLines() {
  for (const Line& line : lines_) {
    if (line.font) DeleteObject(line.font);
    if (line.fallback) DeleteObject(line.fallback);
  }
  lines_.clear();
}

void TitleOverlay::DrawRuns(const Line& line) {
  struct Run {
    std::size_t start, length;
    HFONT font;
    int width;
  };
  SelectObject(canvasDc_, line.font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(canvasDc_, &metrics);
  std::vector<Run> runs;
  for (std::size_t i = 0; i < line.text.size(); ++i) {
    HFONT font = FontHasGlyph(canvasDc_, line.text[i]) ? line.font : line.fallback;
    if (runs.empty() || runs.back().font != font) runs.push_back({i, 0, font, 0});
    ++runs.back().length;
  }
  int total = 0;
  for (Run& run : runs) {
    SelectObject(canvasDc_, run.font);
    SIZE size{};
    GetTextExtentPoint32W(canvasDc_, line.text.c_str() + run.start, static_cast<int>(run.length),
                          &size);
    run.width = size.cx;
    total += size.cx;
  }
  const RECT& rect = line.rect;
  int x = line.align == TextAlign::Center  ? (rect.left + rect.right - total) / 2
          : line.align == TextAlign::Right ? rect.right - total
                                           : rect.left;
  const UINT oldAlign = SetTextAlign(canvasDc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  for (const Run& run : runs) {
    SelectObject(canvasDc_, run.font);
    TextOutW(canvasDc_, x, rect.top + metrics.tmAscent, line.text.c_str() + run.start,
             static_cast<int>(run.length));
    x += run.width;
  }
  SetTextAlign(canvasDc_, oldAlign);
}

bool TitleOverlay::PrepareCanvas(HDC screen, int width, int height) {
  if (canvas_ && canvasWidth_ >= width && canvasHeight_ >= height) return true;
  DeleteCanvas();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down, as the picture is
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  canvas_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  canvasDc_ = CreateCompatibleDC(screen);
  if (!canvas_ || !canvasDc_) {
    DeleteCanvas();
    return false;
  }
  canvasOld_ = SelectObject(canvasDc_, canvas_);
  canvasPixels_ = static_cast<std::uint32_t*>(bits);
  canvasWidth_ = width;
  canvasHeight_ = height;
  return true;
}

void TitleOverlay::DeleteCanvas() {
  if (canvasDc_) {
    if (canvasOld_) SelectObject(canvasDc_, canvasOld_);
    DeleteDC(canvasDc_);
  }
  if (canvas_) DeleteObject(canvas_);
  canvasDc_ = nullptr;
  canvas_ = nullptr;
  canvasOld_ = nullptr;
  canvasPixels_ = nullptr;
  canvasWidth_ = canvasHeight_ = 0;
}

void TitleOverlay::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  RECT client;
  GetClientRect(hwnd_, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0 || !PrepareCanvas(dc, width, height)) {
    EndPaint(hwnd_, &paint);
    return;
  }
  // The picture under the overlay's client area, which its sunken edge moves off the view's
  // client origin; where the picture does not reach, black.
  const PixelBuffer& picture = picture_();
  POINT offset{0, 0};
  MapWindowPoints(hwnd_, GetParent(hwnd_), &offset, 1);
  const int originX = offset.x, originY = offset.y;
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = canvasPixels_ + static_cast<std::size_t>(y) * canvasWidth_;
    std::fill_n(row, width, 0u);
    const int pictureY = y + originY;
    if (!picture.Pixels() || pictureY < 0 || pictureY >= picture.Height()) continue;
    const int from = std::max(0, -originX);
    const int to = std::min(width, picture.Width() - originX);
    if (from < to)
      std::memcpy(
          row + from,
          picture.Pixels() + static_cast<std::size_t>(pictureY) * picture.Width() + originX + from,
          static_cast<std::size_t>(to - from) * 4);
  }
  GdiFlush();  // the image was written directly; GDI draws the letters next

  PrepareLines(GetDpiForWindow(hwnd_));
  const int oldMode = SetBkMode(canvasDc_, TRANSPARENT);
  const COLORREF oldColour = GetTextColor(canvasDc_);
  const HGDIOBJ oldFont = GetCurrentObject(canvasDc_, OBJ_FONT);
  for (const Line& line : lines_) {
    SetTextColor(canvasDc_, line.colour);
    if (line.font && line.fallback) {
      DrawRuns(line);
      continue;
    }
    if (line.font) SelectObject(canvasDc_, line.font);
    RECT rect = line.rect;
    DrawTextW(canvasDc_, line.text.c_str(), static_cast<int>(line.text.size()), &rect,
              DrawFlagsOf(line.align));
  }
  SelectObject(canvasDc_, oldFont);
  SetTextColor(canvasDc_, oldColour);
  SetBkMode(canvasDc_, oldMode);

  const RECT& asked = paint.rcPaint;
  BitBlt(dc, asked.left, asked.top, asked.right - asked.left, asked.bottom - asked.top, canvasDc_,
         asked.left, asked.top, SRCCOPY);
  EndPaint(hwnd_, &paint);
}

}  // namespace vennaloop::win
