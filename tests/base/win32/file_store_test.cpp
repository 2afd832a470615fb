// INI files on real files: atomic replacement, refused writes, links, marks and other programs' handles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <thread>

#include "base/ini_file.h"
#include "base/win32/ansi_code_page.h"
#include "base/win32/file_store.h"
#include "base/win32/system_function.h"
#include "base/win32/unique_handle.h"
#include "support/win32/files.h"

namespace qv::win {
namespace {

using test::TempFolder;

std::vector<std::wstring> sorted(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// Makes (or removes) a symbolic link as a Unix one through Wine, whose CreateSymbolicLinkW makes nothing
// and whose deletion of a link deletes the file it names; false where that cannot be done.
bool unix_symlink(const std::wstring& link, const std::wstring& target, bool make) {
    const auto unix_name = win::system_function<char*(CDECL*)(LPCWSTR)>(L"kernel32.dll", "wine_get_unix_file_name");
    if (!unix_name) return false;
    std::wstring command = make ? L"/bin/ln -s" : L"/bin/rm -f";
    for (const std::wstring* name : {&target, &link}) {
        char* converted = unix_name(name->c_str());
        if (make || name == &link) command += L" \"" + std::wstring(converted, converted + std::strlen(converted)) + L"\"";
        ::HeapFree(::GetProcessHeap(), 0, converted);
    }
    STARTUPINFOW startup{sizeof(startup)};
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        return false;
    }
    win::UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    // The handle of a Unix process tells nothing of its end.
    for (int wait = 0; wait < 500; ++wait, ::Sleep(10)) {
        if ((::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES) == make) return true;
    }
    return false;
}

class Win32FileTest : public ::testing::Test {
protected:
    TempFolder folder{L"qv-settings-files"};
    Win32FileStore files;
    AnsiCodec ansi;
    ini::IniFile ini(const std::wstring& path) { return ini::IniFile(files, ansi, path); }
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

TEST_F(Win32FileTest, WritesKeepTheFileItsOtherNamesAndItsMarks) {
    const std::wstring path = folder.file(L"Quorvane.ini"), other = folder.file(L"other.ini");
    constexpr DWORD kMarks = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    test::write_file(path, "[A]\r\nk=0\r\n");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), kMarks));
    ini(path).write(L"A", L"k", L"1");
    EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kMarks, kMarks);

    ASSERT_TRUE(::CreateHardLinkW(other.c_str(), path.c_str(), nullptr));
    ini(path).write(L"A", L"k", L"2");
    EXPECT_EQ(test::read_file(other).value_or("<missing>"), "[A]\r\nk=2\r\n") << "the hard link split";
    BY_HANDLE_FILE_INFORMATION info{};
    win::UniqueFileHandle file(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(::GetFileInformationByHandle(file.get(), &info) && info.nNumberOfLinks == 2);
    EXPECT_EQ(sorted(folder.names()), (std::vector<std::wstring>{L"Quorvane.ini", L"other.ini"}));
}

TEST_F(Win32FileTest, WritesThroughASymbolicLinkChangeTheFileItNames) {
    const std::wstring path = folder.file(L"Quorvane.ini"), real = folder.file(L"real.ini");
    test::write_file(real, "[A]\r\nk=0\r\n");
    if (!unix_symlink(path, real, true)) GTEST_SKIP() << "no symbolic link can be made here";
    ini(path).write(L"A", L"k", L"1");
    ini(path).write(L"A", L"k", L"2");
    EXPECT_EQ(test::read_file(real).value_or("<missing>"), "[A]\r\nk=2\r\n");
    EXPECT_TRUE(::SetFileAttributesW(real.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(ini(path).write(L"A", L"k", L"3"), AppError) << "a read-only file behind a link";
    EXPECT_EQ(test::read_file(real).value_or("<missing>"), "[A]\r\nk=2\r\n");
    EXPECT_EQ(sorted(folder.names()), (std::vector<std::wstring>{L"Quorvane.ini", L"real.ini"}));
    EXPECT_TRUE(unix_symlink(path, real, false));
}

TEST_F(Win32FileTest, OthersHoldingFilesDelayAWriteButNeitherBreakNorLoseIt) {
    const std::wstring path = folder.file(L"Quorvane.ini");
    // What a clean-up does to a temporary file of an owner it cannot see fails while the owner writes.
    Win32FileSystem writer;
    const auto temporary = writer.create_temporary(path);
    ASSERT_TRUE(temporary && writer.write_all(*temporary, "[A]\r\nk=1\r\n"));
    EXPECT_FALSE(::DeleteFileW(temporary->c_str()));
    ASSERT_TRUE(writer.replace(*temporary, path));

    // A scanner holds the file for a moment after it changed.
    win::UniqueFileHandle scanner(
        ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::thread done_scanning([&] {
        ::Sleep(300);
        scanner.reset();
    });
    EXPECT_NO_THROW(ini(path).write(L"A", L"k", L"2"));
    done_scanning.join();
    EXPECT_EQ(test::read_file(path).value_or("<missing>"), "[A]\r\nk=2\r\n");
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

} // namespace
} // namespace qv::win
