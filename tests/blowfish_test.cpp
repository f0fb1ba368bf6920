// Tests of the cipher: at 16 rounds it must be the published Blowfish, which pins down the round
// function, the key schedule, the tables and the byte order that the game's 8 rounds share.
#include "random/blowfish.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vennaloop {
namespace {

std::vector<std::uint8_t> FromHex(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::string ToHex(const std::uint8_t* bytes, std::size_t n) {
  static const char* digits = "0123456789ABCDEF";
  std::string s;
  for (std::size_t i = 0; i < n; ++i) {
    s += digits[bytes[i] >> 4];
    s += digits[bytes[i] & 15];
  }
  return s;
}

struct Vector {
  std::string key, plain, cipher;
};

TEST(BlowfishTest, SixteenRoundsMatchPublishedVectors) {
  const Vector vectors[] = {
      {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
      {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
      {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
      {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
      {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
      {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
      {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
      {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
  };
  for (const Vector& v : vectors) {
    const auto key = FromHex(v.key);
    auto block = FromHex(v.plain);
    BasicBlowfish<16> cipher;
    cipher.SetKey(key.data(), key.size());
    cipher.EncryptBlock(block.data());
    EXPECT_EQ(ToHex(block.data(), 8), v.cipher) << "key " << v.key;
  }
}

TEST(BlowfishTest, LongTextKeysCycleThroughTheirBytes) {
  // Keys longer than 8 bytes and of odd length exercise the cycling of the key schedule.
  const std::string key = "abcdefghijklmnopqrstuvwxyz";
  auto block = FromHex("424C4F5746495348");  // "BLOWFISH"
  BasicBlowfish<16> cipher;
  cipher.SetKey(reinterpret_cast<const std::uint8_t*>(key.data()), key.size());
  cipher.EncryptBlock(block.data());
  EXPECT_EQ(ToHex(block.data(), 8), "324ED0FEF413A203");
}

TEST(BlowfishTest, TablesAreTheDigitsOfPi) {
  EXPECT_EQ(BLOWFISH_PI_P[0], 0x243F6A88u);
  EXPECT_EQ(BLOWFISH_PI_P[9], 0x38D01377u);
  EXPECT_EQ(BLOWFISH_PI_P[17], 0x8979FB1Bu);
  EXPECT_EQ(BLOWFISH_PI_S[0][0], 0xD1310BA6u);
  EXPECT_EQ(BLOWFISH_PI_S[3][255], 0x3AC372E6u);
}

TEST(BlowfishTest, EightRoundsKeepTheStandardSBoxesAndDiffer) {
  // The game's variant uses 10 subkeys and starts from the same S-boxes, not from the digits that
  // follow its tenth subkey; its output differs from the full cipher's.
  const auto key = FromHex("0123456789ABCDEF");
  BasicBlowfish<8> eight;
  BasicBlowfish<16> sixteen;
  EXPECT_EQ(eight.P.size(), 10u);
  eight.SetKey(key.data(), key.size());
  sixteen.SetKey(key.data(), key.size());
  std::uint8_t a[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  std::uint8_t b[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  eight.EncryptBlock(a);
  sixteen.EncryptBlock(b);
  EXPECT_NE(ToHex(a, 8), ToHex(b, 8));

  // The first subkey of the 8-round schedule is E8(0, 0) under the key-mixed standard tables.
  BasicBlowfish<8> fresh;
  for (int i = 0; i < 10; ++i)
    fresh.P[i] = BLOWFISH_PI_P[i] ^ (i % 2 ? 0x89ABCDEFu : 0x01234567u);
  for (int t = 0; t < 4; ++t)
    for (int i = 0; i < 256; ++i)
      fresh.S[t][i] = BLOWFISH_PI_S[t][i];
  std::uint32_t l = 0, r = 0;
  fresh.Encrypt(l, r);
  EXPECT_EQ(eight.P[0], l);
  EXPECT_EQ(eight.P[1], r);
}

}  // namespace
}  // namespace vennaloop
