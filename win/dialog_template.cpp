// dialog_template.cpp: writing DLGTEMPLATEEX and DLGITEMTEMPLATEEX records.
#include "win/dialog_template.h"

#include <windows.h>

#include "ui/faces.h"
#include "win/wide_text.h"

namespace vennaloop::win {

namespace {

constexpr std::uint16_t BUTTON_ATOM = 0x0080;
constexpr std::uint16_t EDIT_ATOM = 0x0081;
constexpr std::uint16_t STATIC_ATOM = 0x0082;
constexpr std::uint32_t NO_ID = 0xFFFFFFFF;

// The records are WORDs and DWORDs, each item starting on a DWORD; the buffer is of DWORDs so
// that its start is aligned too.
class TemplateWriter {
 public:
  void Word(std::uint16_t value) { words_.push_back(value); }
  void Dword(std::uint32_t value) {
    Word(static_cast<std::uint16_t>(value & 0xFFFF));
    Word(static_cast<std::uint16_t>(value >> 16));
  }
  void Text(const std::wstring& text) {
    for (wchar_t c : text)
      Word(static_cast<std::uint16_t>(c));
    Word(0);
  }
  void Ordinal(std::uint16_t value) {
    Word(0xFFFF);
    Word(value);
  }
  void AlignToDword() {
    if (words_.size() % 2) Word(0);
  }
  std::vector<std::uint32_t> Finish() {
    AlignToDword();
    std::vector<std::uint32_t> out(words_.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
      out[i] = words_[2 * i] | static_cast<std::uint32_t>(words_[2 * i + 1]) << 16;
    return out;
  }

 private:
  std::vector<std::uint16_t> words_;
};

std::uint32_t EditAlign(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return ES_CENTER;
    case TextAlign::Right:
      return ES_RIGHT;
    case TextAlign::Left:
      break;
  }
  return ES_LEFT;
}

std::uint32_t StaticAlign(TextAlign align) {
  switch (align) {
    case TextAlign::Center:
      return SS_CENTER;
    case TextAlign::Right:
      return SS_RIGHT;
    case TextAlign::Left:
      break;
  }
  return SS_LEFT;
}

}  // namespace

ControlStyle StyleOf(const DialogControl& control, int valueIndex) {
  std::uint32_t style = WS_CHILD | WS_VISIBLE | (control.tabStop ? WS_TABSTOP : 0);
  std::uint32_t exStyle = 0;
  if (control.edge == ControlEdge::Line) style |= WS_BORDER;
  if (control.edge == ControlEdge::Sunken) exStyle |= WS_EX_STATICEDGE;
  const std::uint32_t valueId = static_cast<std::uint32_t>(FIRST_VALUE_CONTROL_ID + valueIndex);
  switch (control.role) {
    case ControlRole::Button:
      style |= control.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
      return {BUTTON_ATOM, style | WS_GROUP, exStyle, IDOK};
    case ControlRole::ReadOnlyField:
      style |= ES_AUTOHSCROLL | ES_READONLY | EditAlign(control.align);
      return {EDIT_ATOM, style, exStyle, valueId};
    case ControlRole::ScrollingText:
      // No ES_AUTOVSCROLL or word wrap: a long line scrolls sideways, as the layout says.
      style |= ES_MULTILINE | ES_AUTOHSCROLL | ES_READONLY | WS_VSCROLL | EditAlign(control.align);
      return {EDIT_ATOM, style, exStyle, valueId};
    case ControlRole::Icon:
      return {STATIC_ATOM, style | SS_ICON, exStyle, NO_ID};
    case ControlRole::Label:
      break;
  }
  // Texts are shown as written: an ampersand is no mnemonic.
  style |= WS_GROUP | SS_NOPREFIX | StaticAlign(control.align);
  return {STATIC_ATOM, style, exStyle, NO_ID};
}

std::uint32_t DialogStyleOf(const DialogLayout& layout) {
  const bool shellFont = std::string_view(layout.font.face) == FACE_SHELL_DLG;
  return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
         (shellFont ? DS_FIXEDSYS : 0);
}

std::vector<std::size_t> TemplateOrder(const DialogLayout& layout) {
  std::vector<std::optional<std::size_t>> namingLabel(layout.controls.size());
  std::vector<bool> namesAField(layout.controls.size(), false);
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    namingLabel[i] = NamingLabelOf(layout, i);
    if (namingLabel[i]) namesAField[*namingLabel[i]] = true;
  }
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < layout.controls.size(); ++i) {
    if (namesAField[i]) continue;
    if (namingLabel[i]) order.push_back(*namingLabel[i]);
    order.push_back(i);
  }
  return order;
}

std::vector<std::uint32_t> BuildDialogTemplate(const DialogLayout& layout, const std::wstring& face,
                                               std::span<const std::string> texts, int pointSize) {
  TemplateWriter out;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: the extended template
  out.Dword(0);      // helpID
  out.Dword(0);      // exStyle
  out.Dword(DialogStyleOf(layout));
  out.Word(static_cast<std::uint16_t>(layout.controls.size()));
  out.Word(0);  // x, y: placed over the owner when shown
  out.Word(0);
  out.Word(static_cast<std::uint16_t>(layout.width));
  out.Word(static_cast<std::uint16_t>(layout.height));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(Widen(layout.caption));
  out.Word(static_cast<std::uint16_t>(pointSize > 0 ? pointSize : layout.font.pointSize));
  out.Word(static_cast<std::uint16_t>(layout.font.weight));
  out.Word(DEFAULT_CHARSET << 8);  // italic 0, then the character set
  out.Text(face);

  // Value ids follow the layout's order, whatever order the template lists them in.
  std::vector<int> valueIndexOf(layout.controls.size(), 0);
  for (std::size_t i = 0, values = 0; i < layout.controls.size(); ++i) {
    valueIndexOf[i] = static_cast<int>(values);
    if (layout.controls[i].value != ControlValue::None) ++values;
  }
  for (const std::size_t i : TemplateOrder(layout)) {
    const DialogControl& control = layout.controls[i];
    const ControlStyle style = StyleOf(control, valueIndexOf[i]);
    out.AlignToDword();
    out.Dword(0);  // helpID
    out.Dword(style.exStyle);
    out.Dword(style.style);
    out.Word(static_cast<std::uint16_t>(control.x));
    out.Word(static_cast<std::uint16_t>(control.y));
    out.Word(static_cast<std::uint16_t>(control.width));
    out.Word(static_cast<std::uint16_t>(control.height));
    out.Dword(style.id);
    out.Ordinal(style.classAtom);
    if (control.role == ControlRole::Icon) {
      out.Ordinal(ICON_RESOURCE_ID);
    } else {
      out.Text(i < texts.size() ? WithCrLf(Widen(texts[i])) : std::wstring());
    }
    out.Word(0);  // no creation data
  }
  return out.Finish();
}

}  // namespace vennaloop::win
