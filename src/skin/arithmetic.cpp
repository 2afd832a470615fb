#include "skin/arithmetic.h"

#include <cmath>
#include <cstdint>

namespace qv::skin {
namespace {

// Beyond 64 bits only absurd values get here; extended precision is then close enough.
long double Quotient(std::int64_t a, std::int64_t b, std::int64_t c) {
    return static_cast<long double>(a) * static_cast<long double>(b) / static_cast<long double>(c);
}

std::int64_t Clamp(long double v) {
    if (v >= 9.2e18L) return INT64_MAX;
    if (v <= -9.2e18L) return INT64_MIN;
    return static_cast<std::int64_t>(v);
}

// Floor division with a positive remainder: n = q x d + r, 0 <= r < d, for d > 0.
void FloorDivide(std::int64_t n, std::int64_t d, std::int64_t& q, std::int64_t& r) {
    q = n / d;
    r = n % d;
    if (r < 0) {
        --q;
        r += d;
    }
}

// A signed 65-bit quantity: a sign and a magnitude of up to 64 bits.
struct Magnitude {
    bool negative;
    std::uint64_t value;
};

// a - b without overflow.
Magnitude Difference(std::int64_t a, std::int64_t b) {
    const auto ua = static_cast<std::uint64_t>(a), ub = static_cast<std::uint64_t>(b);
    return a >= b ? Magnitude{false, ua - ub} : Magnitude{true, ub - ua};
}

// a x b / c truncated, exact through a 128-bit product (the 32-bit build has no 128-bit type); a quotient
// that needs more than 64 bits gives UINT64_MAX.
std::uint64_t MulDivUnsigned(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
    constexpr std::uint64_t low32 = 0xFFFFFFFFu;
    const std::uint64_t p0 = (a & low32) * (b & low32), p1 = (a & low32) * (b >> 32);
    const std::uint64_t p2 = (a >> 32) * (b & low32), p3 = (a >> 32) * (b >> 32);
    const std::uint64_t middle = (p0 >> 32) + (p1 & low32) + (p2 & low32);
    const std::uint64_t lo = (middle << 32) | (p0 & low32);
    std::uint64_t hi = p3 + (p1 >> 32) + (p2 >> 32) + (middle >> 32);
    if (hi == 0) return lo / c;
    if (hi >= c) return UINT64_MAX;
    // Long division of hi:lo, one bit at a time; the remainder stays below c.
    std::uint64_t quotient = 0;
    for (int bit = 63; bit >= 0; --bit) {
        const bool carry = (hi >> 63) != 0;
        hi = (hi << 1) | ((lo >> bit) & 1);
        quotient <<= 1;
        if (carry || hi >= c) {
            hi -= c;
            quotient |= 1;
        }
    }
    return quotient;
}

} // namespace

std::int64_t ScaleToRange(std::int64_t scale, std::int64_t value, std::int64_t low, std::int64_t high) {
    const Magnitude s = Difference(scale, 0), done = Difference(value, low), range = Difference(high, low);
    const std::uint64_t q = MulDivUnsigned(s.value, done.value, range.value);
    constexpr auto most = static_cast<std::uint64_t>(INT64_MAX);
    if ((s.negative != done.negative) != range.negative) return q > most ? INT64_MIN : -static_cast<std::int64_t>(q);
    return q > most ? INT64_MAX : static_cast<std::int64_t>(q);
}

std::int64_t MulDivTrunc(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::int64_t product;
    if (__builtin_mul_overflow(a, b, &product)) return Clamp(std::trunc(Quotient(a, b, c)));
    if (c == -1) return product == INT64_MIN ? INT64_MAX : -product;
    return product / c;
}

std::int64_t MulDivNearest(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::int64_t n;
    // A negative divisor negates both: the most negative product has no negation.
    if (__builtin_mul_overflow(a, b, &n) || c == INT64_MIN || (c < 0 && n == INT64_MIN))
        return Clamp(std::nearbyint(Quotient(a, b, c)));
    if (c < 0) {
        n = -n;
        c = -c;
    }
    std::int64_t q, r;
    FloorDivide(n, c, q, r);
    const std::int64_t rest = c - r;  // compares 2r with c without overflow
    if (r > rest || (r == rest && (q & 1) != 0)) ++q;
    return q;
}

std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
    std::int64_t n;
    if (__builtin_mul_overflow(a, b, &n) || c == INT64_MIN || (c < 0 && n == INT64_MIN))
        return Clamp(std::round(Quotient(a, b, c)));
    if (c < 0) {
        n = -n;
        c = -c;
    }
    const bool negative = n < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
    const std::uint64_t uc = static_cast<std::uint64_t>(c);
    std::uint64_t q = magnitude / uc;
    if (magnitude % uc >= uc - magnitude % uc) ++q;
    return negative ? -static_cast<std::int64_t>(q) : static_cast<std::int64_t>(q);
}

} // namespace qv::skin
