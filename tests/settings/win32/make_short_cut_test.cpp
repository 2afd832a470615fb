#include "settings/win32/make_short_cut.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shobjidl.h>

#include <thread>
#include <vector>

#include "base/win32/program_folder.h"
#include "base/win32/shell_link.h"
#include "base/win32/unique_handle.h"
#include "support/win32/files.h"
#include "support/win32/message_box.h"

namespace qv::settings::win32 {
namespace {

struct LinkContents {
    std::wstring path, work_dir;
    int show = 0;
};

// Reads a link file back through the shell.
LinkContents read_link(const std::wstring& file) {
    LinkContents contents;
    IShellLinkW* link = nullptr;
    IPersistFile* persist = nullptr;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                     reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))) &&
        SUCCEEDED(persist->Load(file.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH]{};
        link->GetPath(text, MAX_PATH, nullptr, 0);
        contents.path = text;
        link->GetWorkingDirectory(text, MAX_PATH);
        contents.work_dir = text;
        link->GetShowCmd(&contents.show);
    }
    if (persist) persist->Release();
    if (link) link->Release();
    ::CoUninitialize();
    return contents;
}

// Answers the boxes the commands show, from another thread, and keeps their texts.
std::vector<std::wstring> answered_boxes(const std::function<void()>& commands, size_t count) {
    std::vector<std::wstring> texts;
    std::thread answerer([&] {
        for (size_t i = 0; i < count; ++i) {
            auto box = test::wait_message_box(::GetCurrentProcessId(), L"Quorvane", std::chrono::seconds(10));
            if (!box) return;
            texts.push_back(box->text);
            test::answer_message_box(box->window, IDOK);
        }
    });
    commands();
    answerer.join();
    return texts;
}

// Points one of the user's shell folders elsewhere for the test's length.
class ShellFolderOverride {
public:
    ShellFolderOverride(const wchar_t* name, const std::wstring& folder) : name_(name) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                          nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        wchar_t old[MAX_PATH * 2]{};
        DWORD size = sizeof(old) - sizeof(wchar_t);
        had_ = ::RegQueryValueExW(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        old_ = old;
        ::RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                         static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
    }
    ~ShellFolderOverride() {
        if (had_) {
            ::RegSetValueExW(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                             static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
        } else {
            ::RegDeleteValueW(key_, name_);
        }
        ::RegCloseKey(key_);
    }

private:
    const wchar_t* name_;
    HKEY key_ = nullptr;
    bool had_ = false;
    std::wstring old_;
};

TEST(MakeShortCut, LinkPointsAtTheTargetWithItsFolder) {
    test::TempFolder folder(L"quorvane-link");
    TMakeShortCut shortcut;
    shortcut.SCFileName = (folder.path() / L"test.lnk").wstring();
    shortcut.SCExecFile = win::program_path();
    shortcut.SCWorkDir = win::program_folder();
    EXPECT_TRUE(shortcut.CreateShortCut());
    EXPECT_TRUE(shortcut.CreateShortCut());  // replaces the file
    const LinkContents link = read_link(shortcut.SCFileName);
    EXPECT_EQ(::lstrcmpiW(link.path.c_str(), shortcut.SCExecFile.c_str()), 0) << link.path;
    EXPECT_EQ(::lstrcmpiW(link.work_dir.c_str(), shortcut.SCWorkDir.c_str()), 0) << link.work_dir;
    EXPECT_EQ(link.show, SW_SHOWNORMAL);
}

TEST(MakeShortCut, BothLinkObjectsKeepJapanesePaths) {
    test::TempFolder folder(L"quorvane-link");
    const std::wstring target = folder.file(L"メモリ表示.exe");
    test::write_file(target, "MZ");
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (const bool ansi : {false, true}) {
        const win::ShellLinkFields fields{L"説明", target, L"/now", folder.path().wstring()};
        const std::wstring file = folder.file(ansi ? L"ansi.lnk" : L"wide.lnk");
        EXPECT_EQ(win::save_shell_link(fields, file, ansi), win::ShellLinkOutcome::saved) << ansi;
        const LinkContents link = read_link(file);
        EXPECT_EQ(::lstrcmpiW(link.path.c_str(), target.c_str()), 0) << link.path;
        EXPECT_EQ(link.work_dir, fields.working_directory);
    }
    ::CoUninitialize();
}

TEST(MakeShortCut, StartupCommandsCreateAndDeleteWithTheirMessages) {
    test::TempFolder folder(L"quorvane-startup");
    ShellFolderOverride startup(L"Startup", folder.path().wstring());
    EXPECT_EQ(shell_folder(L"Startup"), folder.path().wstring());

    std::vector<bool> results;
    const auto texts = answered_boxes(
        [&] {
            results.push_back(create_program_shortcut(nullptr, L"Startup"));
            results.push_back(delete_program_shortcut(nullptr, L"Startup"));
            results.push_back(delete_program_shortcut(nullptr, L"Startup"));
        },
        3);
    EXPECT_EQ(results, (std::vector<bool>{true, true, false}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"スタートアップにショートカットを作成しました",
                                                L"スタートアップからショートカットを削除しました",
                                                L"ショートカットの削除に失敗しました"}));
}

TEST(MakeShortCut, CreationIsJudgedByTheSaveAndNeedsAFolder) {
    test::TempFolder folder(L"quorvane-startup");
    ShellFolderOverride startup(L"Startup", folder.path().wstring());
    const std::wstring link = folder.file(L"Quorvane.lnk");
    test::write_file(link, "an older shortcut");
    std::vector<bool> results;
    auto texts = answered_boxes(
        [&] {
            // Held open by another program: the save fails, and the older file proves nothing.
            win::UniqueFileHandle held(
                ::CreateFileW(link.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            results.push_back(create_program_shortcut(nullptr, L"Startup"));
        },
        1);
    EXPECT_EQ(test::read_file(link), "an older shortcut");

    // No Startup folder known: nothing is made or removed in the root of the drive.
    ShellFolderOverride nowhere(L"Startup", L"");
    const auto more = answered_boxes(
        [&] {
            results.push_back(create_program_shortcut(nullptr, L"Startup"));
            results.push_back(delete_program_shortcut(nullptr, L"Startup"));
        },
        2);
    texts.insert(texts.end(), more.begin(), more.end());
    const bool in_root = ::GetFileAttributesW(L"\\Quorvane.lnk") != INVALID_FILE_ATTRIBUTES;
    if (in_root) ::DeleteFileW(L"\\Quorvane.lnk");
    EXPECT_FALSE(in_root);
    EXPECT_EQ(results, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"ショートカットの作成に失敗しました", L"ショートカットの作成に失敗しました",
                                                L"ショートカットの削除に失敗しました"}));
}

} // namespace
} // namespace qv::settings::win32
