// random_peek.h: looks ahead in the game's random stream without using it up, so tests can
// line the stream up on a byte of their choosing and tell whether a call drew anything.
#pragma once

#include <cstdint>
#include <cstring>

#include "random/random_source.h"

namespace vennaloop::testing {

/// The byte the next draw will return, or with `skip` the one that many draws later; the stream
/// is left where it was.
inline std::uint8_t PeekRandomByte(int skip = 0) {
  const RandomSource saved = Random;
  std::uint8_t b = RandomByte();
  for (int i = 0; i < skip; ++i)
    b = RandomByte();
  Random = saved;
  return b;
}

/// Draws and throws away bytes until the next one lies in [lo, hi]; returns that byte.
inline std::uint8_t AdvanceRandomUntil(int lo, int hi) {
  for (;;) {
    const std::uint8_t b = PeekRandomByte();
    if (b >= lo && b <= hi) return b;
    RandomByte();
  }
}

/// True when both snapshots stand at the same place of the same stream.
inline bool SameStreamPlace(const RandomSource& a, const RandomSource& b) {
  return a.pos == b.pos && std::memcmp(a.R, b.R, sizeof a.R) == 0 &&
         std::memcmp(a.V, b.V, sizeof a.V) == 0;
}

/// The stream as it will be after `n` more draws; the stream itself is left where it was.
inline RandomSource StreamAfter(int n) {
  const RandomSource saved = Random;
  for (int i = 0; i < n; ++i)
    RandomByte();
  const RandomSource after = Random;
  Random = saved;
  return after;
}

}  // namespace vennaloop::testing
