#pragma once
// The system's hotkey-entry control speaks its own word: the virtual key in the low byte and the
// modifiers in the high byte as HOTKEYF_SHIFT 1, HOTKEYF_CONTROL 2, HOTKEYF_ALT 4 and HOTKEYF_EXT 8.
// The program's hotkey value puts Shift, Ctrl and Alt at 0x2000, 0x4000 and 0x8000 instead.
#include <cstdint>

namespace qv::settings {

inline constexpr unsigned kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04, kControlExtended = 0x08;

// The control's word as a hotkey value; the extended-key flag has no place in it and is dropped.
std::uint16_t hotkey_from_control(unsigned word);
// A hotkey value as the control's word. The keys that exist twice on the keyboard (the arrows and the
// six keys above them) get the extended flag, so that the control names the grey key rather than
// the keypad's.
unsigned hotkey_to_control(std::uint16_t value);

} // namespace qv::settings
