// x86-64: SSE2 is always there; AVX2 is used when the processor has it.
//
// PSADBW against zero adds unsigned bytes eight at a time into 64-bit
// lanes: the unsigned sum. Flipping the top bit (x ^ 0x80) turns a signed
// byte s into the unsigned byte s + 128, so the same on the flipped bytes,
// less 128 per byte, is the signed sum. Both come from one load of each
// piece. The 64-bit arithmetic wraps, and its low 32 bits are the sums
// modulo 2^32.
#include <immintrin.h>

#include "core/signed_sum.h"

namespace {

constexpr std::uint64_t kBias = 128;

std::uint64_t laneTotal(__m128i lanes) {
  return static_cast<std::uint64_t>(_mm_cvtsi128_si64(lanes)) +
         static_cast<std::uint64_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(lanes, lanes)));
}

// The total of four registers' 64-bit lanes.
std::uint64_t total(const __m128i* sums) {
  return laneTotal(_mm_add_epi64(_mm_add_epi64(sums[0], sums[1]), _mm_add_epi64(sums[2], sums[3])));
}

__attribute__((target("avx2"))) std::uint64_t total(const __m256i* sums) {
  const __m256i sum = _mm256_add_epi64(_mm256_add_epi64(sums[0], sums[1]), _mm256_add_epi64(sums[2], sums[3]));
  return laneTotal(_mm_add_epi64(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1)));
}

// The vector part's sums, then the rest's.
ByteSums withTail(std::uint64_t flipped, std::uint64_t plain, std::size_t done, const ByteSums& tail) {
  return {static_cast<std::uint32_t>(flipped - kBias * done) + tail.asSigned,
          static_cast<std::uint32_t>(plain) + tail.asUnsigned};
}

ByteSums addSse2(const unsigned char* bytes, std::size_t count) {
  constexpr std::size_t kStep = 4 * sizeof(__m128i);
  const __m128i flip = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i zero = _mm_setzero_si128();
  // Four loads in flight, each feeding both sums.
  __m128i flipped[4] = {zero, zero, zero, zero}, plain[4] = {zero, zero, zero, zero};
  std::size_t done = 0;
  for (; done + kStep <= count; done += kStep)
    for (int k = 0; k < 4; ++k) {
      const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + done) + k);
      flipped[k] = _mm_add_epi64(flipped[k], _mm_sad_epu8(_mm_xor_si128(v, flip), zero));
      plain[k] = _mm_add_epi64(plain[k], _mm_sad_epu8(v, zero));
    }
  return withTail(total(flipped), total(plain), done, addBytesOneByOne(bytes + done, count - done));
}

__attribute__((target("avx2"))) ByteSums addAvx2(const unsigned char* bytes, std::size_t count) {
  constexpr std::size_t kStep = 4 * sizeof(__m256i);
  const __m256i flip = _mm256_set1_epi8(static_cast<char>(0x80));
  const __m256i zero = _mm256_setzero_si256();
  __m256i flipped[4] = {zero, zero, zero, zero}, plain[4] = {zero, zero, zero, zero};
  std::size_t done = 0;
  for (; done + kStep <= count; done += kStep)
    for (int k = 0; k < 4; ++k) {
      const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + done) + k);
      flipped[k] = _mm256_add_epi64(flipped[k], _mm256_sad_epu8(_mm256_xor_si256(v, flip), zero));
      plain[k] = _mm256_add_epi64(plain[k], _mm256_sad_epu8(v, zero));
    }
  return withTail(total(flipped), total(plain), done, addSse2(bytes + done, count - done));
}

using Adder = decltype(ByteSumForm::add);

bool hasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

}  // namespace

ByteSums addBytes(const unsigned char* bytes, std::size_t count) {
  static const Adder adder = hasAvx2() ? addAvx2 : addSse2;
  return adder(bytes, count);
}

std::vector<ByteSumForm> availableByteSumForms() {
  std::vector<ByteSumForm> forms = {{"one by one", addBytesOneByOne}, {"SSE2", addSse2}};
  if (hasAvx2()) forms.push_back({"AVX2", addAvx2});
  return forms;
}
