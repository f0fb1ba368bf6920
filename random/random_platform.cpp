// random_platform.cpp: which services the random source uses: the system's, from the platform's
// own file (random_platform_posix.cpp or random_platform_windows.cpp), until a test replaces them.
#include "random/random_platform.h"

#include <optional>

namespace vennaloop {
namespace {

// Empty until replaced, so nothing depends on the order in which files are initialised.
std::optional<RandomPlatform> replaced;

}  // namespace

void SetRandomPlatform(const RandomPlatform& platform) {
  replaced = platform;
}

const RandomPlatform& CurrentRandomPlatform() {
  return replaced ? *replaced : SystemRandomPlatform();
}

}  // namespace vennaloop
