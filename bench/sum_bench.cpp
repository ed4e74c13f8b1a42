// Both checksums' sums against memchr over the same buffer: memchr reads
// every byte as fast as the machine allows, so it is the floor for a
// one-pass sum.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "core/signed_sum.h"

namespace {

std::vector<unsigned char> randomBuffer(std::size_t size) {
  std::vector<unsigned char> buffer(size);
  std::mt19937 random(1);
  for (auto& byte : buffer) byte = static_cast<unsigned char>(random() % 255 + 1);  // no zero for memchr
  return buffer;
}

void BM_addBytes(benchmark::State& state) {
  const auto buffer = randomBuffer(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(addBytes(buffer.data(), buffer.size()));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

void BM_memchr(benchmark::State& state) {
  const auto buffer = randomBuffer(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memchr(buffer.data(), 0, buffer.size()));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}

}  // namespace

BENCHMARK(BM_addBytes)->Arg(1 << 20)->Arg(64 << 20);
BENCHMARK(BM_memchr)->Arg(1 << 20)->Arg(64 << 20);

BENCHMARK_MAIN();
