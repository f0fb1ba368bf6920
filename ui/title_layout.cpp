// title_layout.cpp: the title's six items.
#include "ui/title_layout.h"

#include "ui/faces.h"
#include "ui/texts.h"

namespace vennaloop {

namespace {

constexpr std::uint32_t WHITE = 0xFFFFFF;
constexpr std::uint32_t RED = 0xFF0000;
using enum TextAlign;

constexpr TitleItem ITEMS[] = {
    {"君は射影平面をみたか", 100, 50, 300, 100, 40, 15, true, FACE_MINCHO, WHITE, Center},
    {"Vennaloop", 0, 100, 1200, 300, 140, 35, true, FACE_CENTURY, RED, Center},
    {"～Vennaloop～", 0, 300, 1200, 400, 80, 30, false, FACE_MINCHO, RED, Center},
    {AUTHOR_CREDIT, 700, 400, 1100, 450, 40, 10, true, FACE_CENTURY, WHITE, Center},
    {"You can at least kill time.", 600, 475, 1100, 525, 40, 10, true, FACE_CENTURY, WHITE, Center},
    {COPYRIGHT_LINE, 500, 550, 1100, 600, 40, 10, false, FACE_CENTURY, WHITE, Right},
};

}  // namespace

std::span<const TitleItem> TitleItems() {
  return ITEMS;
}

}  // namespace vennaloop
