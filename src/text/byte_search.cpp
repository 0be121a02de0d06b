#include "text/byte_search.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KADELO_X86 1
#endif

namespace kadelo::text {
namespace {

std::size_t findBytePairPlain(const char* data, std::size_t from, std::size_t last, char first, char second,
    std::size_t distance)
{
    // `last` is one past the last position a pair can start at.
    for (std::size_t p = from; p < last; ++p) {
        const void* hit = std::memchr(data + p, first, last - p);
        if (!hit)
            return std::string_view::npos;
        p = static_cast<std::size_t>(static_cast<const char*>(hit) - data);
        if (data[p + distance] == second)
            return p;
    }
    return std::string_view::npos;
}

#ifdef KADELO_X86
// 16 positions at a time; SSE2 is part of every x86-64 processor.
std::size_t findBytePairSse2(const char* data, std::size_t from, std::size_t last, char first, char second,
    std::size_t distance)
{
    const __m128i a = _mm_set1_epi8(first);
    const __m128i b = _mm_set1_epi8(second);
    std::size_t p = from;
    for (; p + 16 <= last; p += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + distance));
        const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(x, a), _mm_cmpeq_epi8(y, b))));
        if (mask)
            return p + static_cast<std::size_t>(__builtin_ctz(mask));
    }
    return findBytePairPlain(data, p, last, first, second, distance);
}

// 64 positions at a time where the processor has AVX2.
__attribute__((target("avx2"))) std::size_t findBytePairAvx2(const char* data, std::size_t from, std::size_t last,
    char first, char second, std::size_t distance)
{
    const __m256i a = _mm256_set1_epi8(first);
    const __m256i b = _mm256_set1_epi8(second);
    std::size_t p = from;
    for (; p + 64 <= last; p += 64) {
        const auto* x = reinterpret_cast<const __m256i*>(data + p);
        const auto* y = reinterpret_cast<const __m256i*>(data + p + distance);
        const __m256i lo = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_loadu_si256(x), a), _mm256_cmpeq_epi8(_mm256_loadu_si256(y), b));
        const __m256i hi = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_loadu_si256(x + 1), a), _mm256_cmpeq_epi8(_mm256_loadu_si256(y + 1), b));
        if (_mm256_testz_si256(_mm256_or_si256(lo, hi), _mm256_or_si256(lo, hi)))
            continue;
        const std::uint64_t mask = static_cast<std::uint32_t>(_mm256_movemask_epi8(lo))
            | (static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(hi))) << 32);
        return p + static_cast<std::size_t>(__builtin_ctzll(mask));
    }
    return findBytePairSse2(data, p, last, first, second, distance);
}

bool hasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init(); // may be asked before the run-time library's own start-up code did it
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

} // namespace

std::size_t findBytePair(std::string_view bytes, std::size_t from, char first, char second, std::size_t distance)
{
    if (distance >= bytes.size() || from >= bytes.size() - distance)
        return std::string_view::npos;
    const std::size_t last = bytes.size() - distance;
#ifdef KADELO_X86
    if (hasAvx2())
        return findBytePairAvx2(bytes.data(), from, last, first, second, distance);
    return findBytePairSse2(bytes.data(), from, last, first, second, distance);
#else
    return findBytePairPlain(bytes.data(), from, last, first, second, distance);
#endif
}

std::size_t findKey(std::string_view bytes, std::string_view key, std::size_t from)
{
    if (key.empty())
        return from <= bytes.size() ? from : std::string_view::npos;
    const std::size_t second = key.size() - 1;
    const std::size_t first = key.size() >= 3 ? key.size() - 3 : 0;
    for (std::size_t p = from + first;; ++p) {
        p = findBytePair(bytes, p, key[first], key[second], second - first);
        if (p == std::string_view::npos)
            return p;
        if (bytes.compare(p - first, key.size(), key) == 0)
            return p - first;
    }
}

} // namespace kadelo::text
