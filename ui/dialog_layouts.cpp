// dialog_layouts.cpp: the controls of the three dialogs.
#include "ui/dialog_layouts.h"

#include "ui/faces.h"
#include "ui/texts.h"

namespace vennaloop {

namespace {

using enum ControlRole;
using enum TextAlign;
using enum ControlValue;
constexpr ControlEdge NO_EDGE = ControlEdge::None;
constexpr ControlEdge LINE = ControlEdge::Line;
constexpr ControlEdge SUNKEN = ControlEdge::Sunken;

constexpr DialogControl ABOUT_CONTROLS[] = {
    {Icon, 14, 14, 20, 20, "", Left, NO_EDGE, false, false, None},
    {Label, 42, 14, 133, 8, ABOUT_VERSION_LINE, Left, NO_EDGE, false, false, None},
    {Label, 42, 26, 191, 8, COPYRIGHT_LINE, Left, NO_EDGE, false, false, None},
    {Button, 186, 43, 50, 14, "OK", Center, NO_EDGE, true, true, None},
};

constexpr DialogControl AUTHOR_CONTROLS[] = {
    {Button, 259, 282, 50, 14, "OK", Center, NO_EDGE, true, true, None},
    {ScrollingText, 7, 7, 302, 272, "", Left, LINE, true, false, AuthorProfile},
};

// In the order Tab visits them: OK first, then the two lines, then the counters.
constexpr DialogControl STAGE_RESULT_CONTROLS[] = {
    {Button, 127, 116, 50, 14, "OK", Center, NO_EDGE, true, true, None},
    {ReadOnlyField, 7, 7, 170, 14, "", Center, SUNKEN, true, false, StageLine1},
    {ReadOnlyField, 7, 24, 170, 14, "", Center, LINE, true, false, StageLine2},
    {Label, 31, 44, 48, 8, "Elapsed Cycle:", Left, NO_EDGE, false, false, None},
    {Label, 31, 63, 48, 8, "Skipped Cycle:", Left, NO_EDGE, false, false, None},
    {Label, 31, 82, 39, 8, "Current HP:", Left, NO_EDGE, false, false, None},
    {Label, 31, 101, 56, 8, "NextStageAliens:", Left, NO_EDGE, false, false, None},
    {ReadOnlyField, 91, 41, 63, 14, "", Right, LINE, true, false, ElapsedCycles},
    {ReadOnlyField, 91, 60, 63, 14, "", Right, LINE, true, false, SkippedCycle},
    {ReadOnlyField, 91, 79, 63, 14, "", Right, LINE, true, false, HitPoints},
    {ReadOnlyField, 91, 98, 63, 14, "", Right, LINE, true, false, NextStageAliens},
};

constexpr DialogLayout ABOUT = {
    "バージョン情報 Vennaloop", {FACE_UI_GOTHIC, 9, 0}, 243, 64, ABOUT_CONTROLS};
constexpr DialogLayout AUTHOR = {"著者経歴", {FACE_SHELL_DLG, 8, 400}, 316, 303, AUTHOR_CONTROLS};
constexpr DialogLayout STAGE_RESULT = {
    "Go To Next Stage", {FACE_SHELL_DLG, 8, 400}, 184, 137, STAGE_RESULT_CONTROLS};

}  // namespace

const DialogLayout& AboutDialogLayout() {
  return ABOUT;
}
const DialogLayout& AuthorDialogLayout() {
  return AUTHOR;
}
const DialogLayout& StageResultDialogLayout() {
  return STAGE_RESULT;
}

const DialogLayout& DialogLayoutOf(DialogKind kind) {
  switch (kind) {
    case DialogKind::StageResult:
      return STAGE_RESULT;
    case DialogKind::About:
      return ABOUT;
    case DialogKind::AuthorProfile:
      return AUTHOR;
  }
  return ABOUT;
}

std::vector<std::string> ControlTexts(const DialogRequest& request) {
  const StageResult& result = request.result;
  const StageMessage message = StageMessageFor(result.outcome);
  std::vector<std::string> texts;
  for (const DialogControl& control : DialogLayoutOf(request.kind).controls) {
    switch (control.value) {
      case ControlValue::None:
        texts.emplace_back(control.text);
        break;
      case ControlValue::StageLine1:
        texts.emplace_back(message.line1);
        break;
      case ControlValue::StageLine2:
        texts.emplace_back(message.line2);
        break;
      case ControlValue::ElapsedCycles:
        texts.push_back(std::to_string(result.elapsedCycles));
        break;
      case ControlValue::SkippedCycle:
        texts.push_back(std::to_string(result.skippedCycle));
        break;
      case ControlValue::HitPoints:
        texts.push_back(std::to_string(result.hitPoints));
        break;
      case ControlValue::NextStageAliens:
        texts.push_back(std::to_string(result.nextStageAliens));
        break;
      case ControlValue::AuthorProfile:
        texts.emplace_back(AuthorProfileText());
        break;
    }
  }
  return texts;
}

bool IsNamedField(const DialogControl& control) {
  return control.role == ControlRole::ReadOnlyField || control.role == ControlRole::ScrollingText;
}

std::optional<std::size_t> NamingLabelOf(const DialogLayout& layout, std::size_t control) {
  const DialogControl& named = layout.controls[control];
  if (!IsNamedField(named)) return std::nullopt;
  std::optional<std::size_t> nearest;
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    const DialogControl& label = layout.controls[i];
    const bool onTheRow = label.y < named.y + named.height && named.y < label.y + label.height;
    if (label.role != ControlRole::Label || !onTheRow || label.x >= named.x) continue;
    if (!nearest || label.x > layout.controls[*nearest].x) nearest = i;
  }
  return nearest;
}

}  // namespace vennaloop
