// The 95 family's stand-ins, run where the ANSI functions are real (code page 932): Japanese text must
// survive the trip through them, and each must answer as the wide function it replaces does.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "base/win32/ansi_bridge/advapi32.h"
#include "base/win32/ansi_bridge/bridge.h"
#include "base/win32/ansi_bridge/comdlg32.h"
#include "base/win32/ansi_bridge/kernel32.h"
#include "base/win32/ansi_bridge/kernel32_files.h"
#include "base/win32/unique_handle.h"
#include "support/win32/files.h"

namespace qv::win {
namespace {

// Text with its terminator, as a registry value holds it.
template <std::size_t N>
std::wstring stored_text(const wchar_t (&text)[N]) {
    return {text, N};
}

TEST(AnsiBridgeSystem, JapaneseFileNamesThroughTheFileFunctions) {
    test::TempFolder temp(L"quorvane-bridge");
    const std::wstring folder = temp.file(L"設定フォルダ");
    ASSERT_TRUE(ansi::CreateDirectoryW(folder.c_str(), nullptr));
    EXPECT_NE(ansi::GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    for (const std::wstring name : {L"メモリ.ini", L"plain.ini", L"ソ表能.txt"}) {  // ソ表能: 0x5C as second byte
        SCOPED_TRACE(testing::PrintToString(name));
        const std::wstring path = folder + L"\\" + name;
        ASSERT_TRUE(UniqueFileHandle(ansi::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr)));
        WIN32_FIND_DATAW found{};
        ASSERT_TRUE(UniqueFindHandle(ansi::FindFirstFileW(path.c_str(), &found)));
        EXPECT_EQ(found.cFileName, name);
        const std::wstring copy = path + L".コピー", moved = path + L".移動";
        EXPECT_TRUE(ansi::CopyFileW(path.c_str(), copy.c_str(), TRUE));
        EXPECT_FALSE(ansi::CopyFileW(path.c_str(), copy.c_str(), TRUE));
        EXPECT_TRUE(ansi::MoveFileW(copy.c_str(), moved.c_str()));
        EXPECT_NE(::GetFileAttributesW(moved.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_TRUE(ansi::DeleteFileW(moved.c_str()));
        EXPECT_EQ(ansi::GetFileAttributesW(moved.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    UniqueFindHandle search(ansi::FindFirstFileW((folder + L"\\*.*").c_str(), &found));
    ASSERT_TRUE(search);
    do names.push_back(found.cFileName);
    while (ansi::FindNextFileW(search.get(), &found));
    EXPECT_EQ(names.size(), 5u);  // ".", ".." and the three

    wchar_t temporary[MAX_PATH]{};
    ASSERT_NE(ansi::GetTempFileNameW(folder.c_str(), L"qvs", 0, temporary), 0u);
    EXPECT_EQ(std::wstring(temporary).rfind(folder + L"\\qvs", 0), 0u) << temporary;
}

TEST(AnsiBridgeSystem, RegistryValuesAnswerAsTheWideFunction) {
    const std::wstring key_name = L"Software\\Quorvane-bridge-test\\日本語キー";
    HKEY opened = nullptr;
    ASSERT_EQ(ansi::RegCreateKeyExW(HKEY_CURRENT_USER, key_name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened,
                                    nullptr),
              ERROR_SUCCESS);
    UniqueKey key(opened);
    const DWORD number = 0x12345678;
    struct Case {
        const wchar_t* name;
        DWORD type;
        std::wstring text;  // as stored, terminators included; a number when type is REG_DWORD
    };
    const Case cases[] = {{L"日本語", REG_SZ, stored_text(L"C:\\デスクトップ")},
                          {L"Empty", REG_SZ, stored_text(L"")},
                          {L"Expand", REG_EXPAND_SZ, stored_text(L"%TEMP%\\ソ")},
                          {L"Multi", REG_MULTI_SZ, stored_text(L"一\0two\0")},
                          {L"Number", REG_DWORD, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
        const auto* bytes = c.type == REG_DWORD ? reinterpret_cast<const BYTE*>(&number)
                                                : reinterpret_cast<const BYTE*>(c.text.data());
        const DWORD stored = c.type == REG_DWORD ? sizeof(number) : static_cast<DWORD>(c.text.size() * sizeof(wchar_t));
        ASSERT_EQ(::RegSetValueExW(key.get(), c.name, 0, c.type, bytes, stored), ERROR_SUCCESS);
        for (const DWORD capacity : std::initializer_list<DWORD>{0, stored - 1, stored, stored + 8}) {
            std::vector<BYTE> expected(capacity + 1, 0xCC), actual(capacity + 1, 0xCC);
            DWORD expected_size = capacity, actual_size = capacity, expected_type = 0, actual_type = 0;
            BYTE* const expected_data = capacity ? expected.data() : nullptr;
            BYTE* const actual_data = capacity ? actual.data() : nullptr;
            EXPECT_EQ(ansi::RegQueryValueExW(key.get(), c.name, nullptr, &actual_type, actual_data, &actual_size),
                      ::RegQueryValueExW(key.get(), c.name, nullptr, &expected_type, expected_data, &expected_size))
                << capacity;
            EXPECT_EQ(actual_size, expected_size) << capacity;
            EXPECT_EQ(actual_type, expected_type);
            if (capacity >= stored) EXPECT_EQ(actual, expected) << capacity;
        }
    }
    key.reset();
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key_name.c_str());
    ::RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Quorvane-bridge-test");
}

TEST(AnsiBridgeSystem, OutputBuffersCutAndCountAsTheWideFunctions) {
    wchar_t path[MAX_PATH]{};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    for (const DWORD size : std::initializer_list<DWORD>{1, length, length + 1, MAX_PATH}) {
        std::wstring expected(size, L'#'), actual(size, L'#');
        EXPECT_EQ(ansi::GetModuleFileNameW(nullptr, actual.data(), size),
                  ::GetModuleFileNameW(nullptr, expected.data(), size)) << size;
        // Cut: terminated (as from Vista on), where XP and Wine leave the last character.
        EXPECT_EQ(actual.substr(0, size - 1), expected.substr(0, size - 1)) << size;
    }

    const LCID japanese = MAKELCID(MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), SORT_DEFAULT);
    for (const LCTYPE type : std::initializer_list<LCTYPE>{LOCALE_SNATIVELANGNAME, LOCALE_SDECIMAL,
                                                         LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER}) {
        const int needed = ::GetLocaleInfoW(japanese, type, nullptr, 0);
        EXPECT_EQ(ansi::GetLocaleInfoW(japanese, type, nullptr, 0), needed) << type;
        for (const int size : {needed - 1, needed, needed + 2}) {
            std::wstring expected(size, L'#'), actual(size, L'#');
            EXPECT_EQ(ansi::GetLocaleInfoW(japanese, type, actual.data(), size),
                      ::GetLocaleInfoW(japanese, type, expected.data(), size)) << type << " " << size;
            if (size >= needed) EXPECT_EQ(actual, expected) << type << " " << size;
        }
    }

    for (const int size : {0, 1, 3, 6, 7}) {
        wchar_t expected[8], actual[8];
        std::fill(std::begin(expected), std::end(expected), L'#');
        std::fill(std::begin(actual), std::end(actual), L'#');
        ::lstrcpynW(expected, L"日本語abc", size);
        EXPECT_EQ(ansi::lstrcpynW(actual, L"日本語abc", size), actual);
        EXPECT_EQ(std::wstring(actual, 8), std::wstring(expected, 8)) << size;
    }
    EXPECT_EQ(ansi::lstrcmpiW(L"startup", L"StartUp"), 0);
    EXPECT_NE(ansi::lstrcmpiW(L"日本", L"日本語"), 0);

    STARTUPINFOW expected{}, actual{};
    ::GetStartupInfoW(&expected);
    ansi::GetStartupInfoW(&actual);
    EXPECT_EQ(actual.dwFlags, expected.dwFlags);
    EXPECT_EQ(actual.wShowWindow, expected.wShowWindow);
    EXPECT_EQ(std::wstring(actual.lpTitle ? actual.lpTitle : L""), std::wstring(expected.lpTitle ? expected.lpTitle : L""));
}

TEST(AnsiBridgeSystem, NoTextStaysNoText) {
    EXPECT_EQ(bridge::AnsiArgument(nullptr).get(), nullptr);
    EXPECT_EQ(ansi::GetModuleHandleW(nullptr), ::GetModuleHandleW(nullptr));  // the program's own module
}

TEST(AnsiBridgeSystem, DialogListsKeepTheirNullsBothWays) {
    const std::wstring filter(L"テキスト (*.txt)\0*.txt\0全部\0*.*\0\0", 27);
    const std::string ansi = bridge::ansi_list(filter.c_str());
    ASSERT_GE(ansi.size(), 2u);
    EXPECT_EQ(ansi.substr(ansi.size() - 2), std::string(2, '\0'));
    EXPECT_EQ(bridge::wide_list(ansi.c_str(), ansi.size()), filter);
    // A selection cut by its buffer ends where the buffer does.
    EXPECT_EQ(bridge::wide_list("C:\\x\0a\0b\0\0", 7), std::wstring(L"C:\\x\0a\0", 7));
}

} // namespace
} // namespace qv::win
