// random_source.cpp: the X9.17-style byte stream and its reductions to an index.
#include "random/random_source.h"

#include <algorithm>
#include <cstring>

#include "random/random_platform.h"

namespace vennaloop {

RandomSource Random;

namespace {

void StoreLittleEndian(std::uint8_t* dst, std::uint64_t value) {
  for (int i = 0; i < 8; ++i)
    dst[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void XorBlock(std::uint8_t* dst, const std::uint8_t* a, const std::uint8_t* b) {
  for (int i = 0; i < 8; ++i)
    dst[i] = a[i] ^ b[i];
}

// One generator step: a time stamp encrypted, mixed with the seed vector into the next output
// block, and the seed vector moved on.
void Refill() {
  const RandomPlatform& platform = CurrentRandomPlatform();
  std::uint64_t stamp = static_cast<std::uint64_t>(platform.calendarSeconds());
  std::int64_t counter = 0;
  if (platform.performanceCounter(&counter)) {
    // The counter with its halves exchanged; the high half is shifted in with its sign.
    stamp ^=
        (static_cast<std::uint64_t>(counter) << 32) | static_cast<std::uint64_t>(counter >> 32);
  }
  std::uint8_t I[8];
  StoreLittleEndian(I, stamp);
  Random.cipher.EncryptBlock(I);
  XorBlock(Random.R, I, Random.V);
  Random.cipher.EncryptBlock(Random.R);
  XorBlock(Random.V, Random.R, I);
  Random.cipher.EncryptBlock(Random.V);
  Random.pos = 0;
}

}  // namespace

void SeedRandom() {
  const RandomPlatform& platform = CurrentRandomPlatform();
  std::uint8_t key[20];
  if (platform.cryptoRandom(key, sizeof key)) {
    Random.cipher.SetKey(key, sizeof key);
  } else {
    // No provider: key from the calendar time and the counter (zeros when it is missing too).
    std::int64_t counter = 0;
    if (!platform.performanceCounter(&counter)) counter = 0;
    StoreLittleEndian(key, static_cast<std::uint64_t>(platform.calendarSeconds()));
    StoreLittleEndian(key + 8, static_cast<std::uint64_t>(counter));
    Random.cipher.SetKey(key, 16);
  }
  std::memcpy(Random.V, key, sizeof Random.V);
  Random.pos = 8;
}

void RandomBytes(std::uint8_t* dst, std::size_t n) {
  while (n > 0) {
    if (Random.pos >= 8) Refill();
    const std::size_t take = std::min<std::size_t>(8 - Random.pos, n);
    std::memcpy(dst, Random.R + Random.pos, take);
    dst += take;
    n -= take;
    Random.pos += static_cast<std::uint32_t>(take);
  }
}

std::uint8_t RandomByte() {
  std::uint8_t b;
  RandomBytes(&b, 1);
  return b;
}

std::uint16_t RandomWord() {
  std::uint8_t b[2];
  RandomBytes(b, 2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

int RandomBelow(int n) {
  return ByteBelow(RandomByte(), n);
}

int RandomWordBelow(int n) {
  return WordBelow(RandomWord(), n);
}

}  // namespace vennaloop
