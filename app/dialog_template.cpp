// dialog_template.cpp: the contents of the three dialog templates.
#include "app/dialog_template.h"

#include "app/app_info.h"

namespace vennaloop {

namespace {

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kDialogStyle =
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;     // 0x80C800C0
constexpr std::uint32_t kShellDialogStyle = kDialogStyle | DS_FIXEDSYS;  // 0x80C800C8
constexpr std::uint32_t kReadOnlyLine = kChild | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY;

// The version line's version stops at three parts, as it always has.
const DialogControl kAboutControls[] = {
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | SS_ICON,
     .exStyle = 0,
     .x = 14,
     .y = 14,
     .cx = 20,
     .cy = 20,
     .text = "",
     .iconId = IDR_MAINFRAME},
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | WS_GROUP | SS_NOPREFIX | SS_LEFT,
     .exStyle = 0,
     .x = 42,
     .y = 14,
     .cx = 133,
     .cy = 8,
     .text = "Vennaloop, Version 0.5.0"},
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | WS_GROUP | SS_LEFT,
     .exStyle = 0,
     .x = 42,
     .y = 26,
     .cx = 191,
     .cy = 8,
     .text = kCopyright},
    {.id = IDOK,
     .controlClass = ControlClass::kButton,
     .style = kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON,
     .exStyle = 0,
     .x = 186,
     .y = 43,
     .cx = 50,
     .cy = 14,
     .text = "OK"},
};

const DialogControl kAboutAuthorControls[] = {
    {.id = IDOK,
     .controlClass = ControlClass::kButton,
     .style = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
     .exStyle = 0,
     .x = 259,
     .y = 282,
     .cx = 50,
     .cy = 14,
     .text = "OK"},
    {.id = IDC_AUTHOR_PROFILE,
     .controlClass = ControlClass::kEdit,
     .style =
         kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY,
     .exStyle = 0,
     .x = 7,
     .y = 7,
     .cx = 302,
     .cy = 272,
     .text = ""},
};

const DialogControl kNextStageControls[] = {
    {.id = IDOK,
     .controlClass = ControlClass::kButton,
     .style = kChild | WS_TABSTOP | BS_DEFPUSHBUTTON,
     .exStyle = 0,
     .x = 127,
     .y = 116,
     .cx = 50,
     .cy = 14,
     .text = "OK"},
    {.id = IDC_STAGE_LINE1,
     .controlClass = ControlClass::kEdit,
     .style = kReadOnlyLine | ES_CENTER,
     .exStyle = WS_EX_STATICEDGE,
     .x = 7,
     .y = 7,
     .cx = 170,
     .cy = 14,
     .text = ""},
    {.id = IDC_STAGE_LINE2,
     .controlClass = ControlClass::kEdit,
     .style = kReadOnlyLine | WS_BORDER | ES_CENTER,
     .exStyle = 0,
     .x = 7,
     .y = 24,
     .cx = 170,
     .cy = 14,
     .text = ""},
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | WS_GROUP | SS_LEFT,
     .exStyle = 0,
     .x = 31,
     .y = 44,
     .cx = 48,
     .cy = 8,
     .text = "Elapsed Cycle:"},
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | WS_GROUP | SS_LEFT,
     .exStyle = 0,
     .x = 31,
     .y = 63,
     .cx = 48,
     .cy = 8,
     .text = "Skipped Cycle:"},
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | WS_GROUP | SS_LEFT,
     .exStyle = 0,
     .x = 31,
     .y = 82,
     .cx = 39,
     .cy = 8,
     .text = "Current HP:"},
    {.id = IDC_STATIC,
     .controlClass = ControlClass::kStatic,
     .style = kChild | WS_GROUP | SS_LEFT,
     .exStyle = 0,
     .x = 31,
     .y = 101,
     .cx = 56,
     .cy = 8,
     .text = "NextStageAliens:"},
    {.id = IDC_ELAPSED_CYCLES,
     .controlClass = ControlClass::kEdit,
     .style = kReadOnlyLine | WS_BORDER,
     .exStyle = WS_EX_RIGHT,
     .x = 91,
     .y = 41,
     .cx = 63,
     .cy = 14,
     .text = ""},
    {.id = IDC_SKIPPED_CYCLE,
     .controlClass = ControlClass::kEdit,
     .style = kReadOnlyLine | WS_BORDER,
     .exStyle = WS_EX_RIGHT,
     .x = 91,
     .y = 60,
     .cx = 63,
     .cy = 14,
     .text = ""},
    {.id = IDC_CURRENT_HP,
     .controlClass = ControlClass::kEdit,
     .style = kReadOnlyLine | WS_BORDER,
     .exStyle = WS_EX_RIGHT,
     .x = 91,
     .y = 79,
     .cx = 63,
     .cy = 14,
     .text = ""},
    {.id = IDC_NEXT_STAGE_ALIENS,
     .controlClass = ControlClass::kEdit,
     .style = kReadOnlyLine | WS_BORDER,
     .exStyle = WS_EX_RIGHT,
     .x = 91,
     .y = 98,
     .cx = 63,
     .cy = 14,
     .text = ""},
};

const DialogTemplate kAbout = {.id = IDD_ABOUTBOX,
                               .caption = "バージョン情報 Vennaloop",
                               .style = kDialogStyle,
                               .cx = 243,
                               .cy = 64,
                               .pointSize = 9,
                               .weight = 0,
                               .charset = 1,
                               .faceName = "MS UI Gothic",
                               .controls = kAboutControls};

const DialogTemplate kAboutAuthor = {.id = IDD_ABOUT_AUTHOR,
                                     .caption = "著者経歴",
                                     .style = kShellDialogStyle,
                                     .cx = 316,
                                     .cy = 303,
                                     .pointSize = 8,
                                     .weight = 400,
                                     .charset = 1,
                                     .faceName = "MS Shell Dlg",
                                     .controls = kAboutAuthorControls};

const DialogTemplate kNextStage = {.id = IDD_NEXT_STAGE,
                                   .caption = "Go To Next Stage",
                                   .style = kShellDialogStyle,
                                   .cx = 184,
                                   .cy = 137,
                                   .pointSize = 8,
                                   .weight = 400,
                                   .charset = 1,
                                   .faceName = "MS Shell Dlg",
                                   .controls = kNextStageControls};

}  // namespace

const DialogTemplate& AboutDialogTemplate() {
  return kAbout;
}
const DialogTemplate& AboutAuthorDialogTemplate() {
  return kAboutAuthor;
}
const DialogTemplate& NextStageDialogTemplate() {
  return kNextStage;
}

}  // namespace vennaloop
