// ui_data_test.cpp: the data every front end shows: dialog units, the dialogs' layouts, the key
// table, the touch controls, the profile text and how windows meet the screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "game/game.h"
#include "game/virtual_keys.h"
#include "ui/dialog_layouts.h"
#include "ui/dialog_units.h"
#include "ui/key_table.h"
#include "ui/texts.h"
#include "ui/touch_controls.h"
#include "ui/window_fit.h"

namespace vennaloop {
namespace {

TEST(DialogUnitsTest, MulDivRoundsHalfAwayFromZero) {
  EXPECT_EQ(MulDiv(10, 6, 4), 15);
  EXPECT_EQ(MulDiv(7, 6, 4), 11);  // 10.5
  EXPECT_EQ(MulDiv(-7, 6, 4), -11);
  EXPECT_EQ(MulDiv(7, 6, -4), -11);
  EXPECT_EQ(MulDiv(5, 13, 8), 8);  // 8.125
  EXPECT_EQ(MulDiv(3, 13, 8), 5);  // 4.875
  EXPECT_EQ(MulDiv(1, 1, 0), 0);
  EXPECT_EQ(MulDiv(1 << 20, 1 << 20, 1 << 20), 1 << 20);  // no overflow in the product
}

TEST(DialogUnitsTest, XIsAQuarterOfTheLetterWidthAndYAnEighthOfTheHeight) {
  // Worked example: 52 letters advancing 316 pixels give 6 (6.08 rounded), height 13.
  const DialogBaseUnits base = BaseUnitsFrom(316, 13);
  EXPECT_EQ(base.x, 6);
  EXPECT_EQ(base.y, 13);
  EXPECT_EQ(BaseUnitsFrom(338, 13).x, 7) << "6.5 rounds up";
  const DialogRect pixels = DialogUnitsToPixels({7, 7, 170, 14}, base);
  EXPECT_EQ(pixels.x, 11);  // 10.5
  EXPECT_EQ(pixels.y, 11);  // 11.375
  EXPECT_EQ(pixels.width, 255);
  EXPECT_EQ(pixels.height, 23);          // 22.75
  EXPECT_EQ(PointsToPixels(8, 96), 11);  // 10.67
  EXPECT_EQ(PointsToPixels(9, 96), 12);
}

TEST(DialogLayoutTest, EveryControlLiesInsideItsDialogAndOneButtonIsTheDefault) {
  for (const DialogLayout* layout :
       {&AboutDialogLayout(), &AuthorDialogLayout(), &StageResultDialogLayout()}) {
    int defaults = 0;
    for (const DialogControl& control : layout->controls) {
      EXPECT_GE(control.x, 0) << layout->caption;
      EXPECT_GE(control.y, 0) << layout->caption;
      EXPECT_LE(control.x + control.width, layout->width) << layout->caption;
      EXPECT_LE(control.y + control.height, layout->height) << layout->caption;
      if (control.isDefault) {
        ++defaults;
        EXPECT_EQ(control.role, ControlRole::Button);
      }
    }
    EXPECT_EQ(defaults, 1) << layout->caption;
  }
}

TEST(DialogLayoutTest, TheStageResultsTwoLinesHaveDifferentEdges) {
  const auto& controls = StageResultDialogLayout().controls;
  const auto edgeOf = [&](ControlValue value) {
    return std::find_if(controls.begin(), controls.end(),
                        [&](const DialogControl& c) { return c.value == value; })
        ->edge;
  };
  EXPECT_EQ(edgeOf(ControlValue::StageLine1), ControlEdge::Sunken);
  EXPECT_EQ(edgeOf(ControlValue::StageLine2), ControlEdge::Line);
}

// A screen reader names each counter by the label on its row; the message lines and the
// profile have none (the caption names them), and nothing else is named.
TEST(DialogLayoutTest, EachCounterIsNamedByTheLabelOnItsRow) {
  const DialogLayout& result = StageResultDialogLayout();
  const std::pair<ControlValue, const char*> rows[] = {
      {ControlValue::StageLine1, nullptr},
      {ControlValue::StageLine2, nullptr},
      {ControlValue::ElapsedCycles, "Elapsed Cycle:"},
      {ControlValue::SkippedCycle, "Skipped Cycle:"},
      {ControlValue::HitPoints, "Current HP:"},
      {ControlValue::NextStageAliens, "NextStageAliens:"},
  };
  for (const auto& row : rows) {
    const auto [value, want] = row;
    const auto at = std::find_if(result.controls.begin(), result.controls.end(),
                                 [&](const DialogControl& c) { return c.value == row.first; });
    const auto label =
        NamingLabelOf(result, static_cast<std::size_t>(at - result.controls.begin()));
    if (want) {
      ASSERT_TRUE(label.has_value()) << want;
      EXPECT_STREQ(result.controls[*label].text, want);
    } else {
      EXPECT_FALSE(label.has_value()) << static_cast<int>(value);
    }
  }
  for (const DialogLayout* layout : {&AboutDialogLayout(), &AuthorDialogLayout(), &result}) {
    for (std::size_t i = 0; i < layout->controls.size(); ++i) {
      const ControlRole role = layout->controls[i].role;
      if (role != ControlRole::ReadOnlyField && role != ControlRole::ScrollingText) {
        EXPECT_FALSE(NamingLabelOf(*layout, i).has_value()) << layout->caption << " " << i;
      }
    }
  }
}

TEST(KeyTableTest, EveryKeyTheGameTakesHasOnePhysicalKey) {
  int bound = 0;
  for (int key = 0; key < 256; ++key) {
    const auto count = std::count_if(GameKeyBindings().begin(), GameKeyBindings().end(),
                                     [&](const KeyBinding& b) { return b.gameKey == key; });
    EXPECT_EQ(count, IsAcceptedKey(key) ? 1 : 0) << key;
    bound += static_cast<int>(count);
  }
  EXPECT_EQ(bound, static_cast<int>(GameKeyBindings().size()));
  EXPECT_EQ(GameKeyOf("Digit1"), KEY_1);
  EXPECT_EQ(GameKeyOf("KeyV"), KEY_V);
  EXPECT_EQ(GameKeyOf("ArrowLeft"), KEY_LEFT);
  EXPECT_EQ(GameKeyOf("Numpad1"), 0) << "the keypad's digits are keys of their own";
  EXPECT_EQ(GameKeyOf("Digit4"), 0);
  EXPECT_EQ(GameKeyOf(""), 0);
}

TEST(KeyTableTest, WindowChordsWantTheirModifiersExactly) {
  const KeyModifiers none, shift{.shift = true}, ctrl{.ctrl = true}, alt{.alt = true};
  const KeyModifiers ctrlShift{.shift = true, .ctrl = true}, ctrlAlt{.ctrl = true, .alt = true};
  for (const KeyChord& chord : WindowChords())
    EXPECT_FALSE(KeyReachesGame(chord.name, chord.modifiers)) << chord.name;
  EXPECT_EQ(WindowChords().size(), 10u);

  EXPECT_FALSE(KeyReachesGame("KeyV", ctrl));
  EXPECT_TRUE(KeyReachesGame("KeyV", none));
  EXPECT_TRUE(KeyReachesGame("KeyV", shift));
  EXPECT_TRUE(KeyReachesGame("KeyV", ctrlShift));
  EXPECT_TRUE(KeyReachesGame("Digit1", ctrl)) << "Ctrl+digit sets the speed";
  EXPECT_TRUE(KeyReachesGame("Insert", none));
  EXPECT_TRUE(KeyReachesGame("F6", ctrl));
  // With Alt and without Ctrl every key is the system's; with both (AltGr) it is the game's.
  EXPECT_FALSE(KeyReachesGame("KeyV", alt));
  EXPECT_FALSE(KeyReachesGame("Digit2", KeyModifiers{.shift = true, .alt = true}));
  EXPECT_TRUE(KeyReachesGame("Digit2", ctrlAlt));
}

// A stand-in key must be free (no game key of its own), reach the game on its own and give a
// digit with Ctrl, the chord it replaces.
TEST(KeyTableTest, BrowserStandInsAreFreeKeysThatGiveCtrlDigits) {
  ASSERT_EQ(BrowserStandInKeys().size(), 3u);
  int digit = KEY_1;
  for (const KeyStandIn& standIn : BrowserStandInKeys()) {
    EXPECT_EQ(GameKeyOf(standIn.name), 0) << standIn.name;
    EXPECT_TRUE(KeyReachesGame(standIn.name, KeyModifiers{})) << standIn.name;
    EXPECT_EQ(standIn.gameKey, digit++);
    EXPECT_EQ(standIn.adds, KeyModifiers{.ctrl = true});
  }
}

// A page takes from the browser the chords the game binds and no others: never one the desktop
// window keeps from the game, and none of the browser's own shortcuts.
TEST(KeyTableTest, PageTakesTheGamesChordsAndLeavesTheBrowsersShortcuts) {
  const KeyModifiers none, shift{.shift = true}, ctrl{.ctrl = true}, alt{.alt = true};
  const KeyModifiers ctrlShift{.shift = true, .ctrl = true}, meta{.meta = true};
  for (const KeyChord& chord : PageChords()) {
    EXPECT_TRUE(GameKeyOf(chord.name) != 0 || chord.name.starts_with("Digit")) << chord.name;
    EXPECT_TRUE(KeyReachesGame(chord.name, chord.modifiers)) << chord.name;
    EXPECT_FALSE(chord.modifiers.alt || chord.modifiers.meta) << chord.name;
  }
  for (const KeyBinding& key : GameKeyBindings()) {
    EXPECT_TRUE(PageTakesKey(key.name, none)) << key.name;
    EXPECT_TRUE(PageTakesKey(key.name, shift)) << key.name;
    EXPECT_FALSE(PageTakesKey(key.name, meta)) << key.name;
    EXPECT_FALSE(PageTakesKey(key.name, alt)) << key.name;
  }
  for (const char* digit : {"Digit1", "Digit2", "Digit3"}) {
    EXPECT_TRUE(PageTakesKey(digit, ctrl)) << digit;
    EXPECT_TRUE(PageTakesKey(digit, ctrlShift)) << digit;
  }
  for (const KeyStandIn& standIn : BrowserStandInKeys()) {
    EXPECT_TRUE(PageTakesKey(standIn.name, none)) << standIn.name;
    EXPECT_TRUE(PageTakesKey(standIn.name, shift)) << standIn.name;
    EXPECT_FALSE(PageTakesKey(standIn.name, ctrl)) << standIn.name;
  }
  // Reload, find, save, new window, select all, close, bookmark: all the browser's.
  for (const char* code : {"KeyR", "KeyF", "KeyS", "KeyN", "KeyA", "KeyW", "KeyV", "KeyD"}) {
    EXPECT_FALSE(PageTakesKey(code, ctrl)) << code;
    EXPECT_FALSE(PageTakesKey(code, ctrlShift)) << code;
  }
  EXPECT_FALSE(PageTakesKey("Digit4", none));
  EXPECT_FALSE(PageTakesKey("F5", none));
  EXPECT_FALSE(PageTakesKey("Digit1", KeyModifiers{.ctrl = true, .meta = true}));
  EXPECT_EQ(PageChords().size(), 2 * (GameKeyBindings().size() + BrowserStandInKeys().size()) + 6);
}

std::vector<TouchButton> AllTouchButtons() {
  std::vector<TouchButton> all(TouchBarButtons().begin(), TouchBarButtons().end());
  for (const TouchMenuRow& row : TouchMenuRows())
    all.insert(all.end(), row.buttons.begin(), row.buttons.end());
  return all;
}

// Between the bar and the menu a finger reaches every command but the arrows (the swipes), each
// through one button, which presses a chord the page takes.
TEST(TouchControlsTest, EveryCommandButTheArrowsHasOneButtonThatPressesIt) {
  std::set<std::tuple<int, bool, bool>> chords;
  std::set<int> keys;
  for (const TouchButton& button : AllTouchButtons()) {
    const GameKeyPress read =
        ReadKeyPress({"", button.key, KeyModifiers{.shift = button.shift, .ctrl = button.ctrl}},
                     KeySurface::Page);
    EXPECT_NE(read.gameKey, 0) << button.label;
    EXPECT_FALSE(button.label.empty()) << button.key;
    EXPECT_TRUE(chords.insert({read.gameKey, button.shift, button.ctrl}).second) << button.label;
    keys.insert(read.gameKey);
  }
  // The bar's buttons are labelled as the keyboard's keys they stand for.
  for (const TouchButton& button : TouchBarButtons()) {
    EXPECT_EQ(button.label, std::string(1, static_cast<char>(std::toupper(button.key[0]))));
  }
  std::set<int> wanted;
  for (const KeyBinding& binding : GameKeyBindings())
    if (!binding.name.starts_with("Arrow")) wanted.insert(binding.gameKey);
  EXPECT_EQ(keys, wanted);
  EXPECT_TRUE(TouchMenuButton().key.empty()) << "the menu's button only opens the menu";
  EXPECT_FALSE(TouchMenuButton().label.empty());
}

// The speeds open the menu, fastest first over two rows, each labelled with the period in ms
// its chord sets.
TEST(TouchControlsTest, TheSpeedsComeFirstFastestFirstLabelledWithTheirPeriods) {
  const auto rows = TouchMenuRows();
  ASSERT_GE(rows.size(), 2u);
  EXPECT_TRUE(rows[1].heading.empty()) << "the second row goes on under the first";
  std::vector<TouchButton> speeds(rows[0].buttons);
  speeds.insert(speeds.end(), rows[1].buttons.begin(), rows[1].buttons.end());
  ASSERT_EQ(speeds.size(), 9u);
  int last = 0;
  for (const TouchButton& button : speeds) {
    const int period = SpeedPeriodMs(button.key[0] - '0', button.shift, button.ctrl);
    EXPECT_EQ(button.label, std::to_string(period));
    EXPECT_GT(period, last) << button.label;
    last = period;
  }
}

TEST(TextsTest, EachOutcomeHasItsOwnTwoLines) {
  const Outcome outcomes[] = {Outcome::GoalReached, Outcome::GaveUp, Outcome::HitPointsExhausted};
  for (const Outcome a : outcomes) {
    EXPECT_NE(std::string_view(StageMessageFor(a).line1), "");
    for (const Outcome b : outcomes) {
      if (a != b) {
        EXPECT_NE(std::string(StageMessageFor(a).line2), StageMessageFor(b).line2);
      }
    }
  }
  EXPECT_EQ(std::string_view(StageMessageFor(static_cast<Outcome>(7)).line1), "");
}

TEST(TextsTest, TheProfileHas261LinesThatNeedNoFixedWidthFont) {
  const std::string_view text = AuthorProfileText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 261);
  EXPECT_EQ(text.back(), '\n');
  EXPECT_EQ(text.find('\r'), std::string_view::npos);
  // Columns lined up with runs of spaces, and rules drawn with repeated marks, only line up in a
  // font whose letters are all one width.
  EXPECT_EQ(text.find("  "), std::string_view::npos);
  for (const char* rule : {"===", "---", "***"})
    EXPECT_EQ(text.find(rule), std::string_view::npos) << rule;
}

}  // namespace
}  // namespace vennaloop

// ---- Windows on the screen ----------------------------------------------------------------------

namespace vennaloop {
namespace {

TEST(WindowFitTest, TheMainWindowOpensAtTheTitlesSizeWhereTheScreenHasRoom) {
  struct Case {
    PixelSize edges;
    double scale;
    PixelSize room, want;
  };
  const Case cases[] = {
      {{12, 12}, 1, {1904, 1016}, {1212, 612}},  // Qt, logical pixels
      {{8, 8}, 1.5, {3000, 2000}, {1808, 908}},  // Windows at 144 dpi, device pixels
      {{12, 12}, 1, {1000, 700}, {1000, 612}},   // a small screen cuts the width only
      {{12, 12}, 2, {800, 500}, {800, 500}},    {{12, 12}, 1, {-5, 0}, {0, 0}},  // no room at all
  };
  for (const Case& c : cases) {
    const PixelSize got = InitialClientSize(c.edges, c.scale, c.room);
    EXPECT_EQ(got, c.want) << c.scale << " in " << c.room.width << " x " << c.room.height;
  }
}

TEST(WindowFitTest, ADialogShrinksWholeToItsRoomAndLiesInsideIt) {
  struct Scale {
    PixelSize dialog, room;
    double want;
  };
  const Scale scales[] = {
      {{300, 200}, {800, 600}, 1},     {{300, 200}, {300, 200}, 1},   {{600, 200}, {300, 600}, 0.5},
      {{300, 400}, {800, 300}, 0.75},  {{600, 400}, {300, 300}, 0.5},  // the tighter side rules
      {{600, 400}, {0, 0}, 1.0 / 600},  // never a zero or negative size
  };
  for (const Scale& s : scales)
    EXPECT_DOUBLE_EQ(DialogFitScale(s.dialog, s.room), s.want) << s.dialog.width;

  struct Place {
    ScreenRect owner;
    PixelSize size;
    ScreenRect room, want;
  };
  const Place places[] = {
      {{100, 100, 800, 600}, {200, 100}, {0, 0, 1920, 1040}, {400, 350, 200, 100}},
      {{1500, 900, 400, 300}, {600, 400}, {0, 0, 1920, 1040}, {1320, 640, 600, 400}},
      {{-300, -200, 400, 300}, {200, 100}, {0, 0, 1920, 1040}, {0, 0, 200, 100}},
      // Larger than the room: its caption stays on the screen.
      {{0, 0, 400, 300}, {800, 600}, {1920, 0, 640, 480}, {1920, 0, 800, 600}},
  };
  for (const Place& p : places)
    EXPECT_EQ(PlaceDialog(p.owner, p.size, p.room), p.want) << p.owner.x << "," << p.owner.y;
}

}  // namespace
}  // namespace vennaloop
