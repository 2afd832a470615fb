#pragma once
// Hotkeys as the settings store them: "Shift+", "Ctrl+", "Alt+" and a key name ("Ctrl+Alt+W"). The value
// is 16 bits: the virtual-key code in the low byte, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
#include <cstdint>
#include <string>
#include <string_view>

namespace qv::settings {

inline constexpr std::uint16_t kHotKeyShift = 0x2000;
inline constexpr std::uint16_t kHotKeyCtrl = 0x4000;
inline constexpr std::uint16_t kHotKeyAlt = 0x8000;

// The keyboard layout's own name for a key (punctuation keys differ between layouts); the system
// supplies it.
class KeyLayout {
public:
    virtual ~KeyLayout() = default;
    // The layout's name of the key with this virtual-key code, any length, empty when it has none.
    virtual std::wstring key_name(unsigned virtual_key) const = 0;
};

// A key's name: the fixed names ("Enter", "F5", "A", keypad digits as "0".."9"), else the layout's name
// when it is one character, else none (empty).
std::wstring key_name(unsigned virtual_key, const KeyLayout& layout);

// Empty for 0 and for a key without a name.
std::wstring hotkey_to_text(std::uint16_t hotkey, const KeyLayout& layout);

// Modifier prefixes ("Shift+", "Ctrl+" or "^", "Alt+", any case) are taken while a key name follows them,
// then the rest must name a key (the first code from 8 up with that name, so keypad digits come back as
// the main keyboard's). 0 when it names none.
std::uint16_t text_to_hotkey(std::wstring_view text, const KeyLayout& layout);

} // namespace qv::settings
