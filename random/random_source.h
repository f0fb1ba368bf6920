// random_source.h: the game's one random byte stream, an X9.17-style generator over 8-round
// Blowfish, keyed afresh at every stage, and the reductions every random choice goes through.
#pragma once

#include <cstddef>
#include <cstdint>

#include "random/blowfish.h"

namespace vennaloop {

struct RandomSource {
  std::uint8_t R[8];       ///< current output block, handed out in order
  std::uint8_t V[8];       ///< the generator's seed vector
  BlowfishContext cipher;  ///< keyed by SeedRandom
  std::uint32_t pos = 8;   ///< bytes of R handed out; 8 means R is used up
};

/// The reductions themselves, on a byte or word already drawn.
constexpr int ByteBelow(std::uint8_t b, int n) {
  return static_cast<int>((static_cast<std::uint32_t>(n) * (b * 257u)) >> 16);
}
constexpr int WordBelow(std::uint16_t w, int n) {
  return static_cast<int>((static_cast<std::uint32_t>(n) * w) >> 16);
}

/// The one stream of the process.
extern RandomSource Random;

/// Keys the stream from the crypto provider (20 bytes), or from the clock and the counter when
/// the provider fails; the next byte drawn starts a fresh block.
void SeedRandom();

/// Fills n bytes in stream order, refilling a block whenever the current one is used up.
void RandomBytes(std::uint8_t* dst, std::size_t n);

std::uint8_t RandomByte();

/// Two bytes: the first drawn is the low byte.
std::uint16_t RandomWord();

/// An index below n (1-255) from one byte: (n * (b * 257)) >> 16.
int RandomBelow(int n);

/// An index below n (1-32,767) from one word: (n * w) >> 16.
int RandomWordBelow(int n);

}  // namespace vennaloop
