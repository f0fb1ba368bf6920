// random_platform.h: the few platform services the random source needs, behind a seam so that
// tests can supply a provider that fails, a frozen clock or a counter that is missing.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vennaloop {

struct RandomPlatform {
  bool (*cryptoRandom)(std::uint8_t* dst, std::size_t n);  // false: no provider, or it refused
  std::int64_t (*calendarSeconds)();                       // seconds since 1970-01-01 UTC
  bool (*performanceCounter)(std::int64_t* value);         // false: no counter
};

/// The system's cryptographic generator, the calendar clock and a monotonic counter.
const RandomPlatform& SystemRandomPlatform();

/// Replaces the services used from the next seeding or refill on; the table is copied.
void SetRandomPlatform(const RandomPlatform& platform);

/// The services in use now (the system's until SetRandomPlatform is called).
const RandomPlatform& CurrentRandomPlatform();

}  // namespace vennaloop
