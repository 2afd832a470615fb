// The settings file on real files: atomic replacement, refused writes, and a store end to end.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "settings/settings_table.h"
#include "settings/win32/system_services.h"
#include "support/win32/files.h"

namespace qv::settings::win32 {
namespace {

using test::TempFolder;

class Win32FileTest : public ::testing::Test {
protected:
    TempFolder folder{L"qv-settings-files"};
    SystemServices system;
    ini::IniFile ini(const std::wstring& path) { return ini::IniFile(*system.services().files, *system.services().ansi, path); }
};

TEST_F(Win32FileTest, WritesReplaceTheFileAndLeaveNothingElse) {
    const std::wstring path = folder.file(L"Quorvane.ini");
    ini(path).write(L"Clean", L"CleanValue", L"512");
    ini(path).write(L"Window", L"Snap", L"1");
    ini(path).write(L"clean", L"cleanvalue", L"64");
    EXPECT_EQ(test::read_file(path).value_or("<missing>"), "[Clean]\r\nCleanValue=64\r\n[Window]\r\nSnap=1\r\n");
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"Quorvane.ini"});
    EXPECT_EQ(ini(path).read(L"CLEAN", L"CleanValue", L""), L"64");
}

TEST_F(Win32FileTest, ARefusedWriteRaisesTheErrorAndKeepsTheFile) {
    const std::wstring path = folder.file(L"Quorvane.ini");
    const std::string before = "[Clean]\r\nCleanValue=1\r\n";
    test::write_file(path, before);
    auto expect_refused = [&](const char* why) {
        try {
            ini(path).write(L"Clean", L"CleanValue", L"2");
            ADD_FAILURE() << why << ": the write succeeded";
        } catch (const AppError& e) {
            EXPECT_EQ(e.text(), path + L" に書き込めません") << why;
        }
        EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"Quorvane.ini"}) << why << ": temporary file left";
    };

    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    expect_refused("read-only file");
    EXPECT_EQ(test::read_file(path).value_or("<missing>"), before);
    EXPECT_EQ(ini(path).read(L"Clean", L"CleanValue", L""), L"1") << "a read-only file still reads";
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);

    {
        // Held open without sharing by someone else: it cannot be read, so it must not be replaced by a
        // file holding only the new key.
        HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        expect_refused("file locked by another program");
        EXPECT_EQ(ini(path).read(L"Clean", L"CleanValue", L"d"), L"d");
        ::CloseHandle(held);
        EXPECT_EQ(test::read_file(path).value_or("<missing>"), before);
    }

    EXPECT_NO_THROW(ini(path).write(L"Clean", L"CleanValue", L"1")) << "the value it holds needs no write";
}

TEST_F(Win32FileTest, PathsThatCannotHoldTheFile) {
    const std::wstring missing_folder = folder.file(L"no such folder\\Quorvane.ini");
    EXPECT_EQ(ini(missing_folder).read(L"A", L"k", L"d"), L"d");
    EXPECT_THROW(ini(missing_folder).write(L"A", L"k", L"v"), AppError);

    const std::wstring a_folder = folder.file(L"folder.ini");
    ::CreateDirectoryW(a_folder.c_str(), nullptr);
    EXPECT_EQ(ini(a_folder).read(L"A", L"k", L"d"), L"d");
    EXPECT_THROW(ini(a_folder).write(L"A", L"k", L"v"), AppError);
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"folder.ini"});
}

TEST_F(Win32FileTest, JapaneseFolderAndValuesThroughTheStore) {
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

TEST(AnsiCodecTest, ShiftJisBothWaysAndNoSilentStandIns) {
    ASSERT_EQ(::GetACP(), 932u) << "the tests run with the Japanese code page";
    AnsiCodec codec;
    EXPECT_EQ(codec.encode(L"能力ソ"), std::optional<std::string>("\x94\x5C\x97\xCD\x83\x5C"));
    EXPECT_EQ(codec.decode("\x94\x5C\x97\xCD\x83\x5C"), L"能力ソ");
    EXPECT_EQ(codec.encode(L"caf\u00e9"), std::nullopt);
    EXPECT_EQ(codec.encode(L"\U0001F600"), std::nullopt);
    EXPECT_EQ(codec.encode(L""), std::optional<std::string>(""));
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
