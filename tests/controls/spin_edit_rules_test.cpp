#include "controls/spin_edit_rules.h"

#include <gtest/gtest.h>

namespace qv::controls {
namespace {

TEST(SpinEditRules, EqualBoundsMeanNoRange) {
    EXPECT_EQ(clamp_spin_value(250, {0, 0}), 250);
    EXPECT_EQ(clamp_spin_value(-7, {5, 5}), -7);
    EXPECT_EQ(clamp_spin_value(200, {0, 128}), 128);
    EXPECT_EQ(clamp_spin_value(-1, {0, 128}), 0);
    EXPECT_EQ(clamp_spin_value(64, {0, 128}), 64);
}

TEST(SpinEditRules, TextReadsAsASignedIntegerOrTheMinimum) {
    const SpinRange range{10, 128};
    EXPECT_EQ(spin_text_value(L"200", range), 200);  // typing is not clamped
    EXPECT_EQ(spin_text_value(L"+42", range), 42);
    EXPECT_EQ(spin_text_value(L"-42", range), -42);
    for (const wchar_t* text : {L"", L"abc", L"+", L"1.5", L"12 ", L"2147483648", L"99999999999"}) {
        EXPECT_EQ(spin_text_value(text, range), 10) << text;
    }
    EXPECT_EQ(parse_spin_text(L"-2147483648"), std::numeric_limits<std::int32_t>::min());
}

TEST(SpinEditRules, StepsClampAndNeverWrapAround) {
    EXPECT_EQ(spin_step(2000, 100, +1, {0, 0}), 2100);
    EXPECT_EQ(spin_step(128, 1, +1, {0, 128}), 128);
    EXPECT_EQ(spin_step(0, 1, -1, {0, 128}), 0);
    EXPECT_EQ(spin_step(std::numeric_limits<std::int32_t>::max(), 1, +1, {0, 0}),
              std::numeric_limits<std::int32_t>::max());
}

TEST(SpinEditRules, TypedCharacters) {
    for (wchar_t c : {L'0', L'9', L'+', L'-', L'.', wchar_t{8}, wchar_t{3}}) EXPECT_TRUE(spin_char_allowed(c, L'.', true)) << int(c);
    for (wchar_t c : {L'a', L'Z', L' ', L',', L'０', wchar_t{13}, wchar_t{10}}) EXPECT_FALSE(spin_char_allowed(c, L'.', true)) << int(c);
    EXPECT_TRUE(spin_char_allowed(L',', L',', true));
    // A field that may not be typed into takes no printable character, backspace or delete.
    for (wchar_t c : {L'5', wchar_t{8}, wchar_t{127}}) EXPECT_FALSE(spin_char_allowed(c, L'.', false)) << int(c);
    EXPECT_TRUE(spin_char_allowed(wchar_t{3}, L'.', false));  // Ctrl+C still copies
}

} // namespace
} // namespace qv::controls
