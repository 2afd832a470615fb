#include "skin/arithmetic.h"

#include <cmath>

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

} // namespace

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
