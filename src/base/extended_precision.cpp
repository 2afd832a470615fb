#include "base/extended_precision.h"

#include <cmath>

namespace qv {
namespace {
constexpr std::uint16_t kPrecisionAndRounding = 0x0F00;  // PC (bits 8-9) and RC (bits 10-11)
constexpr std::uint16_t kExtendedToNearest = 0x0300;     // PC = 64-bit significand, RC = nearest
} // namespace

#if defined(__i386__) || defined(__x86_64__)
std::uint16_t x87_control_word() noexcept {
    std::uint16_t word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word) : : "memory");
    return word;
}

void set_x87_control_word(std::uint16_t word) noexcept { __asm__ __volatile__("fldcw %0" : : "m"(word) : "memory"); }
#else
std::uint16_t x87_control_word() noexcept { return 0; }
void set_x87_control_word(std::uint16_t) noexcept {}
#endif

ExtendedPrecision::ExtendedPrecision() noexcept : saved_(x87_control_word()) {
    set_x87_control_word(static_cast<std::uint16_t>((saved_ & ~kPrecisionAndRounding) | kExtendedToNearest));
}

ExtendedPrecision::~ExtendedPrecision() { set_x87_control_word(saved_); }

long double round_half_even(long double value) noexcept {
    const long double below = std::floor(value);
    const long double fraction = value - below;  // exact where it matters: at a half
    if (fraction > 0.5L) return below + 1.0L;
    if (fraction < 0.5L) return below;
    return std::fmod(below, 2.0L) == 0.0L ? below : below + 1.0L;
}

} // namespace qv
