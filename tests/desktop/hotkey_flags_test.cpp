#include "desktop/hotkey_flags.h"

#include <gtest/gtest.h>

namespace qv::desktop {
namespace {

TEST(HotkeyRegistration, SplitsKeyAndMapsModifiers) {
    struct Case { unsigned shortcut, modifiers, key; };
    const Case cases[] = {
        {0xC04D, kModAlt | kModControl, 0x4D},  // Ctrl+Alt+M
        {0x2074, kModShift, 0x74},              // Shift+F5
        {0, 0, 0},
        {0xE000 | 0x1FFF, kModAlt | kModControl | kModShift, 0x1FFF},
    };
    for (const auto& c : cases) {
        auto r = hotkey_registration(c.shortcut);
        EXPECT_EQ(r.modifiers, c.modifiers) << std::hex << c.shortcut;
        EXPECT_EQ(r.key, c.key) << std::hex << c.shortcut;
    }
}

} // namespace
} // namespace qv::desktop
