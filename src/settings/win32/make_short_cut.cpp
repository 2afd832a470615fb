#include "settings/win32/make_short_cut.h"

#include <objbase.h>

#include <optional>

#include "base/app_error.h"
#include "base/win32/program_folder.h"
#include "base/win32/shell_link.h"
#include "base/win32/unique_handle.h"
#include "settings/win32/shell_folder.h"

namespace qv::settings::win32 {
namespace {

constexpr wchar_t kShortcutName[] = L"Quorvane.lnk";

// COM for the calling thread for as long as it lives (a thread that already has it keeps it).
class ComScope {
public:
    ComScope() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT result_;
};

bool file_exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The shortcut's place in the shell folder; nothing when the folder is unknown, which would otherwise
// put it in the root of the current drive.
std::optional<std::wstring> shortcut_path(const wchar_t* folder_name) {
    std::wstring folder = shell_folder(folder_name);
    if (folder.empty()) return std::nullopt;
    if (folder.back() != L'\\') folder += L'\\';
    return folder + kShortcutName;
}

void show_outcome(HWND owner, bool succeeded, const wchar_t* success, const wchar_t* failure) {
    ::MessageBoxW(owner, succeeded ? success : failure, L"Quorvane",
                  MB_OK | (succeeded ? MB_ICONINFORMATION : MB_ICONERROR));
}

bool is_startup(const wchar_t* folder_name) { return ::lstrcmpiW(folder_name, L"Startup") == 0; }

} // namespace

int show_command(TShowMode mode) {
    switch (mode) {
    case TShowMode::tsMax: return SW_SHOWMAXIMIZED;
    case TShowMode::tsMin: return SW_SHOWMINNOACTIVE;
    default: return SW_SHOWNORMAL;
    }
}

bool TMakeShortCut::CreateShortCut() const {
    std::wstring prefix;
    if (SCSystemPath != TSysPath::tpBlank) {
        // An unknown folder would put the link in the root of the drive.
        const std::wstring folder = shell_folder(SCSystemPath == TSysPath::tpDesktop ? L"Desktop" : L"Start Menu");
        if (folder.empty()) return false;
        prefix = folder + L"\\";
    }
    ComScope com;
    const win::ShellLinkFields fields{SCDescription, SCExecFile, SCArguments, SCWorkDir, show_command(SCShowCmd)};
    switch (win::save_shell_link(fields, prefix + SCFileName)) {
    case win::ShellLinkOutcome::no_link_object: throw AppError(L"ショートカットを作れません (ShellLink)");
    case win::ShellLinkOutcome::no_persist_file: throw AppError(L"ショートカットを作れません (IPersistFile)");
    case win::ShellLinkOutcome::not_saved: return false;
    case win::ShellLinkOutcome::saved: return true;
    }
    return false;
}

bool create_program_shortcut(HWND owner, const wchar_t* folder_name) {
    bool created = false;
    if (const std::optional<std::wstring> path = shortcut_path(folder_name)) {
        TMakeShortCut shortcut;
        shortcut.SCFileName = *path;
        shortcut.SCExecFile = win::program_path();
        shortcut.SCWorkDir = win::program_folder();
        // A shortcut left from an earlier creation is no sign that this one was written.
        created = shortcut.CreateShortCut() && file_exists(shortcut.SCFileName);
    }
    show_outcome(owner, created,
                 is_startup(folder_name) ? L"スタートアップにショートカットを作成しました"
                                         : L"デスクトップにショートカットを作成しました",
                 L"ショートカットの作成に失敗しました");
    return created;
}

bool delete_program_shortcut(HWND owner, const wchar_t* folder_name) {
    const std::optional<std::wstring> path = shortcut_path(folder_name);
    const bool deleted = path && ::DeleteFileW(path->c_str()) != FALSE;
    show_outcome(owner, deleted,
                 is_startup(folder_name) ? L"スタートアップからショートカットを削除しました"
                                         : L"デスクトップからショートカットを削除しました",
                 L"ショートカットの削除に失敗しました");
    return deleted;
}

} // namespace qv::settings::win32
