// text_align.h: where a line of text lies across its rectangle, for the title's items and the
// dialogs' controls alike.
#pragma once

namespace vennaloop {

enum class TextAlign { Left, Center, Right };

}  // namespace vennaloop
