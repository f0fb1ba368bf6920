// asan_allocator_options.h: under AddressSanitizer, an allocation no memory can hold fails (returns
// null) as it does without the sanitizer, instead of stopping the run, so the failure paths of the
// pixel buffer are tested in the sanitized build too. Include it in exactly one file of each test
// program; it also defines VENNALOOP_ASAN for tests that scale themselves down under the sanitizer.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define VENNALOOP_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VENNALOOP_ASAN 1
#endif
#endif

#ifdef VENNALOOP_ASAN
extern "C" const char* __asan_default_options() {
  return "allocator_may_return_null=1";
}
#endif
