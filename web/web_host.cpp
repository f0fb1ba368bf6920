// web_host.cpp: the page's host and the browser's random services.
#include "web/web_host.h"

#include <emscripten.h>

#include <cstdint>

namespace vennaloop::web {

namespace {

// The JavaScript bodies are left as written: the C++ formatter would break their operators.
// clang-format off

// getRandomValues fills at most 65,536 bytes a call.
EM_JS(int, BrowserCryptoRandom, (std::uint8_t* dst, std::size_t n), {
  try {
    for (let offset = 0; offset < n; offset += 65536) {
      crypto.getRandomValues(HEAPU8.subarray(dst + offset, dst + Math.min(n, offset + 65536)));
    }
    return 1;
  } catch (e) {
    return 0;
  }
});

EM_JS(double, BrowserCalendarSeconds, (), {
  return Math.floor(Date.now() / 1000);
});

// performance.now() counts milliseconds with a fraction; the counter counts nanoseconds.
EM_JS(double, BrowserCounterNanoseconds, (), {
  return typeof performance === 'object' ? Math.round(performance.now() * 1e6) : -1;
});

// clang-format on

bool CryptoRandom(std::uint8_t* dst, std::size_t n) {
  return BrowserCryptoRandom(dst, n) != 0;
}

std::int64_t CalendarSeconds() {
  return static_cast<std::int64_t>(BrowserCalendarSeconds());
}

bool PerformanceCounter(std::int64_t* value) {
  const double ns = BrowserCounterNanoseconds();
  if (ns < 0) return false;
  *value = static_cast<std::int64_t>(ns);
  return true;
}

constexpr RandomPlatform BROWSER_PLATFORM{CryptoRandom, CalendarSeconds, PerformanceCounter};

}  // namespace

// The pacer's clock is performance.now(), which the page wakes it with too.
void WebHost::StartTimer(int periodMs) {
  pacer->Start(periodMs, emscripten_get_now());
}

void WebHost::StopTimer() {
  pacer->Stop();
}

const RandomPlatform& BrowserRandomPlatform() {
  return BROWSER_PLATFORM;
}

}  // namespace vennaloop::web
