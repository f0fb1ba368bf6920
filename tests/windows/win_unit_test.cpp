// win_unit_test.cpp: the Windows front end's own rules, where they need no window: key messages
// read as keys, the dialog templates read back field by field, the choice of faces, the texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "game/virtual_keys.h"
#include "ui/dialog_layouts.h"
#include "ui/faces.h"
#include "ui/key_table.h"
#include "win/dialog_template.h"
#include "win/font_choice.h"
#include "win/key_message.h"
#include "win/wide_text.h"

namespace vennaloop::win {
namespace {

// ---- Keys --------------------------------------------------------------------------------------

struct KeyMessageCase {
  const char* layout;
  WPARAM virtualKey;
  unsigned scanCode;
  bool extended;
  KeyModifiers modifiers;
  int gameKey;  ///< what the window reads, 0 where the message goes on to the system
};

// WM_KEYDOWN as Windows sends it on an AZERTY and a Dvorak keyboard: the virtual key follows the
// layout's letters, the scan code the key's place.
const KeyMessageCase KEY_MESSAGES[] = {
    {"AZERTY", 'A', 0x10, false, {}, KEY_A},  // the US Q place
    {"AZERTY", 'Q', 0x1E, false, {}, 0},
    {"AZERTY", 'W', 0x2C, false, {.shift = true}, KEY_W},
    {"AZERTY", 'Z', 0x11, false, {.ctrl = true}, 0},  // the window's undo
    {"AZERTY", VK_OEM_COMMA, 0x32, false, {}, 0},     // the US M place
    {"AZERTY", '1', 0x02, false, {}, KEY_1},          // types &
    {"AZERTY", '2', 0x03, false, {.ctrl = true}, KEY_2},
    {"AZERTY", '2', 0x7A, false, {}, KEY_2},  // Wine's scan code for é, which no table has
    {"AZERTY", VK_NUMPAD1, 0x4F, false, {}, 0},
    {"AZERTY", VK_LEFT, 0x4B, true, {}, KEY_LEFT},
    {"AZERTY", VK_LEFT, 0x4B, false, {}, KEY_LEFT},  // the keypad's, Num Lock off
    {"Dvorak", VK_OEM_COMMA, 0x11, false, {}, 0},    // the US W place
    {"Dvorak", 'W', 0x33, false, {}, KEY_W},
    {"Dvorak", 'V', 0x34, false, {}, KEY_V},
    {"Dvorak", 'K', 0x2F, false, {}, 0},  // the US V place
    {"Dvorak", 'V', 0x34, false, {.ctrl = true}, 0},
    {"Dvorak", 'S', 0x27, false, {.alt = true}, 0},  // a system key
    {"Dvorak", VK_ESCAPE, 0x01, false, {}, KEY_ESCAPE},
    {"Dvorak", VK_SPACE, 0x39, false, {}, KEY_SPACE},
    {"Dvorak", VK_INSERT, 0x52, true, {.shift = true}, 0},  // the window's paste
};

TEST(KeyMessageTest, AzertyAndDvorakMessagesReadAsTheirLabelsAndPlaces) {
  for (const KeyMessageCase& c : KEY_MESSAGES) {
    const LPARAM lParam = static_cast<LPARAM>(1 | c.scanCode << 16 | (c.extended ? 1u << 24 : 0));
    const KeyPress press = KeyPressOf(c.virtualKey, lParam, c.modifiers);
    EXPECT_EQ(ReadKeyPress(press, KeySurface::Window).gameKey, c.gameKey)
        << c.layout << " VK 0x" << std::hex << c.virtualKey << " scan 0x" << c.scanCode;
  }
}

// ---- Dialog templates --------------------------------------------------------------------------

// The template read back as the dialog manager reads it.
struct ParsedItem {
  std::uint32_t exStyle, style;
  int x, y, width, height;
  std::uint32_t id;
  std::uint16_t classAtom;
  bool titleIsOrdinal;
  std::uint16_t titleOrdinal;
  std::wstring title;
};

struct ParsedTemplate {
  std::uint16_t version, signature;
  std::uint32_t exStyle, style;
  int width, height;
  std::wstring caption, face;
  int pointSize, weight, charset;
  std::vector<ParsedItem> items;
};

class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<std::uint32_t>& data)
      : words_(reinterpret_cast<const std::uint16_t*>(data.data())), size_(data.size() * 2) {}
  std::uint16_t Word() {
    EXPECT_LT(at_, size_) << "read past the end";
    return at_ < size_ ? words_[at_++] : 0;
  }
  std::uint32_t Dword() {
    const std::uint32_t low = Word();
    return low | static_cast<std::uint32_t>(Word()) << 16;
  }
  std::wstring Text() {
    std::wstring text;
    while (std::uint16_t c = Word())
      text += static_cast<wchar_t>(c);
    return text;
  }
  void AlignToDword() { at_ += at_ % 2; }
  std::size_t at() const { return at_; }

 private:
  const std::uint16_t* words_;
  std::size_t size_;
  std::size_t at_ = 0;
};

ParsedTemplate Parse(const std::vector<std::uint32_t>& data) {
  TemplateReader in(data);
  ParsedTemplate parsed{};
  parsed.version = in.Word();
  parsed.signature = in.Word();
  in.Dword();  // help id
  parsed.exStyle = in.Dword();
  parsed.style = in.Dword();
  const int count = in.Word();
  in.Word();
  in.Word();
  parsed.width = in.Word();
  parsed.height = in.Word();
  EXPECT_EQ(in.Word(), 0) << "menu";
  EXPECT_EQ(in.Word(), 0) << "class";
  parsed.caption = in.Text();
  parsed.pointSize = in.Word();
  parsed.weight = in.Word();
  const std::uint16_t italicAndCharset = in.Word();
  EXPECT_EQ(italicAndCharset & 0xFF, 0) << "italic";
  parsed.charset = italicAndCharset >> 8;
  parsed.face = in.Text();
  for (int i = 0; i < count; ++i) {
    in.AlignToDword();
    EXPECT_EQ(in.at() % 2, 0u);
    ParsedItem item{};
    in.Dword();  // help id
    item.exStyle = in.Dword();
    item.style = in.Dword();
    item.x = in.Word();
    item.y = in.Word();
    item.width = in.Word();
    item.height = in.Word();
    item.id = in.Dword();
    EXPECT_EQ(in.Word(), 0xFFFF) << "class by atom";
    item.classAtom = in.Word();
    const std::uint16_t first = in.Word();
    item.titleIsOrdinal = first == 0xFFFF;
    if (item.titleIsOrdinal) {
      item.titleOrdinal = in.Word();
    } else if (first != 0) {
      item.title = static_cast<wchar_t>(first);
      item.title += in.Text();
    }
    EXPECT_EQ(in.Word(), 0) << "creation data";
    parsed.items.push_back(item);
  }
  return parsed;
}

std::vector<std::string> NumberedTexts(const DialogLayout& layout) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < layout.controls.size(); ++i)
    texts.push_back("text " + std::to_string(i) + "\nsecond line");
  return texts;
}

class DialogTemplateTest : public ::testing::TestWithParam<const DialogLayout*> {};

// The dialog manager sees the layout exactly: caption, font, size, and every control with its
// place in dialog units, its class, its text and an id the front end can find it by.
TEST_P(DialogTemplateTest, ReadsBackAsTheLayout) {
  const DialogLayout& layout = *GetParam();
  const std::vector<std::string> texts = NumberedTexts(layout);
  const ParsedTemplate parsed = Parse(BuildDialogTemplate(layout, L"Stand In", texts));
  EXPECT_EQ(parsed.version, 1);
  EXPECT_EQ(parsed.signature, 0xFFFF);
  EXPECT_EQ(parsed.style, DialogStyleOf(layout));
  EXPECT_EQ(parsed.width, layout.width);
  EXPECT_EQ(parsed.height, layout.height);
  EXPECT_EQ(parsed.caption, Widen(layout.caption));
  EXPECT_EQ(parsed.pointSize, layout.font.pointSize);
  EXPECT_EQ(parsed.weight, layout.font.weight);
  EXPECT_EQ(parsed.charset, DEFAULT_CHARSET);
  EXPECT_EQ(parsed.face, L"Stand In");
  ASSERT_EQ(parsed.items.size(), layout.controls.size());
  // Every control once; each named field just after its label; the tab stops in layout order.
  const std::vector<std::size_t> order = TemplateOrder(layout);
  ASSERT_EQ(std::set<std::size_t>(order.begin(), order.end()).size(), layout.controls.size());
  std::vector<std::size_t> tabStops, layoutTabStops;
  for (std::size_t k = 0; k < order.size(); ++k) {
    if (const auto label = NamingLabelOf(layout, order[k])) {
      ASSERT_GT(k, 0u);
      EXPECT_EQ(order[k - 1], *label) << "field " << order[k];
    }
    if (layout.controls[order[k]].tabStop) tabStops.push_back(order[k]);
    if (layout.controls[k].tabStop) layoutTabStops.push_back(k);
  }
  EXPECT_EQ(tabStops, layoutTabStops);
  std::set<std::uint32_t> ids;
  for (std::size_t k = 0; k < parsed.items.size(); ++k) {
    const std::size_t i = order[k];
    const DialogControl& control = layout.controls[i];
    const ParsedItem& item = parsed.items[k];
    SCOPED_TRACE(i);
    EXPECT_EQ(item.x, control.x);
    EXPECT_EQ(item.y, control.y);
    EXPECT_EQ(item.width, control.width);
    EXPECT_EQ(item.height, control.height);
    EXPECT_EQ(item.style & (WS_CHILD | WS_VISIBLE),
              static_cast<std::uint32_t>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ((item.style & WS_TABSTOP) != 0, control.tabStop);
    if (control.role == ControlRole::Icon) {
      EXPECT_TRUE(item.titleIsOrdinal);
      EXPECT_EQ(item.titleOrdinal, ICON_RESOURCE_ID);
    } else {
      EXPECT_EQ(item.title, WithCrLf(Widen(texts[i])));
    }
    if (control.value != ControlValue::None || control.role == ControlRole::Button) {
      EXPECT_TRUE(ids.insert(item.id).second) << "id " << item.id << " twice";
    }
    if (control.role == ControlRole::Button) {
      EXPECT_EQ(item.id, static_cast<std::uint32_t>(IDOK));
      EXPECT_EQ(item.classAtom, 0x80);
      EXPECT_EQ((item.style & 0xF) == BS_DEFPUSHBUTTON, control.isDefault);
    }
    if (control.role == ControlRole::ReadOnlyField || control.role == ControlRole::ScrollingText) {
      EXPECT_EQ(item.classAtom, 0x81);
      EXPECT_TRUE(item.style & ES_READONLY);
      // Numbered in the layout's order, wherever the template lists them.
      const auto before = std::count_if(
          layout.controls.begin(), layout.controls.begin() + static_cast<std::ptrdiff_t>(i),
          [](const DialogControl& c) { return c.value != ControlValue::None; });
      EXPECT_EQ(item.id, static_cast<std::uint32_t>(FIRST_VALUE_CONTROL_ID + before));
    }
    EXPECT_EQ((item.style & WS_BORDER) != 0, control.edge == ControlEdge::Line);
    EXPECT_EQ((item.exStyle & WS_EX_STATICEDGE) != 0, control.edge == ControlEdge::Sunken);
  }
}

INSTANTIATE_TEST_SUITE_P(AllDialogs, DialogTemplateTest,
                         ::testing::Values(&AboutDialogLayout(), &AuthorDialogLayout(),
                                           &StageResultDialogLayout()));

// The styles of the game's own dialogs: the about box with its own font, the other two with the
// shell's; the profile scrolls down but never wraps; the stage result's first line is sunken.
TEST(DialogStyleTest, KeepsTheGameDialogsStyles) {
  EXPECT_EQ(DialogStyleOf(AboutDialogLayout()), 0x80C800C0u);
  EXPECT_EQ(DialogStyleOf(AuthorDialogLayout()), 0x80C800C8u);
  EXPECT_EQ(DialogStyleOf(StageResultDialogLayout()), 0x80C800C8u);
  for (std::size_t i = 0; i < AuthorDialogLayout().controls.size(); ++i) {
    const DialogControl& control = AuthorDialogLayout().controls[i];
    if (control.role != ControlRole::ScrollingText) continue;
    const ControlStyle style = StyleOf(control, 0);
    EXPECT_EQ(style.style & (ES_MULTILINE | WS_VSCROLL | ES_AUTOHSCROLL),
              static_cast<std::uint32_t>(ES_MULTILINE | WS_VSCROLL | ES_AUTOHSCROLL));
    EXPECT_EQ(style.style & ES_AUTOVSCROLL, 0u);
  }
  const DialogControl& line1 = StageResultDialogLayout().controls[1];
  ASSERT_EQ(line1.value, ControlValue::StageLine1);
  const ControlStyle style = StyleOf(line1, 0);
  EXPECT_EQ(style.exStyle, static_cast<std::uint32_t>(WS_EX_STATICEDGE));
  EXPECT_EQ(style.style & (ES_CENTER | ES_READONLY | WS_BORDER),
            static_cast<std::uint32_t>(ES_CENTER | ES_READONLY));
  EXPECT_EQ(style.id, static_cast<std::uint32_t>(FIRST_VALUE_CONTROL_ID));
}

// ---- Faces and texts ---------------------------------------------------------------------------

// The face itself where it is installed, then Windows' stand-ins, then the free ones, nearest
// first; a face without every character of the text gives way to one that has them, and with none
// that has them the first installed one draws; nothing installed leaves the name to the mapper.
TEST(FaceChoiceTest, TakesTheFirstInstalledThatHasTheText) {
  std::set<std::wstring> installed;
  std::set<std::wstring> latinOnly;
  const auto has = [&](const std::wstring& face) { return installed.count(face) > 0; };
  const auto covers = [&](const std::wstring& face, std::wstring_view text) {
    return !latinOnly.count(face) ||
           text.find_first_not_of(L" ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::wstring_view::npos;
  };
  const auto choose = [&](const char* face, std::wstring_view text) {
    return ChooseFace(face, text, has, covers);
  };
  EXPECT_EQ(choose(FACE_MINCHO, L"X"), Widen(FACE_MINCHO));
  installed = {L"IPAPMincho", L"MS Mincho"};
  EXPECT_EQ(choose(FACE_MINCHO, L"X"), L"MS Mincho");
  installed.insert(L"Yu Mincho");
  EXPECT_EQ(choose(FACE_MINCHO, L"X"), L"Yu Mincho");
  installed.insert(Widen(FACE_MINCHO));
  EXPECT_EQ(choose(FACE_MINCHO, L"X"), Widen(FACE_MINCHO));
  installed = {L"DejaVu Serif", L"C059"};
  EXPECT_EQ(choose(FACE_CENTURY, L"X"), L"C059");
  installed = {L"Segoe UI", L"DejaVu Sans", L"IPAPGothic"};
  latinOnly = {L"Segoe UI", L"DejaVu Sans"};
  EXPECT_EQ(choose(FACE_SHELL_DLG, L"OK"), L"Segoe UI");
  EXPECT_EQ(choose(FACE_SHELL_DLG, L"OK \u8FF7"), L"IPAPGothic");
  installed.erase(L"IPAPGothic");
  EXPECT_EQ(choose(FACE_SHELL_DLG, L"OK \u8FF7"), L"Segoe UI");
  // Every face of the program has a Windows stand-in, tried after the face and before the free.
  for (const FaceStandIn& entry : FaceStandIns()) {
    ASSERT_FALSE(WindowsStandIns(entry.face).empty()) << entry.face;
    const std::vector<std::wstring> candidates = FaceCandidates(entry.face);
    EXPECT_EQ(candidates.front(), Widen(entry.face));
    EXPECT_EQ(candidates[1], WindowsStandIns(entry.face)[0]);
    const char* lastFree = entry.face;
    for (const char* standIn : entry.standIns)
      if (standIn) lastFree = standIn;
    EXPECT_EQ(candidates.back(), Widen(lastFree));
  }
}

TEST(WideTextTest, WidensUtf8AndEndsLinesForEditControls) {
  EXPECT_EQ(Widen("迷路 Vennaloop"), L"\u8FF7\u8DEF Vennaloop");
  EXPECT_EQ(Widen(""), L"");
  EXPECT_EQ(WithCrLf(L"a\nb\r\nc\n"), L"a\r\nb\r\nc\r\n");
  EXPECT_EQ(WithCrLf(L"\n"), L"\r\n");
}

}  // namespace
}  // namespace vennaloop::win
