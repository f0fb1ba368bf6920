// faces.cpp: the stand-ins. IPA's proportional Mincho is the nearest proportional Mincho; URW's
// C059 is a Century Schoolbook design; IPA's proportional Gothic stands in for the UI Gothic; the
// dialog font takes a plain sans, with the Gothic behind it for the Japanese lines.
#include "ui/faces.h"

namespace vennaloop {

namespace {

constexpr FaceStandIn STAND_INS[] = {
    {FACE_MINCHO, {"IPAPMincho", "IPAMincho", nullptr}},
    {FACE_CENTURY, {"C059", "Century Schoolbook L", "DejaVu Serif"}},
    {FACE_UI_GOTHIC, {"IPAPGothic", "IPAGothic", nullptr}},
    {FACE_SHELL_DLG, {"DejaVu Sans", "IPAPGothic", nullptr}},
};

}  // namespace

std::span<const FaceStandIn> FaceStandIns() {
  return STAND_INS;
}

}  // namespace vennaloop
