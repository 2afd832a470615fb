#include "settings/values.h"

#include <gtest/gtest.h>

#include "base/app_error.h"
#include "settings/hotkey_text.h"
#include "settings/test_fakes.h"

namespace qv::settings {
namespace {

TEST(IntegerText, ParsesTheAcceptedSpellings) {
    struct Case {
        const wchar_t* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {L"2000", 2000},
        {L"-1", -1},
        {L"+7", 7},
        {L"  \t42", 42},
        {L"007", 7},
        {L"$10", 16},
        {L"x1f", 31},
        {L"X1F", 31},
        {L"0x10", 16},
        {L"0X10", 16},
        {L"-$10", -16},
        {L"$00FF8000", 0x00FF8000},
        {L"$80000005", static_cast<std::int32_t>(0x80000005u)},
        {L"$FFFFFFFF", -1},
        {L"2147483647", 2147483647},
        {L"-2147483648", INT32_MIN},
        // Not integers: they read as 0 where an integer is wanted.
        {L"2147483648", std::nullopt},
        {L"-2147483649", std::nullopt},
        {L"99999999999999999999", std::nullopt},
        {L"$100000000", std::nullopt},
        {L"", std::nullopt},
        {L"   ", std::nullopt},
        {L"-", std::nullopt},
        {L"$", std::nullopt},
        {L"0x", std::nullopt},
        {L"12 ", std::nullopt},
        {L"1e3", std::nullopt},
        {L"12abc", std::nullopt},
        {L"True", std::nullopt},
        {L"$G1", std::nullopt},
        {L"--1", std::nullopt},
        {L"１２", std::nullopt},  // full-width digits
    };
    for (const auto& c : cases) EXPECT_EQ(parse_integer(c.text), c.value) << std::wstring(c.text).size();
    EXPECT_EQ(integer_or_zero(L"abc"), 0);
}

TEST(BoolText, DefaultsAndStoredValues) {
    for (const wchar_t* yes : {L"1", L"TRUE", L"True", L"true", L"YES", L"yes"}) EXPECT_EQ(bool_default_text(yes), L"1");
    for (const wchar_t* no : {L"0", L"False", L"", L"2", L"on", L"Y"}) EXPECT_EQ(bool_default_text(no), L"0");
    // What the file holds: an integer; the word True is not one.
    EXPECT_TRUE(text_to_bool(L"1"));
    EXPECT_TRUE(text_to_bool(L"-1"));
    EXPECT_FALSE(text_to_bool(L"0"));
    EXPECT_FALSE(text_to_bool(L"True"));
    EXPECT_FALSE(text_to_bool(L""));
}

TEST(ColorText, NamesWinAndRoundTrip) {
    struct Case {
        Color color;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0x000000, L"clBlack"},       {0xFFFFFF, L"clWhite"},       {0xFFFF00, L"clAqua"},
        {0xFF0000, L"clBlue"},        {0x808080, L"clGray"},        {0xC0C0C0, L"clSilver"},
        {0x80000000, L"clScrollBar"}, {0x8000000F, L"clBtnFace"},   {0x80000018, L"clInfoBk"},
        {0x1FFFFFFF, L"clNone"},      {0x00FF8000, L"$00FF8000"},   {0x00000001, L"$00000001"},
        {0x80000019, L"$80000019"},   {0xFFFFFFFF, L"$FFFFFFFF"},   {0x00ABCDEF, L"$00ABCDEF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(color_to_text(c.color), c.text);
        EXPECT_EQ(text_to_color(c.text), c.color) << c.color;
    }
}

TEST(ColorText, ReadsNamesInAnyCaseThenIntegers) {
    EXPECT_EQ(text_to_color(L"CLAQUA"), 0x00FFFF00u);
    EXPECT_EQ(text_to_color(L"clbtnface"), 0x8000000Fu);
    EXPECT_EQ(text_to_color(L"255"), 0xFFu);
    EXPECT_EQ(text_to_color(L"0x00FF00"), 0x00FF00u);
    EXPECT_EQ(text_to_color(L"-1"), 0xFFFFFFFFu);
    for (const wchar_t* bad : {L"xyz", L"", L"clAqua2", L"#FF0000", L"ｃｌＡｑｕａ"}) {
        try {
            text_to_color(bad);
            ADD_FAILURE() << "accepted a colour text of length " << std::wstring(bad).size();
        } catch (const AppError& e) {
            EXPECT_EQ(e.text(), L"'" + std::wstring(bad) + L"' is not a valid color value");
        }
    }
}

TEST(HexLines, SplitAt32BytesAndDecodeLeniently) {
    std::vector<std::uint8_t> bytes(70);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 37);
    const auto lines = bytes_to_hex_lines(bytes);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 64u);
    EXPECT_EQ(lines[2].size(), 12u);
    EXPECT_EQ(lines[0].substr(0, 6), L"00254A");
    std::vector<std::uint8_t> back;
    for (const auto& line : lines) append_hex_line(line, back);
    EXPECT_EQ(back, bytes);
    EXPECT_TRUE(bytes_to_hex_lines({}).empty());

    struct Case {
        const wchar_t* line;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {L"ff0a", {0xFF, 0x0A}},  {L"A", {0x0A}},         {L"12G", {0x12, 0x00}},
        {L"ZZ10", {0x00, 0x10}},  {L"1Z", {0x00}},        {L"-1", {0x00}},
        {L"", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> out{0x99};
        append_hex_line(c.line, out);
        auto expected = c.bytes;
        expected.insert(expected.begin(), 0x99);  // appended, not replaced
        EXPECT_EQ(out, expected) << std::wstring(c.line).size();
    }
}

class HotKeyTextTest : public ::testing::Test {
protected:
    HotKeyTextTest() {
        layout.names = {{0xBA, L":"}, {0xBB, L";"}, {0xDE, L"^"}, {0xBD, L"-"}, {0x6A, L"Num *"}, {0x14, L"Caps Lock"}};
    }
    testing::FakeKeyLayout layout;
};

TEST_F(HotKeyTextTest, ToText) {
    struct Case {
        std::uint16_t value;
        const wchar_t* text;
    };
    const Case cases[] = {
        {0, L""},
        {0x4000 | 0x8000 | 'W', L"Ctrl+Alt+W"},
        {0x2000 | 0x4000 | 0x8000 | 0x74, L"Shift+Ctrl+Alt+F5"},
        {0x87, L"F24"},
        {0x0D, L"Enter"},
        {0x2000 | 0x08, L"Shift+BkSp"},
        {0x8000 | 0x67, L"Alt+7"},  // keypad 7
        {0x4000 | 0xBA, L"Ctrl+:"},  // the layout's one-character name
        {0x4000 | 0x6A, L""},  // the layout's name is longer than one character
        {0x4000 | 0x14, L""},
        {0x4000 | 0xFF, L""},  // no name at all
        {0x4000, L""},
    };
    for (const auto& c : cases) EXPECT_EQ(hotkey_to_text(c.value, layout), c.text) << c.value;
}

TEST_F(HotKeyTextTest, FromText) {
    struct Case {
        const wchar_t* text;
        std::uint16_t value;
    };
    const Case cases[] = {
        {L"", 0},
        {L"Ctrl+Alt+W", 0x4000 | 0x8000 | 'W'},
        {L"ctrl+alt+f5", 0x4000 | 0x8000 | 0x74},
        {L"^A", 0x4000 | 'A'},
        {L"alt+shift+ctrl+end", 0x2000 | 0x4000 | 0x8000 | 0x23},
        {L"Alt+7", 0x8000 | 0x37},  // the main keyboard's 7, never keypad
        {L"Ctrl+:", 0x4000 | 0xBA},
        {L"Alt+^", 0x8000 | 0xDE},  // the layout's "^" key, not a Ctrl prefix
        {L"^^", 0x4000 | 0xDE},
        {L"^", 0xDE},
        {L"Ctrl+", 0},
        {L"Ctrl+Alt+", 0},
        {L"Ctrl+Nothing", 0},
        {L"Ctrl+Num *", 0},
        {L"F25", 0},
        {L"Ctrl+Alt+W ", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(text_to_hotkey(c.text, layout), c.value) << std::wstring(c.text).size();
}

TEST_F(HotKeyTextTest, EveryNamedKeyRoundTrips) {
    for (unsigned vk = 0x08; vk <= 0xFF; ++vk) {
        for (std::uint16_t modifiers : {0, 0x2000, 0x4000 | 0x8000, 0x2000 | 0x4000 | 0x8000}) {
            const auto value = static_cast<std::uint16_t>(modifiers | vk);
            const std::wstring text = hotkey_to_text(value, layout);
            if (text.empty()) continue;
            const bool keypad_digit = vk >= 0x60 && vk <= 0x69;
            const auto expected = keypad_digit ? static_cast<std::uint16_t>(modifiers | (vk - 0x30)) : value;
            EXPECT_EQ(text_to_hotkey(text, layout), expected) << vk;
        }
    }
}

} // namespace
} // namespace qv::settings
