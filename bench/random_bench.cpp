// Benchmarks of the random source: stream throughput and the cost of a seeding.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "random/random_source.h"

namespace vennaloop {
namespace {

void RandomStreamBytes(benchmark::State& state) {
  SeedRandom();
  std::uint8_t buffer[4096];
  for (auto _ : state) {
    RandomBytes(buffer, sizeof buffer);
    benchmark::DoNotOptimize(buffer);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(sizeof buffer));
}
BENCHMARK(RandomStreamBytes);

// Byte by byte, as the walkers and the generator draw.
void RandomSingleBytes(benchmark::State& state) {
  SeedRandom();
  for (auto _ : state)
    benchmark::DoNotOptimize(RandomByte());
  state.SetBytesProcessed(state.iterations());
}
BENCHMARK(RandomSingleBytes);

void SeedOnce(benchmark::State& state) {
  for (auto _ : state)
    SeedRandom();
}
BENCHMARK(SeedOnce)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vennaloop
