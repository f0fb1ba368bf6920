// font_fit.h: the rule that sizes the title's fonts by their character cell, the same for every
// front end: each measures its faces with its own text engine and feeds the rule the numbers.
#pragma once

#include <functional>

namespace vennaloop {

/// The largest pixel size (em) of a face whose character cell, ascent plus descent as
/// `cellHeightAt(pixelSize)` measures it, is at most `cellHeight` pixels; 1 when even that is
/// too tall. A cell grows with the size, so the search starts from the proportion of a cell to
/// its size and walks from there.
int FitPixelSize(int cellHeight, const std::function<int(int pixelSize)>& cellHeightAt);

/// The widest stretch a front end is asked for, in percent.
inline constexpr int MAX_STRETCH_PERCENT = 4000;

/// How far, in whole percent of its own width, a face is squeezed or widened so that its
/// average character width becomes `averageWidth` pixels, where its own is
/// `naturalAverageWidth` at the fitted size: 1 to MAX_STRETCH_PERCENT; 100 (its own width) when
/// either width is not positive.
int StretchPercent(int averageWidth, double naturalAverageWidth);

}  // namespace vennaloop
