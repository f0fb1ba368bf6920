// blowfish.h: the Blowfish block cipher with its round count as a parameter. The game keys an
// 8-round variant; the 16-round one is the published cipher and lets tests check the code
// against its known vectors.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vennaloop {

/// The first 18 words of the fraction of pi and the four S-boxes that follow them.
extern const std::uint32_t BLOWFISH_PI_P[18];
extern const std::uint32_t BLOWFISH_PI_S[4][256];

template <int Rounds>
struct BasicBlowfish {
  static_assert(Rounds > 0 && Rounds % 2 == 0 && Rounds <= 16);
  std::array<std::uint32_t, Rounds + 2> P;
  std::uint32_t S[4][256];

  std::uint32_t F(std::uint32_t x) const {
    return ((S[0][x >> 24] + S[1][(x >> 16) & 255]) ^ S[2][(x >> 8) & 255]) + S[3][x & 255];
  }

  /// Encrypts the block (left, right) in place; the first output word lands in left.
  void Encrypt(std::uint32_t& left, std::uint32_t& right) const {
    std::uint32_t l = left ^ P[0];
    std::uint32_t r = right;
    for (int i = 0; i < Rounds / 2; ++i) {
      r ^= F(l) ^ P[2 * i + 1];
      l ^= F(r) ^ P[2 * i + 2];
    }
    r ^= P[Rounds + 1];
    left = r;
    right = l;
  }

  /// Encrypts 8 bytes in place: bytes 0-3 form the left word, 4-7 the right, each big-endian.
  void EncryptBlock(std::uint8_t block[8]) const {
    std::uint32_t l = LoadBigEndian(block);
    std::uint32_t r = LoadBigEndian(block + 4);
    Encrypt(l, r);
    StoreBigEndian(block, l);
    StoreBigEndian(block + 4, r);
  }

  /// The standard key schedule, cycling through the key bytes; the S-boxes start from the
  /// standard ones whatever the round count (they are not shifted along the digits of pi).
  void SetKey(const std::uint8_t* key, std::size_t length) {
    for (std::size_t i = 0; i < P.size(); ++i)
      P[i] = BLOWFISH_PI_P[i];
    for (int b = 0; b < 4; ++b)
      for (int i = 0; i < 256; ++i)
        S[b][i] = BLOWFISH_PI_S[b][i];
    std::size_t j = 0;
    for (std::size_t i = 0; i < P.size(); ++i) {
      std::uint32_t word = 0;
      for (int k = 0; k < 4; ++k) {
        word = (word << 8) | key[j];
        j = (j + 1) % length;
      }
      P[i] ^= word;
    }
    std::uint32_t l = 0, r = 0;
    for (std::size_t i = 0; i < P.size(); i += 2) {
      Encrypt(l, r);
      P[i] = l;
      P[i + 1] = r;
    }
    for (int b = 0; b < 4; ++b) {
      for (int i = 0; i < 256; i += 2) {
        Encrypt(l, r);
        S[b][i] = l;
        S[b][i + 1] = r;
      }
    }
  }

  static std::uint32_t LoadBigEndian(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
  }
  static void StoreBigEndian(std::uint8_t* p, std::uint32_t w) {
    p[0] = static_cast<std::uint8_t>(w >> 24);
    p[1] = static_cast<std::uint8_t>(w >> 16);
    p[2] = static_cast<std::uint8_t>(w >> 8);
    p[3] = static_cast<std::uint8_t>(w);
  }
};

/// The cipher of the game's random source.
using BlowfishContext = BasicBlowfish<8>;

}  // namespace vennaloop
