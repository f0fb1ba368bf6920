// gdi_fonts.cpp: fonts fitted to a character cell by the shared rule, measured by GDI.
#include "win/gdi_fonts.h"

#include <algorithm>

#include "ui/font_fit.h"

namespace vennaloop::win {

namespace {

LOGFONTW LogFont(const std::wstring& face, int emPixels, int averageWidth, bool italic) {
  LOGFONTW font{};
  font.lfHeight = -emPixels;  // negative: the em, not the cell
  font.lfWidth = averageWidth;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = ANTIALIASED_QUALITY;
  face.copy(font.lfFaceName, std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
  return font;
}

// The cell height GDI gives `face` at an em of `emPixels`.
int CellHeightAt(HDC dc, const std::wstring& face, bool italic, int emPixels) {
  const LOGFONTW wanted = LogFont(face, emPixels, 0, italic);
  HFONT font = CreateFontIndirectW(&wanted);
  if (!font) return emPixels;
  const HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  DeleteObject(font);
  return metrics.tmHeight;  // ascent + descent, no leading
}

}  // namespace

HFONT CreateCellSizedFont(const std::wstring& face, int cellHeight, int averageWidth, bool italic) {
  HDC screen = GetDC(nullptr);
  const int em = FitPixelSize(std::max(cellHeight, 1), [&](int emPixels) {
    return CellHeightAt(screen, face, italic, emPixels);
  });
  // The shared stretch rule, turned into the average width GDI squeezes a face to.
  int width = 0;
  if (averageWidth > 0) {
    const LOGFONTW natural = LogFont(face, em, 0, italic);
    if (HFONT font = CreateFontIndirectW(&natural)) {
      const HGDIOBJ old = SelectObject(screen, font);
      TEXTMETRICW metrics{};
      GetTextMetricsW(screen, &metrics);
      SelectObject(screen, old);
      DeleteObject(font);
      const int percent = StretchPercent(averageWidth, metrics.tmAveCharWidth);
      width = std::max(1, MulDiv(metrics.tmAveCharWidth, percent, 100));
    }
  }
  ReleaseDC(nullptr, screen);
  const LOGFONTW wanted = LogFont(face, em, width, italic);
  return CreateFontIndirectW(&wanted);
}

}  // namespace vennaloop::win
