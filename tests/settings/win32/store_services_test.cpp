// The settings store on the system's files, code page and keyboard layout.
#include <gtest/gtest.h>

#include "settings/settings_table.h"
#include "settings/win32/store_services.h"
#include "support/win32/files.h"

namespace qv::settings::win32 {
namespace {

TEST(SettingsStoreFiles, JapaneseFolderAndValuesThroughTheStore) {
    test::TempFolder folder{L"qv-settings-files"};
    SystemServices system;
    const std::wstring japanese = folder.file(L"設定フォルダ");
    ASSERT_TRUE(::CreateDirectoryW(japanese.c_str(), nullptr));
    TRegManager RM = make_main_store(system.services());
    RM.IniFileName = japanese + L"\\Quorvane.ini";
    RM.Filer(L"BackImage").WriteString(L"C:\\画像\\背景ソフト.bmp");
    RM.Filer(L"WindowFont").WriteFont({L"ＭＳ Ｐゴシック", 9, 0xFFFFFF, 0});
    EXPECT_EQ(RM.Filer(L"BackImage").ReadString(), L"C:\\画像\\背景ソフト.bmp");
    // In the file: Shift-JIS, the code page of the system.
    const std::string bytes = test::read_file(RM.IniFileName).value_or("<missing>");
    EXPECT_NE(bytes.find("\x94\x77\x8C\x69\x83\x5C\x83\x74\x83\x67"), std::string::npos);  // 背景ソフト
    FontSpec font;
    RM.Filer(L"WindowFont").ReadFont(font);
    EXPECT_EQ(font.name, L"ＭＳ Ｐゴシック");
}

TEST(SystemKeyLayoutTest, HotkeysRoundTripOnTheLayoutInForce) {
    SystemKeyLayout layout;
    int named = 0;
    for (unsigned vk = 0x08; vk <= 0xFF; ++vk) {
        const auto value = static_cast<std::uint16_t>(kHotKeyCtrl | kHotKeyAlt | vk);
        const std::wstring text = hotkey_to_text(value, layout);
        if (text.empty()) continue;
        ++named;
        const std::uint16_t back = text_to_hotkey(text, layout);
        // Keys sharing a name (keypad digits and the main ones) come back as the first code with it.
        EXPECT_EQ(hotkey_to_text(back, layout), text) << vk;
        EXPECT_LE(back & 0xFFu, vk);
    }
    EXPECT_GT(named, 70);
    EXPECT_EQ(text_to_hotkey(L"ctrl+alt+f5", layout), kHotKeyCtrl | kHotKeyAlt | 0x74);
}

} // namespace
} // namespace qv::settings::win32
