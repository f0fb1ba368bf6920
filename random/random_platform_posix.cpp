// random_platform_posix.cpp: the system's services for the random source on Linux and in the
// WebAssembly runtime: the kernel's generator, the calendar clock and a monotonic counter.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>

#include "random/random_platform.h"

namespace vennaloop {
namespace {

// getentropy rather than getrandom: it is the one call that both the C libraries of Linux and
// the WebAssembly runtime provide. It fills at most 256 bytes a call, and a call either fills
// all it was asked for or fails.
constexpr std::size_t ENTROPY_CALL_LIMIT = 256;

bool KernelRandom(std::uint8_t* dst, std::size_t n) {
  while (n > 0) {
    const std::size_t chunk = std::min(n, ENTROPY_CALL_LIMIT);
    if (getentropy(dst, chunk) != 0) return false;
    dst += chunk;
    n -= chunk;
  }
  return true;
}

std::int64_t CalendarSeconds() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

bool MonotonicCounter(std::int64_t* value) {
  *value = std::chrono::steady_clock::now().time_since_epoch().count();
  return true;
}

constexpr RandomPlatform SYSTEM_PLATFORM{KernelRandom, CalendarSeconds, MonotonicCounter};

}  // namespace

const RandomPlatform& SystemRandomPlatform() {
  return SYSTEM_PLATFORM;
}

}  // namespace vennaloop
