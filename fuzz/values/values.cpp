// Hotkey text, colour names, integers and hex lines as the settings file spells them, on any text: what
// parses writes back to text that parses to the same value.
#include <cstdint>
#include <string>
#include <vector>

#include "base/app_error.h"
#include "common/check.h"
#include "settings/hotkey_text.h"
#include "settings/test_fakes.h"
#include "settings/values.h"

namespace {

using namespace qv::settings;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static const testing::FakeKeyLayout layout = [] {
        testing::FakeKeyLayout l;
        l.names = {{0xBA, L":"}, {0xBB, L";"}, {0xBC, L","},  {0xDE, L"^"},      {0xE2, L"\\"},
                   {0xC0, L"@"}, {0xBF, L"/"}, {0xDC, L"\\"}, {0x2E, L"Delete"}, {0x90, L"+"}};
        return l;
    }();
    // The whole input is the text, in 16-bit units as the program holds it (full-width digits, kana and
    // lone surrogates included); its first unit is also a hotkey value.
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2)
        text.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
    const auto code = static_cast<std::uint16_t>(text.empty() ? 0 : text[0]);

    // Hotkeys both ways.
    const std::wstring written = hotkey_to_text(code, layout);
    if (!written.empty()) {
        const std::uint16_t back = text_to_hotkey(written, layout);
        FUZZ_CHECK(back != 0 && hotkey_to_text(back, layout) == written);
    }
    const std::uint16_t parsed = text_to_hotkey(text, layout);
    if (parsed != 0) {
        const std::wstring again = hotkey_to_text(parsed, layout);
        FUZZ_CHECK(!again.empty() && text_to_hotkey(again, layout) == parsed);
    }

    // Colours and integers.
    if (const auto colour = parse_color(text)) {
        FUZZ_CHECK(parse_color(color_to_text(*colour)) == *colour);
        FUZZ_CHECK(text_to_color(text) == *colour);
    } else {
        try {
            text_to_color(text);
            FUZZ_CHECK(false);
        } catch (const qv::AppError&) {
        }
    }
    if (const auto value = parse_integer(text)) FUZZ_CHECK(parse_integer(std::to_wstring(*value)) == *value);
    text_to_bool(text);
    bool_default_text(text);

    // Byte streams as hex lines.
    std::vector<std::uint8_t> bytes;
    append_hex_line(text, bytes);
    std::vector<std::uint8_t> again;
    for (const std::wstring& line : bytes_to_hex_lines(bytes)) {
        FUZZ_CHECK(line.size() <= 64);
        append_hex_line(line, again);
    }
    FUZZ_CHECK(again == bytes);
    return 0;
}
