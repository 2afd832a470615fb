#include "settings/win32/settings_location.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/win32/files.h"

namespace qv::settings::win32 {
namespace {

TEST(SettingsLocation, IniBesideTheProgram) {
    struct Case {
        const wchar_t* program;
        const wchar_t* ini;
    };
    const Case cases[] = {
        {L"C:\\Tools\\Quorvane.exe", L"C:\\Tools\\Quorvane.ini"},
        {L"C:\\Tools\\Quorvane.EXE", L"C:\\Tools\\Quorvane.ini"},
        {L"C:\\v1.2\\Quorvane", L"C:\\v1.2\\Quorvane.ini"},
        {L"C:\\Tools\\q.v.exe", L"C:\\Tools\\q.v.ini"},
        {L"D:/ツール/メモリ.exe", L"D:/ツール/メモリ.ini"},
        {L"\\\\server\\share\\Quorvane.exe", L"\\\\server\\share\\Quorvane.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(ini_path_beside(c.program), c.ini);
}

TEST(SettingsLocation, ThisProgramsFolderIsWritableSoTheFileIsBesideIt) {
    wchar_t program[MAX_PATH];
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(settings_file_path(), ini_path_beside(program));
    EXPECT_EQ(&settings_file_path(), &settings_file_path()) << "decided once";
}

TEST(SettingsLocation, FolderProbeAndPerUserPlace) {
    test::TempFolder folder(L"qv-settings-location");
    EXPECT_TRUE(folder_accepts_files(folder.path()));
    EXPECT_TRUE(folder.names().empty()) << "the probe file is removed";
    EXPECT_FALSE(folder_accepts_files(folder.file(L"missing")));

    const std::wstring per_user = per_user_ini_path(L"C:\\Program Files\\Quorvane\\Quorvane.ini");
    ASSERT_FALSE(per_user.empty());
    EXPECT_TRUE(per_user.ends_with(L"\\Quorvane\\Quorvane.ini"));
    const std::wstring per_user_folder = per_user.substr(0, per_user.rfind(L'\\'));
    EXPECT_TRUE(folder_accepts_files(per_user_folder));
}

} // namespace
} // namespace qv::settings::win32
