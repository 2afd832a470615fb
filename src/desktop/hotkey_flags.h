#pragma once
// A shortcut value (virtual key in the low 13 bits; 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt) as the
// window system's hotkey registration takes it.
namespace qv::desktop {

inline constexpr unsigned kShortcutShift = 0x2000, kShortcutCtrl = 0x4000, kShortcutAlt = 0x8000;
inline constexpr unsigned kModAlt = 1, kModControl = 2, kModShift = 4;

struct HotkeyRegistration {
    unsigned modifiers = 0;  // MOD_ALT | MOD_CONTROL | MOD_SHIFT
    unsigned key = 0;        // virtual-key code
};

constexpr HotkeyRegistration hotkey_registration(unsigned shortcut) {
    HotkeyRegistration r;
    r.key = shortcut & 0x1FFFu;
    if (shortcut & kShortcutAlt) r.modifiers |= kModAlt;
    if (shortcut & kShortcutCtrl) r.modifiers |= kModControl;
    if (shortcut & kShortcutShift) r.modifiers |= kModShift;
    return r;
}

} // namespace qv::desktop
