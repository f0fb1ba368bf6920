// dialog_template.h: the three dialog templates as data: caption, style, size and font of each
// dialog, and per control its id, class, styles, position and size in dialog units, and text.
#pragma once

#include <cstdint>
#include <span>

namespace vennaloop {

// ---- Style bits, with the values the templates are written in ----------------------------------

inline constexpr std::uint32_t WS_POPUP = 0x80000000;
inline constexpr std::uint32_t WS_CHILD = 0x40000000;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000;
inline constexpr std::uint32_t WS_CAPTION = 0x00C00000;
inline constexpr std::uint32_t WS_BORDER = 0x00800000;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000;
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr std::uint32_t WS_GROUP = 0x00020000;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000;

inline constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr std::uint32_t WS_EX_RIGHT = 0x00001000;
inline constexpr std::uint32_t WS_EX_STATICEDGE = 0x00020000;

inline constexpr std::uint32_t DS_FIXEDSYS = 0x08;
inline constexpr std::uint32_t DS_SETFONT = 0x40;
inline constexpr std::uint32_t DS_MODALFRAME = 0x80;
inline constexpr std::uint32_t DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

inline constexpr std::uint32_t SS_LEFT = 0x0;
inline constexpr std::uint32_t SS_CENTER = 0x1;
inline constexpr std::uint32_t SS_RIGHT = 0x2;
inline constexpr std::uint32_t SS_ICON = 0x3;
inline constexpr std::uint32_t SS_TYPEMASK = 0x1F;
inline constexpr std::uint32_t SS_NOPREFIX = 0x80;

inline constexpr std::uint32_t ES_LEFT = 0x0;
inline constexpr std::uint32_t ES_CENTER = 0x1;
inline constexpr std::uint32_t ES_RIGHT = 0x2;
inline constexpr std::uint32_t ES_MULTILINE = 0x4;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x80;
inline constexpr std::uint32_t ES_READONLY = 0x800;

inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
inline constexpr std::uint32_t BS_TYPEMASK = 0xF;

// ---- Ids ---------------------------------------------------------------------------------------

inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_STATIC = -1;
inline constexpr int IDR_MAINFRAME = 128;  ///< the program icon, caption and accelerators

inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_ABOUT_AUTHOR = 130;
inline constexpr int IDD_NEXT_STAGE = 131;

inline constexpr int IDC_AUTHOR_PROFILE = 1000;
inline constexpr int IDC_STAGE_LINE1 = 1000;
inline constexpr int IDC_STAGE_LINE2 = 1001;
inline constexpr int IDC_ELAPSED_CYCLES = 1002;
inline constexpr int IDC_SKIPPED_CYCLE = 1003;
inline constexpr int IDC_CURRENT_HP = 1004;
inline constexpr int IDC_NEXT_STAGE_ALIENS = 1005;

// ---- Templates ---------------------------------------------------------------------------------

enum class ControlClass { kButton, kEdit, kStatic };

struct DialogControl {
  int id;
  ControlClass controlClass;
  std::uint32_t style;  ///< full style, WS_CHILD | WS_VISIBLE included
  std::uint32_t exStyle;
  int x;  ///< position and size in dialog units
  int y;
  int cx;
  int cy;
  const char* text;  ///< UTF-8; for an SS_ICON static, the icon is `iconId` instead
  int iconId = 0;
};

struct DialogTemplate {
  int id;
  const char* caption;  ///< UTF-8
  std::uint32_t style;
  int cx;  ///< client size in dialog units
  int cy;
  int pointSize;  ///< the dialog font, used when the style has DS_SETFONT
  int weight;     ///< 0 for the face's normal weight
  int charset;
  const char* faceName;
  std::span<const DialogControl> controls;  ///< in template order, which is the tab order
};

const DialogTemplate& AboutDialogTemplate();        ///< 100, the version box
const DialogTemplate& AboutAuthorDialogTemplate();  ///< 130, the author profile
const DialogTemplate& NextStageDialogTemplate();    ///< 131, the stage result

}  // namespace vennaloop
