#include "settings/hotkey_control_value.h"

#include "settings/hotkey_text.h"

namespace qv::settings {
namespace {

// PgUp, PgDn, End, Home, the arrows, Ins, Del, and the keypad's divide and Num Lock.
bool is_extended_key(unsigned vk) {
    return (vk >= 0x21 && vk <= 0x28) || vk == 0x2D || vk == 0x2E || vk == 0x6F || vk == 0x90;
}

} // namespace

std::uint16_t hotkey_from_control(unsigned word) {
    const unsigned modifiers = (word >> 8) & 0xFFu;
    unsigned value = word & 0xFFu;
    if (modifiers & kControlShift) value |= kHotKeyShift;
    if (modifiers & kControlCtrl) value |= kHotKeyCtrl;
    if (modifiers & kControlAlt) value |= kHotKeyAlt;
    return static_cast<std::uint16_t>(value);
}

unsigned hotkey_to_control(std::uint16_t value) {
    const unsigned vk = value & 0xFFu;
    if (vk == 0) return 0;
    unsigned modifiers = 0;
    if (value & kHotKeyShift) modifiers |= kControlShift;
    if (value & kHotKeyCtrl) modifiers |= kControlCtrl;
    if (value & kHotKeyAlt) modifiers |= kControlAlt;
    if (is_extended_key(vk)) modifiers |= kControlExtended;
    return vk | (modifiers << 8);
}

} // namespace qv::settings
