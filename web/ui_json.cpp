// ui_json.cpp: the shared interface data as JSON. Strings are UTF-8 and are escaped only where
// JSON demands it.
#include "web/ui_json.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "game/game.h"
#include "ui/dialog_layouts.h"
#include "ui/dialog_units.h"
#include "ui/faces.h"
#include "ui/help.h"
#include "ui/key_table.h"
#include "ui/texts.h"
#include "ui/title_layout.h"
#include "ui/touch_controls.h"

namespace vennaloop::web {

namespace {

// Builds one JSON value; a comma goes before every member or element but the first.
class JsonWriter {
 public:
  std::string Take() { return std::move(out_); }

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }

  void Key(std::string_view key) {
    Separate();
    String(key);
    out_ += ':';
    afterKey_ = true;
  }
  void Value(std::string_view text) {
    Separate();
    String(text);
  }
  void Value(const char* text) { Value(std::string_view(text ? text : "")); }
  void Value(int number) {
    Separate();
    out_ += std::to_string(number);
  }
  void Value(bool flag) {
    Separate();
    out_ += flag ? "true" : "false";
  }
  template <typename T>
  void Member(std::string_view key, T value) {
    Key(key);
    Value(value);
  }

 private:
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  void Separate() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (!first_ && !out_.empty()) out_ += ',';
    first_ = false;
  }
  void String(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
      switch (c) {
        case '"':
          out_ += "\\\"";
          break;
        case '\\':
          out_ += "\\\\";
          break;
        case '\n':
          out_ += "\\n";
          break;
        case '\r':
          out_ += "\\r";
          break;
        case '\t':
          out_ += "\\t";
          break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
            out_ += escape;
          } else {
            out_ += c;
          }
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
  bool afterKey_ = false;
};

const char* AlignName(TextAlign align) {
  switch (align) {
    case TextAlign::Left:
      return "left";
    case TextAlign::Center:
      return "center";
    case TextAlign::Right:
      return "right";
  }
  return "left";
}

const char* RoleName(ControlRole role) {
  switch (role) {
    case ControlRole::Label:
      return "label";
    case ControlRole::Icon:
      return "icon";
    case ControlRole::ReadOnlyField:
      return "field";
    case ControlRole::ScrollingText:
      return "scrollingText";
    case ControlRole::Button:
      return "button";
  }
  return "label";
}

const char* EdgeName(ControlEdge edge) {
  switch (edge) {
    case ControlEdge::None:
      return "none";
    case ControlEdge::Line:
      return "line";
    case ControlEdge::Sunken:
      return "sunken";
  }
  return "none";
}

void WriteDialog(JsonWriter& json, std::string_view name, DialogKind kind) {
  const DialogLayout& layout = DialogLayoutOf(kind);
  json.Key(name);
  json.BeginObject();
  json.Member("kind", static_cast<int>(kind));
  json.Member("caption", layout.caption);
  json.Key("font");
  json.BeginObject();
  json.Member("face", layout.font.face);
  json.Member("pointSize", layout.font.pointSize);
  json.Member("weight", layout.font.weight);
  json.EndObject();
  json.Member("width", layout.width);
  json.Member("height", layout.height);
  json.Key("controls");
  json.BeginArray();
  for (std::size_t index = 0; index < layout.controls.size(); ++index) {
    const DialogControl& control = layout.controls[index];
    json.BeginObject();
    json.Member("role", RoleName(control.role));
    json.Member("x", control.x);
    json.Member("y", control.y);
    json.Member("width", control.width);
    json.Member("height", control.height);
    json.Member("text", control.text);
    json.Member("align", AlignName(control.align));
    json.Member("edge", EdgeName(control.edge));
    json.Member("tabStop", control.tabStop);
    json.Member("isDefault", control.isDefault);
    json.Member("filled", control.value != ControlValue::None);  // its text comes with the dialog
    // A field: the label that names it to a screen reader, or -1 where the caption does.
    if (IsNamedField(control)) {
      const std::optional<std::size_t> label = NamingLabelOf(layout, index);
      json.Member("namedBy", label ? static_cast<int>(*label) : -1);
    }
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
}

void WriteModifiers(JsonWriter& json, const KeyModifiers& modifiers) {
  json.Member("shift", modifiers.shift);
  json.Member("ctrl", modifiers.ctrl);
  json.Member("alt", modifiers.alt);
  json.Member("meta", modifiers.meta);
}

void WriteTouchButton(JsonWriter& json, const TouchButton& button) {
  json.BeginObject();
  json.Member("label", std::string_view(button.label));
  json.Member("caption", button.caption);
  json.Member("key", button.key);
  json.Member("shift", button.shift);
  json.Member("ctrl", button.ctrl);
  json.EndObject();
}

}  // namespace

std::string InterfaceJson() {
  JsonWriter json;
  json.BeginObject();
  json.Member("appName", APP_NAME);
  json.Member("version", AppVersion());
  json.Member("authorCredit", AUTHOR_CREDIT);
  json.Member("copyright", COPYRIGHT_LINE);
  json.Member("aboutVersionLine", ABOUT_VERSION_LINE);
  json.Member("authorProfile", AuthorProfileText());
  json.Member("titleTicks", TITLE_TICKS);
  json.Member("defaultPeriodMs", DEFAULT_PERIOD_MS);
  json.Member("baseUnitLetters", BASE_UNIT_LETTERS);

  // Every outcome's lines, so that the font subsetter sees them all.
  json.Key("stageMessages");
  json.BeginArray();
  for (const Outcome outcome :
       {Outcome::GoalReached, Outcome::GaveUp, Outcome::HitPointsExhausted}) {
    const StageMessage message = StageMessageFor(outcome);
    json.BeginArray();
    json.Value(message.line1);
    json.Value(message.line2);
    json.EndArray();
  }
  json.EndArray();

  json.Key("faces");
  json.BeginObject();
  for (const FaceStandIn& face : FaceStandIns()) {
    json.Key(face.face);
    json.BeginArray();
    for (const char* standIn : face.standIns)
      if (standIn) json.Value(standIn);
    json.EndArray();
  }
  json.EndObject();

  json.Key("title");
  json.BeginObject();
  json.Member("width", TITLE_LAYOUT_WIDTH);
  json.Member("height", TITLE_LAYOUT_HEIGHT);
  json.Key("items");
  json.BeginArray();
  for (const TitleItem& item : TitleItems()) {
    json.BeginObject();
    json.Member("text", item.text);
    json.Member("left", item.left);
    json.Member("top", item.top);
    json.Member("right", item.right);
    json.Member("bottom", item.bottom);
    json.Member("fontHeight", item.fontHeight);
    json.Member("fontWidth", item.fontWidth);
    json.Member("italic", item.italic);
    json.Member("face", item.face);
    json.Member("colour", static_cast<int>(item.colour));
    json.Member("align", AlignName(item.align));
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();

  json.Key("dialogs");
  json.BeginObject();
  WriteDialog(json, "about", DialogKind::About);
  WriteDialog(json, "author", DialogKind::AuthorProfile);
  WriteDialog(json, "stageResult", DialogKind::StageResult);
  json.EndObject();
  json.Key("answers");
  json.BeginObject();
  json.Member("ok", static_cast<int>(DialogAnswer::Ok));
  json.Member("cancel", static_cast<int>(DialogAnswer::Cancel));
  json.EndObject();

  // The touch controls: the bar, its menu button, the menu's rows and its help.
  json.Key("touch");
  json.BeginObject();
  json.Key("bar");
  json.BeginArray();
  for (const TouchButton& button : TouchBarButtons())
    WriteTouchButton(json, button);
  json.EndArray();
  json.Key("menuButton");
  WriteTouchButton(json, TouchMenuButton());
  json.Key("menu");
  json.BeginArray();
  for (const TouchMenuRow& row : TouchMenuRows()) {
    json.BeginObject();
    json.Member("heading", row.heading);
    json.Key("buttons");
    json.BeginArray();
    for (const TouchButton& button : row.buttons)
      WriteTouchButton(json, button);
    json.EndArray();
    json.EndObject();
  }
  json.EndArray();
  json.Member("helpSummary", TOUCH_HELP_SUMMARY);
  json.Member("helpNote", TOUCH_HELP_NOTE);
  json.EndObject();

  json.Member("goal", GOAL_SENTENCE);
  json.Member("keyLayoutNote", KEY_LAYOUT_NOTE);
  json.Key("legend");
  json.BeginArray();
  for (const ColourMeaning& colour : ColourLegend()) {
    json.BeginObject();
    json.Member("colour", static_cast<int>(colour.colour));
    json.Member("name", colour.name);
    json.Member("meaning", colour.meaning);
    json.EndObject();
  }
  json.EndArray();
  json.Key("keyHelp");
  json.BeginArray();
  for (const KeyHelp& key : KeyHelpTable()) {
    json.BeginObject();
    json.Member("keys", key.keys);
    json.Member("action", key.action);
    json.Member("pageOnly", key.pageOnly);
    json.EndObject();
  }
  json.EndArray();

  json.Key("keys");
  json.BeginArray();
  for (const KeyBinding& binding : GameKeyBindings()) {
    json.BeginObject();
    json.Member("name", binding.name);
    json.Member("gameKey", binding.gameKey);
    json.EndObject();
  }
  json.EndArray();

  json.Key("windowChords");
  json.BeginArray();
  for (const KeyChord& chord : WindowChords()) {
    json.BeginObject();
    json.Member("name", chord.name);
    WriteModifiers(json, chord.modifiers);
    json.EndObject();
  }
  json.EndArray();

  // What the page takes from the browser; every other chord stays the browser's.
  json.Key("pageChords");
  json.BeginArray();
  for (const KeyChord& chord : PageChords()) {
    json.BeginObject();
    json.Member("name", chord.name);
    WriteModifiers(json, chord.modifiers);
    json.EndObject();
  }
  json.EndArray();

  json.Key("browserStandIns");
  json.BeginArray();
  for (const KeyStandIn& standIn : BrowserStandInKeys()) {
    json.BeginObject();
    json.Member("name", standIn.name);
    json.Member("gameKey", standIn.gameKey);
    WriteModifiers(json, standIn.adds);
    json.EndObject();
  }
  json.EndArray();

  json.EndObject();
  return json.Take();
}

std::string ControlTextsJson(const DialogRequest& request) {
  JsonWriter json;
  json.BeginArray();
  for (const std::string& text : ControlTexts(request))
    json.Value(text);
  json.EndArray();
  return json.Take();
}

}  // namespace vennaloop::web
