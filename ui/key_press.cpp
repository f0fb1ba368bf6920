// key_press.cpp: the one rule that reads a key press, for every front end and layout.
#include "ui/key_press.h"

#include <array>

namespace vennaloop {

namespace {

constexpr char32_t NO_CODE_POINT = 0xFFFFFFFF;

// "KeyA" to "KeyZ" and "Digit0" to "Digit9", to hand out as views.
constexpr auto LETTER_NAMES = [] {
  std::array<std::array<char, 4>, 26> names{};
  for (int i = 0; i < 26; ++i)
    names[i] = {'K', 'e', 'y', static_cast<char>('A' + i)};
  return names;
}();
constexpr auto DIGIT_NAMES = [] {
  std::array<std::array<char, 6>, 10> names{};
  for (int i = 0; i < 10; ++i)
    names[i] = {'D', 'i', 'g', 'i', 't', static_cast<char>('0' + i)};
  return names;
}();

std::string_view LetterName(char32_t upper) {
  return {LETTER_NAMES[upper - U'A'].data(), 4};
}

std::string_view DigitName(char32_t digit) {
  return {DIGIT_NAMES[digit - U'0'].data(), 6};
}

bool IsLetterPlace(std::string_view place) {
  return place.size() == 4 && place.starts_with("Key") && place[3] >= 'A' && place[3] <= 'Z';
}

bool IsTopRowPlace(std::string_view place) {
  return place.size() == 6 && place.starts_with("Digit") && place[5] >= '0' && place[5] <= '9';
}

// The code point `text` holds when it holds exactly one, in well-formed UTF-8.
char32_t SoleCodePoint(std::string_view text) {
  if (text.empty()) return NO_CODE_POINT;
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (text.size() != length || (lead >= 0x80 && lead < 0xC0) || lead >= 0xF8) return NO_CODE_POINT;
  char32_t c = length == 1 ? lead : lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return NO_CODE_POINT;
    c = c << 6 | (next & 0x3F);
  }
  return c;
}

// The scripts whose layouts type their own letters on the keys a US keyboard has its letters
// on: Greek, Cyrillic, Armenian, Hebrew, Arabic, the Indic scripts, Thai and Lao, Georgian,
// Korean and Japanese kana.
bool IsLetterOfAnotherScript(char32_t c) {
  struct Block {
    char32_t first, last;
  };
  constexpr Block BLOCKS[] = {
      {0x0370, 0x03FF}, {0x0400, 0x052F}, {0x0530, 0x058F}, {0x0590, 0x05FF}, {0x0600, 0x06FF},
      {0x0900, 0x0DFF}, {0x0E00, 0x0EFF}, {0x10A0, 0x10FF}, {0x1100, 0x11FF}, {0x3040, 0x30FF},
      {0x3130, 0x318F}, {0xAC00, 0xD7A3}, {0xFF66, 0xFF9F},
  };
  for (const Block& block : BLOCKS)
    if (c >= block.first && c <= block.last) return true;
  return false;
}

// A key's name as KeyboardEvent.key gives it: more than one character, letters and digits,
// the first a capital ("ArrowLeft", "F6").
bool IsKeyName(std::string_view key) {
  if (key.size() < 2 || key[0] < 'A' || key[0] > 'Z') return false;
  for (const char c : key)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

}  // namespace

std::string_view KeyNameOf(std::string_view place, std::string_view key) {
  if (IsTopRowPlace(place)) return place;
  if (key == " ") return "Space";
  if (const char32_t c = SoleCodePoint(key); c != NO_CODE_POINT) {
    if (c >= U'A' && c <= U'Z') return LetterName(c);
    if (c >= U'a' && c <= U'z') return LetterName(c - U'a' + U'A');
    if (IsLetterOfAnotherScript(c)) return IsLetterPlace(place) ? place : std::string_view{};
    // A platform that names no place still says which digit a key types.
    if (place.empty() && c >= U'0' && c <= U'9') return DigitName(c);
    return {};
  }
  if (key == "Dead") return {};  // an accent waiting for its letter
  if (IsKeyName(key) && key != "Unidentified" && key != "Process") return key;
  // Nothing said of what the key types: the named keys are the same on every layout, but a
  // letter's place tells nothing of its letter.
  return IsLetterPlace(place) ? std::string_view{} : place;
}

}  // namespace vennaloop
