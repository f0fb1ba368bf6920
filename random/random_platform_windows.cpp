// random_platform_windows.cpp: the system's services for the random source on Windows: the
// system's preferred generator (BCryptGenRandom), the performance counter and the calendar time.
#include <windows.h>
// After windows.h, which it needs.
#include <bcrypt.h>

#include <algorithm>
#include <limits>

#include "random/random_platform.h"

namespace vennaloop {
namespace {

// 100-nanosecond intervals from 1601-01-01, the file time's origin, to 1970-01-01.
constexpr std::int64_t FILE_TIME_AT_UNIX_EPOCH = 116'444'736'000'000'000;
constexpr std::int64_t FILE_TIME_PER_SECOND = 10'000'000;

bool SystemRandom(std::uint8_t* dst, std::size_t n) {
  // One call takes at most a ULONG's worth of bytes.
  constexpr std::size_t CALL_LIMIT = std::numeric_limits<ULONG>::max();
  while (n > 0) {
    const std::size_t chunk = std::min(n, CALL_LIMIT);
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, dst, static_cast<ULONG>(chunk),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
      return false;
    dst += chunk;
    n -= chunk;
  }
  return true;
}

std::int64_t CalendarSeconds() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::int64_t ticks = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
  // Whole seconds, rounded down as time() rounds them.
  const std::int64_t since = ticks - FILE_TIME_AT_UNIX_EPOCH;
  return since >= 0 ? since / FILE_TIME_PER_SECOND
                    : -((-since + FILE_TIME_PER_SECOND - 1) / FILE_TIME_PER_SECOND);
}

bool PerformanceCounter(std::int64_t* value) {
  LARGE_INTEGER counter;
  if (!QueryPerformanceCounter(&counter)) return false;
  *value = counter.QuadPart;
  return true;
}

constexpr RandomPlatform SYSTEM_PLATFORM{SystemRandom, CalendarSeconds, PerformanceCounter};

}  // namespace

const RandomPlatform& SystemRandomPlatform() {
  return SYSTEM_PLATFORM;
}

}  // namespace vennaloop
