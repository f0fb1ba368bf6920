// game_fuzz.cpp: libFuzzer target that plays the window-free game from the fuzzer's bytes: keys
// of any value, ticks, window sizes from nothing to far too large, zooms of any value, screen
// scales, dialog answers and the random platform, with the picture drawn on every cycle. After
// every tick the world's invariants hold and every pixel matches the plain reference renderer; a
// second picture, kept by redrawing only the changed cells and shown through the flushed
// rectangles alone, equals that full render after every frame; AddressSanitizer catches any
// write outside either buffer.
//
// Input: one flags byte (bit 0: skip the sixty title ticks; bits 1-3: n, the kept picture is
// shown on every (1 + n)th paint, so changes gather over several ticks), then commands, each an
// opcode byte (taken modulo the command count) and its operands, little-endian; missing bytes
// read as 0.
//   0 key u32          any key code to the key-down handler
//   1 key u8           one of the sixteen keys the game takes
//   2 ticks u8         1 + n % 32 timer ticks
//   3 size u16 u16     width and height up to 2048 each, at most 2^20 pixels
//   4 strip u32 u8     one side up to 2^20 pixels, the other 1 to 4 (bit 7 turns it)
//   5 size u32 u32     any width and height; one that would allocate more than 2^20 pixels
//                      is made huge, so it is refused (too many bytes, or the allocator's cap)
//   6 zoom u32         written straight to the game's zoom
//   7 paint            renders now, as an exposed window would
//   8 answer u8        closes an open dialog: OK (bit 0 clear) or Cancel
//   9 modifiers u8     Shift (bit 0) and Ctrl (bit 1) held from now on
//  10 scale u8         the screen's device pixel ratio from now on: 1 + (n % 16) / 4
//  11 platform u8 u32  crypto provider (bit 0) and counter (bit 1) fail; seed bytes for the
//                      stages set up from now on
//  12 layout u32 u32 u32  the layout of any client size up to INT_MAX at any cell side, no
//                      buffer: sizes no allocation grants still need sound arithmetic
#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fake_random_platform.h"
#include "game/game.h"
#include "game/virtual_keys.h"
#include "picture_check.h"
#include "scripted_host.h"
#include "view/picture_updater.h"
#include "view/pixel_buffer.h"
#include "view/renderer.h"
#include "world_invariants.h"

// Asks beyond this many bytes fail at once instead of being granted and cleared, so a huge
// window costs nothing. It lies below libFuzzer's default -malloc_limit_mb of 2048, which
// therefore never sees such a request.
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1:max_allocation_size_mb=1024";
}

namespace vennaloop {
namespace {

constexpr std::int64_t kMaxPixels = std::int64_t{1} << 20;
constexpr std::int64_t kRefusedBytes = std::int64_t{1024} << 20;
// Work per input: a tick is one unit, a render or a pixel check of a large buffer more.
constexpr long kWorkBudget = 2000;
// Buffers up to this size are checked pixel by pixel after every render; larger ones after the
// first render of each size and cell side.
constexpr std::int64_t kAlwaysCheckedPixels = std::int64_t{1} << 16;

constexpr int kAcceptedKeys[] = {KEY_ESCAPE, KEY_SPACE, KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN,
                                 KEY_1,      KEY_2,     KEY_3,    KEY_A,  KEY_F,     KEY_N,
                                 KEY_R,      KEY_S,     KEY_V,    KEY_W};

[[noreturn]] void Fail(const std::string& what, long tick) {
  std::fprintf(stderr, "game_fuzz: %s (tick %ld of the input)\n", what.c_str(), tick);
  std::abort();
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Done() const { return pos_ >= size_; }
  std::uint8_t U8() { return pos_ < size_ ? data_[pos_++] : 0; }
  std::uint16_t U16() {
    const std::uint16_t low = U8();
    return static_cast<std::uint16_t>(low | U8() << 8);
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | static_cast<std::uint32_t>(U16()) << 16;
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

class Session {
 public:
  explicit Session(Reader& in) : in_(in) {
    host_.onRepaintView = [this] { Paint(); };
  }

  void Run() {
    const std::uint8_t flags = in_.U8();
    game_.Start();
    if (flags & 1) {
      game_.titleTicks = TITLE_TICKS - 1;
      host_.titleExists = false;
    }
    frameEvery_ = 1 + (flags >> 1 & 7);
    CheckWorld();
    while (!in_.Done() && work_ < kWorkBudget)
      Command(in_.U8() % 13);
  }

 private:
  void Command(int op) {
    switch (op) {
      case 0:
        game_.KeyDown(in_.I32());
        break;
      case 1:
        game_.KeyDown(kAcceptedKeys[in_.U8() % std::size(kAcceptedKeys)]);
        break;
      case 2:
        for (int n = 1 + in_.U8() % 32; n > 0 && work_ < kWorkBudget; --n)
          Tick();
        break;
      case 3: {
        const int width = in_.U16() % 2049;
        int height = in_.U16() % 2049;
        if (std::int64_t{width} * height > kMaxPixels)
          height = static_cast<int>(kMaxPixels / width);
        Resize(width, height);
        break;
      }
      case 4: {
        const int shortSide = 1 + in_.U8() % 4;
        const int longSide = 1 + static_cast<int>(in_.U32() % (kMaxPixels / shortSide));
        if (in_.U8() & 0x80) {
          Resize(shortSide, longSide);
        } else {
          Resize(longSide, shortSide);
        }
        break;
      }
      case 5: {
        int width = in_.I32();
        const int height = in_.I32();
        const std::int64_t pixels = std::int64_t{width} * height;
        // Between cheap and refused lies a real allocation of up to a gigabyte: make it huge.
        if (width > 0 && height > 0 && pixels > kMaxPixels && pixels <= kRefusedBytes / 4)
          width |= 1 << 30;
        Resize(width, height);
        break;
      }
      case 6:
        game_.zoom = in_.I32();
        break;
      case 7:
        Paint();
        break;
      case 8:
        // Ticks while a dialog is up must do nothing; an answer with none open, nothing either.
        game_.DialogClosed(in_.U8() & 1 ? DialogAnswer::Cancel : DialogAnswer::Ok);
        break;
      case 9: {
        const std::uint8_t held = in_.U8();
        host_.shiftDown = held & 1;
        host_.ctrlDown = held & 2;
        break;
      }
      case 10:
        ratio_ = 1 + (in_.U8() % 16) / 4.0;
        break;
      case 12:
        Layout(static_cast<int>(in_.U32() & INT_MAX), static_cast<int>(in_.U32() & INT_MAX),
               in_.I32());
        break;
      default: {
        const std::uint8_t fails = in_.U8();
        testing::FakeRandom.cryptoWorks = !(fails & 1);
        testing::FakeRandom.counterWorks = !(fails & 2);
        const std::uint32_t seed = in_.U32();
        for (std::size_t i = 0; i < testing::FakeRandom.cryptoBytes.size(); ++i)
          testing::FakeRandom.cryptoBytes[i] =
              static_cast<std::uint8_t>((seed >> (8 * (i % 4))) + i);
        testing::FakeRandom.counter += seed;
        testing::FakeRandom.seconds += fails;
        break;
      }
    }
  }

  void Tick() {
    ++work_;
    ++ticks_;
    game_.GameTick();
    host_.ClearLog();
    CheckWorld();
  }

  void CheckWorld() {
    const std::string fault = testing::WorldFault(game_);
    if (!fault.empty()) Fail(fault, ticks_);
    // Every path through a tick leaves the timer running at a period the keys can set.
    const int p = host_.timerPeriod;
    const bool knownPeriod = p == DEFAULT_PERIOD_MS || (p >= 1 && p <= 3) ||
                             ((p % 10 == 0) && p / 10 >= 1 && p / 10 <= 3) ||
                             ((p % 100 == 0) && p / 100 >= 1 && p / 100 <= 3);
    if (!host_.timerRunning || !knownPeriod) Fail("timer stopped or at an odd period", ticks_);
  }

  void Resize(int width, int height) {
    const bool ok = buffer_.Resize(width, height);
    if (kept_.Resize(width, height) != ok) Fail("two buffers of one size, one refused", ticks_);
    const std::int64_t pixels = std::int64_t{width} * height;
    if (ok && pixels > kRefusedBytes / 4)
      Fail("a huge buffer was granted: allocator cap not set", ticks_);
    if (!ok && width > 0 && height > 0 && pixels <= kMaxPixels)
      Fail("a small buffer was refused", ticks_);
    const std::string fault = shadow_.AfterResize(buffer_, width, height, ok);
    if (!fault.empty()) Fail(fault, ticks_);
    checkedWidth_ = -1;
  }

  // The outermost screen cells reach the client's left and top edges, stop at most a cell's
  // side short of its right and bottom ones, and the centre cell covers the centre pixel.
  void Layout(int width, int height, int side) {
    if (width == 0 || height == 0) return;
    const ViewLayout layout = ComputeViewLayout(width, height, side);
    const int gap = layout.side;
    const PixelRect first = CellSquare(layout, -layout.cells_left, -layout.cells_above);
    const PixelRect last = CellSquare(layout, layout.cells_left - 1, layout.cells_above - 1);
    const PixelRect centre = CellSquare(layout, 0, 0);
    const bool sound = layout.cells_left >= 1 && layout.cells_above >= 1 && first.left <= 0 &&
                       first.top <= 0 && last.right >= width - gap && last.bottom >= height - gap &&
                       last.right - gap <= width && last.bottom - gap <= height &&
                       centre.left <= width / 2 && width / 2 < centre.right &&
                       centre.top <= height / 2 && height / 2 < centre.bottom;
    if (!sound)
      Fail("layout of " + std::to_string(width) + "x" + std::to_string(height) + " at side " +
               std::to_string(side) + " leaves the client uncovered",
           ticks_);
  }

  void Paint() {
    const int side = CellSide(game_.zoom, ratio_);
    RenderView(buffer_, side);
    const std::int64_t pixels = std::int64_t{buffer_.Width()} * buffer_.Height();
    work_ += static_cast<long>(pixels >> 16);
    KeptFrame(pixels, side);
    const bool sameLayout = buffer_.Width() == checkedWidth_ && side == checkedSide_;
    if (pixels > kAlwaysCheckedPixels && sameLayout) {
      shadow_.Resync(buffer_);
      return;
    }
    work_ += static_cast<long>(pixels >> 14);
    const std::string fault = shadow_.AfterRender(buffer_, side);
    if (!fault.empty()) Fail(fault, ticks_);
    checkedWidth_ = buffer_.Width();
    checkedSide_ = side;
  }

  // The window's incremental picture, brought up to date on every frameEvery_-th paint and held
  // against a full render into a new buffer.
  void KeptFrame(std::int64_t pixels, int side) {
    if (--framesDue_ > 0) return;
    framesDue_ = frameEvery_;
    const PictureUpdate update = updater_.Update(kept_, side);
    work_ += static_cast<long>(pixels >> 16);
    const std::string fault = shown_.AfterUpdate(kept_, update, side);
    if (!fault.empty()) Fail(fault, ticks_);
  }

  Reader& in_;
  testing::ScopedFakeRandomPlatform fake_;
  testing::ScriptedHost host_;
  Game game_{host_};
  PixelBuffer buffer_;
  testing::ShadowPicture shadow_;
  PixelBuffer kept_;
  PictureUpdater updater_;
  testing::ShownPicture shown_;
  int frameEvery_ = 1;
  int framesDue_ = 1;
  long work_ = 0;
  long ticks_ = 0;
  double ratio_ = 1;
  // Size and cell side of the last large picture checked in full; a resize forgets them.
  int checkedWidth_ = -1;
  int checkedSide_ = 0;
};

}  // namespace
}  // namespace vennaloop

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vennaloop::Reader in(data, size);
  vennaloop::Session session(in);
  session.Run();
  return 0;
}
