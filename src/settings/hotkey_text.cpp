#include "settings/hotkey_text.h"

#include <array>

#include "base/ascii.h"

namespace qv::settings {
namespace {

struct Modifier {
    const wchar_t* text;
    std::uint16_t bit;
};

// The order in which the text names them.
constexpr std::array<Modifier, 3> kModifiers{
    {{L"Shift+", kHotKeyShift}, {L"Ctrl+", kHotKeyCtrl}, {L"Alt+", kHotKeyAlt}}};

std::wstring fixed_name(unsigned vk) {
    switch (vk) {
        case 0x08:
            return L"BkSp";
        case 0x09:
            return L"Tab";
        case 0x0D:
            return L"Enter";
        case 0x1B:
            return L"Esc";
        case 0x20:
            return L"Space";
        case 0x21:
            return L"PgUp";
        case 0x22:
            return L"PgDn";
        case 0x23:
            return L"End";
        case 0x24:
            return L"Home";
        case 0x25:
            return L"Left";
        case 0x26:
            return L"Up";
        case 0x27:
            return L"Right";
        case 0x28:
            return L"Down";
        case 0x2D:
            return L"Ins";
        case 0x2E:
            return L"Del";
        default:
            break;
    }
    if (vk >= 0x30 && vk <= 0x39) return std::wstring(1, static_cast<wchar_t>(L'0' + (vk - 0x30)));
    if (vk >= 0x41 && vk <= 0x5A) return std::wstring(1, static_cast<wchar_t>(L'A' + (vk - 0x41)));
    if (vk >= 0x60 && vk <= 0x69) return std::wstring(1, static_cast<wchar_t>(L'0' + (vk - 0x60)));
    if (vk >= 0x70 && vk <= 0x87) return L"F" + std::to_wstring(vk - 0x70 + 1);
    return {};
}

} // namespace

std::wstring key_name(unsigned virtual_key, const KeyLayout& layout) {
    std::wstring name = fixed_name(virtual_key);
    if (!name.empty()) return name;
    name = layout.key_name(virtual_key);
    return name.size() == 1 ? name : std::wstring();
}

std::wstring hotkey_to_text(std::uint16_t hotkey, const KeyLayout& layout) {
    const std::wstring name = key_name(hotkey & 0xFFu, layout);
    if (name.empty()) return {};
    std::wstring text;
    for (const auto& modifier : kModifiers) {
        if (hotkey & modifier.bit) text += modifier.text;
    }
    return text + name;
}

std::uint16_t text_to_hotkey(std::wstring_view text, const KeyLayout& layout) {
    std::uint16_t modifiers = 0;
    // A prefix is a modifier only when something follows it: on layouts with a "^" key, "Alt+^" is that
    // key, not Alt and Ctrl with no key.
    for (bool stripped = true; stripped;) {
        stripped = false;
        auto strip = [&](std::wstring_view prefix, std::uint16_t bit) {
            if (stripped || text.size() <= prefix.size() || !starts_with_ignore_case(text, prefix)) return;
            text.remove_prefix(prefix.size());
            modifiers |= bit;
            stripped = true;
        };
        strip(L"Shift+", kHotKeyShift);
        strip(L"^", kHotKeyCtrl);
        strip(L"Ctrl+", kHotKeyCtrl);
        strip(L"Alt+", kHotKeyAlt);
    }
    if (text.empty()) return 0;
    for (unsigned vk = 0x08; vk <= 0xFF; ++vk) {
        const std::wstring name = key_name(vk, layout);
        if (!name.empty() && equals_ignore_case(text, name)) return static_cast<std::uint16_t>(modifiers | vk);
    }
    return 0;
}

} // namespace qv::settings
