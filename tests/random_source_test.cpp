// Tests of the random stream: seeding and its clock fallback, refills and byte order, and the
// exact spread of the reductions that the maze and the walkers rely on.
#include "random/random_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <ctime>
#include <vector>

#include "fake_random_platform.h"
#include "world/maze_generator.h"

namespace vennaloop {
namespace {

using testing::FakeRandom;
using testing::ScopedFakeRandomPlatform;

std::vector<std::uint8_t> Draw(std::size_t n) {
  std::vector<std::uint8_t> bytes(n);
  RandomBytes(bytes.data(), n);
  return bytes;
}

// The first output block of a generator keyed with `key` whose seed vector is the key's first 8
// bytes, for the time stamp `stamp` (already mixed with the counter), written from the definition.
std::array<std::uint8_t, 8> FirstBlock(const std::uint8_t* key, std::size_t length,
                                       std::uint64_t stamp) {
  BlowfishContext cipher;
  cipher.SetKey(key, length);
  std::uint8_t dt[8], v[8], r[8];
  for (int i = 0; i < 8; ++i)
    dt[i] = static_cast<std::uint8_t>(stamp >> (8 * i));
  std::memcpy(v, key, 8);
  cipher.EncryptBlock(dt);  // I
  for (int i = 0; i < 8; ++i)
    r[i] = dt[i] ^ v[i];
  cipher.EncryptBlock(r);
  std::array<std::uint8_t, 8> out;
  std::memcpy(out.data(), r, 8);
  return out;
}

std::uint64_t Swapped(std::int64_t q) {
  return (static_cast<std::uint64_t>(q) << 32) | static_cast<std::uint64_t>(q >> 32);
}

class RandomSourceTest : public ::testing::Test {
 protected:
  ScopedFakeRandomPlatform platform_;
};

TEST_F(RandomSourceTest, SeedAsksTheProviderOnceForTwentyBytes) {
  SeedRandom();
  EXPECT_EQ(FakeRandom.cryptoCalls, 1);
  EXPECT_EQ(FakeRandom.lastCryptoRequest, 20u);
  EXPECT_EQ(FakeRandom.clockCalls, 0);
  EXPECT_EQ(std::memcmp(Random.V, FakeRandom.cryptoBytes.data(), 8), 0);

  const auto block = Draw(8);
  const auto expected =
      FirstBlock(FakeRandom.cryptoBytes.data(), 20,
                 static_cast<std::uint64_t>(FakeRandom.seconds) ^ Swapped(FakeRandom.counter));
  EXPECT_EQ(std::memcmp(block.data(), expected.data(), 8), 0);
}

TEST_F(RandomSourceTest, EveryRefillReadsTheClockAndTheCounterOnce) {
  SeedRandom();
  Draw(1);
  EXPECT_EQ(FakeRandom.clockCalls, 1);
  EXPECT_EQ(FakeRandom.counterCalls, 1);
  Draw(7);  // the rest of the block: no refill
  EXPECT_EQ(FakeRandom.clockCalls, 1);
  Draw(17);  // straddles into a third block
  EXPECT_EQ(FakeRandom.clockCalls, 4);
  EXPECT_EQ(FakeRandom.counterCalls, 4);
  EXPECT_EQ(FakeRandom.cryptoCalls, 1);
}

TEST_F(RandomSourceTest, FallbackKeyIsTimeThenCounterLittleEndian) {
  FakeRandom.cryptoWorks = false;
  FakeRandom.seconds = 0x0102030405060708;
  FakeRandom.counter = 0x1112131415161718;
  SeedRandom();
  std::uint8_t key[16];
  for (int i = 0; i < 8; ++i) {
    key[i] = static_cast<std::uint8_t>(FakeRandom.seconds >> (8 * i));
    key[8 + i] = static_cast<std::uint8_t>(FakeRandom.counter >> (8 * i));
  }
  EXPECT_EQ(std::memcmp(Random.V, key, 8), 0);
  const auto block = Draw(8);
  const auto expected = FirstBlock(
      key, 16, static_cast<std::uint64_t>(FakeRandom.seconds) ^ Swapped(FakeRandom.counter));
  EXPECT_EQ(std::memcmp(block.data(), expected.data(), 8), 0);
}

TEST_F(RandomSourceTest, WithoutProviderAndCounterTheKeyEndsInZerosAndTheStampIsTheTime) {
  FakeRandom.cryptoWorks = false;
  FakeRandom.counterWorks = false;
  FakeRandom.seconds = 1234567890;
  SeedRandom();
  std::uint8_t key[16] = {};
  for (int i = 0; i < 8; ++i)
    key[i] = static_cast<std::uint8_t>(FakeRandom.seconds >> (8 * i));
  const auto block = Draw(8);
  const auto expected = FirstBlock(key, 16, static_cast<std::uint64_t>(FakeRandom.seconds));
  EXPECT_EQ(std::memcmp(block.data(), expected.data(), 8), 0);
}

TEST_F(RandomSourceTest, NegativeCounterIsSwappedWithItsSign) {
  // The high half comes in shifted with its sign copied, so a negative counter ORs ones over the
  // whole word: -2 contributes all ones, not its halves exchanged.
  FakeRandom.counter = -2;
  SeedRandom();
  const auto block = Draw(8);
  const std::uint64_t stamp = static_cast<std::uint64_t>(FakeRandom.seconds) ^ ~0ull;
  const auto expected = FirstBlock(FakeRandom.cryptoBytes.data(), 20, stamp);
  EXPECT_EQ(std::memcmp(block.data(), expected.data(), 8), 0);
}

TEST_F(RandomSourceTest, StreamIsTheSameWhateverTheShapeOfTheRequests) {
  // With a frozen clock the stream depends only on the seed, so differently cut requests must
  // hand out the same bytes in the same order, across block boundaries.
  SeedRandom();
  const auto whole = Draw(40);
  SeedRandom();
  std::vector<std::uint8_t> pieces;
  for (std::size_t n : {3u, 7u, 1u, 13u, 16u}) {
    const auto part = Draw(n);
    pieces.insert(pieces.end(), part.begin(), part.end());
  }
  EXPECT_EQ(pieces, whole);

  SeedRandom();
  Draw(7);
  const std::uint16_t straddling = RandomWord();  // last byte of block 1, first of block 2
  EXPECT_EQ(straddling & 0xFF, whole[7]);
  EXPECT_EQ(straddling >> 8, whole[8]);
}

TEST_F(RandomSourceTest, ReseedDropsTheRestOfTheBlock) {
  SeedRandom();
  const auto first = Draw(3);
  SeedRandom();
  const int clockBefore = FakeRandom.clockCalls;
  EXPECT_EQ(RandomByte(), first[0]);
  EXPECT_EQ(FakeRandom.clockCalls, clockBefore + 1);
}

TEST_F(RandomSourceTest, OperationsConsumeTheirBytes) {
  SeedRandom();
  const auto bytes = Draw(12);
  SeedRandom();
  EXPECT_EQ(RandomBelow(1), 0);      // byte 0
  EXPECT_EQ(RandomWordBelow(1), 0);  // bytes 1, 2
  EXPECT_EQ(RandomByte(), bytes[3]);
  EXPECT_EQ(RandomRoom(), ((bytes[4] | (bytes[5] << 8)) & 0xFEFE));
  EXPECT_EQ(RandomBelow(3), ByteBelow(bytes[6], 3));
  EXPECT_EQ(RandomWordBelow(1000),
            WordBelow(static_cast<std::uint16_t>(bytes[7] | bytes[8] << 8), 1000));
  EXPECT_EQ(RandomWord(), bytes[9] | (bytes[10] << 8));
  EXPECT_EQ(RandomByte(), bytes[11]);
}

TEST(RandomReductionTest, ByteReductionCountsPerIndex) {
  auto counts = [](int n) {
    std::vector<int> c(n, 0);
    for (int b = 0; b < 256; ++b)
      ++c[ByteBelow(static_cast<std::uint8_t>(b), n)];
    return c;
  };
  EXPECT_EQ(counts(2), (std::vector<int>{128, 128}));
  EXPECT_EQ(counts(3), (std::vector<int>{86, 85, 85}));
  EXPECT_EQ(counts(4), (std::vector<int>{64, 64, 64, 64}));
  EXPECT_EQ(ByteBelow(127, 2), 0);
  EXPECT_EQ(ByteBelow(128, 2), 1);
  EXPECT_EQ(ByteBelow(85, 3), 0);
  EXPECT_EQ(ByteBelow(86, 3), 1);
  EXPECT_EQ(ByteBelow(170, 3), 1);
  EXPECT_EQ(ByteBelow(171, 3), 2);
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(ByteBelow(static_cast<std::uint8_t>(b), 4), b >> 6);
  for (int n = 1; n <= 255; ++n)
    EXPECT_EQ(ByteBelow(255, n), n - 1);
}

TEST(RandomReductionTest, WordReductionIsNearlyEven) {
  for (int n : {1, 2, 3, 7, 1000, 5000, 32767}) {
    std::vector<int> c(n, 0);
    for (int w = 0; w < 65536; ++w)
      ++c[WordBelow(static_cast<std::uint16_t>(w), n)];
    const auto [lo, hi] = std::minmax_element(c.begin(), c.end());
    EXPECT_LE(*hi - *lo, 1) << "n = " << n;
  }
  EXPECT_EQ(WordBelow(21845, 3), 0);
  EXPECT_EQ(WordBelow(21846, 3), 1);
  EXPECT_EQ(WordBelow(43690, 3), 1);
  EXPECT_EQ(WordBelow(43691, 3), 2);
  EXPECT_EQ(WordBelow(65535, 32767), 32766);
}

// The system's provider hands out at most 256 bytes a call: a longer request must still be
// filled to its end.
TEST(SystemRandomPlatformTest, FillsRequestsLongerThanOneCall) {
  std::vector<std::uint8_t> bytes(1000, 0xA5);
  ASSERT_TRUE(SystemRandomPlatform().cryptoRandom(bytes.data(), bytes.size()));
  const auto tail = bytes.begin() + 768;
  EXPECT_FALSE(std::all_of(tail, bytes.end(), [](std::uint8_t b) { return b == 0xA5; }));
  std::int64_t counter = 0;
  EXPECT_TRUE(SystemRandomPlatform().performanceCounter(&counter));
  EXPECT_GT(SystemRandomPlatform().calendarSeconds(), 1'700'000'000);
}

// Each platform reads the calendar its own way (on Windows from a file time counted from 1601):
// it must agree with the C library's seconds since 1970, and the counter must never go back.
TEST(SystemRandomPlatformTest, ClocksAgreeWithTheCLibrary) {
  const std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
  const std::int64_t seconds = SystemRandomPlatform().calendarSeconds();
  const std::int64_t after = static_cast<std::int64_t>(std::time(nullptr));
  EXPECT_LE(before, seconds);
  EXPECT_LE(seconds, after);
  std::int64_t first = 0, second = 0;
  ASSERT_TRUE(SystemRandomPlatform().performanceCounter(&first));
  ASSERT_TRUE(SystemRandomPlatform().performanceCounter(&second));
  EXPECT_LE(first, second);
}

}  // namespace
}  // namespace vennaloop
