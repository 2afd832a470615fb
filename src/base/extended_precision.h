#pragma once
// Arithmetic in the x87 80-bit extended format (64-bit significand), in which the progress, swap and
// processor figures are rounded. long double is that format with GCC on x86 (Linux and mingw-w64), but
// the precision the x87 unit really uses is a field of its control word: Windows starts threads with
// 53 bits, and a DLL may change it at any time. ExtendedPrecision sets it for a scope.
#include <cstdint>

namespace qv {

// While alive: 64-bit significand and rounding to nearest; the previous control word comes back at
// the end. Compute inside a function the compiler cannot inline or fold (see extended_precision.cpp).
class ExtendedPrecision {
public:
    ExtendedPrecision() noexcept;
    ~ExtendedPrecision();
    ExtendedPrecision(const ExtendedPrecision&) = delete;
    ExtendedPrecision& operator=(const ExtendedPrecision&) = delete;

private:
    std::uint16_t saved_;
};

// The x87 control word (0 and no effect where there is no x87 unit).
std::uint16_t x87_control_word() noexcept;
void set_x87_control_word(std::uint16_t word) noexcept;

// Nearest integer, halves to the even neighbour (12.5 gives 12, 37.5 gives 38), independent of the
// unit's rounding mode.
long double round_half_even(long double value) noexcept;

} // namespace qv
