// random_platform.cpp: the system's services for the random source: the kernel's generator, the
// calendar clock and a monotonic counter, replaceable through SetRandomPlatform.
#include "random/random_platform.h"

#include <sys/random.h>

#include <cerrno>
#include <chrono>
#include <ctime>

namespace vennaloop {
namespace {

bool KernelRandom(std::uint8_t* dst, std::size_t n) {
  // getrandom may return fewer bytes than asked (or be interrupted); keep asking until done.
  while (n > 0) {
    const ssize_t got = getrandom(dst, n, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    dst += got;
    n -= static_cast<std::size_t>(got);
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
RandomPlatform current = SYSTEM_PLATFORM;

}  // namespace

const RandomPlatform& SystemRandomPlatform() {
  return SYSTEM_PLATFORM;
}

void SetRandomPlatform(const RandomPlatform& platform) {
  current = platform;
}

const RandomPlatform& CurrentRandomPlatform() {
  return current;
}

}  // namespace vennaloop
