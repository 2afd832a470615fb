#include <gtest/gtest.h>

#include "base/win32/ansi_code_page.h"

namespace qv::win {
namespace {

TEST(AnsiCodecTest, ShiftJisBothWaysAndNoSilentStandIns) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests run with the Japanese code page";
    AnsiCodec codec;
    EXPECT_EQ(codec.encode(L"能力ソ"), std::optional<std::string>("\x94\x5C\x97\xCD\x83\x5C"));
    EXPECT_EQ(codec.decode("\x94\x5C\x97\xCD\x83\x5C"), L"能力ソ");
    EXPECT_EQ(codec.encode(L"caf\u00e9"), std::nullopt);
    EXPECT_EQ(codec.encode(L"\U0001F600"), std::nullopt);
    EXPECT_EQ(codec.encode(L""), std::optional<std::string>(""));
}

} // namespace
} // namespace qv::win
