// dpi.h: logical pixels, as the shared layouts count them, to the device pixels of a
// per-monitor aware window.
#pragma once

#include <windows.h>

namespace vennaloop::win {

/// The DPI at which a logical pixel is one device pixel.
inline constexpr int USER_DEFAULT_DPI = 96;

inline int ScaledForDpi(int pixels, UINT dpi) {
  return ::MulDiv(pixels, static_cast<int>(dpi), USER_DEFAULT_DPI);
}

/// Device pixels to a logical pixel.
inline double DpiScale(UINT dpi) {
  return static_cast<double>(dpi) / USER_DEFAULT_DPI;
}

}  // namespace vennaloop::win
