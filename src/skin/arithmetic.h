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

} // namespace qv::skin
