// fake_random_platform.h: a scripted stand-in for the crypto provider and the clocks, so tests
// can seed the random stream with chosen bytes and count every platform call.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "random/random_platform.h"

namespace vennaloop::testing {

struct FakeRandomPlatformState {
  bool cryptoWorks = true;
  std::array<std::uint8_t, 20> cryptoBytes{};
  std::int64_t seconds = 1'700'000'000;
  bool counterWorks = true;
  std::int64_t counter = 0x0123456789ABCDEF;
  int cryptoCalls = 0;
  std::size_t lastCryptoRequest = 0;
  int clockCalls = 0;
  int counterCalls = 0;
};

inline FakeRandomPlatformState FakeRandom;

inline bool FakeCryptoRandom(std::uint8_t* dst, std::size_t n) {
  ++FakeRandom.cryptoCalls;
  FakeRandom.lastCryptoRequest = n;
  if (!FakeRandom.cryptoWorks || n > FakeRandom.cryptoBytes.size()) return false;
  std::memcpy(dst, FakeRandom.cryptoBytes.data(), n);
  return true;
}
inline std::int64_t FakeCalendarSeconds() {
  ++FakeRandom.clockCalls;
  return FakeRandom.seconds;
}
inline bool FakePerformanceCounter(std::int64_t* value) {
  ++FakeRandom.counterCalls;
  if (!FakeRandom.counterWorks) return false;
  *value = FakeRandom.counter;
  return true;
}

/// Installs the fake for the lifetime of the object, with the crypto bytes 0, 1, ... 19 plus
/// `seed`; the system platform comes back afterwards.
class ScopedFakeRandomPlatform {
 public:
  explicit ScopedFakeRandomPlatform(std::uint8_t seed = 0) {
    FakeRandom = FakeRandomPlatformState{};
    for (std::size_t i = 0; i < FakeRandom.cryptoBytes.size(); ++i)
      FakeRandom.cryptoBytes[i] = static_cast<std::uint8_t>(i + seed);
    SetRandomPlatform({FakeCryptoRandom, FakeCalendarSeconds, FakePerformanceCounter});
  }
  ~ScopedFakeRandomPlatform() { SetRandomPlatform(SystemRandomPlatform()); }
  ScopedFakeRandomPlatform(const ScopedFakeRandomPlatform&) = delete;
  ScopedFakeRandomPlatform& operator=(const ScopedFakeRandomPlatform&) = delete;
};

}  // namespace vennaloop::testing
