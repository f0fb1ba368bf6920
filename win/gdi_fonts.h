// gdi_fonts.h: GDI fonts sized as ui/ gives sizes: by their character cell in pixels, and by
// points at a screen's resolution.
#pragma once

#include <windows.h>

#include <string>

namespace vennaloop::win {

/// A font of `face` whose character cell (ascent plus descent) is the largest that fits in
/// `cellHeight` pixels, squeezed or widened so its average character is `averageWidth` pixels
/// wide (0: the face's own width); null if GDI makes none.
HFONT CreateCellSizedFont(const std::wstring& face, int cellHeight, int averageWidth, bool italic);

}  // namespace vennaloop::win
