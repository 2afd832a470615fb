#pragma once
// Integer arithmetic of the gauges: products of a value difference and a pixel size divided by a value
// range, exact wherever the product fits in 64 bits (a pixel size times a byte count always does).
#include <cstdint>

namespace qv::skin {

// a x b / c truncated toward zero; c must not be 0.
std::int64_t MulDivTrunc(std::int64_t a, std::int64_t b, std::int64_t c);
// a x b / c rounded to the nearest integer, a half to the even neighbour; c must not be 0.
std::int64_t MulDivNearest(std::int64_t a, std::int64_t b, std::int64_t c);
// Windows' MulDiv on 64-bit operands: a x b / c rounded to the nearest, a half away from zero.
// c must not be 0.
std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c);

// scale x (value - low) / (high - low) truncated toward zero, exact for any operands: the differences may
// exceed INT64_MAX (a range from INT64_MIN to INT64_MAX), and a quotient beyond the range of int64 stops at
// its ends. high must differ from low.
std::int64_t ScaleToRange(std::int64_t scale, std::int64_t value, std::int64_t low, std::int64_t high);

} // namespace qv::skin
